#pragma once

#include "character/AcsCharacter.h"

#include <QFont>
#include <QPainterPath>
#include <QWidget>

namespace character {

// The word balloon beside a speaking character: a rounded box with a tail towards the
// character, in the colours and font the character file asks for. It is laid out for the whole
// text and shows the words as they are said.
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
    // Places the balloon above the character's rectangle (below it when there is no room
    // above), inside `screen`.
    void placeBeside(const QRect& character, const QRect& screen);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void layout();
    QRect textRect() const;

    acs::BalloonInfo m_style;
    bool m_sizeToText = true;
    QFont m_font;
    QString m_text;
    int m_spoken = 0;
    bool m_tailDown = true; // the balloon stands above the character
    int m_tailX = 30;
    QSize m_textSize;
    QPainterPath m_outline;
};

} // namespace character
