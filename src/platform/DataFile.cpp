#include "platform/DataFile.h"

#include "platform/SafeFolder.h"

#include <QFileInfo>

namespace platform {

DataFile::DataFile(QString path, qint64 maxSize) : m_path(std::move(path)), m_maxSize(maxSize) {}

ReadResult DataFile::read()
{
    ReadResult file = readWholeFile(m_path, m_maxSize);
    m_notRead = file.exists() && !file.wasRead() ? file.error : QString();
    return file;
}

void DataFile::markNotUnderstood(const QString& why)
{
    m_notRead = why;
}

SaveResult DataFile::save(const QByteArray& bytes) const
{
    // Once the user has taken the file away, nothing is left to lose.
    if (!mayWrite() && (QFileInfo(m_path).exists() || QFileInfo(m_path).isSymLink()))
        return SaveResult::failure(
            QStringLiteral("it was not read (%1), so the clock leaves it as it is").arg(m_notRead), m_path);
    // The limit keeps out foreign files, never the clock's own: what it writes must read back.
    if (bytes.size() > m_maxSize)
        return SaveResult::failure(
            QStringLiteral("it would grow to %1 bytes, more than the clock reads back (%2), so the "
                           "clock leaves it as it is")
                .arg(bytes.size())
                .arg(m_maxSize),
            m_path);
    makePrivateFolder(QFileInfo(m_path).absolutePath());
    return saveWholeFile(m_path, bytes);
}

} // namespace platform
