#include "platform/SingleInstance.h"

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

QString SingleInstance::runtimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QDir().mkpath(folder);
    return folder;
}

QStringList SingleInstance::lockFolders()
{
    QStringList folders{runtimeFolder()};
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
    for (const QString& folder : m_folders) {
        QDir().mkpath(folder);
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
        return true;
    }
    // A clock that cannot lock anywhere still starts, rather than not at all.
    sayOnStderr(
        QStringLiteral("no folder could hold the one-instance lock (tried %1); a second clock could start")
            .arg(m_folders.join(QStringLiteral(", "))));
    return true;
}

} // namespace platform
