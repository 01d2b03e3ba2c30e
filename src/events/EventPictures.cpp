#include "events/EventPictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <numbers>

namespace events {

namespace {

// Drawn once per size on a 32-unit canvas, so thin strokes stay crisp in the small sizes.
QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 32.0, size / 32.0);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

const QColor kInk(40, 55, 80);

void calendarPage(QPainter& p, const QColor& band)
{
    p.setPen(QPen(kInk, 1.6));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(4, 5, 24, 23), 2.5, 2.5);
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(4.8, 5.8, 22.4, 6.5));
    p.setPen(QPen(kInk, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 3), QPointF(10, 8));
    p.drawLine(QPointF(22, 3), QPointF(22, 8));
}

void clockFace(QPainter& p, QPointF centre, double r, double hour, double minute)
{
    constexpr double pi = std::numbers::pi;
    p.setPen(QPen(kInk, 1.8));
    p.setBrush(Qt::white);
    p.drawEllipse(centre, r, r);
    const auto hand = [&](double turns, double length, const QColor& colour, double width) {
        p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(centre, centre + QPointF(std::sin(turns * 2 * pi) * r * length,
                                            -std::cos(turns * 2 * pi) * r * length));
    };
    hand(hour, 0.5, QColor(190, 30, 30), 2.4);
    hand(minute, 0.8, QColor(20, 60, 160), 1.8);
}

void listLines(QPainter& p, QRectF area, int rows, bool withBox)
{
    const double step = area.height() / rows;
    for (int i = 0; i < rows; ++i) {
        const double y = area.top() + step * i + step / 2;
        double x = area.left();
        if (withBox) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 120, 200));
            p.drawRect(QRectF(x, y - 2, 4, 4));
            x += 6;
        }
        p.setPen(QPen(kInk, 1.6));
        p.drawLine(QPointF(x, y), QPointF(area.right(), y));
    }
}

} // namespace

QIcon scheduleIcon(int kind)
{
    constexpr double pi = std::numbers::pi;
    switch (kind) {
    case 0: // One Time: a calendar page with a single day marked
        return drawn([](QPainter& p) {
            calendarPage(p, QColor(200, 50, 50));
            p.setPen(QPen(QColor(200, 50, 50), 2.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(16, 20), 5, 4.5);
        });
    case 1: // Hourly: a clock with a turning arrow round it
        return drawn([pi](QPainter& p) {
            clockFace(p, {16, 17}, 10, 0.0, 0.0);
            p.setPen(QPen(QColor(0, 140, 70), 2.4, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2.5, 3.5, 27, 27), 20 * 16, 120 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 140, 70));
            const double a = 20 * pi / 180;
            const QPointF tip(16 + 13.5 * std::cos(a), 17 - 13.5 * std::sin(a));
            p.drawPolygon(QPolygonF{tip + QPointF(-4, -1), tip + QPointF(3.5, -1.5), tip + QPointF(0.5, 5)});
        });
    case 2: // Daily: the sun
        return drawn([pi](QPainter& p) {
            p.setPen(QPen(QColor(230, 140, 0), 2.2, Qt::SolidLine, Qt::RoundCap));
            for (int i = 0; i < 8; ++i) {
                const double a = i * pi / 4;
                p.drawLine(QPointF(16 + 9 * std::cos(a), 16 + 9 * std::sin(a)),
                           QPointF(16 + 14 * std::cos(a), 16 + 14 * std::sin(a)));
            }
            p.setPen(QPen(QColor(200, 110, 0), 1.4));
            p.setBrush(QColor(255, 200, 40));
            p.drawEllipse(QPointF(16, 16), 7, 7);
        });
    case 3: // Weekday: a calendar page with one column of the week marked
        return drawn([](QPainter& p) {
            calendarPage(p, QColor(50, 110, 200));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(50, 110, 200, 90));
            p.drawRect(QRectF(15, 13.5, 5, 13));
            p.setBrush(kInk);
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 4; ++col)
                    p.drawRect(QRectF(7.5 + col * 5, 15 + row * 4, 2.4, 2.2));
        });
    default: // Start: a green "go" arrow out of a door
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.6));
            p.setBrush(QColor(235, 235, 240));
            p.drawRect(QRectF(4, 4, 14, 24));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(20, 150, 60));
            p.drawPolygon(QPolygonF{{10, 12}, {20, 12}, {20, 7}, {30, 16}, {20, 25}, {20, 20}, {10, 20}});
        });
    }
}

QIcon sortIcon(bool ascending)
{
    return drawn([ascending](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 90, 90));
        if (ascending)
            p.drawPolygon(QPolygonF{{8, 22}, {24, 22}, {16, 10}});
        else
            p.drawPolygon(QPolygonF{{8, 10}, {24, 10}, {16, 22}});
    });
}

QIcon viewStyleIcon(int style)
{
    switch (style) {
    case 0: // large icons
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(QColor(90, 150, 220));
            for (int i = 0; i < 4; ++i)
                p.drawRect(QRectF(4 + (i % 2) * 14, 4 + (i / 2) * 14, 10, 10));
        });
    case 1: // small icons
        return drawn([](QPainter& p) {
            listLines(p, QRectF(3, 4, 11, 24), 4, true);
            listLines(p, QRectF(18, 4, 11, 24), 4, true);
        });
    case 2: // list
        return drawn([](QPainter& p) { listLines(p, QRectF(4, 3, 24, 26), 5, true); });
    default: // details
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(QColor(220, 225, 235));
            p.drawRect(QRectF(3, 3, 26, 5));
            listLines(p, QRectF(3, 10, 11, 19), 4, true);
            listLines(p, QRectF(17, 10, 12, 19), 4, false);
        });
    }
}

QIcon eventPicture(EventPicture picture)
{
    switch (picture) {
    case EventPicture::Add: // a new page with a plus
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4));
            p.setBrush(Qt::white);
            p.drawPolygon(QPolygonF{{6, 3}, {19, 3}, {25, 9}, {25, 29}, {6, 29}});
            p.setPen(QPen(QColor(20, 150, 60), 4, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(22, 16), QPointF(22, 28));
            p.drawLine(QPointF(16, 22), QPointF(28, 22));
        });
    case EventPicture::Delete: // a red cross
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(200, 40, 40), 4.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 8), QPointF(24, 24));
            p.drawLine(QPointF(24, 8), QPointF(8, 24));
        });
    case EventPicture::Save: // a disk
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4));
            p.setBrush(QColor(60, 100, 180));
            p.drawPolygon(QPolygonF{{4, 4}, {24, 4}, {28, 8}, {28, 28}, {4, 28}});
            p.setBrush(Qt::white);
            p.drawRect(QRectF(9, 4, 13, 8));
            p.setBrush(QColor(230, 230, 235));
            p.drawRect(QRectF(8, 17, 16, 11));
        });
    case EventPicture::Details: // a page with lines and a pencil
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(5, 3, 18, 25));
            listLines(p, QRectF(8, 7, 12, 14), 4, false);
            p.setPen(QPen(QColor(230, 150, 30), 4, Qt::SolidLine, Qt::FlatCap));
            p.drawLine(QPointF(15, 27), QPointF(28, 14));
            p.setPen(QPen(kInk, 1.2));
            p.drawLine(QPointF(13.5, 28.5), QPointF(15, 27));
        });
    case EventPicture::OpenFile: // an open folder
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(150, 100, 10), 1.4));
            p.setBrush(QColor(240, 190, 70));
            p.drawPolygon(QPolygonF{{3, 7}, {12, 7}, {15, 10}, {26, 10}, {26, 26}, {3, 26}});
            p.setBrush(QColor(255, 215, 110));
            p.drawPolygon(QPolygonF{{3, 26}, {8, 14}, {30, 14}, {26, 26}});
        });
    case EventPicture::AdjustTime: // a clock with a globe's meridians behind it
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(20, 80, 150), 1.4));
            p.setBrush(QColor(120, 180, 240));
            p.drawEllipse(QPointF(16, 16), 14, 14);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(16, 16), 6, 14);
            p.drawLine(QPointF(2, 16), QPointF(30, 16));
            clockFace(p, {20, 20}, 8.5, 0.3, 0.85);
        });
    case EventPicture::Agent: // a wizard's hat with stars
        return drawn([](QPainter& p) {
            p.setPen(QPen(QColor(40, 30, 90), 1.4));
            p.setBrush(QColor(80, 60, 170));
            QPainterPath hat;
            hat.moveTo(17, 2);
            hat.cubicTo(20, 10, 22, 18, 25, 24);
            hat.lineTo(7, 24);
            hat.cubicTo(11, 18, 13, 10, 17, 2);
            p.drawPath(hat);
            p.drawEllipse(QRectF(2, 22, 28, 7));
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(255, 215, 60));
            p.drawEllipse(QPointF(15, 13), 1.8, 1.8);
            p.drawEllipse(QPointF(19, 19), 1.4, 1.4);
            p.drawEllipse(QPointF(13.5, 20), 1.1, 1.1);
        });
    }
    return {};
}

} // namespace events
