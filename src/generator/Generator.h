#pragma once
// The figure generator of one pan or tilt axis: a sine around the scene's position.

#include "common/Stream.h"

#include <cmath>
#include <cstdint>

struct KyGenerator {
    std::uint8_t enabled = 0;
    std::uint8_t masterDirection = 1; // 1 right, 0 left
    std::int32_t speedModifier = 100;     // percent, at least 1
    std::int32_t amplitudeModifier = 100; // percent, 0-100
    std::int32_t phaseModifier = 0;       // degrees, scaled by the axes' speed ratio
    std::uint8_t direction = 1;           // 1: the angle increases
    std::uint8_t phaseFlip = 0;           // adds 180 degrees
    std::int32_t amplitude = 128;
    std::int32_t speed = 255;
    std::int32_t phase = 0;
    // Running state, never stored.
    double angle = 0.0;
    double lastAngle = 0.0;
    double partnerSpeed = 1.0;

    // In double precision: a damaged file may hold factors whose product overflows an int.
    double effectiveAmplitude() const { return double(amplitude) * amplitudeModifier * 0.01; }
    double effectiveSpeed() const { return double(speed) * speedModifier * 0.01; }
    int effectivePhase() const;

    void setAmplitude(std::int32_t v) { amplitude = v; amplitudeModifier = 100; }
    void setSpeed(std::int32_t v) { speed = v; speedModifier = 100; }
    void setPhase(std::int32_t v) { phase = v; phaseModifier = 0; }
    void setAmplitudeModifier(std::int32_t v) { amplitudeModifier = v < 0 ? 0 : v > 100 ? 100 : v; }
    void setSpeedModifier(std::int32_t v) { speedModifier = v < 1 ? 1 : v; }
    void resetRunningState() { angle = 0.0; lastAngle = 0.0; }
    void takeRunningState(const KyGenerator& other) { angle = other.angle; lastAngle = other.lastAngle; }

    // One tick of movement at the process-wide generator speed factor.
    void advance(double speedFactor);
    // The axis value around `base` (8-bit, or 16-bit when `wide`) at the process-wide
    // amplitude factor, clamped to the axis range.
    int outputValue(int base, bool wide, double amplitudeFactor) const
    {
        return valueFromSine(std::sin(theta()), base, wide, amplitudeFactor);
    }
    // The two halves of outputValue, for callers that take many sines in a row: the angle
    // with the phase (and the flip), and the value for that angle's sine.
    double theta() const;
    int valueFromSine(double sine, int base, bool wide, double amplitudeFactor) const;

    // The fields a file stores, compared; the running state is left out.
    bool sameStoredFields(const KyGenerator& other) const;
};

// Whether a pan/tilt figure carries on from the previous scene's records (p0, t0) into the
// current scene's (p1, t1) instead of starting again from angle 0.
bool figureContinues(const KyGenerator& p0, const KyGenerator& t0, const KyGenerator& p1, const KyGenerator& t1);

// The generator record as stored in files: versions 1-4 are read, version 4 is written.
// Reading fills only the fields the record's version carries; a failed read leaves `g`
// unchanged.
enum class GeneratorRead { Ok, Truncated, UnsupportedVersion };
void writeGenerator(vt::ByteWriter& out, const KyGenerator& g);
GeneratorRead readGenerator(vt::ByteReader& in, KyGenerator& g);
// The fewest bytes any accepted record version takes, for bounding counts.
inline constexpr std::size_t kMinGeneratorRecordSize = 26;

