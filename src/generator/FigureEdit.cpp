#include "generator/FigureEdit.h"

#include <cmath>
#include <limits>

int truncatedToInt(double value)
{
    constexpr double lowest = std::numeric_limits<int>::min();
    constexpr double highest = std::numeric_limits<int>::max();
    if (!(value > lowest))
        return std::numeric_limits<int>::min();
    if (!(value < highest))
        return std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(value));
}

void setAxisDirection(KyGenerator& axis, KyGenerator&, int direction)
{
    axis.direction = direction != 0;
}

void setAxisAmplitude(KyGenerator& axis, KyGenerator& other, int amplitude)
{
    axis.setAmplitude(amplitude);
    other.setAmplitude(truncatedToInt(other.effectiveAmplitude()));
}

void setAxisSpeed(KyGenerator& axis, KyGenerator& other, int speed)
{
    axis.setSpeed(speed);
    other.setSpeed(truncatedToInt(other.effectiveSpeed()));
    axis.partnerSpeed = other.effectiveSpeed();
    const int axisPhase = axis.effectivePhase();
    const int otherPhase = other.effectivePhase();
    axis.setPhase(axisPhase);
    other.setPhase(otherPhase);
}

void setAxisPhase(KyGenerator& axis, KyGenerator& other, int phase)
{
    axis.setPhase(phase);
    other.setPhase(other.effectivePhase());
}

KyAxisView axisView(const KyGenerator& g)
{
    return {g.direction, truncatedToInt(g.effectiveAmplitude()), truncatedToInt(g.effectiveSpeed()),
            g.effectivePhase()};
}

int dividedPhaseOffset(int heads)
{
    const int count = heads >= 1 && heads <= 359 ? heads : 1;
    return 360 / count % 360;
}
