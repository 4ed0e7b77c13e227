#pragma once
// How a control position (0-255) becomes a DMX value through a dimmer-like block, and where
// a control goes to show a value read back from the universe. Integer arithmetic throughout.

#include "library/Device.h"

#include <cstdint>
#include <optional>

// minValue + p * (maxValue - minValue) / 255, or maxValue minus that step when inverted,
// taken modulo 256.
std::uint8_t valueForPosition(const KyDimmer& block, int position);

// The position that shows `value`, or nothing when the control stays where it is: it already
// gives that value, or the block's range is empty. The result may lie outside 0-255 for a
// value outside the block's range; the control clamps it.
std::optional<int> readBackPosition(const KyDimmer& block, int value, int currentPosition);
