// Measures the time from a RestartSound call to the first sample of that sound leaving the
// mixer, with the SDL output on SDL's disk audio driver (no sound card needed), two ways:
//  - mixed: the mixer stamps the host's monotonic clock when it mixes a buffer's first frame,
//    inside the lock the write took (nothing can be stamped before its write);
//  - written: the driver writes into a FIFO whose stdio stream is made unbuffered (this
//    program wraps fopen for that one path), and a reader thread stamps the arrival of the
//    first loud sample, so the figure also covers the driver handing the period on.
// Each call plays a 10 ms burst on silence, at a random phase of the audio period.
//
//     sound_latency [calls] [--buffered]     (default 200 calls)
// --buffered leaves the driver's stream as SDL opened it, to show what buffering does.
#include "platform/RegistryStore.h"
#include "platform/audio/AudioOutput.h"
#include "tests/bench/DiskAudioCapture.h"
#include "varnokengine/VGAppPath.h"
#include "varnokengine/VGSoundManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>
#include <vector>

namespace {

LoudSampleWatch watch;

} // namespace

int main(int argc, char** argv) {
    int calls = argc > 1 ? std::atoi(argv[1]) : 200;
    if (calls < 10) calls = 10;
    bool buffered = argc > 2 && std::strcmp(argv[2], "--buffered") == 0;
    auto folder = std::filesystem::temp_directory_path() / "tamborix-sound-latency";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder / "soundfx");
    std::string fifo = (folder / "disk.fifo").string();
    if (!buffered) SetUnbufferedPath(fifo);
    if (mkfifo(fifo.c_str(), 0600) != 0) {
        std::perror("mkfifo");
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", fifo.c_str(), 1);

    const std::vector<uint8_t> file = BurstSoundFile(); // 10 ms, stored as the kit's sounds
    std::ofstream(folder / "soundfx" / "snare.wavc", std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    platform::SetRegistryPath((folder / "registry.reg").string());
    std::string base = folder.string();
    SetAppPath(VGString(std::u16string(base.begin(), base.end()).c_str()));

    std::thread reader(ReadFifo, fifo, std::ref(watch));
    platform::SetAudioOutput(platform::CreateSdlAudioOutput());
    auto& audio = platform::Audio();
    uint32_t period = audio.PeriodFrames();
    if (!period) {
        std::fprintf(stderr, "no SDL audio device opened\n");
        std::_Exit(1); // the reader thread still waits on the FIFO
    }
    std::printf("audio period: %u frames = %.2f ms at %u Hz\n", period,
                1000.0 * period / platform::kMixRate, platform::kMixRate);

    std::vector<double> mixed, written;
    {
        VGSoundManager sounds;
        sounds.Start();
        sounds.SetMasterVolume(10, false);
        std::mt19937 random(1);
        for (int i = 0; i < calls; ++i) {
            // The previous burst is over; calls land at every phase of the period.
            std::this_thread::sleep_for(std::chrono::microseconds(25000 + random() % 12000));
            uint64_t lastNs = 0;
            uint32_t countBefore = 0;
            if (SoundEntry* entry = sounds.FindSound(u"snare"))
                for (int c = 1; c < VGSoundManager::kChannels; ++c)
                    if (sounds.Channel(c).current == &entry->data)
                        audio.LastBufferStart(sounds.Channel(c).device, lastNs, countBefore);
            watch.armed = true;
            uint64_t called = SteadyNs();
            SoundChannel* channel = sounds.RestartSound(u"snare", 3, 1.0f);
            if (!channel) {
                std::fprintf(stderr, "the sound did not play\n");
                std::_Exit(1); // the reader thread still waits on the FIFO
            }
            uint64_t startNs = 0;
            uint32_t count = countBefore;
            while (SteadyNs() < called + 500000000ull && (count == countBefore || watch.armed)) {
                audio.LastBufferStart(channel->device, startNs, count);
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
            if (count == countBefore || watch.armed) {
                std::fprintf(stderr,
                             "call %d: no start seen within 500 ms (mixed %d, written %d)\n", i,
                             int(count != countBefore), int(!watch.armed));
                std::_Exit(1); // the reader thread still waits on the FIFO
            }
            mixed.push_back(double(startNs - called) / 1e6);
            written.push_back(double(watch.arrivalNs.load() - called) / 1e6);
        }
    }
    platform::SetAudioOutput(platform::CreateNullAudioOutput()); // closes the FIFO
    reader.join();
    std::printf("RestartSound to first frame, %d calls (p50 / p95 / max, ms):\n", calls);
    std::printf("  mixed:   %.2f / %.2f / %.2f\n", Percentile(mixed, 0.5), Percentile(mixed, 0.95),
                Percentile(mixed, 1.0));
    std::printf("  written: %.2f / %.2f / %.2f\n", Percentile(written, 0.5),
                Percentile(written, 0.95), Percentile(written, 1.0));
    std::filesystem::remove_all(folder);
    return 0;
}
