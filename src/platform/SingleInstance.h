#pragma once

#include <QString>

namespace platform {

// One running copy per user: an exclusive lock on a file in the user's runtime folder. The
// system drops the lock when the process ends, however it ends, so a crash never blocks a restart.
class SingleInstance final
{
public:
    SingleInstance(const QString& name, const QString& folder = runtimeFolder());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another process (or another SingleInstance) already holds the name.
    bool acquire();

    static QString runtimeFolder();

private:
    QString m_path;
    int m_fd = -1;
};

} // namespace platform
