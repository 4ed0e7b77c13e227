#include "sequence/SeqEngine.h"

#include "dmx/Universe.h"
#include "sequence/CueGlobals.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A scene time scaled by a speed factor in double precision, truncated, at least 1 tick.
std::uint32_t scaledLength(std::uint32_t sceneTime, float factor)
{
    double ticks = std::trunc(static_cast<double>(sceneTime) * static_cast<double>(factor));
    if (!(ticks >= 1))
        return 1;
    return static_cast<std::uint32_t>(std::min(ticks, double(std::numeric_limits<std::uint32_t>::max())));
}

void writeIfFree(KyUniverse& dmx, std::int32_t channel, std::uint8_t value)
{
    if (!dmx.isHeld(channel))
        dmx.setChannel(channel, value);
}

void writeScene(KyUniverse& dmx, const KyScene& scene)
{
    const std::uint8_t* values = scene.values().data();
    for (const auto& run : scene.shape().valueRuns)
        dmx.setFreeChannels(run.channel, values + run.position, run.length);
}

// The levels of one tick of a fade: elapsed × step + start, clamped and truncated; the
// 16-bit level for coarse entries, its low byte range for single ones (a single entry's
// level never leaves 0..255, since it moves between two byte values). The same
// single-precision operations in any vector width (no fused multiply-add), so the wider
// variant gives the same values where the processor has it.
[[gnu::always_inline]] inline void fadeLevelsLoop(const float* from, const float* step, float elapsed,
                                                  std::size_t n, int* wide, std::uint8_t* single)
{
    for (std::size_t k = 0; k < n; ++k) {
        const float moved = elapsed * step[k];
        const float v = moved + from[k];
        const int level = static_cast<int>(std::max(0.0f, std::min(v, 65535.0f)));
        wide[k] = level;
        single[k] = static_cast<std::uint8_t>(std::min(level, 255));
    }
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void fadeLevelsAvx2(const float* from, const float* step, float elapsed, std::size_t n,
                                            int* wide, std::uint8_t* single)
{
    fadeLevelsLoop(from, step, elapsed, n, wide, single);
}
#endif

void fadeLevels(const float* from, const float* step, float elapsed, std::size_t n, int* wide, std::uint8_t* single)
{
#if defined(__x86_64__)
    static const bool avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    if (avx2)
        return fadeLevelsAvx2(from, step, elapsed, n, wide, single);
#endif
    fadeLevelsLoop(from, step, elapsed, n, wide, single);
}

// The fade: each entry's start level and step toward the next scene (one single-precision
// division per entry) are kept by the engine between ticks when it has room for them, and
// made for each tick otherwise; each tick then forms the levels chunk by chunk and writes the
// channels. Entries pair with the next scene's by position.
class Fade {
public:
    Fade(const KyScene& current, const KyScene& next, std::uint32_t tick, float span)
        : current_(current), next_(next), c_(current.shape()), n_(next.shape()), values_(current.values().data()),
          nextValues_(next.values().data()), elapsed_(static_cast<float>(tick)), span_(span)
    {
    }

    void write(KyUniverse& dmx, KyFadeSteps& kept) const
    {
        const std::size_t count = c_.size();
        if (kept.hasRoom() && count <= KyFadeSteps::kEntries) {
            if (!kept.holds(current_.revision(), next_.revision(), span_)) {
                fillSteps(0, count, kept.from(), kept.step());
                kept.store(current_.revision(), next_.revision(), span_);
            }
            Cursor cursor;
            writeChunk(dmx, 0, count, kept.from(), kept.step(), cursor);
            return;
        }
        Cursor cursor;
        for (std::size_t first = 0; first < count; first += kChunk) {
            const std::size_t n = std::min(kChunk, count - first);
            float from[kChunk], step[kChunk];
            fillSteps(first, n, from, step);
            writeChunk(dmx, first, n, from, step, cursor);
        }
    }

private:
    static constexpr std::size_t kChunk = KyFadeSteps::kEntries;
    struct Levels {
        int wide[kChunk];
        std::uint8_t single[kChunk];
    };
    // How far the runs and pairs have been written, across chunks.
    struct Cursor {
        std::size_t run = 0, runDone = 0, pair = 0;
    };

    void writeChunk(KyUniverse& dmx, std::size_t first, std::size_t n, const float* from, const float* step,
                    Cursor& cursor) const
    {
        Levels levels;
        fadeLevels(from, step, elapsed_, n, levels.wide, levels.single);
        if (c_.orderedWrites)
            storeInOrder(dmx, first, n, levels);
        else
            store(dmx, first, n, levels, cursor);
    }

    // A coarse entry's 16-bit level: its value with the scene's value of its fine channel.
    float coarseLevel(std::size_t i) const
    {
        const std::uint32_t fine = c_.finePosition[i];
        return static_cast<float>(values_[i] * 256 + (fine == KySceneShape::kNone ? 0 : values_[fine]));
    }

    // The next scene's value of a channel, 0 where it has none.
    std::uint8_t nextValueOf(std::int32_t channel) const
    {
        const std::uint32_t i = n_.find(channel);
        return i == KySceneShape::kNone ? 0 : nextValues_[i];
    }

    // Where coarse entry i goes, when the next scene has an entry at its position: that entry
    // as the coarse byte, with the next scene's value of its own fine channel.
    float coarseTarget(std::size_t i) const
    {
        const std::uint32_t fine = c_.finePosition[i];
        const std::uint8_t low = &n_ == &c_ ? (fine == KySceneShape::kNone ? 0 : nextValues_[fine])
                                            : nextValueOf(c_.fineChannel[i]);
        return static_cast<float>(nextValues_[i] * 256 + low);
    }

    // Entry i moves from its level to the next scene's entry at the same position; an entry
    // the next scene lacks holds its level. Built in passes over whole arrays, with the few
    // coarse entries mended after each, so that the compiler vectorises them.
    void fillSteps(std::size_t first, std::size_t n, float* from, float* step) const
    {
        const std::size_t end = first + n;
        const std::size_t paired = std::clamp(n_.size(), first, end) - first;
        const auto& coarse = c_.pairPositions;
        const auto firstCoarse = std::lower_bound(coarse.begin(), coarse.end(), first);
        const auto endCoarse = std::lower_bound(firstCoarse, coarse.end(), end);
        for (std::size_t k = 0; k < n; ++k)
            from[k] = values_[first + k];
        for (auto i = firstCoarse; i != endCoarse; ++i)
            from[*i - first] = coarseLevel(*i);
        float* to = step; // the targets first, made into steps below
        for (std::size_t k = 0; k < paired; ++k)
            to[k] = nextValues_[first + k];
        for (std::size_t k = paired; k < n; ++k)
            to[k] = from[k];
        for (auto i = firstCoarse; i != endCoarse && *i < first + paired; ++i)
            to[*i - first] = coarseTarget(*i);
        // A scene time of 0 (only from a damaged file) would divide by zero: no fade.
        if (!(span_ > 0)) {
            std::fill(step, step + n, 0.0f);
            return;
        }
        for (std::size_t k = 0; k < n; ++k)
            step[k] = (to[k] - from[k]) / span_;
    }

    void writePair(KyUniverse& dmx, std::size_t i, int level) const
    {
        const std::int32_t coarse = c_.channel[i];
        const std::int32_t fine = c_.fineChannel[i];
        if (!dmx.isHeld(coarse) && !dmx.isHeld(fine)) {
            dmx.setChannel(coarse, static_cast<std::uint8_t>(level >> 8));
            dmx.setChannel(fine, static_cast<std::uint8_t>(level & 0xFF));
        }
    }

    void store(KyUniverse& dmx, std::size_t first, std::size_t n, const Levels& levels, Cursor& at) const
    {
        const std::size_t end = first + n;
        const auto& runs = c_.runs;
        for (; at.run < runs.size() && runs[at.run].position + at.runDone < end; at.runDone = 0, ++at.run) {
            const KySceneShape::Run& run = runs[at.run];
            const std::size_t from = run.position + at.runDone;
            const std::size_t length = std::min<std::size_t>(run.length - at.runDone, end - from);
            dmx.setFreeChannels(run.channel + int(at.runDone), levels.single + (from - first), length);
            at.runDone += length;
            if (at.runDone < run.length)
                break; // the rest of the run lies in the next chunk
        }
        const auto& pairs = c_.pairPositions;
        for (; at.pair < pairs.size() && pairs[at.pair] < end; ++at.pair)
            writePair(dmx, pairs[at.pair], levels.wide[pairs[at.pair] - first]);
    }

    void storeInOrder(KyUniverse& dmx, std::size_t first, std::size_t n, const Levels& levels) const
    {
        for (std::size_t k = 0; k < n; ++k) {
            const std::size_t i = first + k;
            if (c_.kind[i] == 0)
                writeIfFree(dmx, c_.channel[i], levels.single[k]);
            else if (c_.kind[i] == 2)
                writePair(dmx, i, levels.wide[k]);
            // A fine byte is written by its coarse partner; other kinds write nothing.
        }
    }

    const KyScene& current_;
    const KyScene& next_;
    const KySceneShape& c_;
    const KySceneShape& n_;
    const std::uint8_t* values_;
    const std::uint8_t* nextValues_;
    const float elapsed_;
    const float span_;
};

// One axis of a pan/tilt pair: the generator's offset around what the scene wrote.
void applyAxis(KyUniverse& dmx, const KyGenerator& g, double sine, std::int32_t coarse, std::int32_t fine, bool wide,
               double amplitudeFactor)
{
    if (!g.enabled || dmx.isHeld(coarse) || (wide && dmx.isHeld(fine)))
        return;
    const auto& u = dmx.data();
    auto valueAt = [&](std::int32_t i) { return KyUniverse::inRange(i) ? int(u[std::size_t(i)]) : 0; };
    int base = wide ? valueAt(coarse) * 256 + valueAt(fine) : valueAt(coarse);
    int v = g.valueFromSine(sine, base, wide, amplitudeFactor);
    if (wide) {
        dmx.setChannel(coarse, static_cast<std::uint8_t>(v >> 8));
        dmx.setChannel(fine, static_cast<std::uint8_t>(v & 0xFF));
    } else {
        dmx.setChannel(coarse, static_cast<std::uint8_t>(v));
    }
}

// The angle of an axis whose output is written, 0 for one that is switched off.
double outputAngle(const KyGenerator& g)
{
    return g.enabled ? g.theta() : 0.0;
}

} // namespace

void KyFadeSteps::makeRoom()
{
    if (!room_)
        room_ = std::make_unique<Room>();
    forget();
}

KySeqEngine::KySeqEngine() : KySeqEngine(std::make_shared<KySequence>()) {}

KySeqEngine::KySeqEngine(std::shared_ptr<KySequence> seq)
    : sequence(seq ? std::move(seq) : std::make_shared<KySequence>())
{
    sequenceId = sequence->id;
}

void KySeqEngine::play()
{
    playing = true;
    paused = false;
}

void KySeqEngine::stop()
{
    playing = false;
    paused = false;
    rewind();
    sceneEnd = true;
    sequence->resetGenerators();
}

void KySeqEngine::rewind()
{
    sceneEnd = false;
    previousFactor = 1.0f;
    sceneIndex = 0;
    tick = 0;
    duration = 0;
    beatCount = 0;
}

void KySeqEngine::playGenerators()
{
    generatorsPlaying = true;
    generatorsPaused = false;
}

void KySeqEngine::stopGenerators()
{
    generatorsPlaying = false;
    generatorsPaused = false;
    sequence->resetGenerators();
}

float KySeqEngine::speedFactor()
{
    speed = std::clamp(speed, -100, 100);
    // Single-precision constants, the arithmetic in double, the result rounded to float.
    const double s = speed;
    return static_cast<float>(speed >= 0 ? 1.0 - double(0.009375f) * s : 1.0 - double(0.15f) * s);
}

std::size_t KySeqEngine::currentSceneIndex()
{
    if (static_cast<std::size_t>(sceneIndex) >= sequence->scenes.size()) {
        sceneIndex = 0;
        tick = 0;
        sceneEnd = false;
        beatCount = 0;
    }
    return static_cast<std::size_t>(sceneIndex);
}

void KySeqEngine::output(KyUniverse& dmx, std::size_t current)
{
    const auto& scenes = sequence->scenes;
    const KyScene& scene = scenes[current];
    const float f = speedFactor();
    duration = scaledLength(scene.sceneTime, f);
    const std::uint32_t previousDuration = scaledLength(scene.sceneTime, previousFactor);
    // A speed change mid-scene keeps the elapsed part's proportion of the scene.
    std::uint64_t rescaled = std::uint64_t(duration) * tick / previousDuration;
    tick = static_cast<std::uint32_t>(std::min<std::uint64_t>(rescaled, std::numeric_limits<std::uint32_t>::max()));
    if (!sequence->fade) {
        writeScene(dmx, scene);
    } else {
        const KyScene& next = scenes[current + 1 < scenes.size() ? current + 1 : 0];
        const float span = static_cast<float>(scene.sceneTime) * f;
        Fade(scene, next, tick, span).write(dmx, fadeSteps_);
    }
    previousFactor = f;
}

void KySeqEngine::advanceTime()
{
    ++tick;
    if (tick >= duration - 1)
        sceneEnd = true;
}

void KySeqEngine::changeScene()
{
    sceneEnd = false;
    tick = 0;
    sceneIndex = static_cast<std::size_t>(sceneIndex) + 1 < sequence->scenes.size() ? sceneIndex + 1 : 0;
    beatCount = 0;
}

std::int32_t KySeqEngine::step(KyUniverse& dmx, bool musicOn, bool pulse)
{
    if (sequence->scenes.empty())
        return 0;
    const std::size_t current = currentSceneIndex();
    if (!playing) {
        writeScene(dmx, sequence->scenes[current]);
        return 0;
    }
    output(dmx, current);
    const std::int32_t shown = sceneIndex;
    if (paused)
        return shown;
    if (music && musicOn) {
        if (pulse)
            ++beatCount;
        const bool reached = beatCount >= beatsPerStep;
        if (!sceneEnd) {
            // A fade runs its full time; a jump changes as soon as the pulses are there.
            if (!sequence->fade && reached)
                changeScene();
            else
                advanceTime();
        }
        // Checked again: a fade whose time ran out in this very tick changes at once when
        // its pulses are already counted.
        if (sceneEnd && reached)
            changeScene();
    } else if (!sceneEnd) {
        advanceTime();
    } else {
        changeScene();
    }
    return shown;
}

void KySeqEngine::generatorStep(KyUniverse& dmx)
{
    auto& scenes = sequence->scenes;
    if (!generatorsPlaying || scenes.empty())
        return;
    const std::size_t c = currentSceneIndex();
    KyScene& scene = scenes[c];
    const KyScene& previous = scenes[c == 0 ? scenes.size() - 1 : c - 1];
    const bool sceneJustEntered = tick == 0 && playing && !paused;
    const KyCueGlobals& globals = cueGlobals();
    // Pairs go in batches: all figures of a batch move, then their sines are taken in one
    // run (independent calls overlap in the processor), then the axes are written in pair
    // order. Pairs that share a record must see each other's moves, so they go one by one.
    constexpr std::size_t kBatch = 32;
    const std::size_t batch = scene.shape().pairsShareGenerators ? 1 : kBatch;
    const std::size_t pairCount = scene.pairCount();
    for (std::size_t first = 0; first < pairCount; first += batch) {
        const std::size_t n = std::min(batch, pairCount - first);
        double sine[2 * kBatch];
        KyScene::PanTiltPair pairs[kBatch];
        for (std::size_t k = 0; k < n; ++k) {
            const KyScene::PanTiltPair& pair = pairs[k] = scene.pairAt(first + k);
            KyScene::PairRecords before;
            if (sceneJustEntered)
                before = previous.recordsOfPair(scene, first + k);
            moveFigure(pair, sceneJustEntered ? &before : nullptr, globals.generatorSpeed);
            sine[2 * k] = outputAngle(*pair.panGenerator);
            sine[2 * k + 1] = outputAngle(*pair.tiltGenerator);
        }
        for (std::size_t k = 0; k < 2 * n; ++k)
            sine[k] = std::sin(sine[k]);
        for (std::size_t k = 0; k < n; ++k) {
            const KyScene::PanTiltPair& pair = pairs[k];
            const double a = globals.generatorAmplitude;
            applyAxis(dmx, *pair.panGenerator, sine[2 * k], pair.pan, pair.panFine, pair.wide, a);
            applyAxis(dmx, *pair.tiltGenerator, sine[2 * k + 1], pair.tilt, pair.tiltFine, pair.wide, a);
        }
    }
}

// On the first tick of a newly entered scene a figure either carries on from the previous
// scene's records or starts again from angle 0 (and stands still for that tick).
void KySeqEngine::moveFigure(const KyScene::PanTiltPair& pair, const KyScene::PairRecords* entered,
                             double speedFactor)
{
    KyGenerator& p1 = *pair.panGenerator;
    KyGenerator& t1 = *pair.tiltGenerator;
    bool moves = !generatorsPaused;
    if (entered) {
        const KyGenerator& p0 = *entered->pan;
        const KyGenerator& t0 = *entered->tilt;
        if (figureContinues(p0, t0, p1, t1)) {
            p1.takeRunningState(p0);
            t1.takeRunningState(t0);
        } else {
            p1.resetRunningState();
            t1.resetRunningState();
            moves = false;
        }
    }
    if (moves) {
        p1.advance(speedFactor);
        t1.advance(speedFactor);
    }
    p1.partnerSpeed = t1.effectiveSpeed();
    t1.partnerSpeed = p1.effectiveSpeed();
}
