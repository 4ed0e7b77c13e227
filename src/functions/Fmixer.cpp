#include "functions/Fmixer.h"

#include "functions/Colours.h"
#include "functions/PDimmerControl.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

bool hasMixer(const KyDevice& type)
{
    return type.color2.active;
}

const KyBlockOf kComponents[3] = {
    [](const KyDevice& t) { return &t.color2.component1; },
    [](const KyDevice& t) { return &t.color2.component2; },
    [](const KyDevice& t) { return &t.color2.component3; },
};

} // namespace

TMixerColorForm::TMixerColorForm(const KyFunctionModel& model, QWidget* parent)
    : TFunctionForm(model, KyFunction::Mixer, parent), swatch_(new QLabel(this)),
      colourButton_(new QPushButton(TMixerColorForm::tr("Wybierz kolor"), this))
{
    setWindowTitle(TMixerColorForm::tr("Mixer kolorów"));
    useUpdateTimer();
    auto* layout = new QHBoxLayout(this);
    for (std::size_t i = 0; i < components_.size(); ++i) {
        components_[i] = new KyDimmerControl(this);
        components_[i]->setObjectName(QStringLiteral("Component%1").arg(i + 1));
        connect(components_[i], &KyDimmerControl::applied, this, &TMixerColorForm::applyBars);
        connect(components_[i], &KyDimmerControl::released, this, [this, i] { releaseComponent(i); });
        layout->addWidget(components_[i], 0, Qt::AlignTop);
    }
    swatch_->setObjectName(QStringLiteral("Swatch"));
    swatch_->setFixedSize(80, 80);
    swatch_->setFrameShape(QFrame::Panel);
    swatch_->setFrameShadow(QFrame::Sunken);
    swatch_->setAutoFillBackground(true);
    colourButton_->setObjectName(QStringLiteral("ColourButton"));
    connect(colourButton_, &QPushButton::clicked, this, &TMixerColorForm::pickColour);
    auto* side = new QVBoxLayout;
    side->addWidget(swatch_);
    side->addWidget(colourButton_);
    side->addStretch();
    layout->addLayout(side);
}

void TMixerColorForm::configure(const KyClubDevice& reference)
{
    for (std::size_t i = 0; i < components_.size(); ++i)
        components_[i]->bindBlock(static_cast<const KyDimmer*>(kComponents[i](*reference.deviceType)),
                                  reference.startAddress);
}

void TMixerColorForm::applyBars()
{
    auto device = reference();
    if (!device)
        return;
    const KyComponents values = {components_[0]->value(), components_[1]->value(), components_[2]->value()};
    const KyDevices devices = selectionWith(hasMixer);
    {
        std::lock_guard lock(model().showLock);
        writeMixer(model().dmx, devices, device->deviceType->color2.rgb, values);
    }
    refresh();
}

void TMixerColorForm::releaseComponent(std::size_t i)
{
    const KyDevices devices = selectionWith(hasMixer);
    {
        std::lock_guard lock(model().showLock);
        releaseBlock(model().dmx, devices, kComponents[i]);
    }
    refresh();
}

// The dialog runs without the show lock; only the write takes it.
void TMixerColorForm::pickColour()
{
    QColor colour = QColorDialog::getColor(swatch_->palette().color(QPalette::Window), this, windowTitle(),
                                           QColorDialog::DontUseNativeDialog);
    if (!colour.isValid())
        return;
    const KyDevices devices = selectionWith(hasMixer);
    {
        std::lock_guard lock(model().showLock);
        writeColour(model().dmx, devices,
                    {std::uint8_t(colour.red()), std::uint8_t(colour.green()), std::uint8_t(colour.blue())});
    }
    refresh();
}

void TMixerColorForm::readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference)
{
    for (KyDimmerControl* component : components_) {
        component->refreshFromUniverse(snapshot);
        component->enable(!snapshot.previewRunning);
    }
    const KyComponents rgb = mixerColour(snapshot.universe, reference);
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, QColor(rgb[0], rgb[1], rgb[2]));
    swatch_->setPalette(palette);
    colourButton_->setEnabled(!snapshot.previewRunning);
}
