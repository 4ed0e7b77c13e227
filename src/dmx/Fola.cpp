#include "dmx/Fola.h"

#include "common/PCloseButton.h"
#include "common/PShownTimer.h"
#include "common/PToolWindow.h"
#include "common/PTranslation.h"
#include "dmx/OlaOutput.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSettings>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QSpinBox* numberEdit(const char* name, int max, QWidget* parent)
{
    auto* edit = new QSpinBox(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setRange(1, max);
    return edit;
}

} // namespace

KyOlaTarget loadOlaTarget()
{
    QSettings settings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
    const KyOlaTarget defaults;
    return boundedOlaTarget(settings.value(QStringLiteral("ola/enabled"), defaults.enabled).toBool(),
                            settings.value(QStringLiteral("ola/universe"), defaults.universe).toLongLong(),
                            settings.value(QStringLiteral("ola/port"), defaults.port).toLongLong());
}

void saveOlaTarget(const KyOlaTarget& target)
{
    QSettings settings(QStringLiteral("Vantorel"), QStringLiteral("Vantorel"));
    settings.setValue(QStringLiteral("ola/enabled"), target.enabled);
    settings.setValue(QStringLiteral("ola/universe"), target.universe);
    settings.setValue(QStringLiteral("ola/port"), target.port);
}

TOlaForm::TOlaForm(KyOlaOutput& ola, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), ola_(ola),
      enabledCheck_(new QCheckBox(TOlaForm::tr("Wysyłaj uniwersum do OLA"), this)),
      universeEdit_(numberEdit("UniverseEdit", KyOlaTarget::kMaxUniverse, this)),
      portEdit_(numberEdit("PortEdit", 65535, this)), stateLabel_(new QLabel(this))
{
    setWindowTitle(TOlaForm::tr("Wyjście OLA"));
    enabledCheck_->setObjectName(QStringLiteral("EnabledCheck"));
    stateLabel_->setObjectName(QStringLiteral("StateLabel"));
    // Room for the longer of the two state lines, so the window keeps its size.
    stateLabel_->setMinimumWidth(
        stateLabel_->fontMetrics().horizontalAdvance(TOlaForm::tr("Połączono z OLA, uniwersum 65535")));

    auto* fields = new QFormLayout;
    fields->addRow(enabledCheck_);
    fields->addRow(TOlaForm::tr("Uniwersum OLA:"), universeEdit_);
    fields->addRow(TOlaForm::tr("Port demona OLA:"), portEdit_);
    fields->addRow(stateLabel_);

    auto* buttons = new QHBoxLayout;
    addCloseButton(buttons, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Numbers take effect when their field is left or Enter is pressed, not at every digit.
    connect(enabledCheck_, &QCheckBox::toggled, this, &TOlaForm::applyControls);
    connect(universeEdit_, &QSpinBox::editingFinished, this, &TOlaForm::applyControls);
    connect(portEdit_, &QSpinBox::editingFinished, this, &TOlaForm::applyControls);
    connect(timerWhileShown(this, 200), &QTimer::timeout, this, &TOlaForm::refreshState);
}

void TOlaForm::showEvent(QShowEvent* event)
{
    showTarget();
    refreshState();
    QWidget::showEvent(event);
}

// The target in use, which for this run may be the command line's rather than the saved one.
void TOlaForm::showTarget()
{
    const KyOlaTarget target = ola_.target();
    const QSignalBlocker blocker(enabledCheck_);
    enabledCheck_->setChecked(target.enabled);
    universeEdit_->setValue(static_cast<int>(target.universe));
    portEdit_->setValue(target.port);
}

void TOlaForm::applyControls()
{
    KyOlaTarget target;
    target.enabled = enabledCheck_->isChecked();
    target.universe = static_cast<unsigned>(universeEdit_->value());
    target.port = static_cast<std::uint16_t>(portEdit_->value());
    if (target == ola_.target())
        return;
    ola_.setTarget(target);
    saveOlaTarget(target);
    refreshState();
}

void TOlaForm::refreshState()
{
    stateLabel_->setText(vt::coreText(olaStateText(ola_.connected(), ola_.target().universe)));
}
