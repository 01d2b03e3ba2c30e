#pragma once

#include <QIcon>
#include <QUrl>

namespace platform {

// The desktop's own handling of documents, pages and mail addresses.
class Shell
{
public:
    virtual ~Shell() = default;
    // Opens a file, a web page or a mail address with the desktop's default application.
    virtual bool openUrl(const QUrl& url) = 0;
    // The picture the desktop shows for an existing file: a launcher's own icon, else its kind's
    // icon from the icon theme. Null for a file that does not exist.
    virtual QIcon associatedIcon(const QString& path) = 0;
};

class DesktopShell final : public Shell
{
public:
    bool openUrl(const QUrl& url) override;
    QIcon associatedIcon(const QString& path) override;
};

} // namespace platform
