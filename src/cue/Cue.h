#pragma once
// A cue: ten zone engines playing sequences at once, with a cue speed and the speed and
// amplitude of the figure generators. The cue engine plays the live cue at every tick.

#include "sequence/SeqEngine.h"

#include <array>
#include <cstdint>
#include <string>

class KyUniverse;
class KySeque;

// The stored properties of one zone.
struct KySeqEngProp {
    std::int32_t sequenceId = 0;
    std::int32_t zone = 0; // filled only for the module's memory
    std::int32_t speed = 0;
    std::int32_t beatsPerStep = 1;
    bool active = true;
    bool music = false;

    friend bool operator==(const KySeqEngProp&, const KySeqEngProp&) = default;
};

class KyCue {
public:
    static constexpr int kZones = 10;
    enum PlayState : std::uint8_t { Playing = 0, Paused = 1, Stopped = 2 };

    std::int32_t id = 0;
    std::uint8_t playState = Playing;
    std::uint8_t generatorState = Playing;
    std::array<KySeqEngine, kZones> zones;        // zone 1 first, each on its own placeholder
    std::array<KySeqEngProp, kZones> zoneProps; // scratch for the file and the module memory
    double generatorAmplitude = 1.0;
    double generatorSpeed = 1.0;
    double reportedGeneratorSpeed = 1.0;
    std::int32_t speed = 0;
    std::int32_t reportedSpeed = 0;
    std::string name; // cp1250

    KyCue() = default;
    KyCue(const KyCue&) = default;
    KyCue(KyCue&&) = default;
    // Assigning a cue makes its generator speed the one every generator runs at.
    KyCue& operator=(const KyCue& other);
    KyCue& operator=(KyCue&& other);

    void play();
    void pause();
    void stop();
    void playGenerators();
    void pauseGenerators();
    void stopGenerators();

    // Clamps to -100..100; a change calls the speed listener, `report` runs the report check.
    void setSpeed(std::int32_t s, bool report);
    void setGeneratorSpeed(double x, bool report);
    void setGeneratorAmplitude(double x);

    // Zones playing a sequence with this id (or, below, one no longer stored) get a new
    // engine on a new placeholder, with every zone setting back at its default.
    void releaseSequence(const KySequence& sequence);
    void dropMissingSequences(const KySeque& store);

    KySeqEngine& zoneEngine(int i) { return zones[static_cast<std::size_t>(i)]; }
    const KySeqEngine& zoneEngine(int i) const { return zones[static_cast<std::size_t>(i)]; }

    static bool sameId(const KyCue& a, const KyCue& b) { return a.id == b.id; }

private:
    void reportCheck();
    template <class Op> void forEachZone(Op op)
    {
        for (auto& engine : zones)
            op(engine);
    }
};

// The per-tick step of the live cue: the universe drops every channel not held by hand,
// then zones 1 to 10 that are active write their scenes and generator figures.
void cueTick(KyCue& live, KyUniverse& dmx, bool musicOn, bool pulse);
