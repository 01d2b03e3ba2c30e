#pragma once

#include <QString>
#include <functional>

namespace platform {

// The program's own folders, each ending in a separator.
//
// `ProgramFolder` holds what the program ships (pictures, sounds, languages, characters, the
// manual): beside the executable in a build folder, `../share/veskel/` from the executable once
// installed. The files the user changes (Events.dta, NTPServers.dta, tzclkset.dta and the
// first-run marker) live in `UserDataFolder`. An installed program keeps them in the user's own
// data folder, whoever runs it (root too: a shared folder is every user's, and a package update
// replaces it); the folder is seeded from the shipped copies the first time. A build folder keeps
// them beside the program when the user may write there and no one else may. Tests point both at
// a temporary folder.
struct ProgramFolders
{
    QString ProgramFile; // full path of the executable
    QString ProgramFolder;
    QString ClocksFolder;
    QString SoundsFolder;
    QString LangFolder;
    QString CharsFolder;
    // The program's plugins (sound and video, the desktop character): beside the executable in
    // a build folder, `../lib/veskel/` from the executable once installed.
    QString PluginFolder;
    QString UserDataFolder; // empty when no folder is safe for the user's files
    // Why the user's files are not where they would be (someone else's folder, one others may
    // write into); empty when they are.
    QString DataFolderNote;

    // Everything in one folder: the build folder's layout, and the tests'.
    static ProgramFolders forProgramFile(const QString& programFile);
    // The running program's folders: shipped data found beside it or in ../share/veskel/; the
    // user's files beside a build folder's program, else in `userDataHome` + "Veskel/".
    static ProgramFolders ofRunningProgram();
    // `canWriteIn` tells whether files can be made in a build folder (tests stand in for it: root
    // writes everywhere).
    static ProgramFolders locate(const QString& programFile, const QString& userDataHome,
                                 const std::function<bool(const QString&)>& canWriteIn);
    static bool canWriteIn(const QString& folder);

    // Where the data file `name` is read and written. In a user data folder apart from the
    // program's, the folder is made the first time and seeded with the shipped data files. Empty
    // when no folder is safe for it.
    QString dataFile(const QString& name) const;

    // The program's file name with ".vsk" in place of its extension, among the user's files.
    QString firstRunMarker() const;

    // The shipped files a new user data folder is seeded with.
    static const QStringList& seededFiles();
};

// Where shipped data lives, seen from the executable's folder (pure: the caller looks).
enum class DataLayout
{
    BesideProgram, // a build folder, or data copied next to the program
    Installed,     // bin/ with share/veskel/ beside it
};
DataLayout chooseDataLayout(bool dataBesideProgram, bool installedDataExists);

} // namespace platform
