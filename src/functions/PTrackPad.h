#pragma once
// A two-dimensional pad with a knob, one axis per direction. Each axis has its own mouse
// step: a relative axis moves by its step per pixel of motion while the pointer stays on the
// knob; an axis with step 0 follows the pointer.

#include "common/PTrackAxis.h"

#include <QColor>
#include <QWidget>

class QPainter;

class TPTrackPad : public QWidget {
    Q_OBJECT
public:
    explicit TPTrackPad(QWidget* parent = nullptr);

    int minX() const { return x_.min(); }
    int maxX() const { return x_.max(); }
    int minY() const { return y_.min(); }
    int maxY() const { return y_.max(); }
    int positionX() const { return x_.position(); }
    int positionY() const { return y_.position(); }
    int mouseStepX() const { return x_.mouseStep(); }
    int mouseStepY() const { return y_.mouseStep(); }
    bool isMinimumAtLeft() const { return x_.isMinimumAtStart(); }
    bool isMinimumAtTop() const { return y_.isMinimumAtStart(); }
    int sliderSize() const { return sliderSize_; }
    int crossWidth() const { return crossWidth_; }
    QColor crossColor() const { return crossColor_; }
    int nMeshX() const { return meshX_; }
    int nMeshY() const { return meshY_; }
    QColor meshColor() const { return meshColor_; }
    QColor color() const { return color_; }

    void setMinX(int value);
    void setMaxX(int value);
    void setMinY(int value);
    void setMaxY(int value);
    // Each clamps to its range; changed() fires once when either value changes.
    void setPosition(int x, int y);
    void setPositionX(int value);
    void setPositionY(int value);
    // Moves the knob to show values read back from elsewhere, without emitting changed().
    void setPositionSilently(int x, int y);
    void setMouseStepX(int value);
    void setMouseStepY(int value);
    void setIsMinimumAtLeft(bool value);
    void setIsMinimumAtTop(bool value);
    void setSliderSize(int value);
    void setCrossWidth(int value);
    void setCrossColor(const QColor& value);
    void set_nMeshX(int value);
    void set_nMeshY(int value);
    void setMeshColor(const QColor& value);
    void setColor(const QColor& value);

    // The knob's centre, in widget coordinates.
    QPoint knobCentre() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Puts the pointer at a point of the widget; relative mouse mode keeps it on the knob.
    virtual void warpPointer(const QPoint& local);

private:
    void setPositionFrom(std::int64_t x, std::int64_t y);
    std::int64_t followX(const QPoint& p) const;
    std::int64_t followY(const QPoint& p) const;
    void stepBy(int dx, int dy);
    void paintMesh(QPainter& painter) const;
    void paintCross(QPainter& painter) const;
    void paintKnob(QPainter& painter) const;

    TPTrackAxis x_;
    TPTrackAxis y_;
    int sliderSize_ = 17;
    int crossWidth_ = 0;
    QColor crossColor_ = Qt::black;
    int meshX_ = 0;
    int meshY_ = 0;
    QColor meshColor_ = Qt::black;
    QColor color_;
    bool dragging_ = false;
    bool pointerHidden_ = false;
    // The pointer position that relative motion is measured from.
    QPoint remembered_;
};
