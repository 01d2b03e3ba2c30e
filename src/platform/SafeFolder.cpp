#include "platform/SafeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

QString whyFolderIsUnsafe(const QString& folder, FolderUse use)
{
    const QByteArray name = QFile::encodeName(QDir::cleanPath(folder));
    const uid_t me = ::getuid();
    struct stat st = {};
    if (::lstat(name.constData(), &st) != 0)
        return qt_error_string(errno);
    if (S_ISLNK(st.st_mode)) {
        if (use == FolderUse::Lock)
            return QStringLiteral("it is a symbolic link");
        if (st.st_uid != me && st.st_uid != 0) // root may write anywhere anyway
            return QStringLiteral("it is a symbolic link of another user");
        if (::stat(name.constData(), &st) != 0)
            return qt_error_string(errno);
    }
    if (!S_ISDIR(st.st_mode))
        return QStringLiteral("it is not a folder");
    if (st.st_uid != me)
        return QStringLiteral("it belongs to another user");
    const mode_t mode = st.st_mode & 07777;
    if (use == FolderUse::Lock && (mode & 077) != 0)
        return QStringLiteral("others may enter it (mode %1, not 0700)").arg(mode, 4, 8, QChar(u'0'));
    if (use == FolderUse::Data && (mode & 022) != 0)
        return QStringLiteral("others may write into it (mode %1)").arg(mode, 4, 8, QChar(u'0'));
    return {};
}

bool makePrivateFolder(const QString& folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (QFileInfo(clean).isDir())
        return true;
    QDir().mkpath(QFileInfo(clean).absolutePath());
    return ::mkdir(QFile::encodeName(clean).constData(), 0700) == 0 || errno == EEXIST;
}

} // namespace platform
