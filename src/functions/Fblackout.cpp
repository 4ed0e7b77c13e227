#include "functions/Fblackout.h"

#include "dmx/Usb.h"

#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TBlackoutForm::TBlackoutForm(KyUsb& usb, std::mutex& showLock, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), usb_(usb), showLock_(showLock),
      offButton_(new QPushButton(TBlackoutForm::tr("Wyłącz"), this))
{
    setWindowTitle(TBlackoutForm::tr("Blackout"));
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(grey);

    auto* label = new QLabel(TBlackoutForm::tr("BLACKOUT"), this);
    label->setObjectName(QStringLiteral("BlackoutLabel"));
    QFont large = label->font();
    large.setBold(true);
    large.setPointSizeF(large.pointSizeF() * 2.5);
    label->setFont(large);
    QPalette white = label->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(white);
    label->setAlignment(Qt::AlignCenter);

    offButton_->setObjectName(QStringLiteral("OffButton"));
    connect(offButton_, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(offButton_, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TBlackoutForm::setActive(bool active)
{
    std::lock_guard lock(showLock_);
    usb_.blackoutActive = active;
}

void TBlackoutForm::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        setActive(true);
    QWidget::showEvent(event);
}

void TBlackoutForm::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous())
        setActive(false);
    QWidget::hideEvent(event);
}
