#include "functions/PWheelPanel.h"

#include "common/PPicture.h"
#include "common/PText.h"
#include "functions/Colours.h"
#include "functions/PDimmerControl.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMouseEvent>

TPWheelSlot::TPWheelSlot(QWidget* parent) : QLabel(parent)
{
    setFixedSize(kSize, kSize);
    setFrameShape(QFrame::Panel);
    setLineWidth(2);
    setAlignment(Qt::AlignCenter);
    setHighlighted(false);
}

void TPWheelSlot::showSlot(const KyIcon& slot)
{
    // The picture as it is: a plain colour swatch is all background.
    const QPixmap picture = QPixmap::fromImage(vt::imageFromBmp(slot.picture));
    const int inside = kSize - 2 * frameWidth();
    setPixmap(picture.isNull() ? QPixmap() : picture.scaled(inside, inside, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    setToolTip(vt::fromCp1250(slot.name));
}

void TPWheelSlot::setHighlighted(bool on)
{
    setFrameShadow(on ? QFrame::Sunken : QFrame::Raised);
}

void TPWheelSlot::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked();
    QLabel::mousePressEvent(event);
}

TPWheelPanel::TPWheelPanel(const KyFunctionModel& model, KyGobo KyDevice::*wheel, QWidget* parent)
    : QWidget(parent), model_(model), wheel_(wheel), palette_(new QGroupBox(this))
{
    auto* layout = new QHBoxLayout(this);
    const KyBlockOf blocks[3] = {
        [wheel](const KyDevice& t) { return &(t.*wheel).wheel; },
        [wheel](const KyDevice& t) { return &(t.*wheel).control1; },
        [wheel](const KyDevice& t) { return &(t.*wheel).control2; },
    };
    auto sameType = [this] { return model_.icons.sameTypeSelection(); };
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i] = new KyDimmerControl(this);
        controls_[i]->setObjectName(QStringLiteral("Control%1").arg(i + 1));
        controls_[i]->driveTargets(model, sameType, blocks[i]);
        connect(controls_[i], &KyDimmerControl::applied, this, &TPWheelPanel::written);
        connect(controls_[i], &KyDimmerControl::released, this, &TPWheelPanel::written);
        layout->addWidget(controls_[i], 0, Qt::AlignTop);
    }

    palette_->setObjectName(QStringLiteral("Palette"));
    auto* grid = new QGridLayout(palette_);
    grid->setSpacing(2);
    for (std::size_t i = 0; i < kSlots; ++i) {
        slots_[i] = new TPWheelSlot(palette_);
        slots_[i]->setObjectName(QStringLiteral("Slot%1").arg(i));
        connect(slots_[i], &TPWheelSlot::clicked, this, [this, i] { slotClicked(i); });
        grid->addWidget(slots_[i], static_cast<int>(i % kSlotsPerColumn), static_cast<int>(i / kSlotsPerColumn));
    }
    layout->addWidget(palette_, 0, Qt::AlignTop);
}

// Hidden controls and slots take no room, so the palette sits right after the visible
// controls and has as many columns as the wheel's slots need.
void TPWheelPanel::configure(const KyClubDevice& reference)
{
    const KyGobo& wheel = (*reference.deviceType).*wheel_;
    controls_[0]->bindBlock(&wheel.wheel, reference.startAddress);
    controls_[1]->bindBlock(&wheel.control1, reference.startAddress);
    controls_[2]->bindBlock(&wheel.control2, reference.startAddress);
    for (std::size_t i = 0; i < kSlots; ++i) {
        const bool present = i < wheel.slotCount();
        if (present)
            slots_[i]->showSlot(wheel.slotAt(i));
        slots_[i]->setVisible(present);
    }
    palette_->setVisible(wheel.slotCount() > 0);
}

void TPWheelPanel::readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference)
{
    for (KyDimmerControl* control : controls_)
        control->refreshFromUniverse(snapshot);
    const KyGobo& wheel = (*reference.deviceType).*wheel_;
    highlight(slotShowing(wheel, snapshot.value(universeIndex(reference.startAddress, wheel.wheel.channel))));
}

int TPWheelPanel::highlighted() const
{
    for (std::size_t i = 0; i < kSlots; ++i)
        if (slots_[i]->isHighlighted())
            return static_cast<int>(i);
    return -1;
}

void TPWheelPanel::highlight(int i)
{
    for (std::size_t k = 0; k < kSlots; ++k)
        slots_[k]->setHighlighted(static_cast<int>(k) == i);
}

void TPWheelPanel::slotClicked(std::size_t i)
{
    highlight(static_cast<int>(i));
    const KyDevices devices = model_.icons.sameTypeSelection();
    {
        std::lock_guard lock(model_.showLock);
        selectSlot(model_.dmx, devices, wheel_, i);
    }
    emit written();
}
