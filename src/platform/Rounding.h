#pragma once

namespace platform {

// The nearest integer, halves going to the even neighbour (2.5 -> 2, 3.5 -> 4). Values far
// outside any screen are held at a bound so no conversion overflows.
int roundHalfEven(double value);

} // namespace platform
