#pragma once
// The figure generator of one pan or tilt axis: a sine around the scene's position.

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

    double effectiveAmplitude() const { return amplitude * amplitudeModifier * 0.01; }
    double effectiveSpeed() const { return speed * speedModifier * 0.01; }
    int effectivePhase() const;

    void setAmplitude(std::int32_t v) { amplitude = v; amplitudeModifier = 100; }
    void setSpeed(std::int32_t v) { speed = v; speedModifier = 100; }
    void setPhase(std::int32_t v) { phase = v; phaseModifier = 0; }
    void setAmplitudeModifier(std::int32_t v) { amplitudeModifier = v < 0 ? 0 : v > 100 ? 100 : v; }
    void setSpeedModifier(std::int32_t v) { speedModifier = v < 1 ? 1 : v; }
    void resetRunningState() { angle = 0.0; lastAngle = 0.0; }
    void takeRunningState(const KyGenerator& other) { angle = other.angle; lastAngle = other.lastAngle; }
};
