#pragma once

#include "platform/WholeFile.h"

#include <QString>

namespace platform {

// A file the program reads and later rewrites whole (settings, events, time servers, the zone
// clock's looks). One rule holds for every one of them: a file that is there but was not read
// (unreadable, too large, not a regular file, or not understood by its reader) is never written
// over, since it may hold what the user wants back.
class DataFile
{
public:
    DataFile(QString path, qint64 maxSize);

    // Reads the file whole; a file that is not there reads as empty and may be written.
    ReadResult read();
    // The reader could not make sense of what was read: the file is left as it is from now on.
    void markNotUnderstood(const QString& why);

    // Writes the whole file, unless it was there and not read, or the bytes are more than this
    // file's reader takes; then nothing is written and the failure says why.
    SaveResult save(const QByteArray& bytes) const;

    bool mayWrite() const { return m_notRead.isEmpty(); }
    // Why the file that is there was not read; empty when it was, or when there was none.
    const QString& notReadBecause() const { return m_notRead; }
    const QString& path() const { return m_path; }
    qint64 maxSize() const { return m_maxSize; }

private:
    QString m_path;
    qint64 m_maxSize;
    QString m_notRead;
};

} // namespace platform
