#include "timezones/TZClockSettings.h"

#include "platform/IniFile.h"

#include <algorithm>

namespace timezones {

namespace {

const QString kClock = QStringLiteral("Clock");
const QString kHourHand = QStringLiteral("Hour Hand");
const QString kMinHand = QStringLiteral("Min Hand");
const QString kSecHand = QStringLiteral("Sec Hand");
const QString kFont = QStringLiteral("Font");
const QString kDigital = QStringLiteral("Digital");

class Reader
{
public:
    explicit Reader(const platform::IniFile& file) : m_file(file) {}

    qint32 integer(const QString& section, const QString& key, qint32 fallback) const
    {
        const std::optional<QString> text = m_file.value(section, key);
        return text ? parseStoredInteger(*text).value_or(fallback) : fallback;
    }
    bool boolean(const QString& section, const QString& key, bool fallback) const
    {
        return integer(section, key, fallback ? 1 : 0) != 0;
    }
    QString text(const QString& section, const QString& key, const QString& fallback) const
    {
        return m_file.value(section, key).value_or(fallback);
    }

private:
    const platform::IniFile& m_file;
};

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

std::optional<qint32> parseStoredInteger(const QString& text)
{
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

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
        *length = std::clamp(*length, 0, 100);
    for (int* width : {&HourHandWidth, &MinHandWidth, &SecHandWidth})
        *width = std::clamp(*width, 0, MaxHandWidth);
    Font.Size = std::clamp(Font.Size, 1, MaxFontSize);
    // No font is named with control characters; a line of the file cannot hold them either.
    Font.Name.removeIf([](QChar c) { return c.category() == QChar::Other_Control; });
    Font.Name = Font.Name.trimmed().left(MaxFontNameLength);
}

TZClockSettings ReadClockSettings(const platform::IniFile& file, const TZFont& fontDefault)
{
    const Reader r(file);
    TZClockSettings s;
    const TZClockSettings d;
    s.Color = r.integer(kClock, QStringLiteral("Color"), d.Color);
    s.Width = r.integer(kClock, QStringLiteral("Width"), d.Width);
    s.Height = r.integer(kClock, QStringLiteral("Height"), d.Height);
    s.ShowSecHand = r.boolean(kClock, QStringLiteral("Second Hand"), d.ShowSecHand);
    s.IsDigital = r.boolean(kClock, QStringLiteral("Is Digital"), d.IsDigital);
    s.HourHandColor = r.integer(kHourHand, QStringLiteral("Color"), d.HourHandColor);
    s.HourHandLength = r.integer(kHourHand, QStringLiteral("Length"), d.HourHandLength);
    s.HourHandWidth = r.integer(kHourHand, QStringLiteral("Width"), d.HourHandWidth);
    s.MinHandColor = r.integer(kMinHand, QStringLiteral("Color"), d.MinHandColor);
    s.MinHandLength = r.integer(kMinHand, QStringLiteral("Length"), d.MinHandLength);
    s.MinHandWidth = r.integer(kMinHand, QStringLiteral("Width"), d.MinHandWidth);
    s.SecHandColor = r.integer(kSecHand, QStringLiteral("Color"), d.SecHandColor);
    s.SecHandLength = r.integer(kSecHand, QStringLiteral("Length"), d.SecHandLength);
    s.SecHandWidth = r.integer(kSecHand, QStringLiteral("Width"), d.SecHandWidth);
    s.Font.Name = r.text(kFont, QStringLiteral("Name"), fontDefault.Name);
    s.Font.Color = r.integer(kFont, QStringLiteral("Color"), fontDefault.Color);
    s.Font.Size = r.integer(kFont, QStringLiteral("Size"), fontDefault.Size);
    // The style starts empty; each flag that reads true is added.
    s.Font.Bold = r.boolean(kFont, QStringLiteral("Bold"), false);
    s.Font.Italic = r.boolean(kFont, QStringLiteral("Italic"), false);
    s.Font.StrikeOut = r.boolean(kFont, QStringLiteral("StrikeOut"), false);
    s.Font.Underline = r.boolean(kFont, QStringLiteral("Underline"), false);
    s.ShowSeconds = r.boolean(kDigital, QStringLiteral("Seconds"), d.ShowSeconds);
    s.ShowAmPm = r.boolean(kDigital, QStringLiteral("AMPM"), d.ShowAmPm);
    s.clamp();
    if (s.Font.Name.isEmpty())
        s.Font.Name = fontDefault.Name;
    return s;
}

platform::IniFile WriteClockSettings(const TZClockSettings& s)
{
    platform::IniFile file;
    auto number = [&file](const QString& section, const QString& key, qint32 value) {
        file.setValue(section, key, QString::number(value));
    };
    number(kClock, QStringLiteral("Color"), s.Color);
    number(kClock, QStringLiteral("Width"), s.Width);
    number(kClock, QStringLiteral("Height"), s.Height);
    file.setValue(kClock, QStringLiteral("Second Hand"), flag(s.ShowSecHand));
    file.setValue(kClock, QStringLiteral("Is Digital"), flag(s.IsDigital));
    number(kHourHand, QStringLiteral("Color"), s.HourHandColor);
    number(kHourHand, QStringLiteral("Length"), s.HourHandLength);
    number(kHourHand, QStringLiteral("Width"), s.HourHandWidth);
    number(kMinHand, QStringLiteral("Color"), s.MinHandColor);
    number(kMinHand, QStringLiteral("Length"), s.MinHandLength);
    number(kMinHand, QStringLiteral("Width"), s.MinHandWidth);
    number(kSecHand, QStringLiteral("Color"), s.SecHandColor);
    number(kSecHand, QStringLiteral("Length"), s.SecHandLength);
    number(kSecHand, QStringLiteral("Width"), s.SecHandWidth);
    file.setValue(kFont, QStringLiteral("Name"), s.Font.Name);
    number(kFont, QStringLiteral("Color"), s.Font.Color);
    number(kFont, QStringLiteral("Size"), s.Font.Size);
    file.setValue(kFont, QStringLiteral("Bold"), flag(s.Font.Bold));
    file.setValue(kFont, QStringLiteral("Italic"), flag(s.Font.Italic));
    file.setValue(kFont, QStringLiteral("StrikeOut"), flag(s.Font.StrikeOut));
    file.setValue(kFont, QStringLiteral("Underline"), flag(s.Font.Underline));
    file.setValue(kDigital, QStringLiteral("Seconds"), flag(s.ShowSeconds));
    file.setValue(kDigital, QStringLiteral("AMPM"), flag(s.ShowAmPm));
    return file;
}

} // namespace timezones
