#include "functions/Fchvalue.h"

#include <QHBoxLayout>
#include <QPushButton>

TChValueForm::TChValueForm(const KyFunctionModel& model, KyFunction function,
                           std::initializer_list<ListButton> buttons, QWidget* parent)
    : TFunctionForm(model, function, parent)
{
    auto* layout = new QHBoxLayout(this);
    for (const ListButton& b : buttons) {
        auto* button = new QPushButton(TChValueForm::tr(b.caption), this);
        button->setObjectName(QString::fromUtf8(b.caption) + QStringLiteral("Button"));
        button->setMinimumSize(120, 80);
        QFont large = button->font();
        large.setBold(true);
        large.setPointSizeF(large.pointSizeF() * 2);
        button->setFont(large);
        // Only the left button presses a push button; moving off it while pressed lets go.
        connect(button, &QPushButton::pressed, this, [this, list = b.list] { hold(list, true); });
        connect(button, &QPushButton::released, this, [this, list = b.list] { hold(list, false); });
        layout->addWidget(button);
        buttons_.push_back(button);
    }
}

void TChValueForm::hold(KyChValue KyDevice::*list, bool down)
{
    const KyDevices devices = model().icons.selectedDevices();
    std::lock_guard lock(model().showLock);
    if (down)
        pressChValues(model().dmx, devices, list);
    else
        releaseChValues(model().dmx, devices, list);
}

TResetForm::TResetForm(const KyFunctionModel& model, QWidget* parent)
    : TChValueForm(model, KyFunction::Reset, {{QT_TRANSLATE_NOOP("TChValueForm", "Reset"), &KyDevice::reset}}, parent)
{
    setWindowTitle(TLampForm::tr("Reset"));
}

TLampForm::TLampForm(const KyFunctionModel& model, QWidget* parent)
    : TChValueForm(model, KyFunction::Lamp, {{QT_TRANSLATE_NOOP("TChValueForm", "ON"), &KyDevice::lampOn},
                                                        {QT_TRANSLATE_NOOP("TChValueForm", "OFF"), &KyDevice::lampOff}}, parent)
{
    setWindowTitle(TLampForm::tr("Lampa"));
}
