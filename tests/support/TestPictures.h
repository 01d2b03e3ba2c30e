#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

namespace testpics {

QByteArray bmpBytes(const QImage& image);
QByteArray jpegBytes(const QImage& image, int quality = 95);
// A 1 x 1 GIF whose one pixel is red.
QByteArray redPixelGif();
// A placeable metafile, 100 x 100 units at 96 per inch: white background rectangle with a red
// rectangle from (10, 10) to (50, 50) and a blue ellipse in (60, 60)-(90, 90).
QByteArray sampleWmf();

bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace testpics
