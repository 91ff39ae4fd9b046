// Cost of the mixer: one second of output (44.1 kHz stereo) with eight voices playing, in
// the SDL output's 256-frame periods. "x_realtime" is how many seconds of sound one second
// of this machine's time mixes.
#include "platform/audio/VoiceBank.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace platform;

namespace {

AudioFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
    AudioFormat f;
    f.channels = channels;
    f.samplesPerSecond = rate;
    f.bitsPerSample = bits;
    f.blockAlign = uint16_t(channels * bits / 8);
    f.averageBytesPerSecond = rate * f.blockAlign;
    return f;
}

// Two seconds of noise-like full-scale samples in the format.
std::vector<uint8_t> Noise(const AudioFormat& f) {
    std::vector<uint8_t> bytes(size_t(f.averageBytesPerSecond) * 2);
    uint32_t x = 12345;
    for (auto& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = uint8_t(x >> 16);
    }
    return bytes;
}

void BM_MixEightVoices(benchmark::State& state) {
    const bool sameRate = state.range(0) != 0;
    // A mix of the kinds the program plays: drums at 22.05 kHz mono, clicks at 44.1 kHz.
    std::vector<AudioFormat> formats;
    for (int i = 0; i < 8; ++i)
        formats.push_back(sameRate ? Pcm(1, 44100, 16)
                                   : (i % 3 == 0   ? Pcm(2, 44100, 16)
                                      : i % 3 == 1 ? Pcm(1, 22050, 16)
                                                   : Pcm(1, 11025, 8)));
    std::vector<std::vector<uint8_t>> data;
    for (const auto& f : formats) data.push_back(Noise(f));
    VoiceBank bank;
    std::vector<AudioDeviceId> ids;
    for (const auto& f : formats) ids.push_back(bank.Open(f));
    MixerState mixer;
    int16_t out[2 * 256];
    for (auto _ : state) {
        for (size_t i = 0; i < ids.size(); ++i) {
            bank.Reset(ids[i]);
            bank.Write(ids[i], 0, data[i].data(), uint32_t(data[i].size()), AudioLabel{});
        }
        for (uint32_t done = 0; done < kMixRate; done += 256) {
            Mix(mixer, bank.Voices(), bank.Count(), kFullAudioVolume, out, 256, nullptr);
            benchmark::DoNotOptimize(out);
        }
    }
    state.counters["x_realtime"] =
        benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MixEightVoices)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"same_rate"})
    ->Unit(benchmark::kMillisecond);

} // namespace
