#include "character/CharacterAnimator.h"
#include "character/CharacterWindow.h"
#include "character/DesktopCharacters.h"
#include "character/WordBalloon.h"

#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"
#include "support/Files.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace character;

namespace {

class CharacterServiceTest : public ::testing::Test
{
protected:
    QTemporaryDir shipped;
    QTemporaryDir own;
    DesktopCharacters service{{own.path(), shipped.path()}, std::make_unique<TimedSpeech>(), false};

    void SetUp() override
    {
        fixtures::writeCharacterFile(shipped.path(), "tester.acs", fixtures::smallCharacter());
    }

    DesktopCharacter& load(const QString& name = QStringLiteral("tester"))
    {
        const CharacterRequestPtr loading = service.Load(name, name + ".acs");
        EXPECT_TRUE(QTest::qWaitFor([&] { return loading->finished(); }, 20000));
        return *service.loaded(name);
    }
};

bool waitUntilFinished(const CharacterRequestPtr& r)
{
    return QTest::qWaitFor([&] { return r->finished(); }, 5000);
}

} // namespace

TEST_F(CharacterServiceTest, LoadsByBareFileNameFromItsFoldersAndRefusesWhatItCannotUse)
{
    // The file is read on a thread of its own; the character takes requests meanwhile.
    const CharacterRequestPtr loading = service.Load("tester", "tester.acs");
    EXPECT_EQ(loading->Status(), RequestInProgress);
    const CharacterRequestPtr shown = service.Character("tester").Show(true);
    EXPECT_EQ(shown->Status(), RequestPending);
    ASSERT_TRUE(waitUntilFinished(shown));
    EXPECT_EQ(loading->Status(), RequestComplete);
    EXPECT_TRUE(service.Character("tester").Visible());
    EXPECT_THROW(service.Load("tester", "tester.acs"), CharacterLoadError); // the name is taken
    EXPECT_THROW(service.Load("nobody", "nobody.acs"), CharacterLoadError);
    EXPECT_THROW(service.Character("nobody"), CharacterLoadError);

    // The user's own folder comes first.
    fixtures::writeCharacterFile(own.path(), "tester.acs", fixtures::smallCharacter("Mine"));
    EXPECT_EQ(service.locate("tester.acs"), QDir(own.path()).filePath("tester.acs"));
    // The list shows "Tester"; the file may be written in any letter case.
    EXPECT_EQ(service.locate("Tester.ACS"), QDir(own.path()).filePath("tester.acs"));
    EXPECT_TRUE(waitUntilFinished(service.Load("Tester", "Tester.acs")));
    service.Unload("Tester");

    // A broken file is found out after the load returned: it is told, and the requests fail.
    ASSERT_TRUE(fakes::writeAllOf(QDir(own.path()).filePath("broken.acs"),
                                  acswriter::writeAcs(fixtures::smallCharacter()).left(300)));
    QSignalSpy failed(&service, &CharacterService::LoadFailed);
    const CharacterRequestPtr broken = service.Load("broken", "broken.acs");
    const CharacterRequestPtr speech = service.Character("broken").Speak("Hello", QString());
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_EQ(failed[0][0], QStringLiteral("broken"));
    EXPECT_EQ(broken->Status(), RequestFailed);
    EXPECT_EQ(speech->Status(), RequestFailed);
    EXPECT_EQ(service.Character("broken").Show(false)->Status(), RequestFailed);

    service.Unload("tester");
    EXPECT_FALSE(service.isLoaded("tester"));
}

TEST_F(CharacterServiceTest, RequestsRunOneAfterAnotherFromPendingThroughInProgressToComplete)
{
    DesktopCharacter& c = load();
    c.setLeft(40);
    c.setTop(30);
    const CharacterRequestPtr show = c.Show(false);
    const CharacterRequestPtr speak = c.Speak("Hi there", QString());
    c.setBalloonVisible(false);
    const CharacterRequestPtr hide = c.Hide(false);
    // The show starts at once; the others wait their turn.
    EXPECT_EQ(show->Status(), RequestInProgress);
    EXPECT_EQ(speak->Status(), RequestPending);
    EXPECT_EQ(hide->Status(), RequestPending);
    EXPECT_TRUE(c.Visible());
    EXPECT_EQ(c.window()->pos(), QPoint(40, 30));

    ASSERT_TRUE(waitUntilFinished(show));
    EXPECT_EQ(show->Status(), RequestComplete);
    ASSERT_TRUE(QTest::qWaitFor([&] { return speak->Status() == RequestInProgress; }, 2000));
    EXPECT_EQ(hide->Status(), RequestPending); // the hide waits for the speech
    ASSERT_TRUE(c.balloon());
    EXPECT_TRUE(c.balloon()->isVisible());
    EXPECT_EQ(c.balloon()->text(), QStringLiteral("Hi there"));
    // The words appear as they are said.
    ASSERT_TRUE(QTest::qWaitFor([&] { return c.balloon()->shownText() == QStringLiteral("Hi"); }, 2000));
    ASSERT_TRUE(waitUntilFinished(speak));
    EXPECT_EQ(speak->Status(), RequestComplete);
    // The last words stay to be read before the character goes.
    EXPECT_EQ(c.balloon()->shownText(), QStringLiteral("Hi there"));
    QTest::qWait(300);
    EXPECT_TRUE(c.balloon()->isVisible());
    EXPECT_TRUE(c.Visible());
    EXPECT_FALSE(hide->finished());
    ASSERT_TRUE(waitUntilFinished(hide));
    EXPECT_EQ(hide->Status(), RequestComplete);
    EXPECT_FALSE(c.Visible());
    EXPECT_FALSE(c.balloon()->isVisible());
}

TEST_F(CharacterServiceTest, StopAllInterruptsTheRunningAndTheQueuedRequests)
{
    DesktopCharacter& c = load();
    const CharacterRequestPtr show = c.Show(false);
    const CharacterRequestPtr speak = c.Speak("A long speech that nobody will hear", QString());
    c.StopAll(QString());
    EXPECT_EQ(show->Status(), RequestInterrupted);
    EXPECT_EQ(speak->Status(), RequestInterrupted);
    EXPECT_EQ(c.current(), nullptr);
    // A fast hide on an idle character is done when the call returns: nothing to wait for.
    const CharacterRequestPtr hide = c.Hide(true);
    EXPECT_EQ(hide->Status(), RequestComplete);
    EXPECT_FALSE(c.Visible());
    // Stopped while speaking: the balloon goes too.
    c.Show(true);
    const CharacterRequestPtr talk = c.Speak("Hello", QString());
    ASSERT_TRUE(QTest::qWaitFor([&] { return talk->Status() == RequestInProgress; }, 2000));
    c.StopAll(QString());
    EXPECT_EQ(talk->Status(), RequestInterrupted);
    EXPECT_FALSE(c.balloon()->isVisible());
}

TEST_F(CharacterServiceTest, TheUserDragsTheCharacterAlsoOverAModalDialogAndSendsItAway)
{
    DesktopCharacter& c = load();
    c.Show(true);
    CharacterWindow* w = c.window();
    ASSERT_TRUE(w->isVisible());
    EXPECT_EQ(w->size(), QSize(12, 10));
    // The body of the test pictures is 7 x 7 pixels inside a transparent border.
    EXPECT_EQ(w->shape().boundingRect(), QRect(3, 2, 7, 7));
    EXPECT_FALSE(w->shape().contains(QPoint(0, 0)));
    c.Speak("Look at me", QString());

    // A modal dialog (the event details, say) is open: the character still follows the mouse,
    // through the window system as the user's mouse would reach it, its balloon along.
    QDialog details;
    details.setModal(true);
    details.show();
    QSignalSpy moves(&service, &CharacterService::Move);
    const QPoint start = w->pos();
    const QPoint balloonAt = c.balloon()->pos();
    QTest::mousePress(w->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5),
                     QPointF(w->mapToGlobal(QPoint(5, 5)) + QPoint(100, 50)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
    EXPECT_NE(c.balloon()->pos(), balloonAt);
    QTest::mouseRelease(w->windowHandle(), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(moves.count(), 1);
    EXPECT_EQ(moves[0], (QVariantList{QStringLiteral("tester"), start.x() + 100, start.y() + 50,
                                      int(CharacterService::MovedByUser)}));
    EXPECT_EQ(c.Left(), start.x() + 100);
    EXPECT_EQ(c.Top(), start.y() + 50);

    // Its menu sends it away; so does a double click.
    ASSERT_EQ(w->menu()->actions().size(), 1);
    w->menu()->actions().front()->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.Visible(); }, 5000));
    c.Show(true);
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !c.Visible(); }, 5000));
}

// Large frames are composed off the UI thread, which goes on ticking; of the pictures only what
// the file stores is kept, and those unpacked for drawing stay within their budget.
TEST_F(CharacterServiceTest, LargePicturesAreDrawnAsideAndKeptWithinTheirBudget)
{
    fixtures::writeCharacterFile(own.path(), "large.acs", fixtures::picturesCharacter(2048, 62));
    DesktopCharacter& c = load("large");
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
    tick.start(1);
    QSignalSpy drawn(c.animator(), &CharacterAnimator::frameChanged);
    c.Show(true);
    EXPECT_EQ(drawn.count(), 0); // on its way
    ASSERT_TRUE(drawn.wait(20000));
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(c.window()->shape().boundingRect(), QRect(0, 0, 2048, 2048 / 62));
    // Sixteen pictures drawn one after another: twice as many as the budget holds.
    const std::vector<acs::Frame>& frames = c.data()->animations[0].frames;
    for (size_t i = 1; i <= 16; ++i) {
        drawn.clear();
        c.animator()->hold(frames[i]);
        ASSERT_TRUE(drawn.count() > 0 || drawn.wait(20000));
    }
    EXPECT_LE(c.animator()->composer().heldBytes(), FrameComposer::DefaultPictureBudget);
}

TEST_F(CharacterServiceTest, ACharacterWithNothingToShowStillShowsSomethingToClick)
{
    acs::Character invisible = fixtures::smallCharacter();
    for (acs::Image& img : invisible.images)
        img.pixels.fill(char(invisible.transparentIndex));
    fixtures::writeCharacterFile(own.path(), "ghost.acs", invisible);
    DesktopCharacter& c = load("ghost");
    c.Show(true);
    EXPECT_TRUE(c.window()->showsPlaceholder());
    EXPECT_FALSE(c.window()->shape().isEmpty());
}

// The longest message: a balloon of at most a third of the screen that scrolls with the words.
// Arabic stands at the right.
TEST_F(CharacterServiceTest, ALongMessageScrollsInABalloonOfAThirdOfTheScreen)
{
    DesktopCharacter& c = load();
    c.Show(true);
    QString text;
    while (text.size() < 32767)
        text += QStringLiteral("Remember the meeting with the team at ten. ");
    text.truncate(32767);
    c.Speak(text, QString());
    WordBalloon* b = c.balloon();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !b->shownText().isEmpty(); }, 5000));
    EXPECT_LE(b->height(), b->screen()->availableGeometry().height() / 3 + 60);
    EXPECT_GT(b->lineCount(), b->shownLines());
    EXPECT_EQ(b->firstShownLine(), 0);
    b->setSpoken(20000);
    EXPECT_GT(b->firstShownLine(), 0);
    EXPECT_LT(b->firstShownLine() + b->shownLines(), b->lineCount());
    c.StopAll(QString());

    b->setText(QStringLiteral("حان وقت الاجتماع مع الفريق في القاعة الكبيرة بعد قليل يا أصدقاء"));
    b->setSpoken(int(b->text().size()));
    ASSERT_EQ(b->lineCount(), 3);
    const QImage shot = b->grab().toImage();
    // The letters' columns, line by line (lines are parted by rows without any), away from the
    // outline and its tail.
    std::vector<std::pair<int, int>> lines;
    bool inLine = false;
    for (int y = 16; y < shot.height() - 16; ++y) {
        int left = shot.width(), right = -1;
        for (int x = 8; x < shot.width() - 8; ++x)
            if (qGray(shot.pixel(x, y)) < 100 && qAlpha(shot.pixel(x, y)) == 255) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        if (right >= 0 && !inLine)
            lines.emplace_back(left, right);
        else if (right >= 0)
            lines.back() = {std::min(lines.back().first, left), std::max(lines.back().second, right)};
        inLine = right >= 0;
    }
    ASSERT_EQ(lines.size(), 3u);
    const auto [firstLeft, firstRight] = lines.front();
    const auto [lastLeft, lastRight] = lines.back();
    EXPECT_NEAR(lastRight, firstRight, 8);
    EXPECT_GT(lastLeft, firstLeft + 20);
}
