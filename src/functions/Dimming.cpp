#include "functions/Dimming.h"

std::uint8_t valueForPosition(const KyDimmer& block, int position)
{
    const int m = block.minValue;
    const int M = block.maxValue;
    const int d = position * (M - m) / 255;
    return static_cast<std::uint8_t>(block.invert ? M - d : m + d);
}

std::optional<int> readBackPosition(const KyDimmer& block, int value, int currentPosition)
{
    const int m = block.minValue;
    const int M = block.maxValue;
    if (valueForPosition(block, currentPosition) == value || M == m)
        return std::nullopt;
    const int p = (value - m) * 255 / (M - m);
    return block.invert ? 255 - p : p;
}
