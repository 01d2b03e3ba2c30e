#pragma once

#include "clockface/ClockFaceLook.h"

#include <QColor>
#include <QPainter>
#include <QRect>

namespace clockface {

struct BevelShades
{
    QColor light; // a quarter of the way from white to the border colour
    QColor dark;  // two thirds of the way from black to the border colour
};

BevelShades bevelShades(const QColor& borderColor);

// How far the face's inner rectangle lies inside the control on every side.
int faceInset(const ClockFaceLook& look);
QRect innerRect(QSize size, const ClockFaceLook& look);

// A frame `width` pixels wide just inside `rect`, which shrinks by that width: one-pixel rings
// whose top and left edges take `top` and whose right and bottom edges take `bottom` (the
// top-right and bottom-left corners go to `bottom`).
void paintFrame(QPainter& painter, QRect& rect, int width, const QColor& top, const QColor& bottom);

// The outer bevel, the border band and the inner bevel, from the control's edge inwards.
void paintPanelFrames(QPainter& painter, QSize size, const ClockFaceLook& look);

} // namespace clockface
