#include "app/HandGeometry.h"

#include <cmath>
#include <numbers>

namespace app {

double hourHandAngle(int hour, int minute)
{
    return (hour + minute / 60.0) * std::numbers::pi / 6.0;
}

double minuteHandAngle(int minute)
{
    return minute * std::numbers::pi / 30.0;
}

double secondHandAngle(int second)
{
    return second * std::numbers::pi / 30.0;
}

QPoint handTip(QPoint centre, double radius, double length, double angle)
{
    return {centre.x() + roundHalfEven(std::sin(angle) * radius * length),
            centre.y() - roundHalfEven(std::cos(angle) * radius * length)};
}

} // namespace app
