#pragma once

#include <QtGlobal>

namespace core {

// The nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4). Values far
// outside any screen are held at a bound so no conversion overflows.
int roundHalfEven(double value);

// The nearest integer to numerator / denominator, halves to the even neighbour, worked out
// exactly: 429 x 21 / 18 is 500.5, which a product of rounded doubles would take for a little
// more. The denominator must not be 0.
int roundHalfEven(qint64 numerator, qint64 denominator);

} // namespace core
