#include "app/HandGeometry.h"

#include <cmath>
#include <numbers>

namespace app {

int roundHalfEven(double value)
{
    constexpr double bound = 1 << 24;
    if (!(value > -bound)) // also catches NaN
        return -int(bound);
    if (value > bound)
        return int(bound);
    const double floor = std::floor(value);
    const double diff = value - floor;
    double result = floor;
    if (diff > 0.5 || (diff == 0.5 && std::fmod(floor, 2.0) != 0.0))
        result = floor + 1.0;
    return int(result);
}

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
