#pragma once
// Pictures kept in the models as the bytes of a BMP file.

#include <QImage>
#include <QPixmap>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace vt {

// A null image for no bytes or bytes that are not a picture.
QImage imageFromBmp(std::span<const std::uint8_t> bytes);
// The bytes of a BMP file holding the image; nothing for a null image.
std::optional<std::vector<std::uint8_t>> bmpFromImage(const QImage& image);
// The picture as drawn transparently: its bottom-left pixel's colour shows what lies behind.
QPixmap transparentPixmap(const QImage& image);

} // namespace vt
