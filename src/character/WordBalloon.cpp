#include "character/WordBalloon.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace character {

namespace {

constexpr int Padding = 10;
constexpr int TailHeight = 14;
constexpr int Radius = 12;

QColor colorOf(uint32_t rgb)
{
    return QColor::fromRgb(QRgb(0xFF000000u | rgb));
}

} // namespace

WordBalloon::WordBalloon(const acs::BalloonInfo& style, bool sizeToText)
    : QWidget(nullptr,
              Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint),
      m_style(style), m_sizeToText(sizeToText)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    m_font = QFont(style.fontName.isEmpty() ? QStringLiteral("Sans Serif") : style.fontName);
    const int height = std::clamp(std::abs(style.fontHeight), 8, 48);
    m_font.setPixelSize(height);
    m_font.setWeight(style.fontWeight >= 600 ? QFont::Bold : QFont::Normal);
    m_font.setItalic(style.italic);
    m_style.lines = std::clamp<uint8_t>(m_style.lines, 1, 12);
    m_style.charsPerLine = std::clamp<uint8_t>(m_style.charsPerLine, 8, 60);
}

QRect WordBalloon::textRect() const
{
    const int top = Padding + (m_tailDown ? 0 : TailHeight);
    return QRect(Padding + 2, top, m_textSize.width(), m_textSize.height());
}

void WordBalloon::setText(const QString& text)
{
    m_text = text;
    m_spoken = 0;
    layout();
    update();
}

void WordBalloon::setSpoken(int length)
{
    length = std::clamp(length, 0, int(m_text.size()));
    if (length != m_spoken) {
        m_spoken = length;
        update();
    }
}

void WordBalloon::layout()
{
    const QFontMetrics metrics(m_font);
    const int wrapWidth = metrics.averageCharWidth() * m_style.charsPerLine;
    QRect bounds = metrics.boundingRect(QRect(0, 0, wrapWidth, 100000), Qt::TextWordWrap, m_text);
    const int lineHeight = metrics.lineSpacing();
    int height = std::max(bounds.height(), lineHeight);
    if (!m_sizeToText)
        height = lineHeight * m_style.lines;
    m_textSize = QSize(std::max(bounds.width(), metrics.averageCharWidth() * 6), height);
    const QSize whole(m_textSize.width() + 2 * Padding + 4, m_textSize.height() + 2 * Padding + TailHeight);
    setFixedSize(whole);

    QPainterPath path;
    const QRectF box(0.5, 0.5 + (m_tailDown ? 0 : TailHeight), whole.width() - 1.0,
                     whole.height() - TailHeight - 1.0);
    path.addRoundedRect(box, Radius, Radius);
    QPainterPath tail;
    const double tx = std::clamp<double>(m_tailX, Radius + 8, whole.width() - Radius - 8);
    if (m_tailDown) {
        tail.moveTo(tx - 8, box.bottom() - 1);
        tail.lineTo(tx + 10, box.bottom() + TailHeight - 1);
        tail.lineTo(tx + 8, box.bottom() - 1);
    } else {
        tail.moveTo(tx - 8, box.top() + 1);
        tail.lineTo(tx + 10, box.top() - TailHeight + 1);
        tail.lineTo(tx + 8, box.top() + 1);
    }
    tail.closeSubpath();
    m_outline = path.united(tail);

    QBitmap mask(whole);
    mask.fill(Qt::color0);
    QPainter p(&mask);
    p.setPen(QPen(Qt::color1, 2));
    p.setBrush(Qt::color1);
    p.drawPath(m_outline);
    p.end();
    setMask(mask);
}

void WordBalloon::placeBeside(const QRect& character, const QRect& screen)
{
    const QSize s = size();
    const bool above = character.top() - s.height() >= screen.top();
    int x = std::clamp(character.center().x() - s.width() / 3, screen.left(),
                       std::max(screen.left(), screen.right() - s.width()));
    const int y = above ? character.top() - s.height() + 4 : character.bottom() - 4;
    const int tailX = std::clamp(character.center().x() - x, 0, s.width());
    if (above != m_tailDown || tailX != m_tailX) {
        m_tailDown = above;
        m_tailX = tailX;
        layout();
    }
    move(x, y);
}

void WordBalloon::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(colorOf(m_style.borderColor), 1.5));
    p.setBrush(colorOf(m_style.backColor));
    p.drawPath(m_outline);
    p.setFont(m_font);
    p.setPen(colorOf(m_style.foreColor));
    const QRect area = textRect();
    // Laid out for the whole text, so words do not jump about as they appear; when there are
    // more lines than room, the latest lines are the ones shown.
    const QFontMetrics metrics(m_font);
    const QRect full = metrics.boundingRect(QRect(0, 0, area.width(), 100000), Qt::TextWordWrap, m_text);
    const QRect said = metrics.boundingRect(QRect(0, 0, area.width(), 100000), Qt::TextWordWrap, shownText());
    const int scroll = std::max(0, said.height() - area.height());
    p.setClipRect(area);
    p.drawText(QRect(area.left(), area.top() - scroll, area.width(),
                     std::max(full.height(), area.height()) + scroll),
               Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, shownText());
}

} // namespace character
