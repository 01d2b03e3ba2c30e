#pragma once

#include <QIcon>
#include <QString>
#include <QUrl>
#include <functional>

namespace platform {

// Why a file could not be run or opened.
struct RunFailure
{
    enum Kind
    {
        NotFound,      // nothing of that name, in the folder or along the PATH
        NotExecutable, // a program (a binary or a script) without the right to run
        Failed         // it could not be started, or the desktop's opener gave up: `detail` says why
    } kind = Failed;
    QString detail; // the system's or the opener's own words, when there are any
};
using RunFailed = std::function<void(const RunFailure&)>;

// The desktop's own handling of programs, documents, pages and mail addresses.
class Shell
{
public:
    // How the first window of a started program should show: the values of the show-window
    // commands an event stores.
    enum ShowCommand : int
    {
        ShowMinimized = 2,
        ShowMaximized = 3,
        ShowNormal = 5
    };

    virtual ~Shell() = default;
    // Opens a file, a web page or a mail address with the desktop's default application.
    virtual bool openUrl(const QUrl& url) = 0;
    // Opens a file as a double-click would: a program is started on its own, with no arguments
    // and never through a shell, in `workingFolder`; any other file opens with the desktop's
    // default application for it; a web address opens in the browser. A relative name is looked
    // for in `workingFolder`, and a bare program name that is not there along the PATH. Names may
    // be of any length. `failed` is told once if it goes wrong: while this runs, when the file
    // cannot be found or started, or later, from the event loop, when the desktop's opener ends
    // without having opened it. Nothing waits for the opener; what a started program does later
    // is not told.
    virtual void runFile(const QString& file, const QString& workingFolder, int show, RunFailed failed) = 0;
    // Whether a started program's first window can be asked to show minimized or maximized.
    virtual bool honoursShowCommand() const { return false; }
    // The picture the desktop shows for an existing file: a launcher's own icon, else its kind's
    // icon from the icon theme. Null for a file that does not exist.
    virtual QIcon associatedIcon(const QString& path) = 0;
};

// The desktop through Qt and its own openers: documents through xdg-open, launchers (.desktop
// files) through gio, each waited for in the background so its failure can be told. No Linux
// desktop lets the one who starts a program choose how its first window shows, so the show
// command goes no further than here.
class DesktopShell final : public Shell
{
public:
    bool openUrl(const QUrl& url) override;
    void runFile(const QString& file, const QString& workingFolder, int show, RunFailed failed) override;
    QIcon associatedIcon(const QString& path) override;

    // A binary or a script: what the system would run rather than open.
    static bool looksLikeProgram(const QString& path);

    // The file that `file` names for the desktop, or nothing: absolute, in the working folder, or
    // (a bare name only) a program along the PATH.
    static QString locate(const QString& file, const QString& workingFolder);
};

} // namespace platform
