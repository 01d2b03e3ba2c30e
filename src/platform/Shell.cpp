#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace platform {

bool DesktopShell::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

QString DesktopShell::locate(const QString& file, const QString& workingFolder)
{
    if (file.isEmpty())
        return {};
    const QString inFolder = QDir::isAbsolutePath(file) ? file : QDir(workingFolder).filePath(file);
    if (QFileInfo::exists(inFolder))
        return QDir::cleanPath(inFolder);
    if (QDir::isAbsolutePath(file) || file.contains(u'/'))
        return {};
    return QStandardPaths::findExecutable(file);
}

bool DesktopShell::runFile(const QString& file, const QString& workingFolder, int)
{
    const QUrl url(file, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1 && !url.isLocalFile() && !QFileInfo::exists(file))
        return QDesktopServices::openUrl(url); // a page or a mail address
    const QString path = locate(file, workingFolder);
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable())
        return QProcess::startDetached(path, {},
                                       workingFolder.isEmpty() ? info.absolutePath() : workingFolder);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace platform
