// The tick must not allocate: this binary counts every allocation through the global
// operator new while ticks run under full load.

#include "cue/Dmx_space.h"
#include "dmx/OlaOutput.h"
#include "functions/Blackout.h"
#include "library/Library.h"
#include "music/BeatSource.h"
#include "music/BeatTracker.h"
#include "sequence/CueGlobals.h"
#include "sequence/SequenceEdit.h"
#include "support/PlaybackLoad.h"

#include <atomic>
#include <cstdlib>
#include <gtest/gtest.h>
#include <new>
#include <thread>

namespace {

std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* allocate(std::size_t n)
{
    if (counting)
        ++allocations;
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}

void* allocateAligned(std::size_t n, std::align_val_t align)
{
    if (counting)
        ++allocations;
    auto a = static_cast<std::size_t>(align);
    if (void* p = std::aligned_alloc(a, (n + a - 1) / a * a))
        return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t n) { return allocate(n); }
void* operator new[](std::size_t n) { return allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return std::malloc(n ? n : 1); }
void* operator new(std::size_t n, std::align_val_t a) { return allocateAligned(n, a); }
void* operator new[](std::size_t n, std::align_val_t a) { return allocateAligned(n, a); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

TEST(TickAllocation, FullLoadTicksAllocateNothing)
{
    KyDmxSpace dmx;
    KyCue& live = dmx.liveCue();
    playback_load::loadFull(live);
    live.zoneEngine(3).music = true;
    live.zoneEngine(3).beatsPerStep = 2;
    live.zoneEngine(7).speed = -30;
    dmx.setManual(100, 1);
    dmx.setManual16(8, 9, 0x1234); // a held pan

    // Long enough to cross scene changes, figure continuations and the loop back.
    counting = true;
    for (int tick = 0; tick < 200; ++tick) {
        if (tick == 120)
            live.pauseGenerators();
        if (tick == 150)
            live.playGenerators();
        cueTick(live, dmx, true, tick % 3 == 0);
        dmx.previewEngine().step(dmx, false, false);
        dmx.previewEngine().generatorStep(dmx);
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(live.zoneEngine(0).sceneIndex + live.zoneEngine(1).sceneIndex, 0);
}

// The sequence editor's tick writes the scene being edited, or steps the preview.
TEST(TickAllocation, EditorPlaybackAllocatesNothing)
{
    KyDmxSpace dmx;
    *dmx.editedSequence() = *playback_load::fullSequence(0);
    dmx.currentScene = 2;
    allocations = 0;
    counting = true;
    for (int tick = 0; tick < 100; ++tick) {
        if (tick == 50) {
            dmx.previewEngine().play();
            dmx.previewEngine().playGenerators();
        }
        editorPlayback(dmx);
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(dmx.currentScene, 0);
}

TEST(TickAllocation, BlackoutOverrideAllocatesNothing)
{
    KyLibrary library;
    KyDevice type;
    type.blackout.active = true;
    for (int channel = 1; channel <= 16; ++channel)
        type.blackout.setValue(channel, 0);
    library.addDevice(type);
    for (int start = 1; start <= 512; start += 8) {
        KyClubDevice device(library.deviceAt(0));
        device.startAddress = start;
        library.club.addClubDevice(device);
    }
    KyIcons icons;
    icons.build(library.club, 1);
    KyBlackoutOverride blackout(icons);
    std::array<std::uint8_t, 512> frame{};
    frame.fill(255);

    allocations = 0;
    counting = true;
    for (int tick = 0; tick < 20; ++tick)
        blackout.overrideFrame(frame);
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(frame[511], 0);
}

// The beat hand-off on both sides, taps included, and the tracker on the audio thread.
TEST(TickAllocation, BeatPulsesAndTheTrackerAllocateNothing)
{
    KyBeatSource beats;
    KyBeatTracker tracker(44100);
    std::vector<float> clicks(44100 * 4, 0.0f);
    for (std::size_t at = 4410; at + 100 < clicks.size(); at += 22050)
        for (std::size_t i = 0; i < 100; ++i)
            clicks[at + i] = (i % 2 == 0) ? 0.8f : -0.8f;
    const auto start = KyClock::now();

    allocations = 0;
    counting = true;
    int found = 0;
    tracker.process(clicks, [&](double) { ++found; });
    int pulses = 0;
    for (int tick = 0; tick < 200; ++tick) {
        const auto now = start + tick * std::chrono::milliseconds(50);
        if (tick == 0 || tick == 100)
            beats.setSource(tick == 0 ? KyRhythmSource::Audio : KyRhythmSource::Tap);
        if (tick % 10 == 0 && tick < 100)
            beats.audio().beat(120);
        if (tick % 7 == 0 && tick >= 100)
            beats.tap(now);
        pulses += beats.pulse(now, tick % 13 == 0) ? 1 : 0;
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_GT(found, 0);
    EXPECT_GT(pulses, 20);
}

TEST(TickAllocation, OlaHandOffAllocatesNothing)
{
    struct TakingDaemon : KyOlaConnection {
        bool connect() override { return true; }
        bool send(unsigned, std::span<const std::uint8_t, 512>) override { return true; }
        void disconnect() override {}
    };
    KyOlaOutput ola([](std::uint16_t) { return std::make_unique<TakingDaemon>(); });
    ola.setTarget({true, 1, 9010});
    while (!ola.connected())
        std::this_thread::yield();
    std::array<std::uint8_t, 512> frame{};

    allocations = 0;
    counting = true;
    for (int tick = 0; tick < 20; ++tick) {
        frame[0] = static_cast<std::uint8_t>(tick);
        ola.frameBuilt(frame);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    counting = false;
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_TRUE(ola.awaitLastFrameSent(std::chrono::seconds(3)));
}
