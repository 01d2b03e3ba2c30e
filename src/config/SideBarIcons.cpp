#include "config/SideBarIcons.h"

#include "app/MenuIcons.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <functional>
#include <numbers>

namespace config {

namespace {

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    return app::drawnIcon(32, draw);
}

void clockFace(QPainter& p, QPointF centre, double r, double hourAngle, double minuteAngle)
{
    p.setPen(QPen(QColor(30, 40, 60), 2));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, r, r);
    p.setPen(QPen(QColor(200, 30, 30), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::sin(hourAngle) * r * 0.5, -std::cos(hourAngle) * r * 0.5));
    p.setPen(QPen(QColor(20, 60, 160), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, centre + QPointF(std::sin(minuteAngle) * r * 0.8, -std::cos(minuteAngle) * r * 0.8));
}

} // namespace

QIcon sideBarIcon(int item)
{
    constexpr double pi = std::numbers::pi;
    switch (item) {
    case 0: // appearance: a painter's palette beside a clock
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(120, 80, 30), 1.5));
            p.setBrush(QColor(240, 210, 150));
            p.drawEllipse(QRectF(2, 10, 24, 19));
            const QColor dabs[] = {Qt::red, QColor(0, 150, 0), Qt::blue, QColor(240, 200, 0)};
            for (int i = 0; i < 4; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(dabs[i]);
                p.drawEllipse(QPointF(7 + i * 5, 16 + (i % 2) * 5), 2.4, 2.4);
            }
            clockFace(p, {23, 9}, 7.5, pi / 3, 1.6 * pi);
        });
    case 1: // events: a bell
        return drawn([](QPainter& p) {
            QPainterPath bell;
            bell.moveTo(6, 24);
            bell.cubicTo(9, 22, 8, 8, 16, 7);
            bell.cubicTo(24, 8, 23, 22, 26, 24);
            bell.closeSubpath();
            p.setPen(QPen(QColor(120, 80, 0), 1.5));
            p.setBrush(QColor(250, 200, 40));
            p.drawPath(bell);
            p.drawEllipse(QPointF(16, 26.5), 3, 2.5);
            p.drawLine(QPointF(16, 4), QPointF(16, 7));
        });
    case 2: // adjusting the time: a clock with a turning arrow
        return drawn([pi](QPainter& p) {
            clockFace(p, {15, 17}, 11, 1.7 * pi / 6 * 2, 0.1 * pi);
            p.setPen(QPen(QColor(0, 140, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2, 2, 28, 28), 30 * 16, 100 * 16);
            p.setBrush(QColor(0, 140, 60));
            p.drawPolygon(QPolygonF{{27.5, 6.5}, {29.8, 12.5}, {23.5, 11.5}});
        });
    default: // time zones: a globe
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(20, 60, 120), 1.6));
            p.setBrush(QColor(100, 170, 235));
            p.drawEllipse(QPointF(16, 16), 13, 13);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(16, 16), 6, 13);
            p.drawLine(QPointF(3, 16), QPointF(29, 16));
            p.drawLine(QPointF(5, 9.5), QPointF(27, 9.5));
            p.drawLine(QPointF(5, 22.5), QPointF(27, 22.5));
        });
    }
}

} // namespace config
