#include "support/FakePlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>

namespace fakes {

std::optional<QString> MemorySettingsStore::read(const QString& section, const QString& name) const
{
    const auto it = values.find({section, name});
    if (it == values.end())
        return std::nullopt;
    return it->second;
}

void MemorySettingsStore::write(const QString& section, const QString& name, const QString& value)
{
    values[{section, name}] = value;
    writes.push_back({section, name, value});
}

void RecordingMessageBoxes::error(const QString& text)
{
    errors << text;
    if (whileShowing)
        whileShowing();
}

void RecordingMessageBoxes::warning(const QString& text)
{
    warnings << text;
    if (whileShowing)
        whileShowing();
}

void RecordingMessageBoxes::information(const QString& title, const QString& text)
{
    titles << title;
    informations << text;
    if (whileShowing)
        whileShowing();
}

platform::MessageBoxes::Answer RecordingMessageBoxes::question(const QString& text, bool)
{
    questions << text;
    return answer;
}

FakePlatform::FakePlatform()
    : folders(platform::ProgramFolders::forProgramFile(programDir.filePath(QStringLiteral("veskel"))))
{
}

platform::Platform FakePlatform::services(platform::SettingsStore* settingsStore)
{
    return {clock,     screen,           settingsStore ? *settingsStore : settings,
            locale,    messages,         autostart,
            shell,     notificationArea, dialogs,
            timeZones, folders,          clockSetter,
            network,   dateTimeSettings, fileNotices};
}

QIcon RecordingShell::associatedIcon(const QString& path)
{
    iconsAsked << path;
    if (!QFileInfo::exists(path))
        return {};
    QPixmap picture(32, 32);
    picture.fill(Qt::darkCyan);
    return QIcon(picture);
}

void FakePlatform::installShippedPicture(const QString& name)
{
    QDir().mkpath(folders.ClocksFolder);
    QFile::copy(QStringLiteral(VESKEL_PROGRAM_DIR "/Clocks/") + name, folders.ClocksFolder + name);
}

} // namespace fakes
