#include "core/Rounding.h"

#include <algorithm>
#include <cmath>

namespace core {

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

int roundHalfEven(qint64 numerator, qint64 denominator)
{
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    qint64 quotient = numerator / denominator;
    qint64 remainder = numerator % denominator;
    if (remainder < 0) { // make the remainder lie in [0, denominator)
        remainder += denominator;
        --quotient;
    }
    const qint64 twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        ++quotient;
    constexpr qint64 bound = 1 << 24;
    return int(std::clamp(quotient, -bound, bound));
}

} // namespace core
