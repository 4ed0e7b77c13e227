#pragma once
// A wheel's panel: the wheel channel and its two auxiliary channels as dimmer controls, and
// its palette of up to 24 slots in columns of eight. Clicking a slot puts its value on the
// wheel channel of every device of the reference device's type; the slot that the wheel
// channel's current value selects is drawn sunken.

#include "functions/ReadBack.h"
#include "functions/Targets.h"
#include "library/Device.h"

#include <QLabel>
#include <QWidget>

#include <array>

class KyDimmerControl;
class QGroupBox;

class TPWheelSlot : public QLabel {
    Q_OBJECT
public:
    static constexpr int kSize = 44;

    explicit TPWheelSlot(QWidget* parent = nullptr);
    void showSlot(const KyIcon& slot);
    void setHighlighted(bool on);
    bool isHighlighted() const { return frameShadow() == QFrame::Sunken; }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

class TPWheelPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr std::size_t kSlots = KyGobo::maxSlots;
    static constexpr int kSlotsPerColumn = 8;

    TPWheelPanel(const KyFunctionModel& model, KyGobo KyDevice::*wheel, QWidget* parent = nullptr);

    void configure(const KyClubDevice& reference);
    void readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference);

    KyDimmerControl* control(std::size_t i) const { return controls_[i]; }
    TPWheelSlot* slotView(std::size_t i) const { return slots_[i]; }
    QGroupBox* palette() const { return palette_; }
    // The highlighted slot, or -1.
    int highlighted() const;

signals:
    // The operator wrote a value.
    void written();

private:
    void slotClicked(std::size_t i);
    void highlight(int i);

    KyFunctionModel model_;
    KyGobo KyDevice::*wheel_;
    std::array<KyDimmerControl*, 3> controls_{};
    QGroupBox* palette_;
    std::array<TPWheelSlot*, kSlots> slots_{};
};
