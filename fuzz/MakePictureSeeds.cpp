// Writes the seed corpus of the picture fuzzer: small pictures of every kind the clock reads, as
// the tests make them (the shipped bitmaps are drawn beside them by make_clock_pictures).
#include "support/TestPictures.h"

#include <QDir>
#include <QPainter>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QImage face(24, 16, QImage::Format_RGB32);
    face.fill(Qt::white);
    QPainter(&face).fillRect(2, 2, 10, 6, QColor(200, 30, 30));
    QImage indexed = face.convertToFormat(QImage::Format_Indexed8);
    QImage clear(8, 8, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const std::pair<const char*, QByteArray> seeds[] = {
        {"face.bmp", testpics::bmpBytes(face)},
        {"indexed.bmp", testpics::bmpBytes(indexed)},
        {"alpha.bmp", testpics::bmpBytes(clear)},
        {"red.gif", testpics::redPixelGif()},
        {"face.jpg", testpics::jpegBytes(face, 75)},
        {"progressive.jpg", testpics::progressiveJpegClaiming(64, 48)},
        {"scans.jpg", testpics::progressiveJpegOfManyScans(32, 32, 3)},
        {"sample.wmf", testpics::sampleWmf()},
        {"saves.wmf", testpics::wmfOfNestedSaves(3)},
        {"lines.wmf", testpics::wmfOfLines(4)},
        {"polylines.wmf", testpics::wmfOfPolylines(6, 2, true)},
        {"rectangles.wmf", testpics::wmfOfRectangles(3)},
        {"text.wmf", testpics::wmfOfText(5, 2)},
    };
    for (const auto& [name, bytes] : seeds)
        if (!testpics::writeFile(folder.filePath(QString::fromLatin1(name)), bytes))
            return 1;
    return 0;
}
