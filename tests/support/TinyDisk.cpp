#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace fakes {

TinyDisk::TinyDisk(int kilobytes)
{
    if (::geteuid() != 0) {
        m_reason = QStringLiteral("mounting a tiny tmpfs needs root");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    const QByteArray where = QFile::encodeName(m_dir.path());
    if (::mount("tmpfs", where.constData(), "tmpfs", 0, options.constData()) != 0) {
        m_reason = QStringLiteral("cannot mount a tmpfs here: ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        return;
    }
    m_mounted = true;
}

TinyDisk::~TinyDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void TinyDisk::fill()
{
    const int fd = ::open(QFile::encodeName(filePath("filler")).constData(), O_WRONLY | O_CREAT | O_CLOEXEC,
                          0600);
    if (fd < 0)
        return;
    const QByteArray block(512, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    ::close(fd);
}

QStringList TinyDisk::entries() const
{
    return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

} // namespace fakes
