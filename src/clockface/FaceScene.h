#pragma once

#include "clockface/ClockFaceLook.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QTime>

namespace clockface {

// What each style's painter is handed: the face's bitmap and a painter on it (clipped to the face),
// the face's size and inner rectangle (inside the bevels and border), its look, the time shown
// and that time as text.
struct FaceScene
{
    QImage& canvas;
    QPainter& painter;
    QSize size;
    QRect inner;
    int inset = 0;
    const ClockFaceLook& look;
    QTime time;
    QString text;
    QColor faceColor;
    QColor fontColor;
    QFontMetrics metrics;
};

} // namespace clockface
