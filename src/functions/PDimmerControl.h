#pragma once
// One dimmer-like block of the reference device's type bound to a value label, a vertical
// track bar and a hold button ("Auto", "Man" or "PRG"). Every function window shows its
// dimmer-like blocks through this control.

#include "functions/ReadBack.h"
#include "functions/Targets.h"
#include "library/Device.h"

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;
class TPTrackBar;

class KyDimmerControl : public QWidget {
    Q_OBJECT
public:
    explicit KyDimmerControl(QWidget* parent = nullptr);

    // Binds a block of the reference device's type and takes its name as the bar's caption;
    // the control shows only for an active block.
    void bindBlock(const KyDimmer* block, std::int32_t startAddress);
    bool isBound() const { return bound_; }
    int index() const { return index_; }

    std::uint8_t valueForPosition(int position) const;
    // The value the bar gives now.
    std::uint8_t value() const;
    // Shows the bound channel's value and moves the bar to it without writing anything.
    void refreshFromUniverse(const KyFunctionSnapshot& snapshot);
    void enable(bool on);

    // Writes the bar's value to the block of each device `targets` gives when the bar moves
    // or the hold button goes down, and gives the channels back when it goes up.
    void driveTargets(const KyFunctionModel& model, std::function<KyDevices()> targets, KyBlockOf blockOf);

    QLabel* valueLabel() const { return valueLabel_; }
    TPTrackBar* bar() const { return bar_; }
    QPushButton* holdButton() const { return holdButton_; }

signals:
    // The operator moved the bar or pressed the hold button down.
    void applied();
    // The operator let the hold button up.
    void released();

private:
    QLabel* valueLabel_;
    TPTrackBar* bar_;
    QPushButton* holdButton_;
    KyDimmer block_;
    bool bound_ = false;
    int index_ = -1;
};

// A hold button's caption, state and text colour.
void showHoldState(QPushButton* button, const KyHoldState& state);
