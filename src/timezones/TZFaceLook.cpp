#include "timezones/TZFaceLook.h"

#include "clockface/TClockFace.h"

#include <QApplication>

#include <algorithm>

namespace timezones {

QFont toQFont(const TZFont& font)
{
    QFont f(font.Name);
    f.setPointSize(std::clamp(font.Size, 1, TZClockSettings::MaxFontSize));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    return f;
}

TZFont windowFont()
{
    const QFont f = QApplication::font();
    TZFont font;
    font.Name = f.family();
    font.Size = f.pointSize() > 0 ? f.pointSize() : font.Size;
    return font;
}

TZFont fontOf(const clockface::TClockFace& face)
{
    const QFont f = face.font();
    TZFont font;
    font.Name = f.family();
    font.Color = face.FontColor();
    font.Size = f.pointSize() > 0 ? f.pointSize() : TZFont().Size;
    font.Bold = f.bold();
    font.Italic = f.italic();
    font.Underline = f.underline();
    font.StrikeOut = f.strikeOut();
    return font;
}

void applyFont(clockface::TClockFace& face, const TZFont& font)
{
    face.setFont(toQFont(font));
    face.setFontColor(font.Color);
}

void applyColorAndHands(clockface::TClockFace& face, const TZClockSettings& s)
{
    face.setColor(s.Color);
    clockface::THandOptions hands = face.HandOptions();
    hands.setHourHandColor(s.HourHandColor);
    hands.setHourHandLenght(s.HourHandLength);
    hands.setHourHandWidth(s.HourHandWidth);
    hands.setMinHandColor(s.MinHandColor);
    hands.setMinHandLenght(s.MinHandLength);
    hands.setMinHandWidth(s.MinHandWidth);
    hands.setSecHandColor(s.SecHandColor);
    hands.setSecHandLenght(s.SecHandLength);
    hands.setSecHandWidth(s.SecHandWidth);
    hands.setShowSecHand(s.ShowSecHand);
    face.HandOptions() = hands; // one repaint for all of them
}

void captureFace(const clockface::TClockFace& face, TZClockSettings& s)
{
    s.Color = face.Color();
    const clockface::THandOptions& hands = face.HandOptions();
    s.HourHandColor = hands.HourHandColor();
    s.HourHandLength = hands.HourHandLenght();
    s.HourHandWidth = hands.HourHandWidth();
    s.MinHandColor = hands.MinHandColor();
    s.MinHandLength = hands.MinHandLenght();
    s.MinHandWidth = hands.MinHandWidth();
    s.SecHandColor = hands.SecHandColor();
    s.SecHandLength = hands.SecHandLenght();
    s.SecHandWidth = hands.SecHandWidth();
    s.ShowSecHand = hands.ShowSecHand();
    s.Font = fontOf(face);
    s.ShowSeconds = TZClockSettings::formatShowsSeconds(face.DisplayFormat());
    s.ShowAmPm = TZClockSettings::formatShowsAmPm(face.DisplayFormat());
}

} // namespace timezones
