#include "clockface/AnalogFace.h"

#include "clockface/FaceScene.h"
#include "core/Rounding.h"

#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace clockface {

namespace {

// Clockwise from six o'clock, as the marks are laid out.
constexpr std::array<const char*, 12> kDecimalNumerals = {"6",  "5",  "4",  "3", "2", "1",
                                                          "12", "11", "10", "9", "8", "7"};
constexpr std::array<const char*, 12> kRomanNumerals = {"VI",  "V",  "IV", "III", "II",   "I",
                                                        "XII", "XI", "X",  "IX",  "VIII", "VII"};

QLine handLine(const AnalogGeometry& face, int lengthPercent, double tipDegrees)
{
    const int length = int(qint64(lengthPercent) * face.radius / 100);
    return QLine(face.pointAt(tipDegrees + 180.0, length / 7.0), face.pointAt(tipDegrees, length));
}

// A filled square of `colour` covering x1..x2-1, y1..y2-1.
void square(QPainter& p, int x1, int y1, int x2, int y2, const QColor& colour)
{
    p.fillRect(QRect(QPoint(x1, y1), QPoint(x2 - 1, y2 - 1)), colour);
}

// Three squares give a small raised dot: light to the upper left, shadow to the lower right.
void raisedDot(QPainter& p, QPoint at, int q, const QColor& light, const QColor& shadow, const QColor& face)
{
    const int x = at.x(), y = at.y();
    square(p, x - q - 1, y - q - 1, x + q - 1, y + q - 1, light);
    square(p, x - q + 1, y - q + 1, x + q + 1, y + q + 1, shadow);
    square(p, x - q, y - q, x + q, y + q, face);
}

void paintMarks(const FaceScene& s, const AnalogGeometry& face)
{
    QPainter& p = s.painter;
    if (face.radius >= MinuteMarksRadius) {
        const int q = std::max(face.radius / 70 - 1, 1);
        for (int i = 0; i < 60; ++i) {
            if (i % 5 != 0)
                raisedDot(p, face.pointAt(6.0 * i, face.radius), q, Qt::white, QColor(128, 128, 128),
                          QColor(192, 192, 192));
        }
    }
    if (s.look.HoursDisplayStyle == dsPoints) {
        const int q = std::max(face.radius / 70, 1);
        for (int i = 0; i < 12; ++i)
            raisedDot(p, face.pointAt(30.0 * i, face.radius), q, QColor(0, 255, 255), QColor(0, 0, 128),
                      QColor(0, 0, 255));
        return;
    }
    const auto& numerals = s.look.HoursDisplayStyle == dsRomanNumbers ? kRomanNumerals : kDecimalNumerals;
    p.setPen(s.fontColor);
    for (int i = 0; i < 12; ++i) {
        const QString text = QString::fromLatin1(numerals[size_t(i)]);
        const QPoint at = face.pointAt(30.0 * i, face.radius);
        const int x = at.x() - s.metrics.horizontalAdvance(text) / 2;
        const int y = at.y() - s.metrics.height() / 2;
        p.drawText(x, y + s.metrics.ascent(), text);
    }
}

void paintHand(QPainter& p, const QLine& line, const QColor& colour, int width, QSize size)
{
    // A pen wider than the control paints the same pixels as one just as wide, and keeps the
    // rasteriser's numbers small whatever width a settings file asks for.
    const int drawn = std::min<qint64>(width, 2 * (qint64(size.width()) + size.height()));
    p.setPen(QPen(colour, drawn, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(line);
}

} // namespace

QPoint AnalogGeometry::pointAt(double degrees, double distance) const
{
    const double radians = degrees * std::numbers::pi / 180.0;
    return {centre.x() + core::roundHalfEven(std::sin(radians) * distance),
            centre.y() + core::roundHalfEven(std::cos(radians) * distance)};
}

AnalogGeometry analogGeometry(QSize size, int inset, THoursDisplayStyle hours, const QFontMetrics& metrics)
{
    AnalogGeometry face;
    face.centre = QPoint(size.width() / 2, size.height() / 2);
    const int base = std::min(face.centre.x(), face.centre.y());
    if (hours == dsPoints) {
        face.radius = base - (inset + 10);
    } else {
        const qint64 a = metrics.height() / 2;
        const qint64 b = metrics.horizontalAdvance(hours == dsRomanNumbers ? QStringLiteral("VIII")
                                                                           : QStringLiteral("12")) /
                         2;
        face.radius = base - (4 + int(std::sqrt(double(a * a + b * b))));
    }
    return face;
}

QLine hourHandLine(const AnalogGeometry& face, int lengthPercent, const QTime& time)
{
    const double f = time.hour() % 12 + time.minute() / 60.0;
    return handLine(face, lengthPercent, 180.0 - 30.0 * f);
}

QLine minuteHandLine(const AnalogGeometry& face, int lengthPercent, const QTime& time)
{
    const double f = time.minute() + time.second() / 60.0;
    return handLine(face, lengthPercent, 180.0 - 6.0 * f);
}

QLine secondHandLine(const AnalogGeometry& face, int lengthPercent, const QTime& time)
{
    return handLine(face, lengthPercent, 180.0 - 6.0 * time.second());
}

void paintAnalogFace(const FaceScene& s)
{
    const ClockFaceLook& look = s.look;
    const THandOptions& hands = look.HandOptions;
    const AnalogGeometry face = analogGeometry(s.size, s.inset, look.HoursDisplayStyle, s.metrics);
    QPainter& p = s.painter;
    p.setRenderHint(QPainter::Antialiasing, false);
    if (look.DrawMask)
        paintMarks(s, face);
    // Hands and cap are smoothed; drawn half a pixel over, a whole-pixel point is the middle of
    // its pixel, so a hand of odd width keeps sharp sides where it runs straight.
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(0.5, 0.5);
    if (hands.HourHandLenght() > 0)
        paintHand(p, hourHandLine(face, hands.HourHandLenght(), s.time),
                  core::resolveColor(hands.HourHandColor()), hands.HourHandWidth(), s.size);
    if (hands.MinHandLenght() > 0)
        paintHand(p, minuteHandLine(face, hands.MinHandLenght(), s.time),
                  core::resolveColor(hands.MinHandColor()), hands.MinHandWidth(), s.size);
    const QColor secondColour = core::resolveColor(hands.SecHandColor());
    if (hands.ShowSecHand() && hands.SecHandLenght() > 0)
        paintHand(p, secondHandLine(face, hands.SecHandLenght(), s.time), secondColour, hands.SecHandWidth(),
                  s.size);
    const int cap = face.radius / 20;
    if (cap > 0) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(secondColour);
        // The cap covers cx - cap .. cx + cap - 1 across and down, outline included.
        p.drawEllipse(QRectF(face.centre.x() - cap, face.centre.y() - cap, 2 * cap - 1, 2 * cap - 1));
    }
    p.restore();
}

} // namespace clockface
