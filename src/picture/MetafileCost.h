#pragma once

#include <QSizeF>
#include <QtGlobal>

namespace picture {

// What a metafile may cost a clock, and what one costs so far. libwmf spends time on every
// record (and more on saved states, which it copies whole); every point of a line is joined to
// the next each time the picture is drawn; and every drawn pixel is drawn again at every new
// window size. These bounds keep the worst metafile accepted well under a second, to load and to
// draw.
//
// Each count answers false once a bound is passed, and from then on; `exceeded()` says which.
class MetafileCost final
{
public:
    static constexpr qsizetype MaxBytes = qsizetype(64) << 20;
    static constexpr qint64 MaxRecords = 50000;
    static constexpr qint64 MaxPoints = 100000;
    static constexpr qint64 MaxLetters = 20000;
    static constexpr int MaxSavedStates = 64;
    static constexpr qint64 MaxBitmapPixels = qint64(16) << 20;
    // Drawing the picture once on a large clock, in microseconds.
    static constexpr double MaxDrawingMicros = 250000;

    // The records, counted before libwmf sees any of them.
    bool countRecord();
    bool countPoints(qint64 points);
    bool countLetters(qint64 letters);
    bool saveState();
    // RestoreDC: a negative `which` goes back that many states, a positive one to that state.
    void restoreState(int which);
    // The bitmaps' pixels together, counted from their headers before any is decoded.
    bool countBitmap(qint64 pixels);

    // The drawing, estimated as it is recorded, in the picture's own units: a picture of
    // `size` is priced as if it were drawn 1024 pixels across, whatever its units.
    void setPictureSize(QSizeF size) { m_pictureSize = size; }
    bool chargeFill(double area);
    // A line of `length` drawn with a pen `width` wide through `points` points.
    bool chargeStroke(double length, double width, qint64 points);
    // A text of `letters` letters over `area`.
    bool chargeText(double area, qint64 letters);
    double drawingMicros() const { return m_micros; }

    // Which bound was passed, or null while the metafile is within them all.
    const char* exceeded() const { return m_exceeded; }

private:
    bool within(bool ok, const char* why);
    bool charge(double micros);
    double scale() const;

    qint64 m_records = 0;
    qint64 m_points = 0;
    qint64 m_letters = 0;
    int m_savedStates = 0;
    qint64 m_bitmapPixels = 0;
    QSizeF m_pictureSize;
    double m_micros = 0;
    const char* m_exceeded = nullptr;
};

} // namespace picture
