#include "sequence/SeqEngine.h"

#include "cue/CueGlobals.h"
#include "dmx/Dmx_space.h"

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

void writeIfFree(KyDmxSpace& dmx, std::int32_t channel, std::uint8_t value)
{
    if (!dmx.isHeld(channel))
        dmx.setChannel(channel, value);
}

void writeScene(KyDmxSpace& dmx, const KyScene& scene)
{
    const auto& c = scene.columns();
    for (const auto& run : c.valueRuns)
        dmx.setFreeChannels(run.channel, c.value.data() + run.position, run.length);
}

// The levels of one tick of a fade: elapsed × step + start, clamped to the entry's range
// and truncated. The same single-precision operations in any vector width (no fused
// multiply-add), so the wider variant gives the same values where the processor has it.
[[gnu::always_inline]] inline void fadeLevelsLoop(const std::int32_t* kind, const float* from, const float* step,
                                                  float elapsed, std::size_t n, int* wide, std::uint8_t* single)
{
    for (std::size_t k = 0; k < n; ++k) {
        const float top = kind[k] == 2 ? 65535.0f : 255.0f;
        const float moved = elapsed * step[k];
        const float v = moved + from[k];
        const int level = static_cast<int>(std::max(0.0f, std::min(v, top)));
        wide[k] = level;
        single[k] = static_cast<std::uint8_t>(level);
    }
}

#if defined(__x86_64__)
[[gnu::target("avx2")]] void fadeLevelsAvx2(const std::int32_t* kind, const float* from, const float* step,
                                            float elapsed, std::size_t n, int* wide, std::uint8_t* single)
{
    fadeLevelsLoop(kind, from, step, elapsed, n, wide, single);
}
#endif

void fadeLevels(const std::int32_t* kind, const float* from, const float* step, float elapsed, std::size_t n,
                int* wide, std::uint8_t* single)
{
#if defined(__x86_64__)
    static const bool avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    if (avx2)
        return fadeLevelsAvx2(kind, from, step, elapsed, n, wide, single);
#endif
    fadeLevelsLoop(kind, from, step, elapsed, n, wide, single);
}

// The fade: each entry's step toward the next scene (one single-precision division per
// entry, in passes the compiler vectorises) is kept in the scene between ticks; each tick
// then forms the levels chunk by chunk and writes the channels. Entries pair with the next
// scene's by position.
class Fade {
public:
    Fade(const KyScene& current, const KyScene& next, std::uint32_t tick, float span)
        : current_(current), c_(current.columns()), n_(next.columns()), next_(next),
          elapsed_(static_cast<float>(tick)), span_(span)
    {
    }

    void write(KyDmxSpace& dmx) const
    {
        const float* steps = stepsTowardNext();
        const std::size_t count = c_.channel.size();
        Cursor cursor;
        for (std::size_t first = 0; first < count; first += kChunk) {
            const std::size_t n = std::min(kChunk, count - first);
            Levels levels;
            compute(first, n, steps + first, levels);
            if (c_.orderedWrites)
                storeInOrder(dmx, first, n, levels);
            else
                store(dmx, first, n, levels, cursor);
        }
    }

private:
    static constexpr std::size_t kChunk = 512;
    struct Levels {
        int wide[kChunk];
        std::uint8_t single[kChunk];
    };
    // How far the runs and pairs have been written, across chunks.
    struct Cursor {
        std::size_t run = 0, runDone = 0, pair = 0;
    };

    const float* stepsTowardNext() const
    {
        KyScene::FadeSteps& cache = current_.fadeSteps();
        if (cache.nextRevision != next_.revision() || cache.span != span_) {
            fillSteps(cache.step.data());
            cache.nextRevision = next_.revision();
            cache.span = span_;
        }
        return cache.step.data();
    }

    void fillSteps(float* step) const
    {
        const std::size_t count = c_.channel.size();
        const std::size_t paired = std::min(count, n_.channel.size());
        const std::int32_t* kind = c_.kind.data();
        const float* from = c_.level.data();
        const std::int32_t* fine = c_.fineChannel.data();
        const std::int32_t* nextKind = n_.kind.data();
        const std::int32_t* nextFine = n_.fineChannel.data();
        const float* nextLevel = n_.level.data();
        const float* nextValue = n_.valueF.data();
        float* to = step; // targets first, turned into steps below
        for (std::size_t k = 0; k < paired; ++k) {
            // Both loaded unconditionally, so that the selection vectorises.
            const float wideTarget = nextLevel[k];
            const float singleTarget = nextValue[k];
            to[k] = kind[k] == 2 ? wideTarget : singleTarget;
        }
        int unmatched = 0;
        for (std::size_t k = 0; k < paired; ++k)
            unmatched |= (kind[k] == 2) & ((nextKind[k] != 2) | (nextFine[k] != fine[k]));
        if (unmatched)
            retarget(paired, to);
        // An entry the next scene lacks holds its level.
        for (std::size_t k = paired; k < count; ++k)
            to[k] = from[k];
        // A scene time of 0 (only from a damaged file) would divide by zero: no fade.
        const bool fades = span_ > 0;
        for (std::size_t k = 0; k < count; ++k)
            step[k] = fades ? (to[k] - from[k]) / span_ : 0.0f;
    }

    // A coarse entry whose partner in the next scene is not the same pair aims at the next
    // entry's value with the next scene's value of this entry's fine channel.
    void retarget(std::size_t paired, float* to) const
    {
        for (std::size_t i = 0; i < paired; ++i)
            if (c_.kind[i] == 2 && (n_.kind[i] != 2 || n_.fineChannel[i] != c_.fineChannel[i]))
                to[i] = static_cast<float>(n_.value[i] * 256 + next_.statusOf(c_.fineChannel[i]).value);
    }

    void compute(std::size_t first, std::size_t n, const float* step, Levels& out) const
    {
        fadeLevels(c_.kind.data() + first, c_.level.data() + first, step, elapsed_, n, out.wide, out.single);
    }

    void writePair(KyDmxSpace& dmx, std::size_t i, int level) const
    {
        const std::int32_t coarse = c_.channel[i];
        const std::int32_t fine = c_.fineChannel[i];
        if (!dmx.isHeld(coarse) && !dmx.isHeld(fine)) {
            dmx.setChannel(coarse, static_cast<std::uint8_t>(level >> 8));
            dmx.setChannel(fine, static_cast<std::uint8_t>(level & 0xFF));
        }
    }

    void store(KyDmxSpace& dmx, std::size_t first, std::size_t n, const Levels& levels, Cursor& at) const
    {
        const std::size_t end = first + n;
        for (; at.run < c_.runs.size() && c_.runs[at.run].position + at.runDone < end; at.runDone = 0, ++at.run) {
            const KyScene::Columns::Run& run = c_.runs[at.run];
            const std::size_t from = run.position + at.runDone;
            const std::size_t length = std::min<std::size_t>(run.length - at.runDone, end - from);
            dmx.setFreeChannels(run.channel + int(at.runDone), levels.single + (from - first), length);
            at.runDone += length;
            if (at.runDone < run.length)
                break; // the rest of the run lies in the next chunk
        }
        for (; at.pair < c_.pairPositions.size() && c_.pairPositions[at.pair] < end; ++at.pair)
            writePair(dmx, c_.pairPositions[at.pair], levels.wide[c_.pairPositions[at.pair] - first]);
    }

    void storeInOrder(KyDmxSpace& dmx, std::size_t first, std::size_t n, const Levels& levels) const
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
    const KyScene::Columns& c_;
    const KyScene::Columns& n_;
    const KyScene& next_;
    const float elapsed_;
    const float span_;
};

// One axis of a pan/tilt pair: the generator's offset around what the scene wrote.
void applyAxis(KyDmxSpace& dmx, const KyGenerator& g, double sine, std::int32_t coarse, std::int32_t fine, bool wide,
               double amplitudeFactor)
{
    if (!g.enabled || dmx.isHeld(coarse) || (wide && dmx.isHeld(fine)))
        return;
    const auto& u = dmx.data();
    auto valueAt = [&](std::int32_t i) { return KyDmxSpace::inRange(i) ? int(u[std::size_t(i)]) : 0; };
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
    sceneEnd = true;
    sceneIndex = 0;
    tick = 0;
    previousFactor = 1.0f;
    beatCount = 0;
    sequence->resetGenerators();
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

void KySeqEngine::output(KyDmxSpace& dmx, std::size_t current)
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
        Fade(scene, next, tick, span).write(dmx);
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

std::int32_t KySeqEngine::step(KyDmxSpace& dmx, bool musicOn, bool pulse)
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

void KySeqEngine::generatorStep(KyDmxSpace& dmx)
{
    auto& scenes = sequence->scenes;
    if (!generatorsPlaying || scenes.empty())
        return;
    const std::size_t c = currentSceneIndex();
    const KyScene& scene = scenes[c];
    KyScene& previous = scenes[c == 0 ? scenes.size() - 1 : c - 1];
    const bool sceneJustEntered = tick == 0 && playing && !paused;
    const KyCueGlobals& globals = cueGlobals();
    // Pairs go in batches: all figures of a batch move, then their sines are taken in one
    // run (independent calls overlap in the processor), then the axes are written in pair
    // order. Pairs that share a record must see each other's moves, so they go one by one.
    constexpr std::size_t kBatch = 32;
    const std::size_t batch = scene.pairsShareGenerators() ? 1 : kBatch;
    const auto pairs = scene.panTiltPairs();
    for (std::size_t first = 0; first < pairs.size(); first += batch) {
        const std::size_t n = std::min(batch, pairs.size() - first);
        double sine[2 * kBatch];
        for (std::size_t k = 0; k < n; ++k) {
            const KyScene::PanTiltPair& pair = pairs[first + k];
            moveFigure(pair, previous, sceneJustEntered, globals.generatorSpeed);
            sine[2 * k] = outputAngle(*pair.panGenerator);
            sine[2 * k + 1] = outputAngle(*pair.tiltGenerator);
        }
        for (std::size_t k = 0; k < 2 * n; ++k)
            sine[k] = std::sin(sine[k]);
        for (std::size_t k = 0; k < n; ++k) {
            const KyScene::PanTiltPair& pair = pairs[first + k];
            const double a = globals.generatorAmplitude;
            applyAxis(dmx, *pair.panGenerator, sine[2 * k], pair.pan, pair.panFine, pair.wide, a);
            applyAxis(dmx, *pair.tiltGenerator, sine[2 * k + 1], pair.tilt, pair.tiltFine, pair.wide, a);
        }
    }
}

// On the first tick of a newly entered scene a figure either carries on from the previous
// scene's records or starts again from angle 0 (and stands still for that tick).
void KySeqEngine::moveFigure(const KyScene::PanTiltPair& pair, KyScene& previous, bool sceneJustEntered,
                             double speedFactor)
{
    KyGenerator& p1 = *pair.panGenerator;
    KyGenerator& t1 = *pair.tiltGenerator;
    bool moves = !generatorsPaused;
    if (sceneJustEntered) {
        const KyGenerator& p0 = previous.generatorFor(pair.pan);
        const KyGenerator& t0 = previous.generatorFor(pair.tilt);
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
