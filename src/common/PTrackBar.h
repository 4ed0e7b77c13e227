#pragma once
// A slider with its caption written inside the bar (above the knob's track when the bar is
// tall enough). With a mouse step set, each pixel of mouse motion moves the value by that
// step while the pointer stays on the knob, which gives fine control over large ranges.

#include "common/PTrackAxis.h"

#include <QColor>
#include <QWidget>

class QPainter;

class TPTrackBar : public QWidget {
    Q_OBJECT
public:
    explicit TPTrackBar(QWidget* parent = nullptr);

    int min() const { return axis_.min(); }
    int max() const { return axis_.max(); }
    int position() const { return axis_.position(); }
    int pageSize() const { return pageSize_; }
    int lineSize() const { return lineSize_; }
    int mouseStep() const { return axis_.mouseStep(); }
    bool isVertical() const { return vertical_; }
    bool isMinimumAtTopLeft() const { return axis_.isMinimumAtStart(); }
    int sliderSize() const { return sliderSize_; }
    int partition() const { return partition_; }
    QColor partitionColor() const { return partitionColor_; }
    QColor minimumColor() const { return minimumColor_; }
    QColor color() const { return color_; }
    QString caption() const { return caption_; }

    void setMin(int value);
    void setMax(int value);
    // Emits changed() when the value, clamped to Min..Max, differs from the old one.
    void setPosition(int value);
    // Moves the bar to show a value read back from elsewhere, without emitting changed().
    void setPositionSilently(int value);
    void setPageSize(int value);
    void setLineSize(int value);
    void setMouseStep(int value);
    void setIsVertical(bool value);
    void setIsMinimumAtTopLeft(bool value);
    void setSliderSize(int value);
    void setPartition(int value);
    void setPartitionColor(const QColor& value);
    void setMinimumColor(const QColor& value);
    void setColor(const QColor& value);
    void setCaption(const QString& value);
    // Makes a horizontal bar tall enough to write its caption above the knob's track.
    void fitCaptionAboveKnob();

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
    int length() const { return vertical_ ? height() : width(); }
    int along(const QPoint& p) const { return vertical_ ? p.y() : p.x(); }
    void setPositionFrom(std::int64_t value);
    void setPositionAt(const QPoint& p);
    void paintSides(QPainter& painter, int knob) const;
    void paintKnob(QPainter& painter, int knob) const;
    void paintPartition(QPainter& painter) const;
    void paintCaption(QPainter& painter) const;
    // A horizontal bar tall enough for both writes its caption above the knob's track, so
    // that neither hides the other.
    bool captionAboveKnob() const;
    int captionBand() const;
    // The knob's centre across the bar.
    int knobAcross() const;

    TPTrackAxis axis_;
    int pageSize_ = 16;
    int lineSize_ = 1;
    bool vertical_ = true;
    int sliderSize_ = 17;
    int partition_ = 0;
    QColor partitionColor_ = Qt::black;
    QColor minimumColor_;
    QColor color_;
    QString caption_;
    bool dragging_ = false;
    bool pointerHidden_ = false;
    // The pointer coordinate along the axis that relative motion is measured from.
    int remembered_ = 0;
};
