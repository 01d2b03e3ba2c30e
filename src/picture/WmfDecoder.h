#pragma once

#include "picture/PictureLimits.h"

#include <QByteArray>
#include <QPicture>
#include <QSize>
#include <QString>
#include <optional>

namespace picture {

struct Metafile
{
    QPicture picture; // drawing in the metafile's own size
    QSize size;       // at 96 pixels per inch
};

// Parses a Windows metafile with libwmf and records its drawing with QPainter. A metafile whose
// records, points, text, saved states or bitmaps would cost more than a clock picture is worth is
// refused as too large before libwmf plays it. Nothing, and why in `failure`, when it cannot.
std::optional<Metafile> decodeWmf(const QByteArray& data, DecodeFailure* failure);

} // namespace picture
