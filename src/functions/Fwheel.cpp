#include "functions/Fwheel.h"

#include "functions/PWheelPanel.h"

#include <QTabWidget>
#include <QVBoxLayout>

TWheelForm::TWheelForm(const KyFunctionModel& model, KyFunction function, const char* caption,
                       std::vector<Wheel> wheels, QWidget* parent)
    : TFunctionForm(model, function, parent), wheels_(std::move(wheels))
{
    setWindowTitle(tr(caption));
    useUpdateTimer();
    auto* layout = new QVBoxLayout(this);
    if (wheels_.size() > 1) {
        tabs_ = new QTabWidget(this);
        layout->addWidget(tabs_);
    }
    for (const Wheel& wheel : wheels_) {
        auto* panel = new TPWheelPanel(model, wheel.member, this);
        connect(panel, &TPWheelPanel::written, this, &TWheelForm::refresh);
        if (tabs_)
            tabs_->addTab(panel, tr(wheel.tab));
        else
            layout->addWidget(panel);
        panels_.push_back(panel);
    }
    if (tabs_)
        connect(tabs_, &QTabWidget::currentChanged, this, &TWheelForm::refresh);
}

void TWheelForm::configure(const KyClubDevice& reference)
{
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        panels_[i]->configure(reference);
        if (tabs_)
            tabs_->setTabVisible(static_cast<int>(i), ((*reference.deviceType).*wheels_[i].member).wheel.active);
    }
}

// Only the wheel on top is read back.
void TWheelForm::readBack(const KyFunctionSnapshot& snapshot, const KyClubDevice& reference)
{
    TPWheelPanel* shown = tabs_ ? static_cast<TPWheelPanel*>(tabs_->currentWidget()) : panels_.front();
    if (shown)
        shown->readBack(snapshot, reference);
    for (TPWheelPanel* panel : panels_)
        panel->setEnabled(!snapshot.previewRunning);
}

TColorForm::TColorForm(const KyFunctionModel& model, QWidget* parent)
    : TWheelForm(model, KyFunction::Color, QT_TRANSLATE_NOOP("TWheelForm", "Kolor"), {{"Kolor", &KyDevice::color1}}, parent)
{
}

TGoboForm::TGoboForm(const KyFunctionModel& model, QWidget* parent)
    : TWheelForm(model, KyFunction::Gobo, QT_TRANSLATE_NOOP("TWheelForm", "Gobo"), {{QT_TRANSLATE_NOOP("TWheelForm", "Gobo1"), &KyDevice::gobo1}, {QT_TRANSLATE_NOOP("TWheelForm", "Gobo 2"), &KyDevice::gobo2}}, parent)
{
}

TEffectForm::TEffectForm(const KyFunctionModel& model, QWidget* parent)
    : TWheelForm(model, KyFunction::Effect, QT_TRANSLATE_NOOP("TWheelForm", "Efekt"), {{QT_TRANSLATE_NOOP("TWheelForm", "Efekt 1"), &KyDevice::effect1}, {QT_TRANSLATE_NOOP("TWheelForm", "Efekt 2"), &KyDevice::effect2}},
                 parent)
{
}
