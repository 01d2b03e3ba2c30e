#pragma once

#include <QString>

namespace platform {

// What a folder of the user's is for: the one-instance lock, or the files the user changes.
enum class FolderUse
{
    Lock,
    Data,
};

// Why `folder` may not be used for `use`, or empty when it may. A folder someone else planted
// would let them hold the lock, or read and replace the user's files, so only the user's own are
// used: for the lock a real folder no one else may enter (mode 0700); for data a folder, or the
// user's own link to one, that no one else may write into.
QString whyFolderIsUnsafe(const QString& folder, FolderUse use);

// Makes a missing folder, the last part of it for the user alone; true when the folder is there.
bool makePrivateFolder(const QString& folder);

} // namespace platform
