#include "character/CharacterFiles.h"

#include <QDir>
#include <QFileInfo>

namespace character {

QString findCharacterFile(const QStringList& folders, const QString& loadKey)
{
    if (QFileInfo(loadKey).isAbsolute())
        return loadKey;
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(loadKey);
        if (QFileInfo(path).isFile())
            return path;
    }
    // Character names are shown with a capital ("Merlin") whatever the file's letter case, so
    // a name is found in any letter case, the user's folder first, as in the folders' order.
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& entry : dir.entryList(QDir::Files)) {
            if (entry.compare(loadKey, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
        }
    }
    return {};
}

} // namespace character
