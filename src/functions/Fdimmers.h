#pragma once
// Rows of dimmer controls over the devices of the reference device's type: the Optic
// window's four optics and the Dimmers window's pack of up to 32 entries. The controls stand
// from the left in rows of sixteen; the window is as wide and as high as they need.

#include "functions/Ffunction.h"

#include <vector>

class KyDimmerControl;
class QGridLayout;

class TDimmerRowForm : public TFunctionForm {
    Q_OBJECT
public:
    static constexpr int kPerRow = 16;
    // The i-th block of a type, or null where it has none.
    using BlockAt = const KyDimmer* (*)(const KyDevice& type, std::size_t i);
    // Packed: the active blocks side by side. ByIndex: control k in row k / 16, column
    // k % 16, for every block the type has; an inactive one leaves its place empty.
    enum class Placement { Packed, ByIndex };

    TDimmerRowForm(const KyFunctionModel& model, KyFunction function, const char* caption, std::size_t count,
                   BlockAt blockAt, Placement placement, QWidget* parent = nullptr);

    KyDimmerControl* control(std::size_t i) const { return controls_[i]; }

protected:
    void configure(const KyClubDevice& reference) override;
    void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference) override;

private:
    BlockAt blockAt_;
    Placement placement_;
    std::vector<KyDimmerControl*> controls_;
    QGridLayout* grid_;
};

class TOpticForm : public TDimmerRowForm {
    Q_OBJECT
public:
    explicit TOpticForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};

class TDimmersForm : public TDimmerRowForm {
    Q_OBJECT
public:
    explicit TDimmersForm(const KyFunctionModel& model, QWidget* parent = nullptr);
};
