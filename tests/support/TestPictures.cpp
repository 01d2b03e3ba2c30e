#include "support/TestPictures.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <jpeglib.h>

namespace testpics {

QByteArray bmpBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

namespace {

QByteArray encodeJpeg(const QImage& source, int quality, bool progressive)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

} // namespace

QByteArray jpegBytes(const QImage& source, int quality)
{
    return encodeJpeg(source, quality, false);
}

QByteArray redPixelGif()
{
    static const unsigned char gif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01,
                                        0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                        0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01,
                                        0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return QByteArray(reinterpret_cast<const char*>(gif), sizeof gif);
}

namespace {

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& b, quint32 v)
{
    put16(b, int(v & 0xFFFF));
    put16(b, int(v >> 16));
}

void record(QByteArray& b, int function, std::initializer_list<int> params)
{
    put32(b, quint32(3 + params.size()));
    put16(b, function);
    for (int p : params)
        put16(b, p);
}

// A placeable metafile of 100 x 100 units at 96 per inch around the records given.
QByteArray metafile(const QByteArray& records, int objects)
{
    QByteArray header;
    put16(header, 1);     // memory metafile
    put16(header, 9);     // header words
    put16(header, 0x300); // version
    put32(header, quint32((18 + records.size()) / 2));
    put16(header, objects);
    quint32 largest = 0;
    for (qsizetype at = 0; at + 4 <= records.size();) {
        const quint32 words = quint32(quint8(records[at])) | quint32(quint8(records[at + 1])) << 8 |
                              quint32(quint8(records[at + 2])) << 16 | quint32(quint8(records[at + 3])) << 24;
        largest = std::max(largest, words);
        at += qsizetype(words) * 2;
    }
    put32(header, largest); // largest record, words
    put16(header, 0);

    QByteArray placeable;
    put32(placeable, 0x9AC6CDD7u);
    put16(placeable, 0);
    for (int v : {0, 0, 100, 100})
        put16(placeable, v);
    put16(placeable, 96);
    put32(placeable, 0);
    quint16 checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= quint16(quint8(placeable[i]) | (quint8(placeable[i + 1]) << 8));
    put16(placeable, checksum);
    return placeable + header + records;
}

QByteArray windowOf100()
{
    QByteArray records;
    record(records, 0x020B, {0, 0});     // SetWindowOrg
    record(records, 0x020C, {100, 100}); // SetWindowExt
    return records;
}

// A frame around the picture, so that it has an extent whatever follows.
QByteArray framed()
{
    QByteArray records = windowOf100();
    record(records, 0x041B, {100, 100, 0, 0}); // Rectangle
    return records;
}

} // namespace

QByteArray sampleWmf()
{
    QByteArray records = windowOf100();
    // CreateBrushIndirect: style 0, colour (2 words), hatch
    record(records, 0x02FC, {0, 0xFFFF, 0x00FF, 0}); // white
    record(records, 0x02FC, {0, 0x00FF, 0x0000, 0}); // red
    record(records, 0x02FC, {0, 0x0000, 0x00FF, 0}); // blue
    record(records, 0x02FA, {5, 0, 0, 0, 0});        // CreatePenIndirect: PS_NULL
    record(records, 0x012D, {3});                    // select the null pen
    record(records, 0x012D, {0});                    // white brush
    record(records, 0x041B, {100, 100, 0, 0});       // Rectangle, white
    record(records, 0x012D, {1});                    // red brush
    record(records, 0x041B, {50, 50, 10, 10});       // Rectangle bottom, right, top, left
    record(records, 0x012D, {2});                    // blue brush
    record(records, 0x0418, {90, 90, 60, 60});       // Ellipse
    record(records, 0x0000, {});                     // EOF
    return metafile(records, 4);
}

QByteArray wmfOfNestedSaves(int depth)
{
    QByteArray records = framed();
    records.reserve(records.size() + 6 * depth + 6);
    for (int i = 0; i < depth; ++i)
        record(records, 0x001E, {}); // SaveDC, never restored
    record(records, 0x0000, {});
    return metafile(records, 0);
}

QByteArray wmfOfLines(int count, bool shortOnes)
{
    QByteArray records = framed();
    records.reserve(records.size() + 10 * count + 6);
    for (int i = 0; i < count; ++i)
        if (shortOnes)
            record(records, 0x0213, {50 + i % 2, i % 100}); // LineTo y, x: a zigzag along the middle
        else
            record(records, 0x0213, {(i * 7) % 100, (i * 13) % 100}); // across the picture
    record(records, 0x0000, {});
    return metafile(records, 0);
}

QByteArray wmfOfPolylines(int points, int count, bool shortSteps)
{
    QByteArray records = framed();
    for (int k = 0; k < count; ++k) {
        put32(records, quint32(3 + 1 + 2 * points));
        put16(records, 0x0325); // Polyline
        put16(records, points);
        for (int i = 0; i < points; ++i) {
            put16(records, shortSteps ? i % 100 : (i * 7 + k) % 100);
            put16(records, shortSteps ? 50 + (i + k) % 2 : (i * 13) % 100);
        }
    }
    record(records, 0x0000, {});
    return metafile(records, 0);
}

QByteArray wmfOfRectangles(int count)
{
    QByteArray records = windowOf100();
    for (int i = 0; i < count; ++i)
        record(records, 0x041B, {100, 100, 0, 0}); // Rectangle over the whole picture
    record(records, 0x0000, {});
    return metafile(records, 0);
}

QByteArray wmfOfText(int characters, int count)
{
    QByteArray records = framed();
    for (int k = 0; k < count; ++k) {
        const int padded = characters + (characters & 1);
        put32(records, quint32(3 + 1 + padded / 2 + 2));
        put16(records, 0x0521); // TextOut
        put16(records, characters);
        for (int i = 0; i < padded; ++i)
            records.append(char('A' + (i + k) % 26));
        put16(records, 50); // y
        put16(records, 0);  // x
    }
    record(records, 0x0000, {});
    return metafile(records, 0);
}

QByteArray progressiveJpegOfManyScans(int width, int height, int extraScans)
{
    QByteArray bytes = progressiveJpegClaiming(width, height);
    // The last scan, from its header to the end of its data, said again and again.
    const qsizetype lastScan = bytes.lastIndexOf("\xFF\xDA");
    const qsizetype end = bytes.lastIndexOf("\xFF\xD9");
    if (lastScan < 0 || end < lastScan)
        return bytes;
    const QByteArray scan = bytes.mid(lastScan, end - lastScan);
    return bytes.left(end) + scan.repeated(extraScans) + bytes.mid(end);
}

QByteArray progressiveJpegClaiming(int width, int height)
{
    QImage small(16, 16, QImage::Format_RGB888);
    small.fill(QColor(90, 140, 200));
    QByteArray bytes = encodeJpeg(small, 75, true);
    // The frame header (SOF2) names the size: height, then width, big-endian after the precision.
    const qsizetype sof = bytes.indexOf("\xFF\xC2");
    if (sof >= 0 && sof + 9 <= bytes.size()) {
        bytes[sof + 5] = char(height >> 8);
        bytes[sof + 6] = char(height & 0xFF);
        bytes[sof + 7] = char(width >> 8);
        bytes[sof + 8] = char(width & 0xFF);
    }
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace testpics
