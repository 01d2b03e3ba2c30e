#pragma once

#include <QString>
#include <QStringList>

namespace character {

// Where a load key names a character file: an absolute path as it is, else the first of
// `folders` that has the file, in any letter case; empty when none has it.
QString findCharacterFile(const QStringList& folders, const QString& loadKey);

} // namespace character
