#include "startup/Startup.h"

#include "startup/EndRequest.h"

#include "app/AboutBox.h"
#include "app/Help.h"
#include "app/RunFlags.h"
#include "app/TfrmClock.h"
#include "app/VeskelApplication.h"
#include "character/DesktopCharacters.h"
#include "config/TfrmConfig.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/Scheduler.h"
#include "events/TfrmEventDetails.h"
#include "lang/Translate.h"
#include "nettime/TimeUpdate.h"
#include "platform/DisplayLoss.h"
#include "platform/HostLookup.h"
#include "platform/IniSettingsStore.h"
#include "platform/QtMediaPlayer.h"
#include "platform/SingleInstance.h"
#include "platform/SystemClockSetter.h"
#include "platform/TerminationSignals.h"
#include "timezones/TfrmTimeZone.h"

#include <functional>
#include <memory>

namespace startup {

using app::AboutBox;
using app::RunFlags;
using app::TfrmClock;
using app::VeskelApplication;

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
    character::DesktopCharacters characters(
        {folders.UserDataFolder + QStringLiteral("chars/"), folders.CharsFolder},
        std::make_unique<character::EspeakSpeech>());
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

    // The clock's one update command: the Internet page shows it, an adjust-time event runs it.
    platform::QtHostLookup hostLookup;
    nettime::TimeUpdate timeUpdate(services, hostLookup, clockWindow->Settings.TimeServer,
                                   clockWindow->Settings.TimeOut);

    // The configuration dialog and the event editor are made when first wanted: most runs never
    // open them, and the clock shows sooner and stays smaller without them.
    std::unique_ptr<events::TfrmEventDetails> eventDetails;
    std::unique_ptr<config::TfrmConfig> configDialog;
    std::function<config::TfrmConfig&()> configuration;

    // What events do: media through Qt Multimedia, the time from the update command when the
    // network is there, announcements by the clock window's character.
    platform::QtMediaPlayer mediaPlayer;
    events::AgentSpeech& character = *clockWindow->Agent;
    events::EventActions actions({messages, shell, mediaPlayer, character, folders,
                                  [&network] { return network.isConnected(); },
                                  [&timeUpdate] { timeUpdate.UpdateTime(); }});
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
                                                            *eventDetails, timeUpdate);
        timeZones->setConfigPage(configDialog->tabTimeZones);
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
