#include "generator/GeneratorScale.h"

#include <algorithm>
#include <cmath>

double generatorSpeedFactor(int position)
{
    int q = std::clamp(position, -100, 100);
    return q < 0 ? 1 + q * 0.00875 : 1 + q * 0.02984375;
}

// 4.0 gives 101, one past the bar's end; the bar clamps it, the module image keeps it.
int generatorSpeedPosition(double factor)
{
    // Written so that a NaN from a damaged file maps to the slowest position.
    double x = factor > 0.125 ? std::min(factor, 4.0) : 0.125;
    double scale = x >= 1 ? 33.50785340314136 : 114.28571428571429;
    return static_cast<int>(std::floor(scale * (x - 1) + 0.5));
}

double generatorAmplitudeFactor(int position)
{
    return position * 0.01;
}

int generatorAmplitudePosition(double factor)
{
    double position = std::floor(factor * 100 + 0.5);
    return position > 0 ? static_cast<int>(std::min(position, 100.0)) : 0;
}
