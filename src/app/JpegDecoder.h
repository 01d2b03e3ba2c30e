#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace app {

// Largest picture we are willing to decode, in pixels (about 64 megapixels).
inline constexpr qint64 MaxPicturePixels = qint64(8192) * 8192;

// Decodes a JPEG file with libjpeg. A null image and a reason in `error` when it cannot.
QImage decodeJpeg(const QByteArray& data, QString* error);

} // namespace app
