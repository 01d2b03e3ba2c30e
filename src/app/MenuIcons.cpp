#include "app/MenuIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace app {

QIcon drawnIcon(int size, const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (const int scale : {1, 2}) {
        QPixmap pixmap(size * scale, size * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        draw(p);
        icon.addPixmap(pixmap);
    }
    return icon;
}

namespace {

QIcon drawn(const std::function<void(QPainter&)>& draw)
{
    return drawnIcon(16, draw);
}

const QColor kInk(40, 60, 90);

} // namespace

QIcon menuIcon(MenuPicture picture)
{
    switch (picture) {
    case MenuPicture::Configure:
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4));
            for (int i = 0; i < 3; ++i) {
                const double y = 3.5 + i * 4.5;
                p.drawLine(QPointF(2, y), QPointF(14, y));
                p.setBrush(QColor(240, 160, 40));
                p.drawEllipse(QPointF(4 + ((i * 5) % 9), y), 2, 2);
            }
        });
    case MenuPicture::TimeZones:
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.2));
            p.setBrush(QColor(110, 170, 230));
            p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(8, 8), 3, 6.5);
            p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        });
    case MenuPicture::Exit:
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.4));
            p.setBrush(QColor(230, 230, 220));
            p.drawRect(QRectF(2, 2, 7, 12));
            p.setPen(QPen(QColor(200, 40, 40), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawLine(QPointF(7, 8), QPointF(14, 8));
            p.drawPolyline(QPolygonF{{11.5, 5}, {14.5, 8}, {11.5, 11}});
        });
    case MenuPicture::Help:
        return drawn([](QPainter& p) {
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
        return drawn([](QPainter& p) {
            p.setPen(QPen(kInk, 1.2));
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
    return drawn([tag](QPainter& p) {
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(225, 235, 245));
        p.drawRect(QRectF(1.5, 2.5, 13, 10));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(220, 90, 20));
        const int column = (tag - 1) % 3;
        const int row = (tag - 1) / 3;
        p.drawEllipse(QPointF(4.5 + column * 3.5, 5.5 + row * 2.2), 1.6, 1.3);
        p.setBrush(kInk);
        p.drawRect(QRectF(6, 13, 4, 2));
    });
}

} // namespace app
