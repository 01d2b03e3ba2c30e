#include "timezones/ZoneIcons.h"

#include <QPainter>
#include <QPixmap>

namespace timezones {

QIcon globeIcon()
{
    QIcon icon;
    for (const int size : {16, 24, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        p.setPen(QPen(QColor(40, 60, 90), 1.2));
        p.setBrush(QColor(110, 170, 230));
        p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(8, 8), 3, 6.5);
        p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace timezones
