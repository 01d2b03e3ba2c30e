#include "platform/Shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

#include <memory>

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

// An opener still at work after this long has opened the file and waits for the application it
// started (a plain desktop's xdg-open does): how that application ends is no failure to open.
constexpr qint64 kOpenerVerdictMs = 30000;

// Runs the desktop's opener in the background and tells `failed` if it ends in failure, with the
// last line it wrote on its error output. An opener that still runs when the clock ends is left
// to finish rather than killed, so the process is not owned by anything that ends with the clock.
void runOpener(const QString& program, const QStringList& arguments, RunFailed failed)
{
    auto* opener = new QProcess;
    opener->setProgram(program);
    opener->setArguments(arguments);
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    auto lastLine = std::make_shared<QString>();
    const auto readErrors = [opener, lastLine] {
        for (const QByteArray& line : opener->readAllStandardError().split('\n'))
            if (!line.trimmed().isEmpty())
                *lastLine = QString::fromLocal8Bit(line.trimmed()).left(500);
    };
    QElapsedTimer since;
    since.start();
    QObject::connect(opener, &QProcess::readyReadStandardError, opener, readErrors);
    QObject::connect(
        opener, &QProcess::finished, opener,
        [opener, lastLine, readErrors, since, failed](int code, QProcess::ExitStatus status) {
            opener->deleteLater();
            if ((status == QProcess::NormalExit && code == 0) || since.elapsed() > kOpenerVerdictMs)
                return;
            readErrors();
            failed({RunFailure::Failed, !lastLine->isEmpty() ? *lastLine
                                                             : QFileInfo(opener->program()).fileName() +
                                                                   QStringLiteral(" ended with status ") +
                                                                   QString::number(code)});
        });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         opener->deleteLater();
                         failed({RunFailure::Failed, opener->errorString()});
                     });
    opener->start();
}

} // namespace

bool DesktopShell::looksLikeProgram(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(4);
    return start.startsWith("#!") || start == QByteArray("\x7f"
                                                         "ELF");
}

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

void DesktopShell::runFile(const QString& file, const QString& workingFolder, int, RunFailed failed)
{
    const QUrl url(file, QUrl::StrictMode);
    if (url.isValid() && url.scheme().size() > 1 && !url.isLocalFile() && !QFileInfo::exists(file)) {
        if (!QDesktopServices::openUrl(url)) // a page or a mail address
            failed({RunFailure::Failed, {}});
        return;
    }
    const QString path = locate(file, workingFolder);
    if (path.isEmpty())
        return failed({RunFailure::NotFound, {}});
    const QFileInfo info(path);
    if (info.isFile() && info.isExecutable()) {
        QProcess program;
        program.setProgram(path);
        program.setWorkingDirectory(workingFolder.isEmpty() ? info.absolutePath() : workingFolder);
        if (!program.startDetached())
            failed({RunFailure::Failed, program.errorString()});
        return;
    }
    if (info.isFile() && looksLikeProgram(path))
        return failed({RunFailure::NotExecutable, {}}); // opened, it would show as text
    const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
    if (info.suffix() == QLatin1String("desktop") && !gio.isEmpty())
        return runOpener(gio, {QStringLiteral("launch"), path}, std::move(failed));
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty())
        return runOpener(xdgOpen, {path}, std::move(failed));
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        failed({RunFailure::Failed, {}});
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
