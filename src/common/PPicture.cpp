#include "common/PPicture.h"

#include <QBitmap>
#include <QBuffer>

namespace vt {

QImage imageFromBmp(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return {};
    return QImage::fromData(bytes.data(), static_cast<int>(bytes.size()), "BMP");
}

std::optional<std::vector<std::uint8_t>> bmpFromImage(const QImage& image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    if (image.isNull() || !image.save(&buffer, "BMP"))
        return std::nullopt;
    return std::vector<std::uint8_t>(data.begin(), data.end());
}

QPixmap transparentPixmap(const QImage& image)
{
    if (image.isNull())
        return {};
    QPixmap pixmap = QPixmap::fromImage(image);
    QRgb background = image.pixel(0, image.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(QColor::fromRgb(background), Qt::MaskInColor));
    return pixmap;
}

} // namespace vt
