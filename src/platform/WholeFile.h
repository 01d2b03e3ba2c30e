#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// What became of a save: `error` says why it failed, in the system's words, and `file` which
// file failed.
struct SaveResult
{
    bool ok = false;
    QString error;
    QString file;

    explicit operator bool() const { return ok; }
    static SaveResult success() { return {true, {}, {}}; }
    static SaveResult failure(QString why, QString file = {})
    {
        return {false, std::move(why), std::move(file)};
    }
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
// new one is removed. A file reached through the user's own symbolic link is replaced where the
// link points; a link of another user is neither followed nor replaced, for reading neither. An
// existing file keeps its permissions. An empty path (no safe folder for the file) fails.
SaveResult saveWholeFile(const QString& path, const QByteArray& bytes);

// Removes the temporary files that saves of `path` left when their run was killed: only files of
// the saves' own naming beside the file, made by this user. Run at start, while no save of this
// user can be under way (one clock runs per user). Returns how many went.
int removeLeftoverTemporaries(const QString& path);

} // namespace platform
