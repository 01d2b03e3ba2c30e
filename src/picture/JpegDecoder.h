#pragma once

#include "picture/PictureLimits.h"

#include <QByteArray>
#include <QImage>
#include <optional>

namespace picture {

struct DecodedJpeg
{
    QImage image; // at most MaxKeptPictureSide a side
    QSize size;   // the picture's own size, which the image may be a reduction of
};

// Decodes a JPEG file with libjpeg, with its work and memory bounded: a picture larger than
// MaxPicturePixels, or one whose progressive scans would need more memory or passes than a clock
// picture is worth, is refused as too large. Nothing, and why in `failure`, when it cannot.
std::optional<DecodedJpeg> decodeJpeg(const QByteArray& data, DecodeFailure* failure);

} // namespace picture
