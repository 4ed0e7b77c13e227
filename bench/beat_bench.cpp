#include "music/BeatTracker.h"
#include "music/TestAudio.h"

#include <benchmark/benchmark.h>

// The audio thread's whole work on one second of drums over noise, fed in blocks of 512
// samples as an input delivers them: the time per iteration is the time per second of audio.
static void BM_BeatTrackerOneSecondOfAudio(benchmark::State& state)
{
    const auto track = testaudio::makeTrack(testaudio::Style::Drums, {{128, 10}}, 0.3);
    const auto second = std::size_t(track.sampleRate);
    const std::size_t seconds = track.samples.size() / second;
    KyBeatTracker tracker(track.sampleRate);
    int beats = 0;
    std::size_t next = 0;
    for (auto _ : state) {
        const float* audio = track.samples.data() + (next++ % seconds) * second;
        for (std::size_t at = 0; at < second; at += 512)
            tracker.process(std::span(audio + at, std::min<std::size_t>(512, second - at)), [&](double) { ++beats; });
    }
    benchmark::DoNotOptimize(beats);
}
BENCHMARK(BM_BeatTrackerOneSecondOfAudio)->Unit(benchmark::kMillisecond);
