#pragma once

#include "platform/MediaPlayer.h"
#include "platform/Platform.h"
#include "support/FakeCharacterService.h"

#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <utility>
#include <vector>

namespace fakes {

class FakeClock final : public platform::Clock
{
public:
    mutable QDateTime current = QDateTime(QDate(2026, 3, 2), QTime(14, 0, 0)); // a Monday
    // How far the clock moves on each time it is read, as a real one does while the program works.
    int msPerRead = 0;
    QDateTime now() const override
    {
        const QDateTime read = current;
        current = current.addMSecs(msPerRead);
        return read;
    }
    void set(const QTime& t) { current.setTime(t); }
    void advance(int seconds) { current = current.addSecs(seconds); }
};

class FakeScreen final : public platform::ScreenInfo
{
public:
    QSize size{1024, 768};
    QSize primaryScreenSize() const override { return size; }
};

// Settings in memory, with every write remembered in order.
class MemorySettingsStore final : public platform::SettingsStore
{
public:
    struct Write
    {
        QString section, name, value;
    };
    std::map<std::pair<QString, QString>, QString> values;
    std::vector<Write> writes;
    int syncs = 0;

    std::optional<QString> read(const QString& section, const QString& name) const override;
    void write(const QString& section, const QString& name, const QString& value) override;
    platform::SaveResult syncResult = platform::SaveResult::success();
    platform::SaveResult sync() override
    {
        ++syncs;
        return syncResult;
    }
    void set(const QString& section, const QString& name, const QString& value)
    {
        values[{section, name}] = value;
    }
    QString stored(const QString& section, const QString& name) const
    {
        return read(section, name).value_or("(none)");
    }
};

class RecordingMessageBoxes final : public platform::MessageBoxes
{
public:
    QStringList errors, warnings, informations, questions;
    QStringList titles;
    int shownWithoutWaiting = 0; // boxes of showInformation(), noted in titles and informations too
    Answer answer = Answer::Yes;
    std::function<void()> whileShowing; // runs "inside" a box, as the event loop would

    void error(const QString& text) override;
    void warning(const QString& text) override;
    void information(const QString& title, const QString& text) override;
    Answer question(const QString& text, bool withCancel) override;
    // Noted like information(), but nothing runs "inside" it: it does not wait.
    void showInformation(const QString& title, const QString& text) override
    {
        titles << title;
        informations << text;
        ++shownWithoutWaiting;
    }
    // Noted as a box that does not wait; `remindLater(i)` answers the last with its i-th choice.
    QStringList laterChoices;
    std::function<void(int)> remindLater;
    void showReminder(const QString& title, const QString& text, const QStringList& choices,
                      std::function<void(int)> later) override
    {
        showInformation(title, text);
        laterChoices = choices;
        remindLater = std::move(later);
    }
};

class FakeAutostart final : public platform::Autostart
{
public:
    bool on = false;
    bool isRunAtStartup() const override { return on; }
    bool setRunAtStartup(bool value) override
    {
        on = value;
        return true;
    }
};

class RecordingShell final : public platform::Shell
{
public:
    struct Run
    {
        QString file, workingFolder;
        int show;
        bool operator==(const Run&) const = default;
    };
    QList<QUrl> opened;
    std::vector<Run> runs;
    std::optional<platform::RunFailure> failure; // what goes wrong when a file is run, if anything
    bool openerFailsLater = false;               // the failure comes later, from failOpener()
    bool opens = true;                           // false: the desktop has nothing to open it with
    bool showCommands = false;                   // whether started windows can show minimized
    QStringList iconsAsked;
    bool openUrl(const QUrl& url) override
    {
        opened << url;
        return opens;
    }
    void runFile(const QString& file, const QString& workingFolder, int show,
                 platform::RunFailed failed) override
    {
        runs.push_back({file, workingFolder, show});
        if (failure && openerFailsLater)
            m_failLater = [failed, why = *failure] { failed(why); };
        else if (failure)
            failed(*failure);
    }
    // The desktop's opener of the last file run gives up.
    void failOpener() { std::exchange(m_failLater, nullptr)(); }
    bool honoursShowCommand() const override { return showCommands; }
    // A plain picture for every existing file, so a test sees whether one was shown.
    QIcon associatedIcon(const QString& path) override;

private:
    std::function<void()> m_failLater;
};

// Notes what it was asked to play; a test makes a file fail as the media framework would.
class RecordingMediaPlayer final : public platform::MediaPlayer
{
public:
    QStringList played;
    int closes = 0;
    QString playing;
    void play(const QString& path, std::function<void(const QString&)> failed) override
    {
        close();
        played << path;
        playing = path;
        m_failed = std::move(failed);
    }
    void close() override
    {
        if (!playing.isEmpty())
            ++closes;
        playing.clear();
        m_failed = nullptr;
    }
    void failPlaying(const QString& reason)
    {
        if (auto failed = std::exchange(m_failed, nullptr))
            failed(reason);
    }

private:
    std::function<void(const QString&)> m_failed;
};

class FakeNotificationArea final : public platform::NotificationArea
{
public:
    bool available = true;
    bool isAvailable() const override { return available; }
    void setAvailable(bool now)
    {
        available = now;
        emit availabilityChanged();
    }
};

// Answers the file and colour dialogs with what the test put in, and notes each question.
class ScriptedDialogs final : public platform::CommonDialogs
{
public:
    std::optional<QString> nextFile;
    std::optional<QColor> nextColor;
    QStringList fileQuestions; // "folder|preset|filter", and "|selected filter" when one was chosen
    QStringList fileTitles;
    int colorQuestions = 0;

    std::optional<QString> openFile(QWidget*, const QString&, const QString& folder, const QString& preset,
                                    const QString& filter) override
    {
        fileQuestions << folder + "|" + preset + "|" + filter;
        return std::exchange(nextFile, std::nullopt);
    }
    std::optional<QString> openFileFiltered(QWidget*, const QString& title, const QString& folder,
                                            const QString& filter, const QString& selectedFilter) override
    {
        fileTitles << title;
        fileQuestions << folder + "||" + filter + "|" + selectedFilter;
        return std::exchange(nextFile, std::nullopt);
    }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override
    {
        ++colorQuestions;
        return std::exchange(nextColor, std::nullopt);
    }
};

// Sets the fake clock as the system would, or refuses as told; every time asked for is noted.
class FakeClockSetter final : public platform::ClockSetter
{
public:
    explicit FakeClockSetter(FakeClock& clock) : m_clock(clock) {}
    Result answer = Result::Set;
    QList<QDateTime> asked;
    Result setLocalTime(const QDateTime& localTime) override
    {
        asked << localTime;
        if (answer == Result::Set)
            m_clock.current = localTime;
        return answer;
    }

private:
    FakeClock& m_clock;
};

class FakeNetwork final : public platform::NetworkReachability
{
public:
    bool connected = true;
    bool isConnected() const override { return connected; }
};

class RecordingDateTimeSettings final : public platform::DateTimeSettings
{
public:
    int opened = 0;
    void open() override { ++opened; }
};

// The system's zone database, with Berlin as the machine's own zone.
class BerlinTimeZones final : public platform::TimeZoneSource
{
public:
    QList<QByteArray> windowsIds() const override { return m_real.windowsIds(); }
    QList<QByteArray> memberZones(const QByteArray& id) const override { return m_real.memberZones(id); }
    QByteArray defaultZone(const QByteArray& id) const override { return m_real.defaultZone(id); }
    QTimeZone zone(const QByteArray& id) const override { return m_real.zone(id); }
    QTimeZone systemZone() const override { return QTimeZone("Europe/Berlin"); }

private:
    platform::QtTimeZoneSource m_real;
};

// A complete fake desktop: a Monday at 14:00:00, a 1024 x 768 screen, empty settings, US English
// formats, message boxes that only take notes, and a temporary program folder.
class FakePlatform
{
public:
    FakePlatform();

    FakeClock clock;
    FakeScreen screen;
    MemorySettingsStore settings;
    core::LocaleFormats locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    RecordingMessageBoxes messages;
    FakeAutostart autostart;
    RecordingShell shell;
    RecordingMediaPlayer media;
    FakeNotificationArea notificationArea;
    ScriptedDialogs dialogs;
    BerlinTimeZones timeZones;
    QTemporaryDir programDir;
    platform::ProgramFolders folders;
    FakeClockSetter clockSetter{clock};
    FakeNetwork network;
    RecordingDateTimeSettings dateTimeSettings;
    FakeCharacterService characters;
    QStringList told; // what the user was told of files, once each
    platform::FileNotices fileNotices{[this](const QString& text) { told << text; }};

    // The fakes, with `settingsStore` in place of the settings in memory when one is given.
    platform::Platform services(platform::SettingsStore* settingsStore = nullptr);
    QString programPath(const QString& relative) const { return folders.ProgramFolder + relative; }
    // Puts a shipped clock picture of the build into the temporary program folder.
    void installShippedPicture(const QString& name);
};

} // namespace fakes
