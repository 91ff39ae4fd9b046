// Measures the time from a RestartSound call to the mixer producing the first frame of that
// sound, with the SDL output on SDL's disk audio driver (no sound card needed). The mixer
// stamps the host's monotonic clock when it mixes a buffer's first frame, inside the same
// lock the write took, so the figure covers the channel write, the wait for the next audio
// period and the mixing, and nothing can be stamped before its write.
//
//     sound_latency [calls]        (default 200)
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "tools/soundfile/SoundFileWriter.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGSoundManager.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>
#include <vector>

namespace {

uint64_t SteadyNs() {
    return uint64_t(std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count());
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    size_t at = size_t(p * double(values.size() - 1) + 0.5);
    return values[at];
}

} // namespace

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 200;
    if (calls < 10) calls = 10;
    auto folder = std::filesystem::temp_directory_path() / "tamborix-sound-latency";
    std::filesystem::create_directories(folder / "soundfx");
    setenv("SDL_AUDIODRIVER", "disk", 0);
    setenv("SDL_DISKAUDIOFILE", "/dev/null", 0);

    // A 100 ms drum-like tone at 22.05 kHz, as the kit's sounds are.
    std::vector<uint8_t> samples;
    for (int i = 0; i < 2205; ++i) {
        auto s = int16_t(12000.0 * std::sin(i * 0.2));
        samples.push_back(uint8_t(s & 0xFF));
        samples.push_back(uint8_t(uint16_t(s) >> 8));
    }
    auto image = soundfile::MakeWavImage(1, 22050, 16, samples.data(), samples.size());
    auto file = soundfile::EncodeSoundFile(image.data(), image.size());
    std::ofstream(folder / "soundfx" / "snare.wavc", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    platform::SetRegistryPath((folder / "registry.reg").string());
    std::string base = folder.string();
    SetAppPath(VGString(std::u16string(base.begin(), base.end()).c_str()));

    platform::SetAudioOutput(platform::CreateSdlAudioOutput());
    auto& audio = platform::Audio();
    uint32_t period = audio.PeriodFrames();
    if (!period) {
        std::fprintf(stderr, "no SDL audio device opened\n");
        return 1;
    }
    std::printf("audio period: %u frames = %.2f ms at %u Hz\n", period,
                1000.0 * period / platform::kMixRate, platform::kMixRate);

    std::vector<double> latencies;
    {
        VGSoundManager sounds;
        std::mt19937 random(1);
        for (int i = 0; i < calls; ++i) {
            // Calls land at every phase of the audio period.
            std::this_thread::sleep_for(std::chrono::microseconds(3000 + random() % 9000));
            uint64_t startNs = 0;
            uint32_t countBefore = 0;
            SoundChannel* channel = nullptr;
            for (int c = 1; c < VGSoundManager::kChannels; ++c)
                if (sounds.Channel(c).current) channel = &sounds.Channel(c);
            if (channel) audio.LastBufferStart(channel->device, startNs, countBefore);
            uint64_t called = SteadyNs();
            channel = sounds.RestartSound(u"snare", 3, 1.0f);
            if (!channel) {
                std::fprintf(stderr, "the sound did not play\n");
                return 1;
            }
            uint32_t count = countBefore;
            uint64_t deadline = called + 500000000ull;
            while (SteadyNs() < deadline) {
                audio.LastBufferStart(channel->device, startNs, count);
                if (count != countBefore) break;
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
            if (count == countBefore) {
                std::fprintf(stderr, "call %d: no start seen within 500 ms\n", i);
                return 1;
            }
            latencies.push_back(double(startNs - called) / 1e6);
        }
    }
    std::printf("RestartSound to first mixed frame over %d calls: p50 %.2f ms, p95 %.2f ms, "
                "max %.2f ms\n",
                calls, Percentile(latencies, 0.5), Percentile(latencies, 0.95),
                Percentile(latencies, 1.0));
    platform::SetAudioOutput(platform::CreateNullAudioOutput());
    std::filesystem::remove_all(folder);
    return 0;
}
