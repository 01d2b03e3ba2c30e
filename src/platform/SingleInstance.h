#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// One running copy per user: an exclusive lock on a file in the user's runtime folder. The
// system drops the lock when the process ends, however it ends, so a crash never blocks a restart.
// Where that folder cannot hold the lock (read-only, missing, or not safe: a symbolic link, or not
// the user's own with mode 0700), the next folder of the list does: every copy goes down the same
// list, so two copies never lock in different places.
class SingleInstance final
{
public:
    SingleInstance(const QString& name, const QString& folder);
    explicit SingleInstance(const QString& name, QStringList folders = lockFolders());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another process (or another SingleInstance) already holds the name. When no
    // folder can hold a lock at all, the clock runs anyway and says so on stderr.
    bool acquire();

    // The folder that holds the lock; empty before acquire() or when none could.
    const QString& lockFolder() const { return m_lockFolder; }

    // The user's runtime folder, then their cache folder, then a folder of their own in /tmp.
    static QStringList lockFolders();

private:
    QString m_name;
    QStringList m_folders;
    QString m_lockFolder;
    int m_fd = -1;
};

} // namespace platform
