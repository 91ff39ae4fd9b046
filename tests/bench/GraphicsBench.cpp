// Drawing costs on a 480x640 screen; compare the plain copies with memcpy of the same bytes.
#include "varnokengine/VGBitmap.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int16_t kW = 480, kH = 640;

struct Screen {
    VGBitmap target, image;
    explicit Screen(bool keyed) {
        target.Create(kW, kH, 0, 0x1234);
        image.Create(kW, kH, keyed ? FlagKeyed : 0);
        uint32_t s = 1;
        for (int32_t i = 0; i < kW * kH; ++i) {
            s = s * 1103515245u + 12345u;
            uint16_t v = uint16_t(s >> 16);
            // A quarter of the keyed image is transparent, in runs as real art has.
            image.pixels[i] = keyed && ((i / 7) % 4 == 0) ? kColourKey : (v == kColourKey ? 0 : v);
        }
        SetRenderTarget(&target);
    }
    ~Screen() { SetRenderTarget(nullptr); }
};

void Pixels(benchmark::State& state) {
    state.SetItemsProcessed(int64_t(state.iterations()) * kW * kH);
    state.SetBytesProcessed(int64_t(state.iterations()) * kW * kH * 2);
}

void BM_Memcpy(benchmark::State& state) {
    std::vector<uint16_t> a(size_t(kW) * kH, 1), b(size_t(kW) * kH, 2);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 2);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_Memcpy);

void BM_DrawRegionOpaque(benchmark::State& state) {
    Screen s(false);
    for (auto _ : state) {
        VGBitmap::DrawRegion(&s.image, 0, 0, kW, kH, 0, 0);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_DrawRegionOpaque);

void BM_DrawRegionKeyed(benchmark::State& state) {
    Screen s(true);
    for (auto _ : state) {
        VGBitmap::DrawRegion(&s.image, 0, 0, kW, kH, 0, 0);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_DrawRegionKeyed);

void BM_DrawExAlphaHalf(benchmark::State& state) {
    Screen s(true);
    for (auto _ : state) {
        VGBitmap::DrawEx(&s.image, 0, 0, kW, kH, 0, 0, 1.0f, 1.0f, BlendAlpha, 0.5f);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_DrawExAlphaHalf);

void BM_DrawExAlphaHalfScale2(benchmark::State& state) {
    // A quarter of the image scaled 2.0 fills the screen: the same number of target pixels.
    Screen s(true);
    for (auto _ : state) {
        VGBitmap::DrawEx(&s.image, 0, 0, kW / 2, kH / 2, 0, 0, 2.0f, 2.0f, BlendAlpha, 0.5f);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_DrawExAlphaHalfScale2);

void BM_DrawExModulate(benchmark::State& state) {
    Screen s(true);
    for (auto _ : state) {
        VGBitmap::DrawEx(&s.image, 0, 0, kW, kH, 0, 0, 1.0f, 1.0f, BlendModulate, 1.0f);
        benchmark::ClobberMemory();
    }
    Pixels(state);
}
BENCHMARK(BM_DrawExModulate);

void BM_FadeToBlackStep(benchmark::State& state) {
    Screen s(false);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(s.target.pixels, s.image.pixels, size_t(kW) * kH * 2);
        state.ResumeTiming();
        benchmark::DoNotOptimize(FadeToBlackStep(16));
    }
    Pixels(state);
}
BENCHMARK(BM_FadeToBlackStep);

} // namespace
