#include "platform/DataFile.h"

#include <QDir>
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
    if (!mayWrite())
        return SaveResult::failure(m_path + QStringLiteral(" was not read (") + m_notRead +
                                   QStringLiteral("), so it is left as it was"));
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    SaveResult result = saveWholeFile(m_path, bytes);
    if (!result)
        result.error = m_path + QStringLiteral(": ") + result.error;
    return result;
}

} // namespace platform
