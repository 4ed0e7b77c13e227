#pragma once
// The DMX tracker "DmxTracker": the pan/tilt position of every selected moving head as a
// black dot that leaves a trail in the head's own colour. It keeps plotting while hidden, so
// showing it later shows what the heads did. It only reads the universe and the selection,
// as copies taken under the show lock.

#include "club/Icons.h"
#include "dmx/Universe.h"

#include <QImage>
#include <QWidget>

#include <map>
#include <memory>
#include <mutex>

class QTimer;

// The drawing area and its off-screen picture, which keeps the size of the area.
class TDmxTrackerFrame : public QWidget {
    Q_OBJECT
public:
    static constexpr int kDotSize = 5;
    static constexpr int kMargin = 5;

    explicit TDmxTrackerFrame(QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    // The picture point of a 16-bit pan/tilt position.
    QPoint plotPoint(int pan, int tilt) const;
    void drawDot(QPoint at, const QColor& colour);
    void clear();
    // Fits the scale to the area's size.
    void rescale();

    QSize sizeHint() const override { return {240, 240}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void resizePicture(const QSize& size);

    QImage picture_;
    double sx_ = 0;
    double sy_ = 0;
};

class TDmxTrackerForm : public QWidget {
    Q_OBJECT
public:
    // A tool window that stays on top of `parent`, normally the main window.
    TDmxTrackerForm(const KyUniverse& dmx, const KyIcons& icons, std::mutex& showLock, QWidget* parent = nullptr);

    TDmxTrackerFrame* frame() const { return frame_; }
    // The selection changed: a tracker resting while hidden starts plotting again.
    void followSelection();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Trail {
        QPoint last{-10, -10};
        QColor colour;
    };
    struct Head {
        std::shared_ptr<KyClubDevice> device;
        std::int32_t startAddress = 1;
        KyPanTilt panTilt;
    };

    void step();
    void stepHead(const Head& head, const KyUniverse::Universe& universe);
    Trail& trailOf(const std::shared_ptr<KyClubDevice>& device);

    const KyUniverse& dmx_;
    const KyIcons& icons_;
    std::mutex& showLock_;
    TDmxTrackerFrame* frame_ = nullptr;
    QTimer* timer_ = nullptr;
    // Kept for the life of the window; a device removed from the installation never matches again.
    std::map<std::weak_ptr<KyClubDevice>, Trail, std::owner_less<>> trails_;
};
