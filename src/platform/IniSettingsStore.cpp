#include "platform/IniSettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

IniSettingsStore::IniSettingsStore(QString path) : m_path(std::move(path)), m_ini(IniFile::load(m_path)) {}

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
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    SaveResult result = m_ini.save(m_path);
    if (!result)
        result.error = m_path + QStringLiteral(": ") + result.error;
    return result;
}

} // namespace platform
