#pragma once

#include "app/AboutBox.h"
#include "app/RunFlags.h"
#include "app/TfrmClock.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace fakes {

// A clock window on a fake desktop, as every test of the clock and of the windows around it
// needs one: made on demand, started up the way the program does it.
class ClockFixture : public ::testing::Test
{
protected:
    FakePlatform fake;
    app::RunFlags flags;
    std::unique_ptr<app::AboutBox> about;
    std::unique_ptr<app::TfrmClock> clock;

    void TearDown() override
    {
        clock.reset();
        about.reset();
    }

    // The clock window, with an About box of its own when the test asks for one.
    app::TfrmClock& create(bool withAboutBox = false)
    {
        if (withAboutBox)
            about = std::make_unique<app::AboutBox>(fake.shell);
        clock = std::make_unique<app::TfrmClock>(fake.services(), fake.characters, flags, about.get());
        return *clock;
    }
    // Shows the clock and ends start-up, as the last window made at start does.
    void startUp()
    {
        clock->show();
        flags.StartupComplete = true;
        QCoreApplication::processEvents();
    }
    void layFirstRunMarker()
    {
        QFile marker(fake.folders.firstRunMarker());
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    }
    // Copies a shipped language file of the source tree into the program folder.
    void installLanguage(const QString& name)
    {
        QDir().mkpath(fake.folders.LangFolder);
        ASSERT_TRUE(QFile::copy(QStringLiteral(VESKEL_SOURCE_DIR "/data/Lang/") + name + ".txt",
                                fake.folders.LangFolder + name + ".txt"));
    }
};

} // namespace fakes
