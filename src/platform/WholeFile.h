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

// Every data file of the program is written through here. The bytes go to a new file beside the
// old one, are checked written and synced to the disk, and only then take the old one's name;
// on any failure (a full disk, a read-only folder, an I/O error) the old file stays whole and the
// new one is removed. A file reached through a symbolic link is replaced where the link points.
// An existing file keeps its permissions.
SaveResult saveWholeFile(const QString& path, const QByteArray& bytes);

} // namespace platform
