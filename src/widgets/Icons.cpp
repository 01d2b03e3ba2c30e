#include "widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>
#include <numbers>

namespace widgets {

namespace {

// Drawn once per pixel size on a canvas of `units` a side, so thin strokes stay crisp in the
// small sizes.
QIcon drawnIcon(double units, std::initializer_list<int> sizes, const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const int size : sizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / units, size / units);
        draw(p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// The event editors' and the side bar's pictures: a 32-unit canvas.
QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    return drawnIcon(32, {16, 32, 64}, draw);
}

// The menu's pictures: a 16-unit canvas, at single and double scale.
QIcon drawnSmall(const std::function<void(QPainter&)>& draw)
{
    return drawnIcon(16, {16, 24, 32, 48}, draw);
}

const QColor kInk(40, 55, 80);
const QColor kMenuInk(40, 60, 90);

// The one globe: a sphere with its meridian and equator, and the two tropics when it is drawn
// large enough to show them.
void globe(QPainter& p, QPointF centre, double r, double pen, bool tropics)
{
    p.setPen(QPen(QColor(20, 70, 130), pen));
    p.setBrush(QColor(110, 175, 235));
    p.drawEllipse(centre, r, r);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, r * 0.46, r);
    p.drawLine(centre - QPointF(r, 0), centre + QPointF(r, 0));
    if (tropics) {
        const double dy = r * 0.5, dx = r * 0.85;
        p.drawLine(centre + QPointF(-dx, -dy), centre + QPointF(dx, -dy));
        p.drawLine(centre + QPointF(-dx, dy), centre + QPointF(dx, dy));
    }
}

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
            globe(p, {16, 16}, 14, 1.4, false);
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

QIcon menuIcon(MenuPicture picture)
{
    switch (picture) {
    case MenuPicture::Configure:
        return drawnSmall([](QPainter& p) {
            p.setPen(QPen(kMenuInk, 1.4));
            for (int i = 0; i < 3; ++i) {
                const double y = 3.5 + i * 4.5;
                p.drawLine(QPointF(2, y), QPointF(14, y));
                p.setBrush(QColor(240, 160, 40));
                p.drawEllipse(QPointF(4 + ((i * 5) % 9), y), 2, 2);
            }
        });
    case MenuPicture::Exit:
        return drawnSmall([](QPainter& p) {
            p.setPen(QPen(kMenuInk, 1.4));
            p.setBrush(QColor(230, 230, 220));
            p.drawRect(QRectF(2, 2, 7, 12));
            p.setPen(QPen(QColor(200, 40, 40), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(7, 8), QPointF(14, 8));
            p.drawPolyline(QPolygonF{{11.5, 5}, {14.5, 8}, {11.5, 11}});
        });
    case MenuPicture::Help:
        return drawnSmall([](QPainter& p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(60, 120, 200));
            p.drawEllipse(QPointF(8, 8), 7, 7);
            QFont f = p.font();
            f.setPixelSize(11);
            f.setBold(true);
            p.setFont(f);
            p.setPen(Qt::white);
            p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        });
    case MenuPicture::About:
        return drawnSmall([](QPainter& p) {
            p.setPen(QPen(kMenuInk, 1.2));
            p.setBrush(Qt::white);
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
            p.setPen(QPen(QColor(0, 128, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 8), QPointF(8, 3.5));
            p.setPen(QPen(QColor(200, 0, 0), 1.6, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(8, 8), QPointF(11.5, 8));
        });
    }
    return {};
}

QIcon screenPositionIcon(int tag)
{
    return drawnSmall([tag](QPainter& p) {
        p.setPen(QPen(kMenuInk, 1.2));
        p.setBrush(QColor(225, 235, 245));
        p.drawRect(QRectF(1.5, 2.5, 13, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 90, 20));
        const int column = (tag - 1) % 3;
        const int row = (tag - 1) / 3;
        p.drawEllipse(QPointF(4.5 + column * 3.5, 5.5 + row * 2.2), 1.6, 1.3);
        p.setBrush(kMenuInk);
        p.drawRect(QRectF(6, 13, 4, 2));
    });
}

QIcon globeIcon()
{
    return drawnSmall([](QPainter& p) { globe(p, {8, 8}, 6.5, 1.2, false); });
}

QIcon sideBarIcon(int item)
{
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
            clockFace(p, {23, 9}, 7.5, 1.0 / 6, 0.8);
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
        return drawn([](QPainter& p) {
            clockFace(p, {15, 17}, 11, 1.7 / 6, 0.05);
            p.setPen(QPen(QColor(0, 140, 60), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(2, 2, 28, 28), 30 * 16, 100 * 16);
            p.setBrush(QColor(0, 140, 60));
            p.drawPolygon(QPolygonF{{27.5, 6.5}, {29.8, 12.5}, {23.5, 11.5}});
        });
    default: // time zones
        return drawn([](QPainter& p) { globe(p, {16, 16}, 13, 1.6, true); });
    }
}

} // namespace widgets
