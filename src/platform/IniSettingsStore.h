#pragma once

#include "core/IniFile.h"
#include "platform/DataFile.h"
#include "platform/SettingsStore.h"

namespace platform {

// Settings kept in an initialisation file: the whole file is read once and written whole on sync.
// A file that is there but could not be read (too large, not a regular file, no permission) is
// never written over: it may hold settings the user wants back.
class IniSettingsStore final : public SettingsStore
{
public:
    explicit IniSettingsStore(QString path);

    // ~/.config/Palvaro Ltd/Veskel.conf (or wherever XDG_CONFIG_HOME points).
    static QString defaultPath();

    std::optional<QString> read(const QString& section, const QString& name) const override;
    void write(const QString& section, const QString& name, const QString& value) override;
    SaveResult sync() override;

    QString path() const override { return m_file.path(); }
    QString notReadBecause() const override { return m_file.notReadBecause(); }

private:
    DataFile m_file;
    core::IniFile m_ini;
};

} // namespace platform
