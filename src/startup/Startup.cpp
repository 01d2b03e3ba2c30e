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
#include "nettime/InternetPage.h"
#include "platform/DisplayLoss.h"
#include "platform/IniSettingsStore.h"
#include "platform/MediaOnFirstUse.h"
#include "platform/PluginLoader.h"
#include "platform/SingleInstance.h"
#include "platform/Stderr.h"
#include "platform/SystemClockSetter.h"
#include "platform/TerminationSignals.h"
#include "timezones/TfrmTimeZone.h"

#include <QFileInfo>
#include <QGuiApplication>

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
            messages.error(Translate(QStringLiteral("Error Loading Microsoft Agent character")));
        },
    };
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
    platform::SystemClock clock;
    platform::QtScreenInfo screen;
    platform::IniSettingsStore settings(platform::IniSettingsStore::defaultPath());
    const core::LocaleFormats locale;
    platform::QtMessageBoxes messages(QStringLiteral("Veskel"));
    const platform::ProgramFolders folders = platform::ProgramFolders::ofRunningProgram();
    platform::XdgAutostart autostart(platform::XdgAutostart::defaultEntryPath(), folders.ProgramFile);
    platform::DesktopShell shell;
    platform::QtNotificationArea notificationArea;
    platform::QtCommonDialogs dialogs;
    platform::QtTimeZoneSource timeZoneSource;
    platform::SystemClockSetter clockSetter;
    platform::QtNetworkReachability network;
    platform::DesktopDateTimeSettings dateTimeSettings;
    // Characters: the user's own first, then the shipped ones.
    character::CharactersOnFirstUse characters(
        {folders.UserDataFolder + QStringLiteral("chars/"), folders.CharsFolder},
        characterPlugin(folders.PluginFolder, messages));
    const platform::Platform services{
        clock,   screen,         settings, locale,      messages, autostart,       shell, notificationArea,
        dialogs, timeZoneSource, folders,  clockSetter, network,  dateTimeSettings};
    messages.setButtonCaptions([](const QString& caption) { return Translate(caption); });
    application.setErrorReporter([&messages](const QString& text) { messages.error(text); });
    application.setHelpOpener(
        [&shell, &folders](int context) { app::openHelp(shell, folders.ProgramFolder, context); });

    platform::TerminationSignals termination;
    const EndRequest endRequest(termination);

    AboutBox about(shell);
    RunFlags flags;
    auto clockWindow = std::make_unique<TfrmClock>(services, characters, flags, &about);
    // The event list outlives every window: the scheduler, the actions and both editors work on
    // the same rows, so an edit counts at once, before it is saved.
    events::EventList eventList;
    events::EventStorage eventStorage(eventList, folders.dataFile(QStringLiteral("Events.dta")), messages);
    eventStorage.LoadEvents();
    auto timeZones = std::make_unique<timezones::TfrmTimeZone>(services, flags.StartupComplete);
    timeZones->setHelp([&](int context) { app::openHelp(shell, folders.ProgramFolder, context); });

    // The configuration dialog and the event editor are made when first wanted: most runs never
    // open them, and the clock shows sooner and stays smaller without them.
    std::unique_ptr<events::TfrmEventDetails> eventDetails;
    std::unique_ptr<config::TfrmConfig> configDialog;
    std::function<config::TfrmConfig&()> configuration;

    // What events do: media through Qt Multimedia, the time from the Internet page's update
    // command when the network is there, announcements by the clock window's character.
    platform::MediaOnFirstUse mediaPlayer(
        folders.PluginFolder + QStringLiteral("veskel-media.so"), [](const QString& why) {
            return Translate(QStringLiteral("Sounds and videos need the media plugin:")) +
                   QStringLiteral("\r\n") + why;
        });
    events::AgentSpeech& character = *clockWindow->Agent;
    events::EventActions actions({messages, shell, mediaPlayer, character, folders,
                                  [&network] { return network.isConnected(); },
                                  [&configuration] { configuration().tabInternet->btnUpdateTimeClick(); }});
    events::Scheduler scheduler(eventList, locale, actions,
                                [&eventStorage] { return eventStorage.SaveEvents(false); });
    clockWindow->setScheduledEvents(&scheduler);

    configuration = [&]() -> config::TfrmConfig& {
        if (configDialog)
            return *configDialog;
        eventDetails = std::make_unique<events::TfrmEventDetails>(services);
        eventDetails->setCharacters(character);
        // The details dialog's test performs an action the way the scheduler will; a character
        // speaks where it stands.
        eventDetails->setTestAction([&actions](const events::EventRecord& fields) {
            actions.Perform(events::actionOf(fields), false);
        });
        configDialog = std::make_unique<config::TfrmConfig>(*clockWindow, eventList, eventStorage,
                                                            *eventDetails);
        timeZones->setConfigPage(configDialog->tabTimeZones);
        // The server's UTC becomes local time with the machine's zone: its bias, and its daylight
        // bias while its rules say daylight time is in force.
        configDialog->tabInternet->setLocalBias([&clock, zones = timeZones.get()] {
            const timezones::TRegTZI& local = zones->LocalRules();
            const bool daylight = timezones::IsDaylightTime(local, core::dayTime(clock.now()),
                                                            zones->RuleYear());
            return local.Bias + (daylight ? local.DaylightBias : 0);
        });
        QObject::connect(configDialog.get(), &config::TfrmConfig::timeZonesPageShown, timeZones.get(),
                         &timezones::TfrmTimeZone::ConfigPageShown);
        return *configDialog;
    };

    QObject::connect(clockWindow.get(), &TfrmClock::configureRequested, &application,
                     [&configuration] { configuration().showDialog(); });
    QObject::connect(clockWindow.get(), &TfrmClock::timeZonesRequested, timeZones.get(),
                     &timezones::TfrmTimeZone::showWindow);
    QObject::connect(clockWindow.get(), &TfrmClock::closing, &application, [&] {
        if (configDialog)
            configDialog->close();
        QApplication::quit();
    });

    // Qt ends the program on the spot when the display goes away; the settings of the run are
    // saved first.
    platform::DisplayLoss::setLastWish([&clockWindow] { clockWindow->SaveSettings(); });
    clockWindow->show(); // may show a box about the picture, which an end request dismisses
    if (!endRequest.requested())
        application.exec();
    platform::DisplayLoss::setLastWish({});

    clockWindow->setScheduledEvents(nullptr);
    configDialog.reset();
    eventDetails.reset();
    clockWindow.reset(); // saves the settings
    timeZones.reset();
    return 0;
}

} // namespace startup
