#include "cue/Cue.h"

#include "cue/Seque.h"
#include "dmx/Universe.h"
#include "sequence/CueGlobals.h"

#include <algorithm>

KyCue& KyCue::operator=(const KyCue& other)
{
    KyCue copy(other);
    return *this = std::move(copy);
}

KyCue& KyCue::operator=(KyCue&& other)
{
    id = other.id;
    playState = other.playState;
    generatorState = other.generatorState;
    zones = std::move(other.zones);
    zoneProps = other.zoneProps;
    generatorAmplitude = other.generatorAmplitude;
    generatorSpeed = other.generatorSpeed;
    reportedGeneratorSpeed = other.reportedGeneratorSpeed;
    speed = other.speed;
    reportedSpeed = other.reportedSpeed;
    name = std::move(other.name);
    cueGlobals().generatorSpeed = generatorSpeed;
    return *this;
}

void KyCue::play()
{
    forEachZone([](KySeqEngine& e) { e.play(); });
    playState = Playing;
}

void KyCue::pause()
{
    forEachZone([](KySeqEngine& e) { e.pause(); });
    playState = Paused;
}

void KyCue::stop()
{
    forEachZone([](KySeqEngine& e) { e.stop(); });
    playState = Stopped;
}

void KyCue::playGenerators()
{
    forEachZone([](KySeqEngine& e) { e.playGenerators(); });
    generatorState = Playing;
}

void KyCue::pauseGenerators()
{
    forEachZone([](KySeqEngine& e) { e.pauseGenerators(); });
    generatorState = Paused;
}

void KyCue::stopGenerators()
{
    forEachZone([](KySeqEngine& e) { e.stopGenerators(); });
    generatorState = Stopped;
}

void KyCue::setSpeed(std::int32_t s, bool report)
{
    s = std::clamp(s, -100, 100);
    if (s != speed) {
        speed = s;
        if (auto& listener = cueGlobals().speedListener)
            listener();
    }
    if (report)
        reportCheck();
}

void KyCue::setGeneratorSpeed(double x, bool report)
{
    generatorSpeed = x;
    cueGlobals().generatorSpeed = x;
    if (report)
        reportCheck();
}

void KyCue::setGeneratorAmplitude(double x)
{
    generatorAmplitude = x;
    cueGlobals().generatorAmplitude = x;
}

void KyCue::reportCheck()
{
    if (speed == reportedSpeed && generatorSpeed == reportedGeneratorSpeed)
        return;
    reportedSpeed = speed;
    reportedGeneratorSpeed = generatorSpeed;
    if (auto& listener = cueGlobals().panelListener)
        listener();
}

void KyCue::releaseSequence(const KySequence& sequence)
{
    for (auto& engine : zones)
        if (KySequence::sameId(*engine.sequence, sequence))
            engine = KySeqEngine();
}

void KyCue::dropMissingSequences(const KySeque& store)
{
    for (auto& engine : zones) {
        const auto& stored = store.sequences();
        if (std::find(stored.begin(), stored.end(), engine.sequence) == stored.end())
            engine = KySeqEngine();
    }
}

void cueTick(KyCue& live, KyUniverse& dmx, bool musicOn, bool pulse)
{
    dmx.keepHeldOnly();
    for (auto& engine : live.zones) {
        if (!engine.active)
            continue;
        engine.step(dmx, musicOn, pulse);
        engine.generatorStep(dmx);
    }
}
