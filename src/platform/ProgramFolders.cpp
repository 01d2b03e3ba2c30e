#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace platform {

ProgramFolders ProgramFolders::forProgramFile(const QString& programFile)
{
    const QFileInfo info(programFile);
    ProgramFolders f;
    f.ProgramFile = info.absoluteFilePath();
    f.ProgramFolder = info.absolutePath() + u'/';
    f.ClocksFolder = f.ProgramFolder + QStringLiteral("Clocks/");
    f.SoundsFolder = f.ProgramFolder + QStringLiteral("Sounds/");
    f.LangFolder = f.ProgramFolder + QStringLiteral("Lang/");
    return f;
}

ProgramFolders ProgramFolders::ofRunningProgram()
{
    return forProgramFile(QCoreApplication::applicationFilePath());
}

QString ProgramFolders::firstRunMarker() const
{
    const QFileInfo info(ProgramFile);
    return ProgramFolder + info.completeBaseName() + QStringLiteral(".vsk");
}

} // namespace platform
