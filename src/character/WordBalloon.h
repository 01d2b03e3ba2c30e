#pragma once

#include "character/AcsCharacter.h"

#include <QFont>
#include <QPainterPath>
#include <QTextLayout>
#include <QWidget>

namespace character {

// The word balloon beside a speaking character: a rounded box with a tail towards the
// character, in the colours and font the character file asks for. The text is laid out once,
// whole, so words do not jump about as they appear; the balloon grows with it up to a third of
// the screen's height and then scrolls, keeping the words being said in view. Text written right
// to left stands at the right.
class WordBalloon final : public QWidget
{
    Q_OBJECT

public:
    explicit WordBalloon(const acs::BalloonInfo& style, bool sizeToText);

    void setText(const QString& text);
    // How many UTF-16 units of the text have been said so far.
    void setSpoken(int length);
    const QString& text() const { return m_text; }
    QString shownText() const { return m_text.left(m_spoken); }
    // The lines of the text, the first of them in view, and how many are in view at once.
    int lineCount() const { return m_layout.lineCount(); }
    int firstShownLine() const;
    int shownLines() const { return m_shownLines; }
    // Places the balloon above the character's rectangle (below it when there is no room
    // above), inside `screen`.
    void placeBeside(const QRect& character, const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void layoutText();
    void layoutBox();
    QRect textRect() const;

    acs::BalloonInfo m_style;
    bool m_sizeToText = true;
    QFont m_font;
    QString m_text;
    QTextLayout m_layout;
    int m_lineSpacing = 1;
    int m_shift = 0; // where the lines start, from the text's left edge
    int m_shownLines = 1;
    int m_spoken = 0;
    QRect m_screen;
    bool m_tailDown = true; // the balloon stands above the character
    int m_tailX = 30;
    QSize m_textSize;
    QPainterPath m_outline;
};

} // namespace character
