#include "platform/DateTimeSettings.h"

#include <QSet>
#include <gtest/gtest.h>

using platform::ProgramCall;

TEST(DateTimeSettings, TheDesktopsOwnSettingsFirstThenAnyThenTheManualPage)
{
    const auto with = [](QSet<QString> programs) {
        return [programs](const QString& name) { return programs.contains(name); };
    };
    const ProgramCall gnome{"gnome-control-center", {"datetime"}};
    const ProgramCall plasma6{"systemsettings", {"kcm_clock"}};
    const ProgramCall plasma5{"systemsettings5", {"clock"}};
    const QSet<QString> both{"gnome-control-center", "systemsettings", "x-terminal-emulator"};

    EXPECT_EQ(platform::dateTimeSettingsCall("ubuntu:GNOME", with(both)), gnome);
    EXPECT_EQ(platform::dateTimeSettingsCall("KDE", with(both)), plasma6);
    EXPECT_EQ(platform::dateTimeSettingsCall("XFCE", with(both)), gnome);
    EXPECT_EQ(platform::dateTimeSettingsCall("GNOME", with({"systemsettings5"})), plasma5);
    EXPECT_EQ(platform::dateTimeSettingsCall("", with({"x-terminal-emulator"})),
              (ProgramCall{"x-terminal-emulator", {"-e", "man", "timedatectl"}}));
    EXPECT_EQ(platform::dateTimeSettingsCall("GNOME", with({})), std::nullopt);
}
