#include "platform/ProgramFolders.h"

#include "platform/SafeFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace platform {

namespace {

QString withSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

void fillShippedFolders(ProgramFolders& f, const QString& programFolder)
{
    f.ProgramFolder = withSeparator(programFolder);
    f.ClocksFolder = f.ProgramFolder + QStringLiteral("Clocks/");
    f.SoundsFolder = f.ProgramFolder + QStringLiteral("Sounds/");
    f.LangFolder = f.ProgramFolder + QStringLiteral("Lang/");
    f.CharsFolder = f.ProgramFolder + QStringLiteral("chars/");
}

} // namespace

// The folder's mode bits do not tell for read-only mounts or ACLs, so we try.
bool ProgramFolders::canWriteIn(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(folder + QStringLiteral(".veskel-write-probe-XXXXXX"));
    return probe.open();
}

DataLayout chooseDataLayout(bool dataBesideProgram, bool installedDataExists)
{
    return !dataBesideProgram && installedDataExists ? DataLayout::Installed : DataLayout::BesideProgram;
}

const QStringList& ProgramFolders::seededFiles()
{
    static const QStringList files{QStringLiteral("Events.dta"), QStringLiteral("NTPServers.dta"),
                                   QStringLiteral("tzclkset.dta"), QStringLiteral("veskel.vsk")};
    return files;
}

ProgramFolders ProgramFolders::forProgramFile(const QString& programFile)
{
    const QFileInfo info(programFile);
    ProgramFolders f;
    f.ProgramFile = info.absoluteFilePath();
    fillShippedFolders(f, info.absolutePath());
    f.PluginFolder = f.ProgramFolder;
    f.UserDataFolder = f.ProgramFolder;
    return f;
}

ProgramFolders ProgramFolders::locate(const QString& programFile, const QString& userDataHome,
                                      const std::function<bool(const QString&)>& canWriteIn)
{
    const QFileInfo info(programFile);
    const QString beside = withSeparator(info.absolutePath());
    const QString installed = QDir::cleanPath(beside + QStringLiteral("../share/veskel")) + u'/';
    const bool dataBeside = QFileInfo(beside + QStringLiteral("Clocks")).isDir();
    const bool dataInstalled = QFileInfo(installed + QStringLiteral("Clocks")).isDir();

    ProgramFolders f;
    f.ProgramFile = info.absoluteFilePath();
    const bool isInstalled = chooseDataLayout(dataBeside, dataInstalled) == DataLayout::Installed;
    fillShippedFolders(f, isInstalled ? installed : beside);
    f.PluginFolder = isInstalled ? QDir::cleanPath(beside + QStringLiteral("../lib/veskel")) + u'/' : beside;
    if (!isInstalled && canWriteIn(f.ProgramFolder)) {
        const QString why = whyFolderIsUnsafe(f.ProgramFolder, FolderUse::Data);
        if (why.isEmpty()) {
            f.UserDataFolder = f.ProgramFolder;
            return f;
        }
        f.DataFolderNote = QStringLiteral("%1 is not used for your files: %2").arg(f.ProgramFolder, why);
    }
    f.UserDataFolder = withSeparator(userDataHome) + QStringLiteral("Veskel/");
    if (const QFileInfo user(QDir::cleanPath(f.UserDataFolder)); user.exists() || user.isSymLink()) {
        if (const QString why = whyFolderIsUnsafe(f.UserDataFolder, FolderUse::Data); !why.isEmpty()) {
            f.DataFolderNote +=
                (f.DataFolderNote.isEmpty() ? QString() : QStringLiteral("; ")) +
                QStringLiteral("%1 is not used for your files: %2").arg(f.UserDataFolder, why);
            f.UserDataFolder.clear();
        }
    }
    return f;
}

ProgramFolders ProgramFolders::ofRunningProgram()
{
    return locate(QCoreApplication::applicationFilePath(),
                  QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation), &canWriteIn);
}

QString ProgramFolders::dataFile(const QString& name) const
{
    if (UserDataFolder.isEmpty())
        return {};
    if (UserDataFolder != ProgramFolder && !QFileInfo::exists(UserDataFolder)) {
        // A new user: the folder is made once, with the shipped copies in it. Later a missing
        // file stays missing (the user deleted it, or the first run is over).
        if (makePrivateFolder(UserDataFolder)) {
            for (const QString& seed : seededFiles())
                if (QFileInfo(ProgramFolder + seed).isFile())
                    QFile::copy(ProgramFolder + seed, UserDataFolder + seed);
        }
    }
    return UserDataFolder + name;
}

QString ProgramFolders::firstRunMarker() const
{
    return dataFile(QFileInfo(ProgramFile).completeBaseName() + QStringLiteral(".vsk"));
}

} // namespace platform
