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

// Hostile pictures: small files that ask for a great deal of work.
// A metafile of `depth` SaveDC records, none of them restored.
QByteArray wmfOfNestedSaves(int depth);
// A metafile of `count` LineTo records, each across the picture or each a step of one unit.
QByteArray wmfOfLines(int count, bool shortOnes = false);
// A metafile of `count` polylines of `points` points each (at most 32767), their segments across
// the picture or steps of one unit.
QByteArray wmfOfPolylines(int points, int count = 1, bool shortSteps = false);
// A metafile of `count` rectangles, each over the whole picture.
QByteArray wmfOfRectangles(int count);
// A metafile of `count` texts of `characters` letters each.
QByteArray wmfOfText(int characters, int count = 1);
// A progressive JPEG of a few hundred bytes whose frame header claims width x height.
QByteArray progressiveJpegClaiming(int width, int height);
// The same with its last scan repeated `extraScans` times.
QByteArray progressiveJpegOfManyScans(int width, int height, int extraScans);

bool writeFile(const QString& path, const QByteArray& bytes);

} // namespace testpics
