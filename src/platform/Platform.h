#pragma once

#include "core/LocaleFormats.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/ClockSetter.h"
#include "platform/CommonDialogs.h"
#include "platform/DateTimeSettings.h"
#include "platform/FileNotices.h"
#include "platform/MessageBoxes.h"
#include "platform/NetworkReachability.h"
#include "platform/NotificationArea.h"
#include "platform/ProgramFolders.h"
#include "platform/ScreenInfo.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/TimeZoneSource.h"

namespace platform {

// The facilities of the desktop that the program reaches, handed to each window that needs them.
// The program builds the real ones at start; a test builds fakes and points a few at its own world.
struct Platform
{
    Clock& clock;
    ScreenInfo& screen;
    SettingsStore& settings;
    const core::LocaleFormats& locale;
    MessageBoxes& messages;
    Autostart& autostart;
    Shell& shell;
    NotificationArea& notificationArea;
    CommonDialogs& dialogs;
    TimeZoneSource& timeZones;
    ProgramFolders folders;
    ClockSetter& clockSetter;
    NetworkReachability& network;
    DateTimeSettings& dateTimeSettings;
    FileNotices& fileNotices;
};

} // namespace platform
