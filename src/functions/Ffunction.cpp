#include "functions/Ffunction.h"

#include "common/PText.h"
#include "common/PToolWindow.h"

#include <QCloseEvent>
#include <QLayout>
#include <QTimer>

TFunctionForm::TFunctionForm(const KyFunctionModel& model, KyFunction function, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags),
      model_(model), function_(function)
{
}

QString functionWindowTitle(const KyClubDevice& device)
{
    return vt::fromCp1250(device.name) + QStringLiteral(" -> ") + vt::fromCp1250(device.deviceType->name);
}

std::shared_ptr<KyClubDevice> TFunctionForm::reference() const
{
    auto device = model_.icons.referenceDevice();
    if (!device || !device->deviceType || !deviceHasFunction(*device->deviceType, function_))
        return nullptr;
    return device;
}

void TFunctionForm::reevaluateVisibility()
{
    auto device = model_.icons.referenceDevice();
    if (!userOpened_ || !device) {
        hide();
        return;
    }
    const bool changed = lastReference_.lock() != device;
    lastReference_ = device;
    if (!reference()) {
        hide();
        return;
    }
    if (!isVisible())
        show(); // showing configures the window
    else if (changed)
        configureFor(*device);
}

void TFunctionForm::configureFor(const KyClubDevice& device)
{
    setWindowTitle(functionWindowTitle(device));
    configure(device);
    fitControlsAndTitle();
    refresh();
}

// The window's size follows the controls the type leaves visible, and stays wide enough for
// the whole title: the device's name is what tells the operator which device they drive.
void TFunctionForm::fitControlsAndTitle()
{
    QLayout* l = layout();
    if (!l)
        return;
    l->setSizeConstraint(QLayout::SetNoConstraint);
    l->invalidate();
    l->activate();
    setFixedSize(l->sizeHint().expandedTo(QSize(vt::titleBarWidth(this), 0)));
}

void TFunctionForm::readBack(const KyFunctionSnapshot&, const KyClubDevice&) {}

void TFunctionForm::copyUnderLock(const KyClubDevice&) {}

void TFunctionForm::refresh()
{
    auto device = reference();
    if (!isVisible() || !device)
        return;
    KyFunctionSnapshot snapshot;
    {
        std::lock_guard lock(model_.showLock);
        snapshot = takeFunctionSnapshot(model_.dmx);
        copyUnderLock(*device);
    }
    readBack(snapshot, *device);
}

void TFunctionForm::useUpdateTimer()
{
    updateTimer_ = new QTimer(this);
    updateTimer_->setInterval(50);
    connect(updateTimer_, &QTimer::timeout, this, &TFunctionForm::refresh);
}

void TFunctionForm::showEvent(QShowEvent* event)
{
    userOpened_ = true;
    if (auto device = reference()) {
        lastReference_ = device;
        configureFor(*device);
    }
    if (updateTimer_)
        updateTimer_->start();
    QWidget::showEvent(event);
}

void TFunctionForm::hideEvent(QHideEvent* event)
{
    if (updateTimer_)
        updateTimer_->stop();
    QWidget::hideEvent(event);
}

void TFunctionForm::closeEvent(QCloseEvent* event)
{
    userOpened_ = false;
    QWidget::closeEvent(event);
}
