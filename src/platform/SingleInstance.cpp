#include "platform/SingleInstance.h"

#include "platform/SafeFolder.h"
#include "platform/Stderr.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// The lock file opened in `folder`, or -1. An existing lock file in a folder that has become
// read-only still locks: a lock needs no write access. Someone else's file is not ours to lock.
int openLockFile(const QString& folder, const QString& name)
{
    const QByteArray path = QFile::encodeName(QDir(folder).filePath(name + QStringLiteral(".lock")));
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0 && errno != ENOENT && errno != ENOTDIR && errno != ELOOP)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return -1;
    struct stat st = {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::getuid()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

SingleInstance::SingleInstance(const QString& name, const QString& folder)
    : SingleInstance(name, QStringList{folder})
{
}

SingleInstance::SingleInstance(const QString& name, QStringList folders)
    : m_name(name), m_folders(std::move(folders))
{
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing drops the lock
}

QStringList SingleInstance::lockFolders()
{
    // Qt makes the runtime folder in /tmp when none is set (cron, ssh); empty when it has none.
    QStringList folders;
    if (const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        !runtime.isEmpty())
        folders << runtime;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (!cache.isEmpty())
        folders << cache + QStringLiteral("/Veskel");
    folders << QDir::tempPath() + QStringLiteral("/Veskel-") + QString::number(::getuid());
    return folders;
}

bool SingleInstance::acquire()
{
    if (m_fd >= 0)
        return true;
    QStringList refused;
    for (const QString& folder : m_folders) {
        makePrivateFolder(folder);
        // Checked before the lock file is opened: in a folder someone else made, they could hold
        // the lock, or have the clock make its file where they chose.
        if (const QString why = whyFolderIsUnsafe(folder, FolderUse::Lock); !why.isEmpty()) {
            refused << QStringLiteral("%1 (%2)").arg(folder, why);
            continue;
        }
        const int fd = openLockFile(folder, m_name);
        if (fd < 0)
            continue;
        int rc;
        do
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            const bool heldElsewhere = errno == EWOULDBLOCK;
            ::close(fd);
            if (heldElsewhere)
                return false;
            continue; // a file system without locks
        }
        m_fd = fd;
        m_lockFolder = folder;
        if (!refused.isEmpty())
            sayOnStderr(QStringLiteral("the one-instance lock is in %1; not used: %2")
                            .arg(folder, refused.join(QStringLiteral(", "))));
        return true;
    }
    // A clock that cannot lock anywhere still starts, rather than not at all.
    sayOnStderr(
        QStringLiteral("no folder could hold the one-instance lock (tried %1); a second clock could start")
            .arg(m_folders.join(QStringLiteral(", "))) +
        (refused.isEmpty() ? QString()
                           : QStringLiteral("; passed over: ") + refused.join(QStringLiteral(", "))));
    return true;
}

} // namespace platform
