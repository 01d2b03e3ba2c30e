#pragma once

#include <QtGlobal>

namespace app {

// A colour in its stored form: 0x00BBGGRR, or 0x80000000 plus a system colour index (negative
// as a signed number). It stays in this form wherever it is kept or compared.
using TColor = qint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clDesktopBackground = static_cast<TColor>(0x80000001u);
inline constexpr TColor clHighlightText = static_cast<TColor>(0x8000000Eu);

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
