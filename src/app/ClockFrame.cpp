#include "app/ClockFrame.h"

#include "app/HandGeometry.h"
#include "app/PenModes.h"
#include "picture/PictureRegion.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstring>
#include <functional>

namespace app {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

// Draws into a transparent image the size of `bounds` and keeps what was touched.
QRegion coverageOf(const QRect& bounds, const std::function<void(QPainter&)>& draw)
{
    if (bounds.isEmpty())
        return {};
    QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    mask.setDotsPerMeterX(kDotsPerMeter96Dpi);
    mask.setDotsPerMeterY(kDotsPerMeter96Dpi);
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.translate(-bounds.topLeft());
    draw(painter);
    painter.end();
    return picture::coverageRegion(mask, bounds.topLeft());
}

} // namespace

void prepareBackBuffer(QImage& buffer, QSize size)
{
    if (buffer.size() != size || buffer.format() != QImage::Format_RGB32) {
        buffer = QImage(size, QImage::Format_RGB32);
        buffer.setDotsPerMeterX(kDotsPerMeter96Dpi);
        buffer.setDotsPerMeterY(kDotsPerMeter96Dpi);
    }
}

const QImage& ClockFrameRenderer::stretchedPicture(const FrameContent& content)
{
    const QRgb background = content.background.rgb();
    const bool transparent = content.picture->hasTransparency();
    if (m_stretchedSerial != content.picture->serial() || m_stretchedSize != content.size ||
        (transparent && m_stretchedBackground != background)) {
        QImage scaled = content.picture->scaledTo(content.size);
        m_stretched = QImage(content.size, QImage::Format_RGB32);
        m_stretched.fill(background);
        QPainter painter(&m_stretched);
        painter.drawImage(0, 0, scaled);
        m_stretchedSerial = content.picture->serial();
        m_stretchedSize = content.size;
        m_stretchedBackground = background;
    }
    return m_stretched;
}

ClockFrameRenderer::~ClockFrameRenderer()
{
    if (m_painter.isActive())
        m_painter.end();
}

void ClockFrameRenderer::drawCaption(const FrameContent& content)
{
    CaptionCache& c = m_caption;
    const QRgb color = content.captionColor.rgb();
    if (c.text != content.caption || c.font != content.captionFont || c.frame != content.size ||
        c.color != color) {
        const QFontMetrics metrics(content.captionFont, &m_buffer);
        const int w = metrics.horizontalAdvance(content.caption);
        const int h = metrics.height();
        // Top-left corner of the text box: centred across, just below the middle.
        const int x = (content.size.width() - w) / 2;
        const int y = ((h / 2) + content.size.height()) / 2;
        const QRect ink = metrics.boundingRect(content.caption).translated(x, y + metrics.ascent());
        const QRect bounds = ink.united(QRect(x, y, w, h)).adjusted(-2, -2, 2, 2) &
                             QRect(QPoint(0, 0), content.size);
        // Without antialiasing every pixel of the text is either the caption's colour or untouched,
        // so laying this image over the face gives exactly the pixels of drawing the text there.
        QFont font = content.captionFont;
        font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoAntialias));
        c.image = QImage(bounds.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        c.image.setDotsPerMeterX(kDotsPerMeter96Dpi);
        c.image.setDotsPerMeterY(kDotsPerMeter96Dpi);
        c.image.fill(Qt::transparent);
        QPainter painter(&c.image);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(QColor(color));
        painter.drawText(x - bounds.x(), y + metrics.ascent() - bounds.y(), content.caption);
        painter.end();
        c.at = bounds.topLeft();
        c.text = content.caption;
        c.font = content.captionFont;
        c.frame = content.size;
        c.color = color;
    }
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.drawImage(c.at, c.image);
}

const ClockFrameRenderer::Covered& ClockFrameRenderer::handCoverage(HandCache& cache, QPoint from, QPoint to,
                                                                    int width)
{
    constexpr size_t kRemembered = 64;
    auto& entries = cache.entries;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->from == from && it->to == to && it->width == width && it->frame == m_buffer.size()) {
            std::rotate(it, it + 1, entries.end());
            return entries.back().covered;
        }
    }
    // Only what lands on the frame is kept: a hand far longer or wider than the window must not
    // ask for a scratch image of its own size.
    const int reach = width / 2 + 2;
    const QRect bounds = QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach) &
                         QRect(QPoint(0, 0), m_buffer.size());
    const QRegion region = coverageOf(bounds, [&](QPainter& p) {
        p.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(from, to);
    });
    if (entries.size() >= kRemembered)
        entries.erase(entries.begin());
    HandCache::Entry& entry = entries.emplace_back();
    entry.from = from;
    entry.to = to;
    entry.width = width;
    entry.frame = m_buffer.size();
    entry.covered.rects.assign(region.begin(), region.end());
    entry.covered.bounds = region.boundingRect();
    return entry.covered;
}

void ClockFrameRenderer::fillCovered(const Covered& covered, const QColor& color, int penMode)
{
    // Each covered pixel gets the pen mode once, as when the line itself is drawn.
    m_painter.setCompositionMode(compositionModeFor(penMode));
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(color);
    m_painter.drawRects(covered.rects.data(), int(covered.rects.size()));
}

QRect ClockFrameRenderer::drawHand(HandCache& cache, QPoint centre, const FrameHand& hand, QPoint tip)
{
    if (drawsNothing(hand.style.Mode))
        return {};
    if (tip == centre)
        return {}; // a hand of no length leaves no mark
    const Covered& covered = handCoverage(cache, centre, tip, hand.style.Width);
    fillCovered(covered, hand.color, hand.style.Mode);
    return covered.bounds;
}

void ClockFrameRenderer::beginPainting()
{
    // The painter stays open on the bitmap from tick to tick; it is opened anew only after the
    // bitmap was replaced or copied.
    if (m_painter.isActive())
        return;
    m_painter.begin(&m_buffer);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_paintedBits = m_buffer.constBits();
}

bool ClockFrameRenderer::render(const FrameContent& content)
{
    const bool hasPicture = content.picture && !content.picture->isEmpty();
    const FaceGeometry face = FaceGeometry::forSize(content.size.width(), content.size.height());
    const QPoint centre(face.CentreX, face.CentreY);
    const QTime& t = content.time;
    const FrameHand* hands[3] = {&content.hourHand, &content.minuteHand, &content.secondHand};
    const double angles[3] = {hourHandAngle(t.hour(), t.minute()), minuteHandAngle(t.minute()),
                              secondHandAngle(t.second())};
    FrameKey key{content.size,
                 hasPicture ? content.picture->serial() : 0,
                 content.background.rgb(),
                 content.caption,
                 content.captionFont,
                 content.captionColor.rgb(),
                 {}};
    QPoint tips[3];
    for (int i = 0; i < 3; ++i) {
        tips[i] = handTip(centre, face.Radius, hands[i]->style.Length, angles[i]);
        key.hands[i] = {tips[i], hands[i]->style.Width, hands[i]->style.Mode, hands[i]->color.rgb()};
    }
    // Most ticks fall within the same second as the last: the drawing is exact, so the frame
    // would come out pixel for pixel the same, and is not drawn again.
    if (m_rendered && key == m_lastKey && m_buffer.size() == content.size)
        return false;

    // Someone holding a copy of the frame would see it change under the painter: finish
    // painting first, so the writes below detach the bitmap from that copy.
    if (m_painter.isActive() &&
        (m_buffer.size() != content.size || !m_buffer.isDetached() || m_paintedBits != m_buffer.constBits()))
        m_painter.end();
    prepareBackBuffer(m_buffer, content.size);
    if (m_buffer.isNull())
        return true;
    if (hasPicture) {
        const QImage& stretched = stretchedPicture(content);
        std::memcpy(m_buffer.bits(), stretched.constBits(), size_t(m_buffer.sizeInBytes()));
    } else {
        m_buffer.fill(content.background.rgb());
    }
    beginPainting();

    if (!content.caption.isEmpty())
        drawCaption(content);
    // When only hands moved, the rest of the face comes out as before: the frame differs only
    // where a moved hand was or now is.
    FrameKey stillKey = key;
    FrameKey lastStillKey = m_lastKey;
    for (int i = 0; i < 3; ++i)
        stillKey.hands[i] = lastStillKey.hands[i] = {};
    const bool onlyHandsMoved = m_rendered && stillKey == lastStillKey;
    m_changed = onlyHandsMoved ? QRect() : m_buffer.rect();
    for (int i = 0; i < 3; ++i) {
        const QRect bounds = drawHand(m_hands[i], centre, *hands[i], tips[i]);
        if (onlyHandsMoved && !(key.hands[i] == m_lastKey.hands[i]))
            m_changed |= bounds | m_lastHandBounds[i];
        m_lastHandBounds[i] = bounds;
    }
    m_changed &= m_buffer.rect();
    m_lastKey = std::move(key);
    m_rendered = true;
    return true;
}

} // namespace app
