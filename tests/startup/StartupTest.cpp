#include "app/VeskelApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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
    // A copy of its own, so the run touches nothing of the build folder (such as the first-run marker).
    const QString program = home.filePath("veskel");
    ASSERT_TRUE(QFile::copy(VESKEL_BINARY, program));
    QProcess first;
    first.setProcessEnvironment(isolatedEnvironment(home));
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    // The lock file appears once the first clock holds the name.
    const QString lock = home.filePath("Veskel_v2.1.lock");
    for (int i = 0; i < 200 && !QFile::exists(lock); ++i)
        QThread::msleep(10);
    ASSERT_TRUE(QFile::exists(lock));

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
    QFile settings(home.filePath("config/Palvaro Ltd/Veskel.conf"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray written = settings.readAll();
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

TEST(Startup, AnEndAskedForWhileTheStartUpErrorBoxIsOpenEndsTheRunAndKeepsTheSettings)
{
    QTemporaryDir home;
    const QString program = copyOfTheProgram(home);
    // A first run picks the globe, which here cannot be shown: the clock says so in a box.
    QDir(home.path()).mkpath("Clocks");
    QFile globe(home.filePath("Clocks/earth.bmp"));
    ASSERT_TRUE(globe.open(QIODevice::WriteOnly));
    globe.write("not a picture at all");
    globe.close();
    QFile marker(home.filePath("veskel.vsk"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();

    QProcess clock;
    clock.setProcessEnvironment(isolatedEnvironment(home));
    clock.start(program, {});
    ASSERT_TRUE(clock.waitForStarted());
    // The marker goes just before the picture is loaded and the box comes up.
    ASSERT_TRUE(waitFor([&] { return !marker.exists(); }));
    clock.terminate();
    ASSERT_TRUE(clock.waitForFinished(10000)) << "the box held the end back";
    EXPECT_EQ(clock.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(clock.exitCode(), 0);
    EXPECT_TRUE(settingsWritten(home).contains("Clocks/earth.bmp")) << settingsWritten(home).constData();
}
