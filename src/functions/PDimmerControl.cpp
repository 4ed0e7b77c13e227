#include "functions/PDimmerControl.h"

#include "common/PText.h"
#include "common/PTrackBar.h"
#include "functions/Dimming.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

KyDimmerControl::KyDimmerControl(QWidget* parent)
    : QWidget(parent), valueLabel_(new QLabel(QStringLiteral("0"), this)), bar_(new TPTrackBar(this)),
      holdButton_(new QPushButton(KyDimmerControl::tr("Auto"), this))
{
    valueLabel_->setObjectName(QStringLiteral("ValueLabel"));
    valueLabel_->setAlignment(Qt::AlignCenter);
    bar_->setObjectName(QStringLiteral("Bar"));
    bar_->setIsMinimumAtTopLeft(false);
    bar_->setFixedSize(34, 220);
    holdButton_->setObjectName(QStringLiteral("HoldButton"));
    holdButton_->setCheckable(true);
    holdButton_->setFixedWidth(48);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(valueLabel_);
    layout->addWidget(bar_, 0, Qt::AlignHCenter);
    layout->addWidget(holdButton_, 0, Qt::AlignHCenter);

    connect(bar_, &TPTrackBar::changed, this, &KyDimmerControl::applied);
    connect(holdButton_, &QPushButton::clicked, this, [this](bool down) {
        if (down)
            emit applied();
        else
            emit released();
    });
}

void KyDimmerControl::bindBlock(const KyDimmer* block, std::int32_t startAddress)
{
    bound_ = block && block->active;
    block_ = block ? *block : KyDimmer{};
    index_ = universeIndex(startAddress, block_.channel);
    bar_->setCaption(vt::fromCp1250(block_.name));
    setVisible(bound_);
}

std::uint8_t KyDimmerControl::valueForPosition(int position) const
{
    return ::valueForPosition(block_, position);
}

std::uint8_t KyDimmerControl::value() const
{
    return valueForPosition(bar_->position());
}

void KyDimmerControl::refreshFromUniverse(const KyFunctionSnapshot& snapshot)
{
    if (!bound_)
        return;
    const int v = snapshot.value(index_);
    valueLabel_->setText(QString::number(v));
    if (auto position = readBackPosition(block_, v, bar_->position()))
        bar_->setPositionSilently(*position);
    showHoldState(holdButton_, holdState(snapshot, {index_}));
}

void KyDimmerControl::enable(bool on)
{
    bar_->setEnabled(on);
    holdButton_->setEnabled(on);
}

void KyDimmerControl::driveTargets(const KyFunctionModel& model, std::function<KyDevices()> targets,
                                   KyBlockOf blockOf)
{
    connect(this, &KyDimmerControl::applied, this, [this, model, targets, blockOf] {
        const std::uint8_t v = value();
        const KyDevices devices = targets();
        std::lock_guard lock(model.showLock);
        writeBlock(model.dmx, devices, blockOf, v);
    });
    connect(this, &KyDimmerControl::released, this, [model, targets, blockOf] {
        const KyDevices devices = targets();
        std::lock_guard lock(model.showLock);
        releaseBlock(model.dmx, devices, blockOf);
    });
}

void showHoldState(QPushButton* button, const KyHoldState& state)
{
    button->setText(QString::fromLatin1(state.caption));
    button->setChecked(state.down);
    QPalette palette = button->palette();
    const QColor normal = button->parentWidget() ? button->parentWidget()->palette().color(QPalette::ButtonText)
                                                 : QPalette().color(QPalette::ButtonText);
    palette.setColor(QPalette::ButtonText, state.red ? QColor(Qt::red) : normal);
    button->setPalette(palette);
}
