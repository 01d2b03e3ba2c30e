#include "timezones/TZClockSettings.h"

#include "core/IniFile.h"
#include "core/StoredInteger.h"

#include <algorithm>

namespace timezones {

namespace {

enum class Form
{
    Integer,
    Flag,
    Text
};

const QString kZoneClock = QStringLiteral("Zone Clock");

// A name the file can hold on one line, of a sensible length.
QString oneLineName(QString name)
{
    name.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    return name.trimmed().left(ZoneClockState::MaxNameLength);
}

// Where a key's value lives, and what it falls back to when the file has no readable value.
struct Field
{
    Form form;
    int TZClockSettings::*integer = nullptr;
    bool TZClockSettings::*flag = nullptr;
    int TZFont::*fontInteger = nullptr;
    bool TZFont::*fontFlag = nullptr;
    bool fontName = false;
};

struct Row
{
    const char16_t* section;
    const char16_t* key;
    Field field;
};

constexpr Field integer(int TZClockSettings::*f)
{
    return {Form::Integer, f};
}
constexpr Field flag(bool TZClockSettings::*f)
{
    return {Form::Flag, nullptr, f};
}
constexpr Field fontInteger(int TZFont::*f)
{
    return {Form::Integer, nullptr, nullptr, f};
}
constexpr Field fontFlag(bool TZFont::*f)
{
    return {Form::Flag, nullptr, nullptr, nullptr, f};
}
constexpr Field fontName()
{
    return {Form::Text, nullptr, nullptr, nullptr, nullptr, true};
}

// Every key of tzclkset.dta, in the order the file is written.
const Row kRows[] = {
    {u"Clock", u"Color", integer(&TZClockSettings::Color)},
    {u"Clock", u"Width", integer(&TZClockSettings::Width)},
    {u"Clock", u"Height", integer(&TZClockSettings::Height)},
    {u"Clock", u"Second Hand", flag(&TZClockSettings::ShowSecHand)},
    {u"Clock", u"Is Digital", flag(&TZClockSettings::IsDigital)},
    {u"Hour Hand", u"Color", integer(&TZClockSettings::HourHandColor)},
    {u"Hour Hand", u"Length", integer(&TZClockSettings::HourHandLength)},
    {u"Hour Hand", u"Width", integer(&TZClockSettings::HourHandWidth)},
    {u"Min Hand", u"Color", integer(&TZClockSettings::MinHandColor)},
    {u"Min Hand", u"Length", integer(&TZClockSettings::MinHandLength)},
    {u"Min Hand", u"Width", integer(&TZClockSettings::MinHandWidth)},
    {u"Sec Hand", u"Color", integer(&TZClockSettings::SecHandColor)},
    {u"Sec Hand", u"Length", integer(&TZClockSettings::SecHandLength)},
    {u"Sec Hand", u"Width", integer(&TZClockSettings::SecHandWidth)},
    {u"Font", u"Name", fontName()},
    {u"Font", u"Color", fontInteger(&TZFont::Color)},
    {u"Font", u"Size", fontInteger(&TZFont::Size)},
    {u"Font", u"Bold", fontFlag(&TZFont::Bold)},
    {u"Font", u"Italic", fontFlag(&TZFont::Italic)},
    {u"Font", u"StrikeOut", fontFlag(&TZFont::StrikeOut)},
    {u"Font", u"Underline", fontFlag(&TZFont::Underline)},
    {u"Digital", u"Seconds", flag(&TZClockSettings::ShowSeconds)},
    {u"Digital", u"AMPM", flag(&TZClockSettings::ShowAmPm)},
};

int& integerOf(const Field& f, TZClockSettings& s)
{
    return f.integer ? s.*f.integer : s.Font.*f.fontInteger;
}

bool& flagOf(const Field& f, TZClockSettings& s)
{
    return f.flag ? s.*f.flag : s.Font.*f.fontFlag;
}

} // namespace

QString TZClockSettings::displayFormat() const
{
    QString format = QStringLiteral("h:mm");
    if (ShowSeconds)
        format += QStringLiteral(":ss");
    if (ShowAmPm)
        format += QStringLiteral(" ampm");
    return format;
}

bool TZClockSettings::formatShowsSeconds(const QString& format)
{
    return format.contains(QStringLiteral(":ss"));
}

bool TZClockSettings::formatShowsAmPm(const QString& format)
{
    return format.contains(QStringLiteral(" ampm"));
}

void TZClockSettings::clamp()
{
    Width = std::clamp(Width, MinWindowSide, MaxWindowSide);
    Height = std::clamp(Height, MinWindowSide, MaxWindowSide);
    for (int* length : {&HourHandLength, &MinHandLength, &SecHandLength})
        *length = std::clamp(*length, 1, 100);
    for (int* width : {&HourHandWidth, &MinHandWidth, &SecHandWidth})
        *width = std::clamp(*width, 0, MaxHandWidth);
    Font.Size = std::clamp(Font.Size, 1, MaxFontSize);
    // No font is named with control characters; a line of the file cannot hold them either.
    Font.Name.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    Font.Name = Font.Name.trimmed().left(MaxFontNameLength);
}

TZClockSettings ReadClockSettings(const core::IniFile& file, const TZFont& fontDefault, bool amPmDefault)
{
    TZClockSettings s;
    s.ShowAmPm = amPmDefault;
    // The font falls back on the window's own; its style starts empty.
    s.Font.Name = fontDefault.Name;
    s.Font.Color = fontDefault.Color;
    s.Font.Size = fontDefault.Size;
    for (const Row& row : kRows) {
        const std::optional<QString> text = file.value(QString::fromUtf16(row.section),
                                                       QString::fromUtf16(row.key));
        if (!text)
            continue;
        if (row.field.form == Form::Text) {
            s.Font.Name = *text;
        } else if (const std::optional<qint32> value = core::parseStoredInteger(*text)) {
            if (row.field.form == Form::Integer)
                integerOf(row.field, s) = *value;
            else
                flagOf(row.field, s) = *value != 0;
        }
    }
    s.clamp();
    if (s.Font.Name.isEmpty())
        s.Font.Name = fontDefault.Name;
    return s;
}

void WriteClockSettings(TZClockSettings s, core::IniFile& file)
{
    for (const Row& row : kRows) {
        QString value;
        switch (row.field.form) {
        case Form::Text:
            value = s.Font.Name;
            break;
        case Form::Integer:
            value = QString::number(integerOf(row.field, s));
            break;
        case Form::Flag:
            value = flagOf(row.field, s) ? QStringLiteral("1") : QStringLiteral("0");
            break;
        }
        file.setValue(QString::fromUtf16(row.section), QString::fromUtf16(row.key), value);
    }
}

ZoneClockState ReadZoneClock(const core::IniFile& file)
{
    ZoneClockState state;
    state.Name = oneLineName(file.value(kZoneClock, QStringLiteral("Name")).value_or(QString()));
    const QString zone = file.value(kZoneClock, QStringLiteral("Zone")).value_or(QString()).trimmed();
    // A zone's id is plain ASCII ("America/Argentina/Buenos_Aires"); anything else names none.
    if (zone.size() <= ZoneClockState::MaxNameLength &&
        std::all_of(zone.begin(), zone.end(), [](QChar c) { return c.unicode() > 32 && c.unicode() < 127; }))
        state.Zone = zone.toLatin1();
    const std::optional<qint32> shown = core::parseStoredInteger(
        file.value(kZoneClock, QStringLiteral("Shown")).value_or(QString()));
    state.Shown = !state.Name.isEmpty() && shown.value_or(0) != 0;
    return state;
}

void WriteZoneClock(const ZoneClockState& state, core::IniFile& file)
{
    if (state.Name.isEmpty())
        return;
    file.setValue(kZoneClock, QStringLiteral("Name"), oneLineName(state.Name));
    file.setValue(kZoneClock, QStringLiteral("Zone"), QString::fromLatin1(state.Zone));
    file.setValue(kZoneClock, QStringLiteral("Shown"),
                  state.Shown ? QStringLiteral("1") : QStringLiteral("0"));
}

} // namespace timezones
