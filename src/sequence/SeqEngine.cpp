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

// Truncates a faded value after clamping it; NaN cannot arise, the divisor is never 0.
int clampLevel(float v, float top)
{
    return static_cast<int>(v > 0 ? (v < top ? v : top) : 0);
}

void writeIfFree(KyDmxSpace& dmx, std::int32_t channel, std::uint8_t value)
{
    if (!dmx.isHeld(channel))
        dmx.setChannel(channel, value);
}

void writeScene(KyDmxSpace& dmx, const KyScene& scene)
{
    for (const KyScene::Entry& e : scene.entries())
        writeIfFree(dmx, e.channel, e.value);
}

// The 16-bit level the fade aims at for a coarse entry of the current scene whose fine
// byte is `fine`: the next scene's coarse value at the same position with its own value
// of that fine channel.
float wideTarget(const KyScene& next, const KyScene::Entry& nextEntry, std::int32_t fine)
{
    if (nextEntry.kind == 2 && nextEntry.fineChannel == fine)
        return nextEntry.level;
    return static_cast<float>(nextEntry.value * 256 + next.statusOf(fine).value);
}

void writeFade(KyDmxSpace& dmx, const KyScene& current, const KyScene& next, std::uint32_t tick, float span)
{
    auto from = current.entries();
    auto to = next.entries();
    const float elapsed = static_cast<float>(tick);
    for (std::size_t i = 0; i < from.size(); ++i) {
        const KyScene::Entry& e = from[i];
        if (e.kind != 0 && e.kind != 2)
            continue; // a fine byte is written by its coarse partner
        const bool wide = e.kind == 2;
        const float start = e.level;
        // Entries pair by position; an entry the next scene lacks holds its value.
        float target = start;
        if (i < to.size())
            target = wide ? wideTarget(next, to[i], e.fineChannel) : to[i].value;
        const float stepSize = span > 0 ? (target - start) / span : 0.0f;
        const float moved = elapsed * stepSize;
        const float v = moved + start;
        if (!wide) {
            writeIfFree(dmx, e.channel, static_cast<std::uint8_t>(clampLevel(v, 255)));
        } else if (!dmx.isHeld(e.channel) && !dmx.isHeld(e.fineChannel)) {
            int level = clampLevel(v, 65535);
            dmx.setChannel(e.channel, static_cast<std::uint8_t>(level >> 8));
            dmx.setChannel(e.fineChannel, static_cast<std::uint8_t>(level & 0xFF));
        }
    }
}

// One axis of a pan/tilt pair: the generator's offset around what the scene wrote.
void applyAxis(KyDmxSpace& dmx, const KyGenerator& g, std::int32_t coarse, std::int32_t fine, bool wide,
               double amplitudeFactor)
{
    if (!g.enabled || dmx.isHeld(coarse) || (wide && dmx.isHeld(fine)))
        return;
    const auto& u = dmx.data();
    auto valueAt = [&](std::int32_t i) { return KyDmxSpace::inRange(i) ? int(u[std::size_t(i)]) : 0; };
    int base = wide ? valueAt(coarse) * 256 + valueAt(fine) : valueAt(coarse);
    int v = g.outputValue(base, wide, amplitudeFactor);
    if (wide) {
        dmx.setChannel(coarse, static_cast<std::uint8_t>(v >> 8));
        dmx.setChannel(fine, static_cast<std::uint8_t>(v & 0xFF));
    } else {
        dmx.setChannel(coarse, static_cast<std::uint8_t>(v));
    }
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
        writeFade(dmx, scene, next, tick, span);
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
            if (!sequence->fade && reached)
                changeScene();
            else
                advanceTime();
        }
        // Checked again: a fade whose time has just run out changes at once if the
        // pulses are already there.
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
    KyScene& previous = scenes[c == 0 ? scenes.size() - 1 : c - 1];
    const bool sceneJustEntered = tick == 0 && playing && !paused;
    const KyCueGlobals& globals = cueGlobals();
    for (const KyScene::PanTiltPair& pair : scenes[c].panTiltPairs()) {
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
            p1.advance(globals.generatorSpeed);
            t1.advance(globals.generatorSpeed);
        }
        p1.partnerSpeed = t1.effectiveSpeed();
        t1.partnerSpeed = p1.effectiveSpeed();
        applyAxis(dmx, p1, pair.pan, pair.panFine, pair.wide, globals.generatorAmplitude);
        applyAxis(dmx, t1, pair.tilt, pair.tiltFine, pair.wide, globals.generatorAmplitude);
    }
}
