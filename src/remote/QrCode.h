#pragma once
// A QR code of a short text, for a phone's camera.

#include <QImage>
#include <QString>

// Black modules on white with a quiet zone of four modules, each module `scale` pixels; a
// null image when the text does not fit a code.
QImage qrCodeImage(const QString& text, int scale);
