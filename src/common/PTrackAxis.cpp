#include "common/PTrackAxis.h"

#include <algorithm>
#include <cmath>

void TPTrackAxis::setMin(int value)
{
    if (value >= max_)
        return;
    min_ = value;
    position_ = clamp(position_);
    limitMouseStep();
}

void TPTrackAxis::setMax(int value)
{
    if (value <= min_)
        return;
    max_ = value;
    position_ = clamp(position_);
    limitMouseStep();
}

bool TPTrackAxis::setPosition(std::int64_t value)
{
    int clamped = clamp(value);
    if (clamped == position_)
        return false;
    position_ = clamped;
    return true;
}

void TPTrackAxis::setMouseStep(int value)
{
    if (value < 0)
        return;
    mouseStep_ = value;
    limitMouseStep();
}

void TPTrackAxis::limitMouseStep()
{
    mouseStep_ = static_cast<int>(std::min<std::int64_t>(mouseStep_, span()));
}

int TPTrackAxis::clamp(std::int64_t value) const
{
    return static_cast<int>(std::clamp<std::int64_t>(value, min_, max_));
}

std::int64_t TPTrackAxis::stepped(std::int64_t steps, std::int64_t unit) const
{
    return position_ + direction() * steps * unit;
}

namespace {

// The pixel ends of the knob's travel, from the minimum's end to the maximum's.
struct Travel {
    double from;
    double to;
};

Travel travelOf(bool minimumAtStart, int length, int sliderSize)
{
    double first = TPTrackAxis::borderWidth + sliderSize / 2;
    double last = length - 1 - first;
    return minimumAtStart ? Travel{first, last} : Travel{last, first};
}

} // namespace

int TPTrackAxis::pixelOf(int value, int length, int sliderSize) const
{
    Travel t = travelOf(minimumAtStart_, length, sliderSize);
    return static_cast<int>(std::lround(t.from + double(value - std::int64_t(min_)) * (t.to - t.from) / double(span())));
}

int TPTrackAxis::valueAt(int pixel, int length, int sliderSize) const
{
    Travel t = travelOf(minimumAtStart_, length, sliderSize);
    if (t.to == t.from)
        return min_;
    double value = min_ + (pixel - t.from) * double(span()) / (t.to - t.from);
    return clamp(std::llround(value));
}

int TPTrackAxis::markPixel(int i, int count, int length, int sliderSize)
{
    Travel t = travelOf(true, length, sliderSize);
    return static_cast<int>(std::lround(t.from + i * (t.to - t.from) / count));
}
