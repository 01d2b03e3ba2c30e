#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// What became of a save: `error` says why it failed, in the system's words.
struct SaveResult
{
    bool ok = false;
    QString error;

    explicit operator bool() const { return ok; }
    static SaveResult success() { return {true, {}}; }
    static SaveResult failure(QString why) { return {false, std::move(why)}; }
};

// What became of reading a file: `bytes` holds it all when `status` is Read.
struct ReadResult
{
    enum Status
    {
        Read,
        Missing,    // nothing of that name
        NotRegular, // a folder, a named pipe, a device: never opened, so never waited on
        TooLarge,   // larger than the reader takes
        Unreadable, // there, but it could not be read
    };
    Status status = Missing;
    QByteArray bytes;
    QString error; // why it was not read, in the system's words where it has some

    bool wasRead() const { return status == Read; }
    bool exists() const { return status != Missing; }
};

// Reads a whole regular file of at most `maxSize` bytes. Anything else is refused without
// waiting: a named pipe or device in a file's place would block a plain open for ever.
ReadResult readWholeFile(const QString& path, qint64 maxSize);

// Every data file of the program is written through here. The bytes go to a new file beside the
// old one, are checked written and synced to the disk, and only then take the old one's name;
// on any failure (a full disk, a read-only folder, an I/O error) the old file stays whole and the
// new one is removed. A file reached through a symbolic link is replaced where the link points.
// An existing file keeps its permissions.
SaveResult saveWholeFile(const QString& path, const QByteArray& bytes);

} // namespace platform
