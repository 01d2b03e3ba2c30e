#pragma once

namespace clockface {

// How a face shows its time.
enum TClockFaceStyle : int
{
    csText = 0,
    csIndicator = 1, // seven-segment digits
    csAnalog = 2,
    csRevolvingDrum = 3
};

// What stands at the twelve hour positions of the analogue face.
enum THoursDisplayStyle : int
{
    dsPoints = 0,
    dsDecimalNumbers = 1,
    dsRomanNumbers = 2
};

// The kinds of bevel of the panel around the face.
enum TBevelCut : int
{
    bvNone = 0,
    bvLowered = 1,
    bvRaised = 2,
    bvSpace = 3
};

// A single line around the whole control, outside its client area.
enum TBorderStyle : int
{
    bsNone = 0,
    bsSingle = 1
};

} // namespace clockface
