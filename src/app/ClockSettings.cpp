#include "app/ClockSettings.h"

#include "core/LocaleFormats.h"
#include "core/StoredInteger.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

#include <cmath>
#include <variant>

namespace app {

namespace {

enum class Form
{
    Integer,
    Boolean,
    Color,
    Real,
    Text
};

using IntRef = int& (*)(ClockSettings&);
using BoolRef = bool& (*)(ClockSettings&);
using RealRef = double& (*)(ClockSettings&);
using TextRef = QString& (*)(ClockSettings&);
using FieldRef = std::variant<IntRef, BoolRef, RealRef, TextRef>;

struct Row
{
    const char16_t* section;
    const char16_t* name;
    Form form;
    FieldRef field;
};

#define VESKEL_FIELD(T, expr) static_cast<T>([](ClockSettings & s) -> auto& { return expr; })

// The settings table: section, value name, stored form and field, in the order they are written.
const Row kRows[] = {
    {u"Clock", u"Width", Form::Integer, VESKEL_FIELD(IntRef, s.Width)},
    {u"Clock", u"Height", Form::Integer, VESKEL_FIELD(IntRef, s.Height)},
    {u"Clock", u"Shape", Form::Integer, VESKEL_FIELD(IntRef, s.Shape)},
    {u"Clock", u"Color", Form::Color, VESKEL_FIELD(IntRef, s.Color)},
    {u"Clock", u"Left", Form::Integer, VESKEL_FIELD(IntRef, s.Left)},
    {u"Clock", u"Top", Form::Integer, VESKEL_FIELD(IntRef, s.Top)},
    {u"Clock", u"OnTray", Form::Boolean, VESKEL_FIELD(BoolRef, s.OnTray)},
    {u"Clock", u"OnTop", Form::Boolean, VESKEL_FIELD(BoolRef, s.OnTop)},
    {u"Clock", u"Picture File", Form::Text, VESKEL_FIELD(TextRef, s.PictureFile)},
    {u"Clock", u"Interval", Form::Integer, VESKEL_FIELD(IntRef, s.Interval)},
    {u"Clock", u"Visible", Form::Boolean, VESKEL_FIELD(BoolRef, s.Visible)},
    {u"Clock", u"Language", Form::Text, VESKEL_FIELD(TextRef, s.Language)},
    {u"TimeServer", u"NTP Server", Form::Text, VESKEL_FIELD(TextRef, s.TimeServer)},
    {u"TimeServer", u"Time Out", Form::Integer, VESKEL_FIELD(IntRef, s.TimeOut)},
    {u"SecHand", u"Color", Form::Color, VESKEL_FIELD(IntRef, s.SecHand.Color)},
    {u"SecHand", u"Length", Form::Real, VESKEL_FIELD(RealRef, s.SecHand.Length)},
    {u"SecHand", u"Width", Form::Integer, VESKEL_FIELD(IntRef, s.SecHand.Width)},
    {u"SecHand", u"Mode", Form::Integer, VESKEL_FIELD(IntRef, s.SecHand.Mode)},
    {u"MinHand", u"Color", Form::Color, VESKEL_FIELD(IntRef, s.MinHand.Color)},
    {u"MinHand", u"Length", Form::Real, VESKEL_FIELD(RealRef, s.MinHand.Length)},
    {u"MinHand", u"Width", Form::Integer, VESKEL_FIELD(IntRef, s.MinHand.Width)},
    {u"MinHand", u"Mode", Form::Integer, VESKEL_FIELD(IntRef, s.MinHand.Mode)},
    {u"HourHand", u"Color", Form::Color, VESKEL_FIELD(IntRef, s.HourHand.Color)},
    {u"HourHand", u"Length", Form::Real, VESKEL_FIELD(RealRef, s.HourHand.Length)},
    {u"HourHand", u"Width", Form::Integer, VESKEL_FIELD(IntRef, s.HourHand.Width)},
    {u"HourHand", u"Mode", Form::Integer, VESKEL_FIELD(IntRef, s.HourHand.Mode)},
    {u"Icon", u"HourHandColor", Form::Color, VESKEL_FIELD(IntRef, s.IconHourHandColor)},
    {u"Icon", u"MinHandColor", Form::Color, VESKEL_FIELD(IntRef, s.IconMinHandColor)},
    {u"Agent", u"Character", Form::Text, VESKEL_FIELD(TextRef, s.AgentCharacter)},
    {u"Agent", u"Top", Form::Integer, VESKEL_FIELD(IntRef, s.AgentTop)},
    {u"Agent", u"Left", Form::Integer, VESKEL_FIELD(IntRef, s.AgentLeft)},
    {u"SideBar", u"Color", Form::Color, VESKEL_FIELD(IntRef, s.SideBarColor)},
    {u"SideBar", u"Font Color", Form::Color, VESKEL_FIELD(IntRef, s.SideBarFontColor)},
};

#undef VESKEL_FIELD

// Width, Height, Left and Top: the window bounds, read before anything else.
constexpr bool isBoundsRow(size_t i)
{
    return i == 0 || i == 1 || i == 4 || i == 5;
}

QString sectionOf(const Row& r)
{
    return QString::fromUtf16(r.section);
}
QString nameOf(const Row& r)
{
    return QString::fromUtf16(r.name);
}

// Reads one row into its field; a missing value or one that does not parse keeps the field.
void readRow(const Row& row, const platform::SettingsStore& store, const core::LocaleFormats& locale,
             ClockSettings& s)
{
    const std::optional<QString> text = store.read(sectionOf(row), nameOf(row));
    if (!text)
        return;
    std::visit(
        [&](auto ref) {
            using Ref = decltype(ref);
            if constexpr (std::is_same_v<Ref, IntRef>) {
                if (const auto v = core::parseStoredInteger(*text))
                    ref(s) = *v;
            } else if constexpr (std::is_same_v<Ref, BoolRef>) {
                if (const auto v = core::parseStoredInteger(*text))
                    ref(s) = *v != 0;
            } else if constexpr (std::is_same_v<Ref, RealRef>) {
                if (const auto v = locale.parseReal(*text); v && std::isfinite(*v))
                    ref(s) = *v;
            } else {
                ref(s) = *text;
            }
        },
        row.field);
}

QString textOf(const Row& row, const core::LocaleFormats& locale, ClockSettings& s)
{
    return std::visit(
        [&](auto ref) -> QString {
            using Ref = decltype(ref);
            if constexpr (std::is_same_v<Ref, IntRef>)
                return QString::number(ref(s));
            else if constexpr (std::is_same_v<Ref, BoolRef>)
                return ref(s) ? QStringLiteral("1") : QStringLiteral("0");
            else if constexpr (std::is_same_v<Ref, RealRef>)
                return locale.formatReal(ref(s));
            else
                return ref(s);
        },
        row.field);
}

void keepModeInRange(HandStyle& hand, int builtIn)
{
    if (hand.Mode < 0 || hand.Mode >= PenModeCount)
        hand.Mode = builtIn;
}

} // namespace

bool LoadSettings(const platform::SettingsStore& store, const core::LocaleFormats& locale, QSize screen,
                  ClockSettings& s)
{
    const ClockSettings builtIn = s;
    for (size_t i = 0; i < std::size(kRows); ++i)
        if (isBoundsRow(i))
            readRow(kRows[i], store, locale, s);

    // A zero (or impossible) size means the stored values are not to be trusted at all.
    if (s.Width <= 0 || s.Height <= 0) {
        s = builtIn;
        return false;
    }
    s.Width = std::min(s.Width, MaxWindowSide);
    s.Height = std::min(s.Height, MaxWindowSide);

    // The window may hang off an edge by at most half its size.
    const int sw = screen.width();
    const int sh = screen.height();
    if (s.Left < -(s.Width / 2))
        s.Left = 0;
    else if (s.Left > sw - (s.Width / 2))
        s.Left = sw - s.Width;
    if (s.Top < -(s.Height / 2))
        s.Top = 0;
    else if (s.Top > sh - (s.Height / 2))
        s.Top = sh - s.Height;

    s.AgentTop = s.Top;
    s.AgentLeft = s.Left;
    for (size_t i = 0; i < std::size(kRows); ++i)
        if (!isBoundsRow(i))
            readRow(kRows[i], store, locale, s);

    if (!s.PictureFile.isEmpty() && !QFileInfo::exists(s.PictureFile))
        s.PictureFile.clear();
    s.Interval = std::clamp(s.Interval, MinInterval, MaxInterval);
    if (s.MinHand.Length == 0.0)
        s.MinHand.Length = 0.7;
    if (s.HourHand.Length == 0.0)
        s.HourHand.Length = 0.5;
    keepModeInRange(s.SecHand, builtIn.SecHand.Mode);
    keepModeInRange(s.MinHand, builtIn.MinHand.Mode);
    keepModeInRange(s.HourHand, builtIn.HourHand.Mode);
    for (HandStyle* hand : {&s.SecHand, &s.MinHand, &s.HourHand}) {
        hand->Width = std::clamp(hand->Width, 0, MaxHandWidth);
        hand->Length = std::clamp(hand->Length, -MaxHandLength, MaxHandLength);
    }

    if (s.AgentCharacter.isEmpty())
        s.AgentCharacter = QStringLiteral("merlin");
    s.AgentFile = s.AgentCharacter + QStringLiteral(".acs");
    if (s.AgentTop > sh || s.AgentTop < 0)
        s.AgentTop = s.Top;
    if (s.AgentLeft > sw || s.AgentLeft < 0)
        s.AgentLeft = s.Left;
    s.CaptionText = MakerWebAddress;
    return true;
}

void SaveSettings(platform::SettingsStore& store, const core::LocaleFormats& locale, const ClockSettings& s)
{
    ClockSettings values = s; // the field accessors hand out writable references
    for (const Row& row : kRows)
        store.write(sectionOf(row), nameOf(row), textOf(row, locale, values));
}

} // namespace app
