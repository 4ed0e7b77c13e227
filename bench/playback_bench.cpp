#include "cue/Cue.h"
#include "cue/Dmx_space.h"
#include "cue/Seque.h"
#include "sequence/SequenceEdit.h"
#include "sequence/SequenceFile.h"
#include "support/PlaybackLoad.h"

#include <benchmark/benchmark.h>

// Ten zones fading through 512-channel scenes with sixteen 16-bit heads each, every
// figure generator running, a few channels held.
static void BM_FullLoadTick(benchmark::State& state)
{
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    playback_load::loadFull(live);
    dmx.setManual(300, 10);
    dmx.setManual16(4, 5, 0x8000);
    for (auto _ : state) {
        cueTick(live, dmx, false, false);
        benchmark::DoNotOptimize(dmx.data().data());
    }
}
BENCHMARK(BM_FullLoadTick);

// One zone jumping through a small look; the other nine on placeholders.
static void BM_LightTick(benchmark::State& state)
{
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    auto seq = std::make_shared<KySequence>();
    for (int scene = 0; scene < 4; ++scene) {
        KyScene s;
        for (int channel = 0; channel < 24; ++channel)
            s.setStatus(channel, KyChStatus{static_cast<std::uint8_t>(channel * 10 + scene), 0, 0, 0, 0});
        seq->appendScene(s);
    }
    live.zoneEngine(0) = KySeqEngine(seq);
    live.play();
    for (auto _ : state) {
        cueTick(live, dmx, false, false);
        benchmark::DoNotOptimize(dmx.data().data());
    }
}
BENCHMARK(BM_LightTick);

// The sequence editor's tick before its frame, on a working copy of four full scenes: writing
// the scene being recorded (0), or previewing it with fades and figures (1).
static void BM_EditorPlayback(benchmark::State& state)
{
    KyDmxSpace dmx;
    *dmx.editedSequence() = *playback_load::fullSequence(0);
    dmx.currentScene = 1;
    if (state.range(0) == 1) {
        dmx.previewEngine().play();
        dmx.previewEngine().playGenerators();
    }
    for (auto _ : state) {
        editorPlayback(dmx);
        benchmark::DoNotOptimize(dmx.data().data());
    }
}
BENCHMARK(BM_EditorPlayback)->Arg(0)->Arg(1);

// Reading a sequences file of 50 sequences of 8 full scenes each from memory.
static void BM_LoadLargeSequencesFile(benchmark::State& state)
{
    KySeque store;
    for (int i = 0; i < 50; ++i)
        store.addSequence(*playback_load::fullSequence(i % 10, 8));
    const vt::Bytes bytes = sequencesToBytes(store);
    for (auto _ : state) {
        KySeque loaded;
        benchmark::DoNotOptimize(sequencesFromBytes(loaded, bytes));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_LoadLargeSequencesFile)->Unit(benchmark::kMillisecond);
