#include "clockface/SevenSegment.h"

#include "clockface/FaceScene.h"

#include <QPen>

#include <array>

namespace clockface {

namespace {

constexpr unsigned bit(int segment)
{
    return 1u << (segment - 1);
}

constexpr std::array<unsigned, 10> kDigits = {
    bit(1) | bit(2) | bit(3) | bit(4) | bit(5) | bit(6),          // 0
    bit(2) | bit(3),                                              // 1
    bit(1) | bit(2) | bit(4) | bit(5) | bit(7),                   // 2
    bit(1) | bit(2) | bit(3) | bit(4) | bit(7),                   // 3
    bit(2) | bit(3) | bit(6) | bit(7),                            // 4
    bit(1) | bit(3) | bit(4) | bit(6) | bit(7),                   // 5
    bit(1) | bit(3) | bit(4) | bit(5) | bit(6) | bit(7),          // 6
    bit(1) | bit(2) | bit(3),                                     // 7
    bit(1) | bit(2) | bit(3) | bit(4) | bit(5) | bit(6) | bit(7), // 8
    bit(1) | bit(2) | bit(3) | bit(4) | bit(6) | bit(7),          // 9
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

unsigned litSegments(QChar digit)
{
    return isDigit(digit) ? kDigits[size_t(digit.unicode() - u'0')] : 0u;
}

int segmentThickness(int cellHeight)
{
    int t = cellHeight / 9;
    if (t % 2 == 0)
        --t;
    return t < 1 ? 1 : t;
}

SegmentCell SegmentCell::inside(const QRect& cell)
{
    SegmentCell c;
    c.t = segmentThickness(cell.height());
    c.L = cell.left() + c.t;
    c.T = cell.top() + c.t;
    c.R = cell.left() + cell.width() - c.t;
    c.B = cell.top() + cell.height() - c.t;
    c.M = c.T + (c.B - c.T) / 2;
    return c;
}

QLine SegmentCell::segment(int number) const
{
    switch (number) {
    case SegTop:
        return QLine(L + t, T, R - t, T);
    case SegUpperRight:
        return QLine(R, T + t, R, M - t);
    case SegLowerRight:
        return QLine(R, M + t, R, B - t);
    case SegBottom:
        return QLine(L + t, B, R - t, B);
    case SegLowerLeft:
        return QLine(L, M + t, L, B - t);
    case SegUpperLeft:
        return QLine(L, T + t, L, M - t);
    default:
        return QLine(L + t, M, R - t, M);
    }
}

void paintSevenSegment(const FaceScene& s)
{
    QPainter& p = s.painter;
    const QFontMetrics& fm = s.metrics;
    const int cellHeight = fm.height();
    const int cellTop = s.inner.top() + (s.inner.height() - cellHeight) / 2;
    const int digitWidth = fm.horizontalAdvance(u'H');
    const auto cellWidth = [&](QChar c) { return isDigit(c) ? digitWidth : fm.horizontalAdvance(c); };

    qint64 total = 0;
    for (const QChar c : s.text)
        total += cellWidth(c);
    qint64 x = s.inner.left() + (s.inner.width() - total) / 2;

    p.setRenderHint(QPainter::Antialiasing, false);
    for (const QChar c : s.text) {
        const int w = cellWidth(c);
        const QRect cell(int(x), cellTop, w, cellHeight);
        x += w;
        if (!isDigit(c)) {
            p.save();
            p.setClipRect(cell, Qt::IntersectClip);
            p.setPen(s.fontColor);
            p.drawText(cell.left(), cell.top() + fm.ascent(), QString(c));
            p.restore();
            continue;
        }
        const SegmentCell segments = SegmentCell::inside(cell);
        p.setPen(QPen(s.fontColor, segments.t, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        const unsigned lit = litSegments(c);
        for (int n = SegTop; n <= SegMiddle; ++n) {
            if (lit & (1u << (n - 1)))
                p.drawLine(segments.segment(n));
        }
    }
}

} // namespace clockface
