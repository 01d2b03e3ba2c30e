#include "picture/MetafileCost.h"

#include <algorithm>

namespace picture {

namespace {

// The price of drawing, in microseconds on a large clock as measured here: every drawing has its
// price (a round cap or corner to work out); filling is cheap by the pixel; a line costs by its
// length, whatever its width; every point of a line is a join to work out, the longer the wider
// the pen; and every letter is a glyph to place.
constexpr double kReferenceSide = 1024;
constexpr double kMicrosPerDrawing = 6;
constexpr double kMicrosPerFilledPixel = 0.001;
constexpr double kMicrosPerStrokedPixel = 0.04;
constexpr double kMicrosPerPoint = 2;
constexpr double kMicrosPerJoinPerWidth = 1.5; // a wide pen's round corners take longer
constexpr double kMicrosPerLetter = 4;

} // namespace

bool MetafileCost::within(bool ok, const char* why)
{
    if (!m_exceeded && !ok)
        m_exceeded = why;
    return !m_exceeded;
}

bool MetafileCost::countRecord()
{
    return within(++m_records <= MaxRecords, "the metafile has too many records");
}

bool MetafileCost::countPoints(qint64 points)
{
    m_points += std::max<qint64>(0, points);
    return within(m_points <= MaxPoints, "the metafile has too many points");
}

bool MetafileCost::countLetters(qint64 letters)
{
    m_letters += std::max<qint64>(0, letters);
    return within(m_letters <= MaxLetters, "the metafile has too much text");
}

bool MetafileCost::saveState()
{
    return within(++m_savedStates <= MaxSavedStates, "the metafile saves too many states");
}

void MetafileCost::restoreState(int which)
{
    m_savedStates = which < 0 ? std::max(0, m_savedStates + which) : std::clamp(which - 1, 0, m_savedStates);
}

bool MetafileCost::countBitmap(qint64 pixels)
{
    const bool fits = pixels >= 0 && pixels <= MaxBitmapPixels - m_bitmapPixels;
    if (fits)
        m_bitmapPixels += pixels;
    return within(fits, "the metafile's bitmaps are too large");
}

double MetafileCost::scale() const
{
    return kReferenceSide / std::max({1.0, m_pictureSize.width(), m_pictureSize.height()});
}

bool MetafileCost::charge(double micros)
{
    m_micros += micros;
    return within(m_micros <= MaxDrawingMicros, "the metafile's drawing is too complex");
}

bool MetafileCost::chargeFill(double area)
{
    return charge(kMicrosPerDrawing + area * scale() * scale() * kMicrosPerFilledPixel);
}

bool MetafileCost::chargeStroke(double length, double width, qint64 points)
{
    const double pixels = length * scale();
    const double pen = std::max(1.0, width * scale());
    return charge(kMicrosPerDrawing + pixels * kMicrosPerStrokedPixel + pixels * pen * kMicrosPerFilledPixel +
                  double(points) * kMicrosPerPoint +
                  double(std::max<qint64>(0, points - 2)) * pen * kMicrosPerJoinPerWidth);
}

bool MetafileCost::chargeText(double area, qint64 letters)
{
    return charge(kMicrosPerDrawing + area * scale() * scale() * kMicrosPerFilledPixel +
                  double(letters) * kMicrosPerLetter);
}

} // namespace picture
