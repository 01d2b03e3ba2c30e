#include "picture/PictureRegion.h"

#include <vector>

namespace picture {

namespace {

// Scans an image row by row into runs of pixels for which `inside` holds; equal neighbouring rows
// share one band, and the region is made from all of them at once.
template <typename Inside> QRegion regionWhere(const QImage& frame, QPoint offset, Inside inside)
{
    const int width = frame.width();
    const int height = frame.height();
    std::vector<QRect> rects;  // finished bands, in top-to-bottom, left-to-right order
    std::vector<int> rowSpans; // x-start, x-end pairs of the current row
    std::vector<int> prevSpans;
    size_t bandFirst = 0; // index in rects of the band the previous row belongs to

    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
        rowSpans.clear();
        int start = -1;
        for (int x = 0; x < width; ++x) {
            const bool in = inside(line[x]);
            if (in && start < 0) {
                start = x;
            } else if (!in && start >= 0) {
                rowSpans.push_back(start);
                rowSpans.push_back(x);
                start = -1;
            }
        }
        if (start >= 0) { // a run still open at the row's end ends at the right edge
            rowSpans.push_back(start);
            rowSpans.push_back(width);
        }
        if (rowSpans.empty()) {
            prevSpans.clear();
            continue;
        }
        if (!prevSpans.empty() && rowSpans == prevSpans) {
            for (size_t i = bandFirst; i < rects.size(); ++i)
                rects[i].setBottom(offset.y() + y);
            continue;
        }
        bandFirst = rects.size();
        for (size_t i = 0; i < rowSpans.size(); i += 2)
            rects.emplace_back(QPoint(offset.x() + rowSpans[i], offset.y() + y),
                               QPoint(offset.x() + rowSpans[i + 1] - 1, offset.y() + y));
        std::swap(prevSpans, rowSpans);
    }

    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), int(rects.size()));
    return region;
}

} // namespace

QRegion pictureRegion(const QImage& source)
{
    if (source.isNull())
        return {};
    const QImage frame = source.format() == QImage::Format_RGB32
                             ? source
                             : source.convertToFormat(QImage::Format_RGB32);
    const QRgb transparent = frame.pixel(0, 0) & 0x00FFFFFF;
    return regionWhere(frame, {0, 0}, [transparent](QRgb p) { return (p & 0x00FFFFFF) != transparent; });
}

QRegion coverageRegion(const QImage& mask, QPoint offset)
{
    if (mask.isNull())
        return {};
    const QImage argb = mask.format() == QImage::Format_ARGB32_Premultiplied
                            ? mask
                            : mask.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return regionWhere(argb, offset, [](QRgb p) { return qAlpha(p) != 0; });
}

QRegion simpleRegion(QSize size, bool elliptic)
{
    return QRegion(QRect(QPoint(0, 0), size), elliptic ? QRegion::Ellipse : QRegion::Rectangle);
}

} // namespace picture
