#include "platform/IniSettingsStore.h"

#include <QStandardPaths>

namespace platform {

IniSettingsStore::IniSettingsStore(QString path) : m_file(std::move(path), core::IniFile::MaxFileSize)
{
    const ReadResult file = m_file.read();
    if (file.wasRead())
        m_ini = core::IniFile::parse(file.bytes);
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
    return m_file.save(m_ini.serialize());
}

} // namespace platform
