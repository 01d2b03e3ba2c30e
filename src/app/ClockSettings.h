#pragma once

#include "app/ClockTypes.h"

#include <QFont>
#include <QSize>
#include <QString>

namespace core {
class LocaleFormats;
} // namespace core
namespace platform {
class SettingsStore;
} // namespace platform

namespace app {

// The maker's web address: the default caption on the face, and the text the caption font is
// sized against.
inline const QString MakerWebAddress = QStringLiteral("www.palvaro.example");

// Every persistent setting of the main clock. The clock window owns one; the other windows read
// and write its fields directly. Bounds and interval are the window's and its timer's own: the
// window copies them in before a save and applies them after a load.
struct ClockSettings
{
    int Width = 150;
    int Height = 150;
    int Shape = ShapeEllipse;
    TColor Color = clDesktopBackground;
    int Left = 207;
    int Top = 104;
    bool OnTray = true;
    bool OnTop = false;
    QString PictureFile;
    int Interval = 200;
    bool Visible = true;
    QString Language;
    QString TimeServer;
    int TimeOut = 5000; // milliseconds a time server is waited for; 0 waits until it answers
    HandStyle SecHand{0.92, clBlack, 2, pmNot};
    HandStyle MinHand{0.89, clRed, 5, pmNotMerge};
    HandStyle HourHand{0.61, clGreen, 9, pmNotMerge};
    TColor IconHourHandColor = clRed;
    TColor IconMinHandColor = clBlue;
    QString AgentCharacter = QStringLiteral("merlin");
    int AgentTop = 104;
    int AgentLeft = 207;
    TColor SideBarColor = clDesktopBackground;
    TColor SideBarFontColor = clHighlightText;

    // Not stored.
    QString AgentFile = QStringLiteral("merlin.acs");
    QString CaptionText = MakerWebAddress;
    QFont CaptionFont;
    TColor CaptionColor = clBlack;
};

// The timer interval the clock accepts; a stored value outside it would either spin or stall.
inline constexpr int MinInterval = 100;
inline constexpr int MaxInterval = 500;
// Larger windows would ask for back buffers of gigabytes.
inline constexpr int MaxWindowSide = 4096;
// The farthest a pixel of the largest window lies from its centre, rounded up: half its diagonal.
inline constexpr int MaxFaceReach = 2897;
// A pen this wide covers the largest window wherever it is drawn; a wider one shows nothing more.
inline constexpr int MaxHandWidth = 2 * MaxFaceReach;
// A hand this long (in radii of at least one pixel) reaches past every corner of the largest
// window; a longer one shows nothing more.
inline constexpr double MaxHandLength = MaxFaceReach;

// Reads the settings over the built-in values already in `s`. Returns false when a stored width
// or height of 0 stopped the reading early, leaving every value at its built-in default.
bool LoadSettings(const platform::SettingsStore& store, const core::LocaleFormats& locale, QSize screen,
                  ClockSettings& s);

// Writes every stored value, in the order of the settings table.
void SaveSettings(platform::SettingsStore& store, const core::LocaleFormats& locale, const ClockSettings& s);

} // namespace app
