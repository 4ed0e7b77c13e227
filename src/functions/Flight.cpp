#include "functions/Flight.h"

#include "functions/PDimmerControl.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const KyShutter* shutterOf(const KyDevice& type) { return &type.shutter; }
const KyShutter* intensityOf(const KyDevice& type) { return &type.intensity; }
const KyShutter* strobeOf(const KyDevice& type) { return &type.strobe; }

} // namespace

TLightForm::TLightForm(const KyFunctionModel& model, QWidget* parent)
    : TFunctionForm(model, KyFunction::Light, parent), shutterGroup_(new QGroupBox(TLightForm::tr("Shutter"), this)),
      intensityGroup_(new QGroupBox(TLightForm::tr("Intens."), this)),
      strobeGroup_(new QGroupBox(TLightForm::tr("Strobo"), this))
{
    setWindowTitle(TLightForm::tr("Światło"));
    useUpdateTimer();
    shutterOn_ = makeButton(TLightForm::tr("ON"), "ShutterOnButton", shutterGroup_);
    shutterOff_ = makeButton(TLightForm::tr("OFF"), "ShutterOffButton", shutterGroup_);
    auto* shutterLayout = new QVBoxLayout(shutterGroup_);
    shutterLayout->addWidget(shutterOn_);
    shutterLayout->addWidget(shutterOff_);
    shutterLayout->addStretch();

    intensity_ = new KyDimmerControl(intensityGroup_);
    intensity_->setObjectName(QStringLiteral("Intensity"));
    (new QVBoxLayout(intensityGroup_))->addWidget(intensity_);

    strobe_ = new KyDimmerControl(strobeGroup_);
    strobe_->setObjectName(QStringLiteral("Strobe"));
    strobeOff_ = makeButton(TLightForm::tr("OFF"), "StrobeOffButton", strobeGroup_);
    auto* strobeLayout = new QVBoxLayout(strobeGroup_);
    strobeLayout->addWidget(strobe_);
    strobeLayout->addWidget(strobeOff_);

    auto* layout = new QHBoxLayout(this);
    for (QGroupBox* group : {shutterGroup_, intensityGroup_, strobeGroup_})
        layout->addWidget(group, 0, Qt::AlignTop);

    auto sameType = [this] { return sameTypeSelection(); };
    intensity_->driveTargets(model, sameType, intensityOf);
    strobe_->driveTargets(model, sameType, strobeOf);
    for (KyDimmerControl* control : {intensity_, strobe_}) {
        connect(control, &KyDimmerControl::applied, this, &TLightForm::refresh);
        connect(control, &KyDimmerControl::released, this, &TLightForm::refresh);
    }
    connect(shutterOn_, &QPushButton::clicked, this,
            [this] { writeFixed(shutterOf, [](const KyDevice& t) { return t.shutter.onValue; }); });
    connect(shutterOff_, &QPushButton::clicked, this,
            [this] { writeFixed(shutterOf, [](const KyDevice& t) { return t.shutter.offValue; }); });
    connect(strobeOff_, &QPushButton::clicked, this,
            [this] { writeFixed(strobeOf, [](const KyDevice& t) { return t.strobe.offValue; }); });
}

QPushButton* TLightForm::makeButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setCheckable(true);
    button->setFixedWidth(60);
    return button;
}

void TLightForm::writeFixed(KyBlockOf blockOf, std::uint8_t (*valueOf)(const KyDevice&))
{
    auto device = reference();
    if (!device)
        return;
    const std::uint8_t value = valueOf(*device->deviceType);
    const KyDevices devices = sameTypeSelection();
    {
        std::lock_guard lock(model().showLock);
        writeBlock(model().dmx, devices, blockOf, value);
    }
    refresh();
}

// Groups of the active blocks stand side by side from the left, in their fixed order.
void TLightForm::configure(const KyClubDevice& reference)
{
    const KyDevice& type = *reference.deviceType;
    shutterGroup_->setVisible(type.shutter.active);
    intensityGroup_->setVisible(type.intensity.active);
    strobeGroup_->setVisible(type.strobe.active);
    intensity_->bindBlock(&type.intensity, reference.startAddress);
    strobe_->bindBlock(&type.strobe, reference.startAddress);
}

void TLightForm::readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference)
{
    const KyDevice& type = *reference.deviceType;
    const int shutter = snapshot.value(universeIndex(reference.startAddress, type.shutter.channel));
    shutterOn_->setChecked(shutter == type.shutter.onValue);
    shutterOff_->setChecked(shutter != type.shutter.onValue && shutter == type.shutter.offValue);
    intensity_->refreshFromUniverse(snapshot);
    strobe_->refreshFromUniverse(snapshot);
    strobeOff_->setChecked(snapshot.value(universeIndex(reference.startAddress, type.strobe.channel)) ==
                           type.strobe.offValue);
    for (QGroupBox* group : {shutterGroup_, intensityGroup_, strobeGroup_})
        group->setEnabled(!snapshot.previewRunning);
}
