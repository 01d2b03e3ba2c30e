// libFuzzer target: any tzclkset.dta reads into settings that can be drawn, and what is written
// from them reads back the same.
#include "platform/IniFile.h"
#include "timezones/TZClockSettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using timezones::TZClockSettings;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    timezones::TZFont fallback;
    fallback.Name = QStringLiteral("Sans");
    const TZClockSettings s = timezones::ReadClockSettings(platform::IniFile::parse(bytes), fallback);
    if (s.Width < TZClockSettings::MinWindowSide || s.Width > TZClockSettings::MaxWindowSide ||
        s.Height < TZClockSettings::MinWindowSide || s.Height > TZClockSettings::MaxWindowSide ||
        s.Font.Size < 1 || s.Font.Size > TZClockSettings::MaxFontSize || s.Font.Name.isEmpty() ||
        s.Font.Name.size() > TZClockSettings::MaxFontNameLength || s.HourHandLength < 0 ||
        s.HourHandLength > 100 || s.SecHandWidth < 0 || s.SecHandWidth > TZClockSettings::MaxHandWidth)
        __builtin_trap();
    const TZClockSettings back = timezones::ReadClockSettings(
        platform::IniFile::parse(timezones::WriteClockSettings(s).serialize()), fallback);
    if (!(back == s))
        __builtin_trap();
    return 0;
}
