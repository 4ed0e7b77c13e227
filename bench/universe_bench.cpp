#include "cue/Dmx_space.h"

#include <benchmark/benchmark.h>

// The per-tick clearing followed by a full universe of engine writes.
static void BM_KeepHeldOnlyAnd512Writes(benchmark::State& state)
{
    KyDmxSpace dmx;
    for (int i = 0; i < 512; i += 7)
        dmx.setManual(i, 255);
    std::uint8_t v = 0;
    for (auto _ : state) {
        dmx.keepHeldOnly();
        for (int i = 0; i < 512; ++i)
            dmx.setChannel(i, v++);
        benchmark::DoNotOptimize(dmx.data().data());
    }
}
BENCHMARK(BM_KeepHeldOnlyAnd512Writes);
