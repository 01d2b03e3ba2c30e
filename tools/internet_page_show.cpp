// Shows the configuration dialog's Internet page on a real display during and after an update
// from a slow time server on loopback, on a fake desktop (no clock of the machine is set), so
// that it can be looked at or captured: internet_page_show [German|French] [seconds to stay].
// Built on request only (cmake --build build --target internet_page_show).
#include "app/AboutBox.h"
#include "app/RunFlags.h"
#include "app/TfrmClock.h"
#include "app/VeskelApplication.h"
#include "config/TfrmConfig.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/TfrmEventDetails.h"
#include "nettime/InternetPage.h"
#include "nettime/TimeUpdate.h"
#include "support/FakePlatform.h"
#include "support/TimeServers.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

int main(int argc, char** argv)
{
    app::VeskelApplication application(argc, argv);
    const QString language = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int staySeconds = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 8;

    fakes::FakePlatform fake;
    fake.clock.current = QDateTime(QDate(2026, 3, 2), QTime(12, 0, 5));
    if (!language.isEmpty()) {
        QDir().mkpath(fake.folders.LangFolder);
        QFile::copy(QStringLiteral(VESKEL_SOURCE_DIR "/data/Lang/") + language + ".txt",
                    fake.folders.LangFolder + language + ".txt");
        fake.settings.set("Clock", "Language", language);
    }
    QFile servers(fake.folders.dataFile("NTPServers.dta"));
    if (servers.open(QIODevice::WriteOnly))
        servers.write("time.nist.gov\r\nutcnist.colorado.edu\r\n");
    servers.close();
    fake.messages.answer = platform::MessageBoxes::Answer::No;

    app::RunFlags flags;
    app::AboutBox about(fake.shell);
    app::TfrmClock clock(fake.services(), fake.characters, flags, &about);
    events::EventList eventList;
    events::EventStorage storage(eventList, fake.programPath("Events.dta"), fake.messages);
    events::TfrmEventDetails details(fake.services());
    timeservers::ScriptedLookup lookup;
    nettime::TimeUpdate timeUpdate(fake.services(), lookup, clock.Settings.TimeServer,
                                   clock.Settings.TimeOut);
    config::TfrmConfig dialog(clock, eventList, storage, details, timeUpdate);

    // The server answers 12:00:00 UTC after three seconds.
    timeservers::LoopbackServer server(
        timeservers::LoopbackServer::Mode::SendLater,
        timeservers::replyAt(QDateTime(QDate(2026, 3, 2), QTime(12, 0, 0), Qt::UTC)));
    server.delayMs = 3000;

    dialog.showDialog();
    dialog.lvSide->setCurrentRow(config::TfrmConfig::ItemAdjustTime);
    QTimer::singleShot(1000, [&] {
        dialog.tabInternet->cboHost->setEditText("127.0.0.1");
        dialog.tabInternet->txtPort->setText(QString::number(server.port()));
        dialog.tabInternet->btnUpdateTimeClick();
    });
    QTimer::singleShot(staySeconds * 1000, &application, &QApplication::quit);
    return application.exec();
}
