#pragma once

#include "core/Colors.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace core {
class IniFile;
} // namespace core

namespace timezones {

// The text font of the time-zone clocks.
struct TZFont
{
    QString Name;
    core::TColor Color = core::clWindowText;
    int Size = 8; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    bool operator==(const TZFont&) const = default;
};

// The one look of the time-zone clocks: the zone clock window's size and face, and the hands,
// colour and text format of the time zones window's analogue face. Kept in tzclkset.dta.
struct TZClockSettings
{
    int Width = 175; // the zone clock window's size
    int Height = 194;
    core::TColor Color = core::clSilver;
    core::TColor HourHandColor = core::clBlack;
    int HourHandLength = 60; // percent of the face's radius
    int HourHandWidth = 3;   // pixels
    core::TColor MinHandColor = core::clBlack;
    int MinHandWidth = 2;
    int MinHandLength = 80;
    core::TColor SecHandColor = core::clRed;
    int SecHandLength = 90;
    int SecHandWidth = 1;
    bool ShowSecHand = true;
    TZFont Font;
    bool ShowSeconds = true;
    bool ShowAmPm = true;
    bool IsDigital = false;
    bool operator==(const TZClockSettings&) const = default;

    // "h:mm", then ":ss" with seconds, then " ampm" with a 12-hour clock.
    QString displayFormat() const;

    // What a face's display format says of the two: ":ss" and " ampm" in it.
    static bool formatShowsSeconds(const QString& format);
    static bool formatShowsAmPm(const QString& format);

    // Held to what can be drawn and shown: a window of 16 to 4096 pixels a side (as the clock's
    // own; the screen it shows on holds it further), hand lengths of 1 to 100, hand widths of 0
    // to 100 pixels, a font of 1 to 500 points and a name of at most 255 characters without
    // control characters. A hostile file gets no further than this.
    static constexpr int MinWindowSide = 16;
    static constexpr int MaxWindowSide = 4096;
    static constexpr int MaxHandWidth = 100;
    static constexpr int MaxFontSize = 500;
    static constexpr int MaxFontNameLength = 255;
    void clamp();
};

// The zone the zone clock shows, and whether it was open when the program ended.
struct ZoneClockState
{
    QString Name;    // the zone's name in the list: the clock's caption
    QByteArray Zone; // the zone database's id of the place whose time it keeps; empty: this machine's
    bool Shown = false;
    bool operator==(const ZoneClockState&) const = default;
    static constexpr int MaxNameLength = 255;
};

// Reads the settings from the file's sections and keys; a missing key or a value that is not a
// whole number reads as its default, the font's defaults being the window's own font and the
// 12-hour clock's the user's locale's.
TZClockSettings ReadClockSettings(const core::IniFile& file, const TZFont& fontDefault, bool amPmDefault);
// Sets every key in `file`, in the file's order (Clock, Hour Hand, Min Hand, Sec Hand, Font,
// Digital); whatever else the file holds stays as it was.
void WriteClockSettings(TZClockSettings settings, core::IniFile& file);

// The zone clock's zone, in a section of its own ("Zone Clock") that files written before it
// simply lack; written once a zone clock has been shown.
ZoneClockState ReadZoneClock(const core::IniFile& file);
void WriteZoneClock(const ZoneClockState& state, core::IniFile& file);

} // namespace timezones
