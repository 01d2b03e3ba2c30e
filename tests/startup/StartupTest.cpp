#include "app/VeskelApplication.h"
#include "events/EventsFile.h"
#include "support/Files.h"
#include "support/MockedBus.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>

namespace {

class Throwing final : public QObject
{
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("the handler failed");
        return QObject::event(e);
    }
};

QProcessEnvironment isolatedEnvironment(const QTemporaryDir& home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.path());
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_RUNTIME_DIR", home.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    return env;
}

// A copy of the program of its own, so a run touches nothing of the build folder (such as the
// first-run marker).
QString copyOfTheProgram(const QTemporaryDir& home)
{
    const QString program = home.filePath("veskel");
    EXPECT_TRUE(QFile::copy(VESKEL_BINARY, program));
    return program;
}

bool waitFor(const std::function<bool()>& condition)
{
    for (int i = 0; i < 1000 && !condition(); ++i)
        QThread::msleep(10);
    return condition();
}

QByteArray settingsWritten(const QTemporaryDir& home)
{
    QFile settings(home.filePath("config/Palvaro Ltd/Veskel.conf"));
    return settings.open(QIODevice::ReadOnly) ? settings.readAll() : QByteArray();
}

} // namespace

TEST(Startup, AnExceptionThatEscapesAHandlerIsShownAndTheProgramGoesOn)
{
    auto* application = static_cast<app::VeskelApplication*>(QCoreApplication::instance());
    QStringList reported;
    application->setErrorReporter([&reported](const QString& text) { reported << text; });
    Throwing target;
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(reported, QStringList{"the handler failed"});

    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    QCoreApplication::processEvents();
    EXPECT_TRUE(fired);
}

TEST(Startup, ASecondInstanceEndsAtOnceWithCodeZeroAndTheFirstSavesItsSettings)
{
    QTemporaryDir home;
    const QString program = copyOfTheProgram(home);
    QProcess first;
    first.setProcessEnvironment(isolatedEnvironment(home));
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    // The lock file appears once the first clock holds the name.
    ASSERT_TRUE(waitFor([&] { return QFile::exists(home.filePath("Veskel_v2.1.lock")); }));

    QProcess second;
    second.setProcessEnvironment(isolatedEnvironment(home));
    second.start(program, {});
    ASSERT_TRUE(second.waitForFinished(10000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);

    first.terminate(); // an orderly end: the settings are written
    ASSERT_TRUE(first.waitForFinished(10000));
    EXPECT_EQ(first.exitCode(), 0);
    const QByteArray written = settingsWritten(home);
    EXPECT_TRUE(written.contains("\nWidth=150\n"))
        << written.constData(); // the values of the run, not blanks
    EXPECT_TRUE(written.contains("\nLength=0.92\n"));
    QStringList sections;
    for (const QByteArray& line : written.split('\n'))
        if (line.startsWith('['))
            sections << QString::fromUtf8(line);
    EXPECT_EQ(sections, (QStringList{"[Clock]", "[TimeServer]", "[SecHand]", "[MinHand]", "[HourHand]",
                                     "[Icon]", "[Agent]", "[SideBar]"}));
}

// The display server dies under the clock (a crashed X server, a session torn down): Qt ends the
// program at once, and the settings of the run are written before it does.
TEST(Startup, TheSettingsAreSavedWhenTheDisplayGoesAway)
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    const QString xwininfo = QStandardPaths::findExecutable("xwininfo");
    if (xvfb.isEmpty() || xwininfo.isEmpty())
        GTEST_SKIP() << "needs Xvfb and xwininfo (packages xvfb and x11-utils)";
    int number = 140 + int(QCoreApplication::applicationPid() % 200);
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
        ++number;
    const QString display = QStringLiteral(":%1").arg(number);
    QProcess server;
    server.start(xvfb, {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    ASSERT_TRUE(server.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)); }));

    QTemporaryDir home;
    const QString program = copyOfTheProgram(home);
    QProcessEnvironment env = isolatedEnvironment(home);
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", display);
    QProcess clock;
    clock.setProcessEnvironment(env);
    clock.start(program, {});
    ASSERT_TRUE(clock.waitForStarted());
    // Up once its window is on the display.
    ASSERT_TRUE(waitFor([&] {
        QProcess look;
        look.start(xwininfo, {"-display", display, "-name", "Veskel"});
        return look.waitForFinished(2000) && look.exitCode() == 0;
    }));

    server.terminate();
    ASSERT_TRUE(server.waitForFinished(10000));
    ASSERT_TRUE(clock.waitForFinished(10000));
    EXPECT_TRUE(settingsWritten(home).contains("\nWidth=150\n")) << clock.readAllStandardError().constData();
}

// Under a Wayland compositor (Debian's weston, headless): the clock shows, painted only inside
// its outline, the desktop showing through around it.
TEST(Startup, OnWaylandTheClockShowsShapedByItsPicture)
{
    const QString weston = QStandardPaths::findExecutable("weston");
    const QString shooter = QStandardPaths::findExecutable("weston-screenshooter");
    if (weston.isEmpty() || shooter.isEmpty())
        GTEST_SKIP() << "needs weston and weston-screenshooter (package weston)";
    QTemporaryDir runtime, home;
    const QRgb desktop = qRgb(0x20, 0x40, 0x60);
    const QString ini = runtime.filePath("weston.ini");
    ASSERT_TRUE(fakes::writeAllOf(
        ini, "[core]\nidle-time=0\n[shell]\nbackground-color=0xff204060\npanel-position=none\n"));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("DISPLAY");
    QProcess compositor;
    compositor.setProcessEnvironment(env);
    compositor.setWorkingDirectory(runtime.path());
    compositor.start(weston, {"--backend=headless-backend.so", "--use-pixman", "--socket=veskel-test",
                              "--width=640", "--height=480", "--debug", "--config=" + ini});
    ASSERT_TRUE(compositor.waitForStarted());
    ASSERT_TRUE(waitFor([&] { return QFile::exists(runtime.filePath("veskel-test")); }));

    const QString program = copyOfTheProgram(home);
    QDir().mkpath(home.filePath("Clocks"));
    ASSERT_TRUE(QFile::copy(VESKEL_PROGRAM_DIR "/Clocks/earth.bmp", home.filePath("Clocks/earth.bmp")));
    ASSERT_TRUE(fakes::writeAllOf(home.filePath("veskel.vsk"))); // a first run: the globe
    QProcessEnvironment clockEnv = isolatedEnvironment(home);
    clockEnv.insert("XDG_RUNTIME_DIR", runtime.path());
    clockEnv.insert("WAYLAND_DISPLAY", "veskel-test");
    clockEnv.insert("QT_QPA_PLATFORM", "wayland");
    clockEnv.remove("DISPLAY");
    QProcess clock;
    clock.setProcessEnvironment(clockEnv);
    clock.start(program, {});
    ASSERT_TRUE(clock.waitForStarted());

    // Shoot the screen until the clock is on it.
    QRect drawn;
    QImage shot;
    for (int attempt = 0; attempt < 100 && drawn.isEmpty(); ++attempt) {
        QDir shots(runtime.path(), "wayland-screenshot*.png");
        for (const QString& old : shots.entryList())
            shots.remove(old);
        QProcess shoot;
        shoot.setProcessEnvironment(clockEnv);
        shoot.setWorkingDirectory(runtime.path());
        shoot.start(shooter, {});
        if (!shoot.waitForFinished(5000)) {
            shoot.kill();
            shoot.waitForFinished();
        }
        shots.refresh();
        if (shots.entryList().isEmpty() || !shot.load(shots.filePath(shots.entryList().first())))
            continue;
        shot = shot.convertToFormat(QImage::Format_RGB32);
        if (shot.pixel(0, 0) != desktop) { // the shell has not drawn the desktop yet
            QThread::msleep(50);
            continue;
        }
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixel(x, y) != desktop)
                    drawn |= QRect(x, y, 1, 1);
        if (drawn.isEmpty())
            QThread::msleep(50);
    }
    clock.terminate();
    clock.waitForFinished(5000);
    compositor.terminate();
    compositor.waitForFinished(5000);

    ASSERT_FALSE(drawn.isEmpty()) << "the clock never showed under weston";
    // The globe of a first run, in its 150 x 150 window.
    EXPECT_GE(drawn.width(), 130);
    EXPECT_LE(drawn.width(), 150);
    EXPECT_GE(drawn.height(), 130);
    EXPECT_LE(drawn.height(), 150);
    // Round: the corners of the square it takes are the desktop's.
    for (const QPoint corner : {drawn.topLeft(), drawn.topRight(), drawn.bottomLeft(), drawn.bottomRight()})
        EXPECT_EQ(shot.pixel(corner +
                             QPoint(corner.x() == drawn.left() ? 3 : -3, corner.y() == drawn.top() ? 3 : -3)),
                  desktop);
    EXPECT_NE(shot.pixel(drawn.center()), desktop);
}

TEST(Startup, AnEndAskedForWhileTheStartUpErrorBoxIsOpenEndsTheRunAndKeepsTheSettings)
{
    QTemporaryDir home;
    const QString program = copyOfTheProgram(home);
    // A first run picks the globe, which here cannot be shown: the clock says so in a box.
    ASSERT_TRUE(fakes::writeAllOf(home.filePath("Clocks/earth.bmp"), "not a picture at all"));
    const QString marker = home.filePath("veskel.vsk");
    ASSERT_TRUE(fakes::writeAllOf(marker));

    QProcess clock;
    clock.setProcessEnvironment(isolatedEnvironment(home));
    clock.start(program, {});
    ASSERT_TRUE(clock.waitForStarted());
    // The marker goes just before the picture is loaded and the box comes up.
    ASSERT_TRUE(waitFor([&] { return !QFile::exists(marker); }));
    clock.terminate();
    ASSERT_TRUE(clock.waitForFinished(10000)) << "the box held the end back";
    EXPECT_EQ(clock.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(clock.exitCode(), 0);
    EXPECT_TRUE(settingsWritten(home).contains("Clocks/earth.bmp")) << settingsWritten(home).constData();
}

// Sound and video, and the desktop character with its voice, are plugins loaded when first used:
// the clock starts without them, also when a character is there to be had. A start event that
// announces is the first use.
TEST(Startup, MediaAndTheCharacterAreLoadedWhenFirstUsedNotAtStart)
{
    const QDir build = QFileInfo(VESKEL_BINARY).dir();
    const auto librariesOfARun = [&build](const std::vector<events::EventRecord>& rows) {
        QTemporaryDir home;
        const QString program = copyOfTheProgram(home);
        for (const QString file : {"veskel-media.so", "veskel-character.so", "chars/merlin.acs"})
            EXPECT_TRUE(QDir().mkpath(QFileInfo(home.filePath(file)).path()) &&
                        QFile::copy(build.filePath(file), home.filePath(file)));
        EXPECT_TRUE(fakes::writeAllOf(home.filePath("Events.dta"), events::writeEventsFile({rows})));
        const QString marker = home.filePath("veskel.vsk"); // goes once the clock has shown
        EXPECT_TRUE(fakes::writeAllOf(marker));
        QProcess clock;
        clock.setProcessEnvironment(isolatedEnvironment(home));
        clock.start(program, {});
        const QString maps = QStringLiteral("/proc/%1/maps").arg(clock.processId());
        const auto mapped = [&maps] {
            QFile file(maps);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        EXPECT_TRUE(waitFor([&] { return !QFile::exists(marker); }));
        QByteArray libraries = mapped();
        if (!rows.empty() && waitFor([&] { return mapped().contains("libespeak-ng"); }))
            libraries = mapped();
        clock.terminate();
        EXPECT_TRUE(clock.waitForFinished(10000));
        return libraries;
    };
    const QByteArray idle = librariesOfARun({});
    for (const char* heavy :
         {"veskel-media.so", "libQt6Multimedia", "libgst", "libpulse", "veskel-character.so", "libespeak-ng"})
        EXPECT_FALSE(idle.contains(heavy)) << heavy;
    EXPECT_TRUE(idle.contains("libQt6Widgets"));

    events::EventRecord announce{"Hello", {"", "", "Start", "Microsoft Agent", "merlin", "Hello", "T", ""}};
    const QByteArray announcing = librariesOfARun({announce});
    EXPECT_TRUE(announcing.contains("veskel-character.so"));
    EXPECT_TRUE(announcing.contains("libespeak-ng"));
}

// Saves killed midway (SIGKILL at random moments) leave their temporary files beside the files
// they save; the next start removes those, and nothing that is not of their naming. The files
// left are whole, just under the read limit: the settings and the zone clock's looks read, and
// would grow past it when saved, so they are kept, and the user hears of it as the clock ends,
// in a desktop notification that names the file and says why.
TEST(Startup, TheNextStartRemovesWhatSavesKilledMidwayLeftAndNothingElse)
{
    QTemporaryDir home;
    const QString program = copyOfTheProgram(home);
    const QString config = home.filePath("config/Palvaro Ltd/");
    const QStringList saved{home.filePath("Events.dta"), home.filePath("NTPServers.dta"),
                            home.filePath("tzclkset.dta"), config + "Veskel.conf"};
    const QStringList notOurs{home.filePath("Events.dta.tmp-Mine"), config + "Veskel.conf.tmp-a.bak",
                              home.filePath("notes.tmp-abc")}; // in sorted order
    for (const QString& file : notOurs)
        ASSERT_TRUE(fakes::writeAllOf(file));
    ASSERT_EQ(QProcess::execute(SAVING_CHILD, QStringList{"--once"} + saved), 0);
    const qint64 size = QFileInfo(saved[0]).size();
    const auto temporaries = [&] {
        QStringList found;
        for (const QString& folder : {home.path(), config})
            for (const QFileInfo& file : QDir(folder).entryInfoList({"*.tmp-*"}, QDir::Files | QDir::Hidden))
                found << file.absoluteFilePath();
        found.sort();
        return found;
    };

    const int kills = 150;
    for (int i = 0; i < kills; ++i) {
        QProcess saver;
        saver.start(SAVING_CHILD, saved.mid(i % 4) + saved.first(i % 4)); // each file first in turn
        ASSERT_TRUE(saver.waitForReadyRead(10000));
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        saver.kill();
        saver.waitForFinished();
    }
    const qsizetype left = temporaries().size() - notOurs.size();
    std::cout << "temporary files left by " << kills << " killed saves: " << left << "\n";
    EXPECT_GT(left, 0) << "no save was killed midway";
    for (const QString& file : saved) // each one whole
        EXPECT_EQ(QFileInfo(file).size(), size) << file.toStdString();

    fakes::MockedBus session;
    const bool notifications = session.ready() &&
                               session.startService("notification_daemon", "org.freedesktop.Notifications");
    QProcessEnvironment env = isolatedEnvironment(home);
    env.insert("DBUS_SESSION_BUS_ADDRESS", session.address);
    QProcess clock;
    clock.setProcessEnvironment(env);
    clock.start(program, {});
    ASSERT_TRUE(waitFor([&] { return QFile::exists(home.filePath("Veskel_v2.1.lock")); }));
    clock.terminate();
    ASSERT_TRUE(clock.waitForFinished(10000));
    EXPECT_EQ(temporaries().join('\n'), notOurs.join('\n'));

    if (!notifications)
        GTEST_SKIP() << "the notification at the end is not seen: " << session.skipReason.toStdString();
    const QString notes = session.calls("Notify").join('\n');
    for (const QString& kept : {saved[2], saved[3]})
        EXPECT_EQ(notes.count("Cannot create file " + kept + "\nit would grow to "), 1)
            << notes.toStdString();
}
