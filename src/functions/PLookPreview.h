#pragma once
// The pages of icons as a preview of the light: around each icon a halo in the colour and
// brightness its device gives off, and for a moving head a short beam where it points. It
// follows the frames as they go out, 20 a second, while it is on; off, it takes nothing from
// the program and the pages look as they do without it.

#include "club/PIconPages.h"
#include "functions/Look.h"

#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QRect>
#include <QRegion>

#include <functional>
#include <map>
#include <vector>

class QPainter;
class QTimer;
class TPDevIcon;

class TPLookPreview : public QObject {
    Q_OBJECT
public:
    // Copies the frame that went out last; it takes the show lock for that copy alone.
    using FrameSource = std::function<void(KyDmxSpace::Universe&)>;

    static constexpr int kIntervalMs = 50;

    // Reads the devices behind the icons on the window thread without the show lock: only
    // this thread changes them, and the tick only reads them.
    TPLookPreview(TPIconPages& pages, const KyIcons& icons, FrameSource frames, QObject* parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);

    // One step: the latest frame, each device's look, and a repaint of the halos that changed.
    void refresh();

    // What the icon's halo shows now; dark while the preview is off.
    KyHalo haloShown(const TPDevIcon* icon) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Shown {
        const TPDevIcon* widget = nullptr;
        QWidget* page = nullptr;
        QRect icon;
        // Where the halo and the beam may paint: around the icon, clear of every icon.
        QRegion ring;
        const std::vector<KyRgb>* wheelColours = nullptr;
        KyHalo halo;
        bool aims = false;
        QPointF beam; // from the icon's centre: the beam's end, relative; null for none
    };

    bool layoutChanged() const;
    void relayout();
    void follow(Shown& shown, const KyLook& look, bool flickerOn) const;
    void paintPage(QWidget* page, QPainter& painter, const QRect& area) const;
    void forgetPages();

    TPIconPages& pages_;
    const KyIcons& icons_;
    FrameSource frames_;
    QTimer* timer_ = nullptr;
    bool on_ = false;
    bool rebuilt_ = true;
    unsigned frameCount_ = 0;
    KyDmxSpace::Universe frame_{};
    std::vector<Shown> shown_;
    // The pages window deletes pages; a deleted one reads null here.
    std::vector<QPointer<QWidget>> pageWidgets_;
    // The mean colour of each colour-wheel slot's picture, by device type; reckoned when the
    // icons are laid out, never per frame.
    std::map<const KyDevice*, std::vector<KyRgb>> wheelColours_;
};
