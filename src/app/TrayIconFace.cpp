#include "app/TrayIconFace.h"

#include "app/HandGeometry.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace app {

namespace {

constexpr QRgb kTeal = 0xFF008080;
const QPoint kCentre(15, 15);

} // namespace

QImage trayIconFace()
{
    QImage face(32, 32, QImage::Format_RGB32);
    face.fill(kTeal);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRect(1, 1, 29, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    for (int h = 0; h < 12; ++h) {
        const double a = h * std::numbers::pi / 6;
        const QPoint mark(kCentre.x() + roundHalfEven(std::sin(a) * 12.5),
                          kCentre.y() - roundHalfEven(std::cos(a) * 12.5));
        const int size = h % 3 == 0 ? 2 : 1;
        p.drawRect(QRect(mark, QSize(size, size)));
    }
    return face;
}

QPoint trayHandTip(double angle, double length)
{
    return {kCentre.x() + roundHalfEven(std::sin(angle) * length),
            kCentre.y() - roundHalfEven(std::cos(angle) * length)};
}

QImage drawTrayIcon(const QTime& time, const QColor& hourHand, const QColor& minuteHand)
{
    QImage icon = trayIconFace();
    const QRgb transparent = icon.pixel(0, 0);
    {
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.setPen(QPen(hourHand, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(kCentre, trayHandTip(hourHandAngle(time.hour(), time.minute()), 15.5 * 0.5));
        p.setPen(QPen(minuteHand, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(kCentre, trayHandTip(minuteHandAngle(time.minute()), 15.5 * 0.7));
    }
    QImage masked = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int x = 0; x < masked.width(); ++x)
            if (line[x] == transparent)
                line[x] = 0;
    }
    return masked;
}

} // namespace app
