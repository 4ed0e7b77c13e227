#include "generator/GeneratorScale.h"

#include <algorithm>
#include <cmath>

namespace {

// The inverse formulas overshoot the bars' ends slightly (4.0 gives 101), so the result is
// held to the range a bar can show.
int barPosition(double value, int low, int high)
{
    return static_cast<int>(std::clamp(std::floor(value), double(low), double(high)));
}

} // namespace

double generatorSpeedFactor(int position)
{
    int p = std::clamp(position, -100, 100);
    return p < 0 ? 1 + p * 0.00875 : 1 + p * 0.02984375;
}

int generatorSpeedPosition(double factor)
{
    double x = std::clamp(factor, 0.125, 4.0);
    double scale = x >= 1 ? 33.50785340314136 : 114.28571428571429;
    return barPosition(scale * (x - 1) + 0.5, -100, 100);
}

double generatorAmplitudeFactor(int position)
{
    return position * 0.01;
}

int generatorAmplitudePosition(double factor)
{
    return barPosition(factor * 100 + 0.5, 0, 100);
}
