#include "functions/PTrackPad.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <qdrawutil.h>

#include <algorithm>

TPTrackPad::TPTrackPad(QWidget* parent) : QWidget(parent), color_(palette().color(QPalette::Base))
{
    setFocusPolicy(Qt::StrongFocus);
}

void TPTrackPad::setMinX(int value)
{
    x_.setMin(value);
    update();
}

void TPTrackPad::setMaxX(int value)
{
    x_.setMax(value);
    update();
}

void TPTrackPad::setMinY(int value)
{
    y_.setMin(value);
    update();
}

void TPTrackPad::setMaxY(int value)
{
    y_.setMax(value);
    update();
}

void TPTrackPad::setPosition(int x, int y)
{
    setPositionFrom(x, y);
}

void TPTrackPad::setPositionX(int value)
{
    setPositionFrom(value, y_.position());
}

void TPTrackPad::setPositionY(int value)
{
    setPositionFrom(x_.position(), value);
}

void TPTrackPad::setPositionFrom(std::int64_t x, std::int64_t y)
{
    bool changedX = x_.setPosition(x);
    bool changedY = y_.setPosition(y);
    if (!changedX && !changedY)
        return;
    update();
    emit changed();
}

void TPTrackPad::setPositionSilently(int x, int y)
{
    x_.setPosition(x);
    y_.setPosition(y);
    update();
}

void TPTrackPad::setMouseStepX(int value)
{
    x_.setMouseStep(value);
}

void TPTrackPad::setMouseStepY(int value)
{
    y_.setMouseStep(value);
}

void TPTrackPad::setIsMinimumAtLeft(bool value)
{
    x_.setMinimumAtStart(value);
    update();
}

void TPTrackPad::setIsMinimumAtTop(bool value)
{
    y_.setMinimumAtStart(value);
    update();
}

void TPTrackPad::setSliderSize(int value)
{
    sliderSize_ = std::clamp(value, 3, 64);
    update();
}

void TPTrackPad::setCrossWidth(int value)
{
    if (value < 0)
        return;
    crossWidth_ = value;
    update();
}

void TPTrackPad::setCrossColor(const QColor& value)
{
    crossColor_ = value;
    update();
}

void TPTrackPad::set_nMeshX(int value)
{
    if (value < 0)
        return;
    meshX_ = value;
    update();
}

void TPTrackPad::set_nMeshY(int value)
{
    if (value < 0)
        return;
    meshY_ = value;
    update();
}

void TPTrackPad::setMeshColor(const QColor& value)
{
    meshColor_ = value;
    update();
}

void TPTrackPad::setColor(const QColor& value)
{
    color_ = value;
    update();
}

QPoint TPTrackPad::knobCentre() const
{
    return {x_.pixelOf(x_.position(), width(), sliderSize_), y_.pixelOf(y_.position(), height(), sliderSize_)};
}

QSize TPTrackPad::sizeHint() const
{
    return {200, 200};
}

QSize TPTrackPad::minimumSizeHint() const
{
    int side = sliderSize_ + 2 * TPTrackAxis::borderWidth + 8;
    return {side, side};
}

// An axis without a mouse step takes the value under the pointer; a relative one moves by its
// step per pixel from the remembered point.
std::int64_t TPTrackPad::followX(const QPoint& p) const
{
    if (!pointerHidden_ || x_.mouseStep() == 0)
        return x_.valueAt(p.x(), width(), sliderSize_);
    return x_.stepped(p.x() - remembered_.x(), x_.mouseStep());
}

std::int64_t TPTrackPad::followY(const QPoint& p) const
{
    if (!pointerHidden_ || y_.mouseStep() == 0)
        return y_.valueAt(p.y(), height(), sliderSize_);
    return y_.stepped(p.y() - remembered_.y(), y_.mouseStep());
}

void TPTrackPad::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    QPoint p = event->position().toPoint();
    setPositionFrom(followX(p), followY(p));
    if (x_.mouseStep() > 0 || y_.mouseStep() > 0) {
        pointerHidden_ = true;
        setCursor(Qt::BlankCursor);
        remembered_ = p;
    }
}

void TPTrackPad::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    QPoint p = event->position().toPoint();
    if (pointerHidden_ && p == remembered_)
        return;
    setPositionFrom(followX(p), followY(p));
    if (!pointerHidden_)
        return;
    remembered_ = knobCentre();
    warpPointer(remembered_);
}

void TPTrackPad::mouseReleaseEvent(QMouseEvent* event)
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

void TPTrackPad::warpPointer(const QPoint& local)
{
    QCursor::setPos(mapToGlobal(local));
}

void TPTrackPad::stepBy(int dx, int dy)
{
    setPositionFrom(x_.stepped(dx, std::max(1, x_.mouseStep())), y_.stepped(dy, std::max(1, y_.mouseStep())));
}

void TPTrackPad::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_H:
        stepBy(-1, 0);
        break;
    case Qt::Key_Right:
    case Qt::Key_L:
        stepBy(1, 0);
        break;
    case Qt::Key_Up:
    case Qt::Key_K:
        stepBy(0, -1);
        break;
    case Qt::Key_Down:
    case Qt::Key_J:
        stepBy(0, 1);
        break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TPTrackPad::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), color_);
    paintMesh(painter);
    paintCross(painter);
    paintKnob(painter);
    qDrawShadePanel(&painter, rect(), palette(), true, TPTrackAxis::borderWidth);
}

// MeshX + 1 vertical and MeshY + 1 horizontal lines over the knob's travel.
void TPTrackPad::paintMesh(QPainter& painter) const
{
    painter.setPen(meshColor_);
    if (meshX_ > 0)
        for (int i = 0; i <= meshX_; ++i) {
            int x = TPTrackAxis::markPixel(i, meshX_, width(), sliderSize_);
            painter.drawLine(x, 1, x, height() - 2);
        }
    if (meshY_ > 0)
        for (int i = 0; i <= meshY_; ++i) {
            int y = TPTrackAxis::markPixel(i, meshY_, height(), sliderSize_);
            painter.drawLine(1, y, width() - 2, y);
        }
}

void TPTrackPad::paintCross(QPainter& painter) const
{
    if (crossWidth_ == 0)
        return;
    painter.setPen(QPen(crossColor_, crossWidth_, Qt::SolidLine, Qt::FlatCap));
    int cx = width() / 2;
    int cy = height() / 2;
    painter.drawLine(cx, 1, cx, height() - 2);
    painter.drawLine(1, cy, width() - 2, cy);
}

void TPTrackPad::paintKnob(QPainter& painter) const
{
    QPointF centre = QPointF(knobCentre()) + QPointF(0.5, 0.5);
    double radius = sliderSize_ / 2.0;
    QRadialGradient shade(centre, radius, centre - QPointF(radius / 3, radius / 3));
    QColor face = palette().color(QPalette::Button);
    shade.setColorAt(0, face.lighter(150));
    shade.setColorAt(1, face.darker(160));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(face.darker(250), 1));
    painter.setBrush(shade);
    painter.drawEllipse(centre, radius - 0.5, radius - 0.5);
    painter.restore();
}
