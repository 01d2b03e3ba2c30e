#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

IniSettingsStore::IniSettingsStore(QString path) : m_path(std::move(path))
{
    const ReadResult file = readWholeFile(m_path, IniFile::MaxFileSize);
    if (file.wasRead())
        m_ini = IniFile::parse(file.bytes);
    else if (file.exists())
        m_notRead = file.error;
}

QString IniSettingsStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Palvaro Ltd/Veskel.conf");
}

std::optional<QString> IniSettingsStore::read(const QString& section, const QString& name) const
{
    return m_ini.value(section, name);
}

void IniSettingsStore::write(const QString& section, const QString& name, const QString& value)
{
    m_ini.setValue(section, name, value);
}

SaveResult IniSettingsStore::sync()
{
    if (!m_notRead.isEmpty())
        return SaveResult::failure(m_path + QStringLiteral(" was not read at start (") + m_notRead +
                                   QStringLiteral("), so it is left as it was"));
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    SaveResult result = m_ini.save(m_path);
    if (!result)
        result.error = m_path + QStringLiteral(": ") + result.error;
    return result;
}

} // namespace platform
