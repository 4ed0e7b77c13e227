#include "common/PTrackBar.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <qdrawutil.h>

#include <algorithm>

TPTrackBar::TPTrackBar(QWidget* parent)
    : QWidget(parent), minimumColor_(palette().color(QPalette::Button)), color_(palette().color(QPalette::Base))
{
    setFocusPolicy(Qt::StrongFocus);
}

void TPTrackBar::setMin(int value)
{
    axis_.setMin(value);
    update();
}

void TPTrackBar::setMax(int value)
{
    axis_.setMax(value);
    update();
}

void TPTrackBar::setPosition(int value)
{
    setPositionFrom(value);
}

void TPTrackBar::setPositionFrom(std::int64_t value)
{
    if (!axis_.setPosition(value))
        return;
    update();
    emit changed();
}

// Windows set their bars at every refresh; only a change is painted.
void TPTrackBar::setPositionSilently(int value)
{
    if (axis_.setPosition(value))
        update();
}

void TPTrackBar::setPageSize(int value)
{
    if (value > 0)
        pageSize_ = value;
}

void TPTrackBar::setLineSize(int value)
{
    if (value > 0)
        lineSize_ = value;
}

void TPTrackBar::setMouseStep(int value)
{
    axis_.setMouseStep(value);
}

void TPTrackBar::setIsVertical(bool value)
{
    vertical_ = value;
    updateGeometry();
    update();
}

void TPTrackBar::setIsMinimumAtTopLeft(bool value)
{
    axis_.setMinimumAtStart(value);
    update();
}

void TPTrackBar::setSliderSize(int value)
{
    sliderSize_ = std::clamp(value, 7, 64);
    updateGeometry();
    update();
}

void TPTrackBar::setPartition(int value)
{
    if (value < 0)
        return;
    partition_ = value;
    update();
}

void TPTrackBar::setPartitionColor(const QColor& value)
{
    partitionColor_ = value;
    update();
}

void TPTrackBar::setMinimumColor(const QColor& value)
{
    minimumColor_ = value;
    update();
}

void TPTrackBar::setColor(const QColor& value)
{
    color_ = value;
    update();
}

void TPTrackBar::setCaption(const QString& value)
{
    if (caption_ == value)
        return;
    caption_ = value;
    update();
}

void TPTrackBar::fitCaptionAboveKnob()
{
    setFixedHeight(captionBand() + sliderSize_ + 2 * TPTrackAxis::borderWidth + 4);
}

QPoint TPTrackBar::knobCentre() const
{
    int knob = axis_.pixelOf(axis_.position(), length(), sliderSize_);
    return vertical_ ? QPoint(knobAcross(), knob) : QPoint(knob, knobAcross());
}

bool TPTrackBar::captionAboveKnob() const
{
    return !vertical_ && !caption_.isEmpty() && height() >= captionBand() + sliderSize_ + 2 * TPTrackAxis::borderWidth;
}

int TPTrackBar::knobAcross() const
{
    if (!captionAboveKnob())
        return (vertical_ ? width() : height()) / 2;
    const int band = captionBand();
    return band + (height() - band) / 2;
}

int TPTrackBar::captionBand() const
{
    return TPTrackAxis::borderWidth + fontMetrics().height();
}

QSize TPTrackBar::sizeHint() const
{
    int across = std::max(sliderSize_ + 6, fontMetrics().height() + 6);
    return vertical_ ? QSize(across, 160) : QSize(160, across);
}

QSize TPTrackBar::minimumSizeHint() const
{
    int across = sliderSize_ + 2 * TPTrackAxis::borderWidth;
    int travel = sliderSize_ + 2 * TPTrackAxis::borderWidth + 8;
    return vertical_ ? QSize(across, travel) : QSize(travel, across);
}

void TPTrackBar::setPositionAt(const QPoint& p)
{
    setPositionFrom(axis_.valueAt(along(p), length(), sliderSize_));
}

void TPTrackBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    QPoint p = event->position().toPoint();
    setPositionAt(p);
    if (axis_.mouseStep() > 0) {
        pointerHidden_ = true;
        setCursor(Qt::BlankCursor);
        remembered_ = along(p);
    }
}

void TPTrackBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    QPoint p = event->position().toPoint();
    if (!pointerHidden_) {
        setPositionAt(p);
        return;
    }
    int delta = along(p) - remembered_;
    if (delta == 0)
        return;
    setPositionFrom(axis_.stepped(delta, axis_.mouseStep()));
    QPoint knob = knobCentre();
    remembered_ = along(knob);
    warpPointer(knob);
}

void TPTrackBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    if (pointerHidden_) {
        pointerHidden_ = false;
        warpPointer(knobCentre());
        unsetCursor();
    }
}

void TPTrackBar::warpPointer(const QPoint& local)
{
    QCursor::setPos(mapToGlobal(local));
}

void TPTrackBar::keyPressEvent(QKeyEvent* event)
{
    bool minimumFirst = axis_.isMinimumAtStart();
    switch (event->key()) {
    case Qt::Key_PageUp:
        setPositionFrom(axis_.stepped(-1, pageSize_));
        break;
    case Qt::Key_PageDown:
        setPositionFrom(axis_.stepped(1, pageSize_));
        break;
    case Qt::Key_End:
        setPositionFrom(minimumFirst ? axis_.max() : axis_.min());
        break;
    case Qt::Key_Home:
        setPositionFrom(minimumFirst ? axis_.min() : axis_.max());
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_H:
    case Qt::Key_K:
        setPositionFrom(axis_.stepped(-1, lineSize_));
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_J:
    case Qt::Key_L:
        setPositionFrom(axis_.stepped(1, lineSize_));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TPTrackBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    int knob = axis_.pixelOf(axis_.position(), length(), sliderSize_);
    paintSides(painter, knob);
    paintKnob(painter, knob);
    paintPartition(painter);
    paintCaption(painter);
    qDrawShadePanel(&painter, rect(), palette(), true, TPTrackAxis::borderWidth);
}

// The part between the Min end and the knob in MinimumColor, the rest in Color.
void TPTrackBar::paintSides(QPainter& painter, int knob) const
{
    QRect inner = rect().adjusted(1, 1, -1, -1);
    QRect start = inner;
    QRect end = inner;
    if (vertical_) {
        start.setBottom(knob);
        end.setTop(knob + 1);
    } else {
        start.setRight(knob);
        end.setLeft(knob + 1);
    }
    bool minimumFirst = axis_.isMinimumAtStart();
    painter.fillRect(start, minimumFirst ? minimumColor_ : color_);
    painter.fillRect(end, minimumFirst ? color_ : minimumColor_);
}

void TPTrackBar::paintKnob(QPainter& painter, int knob) const
{
    int half = sliderSize_ / 2;
    int across = knobAcross() - half;
    QRect square = vertical_ ? QRect(across, knob - half, sliderSize_, sliderSize_)
                             : QRect(knob - half, across, sliderSize_, sliderSize_);
    QBrush centre(minimumColor_);
    qDrawWinPanel(&painter, square, palette(), false, &centre);
}

// Partition + 1 lines across the bar, evenly spaced over the knob's travel.
void TPTrackBar::paintPartition(QPainter& painter) const
{
    if (partition_ == 0)
        return;
    painter.setPen(partitionColor_);
    for (int i = 0; i <= partition_; ++i) {
        int at = TPTrackAxis::markPixel(i, partition_, length(), sliderSize_);
        if (vertical_)
            painter.drawLine(1, at, width() - 2, at);
        else
            painter.drawLine(at, 1, at, height() - 2);
    }
}

// Horizontal bars write the caption on one line; vertical bars one character per line.
void TPTrackBar::paintCaption(QPainter& painter) const
{
    if (caption_.isEmpty())
        return;
    painter.setFont(font());
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    if (!vertical_) {
        const QRect band = captionAboveKnob() ? QRect(0, 0, width(), captionBand()) : rect();
        painter.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, caption_);
        return;
    }
    int lineHeight = fontMetrics().height();
    int top = (height() - lineHeight * int(caption_.size())) / 2;
    for (int i = 0; i < caption_.size(); ++i)
        painter.drawText(QRect(0, top + i * lineHeight, width(), lineHeight), Qt::AlignCenter, QString(caption_[i]));
}
