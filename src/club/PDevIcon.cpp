#include "club/PDevIcon.h"

#include "common/Cp1250.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

// The picture's bottom-left colour is its background and shows the frame through.
QPixmap transparentPicture(std::span<const std::uint8_t> bmp)
{
    QImage image = QImage::fromData(bmp.data(), static_cast<int>(bmp.size()), "BMP");
    if (image.isNull())
        return {};
    image.convertTo(QImage::Format_ARGB32);
    const QRgb background = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (line[x] == background)
                line[x] = qRgba(0, 0, 0, 0);
    }
    return QPixmap::fromImage(image);
}

QColor labelColour(std::uint8_t state)
{
    switch (state) {
    case KyDevIcon::MoveMode:
        return QColor(128, 128, 128);
    case KyDevIcon::SelectedOtherType:
        return QColor(0, 0, 128);
    case KyDevIcon::SelectedSameType:
        return QColor(255, 0, 0);
    default:
        return QColor(0, 128, 0);
    }
}

void fillWith(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

TPDevIcon::TPDevIcon(KyIcons& icons, std::size_t index, std::mutex& showLock, QWidget* page)
    : QFrame(page), icons_(icons), index_(index), showLock_(showLock)
{
    setFixedSize(KyDevIcon::kWidth, KyDevIcon::kHeight);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setAutoFillBackground(true);
    const KyClubDevice& device = *icon().device;

    picture_ = new QLabel(this);
    picture_->setAlignment(Qt::AlignCenter);
    if (device.deviceType)
        picture_->setPixmap(transparentPicture(device.deviceType->icon));

    label_ = new QLabel(QString::fromStdString(vt::cp1250ToUtf8(device.name)), this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setAutoFillBackground(true);
    QFont font = label_->font();
    font.setPointSize(9);
    label_->setFont(font);
    fillWith(label_, QPalette::WindowText, Qt::white);

    // Presses on the picture and the label act on the icon.
    for (QLabel* part : {picture_, label_})
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
    const QRect inside = contentsRect();
    label_->setGeometry(inside.left(), inside.bottom() + 1 - kLabelHeight, inside.width(), kLabelHeight);
    picture_->setGeometry(inside.left(), inside.top(), inside.width(), inside.height() - kLabelHeight);
    showState();
}

void TPDevIcon::showState()
{
    const std::uint8_t state = icon().state;
    const bool selected = state == KyDevIcon::SelectedOtherType || state == KyDevIcon::SelectedSameType;
    fillWith(this, QPalette::Window, QWidget::palette().color(selected ? QPalette::Base : QPalette::Button));
    fillWith(label_, QPalette::Window, labelColour(state));
}

void TPDevIcon::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (!icons_.moveMode()) {
        {
            std::lock_guard lock(showLock_);
            icons_.toggleSelection(index_);
        }
        emit selectionToggled();
        raise();
        return;
    }
    // The press grabs the pointer for this icon until the release.
    grab_ = event->position().toPoint();
    {
        std::lock_guard lock(showLock_);
        icons_.startDrag(index_);
    }
    raise();
}

void TPDevIcon::mouseMoveEvent(QMouseEvent* event)
{
    if (!icon().dragging)
        return;
    QPoint pointer = mapToParent(event->position().toPoint());
    KyIconPoint at = draggedIconPosition({pointer.x(), pointer.y()}, {grab_.x(), grab_.y()}, parentWidget()->width(),
                                         parentWidget()->height());
    move(at.x, at.y);
}

void TPDevIcon::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !icon().dragging)
        return;
    std::lock_guard lock(showLock_);
    icons_.endDrag(index_, {x(), y()});
}
