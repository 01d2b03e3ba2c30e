#pragma once

#include "app/ClockTypes.h"
#include "picture/ClockPicture.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTime>

#include <vector>

namespace app {

struct FrameHand
{
    HandStyle style;
    QColor color; // the style's colour, resolved
};

struct FrameContent
{
    QSize size;
    const ::picture::ClockPicture* picture = nullptr; // none or empty: the background colour
    QColor background;
    QString caption;
    QFont captionFont;
    QColor captionColor;
    FrameHand hourHand;
    FrameHand minuteHand;
    FrameHand secondHand;
    QTime time;
};

// Builds a whole face into a bitmap: the picture stretched (or the background), the caption just
// below the centre, then the hour, minute and second hands in their pen modes. No antialiasing,
// so pen modes act on exact pixels and the picture outline stays crisp.
//
// The face is rebuilt on every tick, a few times a second, mostly with a cold cache; so what
// stays the same from tick to tick is worked out once: the stretched picture, and which pixels
// the caption and each hand cover. A tick then fills those pixels in the pen's mode, which
// gives exactly the pixels that drawing the text or line itself would.
class ClockFrameRenderer final
{
public:
    ClockFrameRenderer() = default;
    ~ClockFrameRenderer();
    ClockFrameRenderer(const ClockFrameRenderer&) = delete;
    ClockFrameRenderer& operator=(const ClockFrameRenderer&) = delete;

    // Returns false when the frame is the same as the one rendered before (same picture,
    // colours, caption and hand positions): the drawing is exact, so its pixels are too.
    bool render(const FrameContent& content);

    // The frame last rendered. It has the frame's size and 96 dots per inch, so point sizes mean
    // the same on every screen.
    const QImage& frame() const { return m_buffer; }
    // Where the frame last rendered can differ from the one before it: the whole frame, or
    // only around the hands that moved.
    QRect changedArea() const { return m_changed; }

private:
    struct Covered
    {
        std::vector<QRect> rects; // the covered pixels as bands of rectangles
        QRect bounds;
    };
    struct CaptionCache
    {
        QString text;
        QFont font;
        QSize frame;
        QRgb color = 0;
        QImage image; // the caption in its colour, the rest see-through
        QPoint at;
    };
    // The pixels a hand covers in each of its recent positions: a second hand comes back to
    // the same sixty, so after its first minute no position is worked out again.
    struct HandCache
    {
        struct Entry
        {
            QPoint from, to;
            int width = -1;
            QSize frame; // the coverage is cut to the frame
            Covered covered;
        };
        std::vector<Entry> entries; // the most recently used last
    };

    // Everything a frame's pixels depend on.
    struct FrameKey
    {
        QSize size;
        quint64 picture = 0;
        QRgb background = 0;
        QString caption;
        QFont captionFont;
        QRgb captionColor = 0;
        struct Hand
        {
            QPoint tip;
            int width = 0;
            int mode = 0;
            QRgb color = 0;
            bool operator==(const Hand&) const = default;
        } hands[3];
        bool operator==(const FrameKey&) const = default;
    };

    const QImage& stretchedPicture(const FrameContent& content);
    void drawCaption(const FrameContent& content);
    const Covered& handCoverage(HandCache& cache, QPoint from, QPoint to, int width);
    void fillCovered(const Covered& covered, const QColor& color, int penMode);
    // Draws the hand and returns the bounds of what it covered (empty when it draws nothing).
    QRect drawHand(HandCache& cache, QPoint centre, const FrameHand& hand, QPoint tip);
    void beginPainting();

    QImage m_stretched;
    quint64 m_stretchedSerial = 0;
    QSize m_stretchedSize;
    QRgb m_stretchedBackground = 0;
    CaptionCache m_caption;
    HandCache m_hands[3];
    QImage m_buffer;
    QPainter m_painter; // after the buffer: it ends its painting before the buffer goes
    const uchar* m_paintedBits = nullptr;
    FrameKey m_lastKey;
    QRect m_lastHandBounds[3];
    QRect m_changed;
    bool m_rendered = false;
};

void prepareBackBuffer(QImage& buffer, QSize size);

} // namespace app
