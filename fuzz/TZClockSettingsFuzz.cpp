// libFuzzer target: any tzclkset.dta reads into settings that can be drawn and a zone clock
// state of one line, and what is written from them reads back the same.
#include "core/IniFile.h"
#include "timezones/TZClockSettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using timezones::TZClockSettings;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    timezones::TZFont fallback;
    fallback.Name = QStringLiteral("Sans");
    core::IniFile file = core::IniFile::parse(bytes);
    const TZClockSettings s = timezones::ReadClockSettings(file, fallback, size % 2 == 0);
    if (s.Width < TZClockSettings::MinWindowSide || s.Width > TZClockSettings::MaxWindowSide ||
        s.Height < TZClockSettings::MinWindowSide || s.Height > TZClockSettings::MaxWindowSide ||
        s.Font.Size < 1 || s.Font.Size > TZClockSettings::MaxFontSize || s.Font.Name.isEmpty() ||
        s.Font.Name.size() > TZClockSettings::MaxFontNameLength || s.HourHandLength < 1 ||
        s.HourHandLength > 100 || s.SecHandWidth < 0 || s.SecHandWidth > TZClockSettings::MaxHandWidth)
        __builtin_trap();
    // Written into the file it was read from, as the program does, it reads back the same.
    timezones::WriteClockSettings(s, file);
    const TZClockSettings back = timezones::ReadClockSettings(core::IniFile::parse(file.serialize()),
                                                              fallback, size % 2 == 0);
    if (!(back == s))
        __builtin_trap();
    // The zone clock's section as well.
    const timezones::ZoneClockState zone = timezones::ReadZoneClock(file);
    timezones::WriteZoneClock(zone, file);
    if (!(timezones::ReadZoneClock(core::IniFile::parse(file.serialize())) == zone))
        __builtin_trap();
    return 0;
}
