#include "generator/Generator.h"

int KyGenerator::effectivePhase() const
{
    double ratio = 1.0;
    if (effectiveSpeed() > partnerSpeed)
        ratio = effectiveSpeed() / partnerSpeed;
    // Truncation toward zero, then the remainder with the sign of the dividend.
    auto degrees = static_cast<long long>(phase + phaseModifier * ratio);
    return static_cast<int>(degrees % 360);
}
