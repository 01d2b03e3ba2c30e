#pragma once

#include "core/Rounding.h"

#include <QPoint>
#include <QTime>

namespace app {

using core::roundHalfEven;

// Hand angles in radians, clockwise from twelve o'clock.
double hourHandAngle(int hour, int minute);
double minuteHandAngle(int minute);
double secondHandAngle(int second);

// The tip of a hand of `length` (a fraction of radius) at `angle` from the centre.
QPoint handTip(QPoint centre, double radius, double length, double angle);

struct FaceGeometry
{
    int CentreX = 0;
    int CentreY = 0;
    int Radius = 0; // always the horizontal half-width

    static FaceGeometry forSize(int width, int height) { return {width / 2, height / 2, width / 2}; }
};

} // namespace app
