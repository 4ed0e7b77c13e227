#include "cue/Dmx_space.h"
#include "sequence/SeqEngine.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace {

KyScene sceneOf(std::initializer_list<std::pair<int, std::uint8_t>> values, std::uint32_t time)
{
    KyScene s;
    for (auto [channel, value] : values)
        s.setStatus(channel, KyChStatus{value, 0, 0, 0, 0});
    s.sceneTime = time;
    return s;
}

std::shared_ptr<KySequence> sequenceOf(vt::BulkVector<KyScene> scenes, bool fade)
{
    auto seq = std::make_shared<KySequence>();
    seq->scenes = std::move(scenes);
    seq->fade = fade;
    return seq;
}

// The scene indexes `step` returns over n ticks.
std::vector<int> shownScenes(KySeqEngine& engine, KyDmxSpace& dmx, int n, bool musicOn = false,
                             const std::vector<int>& pulseTicks = {})
{
    std::vector<int> shown;
    for (int t = 0; t < n; ++t) {
        bool pulse = std::find(pulseTicks.begin(), pulseTicks.end(), t) != pulseTicks.end();
        shown.push_back(engine.step(dmx, musicOn, pulse));
    }
    return shown;
}

} // namespace

TEST(SeqEngine, SpeedFactorAndScaledDurations)
{
    struct Case { int speed; float factor; std::uint32_t duration; int storedSpeed; };
    const Case cases[] = {
        {0, 1.0f, 20, 0},
        {100, 0.062499962747097015f, 1, 100},
        {50, 0.53125f, 10, 50},
        {1, 0.9906250238418579f, 19, 1},
        {-1, 1.149999976158142f, 22, -1}, // 20 x 1.1499999762 truncated, not 23
        {-50, 8.5f, 170, -50},
        {-100, 16.0f, 320, -100},
        {150, 0.062499962747097015f, 1, 100},
        {-400, 16.0f, 320, -100},
    };
    for (const Case& c : cases) {
        KyDmxSpace dmx;
        KySeqEngine engine(sequenceOf({sceneOf({{0, 1}}, 20)}, false));
        engine.speed = c.speed;
        engine.play();
        engine.step(dmx, false, false);
        EXPECT_EQ(engine.speed, c.storedSpeed) << c.speed;
        EXPECT_EQ(engine.previousFactor, c.factor) << c.speed;
        EXPECT_EQ(engine.duration, c.duration) << c.speed;
    }
}

TEST(SeqEngine, SceneLastsItsDurationButAtLeastTwoTicks)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{0, 1}}, 20), sceneOf({{0, 2}}, 20)}, false));
    engine.play();
    auto shown = shownScenes(engine, dmx, 41);
    EXPECT_EQ(std::count(shown.begin(), shown.begin() + 20, 0), 20); // a new engine plays all of scene 0
    EXPECT_EQ(shown[20], 1);
    EXPECT_EQ(shown[40], 0);

    KySeqEngine fast(sequenceOf({sceneOf({{0, 1}}, 20), sceneOf({{0, 2}}, 20)}, false));
    fast.speed = 100;
    fast.play();
    EXPECT_EQ(shownScenes(fast, dmx, 6), (std::vector<int>{0, 0, 1, 1, 0, 0}));
}

TEST(SeqEngine, SpeedChangeMidSceneKeepsTheElapsedProportion)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{0, 1}}, 20)}, false));
    engine.play();
    shownScenes(engine, dmx, 10);
    ASSERT_EQ(engine.tick, 10u);
    engine.speed = -100;
    engine.step(dmx, false, false);
    EXPECT_EQ(engine.duration, 320u);
    EXPECT_EQ(engine.tick, 160u + 1); // moved to 160, then advanced by this tick
}

TEST(SeqEngine, LongestSceneAtTheSlowestSpeedDoesNotOverflowTheRescale)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{0, 1}}, 60000)}, false));
    engine.play();
    engine.speed = -100;
    engine.step(dmx, false, false);
    engine.tick = 959990; // 960000 x 959990 needs more than 32 bits
    engine.step(dmx, false, false);
    EXPECT_EQ(engine.duration, 960000u);
    EXPECT_EQ(engine.tick, 959991u);
}

TEST(SeqEngine, EightBitFade)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{3, 0}}, 20), sceneOf({{3, 255}}, 20)}, true));
    engine.play();
    shownScenes(engine, dmx, 10);
    engine.step(dmx, false, false); // tick 10
    EXPECT_EQ(dmx.data()[3], 127);   // 10 x 12.75 = 127.5, truncated
}

TEST(SeqEngine, SixteenBitFadeWritesCoarseAndFine)
{
    auto wide = [](std::uint16_t v) {
        KyScene s;
        s.setStatus(40, KyChStatus{std::uint8_t(v >> 8), 2, 0, 41, 0});
        s.setStatus(41, KyChStatus{std::uint8_t(v & 0xFF), 1, 0, 0, 0});
        s.sceneTime = 16;
        return s;
    };
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({wide(0x1000), wide(0x2000)}, true));
    engine.play();
    shownScenes(engine, dmx, 8);
    engine.step(dmx, false, false); // tick 8
    EXPECT_EQ(dmx.data()[40], 0x18);
    EXPECT_EQ(dmx.data()[41], 0x00);

    // A held fine byte keeps the pair from being written.
    dmx.setManual(41, 9);
    dmx.setChannel(40, 0);
    engine.step(dmx, false, false);
    EXPECT_EQ(dmx.data()[40], 0);
    EXPECT_EQ(dmx.data()[41], 9);
}

TEST(SeqEngine, OneSceneFadeIsConstant)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{0, 77}}, 5)}, true));
    engine.play();
    for (int t = 0; t < 12; ++t) {
        engine.step(dmx, false, false);
        EXPECT_EQ(dmx.data()[0], 77) << t;
    }
}

TEST(SeqEngine, AfterStopAndPlayTheFirstTickShowsSceneZeroOnce)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{0, 10}}, 3), sceneOf({{0, 20}}, 4)}, false));
    engine.play();
    shownScenes(engine, dmx, 5);
    engine.stop();
    // Stopped: scene 0 every tick, reported as 0.
    EXPECT_EQ(shownScenes(engine, dmx, 3), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(dmx.data()[0], 10);
    engine.play();
    EXPECT_EQ(shownScenes(engine, dmx, 9), (std::vector<int>{0, 1, 1, 1, 1, 0, 0, 0, 1}));
}

TEST(SeqEngine, PauseHoldsTheLookAndTheTime)
{
    KyDmxSpace dmx;
    KySeqEngine engine(sequenceOf({sceneOf({{0, 0}}, 10), sceneOf({{0, 100}}, 10)}, true));
    engine.play();
    shownScenes(engine, dmx, 5);
    engine.pause();
    for (int t = 0; t < 4; ++t) {
        dmx.keepHeldOnly();
        engine.step(dmx, false, false);
        EXPECT_EQ(dmx.data()[0], 50);
        EXPECT_EQ(engine.tick, 5u);
    }
    engine.play();
    engine.step(dmx, false, false);
    EXPECT_EQ(engine.tick, 6u);
}

TEST(SeqEngine, MusicSteppingCountsPulses)
{
    KyDmxSpace dmx;
    auto jump = sequenceOf({sceneOf({{0, 1}}, 20), sceneOf({{0, 2}}, 20)}, false);
    KySeqEngine engine(jump);
    engine.music = true;
    engine.beatsPerStep = 4;
    engine.play();
    // The fourth pulse changes the scene in its own tick, long before the time runs out.
    auto shown = shownScenes(engine, dmx, 8, true, {1, 2, 4, 5});
    EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 0, 0, 0, 1, 1}));
    // Without pulses it stays, whatever the time.
    shown = shownScenes(engine, dmx, 100, true);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 1), 100);
    // With the music switch off, it runs on time.
    shown = shownScenes(engine, dmx, 40, false);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 0), 20);

    // A fade runs its full time and changes in the tick its time runs out when the pulses
    // are already counted; otherwise it waits for them.
    KySeqEngine fading(sequenceOf({sceneOf({{0, 0}}, 4), sceneOf({{0, 40}}, 4)}, true));
    fading.music = true;
    fading.beatsPerStep = 2;
    fading.play();
    EXPECT_EQ(shownScenes(fading, dmx, 10, true, {0, 1, 6}), (std::vector<int>{0, 0, 0, 1, 1, 1, 1, 1, 1, 1}));
}

TEST(SeqEngine, HeldChannelsAreNeverWritten)
{
    for (bool fade : {false, true}) {
        KyDmxSpace dmx;
        dmx.setManual(0, 50);
        KySeqEngine engine(sequenceOf({sceneOf({{0, 1}, {1, 2}}, 3), sceneOf({{0, 200}, {1, 3}}, 3)}, fade));
        engine.step(dmx, false, false); // stopped
        engine.play();
        for (int t = 0; t < 10; ++t) {
            if (t == 5)
                engine.pause();
            engine.step(dmx, false, false);
            EXPECT_EQ(dmx.data()[0], 50) << fade << t;
        }
        EXPECT_NE(dmx.data()[1], 0);
    }
}

TEST(SeqEngine, SurvivesDamagedOrShrunkenSequences)
{
    KyDmxSpace dmx;
    auto seq = sequenceOf({sceneOf({{0, 1}}, 2), sceneOf({{0, 2}}, 2), sceneOf({{0, 3}, {600, 9}}, 0)}, true);
    KySeqEngine engine(seq);
    engine.play();
    shownScenes(engine, dmx, 6);
    seq->eraseScene(2);
    seq->eraseScene(1);
    engine.sceneIndex = 2;
    EXPECT_EQ(engine.step(dmx, false, false), 0);
    KySeqEngine empty;
    empty.play();
    EXPECT_EQ(empty.step(dmx, false, false), 0);
    empty.generatorStep(dmx);
}

namespace {

// The output step written entry by entry over the ordered maps, as plainly as possible,
// to check the engine's flat layouts against.
void referenceOutput(KyDmxSpace& dmx, const KySequence& seq, std::size_t c, std::uint32_t tick, float f)
{
    const KyScene& scene = seq.sceneAt(c);
    const KyScene& next = seq.sceneAt(c + 1 < seq.sceneCount() ? c + 1 : 0);
    std::vector<std::pair<std::int32_t, KyChStatus>> from(scene.channels().begin(), scene.channels().end());
    std::vector<std::pair<std::int32_t, KyChStatus>> to(next.channels().begin(), next.channels().end());
    const float span = static_cast<float>(scene.sceneTime) * f;
    for (std::size_t i = 0; i < from.size(); ++i) {
        const auto& [channel, status] = from[i];
        if (!seq.fade) {
            if (!dmx.isHeld(channel))
                dmx.setChannel(channel, status.value);
            continue;
        }
        float start = status.value, target = start, top = 255;
        if (status.kind == 2) {
            top = 65535;
            start = static_cast<float>(status.value * 256 + scene.statusOf(status.fineChannel).value);
            target = start;
            if (i < to.size())
                target = static_cast<float>(to[i].second.value * 256 + next.statusOf(status.fineChannel).value);
        } else if (i < to.size()) {
            target = to[i].second.value;
        }
        const float step = span > 0 ? (target - start) / span : 0.0f;
        const float product = static_cast<float>(tick) * step;
        const float v = std::clamp(product + start, 0.0f, top);
        if (status.kind == 0 && !dmx.isHeld(channel)) {
            dmx.setChannel(channel, static_cast<std::uint8_t>(v));
        } else if (status.kind == 2 && !dmx.isHeld(channel) && !dmx.isHeld(status.fineChannel)) {
            dmx.setChannel(channel, static_cast<std::uint8_t>(int(v) >> 8));
            dmx.setChannel(status.fineChannel, static_cast<std::uint8_t>(int(v) & 0xFF));
        }
    }
}

KyScene randomScene(std::mt19937& random, int entries, bool clash)
{
    std::uniform_int_distribution<int> channelOf(-3, 700), byte(0, 255), kindOf(0, 3);
    KyScene s;
    for (int i = 0; i < entries; ++i) {
        const int channel = clash ? channelOf(random) : i;
        const auto kind = static_cast<std::uint8_t>(clash ? kindOf(random) : (i % 7 == 0 ? 2 : i % 7 == 1 ? 1 : 0));
        const int fine = clash ? channelOf(random) : i + 1;
        s.setStatus(channel, KyChStatus{std::uint8_t(byte(random)), kind, 0, kind == 2 ? fine : 0, 0});
    }
    s.sceneTime = static_cast<std::uint32_t>(std::uniform_int_distribution<int>(1, 9)(random));
    return s;
}

} // namespace

TEST(SeqEngine, FlatLayoutsWriteWhatTheEntriesSay)
{
    // Plain scenes, scenes past one chunk of entries, and scenes whose entries clash (one
    // channel written twice, unknown kinds, channels outside the universe).
    struct Case { int entries; bool clash; };
    std::mt19937 random(7);
    for (const Case& c : {Case{40, false}, Case{700, false}, Case{300, true}, Case{900, true}}) {
        for (bool fade : {true, false}) {
            auto seq = std::make_shared<KySequence>();
            seq->fade = fade;
            for (int i = 0; i < 3; ++i)
                seq->appendScene(randomScene(random, c.entries - i * 5, c.clash));
            KyDmxSpace engineSide, referenceSide;
            for (int held : {5, 6, 33, 400}) {
                engineSide.setManual(held, 1);
                referenceSide.setManual(held, 1);
            }
            KySeqEngine engine(seq);
            engine.play();
            for (int t = 0; t < 40; ++t) {
                const auto scene = static_cast<std::size_t>(engine.sceneIndex);
                const std::uint32_t tick = engine.tick;
                engine.step(engineSide, false, false);
                referenceOutput(referenceSide, *seq, scene, tick, 1.0f);
                ASSERT_EQ(engineSide.data(), referenceSide.data()) << c.entries << c.clash << fade << " tick " << t;
            }
        }
    }
}
