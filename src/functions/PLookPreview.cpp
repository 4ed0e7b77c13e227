#include "functions/PLookPreview.h"

#include "club/PDevIcon.h"
#include "common/PPicture.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

// The halo reaches this far past the icon's edge, in three bands; a beam reaches further.
constexpr int kGlow = 12;
constexpr int kBands = 3;
constexpr int kBeamReach = 28;
constexpr double kBeamShortest = 8;

// The mean colour of the picture as the pages show it: its background (the bottom-left
// pixel's colour) shows through and does not count, unless it is all there is.
KyRgb meanColour(std::span<const std::uint8_t> bmp)
{
    const QImage image = vt::imageFromBmp(bmp).convertToFormat(QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const QRgb background = image.pixel(0, image.height() - 1);
    long sum[2][3] = {};
    long count[2] = {};
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int kind = line[x] == background ? 1 : 0;
            sum[kind][0] += qRed(line[x]);
            sum[kind][1] += qGreen(line[x]);
            sum[kind][2] += qBlue(line[x]);
            ++count[kind];
        }
    }
    const int kind = count[0] > 0 ? 0 : 1;
    auto mean = [&](int c) { return static_cast<std::uint8_t>(sum[kind][c] / count[kind]); };
    return {mean(0), mean(1), mean(2)};
}

std::vector<KyRgb> wheelColoursOf(const KyDevice& type)
{
    std::vector<KyRgb> colours;
    for (std::size_t i = 0; i < type.color1.slotCount(); ++i)
        colours.push_back(meanColour(type.color1.slotAt(i).picture));
    return colours;
}

// The beam leaves the icon's edge towards the pad point's side of the pad's centre, longer
// the further the point lies from it; a head at the centre shows none.
QPointF beamEnd(const QRect& icon, KyPadPoint pad)
{
    const double dx = pad.x / 32767.5 - 1;
    const double dy = pad.y / 32767.5 - 1;
    const double distance = std::hypot(dx, dy);
    if (distance < 1.0 / 64)
        return {};
    const double ux = dx / distance;
    const double uy = dy / distance;
    const double toEdge = std::min(ux != 0 ? icon.width() / 2.0 / std::abs(ux) : 1e9,
                                   uy != 0 ? icon.height() / 2.0 / std::abs(uy) : 1e9);
    const double length = toEdge + kBeamShortest + (kBeamReach - kBeamShortest) * std::min(distance, 1.0);
    return {ux * length, uy * length};
}

constexpr std::uint8_t kFaintest = 80;
constexpr int kGround = 48;

// Pair by pair, so that uniting many rings costs n log n, not n squared.
QRegion united(std::vector<QRegion> regions)
{
    for (std::size_t step = 1; step < regions.size(); step *= 2)
        for (std::size_t i = 0; i + step < regions.size(); i += 2 * step)
            regions[i] += regions[i + step];
    return regions.empty() ? QRegion() : regions.front();
}

// `cover` (0-1) of the light over the ground.
QColor mixed(const QColor& ground, const KyRgb& light, double cover)
{
    auto mix = [cover](int under, int over) { return static_cast<int>(under + (over - under) * cover + 0.5); };
    return QColor(mix(ground.red(), light.r), mix(ground.green(), light.g), mix(ground.blue(), light.b));
}

} // namespace

TPLookPreview::TPLookPreview(TPIconPages& pages, const KyIcons& icons, FrameSource frames, QObject* parent)
    : QObject(parent), pages_(pages), icons_(icons), frames_(std::move(frames)), timer_(new QTimer(this))
{
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &TPLookPreview::refresh);
    connect(&pages_, &TPIconPages::iconsRebuilt, this, [this] { rebuilt_ = true; });
}

void TPLookPreview::setOn(bool on)
{
    if (on == on_)
        return;
    on_ = on;
    if (on) {
        rebuilt_ = true;
        refresh();
        timer_->start();
        return;
    }
    timer_->stop();
    forgetPages();
    shown_.clear();
    wheelColours_.clear();
    for (int i = 0; i < pages_.count(); ++i)
        pages_.widget(i)->update();
}

KyHalo TPLookPreview::haloShown(const TPDevIcon* icon) const
{
    for (const Shown& shown : shown_)
        if (shown.widget == icon)
            return shown.halo;
    return {};
}

void TPLookPreview::refresh()
{
    if (!on_)
        return;
    frames_(frame_);
    if (layoutChanged())
        relayout();
    const bool flickerOn = (++frameCount_ & 1) != 0;
    std::map<QWidget*, std::vector<QRegion>> changed;
    for (Shown& shown : shown_) {
        const KyHalo halo = shown.halo;
        const QPointF beam = shown.beam;
        const std::size_t index = shown.widget->index();
        follow(shown, deviceLook(*icons_.icons()[index].device, frame_, *shown.wheelColours), flickerOn);
        if ((shown.halo != halo || shown.beam != beam) && shown.page->isVisible())
            changed[shown.page].push_back(shown.ring);
    }
    for (auto& [page, rings] : changed)
        page->update(united(std::move(rings)));
}

void TPLookPreview::follow(Shown& shown, const KyLook& look, bool flickerOn) const
{
    shown.halo = haloOf(look, flickerOn);
    shown.beam = look.aims ? beamEnd(shown.icon, look.pad) : QPointF();
}

bool TPLookPreview::layoutChanged() const
{
    const auto& widgets = pages_.iconWidgets();
    if (rebuilt_ || widgets.size() != shown_.size() || static_cast<int>(pageWidgets_.size()) != pages_.count())
        return true;
    for (std::size_t i = 0; i < widgets.size(); ++i)
        if (shown_[i].widget != widgets[i] || shown_[i].page != widgets[i]->parentWidget() ||
            shown_[i].icon != widgets[i]->geometry())
            return true;
    for (std::size_t i = 0; i < pageWidgets_.size(); ++i)
        if (pageWidgets_[i] != pages_.widget(static_cast<int>(i)))
            return true;
    return false;
}

// The rings are reckoned once per layout, so that a frame repaints the page around the
// icons and never an icon itself.
void TPLookPreview::relayout()
{
    rebuilt_ = false;
    wheelColours_.clear();
    shown_.clear();
    for (const TPDevIcon* widget : pages_.iconWidgets()) {
        const KyClubDevice& device = *icons_.icons()[widget->index()].device;
        Shown shown;
        shown.widget = widget;
        shown.page = widget->parentWidget();
        shown.icon = widget->geometry();
        shown.aims = device.deviceType && device.deviceType->panTilt.active;
        auto [colours, added] = wheelColours_.try_emplace(device.deviceType.get());
        if (added && device.deviceType)
            colours->second = wheelColoursOf(*device.deviceType);
        shown.wheelColours = &colours->second;
        shown_.push_back(shown);
    }
    for (Shown& shown : shown_) {
        const int reach = shown.aims ? kBeamReach : kGlow;
        const QRect around = shown.icon.adjusted(-reach, -reach, reach, reach);
        shown.ring = QRegion(around);
        for (const Shown& other : shown_)
            if (other.page == shown.page && other.icon.intersects(around))
                shown.ring -= other.icon;
    }
    forgetPages();
    for (int i = 0; i < pages_.count(); ++i) {
        pageWidgets_.push_back(pages_.widget(i));
        pageWidgets_.back()->installEventFilter(this);
        pageWidgets_.back()->update();
    }
}

void TPLookPreview::forgetPages()
{
    for (QWidget* page : pageWidgets_)
        if (page)
            page->removeEventFilter(this);
    pageWidgets_.clear();
}

bool TPLookPreview::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && on_) {
        auto* page = static_cast<QWidget*>(watched);
        QPainter painter(page);
        paintPage(page, painter, static_cast<QPaintEvent*>(event)->rect());
    }
    return false;
}

// Light shows on a dark ground, as on a stage; white would vanish on the page's own. The
// colours are opaque: a translucent fill is far slower on a page whose repaint is clipped to
// many rings.
void TPLookPreview::paintPage(QWidget* page, QPainter& painter, const QRect& area) const
{
    const QColor ground(kGround, kGround, kGround);
    for (const Shown& shown : shown_) {
        if (shown.page != page || !shown.ring.boundingRect().intersects(area))
            continue;
        const KyHalo& halo = shown.halo;
        // Each band lays a third of the light over the one outside it.
        const double share = halo.strength / 255.0 / kBands;
        double cover = 0;
        for (int k = 0; k < kBands; ++k) {
            cover += (1 - cover) * share;
            const int reach = kGlow - k * kGlow / kBands;
            painter.fillRect(shown.icon.adjusted(-reach, -reach, reach, reach), mixed(ground, halo.hue, cover));
        }
        if (!shown.beam.isNull()) {
            // A dark head still shows where it points, faintly.
            painter.setPen(QPen(mixed(ground, halo.hue, std::max(halo.strength, kFaintest) / 255.0), 3));
            const QPointF centre = QRectF(shown.icon).center();
            painter.drawLine(centre, centre + shown.beam);
        }
    }
}
