// One rule for every file the clock keeps: a file that is there but could not be read is never
// written over, and the user hears of it once, with the file and why.
#include "app/RunFlags.h"
#include "app/TfrmClock.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "nettime/InternetPage.h"
#include "platform/IniSettingsStore.h"
#include "support/FakePlatform.h"
#include "support/TimeServers.h"
#include "timezones/TfrmTimeZone.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(DataFiles, AFileThatWasNotReadIsNeverWrittenOverAndToldOfOnce)
{
    fakes::FakePlatform fake;
    const QStringList files{"Veskel.conf", "Events.dta", "NTPServers.dta", "tzclkset.dta"};
    for (const QString& name : files) // a named pipe: there, but no file to read
        ASSERT_EQ(::mkfifo(QFile::encodeName(fake.programPath(name)).constData(), 0600), 0);

    platform::IniSettingsStore settings(fake.programPath("Veskel.conf"));
    const platform::Platform services = fake.services(&settings);
    app::RunFlags flags;
    auto clock = std::make_unique<app::TfrmClock>(services, fake.characters, flags, nullptr);
    clock.reset(); // saves the settings

    events::EventList list;
    events::EventStorage events(list, fake.programPath("Events.dta"), fake.messages, &fake.fileNotices);
    events.LoadEvents();
    events.SaveEvents(false);

    timeservers::ScriptedLookup lookup;
    lookup.behaviour = timeservers::ScriptedLookup::Behaviour::Loopback;
    timeservers::LoopbackServer server(timeservers::LoopbackServer::Mode::SendAndClose);
    QString timeServer;
    QTimer tmr;
    nettime::InternetPage page(services, lookup, timeServer, tmr);
    page.LoadServerList();
    page.cboHost->setEditText("127.0.0.1"); // a server new to the list, saved when asked
    page.txtPort->setText(QString::number(server.port()));
    page.btnUpdateTimeClick();

    bool startupComplete = false;
    auto zones = std::make_unique<timezones::TfrmTimeZone>(services, startupComplete);
    zones.reset();

    const QStringList heard = fake.told + fake.messages.errors + fake.messages.warnings;
    for (const QString& name : files) {
        const QString path = fake.programPath(name);
        EXPECT_FALSE(QFileInfo(path).isFile()) << name.toStdString() << " was written over";
        EXPECT_EQ(heard.filter(path).size(), 1)
            << name.toStdString() << ": " << heard.join('|').toStdString();
        EXPECT_TRUE(heard.filter(path).value(0).contains("not a regular file")) << name.toStdString();
    }
}
