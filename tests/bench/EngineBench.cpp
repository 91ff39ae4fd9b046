#include "varnokengine/VGFormat.h"

#include <benchmark/benchmark.h>

static void BM_FormatPath(benchmark::State& state) {
    VGString out;
    for (auto _ : state) {
        Format(out, u"%ssave/%d.tbs", u"/opt/tamborix/", 42);
        benchmark::DoNotOptimize(out.Data());
    }
}
BENCHMARK(BM_FormatPath);
