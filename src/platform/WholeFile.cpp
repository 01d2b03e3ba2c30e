#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString systemError(int code)
{
    return qt_error_string(code);
}

// The file a save replaces: the end of a chain of symbolic links, so the link itself survives.
QString replacedFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// A new file beside the target that no one else has, or -1 with errno set.
int createTemporary(const QByteArray& target, QByteArray& name)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = target + ".tmp-" + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC; // a device that takes nothing more is full
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// The rename itself lives in the folder's entry; syncing the folder makes it last a power cut.
void syncFolderOf(const QString& file)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

ReadResult readWholeFile(const QString& path, qint64 maxSize)
{
    ReadResult result;
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (path.isEmpty() || ::stat(name.constData(), &st) != 0) {
        result.status = (path.isEmpty() || errno == ENOENT || errno == ENOTDIR) ? ReadResult::Missing
                                                                                : ReadResult::Unreadable;
        result.error = path.isEmpty() ? QString() : systemError(errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = ReadResult::NotRegular;
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    // Non-blocking, so that whatever took the file's place since the look above cannot hold the
    // open; what was opened is looked at again.
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        result.status = ReadResult::Unreadable;
        result.error = systemError(errno);
        return result;
    }
    const auto finish = [&](ReadResult::Status status, QString why) {
        ::close(fd);
        result.status = status;
        result.error = std::move(why);
        if (status != ReadResult::Read)
            result.bytes.clear();
        return std::move(result);
    };
    if (::fstat(fd, &st) != 0)
        return finish(ReadResult::Unreadable, systemError(errno));
    if (!S_ISREG(st.st_mode))
        return finish(ReadResult::NotRegular, QStringLiteral("not a regular file"));
    const QString tooLarge = QStringLiteral("larger than %1 bytes").arg(maxSize);
    if (st.st_size > maxSize)
        return finish(ReadResult::TooLarge, tooLarge);
    // The file may change while it is read: reading one byte past the limit tells.
    const qsizetype limit = qsizetype(maxSize) + 1;
    result.bytes.resize(std::min<qsizetype>(qsizetype(st.st_size) + 1, limit));
    qsizetype done = 0;
    for (;;) {
        if (done == result.bytes.size()) {
            if (done >= limit)
                break;
            result.bytes.resize(std::min<qsizetype>(done + 65536, limit));
        }
        const ssize_t n = ::read(fd, result.bytes.data() + done, size_t(result.bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return finish(ReadResult::Unreadable, systemError(errno));
        if (n == 0)
            break;
        done += n;
    }
    result.bytes.truncate(done);
    if (done > maxSize)
        return finish(ReadResult::TooLarge, tooLarge);
    return finish(ReadResult::Read, {});
}

SaveResult saveWholeFile(const QString& path, const QByteArray& bytes)
{
    const QString target = replacedFile(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old = {};
    const bool replacing = ::stat(targetName.constData(), &old) == 0;

    QByteArray temporary;
    int fd = createTemporary(targetName, temporary);
    if (fd < 0)
        return SaveResult::failure(systemError(errno));

    const auto fail = [&](int code) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        return SaveResult::failure(systemError(code));
    };
    if (replacing && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0)
        return fail(errno);
    if (!writeAll(fd, bytes))
        return fail(errno);
    // Space on some file systems is only claimed when the data reaches the disk: a full disk may
    // show itself here, not in write().
    if (::fsync(fd) != 0)
        return fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return fail(errno);
    if (::rename(temporary.constData(), targetName.constData()) != 0)
        return fail(errno);
    syncFolderOf(target);
    return SaveResult::success();
}

} // namespace platform
