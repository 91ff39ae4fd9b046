// The display's per-frame costs: the turned copy of a 480x640 back buffer into display memory
// for each orientation, against a plain memcpy and a naive rotate loop; the windowed
// backend's show path under SDL's off-screen driver; and how soon a press wakes the wait
// between frames.
#include "platform/Clock.h"
#include "platform/video/HeadlessBackend.h"
#include "platform/video/SdlBackend.h"
#include "varnokengine/VGBitmap.h"
#include "varnokengine/VGDeviceScreen.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <thread>
#include <vector>

namespace {

constexpr int32_t W = 480, H = 640;

std::vector<uint16_t> Frame() {
    std::vector<uint16_t> f(size_t(W) * H);
    std::iota(f.begin(), f.end(), uint16_t(0));
    return f;
}

void BM_Present(benchmark::State& state) {
    platform::VirtualClock clock;
    platform::HeadlessOptions options;
    options.advanceClockOnPresent = false;
    platform::InstallBackend(std::make_unique<platform::HeadlessBackend>(options, &clock));
    TheDisplay.Open();
    TheDisplay.SetOrientation(uint32_t(state.range(0)));
    std::vector<uint16_t> f = Frame();
    std::memcpy(TheDisplay.backBuffer->pixels, f.data(), f.size() * 2);
    for (auto _ : state) {
        TheDisplay.Present();
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 2);
    TheDisplay.Close();
    platform::UninstallBackend();
}
BENCHMARK(BM_Present)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

void BM_PlainMemcpy(benchmark::State& state) {
    std::vector<uint16_t> source = Frame(), target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size() * 2);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 2);
}
BENCHMARK(BM_PlainMemcpy)->Unit(benchmark::kMicrosecond);

// The obvious way to turn a landscape frame: an index computation per pixel.
void BM_SimpleRotateLoop(benchmark::State& state) {
    std::vector<uint16_t> source = Frame(), target(source.size());
    const int32_t bw = H, bh = W; // landscape back buffer
    for (auto _ : state) {
        for (int32_t by = 0; by < bh; ++by)
            for (int32_t bx = 0; bx < bw; ++bx)
                target[size_t(bx) * W + (W - 1 - by)] = source[size_t(by) * bw + bx];
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * W * H * 2);
}
BENCHMARK(BM_SimpleRotateLoop)->Unit(benchmark::kMicrosecond);

std::unique_ptr<platform::Backend> OffscreenWindow(uint32_t orientation) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("XDG_RUNTIME_DIR", "/tmp", 0);
    platform::SdlOptions options;
    options.showEveryFrame = true;
    std::string error;
    auto backend = platform::CreateSdlBackend(options, error);
    if (!backend || !backend->CreateWindow()) return nullptr;
    backend->SetViewOrientation(orientation);
    return backend;
}

// A changed frame each time: compare, turn upright, upload, render, present.
void BM_SdlShowChangedFrame(benchmark::State& state) {
    auto backend = OffscreenWindow(uint32_t(state.range(0)));
    if (!backend) {
        state.SkipWithError("no off-screen window");
        return;
    }
    uint16_t* pixels = backend->FrameBuffer().pixels;
    uint16_t n = 0;
    for (auto _ : state) {
        pixels[1000] = ++n;
        backend->FrameWritten();
    }
}
BENCHMARK(BM_SdlShowChangedFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// An unchanged frame: only the compare with the frame shown last.
void BM_SdlSkipUnchangedFrame(benchmark::State& state) {
    auto backend = OffscreenWindow(0);
    if (!backend) {
        state.SkipWithError("no off-screen window");
        return;
    }
    backend->FrameWritten();
    for (auto _ : state) backend->FrameWritten();
}
BENCHMARK(BM_SdlSkipUnchangedFrame)->Unit(benchmark::kMicrosecond);

// How long after a press arrives the wait between frames returns (a refresh is 16 ms; the
// press comes 5 ms into the wait).
void BM_PressWakesTheWait(benchmark::State& state) {
    auto backend = OffscreenWindow(0);
    if (!backend) {
        state.SkipWithError("no off-screen window");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double worstUs = 0, totalUs = 0;
    int64_t count = 0;
    for (auto _ : state) {
        platform::DeviceEvent e;
        while (backend->Poll(e)) {
        }
        backend->WaitForRefresh(false); // start right after a refresh
        Clock::time_point pushed;
        std::thread presser([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            pushed = Clock::now();
            platform::PushSyntheticPress(10, 10);
        });
        backend->WaitForRefresh(true);
        auto woke = Clock::now();
        presser.join();
        double us = std::chrono::duration<double, std::micro>(woke - pushed).count();
        worstUs = std::max(worstUs, us);
        totalUs += us;
        ++count;
    }
    state.counters["wake_us_mean"] = totalUs / double(count);
    state.counters["wake_us_worst"] = worstUs;
}
BENCHMARK(BM_PressWakesTheWait)->Iterations(50)->Unit(benchmark::kMillisecond);

} // namespace
