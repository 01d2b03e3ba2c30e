#include "platform/DateTimeSettings.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <array>
#include <vector>

namespace platform {

std::optional<ProgramCall> dateTimeSettingsCall(const QString& currentDesktop,
                                                const std::function<bool(const QString&)>& installed)
{
    const std::vector<ProgramCall> gnome{
        {QStringLiteral("gnome-control-center"), {QStringLiteral("datetime")}}};
    const std::vector<ProgramCall> kde{
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_clock")}}, // Plasma 6
        {QStringLiteral("systemsettings5"), {QStringLiteral("clock")}},    // Plasma 5
        {QStringLiteral("kcmshell5"), {QStringLiteral("clock")}},
    };
    // XDG_CURRENT_DESKTOP is a list such as "ubuntu:GNOME" or "KDE".
    const QStringList desktops = currentDesktop.toUpper().split(u':', Qt::SkipEmptyParts);
    const bool onKde = desktops.contains(u"KDE");
    for (const auto* family : onKde ? std::array{&kde, &gnome} : std::array{&gnome, &kde})
        for (const ProgramCall& call : *family)
            if (installed(call.program))
                return call;
    if (installed(QStringLiteral("x-terminal-emulator")))
        return ProgramCall{QStringLiteral("x-terminal-emulator"),
                           {QStringLiteral("-e"), QStringLiteral("man"), QStringLiteral("timedatectl")}};
    return std::nullopt;
}

bool DesktopDateTimeSettings::open()
{
    const auto call = dateTimeSettingsCall(
        qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
        [](const QString& name) { return !QStandardPaths::findExecutable(name).isEmpty(); });
    if (call && QProcess::startDetached(call->program, call->arguments))
        return true;
    return QDesktopServices::openUrl(QUrl(QStringLiteral("man:timedatectl(1)")));
}

} // namespace platform
