#pragma once

#include <QIcon>
#include <QString>
#include <QUrl>

namespace platform {

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
    // be of any length. Whether it started is the answer; what the program does later is not.
    virtual bool runFile(const QString& file, const QString& workingFolder, int show) = 0;
    // The picture the desktop shows for an existing file: a launcher's own icon, else its kind's
    // icon from the icon theme. Null for a file that does not exist.
    virtual QIcon associatedIcon(const QString& path) = 0;
};

// The desktop through Qt. No Linux desktop lets the one who starts a program choose how its
// first window shows, so the show command goes no further than here.
class DesktopShell final : public Shell
{
public:
    bool openUrl(const QUrl& url) override;
    bool runFile(const QString& file, const QString& workingFolder, int show) override;
    QIcon associatedIcon(const QString& path) override;

    // The file that `file` names for the desktop, or nothing: absolute, in the working folder, or
    // (a bare name only) a program along the PATH.
    static QString locate(const QString& file, const QString& workingFolder);
};

} // namespace platform
