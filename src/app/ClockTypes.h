#pragma once

#include "core/Colors.h"

#include <QtGlobal>

namespace app {

using core::TColor;

using core::clBlack;
using core::clBlue;
using core::clDesktopBackground;
using core::clGreen;
using core::clHighlightText;
using core::clRed;
using core::clWhite;
using core::clYellow;

enum Shape : int
{
    ShapeRectangle = 0,
    ShapeEllipse = 1,
    ShapePicture = 2
};

// How a hand's pen pixel P meets the pixel D under it; the order of the mode list.
enum PenMode : int
{
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
inline constexpr int PenModeCount = 16;

struct HandStyle
{
    double Length; // fraction of the face radius
    TColor Color;
    int Width; // pen width in pixels
    int Mode;  // a PenMode
};

} // namespace app
