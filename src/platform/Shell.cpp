#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

namespace platform {

namespace {

// Without a desktop that names its icon theme, Qt looks in "hicolor" alone, which holds no icons
// for kinds of files; a full theme that is installed stands in for it.
void findAThemeOnce()
{
    static const bool done = [] {
        if (!QIcon::themeName().isEmpty() && QIcon::themeName() != QLatin1String("hicolor"))
            return true;
        for (const char* theme : {"Adwaita", "breeze", "oxygen", "gnome"})
            for (const QString& base : QIcon::themeSearchPaths())
                if (QFileInfo::exists(base + u'/' + QLatin1String(theme) + QStringLiteral("/index.theme"))) {
                    QIcon::setFallbackThemeName(QLatin1String(theme));
                    return true;
                }
        return true;
    }();
    (void)done;
}

// The Icon key of a desktop entry: a theme name or a picture's path. Only the first kilobytes
// are read: a launcher is small, and what is dropped on us need not be one.
QString launcherIconName(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    bool inEntry = false;
    for (const QByteArray& raw : file.read(64 * 1024).split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && line.startsWith("Icon="))
            return QString::fromUtf8(line.mid(5)).trimmed();
    }
    return {};
}

} // namespace

bool DesktopShell::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

QIcon DesktopShell::associatedIcon(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    findAThemeOnce();
    if (info.suffix() == QLatin1String("desktop")) {
        const QString name = launcherIconName(path);
        if (QDir::isAbsolutePath(name) && QFileInfo::exists(name))
            return QIcon(name);
        if (!name.isEmpty() && QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    }
    const QMimeType kind = QMimeDatabase().mimeTypeForFile(info);
    for (const QString& name : {kind.iconName(), kind.genericIconName()})
        if (QIcon::hasThemeIcon(name))
            return QIcon::fromTheme(name);
    return QFileIconProvider().icon(info); // the style's own picture of a file or a folder
}

} // namespace platform
