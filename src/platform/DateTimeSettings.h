#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace platform {

// The desktop's own date and time settings.
class DateTimeSettings
{
public:
    virtual ~DateTimeSettings() = default;
    // Opens them; nothing is waited for. False when the desktop has nothing to open them with.
    virtual bool open() = 0;
};

struct ProgramCall
{
    QString program;
    QStringList arguments;
    bool operator==(const ProgramCall&) const = default;
};

// Which program shows the date and time settings: GNOME Settings or KDE System Settings, the
// one of the running desktop first; where neither is installed, timedatectl's manual page in a
// terminal. Nothing when not even a terminal is there (the manual page is then handed to the
// desktop as "man:timedatectl(1)"). `installed` tells whether a program is on the path.
std::optional<ProgramCall> dateTimeSettingsCall(const QString& currentDesktop,
                                                const std::function<bool(const QString&)>& installed);

class DesktopDateTimeSettings final : public DateTimeSettings
{
public:
    bool open() override;
};

} // namespace platform
