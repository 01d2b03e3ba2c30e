#include "clockface/PanelFrame.h"

#include "clockface/ColorBlend.h"

#include <algorithm>

namespace clockface {

BevelShades bevelShades(const QColor& borderColor)
{
    return {blend(Qt::white, borderColor, 1, 4), blend(Qt::black, borderColor, 2, 3)};
}

int faceInset(const ClockFaceLook& look)
{
    const qint64 border = std::max(look.BorderWidth, 0);
    const qint64 bevel = std::max(look.BevelWidth, 1);
    qint64 inset = border;
    if (look.BevelOuter != bvNone)
        inset += bevel;
    if (look.BevelInner != bvNone)
        inset += bevel;
    if (look.BorderStyle != bsNone)
        inset += border;
    return int(std::min<qint64>(inset, 1 << 24));
}

QRect innerRect(QSize size, const ClockFaceLook& look)
{
    const int inset = faceInset(look);
    return QRect(QPoint(0, 0), size).adjusted(inset, inset, -inset, -inset);
}

void paintFrame(QPainter& painter, QRect& rect, int width, const QColor& top, const QColor& bottom)
{
    for (int i = 0; i < width && rect.isValid(); ++i) {
        const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
        painter.fillRect(QRect(l, t, 1, b - t), top);
        painter.fillRect(QRect(l, t, r - l, 1), top);
        painter.fillRect(QRect(r, t, 1, b - t + 1), bottom);
        painter.fillRect(QRect(l, b, r - l + 1, 1), bottom);
        rect.adjust(1, 1, -1, -1);
    }
}

void paintPanelFrames(QPainter& painter, QSize size, const ClockFaceLook& look)
{
    const QColor border = core::resolveColor(look.BorderColor);
    const BevelShades shades = bevelShades(border);
    const int bevelWidth = std::max(look.BevelWidth, 1);
    const auto bevel = [&](QRect& rect, TBevelCut cut) {
        if (cut == bvNone)
            return;
        if (cut == bvLowered)
            paintFrame(painter, rect, bevelWidth, shades.dark, shades.light);
        else
            paintFrame(painter, rect, bevelWidth, shades.light, shades.dark);
    };
    QRect rect(QPoint(0, 0), size);
    bevel(rect, look.BevelOuter);
    paintFrame(painter, rect, std::max(look.BorderWidth, 0), border, border);
    bevel(rect, look.BevelInner);
}

} // namespace clockface
