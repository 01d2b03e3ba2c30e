#include "character/WordBalloon.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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
    const QScreen* screen = QGuiApplication::primaryScreen();
    m_screen = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
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
    layoutText();
    layoutBox();
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

int WordBalloon::firstShownLine() const
{
    const int lines = m_layout.lineCount();
    if (lines <= m_shownLines)
        return 0;
    const QTextLine saying = m_layout.lineForTextPosition(std::max(0, m_spoken - 1));
    const int current = saying.isValid() ? saying.lineNumber() : 0;
    return std::clamp(current - m_shownLines + 1, 0, lines - m_shownLines);
}

void WordBalloon::layoutText()
{
    const QFontMetrics metrics(m_font);
    const int wrapWidth = metrics.averageCharWidth() * m_style.charsPerLine;
    m_lineSpacing = std::max(1, metrics.lineSpacing());
    m_layout.clearLayout();
    m_layout.setText(m_text);
    m_layout.setFont(m_font);
    QTextOption option;
    const bool rightToLeft = m_text.isRightToLeft();
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment(Qt::AlignAbsolute | (rightToLeft ? Qt::AlignRight : Qt::AlignLeft));
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_layout.setTextOption(option);
    m_layout.beginLayout();
    int width = metrics.averageCharWidth() * 6;
    for (int y = 0;; y += m_lineSpacing) {
        QTextLine line = m_layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(wrapWidth);
        line.setPosition(QPointF(0, y));
        width = std::max(width, int(std::ceil(line.naturalTextWidth())));
    }
    m_layout.endLayout();
    width = std::min(width, wrapWidth);
    // The lines that fit in view: as many as the text has, up to a third of the screen.
    const int most = std::max<int>(m_style.lines, m_screen.height() / 3 / m_lineSpacing);
    m_shownLines = m_sizeToText ? std::clamp(m_layout.lineCount(), 1, most) : m_style.lines;
    m_textSize = QSize(width, m_shownLines * m_lineSpacing);
    // Lines are as wide as the wrap; right-to-left ones stand at the box's right edge.
    m_shift = rightToLeft ? width - wrapWidth : 0;
}

void WordBalloon::layoutBox()
{
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
    if (screen != m_screen) {
        m_screen = screen;
        layoutText();
        layoutBox();
    }
    const QSize s = size();
    const bool above = character.top() - s.height() >= screen.top();
    int x = std::clamp(character.center().x() - s.width() / 3, screen.left(),
                       std::max(screen.left(), screen.right() - s.width()));
    const int y = above ? character.top() - s.height() + 4 : character.bottom() - 4;
    const int tailX = std::clamp(character.center().x() - x, 0, s.width());
    if (above != m_tailDown || tailX != m_tailX) {
        m_tailDown = above;
        m_tailX = tailX;
        layoutBox();
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
    // Only the lines in view are drawn, each as far as it has been said.
    const QRect area = textRect();
    const int first = firstShownLine();
    const QPointF origin(area.left() + m_shift, area.top() - first * m_lineSpacing);
    const bool rightToLeft = m_layout.textOption().textDirection() == Qt::RightToLeft;
    for (int i = first; i < std::min(m_layout.lineCount(), first + m_shownLines); ++i) {
        const QTextLine line = m_layout.lineAt(i);
        if (line.textStart() >= m_spoken)
            break;
        QRect said = area;
        if (line.textStart() + line.textLength() > m_spoken) {
            const int x = int(origin.x() + line.cursorToX(m_spoken));
            if (rightToLeft)
                said.setLeft(x);
            else
                said.setRight(x);
        }
        p.setClipRect(said);
        line.draw(&p, origin);
    }
}

} // namespace character
