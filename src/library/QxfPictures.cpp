#include "library/QxfPictures.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

#include <filesystem>

namespace {

// Drawn over the icon's background, which the pages show through (its bottom-left pixel).
const QColor kIconBackground(255, 0, 255);
const QColor kBody(60, 60, 70);
const QColor kLight(255, 230, 120);

std::vector<std::uint8_t> bmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return {bytes.begin(), bytes.end()};
}

QImage blank(int size, const QColor& colour)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The picture fitted into the slot, centred, on white.
QImage fitted(const QImage& source, int size)
{
    QImage image = blank(size, Qt::white);
    QImage scaled = source.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&image);
    painter.drawImage((size - scaled.width()) / 2, (size - scaled.height()) / 2, scaled);
    return image;
}

QImage renderedSvg(const QString& path, int size)
{
    QSvgRenderer renderer(path);
    if (!renderer.isValid())
        return {};
    QImage image = blank(size, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QImage goboPicture(const QString& path, int size)
{
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        return renderedSvg(path, size);
    QImage source(path);
    return source.isNull() ? QImage() : fitted(source, size);
}

void beam(QPainter& p, QPointF from, QPointF left, QPointF right)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kLight);
    p.drawPolygon(QPolygonF({from, left, right}));
}

// One simple figure per kind of fixture.
void drawFigure(QPainter& p, std::string_view type)
{
    p.setPen(QPen(kBody, 1));
    p.setBrush(kBody);
    if (type == "Moving Head") {
        p.drawRect(10, 26, 12, 5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kBody, 2));
        p.drawLine(9, 25, 9, 12);
        p.drawLine(23, 25, 23, 12);
        p.setBrush(kBody);
        p.drawEllipse(11, 8, 10, 12);
        beam(p, {16, 8}, {8, 0}, {24, 0});
    } else if (type == "Scanner") {
        p.drawRect(2, 18, 20, 9);
        p.drawPolygon(QPolygonF({QPointF(22, 18), QPointF(30, 14), QPointF(30, 27)}));
        beam(p, {28, 16}, {18, 0}, {31, 0});
    } else if (type == "LED Bar (Beams)" || type == "LED Bar (Pixels)") {
        p.drawRect(1, 12, 30, 9);
        const QColor dots[] = {Qt::red, Qt::green, Qt::blue, Qt::white};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(dots[i]);
            p.drawEllipse(3 + 7 * i, 14, 5, 5);
        }
    } else if (type == "Dimmer") {
        p.drawRect(3, 6, 26, 22);
        p.setPen(QPen(kLight, 2));
        for (int i = 0; i < 4; ++i)
            p.drawLine(8 + 5 * i, 10, 8 + 5 * i, 24);
    } else if (type == "Strobe") {
        p.drawRect(2, 8, 28, 16);
        p.setBrush(kLight);
        p.drawPolygon(QPolygonF({QPointF(18, 9), QPointF(10, 17), QPointF(16, 17), QPointF(13, 23), QPointF(22, 14),
                                 QPointF(16, 14)}));
    } else if (type == "Smoke" || type == "Hazer") {
        p.drawRect(2, 16, 18, 12);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(190, 190, 200));
        for (QRect puff : {QRect(18, 10, 9, 9), QRect(22, 4, 9, 9), QRect(14, 3, 8, 8)})
            p.drawEllipse(puff);
    } else if (type == "Color Changer") {
        p.drawRoundedRect(6, 4, 20, 24, 4, 4);
        p.setPen(Qt::NoPen);
        const QColor parts[] = {Qt::red, Qt::green, Qt::blue};
        for (int i = 0; i < 3; ++i) {
            p.setBrush(parts[i]);
            p.drawPie(QRect(9, 9, 14, 14), i * 120 * 16, 120 * 16);
        }
    } else {
        // Lasers, flowers, effects and the rest: a box throwing several beams.
        p.drawRect(8, 20, 16, 10);
        p.setPen(QPen(kLight, 2));
        for (int x : {2, 9, 16, 23, 30})
            p.drawLine(16, 20, x, 2);
    }
}

} // namespace

TQxfPictures::TQxfPictures(std::vector<std::string> goboFolders) : goboFolders_(std::move(goboFolders)) {}

std::vector<std::uint8_t> TQxfPictures::swatch(std::uint32_t rgb, std::optional<std::uint32_t> second)
{
    QImage image = blank(kSlotSize, QColor::fromRgb(rgb));
    if (second) {
        QPainter painter(&image);
        painter.fillRect(kSlotSize / 2 + 1, 0, kSlotSize, kSlotSize, QColor::fromRgb(*second));
    }
    return bmpBytes(image);
}

std::vector<std::uint8_t> TQxfPictures::gobo(const std::string& resource)
{
    if (auto cached = gobos_.find(resource); cached != gobos_.end())
        return cached->second;
    std::vector<std::uint8_t>& bytes = gobos_[resource];
    for (const std::string& folder : goboFolders_) {
        QString path = QString::fromStdString((std::filesystem::path(folder) / resource).string());
        if (!QFileInfo(path).isFile())
            continue;
        QImage picture = goboPicture(path, kSlotSize);
        if (!picture.isNull())
            bytes = bmpBytes(picture);
        break;
    }
    return bytes;
}

std::vector<std::uint8_t> TQxfPictures::icon(std::string_view fixtureType)
{
    if (auto cached = icons_.find(fixtureType); cached != icons_.end())
        return cached->second;
    QImage image = blank(kIconSize, kIconBackground);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        drawFigure(painter, fixtureType);
    }
    return icons_[std::string(fixtureType)] = bmpBytes(image);
}

std::string qxfGoboFolderFor(const std::string& fixtureFolder)
{
    std::filesystem::path folder(fixtureFolder);
    if (!folder.has_filename())
        folder = folder.parent_path();
    return (folder.parent_path() / "gobos").string();
}
