#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace fakes {

// A tmpfs of a few pages mounted on a temporary folder, to see what the program does when the
// disk fills up. Mounting needs root (CI runs as root); `skipReason()` says why there is none.
class TinyDisk final
{
public:
    explicit TinyDisk(int kilobytes = 64);
    ~TinyDisk();
    TinyDisk(const TinyDisk&) = delete;
    TinyDisk& operator=(const TinyDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString skipReason() const { return m_reason; }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    // Takes every byte that is left with a file of its own.
    void fill();
    // The folder's entries, sorted.
    QStringList entries() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QString m_reason;
};

} // namespace fakes
