#pragma once
// Edits of one axis of a pan/tilt figure through the generator window's bars, what those
// bars show, and the phase offset proposed for spreading a figure over several heads.

#include "generator/Generator.h"

void setAxisDirection(KyGenerator& axis, KyGenerator& other, int direction);
// Each gives the axis the value with its modifier back at neutral and folds the other
// axis's modifier into that axis's own value, so the pair keeps running as it did.
void setAxisAmplitude(KyGenerator& axis, KyGenerator& other, int amplitude);
// Both phases take in their modifiers as well, scaled by the speeds the change leaves.
void setAxisSpeed(KyGenerator& axis, KyGenerator& other, int speed);
void setAxisPhase(KyGenerator& axis, KyGenerator& other, int phase);

// What an axis's bars show: its effective values, truncated toward zero.
struct KyAxisView {
    std::uint8_t direction = 1;
    int amplitude = 0;
    int speed = 0;
    int phase = 0;

    friend bool operator==(const KyAxisView&, const KyAxisView&) = default;
};
KyAxisView axisView(const KyGenerator& g);

// Truncated toward zero and saturated to the int range: a damaged file may hold factors
// whose product does not fit.
int truncatedToInt(double value);

// A full turn shared out among `heads` heads (0 for one head); a count outside 1..359
// counts as 1.
int dividedPhaseOffset(int heads);
