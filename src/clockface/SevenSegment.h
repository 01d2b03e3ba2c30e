#pragma once

#include <QChar>
#include <QLine>
#include <QRect>

namespace clockface {

struct FaceScene;

// The seven segments of a digit: 1 top, 2 upper right, 3 lower right, 4 bottom, 5 lower left,
// 6 upper left, 7 middle.
enum Segment : int
{
    SegTop = 1,
    SegUpperRight,
    SegLowerRight,
    SegBottom,
    SegLowerLeft,
    SegUpperLeft,
    SegMiddle
};

// The segments a digit lights, bit n - 1 for segment n; none for any other character.
unsigned litSegments(QChar digit);

// The pen width for a cell of that height: a ninth of it, made odd, at least 1.
int segmentThickness(int cellHeight);

// A digit cell shrunk by the segment thickness, with its segments.
struct SegmentCell
{
    int L = 0, T = 0, R = 0, B = 0, M = 0;
    int t = 1;

    // `cell` spans left..left + width - 1 and top..top + height - 1.
    static SegmentCell inside(const QRect& cell);
    QLine segment(int number) const;
};

void paintSevenSegment(const FaceScene& scene);

} // namespace clockface
