#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

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

// Links are followed only when they are the user's own (or root's, who may write anywhere anyway):
// a link someone else planted among the user's files would have the clock read, or write, what
// they chose. The end of the chain, or empty with `why` set.
QString followOwnLinks(const QString& path, QString& why)
{
    QString current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st = {};
        if (::lstat(QFile::encodeName(current).constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current; // a missing end is made by the save
        if (st.st_uid != ::getuid() && st.st_uid != 0) {
            why = QStringLiteral("%1 is a symbolic link of another user").arg(current);
            return {};
        }
        const QString target = QFileInfo(current).symLinkTarget();
        if (target.isEmpty())
            break;
        current = target;
    }
    why = systemError(ELOOP);
    return {};
}

// The temporary files of a save are named after the file they replace, so that a run killed while
// saving leaves nothing that cannot be told apart from the user's own files.
const QLatin1String kTemporaryMark(".tmp-");

// A new file beside the target that no one else has, or -1 with errno set.
int createTemporary(const QByteArray& target, QByteArray& name)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = target + kTemporaryMark.data() +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36);
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
    if (path.isEmpty())
        return result;
    const QString file = followOwnLinks(path, result.error);
    if (file.isEmpty()) {
        result.status = ReadResult::Unreadable;
        return result;
    }
    const QByteArray name = QFile::encodeName(file);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0) {
        result.status = errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Unreadable;
        result.error = systemError(errno);
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
    QString refused;
    const QString target = path.isEmpty() ? QString() : followOwnLinks(path, refused);
    if (target.isEmpty())
        return SaveResult::failure(path.isEmpty() ? QStringLiteral("no safe folder to keep it in") : refused,
                                   path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat old = {};
    const bool replacing = ::stat(targetName.constData(), &old) == 0;

    QByteArray temporary;
    int fd = createTemporary(targetName, temporary);
    if (fd < 0)
        return SaveResult::failure(systemError(errno), path);

    const auto fail = [&](int code) {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporary.constData());
        return SaveResult::failure(systemError(code), path);
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

int removeLeftoverTemporaries(const QString& path)
{
    QString refused;
    const QString target = path.isEmpty() ? QString() : followOwnLinks(path, refused);
    if (target.isEmpty())
        return 0;
    const QFileInfo info(target);
    static const QRegularExpression random(QStringLiteral("^[0-9a-z]{1,13}$"));
    const QString prefix = info.fileName() + kTemporaryMark;
    const QDir folder = info.absoluteDir();
    int removed = 0;
    for (const QString& name : folder.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (!random.match(QStringView(name).mid(prefix.size())).hasMatch())
            continue;
        const QByteArray leftover = QFile::encodeName(folder.filePath(name));
        struct stat st = {};
        // Only plain files this user made: a link or someone else's file is not ours to remove.
        if (::lstat(leftover.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::getuid() &&
            ::unlink(leftover.constData()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace platform
