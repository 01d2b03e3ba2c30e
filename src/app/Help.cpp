#include "app/Help.h"

#include "lang/Translate.h"
#include "platform/Shell.h"

#include <QFileInfo>

namespace app {

namespace {

QString anchorFor(int context)
{
    switch (context) {
    case 290:
        return QStringLiteral("appearance");
    case 410:
        return QStringLiteral("event-details");
    case 530:
        return QStringLiteral("events");
    case 540:
        return QStringLiteral("adjust-time");
    case 1080:
        return QStringLiteral("time-zones-window");
    case 1100:
        return QStringLiteral("agent");
    case 1120:
        return QStringLiteral("time-zones");
    case 1130:
        return QStringLiteral("time-zone-clock");
    case 1140:
        return QStringLiteral("time-zone-clock-properties");
    case 1190:
        return QStringLiteral("languages");
    default:
        return context > 0 ? QStringLiteral("help-%1").arg(context) : QString();
    }
}

} // namespace

QUrl helpUrl(const QString& programFolder, int context)
{
    QString name = Translate(QStringLiteral("veskel.hlp"));
    if (name.endsWith(QStringLiteral(".hlp"), Qt::CaseInsensitive))
        name = name.left(name.size() - 4) + QStringLiteral(".html");
    // Only a file in the program's folder: a language file cannot point anywhere else.
    name = QFileInfo(name).fileName();
    QUrl url = QUrl::fromLocalFile(programFolder + name);
    url.setFragment(anchorFor(context));
    return url;
}

bool openHelp(platform::Shell& shell, const QString& programFolder, int context)
{
    const QUrl url = helpUrl(programFolder, context);
    if (!QFileInfo::exists(url.toLocalFile()))
        return false;
    return shell.openUrl(url);
}

} // namespace app
