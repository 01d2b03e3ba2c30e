#pragma once

#include <QColor>
#include <QtGlobal>

namespace core {

// A colour in its stored form: 0x00BBGGRR, or 0x80000000 plus a system colour index (negative
// as a signed number). It stays in this form wherever it is kept or compared.
using TColor = qint32;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clDesktopBackground = static_cast<TColor>(0x80000001u);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);
inline constexpr TColor clHighlightText = static_cast<TColor>(0x8000000Eu);

// Turns a stored colour into a colour to draw with. System colours are looked up in the
// desktop's palette at the moment of drawing; the desktop background, which has no palette
// role, is a fixed colour.
QColor resolveColor(TColor color);

// The stored form of a plain colour.
TColor toTColor(const QColor& color);

bool isSystemColor(TColor color);

} // namespace core
