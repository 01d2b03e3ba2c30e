#pragma once

#include <QString>

namespace platform {

// The program's own folder and its data folders, each ending in a separator. Data files
// (events, servers, zone clock looks) live in the program folder; tests point it at a
// temporary folder.
struct ProgramFolders
{
    QString ProgramFile; // full path of the executable
    QString ProgramFolder;
    QString ClocksFolder;
    QString SoundsFolder;
    QString LangFolder;

    static ProgramFolders forProgramFile(const QString& programFile);
    static ProgramFolders ofRunningProgram();

    // The program's file name with ".vsk" in place of its extension, beside it.
    QString firstRunMarker() const;
};

} // namespace platform
