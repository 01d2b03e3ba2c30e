#pragma once

#include <QUrl>

namespace platform {

// The desktop's own handling of documents, pages and mail addresses.
class Shell
{
public:
    virtual ~Shell() = default;
    // Opens a file, a web page or a mail address with the desktop's default application.
    virtual bool openUrl(const QUrl& url) = 0;
};

class DesktopShell final : public Shell
{
public:
    bool openUrl(const QUrl& url) override;
};

} // namespace platform
