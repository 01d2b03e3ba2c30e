#include "startup/Startup.h"

#include "startup/EndRequest.h"

#include "app/AboutBox.h"
#include "app/Help.h"
#include "app/RunFlags.h"
#include "app/TfrmClock.h"
#include "app/VeskelApplication.h"
#include "character/CharacterPlugin.h"
#include "character/CharactersOnFirstUse.h"
#include "config/TfrmConfig.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/Scheduler.h"
#include "events/TfrmEventDetails.h"
#include "lang/Translate.h"
#include "nettime/TimeUpdate.h"
#include "platform/DesktopNotification.h"
#include "platform/DisplayLoss.h"
#include "platform/HostLookup.h"
#include "platform/IniSettingsStore.h"
#include "platform/MediaOnFirstUse.h"
#include "platform/PluginLoader.h"
#include "platform/SingleInstance.h"
#include "platform/Stderr.h"
#include "platform/SystemClockSetter.h"
#include "platform/SystemZoneWatch.h"
#include "platform/TerminationSignals.h"
#include "platform/WholeFile.h"
#include "timezones/LocalZonePage.h"
#include "timezones/TZClockFile.h"
#include "timezones/TZFaceLook.h"
#include "timezones/TfrmTimeZone.h"
#include "timezones/ZoneRules.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QToolButton>

#include <functional>
#include <memory>

namespace startup {

using app::AboutBox;
using app::RunFlags;
using app::TfrmClock;
using app::VeskelApplication;

namespace {

// The desktop character comes from its plugin, loaded when a character is first shown or heard.
// Whether one can be had is told at start without loading it: the plugin is there, and a screen.
character::CharactersOnFirstUse::Source characterPlugin(const QString& pluginFolder,
                                                        platform::MessageBoxes& messages)
{
    const QString file = pluginFolder + QStringLiteral("veskel-character.so");
    return {
        [file] {
            if (QFileInfo(file).isFile())
                return QGuiApplication::primaryScreen() != nullptr;
            platform::sayOnStderr(QStringLiteral("no desktop character can be shown: ") + file +
                                  QStringLiteral(" is missing"));
            return false;
        },
        [file](const QStringList& folders, QString* why) -> std::unique_ptr<character::CharacterService> {
            if (auto* plugin = platform::loadPlugin<character::CharacterPlugin>(file, why))
                return plugin->createCharacters(folders);
            return nullptr;
        },
        [&messages](const QString& why) {
            platform::sayOnStderr(QStringLiteral("the desktop character could not be loaded: ") + why);
            messages.error(Translate(QStringLiteral("Error loading the speaking character")));
        },
    };
}

// Only one clock runs per user, so a temporary file of a save found beside a file the clock writes
// was left by a run killed while saving.
void removeWhatKilledRunsLeft(const platform::ProgramFolders& folders)
{
    QStringList written{platform::IniSettingsStore::defaultPath(),
                        platform::XdgAutostart::defaultEntryPath()};
    if (!folders.UserDataFolder.isEmpty())
        for (const QString& name : platform::ProgramFolders::seededFiles())
            written << folders.UserDataFolder + name;
    for (const QString& file : written)
        platform::removeLeftoverTemporaries(file);
}

// Why the user's files are kept elsewhere than usual, or not at all this run.
QString dataFolderText(const platform::ProgramFolders& folders)
{
    if (folders.UserDataFolder.isEmpty())
        return folders.DataFolderNote + u'\n' +
               Translate(QStringLiteral(
                   "No folder is safe for your files: this run neither reads nor saves them."));
    return folders.DataFolderNote + u'\n' +
           lang::fillIn(Translate(QStringLiteral("Your files are kept in %s.")), folders.UserDataFolder);
}

} // namespace

int runVeskel(int& argc, char** argv)
{
    // An end asked for while the clock starts is kept for the event loop, which then ends the
    // orderly way; caught before the lock is taken, so whoever sees the lock can ask.
    platform::TerminationSignals::catchEarly();
    platform::SingleInstance instance(QStringLiteral("Veskel_v2.1"));
    if (!instance.acquire())
        return 0; // another clock runs already: end silently

    VeskelApplication application(argc, argv);
    const platform::ProgramFolders folders = platform::ProgramFolders::ofRunningProgram();
    if (!instance.lockFolder().isEmpty()) // without the lock another clock may be saving now
        removeWhatKilledRunsLeft(folders);
    platform::SystemClock clock;
    platform::QtScreenInfo screen;
    platform::IniSettingsStore settings(platform::IniSettingsStore::defaultPath());
    const core::LocaleFormats locale;
    platform::QtMessageBoxes messages(QStringLiteral("Veskel"));
    // While the clock runs, in a box that does not wait (a failed save of the scheduler's must not
    // hold the clock's tick); once its windows are gone, through the desktop's notifications.
    platform::FileNotices fileNotices([&messages](const QString& text) { messages.showWarning(text); });
    platform::XdgAutostart autostart(platform::XdgAutostart::defaultEntryPath(), folders.ProgramFile);
    platform::DesktopShell shell;
    platform::QtNotificationArea notificationArea;
    platform::QtCommonDialogs dialogs;
    platform::QtTimeZoneSource timeZoneSource;
    platform::SystemClockSetter clockSetter;
    platform::QtNetworkReachability network;
    platform::DesktopDateTimeSettings dateTimeSettings;
    // Characters: the user's own first, then the shipped ones.
    QStringList characterFolders{folders.CharsFolder};
    if (!folders.UserDataFolder.isEmpty())
        characterFolders.prepend(folders.UserDataFolder + QStringLiteral("chars/"));
    character::CharactersOnFirstUse characters(characterFolders,
                                               characterPlugin(folders.PluginFolder, messages));
    const platform::Platform services{clock,    screen,           settings,   locale,
                                      messages, autostart,        shell,      notificationArea,
                                      dialogs,  timeZoneSource,   folders,    clockSetter,
                                      network,  dateTimeSettings, fileNotices};
    messages.setButtonCaptions([](const QString& caption) { return Translate(caption); });
    application.setErrorReporter([&messages](const QString& text) { messages.error(text); });
    application.setHelpOpener(
        [&shell, &folders](int context) { app::openHelp(shell, folders.ProgramFolder, context); });

    platform::TerminationSignals termination;
    const EndRequest endRequest(termination);

    AboutBox about(shell);
    RunFlags flags;
    auto clockWindow = std::make_unique<TfrmClock>(services, characters, flags, &about);
    if (!folders.DataFolderNote.isEmpty()) // said once the language is known
        fileNotices.tellOnce(folders.UserDataFolder, dataFolderText(folders));
    // The event list outlives every window: the scheduler, the actions and both editors work on
    // the same rows, so an edit counts at once, before it is saved.
    events::EventList eventList;
    events::EventStorage eventStorage(eventList, folders.dataFile(QStringLiteral("Events.dta")), messages,
                                      &fileNotices);
    eventStorage.LoadEvents();

    // The zones: the machine's own zone and tzclkset.dta now, the zone database and the time
    // zones window when first wanted (its menu item, the configuration dialog's zone page, or a
    // zone clock that was open when the program last ended, shown again here).
    platform::DesktopSystemZoneWatch zoneWatch;
    timezones::ZoneRules zoneRules(timeZoneSource, zoneWatch, clock);
    timezones::TZClockFile tzClockFile(folders.dataFile(QStringLiteral("tzclkset.dta")),
                                       timezones::windowFont(), locale, &fileNotices);
    std::unique_ptr<timezones::TfrmTimeZone> timeZoneWindow;
    std::unique_ptr<config::TfrmConfig> configDialog;
    const auto timeZones = [&]() -> timezones::TfrmTimeZone& {
        if (!timeZoneWindow) {
            timeZoneWindow = std::make_unique<timezones::TfrmTimeZone>(services, zoneRules, tzClockFile);
            timeZoneWindow->setHelp(
                [&](int context) { app::openHelp(shell, folders.ProgramFolder, context); });
            if (configDialog)
                timeZoneWindow->setConfigPage(configDialog->tabTimeZones);
        }
        return *timeZoneWindow;
    };
    if (tzClockFile.ZoneClock.Shown)
        timeZones().restoreZoneClock();
    flags.StartupComplete = true; // the clock begins to tick

    // The clock's one update command: the Internet page shows it, an adjust-time event runs it.
    platform::QtHostLookup hostLookup;
    nettime::TimeUpdate timeUpdate(services, hostLookup, clockWindow->Settings.TimeServer,
                                   clockWindow->Settings.TimeOut);

    // The configuration dialog and the event editor are made when first wanted: most runs never
    // open them, and the clock shows sooner and stays smaller without them.
    std::unique_ptr<events::TfrmEventDetails> eventDetails;
    std::function<config::TfrmConfig&()> configuration;

    // What events do: media through Qt Multimedia, the time from the update command when the
    // network is there, announcements by the clock window's character.
    platform::MediaOnFirstUse mediaPlayer(
        folders.PluginFolder + QStringLiteral("veskel-media.so"), [](const QString& why) {
            return Translate(QStringLiteral("Sounds and videos need the media plugin:")) +
                   QStringLiteral("\r\n") + why;
        });
    events::AgentSpeech& character = *clockWindow->Agent;
    events::EventActions actions({messages, shell, mediaPlayer, character, folders,
                                  [&network] { return network.isConnected(); },
                                  [&timeUpdate] { timeUpdate.UpdateTime(); }});
    events::Scheduler scheduler(eventList, locale, actions, messages,
                                [&eventStorage](int row) { return eventStorage.SaveFiredEvent(row); });
    clockWindow->setScheduledEvents(&scheduler);

    configuration = [&]() -> config::TfrmConfig& {
        if (configDialog)
            return *configDialog;
        eventDetails = std::make_unique<events::TfrmEventDetails>(services);
        eventDetails->setCharacters(character);
        // The details dialog's test performs an action the way the scheduler will; a character
        // speaks where it stands.
        eventDetails->setTestAction([&actions](const events::EventRecord& fields) {
            return actions.Perform(events::actionOf(fields), false);
        });
        configDialog = std::make_unique<config::TfrmConfig>(*clockWindow, eventList, eventStorage,
                                                            *eventDetails, timeUpdate);
        if (timeZoneWindow)
            timeZoneWindow->setConfigPage(configDialog->tabTimeZones);
        QObject::connect(configDialog->tabTimeZones->btnTimeZones, &QToolButton::clicked, &application,
                         [&timeZones] { timeZones().showWindow(); });
        QObject::connect(configDialog.get(), &config::TfrmConfig::timeZonesPageShown, &application,
                         [&timeZones] { timeZones().ConfigPageShown(); });
        return *configDialog;
    };

    QObject::connect(clockWindow.get(), &TfrmClock::configureRequested, &application,
                     [&configuration] { configuration().showDialog(); });
    QObject::connect(clockWindow.get(), &TfrmClock::timeZonesRequested, &application,
                     [&timeZones] { timeZones().showWindow(); });
    QObject::connect(clockWindow.get(), &TfrmClock::closing, &application, [&] {
        if (configDialog)
            configDialog->close();
        QApplication::quit();
    });

    // Qt ends the program on the spot when the display goes away; the settings of the run are
    // saved first.
    const auto notifyAtTheEnd = [](const QString& text) {
        platform::notifyDesktop(Translate(QStringLiteral("Veskel could not save a file")), text);
    };
    platform::DisplayLoss::setLastWish([&] {
        fileNotices.setShow(notifyAtTheEnd); // no box can show without the display
        clockWindow->SaveSettings();
    });
    clockWindow->show(); // may show a box about the picture, which an end request dismisses
    if (!endRequest.requested())
        application.exec();
    platform::DisplayLoss::setLastWish({});

    clockWindow->setScheduledEvents(nullptr);
    fileNotices.setShow(notifyAtTheEnd);
    configDialog.reset();
    eventDetails.reset();
    clockWindow.reset();    // saves the settings
    timeZoneWindow.reset(); // notes the zone clock's zone
    tzClockFile.save();     // a failure is told by the desktop's notifications
    return 0;
}

} // namespace startup
