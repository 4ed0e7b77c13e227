#pragma once
// One axis of a track control: its range, position and mouse step, the keyboard and mouse
// arithmetic on them, and the mapping between values and pixels. The bar has one axis, the
// pad two; the widgets only add drawing, events and the change signal.

#include <cstdint>

class TPTrackAxis {
public:
    int min() const { return min_; }
    int max() const { return max_; }
    int position() const { return position_; }
    int mouseStep() const { return mouseStep_; }
    bool isMinimumAtStart() const { return minimumAtStart_; }
    // +1 when the minimum lies at the top or left end, -1 otherwise.
    int direction() const { return minimumAtStart_ ? 1 : -1; }

    // A Min not below Max (a Max not above Min) is ignored. An accepted bound pulls the
    // position into the range and limits the mouse step; it never counts as a change.
    void setMin(int value);
    void setMax(int value);
    // Returns true when the clamped value differs from the old position.
    bool setPosition(std::int64_t value);
    void setMouseStep(int value);
    void setMinimumAtStart(bool value) { minimumAtStart_ = value; }

    int clamp(std::int64_t value) const;
    // The position moved by `steps` units of `unit`, with the axis direction applied.
    std::int64_t stepped(std::int64_t steps, std::int64_t unit) const;

    // The knob's centre travels between `borderWidth + sliderSize / 2` from the start of an
    // axis `length` pixels long and the same distance from its last pixel. Both directions
    // of the mapping round half away from zero; a pixel outside the travel gives the end value.
    int pixelOf(int value, int length, int sliderSize) const;
    int valueAt(int pixel, int length, int sliderSize) const;
    // The i-th of count + 1 pixels evenly spaced over the knob's travel, for marks and meshes.
    static int markPixel(int i, int count, int length, int sliderSize);

    static constexpr int borderWidth = 1;

private:
    std::int64_t span() const { return std::int64_t(max_) - min_; }
    void limitMouseStep();

    int min_ = 0;
    int max_ = 255;
    int position_ = 0;
    int mouseStep_ = 0;
    bool minimumAtStart_ = true;
};
