// What the OLA output adds to the tick: the hand-off to the sender thread, with a sender that
// takes every frame as a daemon would. Argument 0: the OLA output off, 1: on.

#include "app/Show.h"
#include "dmx/OlaOutput.h"

#include <benchmark/benchmark.h>

#include <thread>

namespace {

// A daemon that is always there and takes every frame.
struct TakingDaemon : KyOlaConnection {
    bool connect() override { return true; }
    bool send(unsigned, std::span<const std::uint8_t, 512> frame) override
    {
        benchmark::DoNotOptimize(frame.data());
        return true;
    }
    void disconnect() override {}
};

// The show of the light tick without a module (one zone jumping through a small look), with
// the OLA output on or off.
class LightShow {
public:
    explicit LightShow(bool withOla)
    {
        auto seq = std::make_shared<KySequence>();
        for (int scene = 0; scene < 4; ++scene) {
            KyScene s;
            for (int channel = 0; channel < 24; ++channel)
                s.setStatus(channel, KyChStatus{static_cast<std::uint8_t>(channel * 10 + scene), 0, 0, 0, 0});
            seq->appendScene(s);
        }
        KyCue& live = show.dmx.liveCue();
        live.zoneEngine(0) = KySeqEngine(seq);
        live.play();
        show.usb.frameOutput = &ola;
        ola.setTarget({withOla, 1, KyOlaTarget::kDefaultPort});
        while (withOla && !ola.connected())
            std::this_thread::yield();
    }

    void tick()
    {
        show.tick();
        benchmark::DoNotOptimize(show.dmx.data().data());
    }

private:
    KyShow show{DataPaths::in("/nonexistent")};
    KyOlaOutput ola{[](std::uint16_t) { return std::make_unique<TakingDaemon>(); }};
};

} // namespace

// Tick after tick, with everything in the caches.
static void BM_LightShowTick(benchmark::State& state)
{
    LightShow show(state.range(0) != 0);
    for (auto _ : state)
        show.tick();
}
BENCHMARK(BM_LightShowTick)->Arg(0)->Arg(1);

// At a tick's pace, as in the program: the sender has taken the last frame and the caches
// have cooled. Timed by hand, as pausing the benchmark's clock costs more than a tick.
static void BM_LightShowTickAtTickPace(benchmark::State& state)
{
    LightShow show(state.range(0) != 0);
    for (auto _ : state) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        auto start = std::chrono::steady_clock::now();
        show.tick();
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(BM_LightShowTickAtTickPace)->Arg(0)->Arg(1)->UseManualTime()->Iterations(2000);
