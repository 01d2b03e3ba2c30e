#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QTime>

namespace app {

// The 32 x 32 picture of the tray icon: a white dial with a black rim and twelve hour marks on
// teal. Its top-left colour, the teal, is see-through in the icon.
QImage trayIconFace();

// Where a tray hand of `length` pixels ends at `angle`, from the dial's centre (15, 15).
QPoint trayHandTip(double angle, double length);

// The tray icon at a time: the face with an hour and a minute hand, three pixels wide, and the
// face's top-left colour made transparent.
QImage drawTrayIcon(const QTime& time, const QColor& hourHand, const QColor& minuteHand);

} // namespace app
