#include "platform/Rounding.h"

#include <cmath>

namespace platform {

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

} // namespace platform
