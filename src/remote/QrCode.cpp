#include "remote/QrCode.h"

#include <qrencode.h>

#include <memory>

QImage qrCodeImage(const QString& text, int scale)
{
    constexpr int kQuiet = 4;
    const QByteArray bytes = text.toUtf8();
    std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return {};
    const int modules = code->width + 2 * kQuiet;
    QImage image(modules * scale, modules * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        image.setPixel((x + kQuiet) * scale + dx, (y + kQuiet) * scale + dy, qRgb(0, 0, 0));
    return image;
}
