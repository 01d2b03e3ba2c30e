#pragma once

#include "platform/WholeFile.h"

#include <QString>
#include <optional>

namespace platform {

// The per-user settings: sections of named text values. Values keep their stored text forms;
// what a text means is for the reader to decide.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<QString> read(const QString& section, const QString& name) const = 0;
    virtual void write(const QString& section, const QString& name, const QString& value) = 0;
    // Puts what was written on disk, saying why when that failed.
    virtual SaveResult sync() = 0;
    // Where the settings are kept, and why a file that is there was not read (empty when it was).
    virtual QString path() const { return {}; }
    virtual QString notReadBecause() const { return {}; }
};

} // namespace platform
