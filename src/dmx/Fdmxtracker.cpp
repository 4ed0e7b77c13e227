#include "dmx/Fdmxtracker.h"

#include "common/PCloseButton.h"
#include "common/PToolWindow.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace {

constexpr std::array<QRgb, 11> kTrailColours = {
    qRgb(0, 255, 255),   qRgb(255, 0, 255),   qRgb(0, 255, 0),   qRgb(192, 220, 192),
    qRgb(128, 128, 0),   qRgb(128, 0, 128),   qRgb(255, 0, 0),   qRgb(192, 192, 192),
    qRgb(166, 202, 240), qRgb(0, 128, 128),   qRgb(255, 255, 0),
};

// Shared by every tracker of the process, so colours go on where the last tracker stopped.
unsigned trailsCreated = 0;

constexpr int kFullScale = 65535;

// Half away from zero, then toward zero.
int roundHalfAway(double v)
{
    return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5);
}

// Device channel `channel` of a device at `startAddress`; a channel outside the universe
// (possible only in a damaged installation) reads as 0.
int channelValue(const KyUniverse::Universe& universe, std::int32_t startAddress, std::int32_t channel)
{
    std::int64_t index = std::int64_t(startAddress) + channel - 2;
    return index >= 0 && index < KyUniverse::kChannels ? universe[static_cast<std::size_t>(index)] : 0;
}

} // namespace

// ---- Drawing area

TDmxTrackerFrame::TDmxTrackerFrame(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(sizeHint());
    resizePicture(size());
}

void TDmxTrackerFrame::resizeEvent(QResizeEvent* event)
{
    resizePicture(event->size());
    QWidget::resizeEvent(event);
}

// What the picture holds stays in its top-left corner.
void TDmxTrackerFrame::resizePicture(const QSize& size)
{
    if (picture_.size() != size) {
        QImage resized(size, QImage::Format_RGB32);
        resized.fill(palette().color(QPalette::Window));
        QPainter(&resized).drawImage(0, 0, picture_);
        picture_ = std::move(resized);
    }
    rescale();
}

void TDmxTrackerFrame::rescale()
{
    sx_ = double(width() - 2 * kMargin) / kFullScale;
    sy_ = double(height() - 2 * kMargin) / kFullScale;
}

QPoint TDmxTrackerFrame::plotPoint(int pan, int tilt) const
{
    return {roundHalfAway(pan * sx_ + kMargin), roundHalfAway(tilt * sy_ + kMargin)};
}

void TDmxTrackerFrame::drawDot(QPoint at, const QColor& colour)
{
    QPainter painter(&picture_);
    painter.setPen(QPen(colour, kDotSize, Qt::SolidLine, Qt::SquareCap));
    painter.drawPoint(at);
}

void TDmxTrackerFrame::clear()
{
    picture_.fill(palette().color(QPalette::Window));
    update();
}

void TDmxTrackerFrame::paintEvent(QPaintEvent*)
{
    QPainter(this).drawImage(0, 0, picture_);
}

// ---- Window

TDmxTrackerForm::TDmxTrackerForm(const KyUniverse& dmx, const KyIcons& icons, std::mutex& showLock, QWidget* parent)
    : QWidget(parent, vt::kToolWindowFlags), dmx_(dmx), icons_(icons), showLock_(showLock)
{
    setWindowTitle(QStringLiteral("DmxTracker"));
    frame_ = new TDmxTrackerFrame(this);

    auto* clear = new QPushButton(TDmxTrackerForm::tr("&Wyczyść"), this);
    clear->setObjectName(QStringLiteral("ClearButton"));
    connect(clear, &QPushButton::clicked, frame_, &TDmxTrackerFrame::clear);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(clear);
    addCloseButton(buttons, this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame_, 1);
    layout->addLayout(buttons);
    // The area gets its size now, not at the first showing: the tracker draws from the start.
    adjustSize();
    layout->setGeometry(rect());

    // Runs whether the window is shown or not, but rests while it is hidden with nothing
    // selected, since it then draws nothing (followSelection wakes it).
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &TDmxTrackerForm::step);
    timer_->start(50);
}

void TDmxTrackerForm::showEvent(QShowEvent* event)
{
    frame_->rescale();
    followSelection();
    QWidget::showEvent(event);
}

void TDmxTrackerForm::followSelection()
{
    if (!timer_->isActive())
        timer_->start();
}

void TDmxTrackerForm::step()
{
    KyUniverse::Universe universe;
    std::vector<Head> heads;
    {
        std::lock_guard lock(showLock_);
        universe = dmx_.data();
        for (const auto& device : icons_.selectedDevices()) {
            const KyDevice* type = device->deviceType.get();
            heads.push_back({device, device->startAddress, type ? type->panTilt : KyPanTilt{}});
        }
    }
    if (heads.empty() && !isVisible()) {
        timer_->stop();
        return;
    }
    for (const Head& head : heads)
        stepHead(head, universe);
    frame_->update();
}

// The last position turns to the head's colour and the new one is drawn black; the
// installation's inversion and swap of pan and tilt are left out, as the raw channels show.
void TDmxTrackerForm::stepHead(const Head& head, const KyUniverse::Universe& universe)
{
    Trail& trail = trailOf(head.device);
    frame_->drawDot(trail.last, trail.colour);
    const KyPanTilt& block = head.panTilt;
    if (block.active) {
        auto axis = [&](std::int32_t coarse, std::int32_t fine) {
            return channelValue(universe, head.startAddress, coarse) * 256 +
                   (block.mode8bit ? 0 : channelValue(universe, head.startAddress, fine));
        };
        trail.last =
            frame_->plotPoint(axis(block.panChannel, block.panFineChannel), axis(block.tiltChannel, block.tiltFineChannel));
    }
    frame_->drawDot(trail.last, Qt::black);
}

TDmxTrackerForm::Trail& TDmxTrackerForm::trailOf(const std::shared_ptr<KyClubDevice>& device)
{
    auto [it, created] = trails_.try_emplace(device);
    if (created)
        it->second.colour = QColor::fromRgb(kTrailColours[trailsCreated++ % kTrailColours.size()]);
    return it->second;
}
