#include "character/Outline.h"
#include "support/CharacterFixtures.h"

#include <QProcess>
#include <QRegion>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace character;

// The outline is exact while it stays within its limit of rectangles, and coarser past it.
TEST(Outline, IsExactUntilItWouldBreakTheDisplayServersLimit)
{
    const acs::Character board = fixtures::checkerboardCharacter(64);
    const QByteArray pixels = board.images[0].pixels;
    const PixelPlane plane{reinterpret_cast<const uint8_t*>(pixels.constData()), 64, 1, 64, 64, 0};
    QRegion exact;
    const std::vector<QRect> fine = outlineOf(plane, 64 * 32);
    exact.setRects(fine.data(), int(fine.size()));
    EXPECT_EQ(fine.size(), 64u * 32u);
    EXPECT_TRUE(exact.contains(QPoint(0, 0)) && !exact.contains(QPoint(1, 0)) &&
                exact.contains(QPoint(1, 1)));
    const std::vector<QRect> coarse = outlineOf(plane, 100);
    ASSERT_EQ(coarse.size(), 1u);
    EXPECT_EQ(coarse[0], QRect(0, 0, 64, 64));
    // Rows alike are one band; nothing shown, no outline.
    const QByteArray bar(4 * 3, char(1));
    EXPECT_EQ(outlineOf({reinterpret_cast<const uint8_t*>(bar.constData()), 4, 1, 4, 3, 0}),
              std::vector<QRect>{QRect(0, 0, 4, 3)});
    EXPECT_TRUE(outlineOf({reinterpret_cast<const uint8_t*>(bar.constData()), 4, 1, 4, 3, 1}).empty());
}

// The most ragged outline a file can give, on a real X server: the window gets an outline the
// server takes, and the program's connection holds.
TEST(CharacterOnX11, TheMostRaggedOutlineKeepsTheConnection)
{
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty())
        GTEST_SKIP() << "needs Xvfb (package xvfb)";
    QProcess server;
    server.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    ASSERT_TRUE(server.waitForReadyRead(20000));
    QTemporaryDir dir;
    fixtures::writeCharacterFile(dir.path(), "checker.acs", fixtures::checkerboardCharacter(2048));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", ":" + QString::fromLatin1(server.readLine().trimmed()));
    env.insert("QT_QPA_PLATFORM", "xcb");
    QProcess demo;
    demo.setProcessEnvironment(env);
    demo.start(VESKEL_CHARACTER_DEMO, {dir.path(), "checker.acs", "0", "0", "", "1000"});
    EXPECT_TRUE(demo.waitForFinished(120000));
    const QByteArray said = demo.readAllStandardOutput();
    EXPECT_EQ(demo.exitCode(), 0) << demo.readAllStandardError().constData();
    EXPECT_TRUE(said.startsWith("outline of ")) << said.constData();
    EXPECT_LE(said.mid(11).split(' ').front().toInt(), MaxOutlineRectangles);
    server.terminate();
    server.waitForFinished();
}
