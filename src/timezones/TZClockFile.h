#pragma once

#include "core/IniFile.h"
#include "platform/DataFile.h"
#include "platform/FileNotices.h"
#include "timezones/TZClockSettings.h"

namespace core {
class LocaleFormats;
} // namespace core

namespace timezones {

// tzclkset.dta: the look of the zone clocks and the zone clock's zone, read when the program
// starts and written when it ends. A file that is there but was not read (too large, not a
// plain file, unreadable) is left exactly as it is; one that was read is written back with every
// line the program does not own where it stood.
class TZClockFile final
{
public:
    // The defaults: the font of the time zones window, and a 12-hour clock where the user's
    // locale writes one.
    // A file left alone, or a failed save, is told through `notices` once.
    TZClockFile(QString path, const TZFont& fontDefault, const core::LocaleFormats& locale,
                platform::FileNotices* notices = nullptr);

    TZClockSettings Settings;
    ZoneClockState ZoneClock;

    const QString& path() const { return m_file.path(); }
    platform::SaveResult save();

    // Whether the locale's short time format counts the hours to twelve ("h:mm AP").
    static bool writesTwelveHours(const core::LocaleFormats& locale);

private:
    platform::DataFile m_file;
    core::IniFile m_ini;
    platform::FileNotices* m_notices;
};

} // namespace timezones
