#include "timezones/TZClockFile.h"

#include "core/LocaleFormats.h"
#include "lang/FileTexts.h"

namespace timezones {

TZClockFile::TZClockFile(QString path, const TZFont& fontDefault, const core::LocaleFormats& locale,
                         platform::FileNotices* notices)
    : m_file(std::move(path), core::IniFile::MaxFileSize), m_notices(notices)
{
    if (const platform::ReadResult file = m_file.read(); file.wasRead())
        m_ini = core::IniFile::parse(file.bytes);
    else if (!m_file.mayWrite() && m_notices)
        m_notices->tellOnce(m_file.path(), lang::notReadText(m_file.path(), m_file.notReadBecause()));
    Settings = ReadClockSettings(m_ini, fontDefault, writesTwelveHours(locale));
    ZoneClock = ReadZoneClock(m_ini);
}

platform::SaveResult TZClockFile::save()
{
    WriteClockSettings(Settings, m_ini);
    WriteZoneClock(ZoneClock, m_ini);
    platform::SaveResult saved = m_file.save(m_ini.serialize());
    if (!saved && m_notices)
        m_notices->tellOnce(saved.file, lang::notSavedText(saved.file, saved.error));
    return saved;
}

bool TZClockFile::writesTwelveHours(const core::LocaleFormats& locale)
{
    // The designator field, outside the quoted literal text of the format.
    bool quoted = false;
    for (const QChar c : locale.locale().timeFormat(QLocale::ShortFormat)) {
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && (c == u'a' || c == u'A'))
            return true;
    }
    return false;
}

} // namespace timezones
