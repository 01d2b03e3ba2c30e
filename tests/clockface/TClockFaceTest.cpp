#include "clockface/TClockFace.h"
#include "clockface/FacePainter.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace clockface;

namespace {

class ClockFaceWidget : public ::testing::Test
{
protected:
    fakes::FakeClock clock;
    core::LocaleFormats locale{QLocale(QLocale::English, QLocale::UnitedStates)};

    std::unique_ptr<TClockFace> make() { return std::make_unique<TClockFace>(clock, locale); }
};

// Counts the paints a widget gets.
class PaintCounter final : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

TEST_F(ClockFaceWidget, TheTimerRunsExactlyWhileTheFaceIsActive)
{
    clock.set(QTime(3, 0, 10, 500));
    const auto face = make();
    EXPECT_EQ(face->Time(), QTime(0, 0)); // a new face is stopped at midnight
    EXPECT_FALSE(face->timer().isActive());
    face->setActive(true);
    EXPECT_TRUE(face->timer().isActive());
    EXPECT_EQ(face->Time(), QTime(3, 0, 10, 500));
    face->setActive(false);
    EXPECT_FALSE(face->timer().isActive());
    EXPECT_EQ(face->Time(), QTime(0, 0));
    // A stopped face does not move when its handler is called anyway.
    face->tmrTimer();
    EXPECT_EQ(face->Time(), QTime(0, 0));
}

TEST_F(ClockFaceWidget, OffsetsCountFromTheNextTick)
{
    clock.set(QTime(3, 0, 10));
    const auto face = make();
    face->setOffsetHour(-5);
    EXPECT_EQ(face->Time(), QTime(0, 0));
    face->setActive(true);
    EXPECT_EQ(face->Time(), QTime(22, 0, 10));
    face->setOffsetHour(25);
    EXPECT_EQ(face->Time(), QTime(22, 0, 10)); // stored only
    face->tmrTimer();
    EXPECT_EQ(face->Time(), QTime(4, 0, 10));
    face->setOffsetHour(0);
    face->setOffsetMin(-30);
    face->setOffsetSec(5);
    face->tmrTimer();
    EXPECT_EQ(face->Time(), QTime(2, 30, 15));
}

TEST_F(ClockFaceWidget, TicksTellOfANewHourMinuteAndSecondInThatOrder)
{
    clock.set(QTime(3, 59, 59, 900));
    const auto face = make();
    face->setActive(true);
    std::vector<std::tuple<std::string, QTime, QTime>> told;
    QObject::connect(face.get(), &TClockFace::OnHourChange, [&](TClockFace* sender, QTime o, QTime n) {
        EXPECT_EQ(sender, face.get());
        told.emplace_back("hour", o, n);
    });
    QObject::connect(face.get(), &TClockFace::OnMinuteChange,
                     [&](TClockFace*, QTime o, QTime n) { told.emplace_back("minute", o, n); });
    QObject::connect(face.get(), &TClockFace::OnSecondChange,
                     [&](TClockFace*, QTime o, QTime n) { told.emplace_back("second", o, n); });

    clock.current = clock.current.addMSecs(50);
    face->tmrTimer(); // same second: nothing
    EXPECT_TRUE(told.empty());

    clock.current = clock.current.addMSecs(250);
    face->tmrTimer();
    const QTime before(3, 59, 59, 950), after(4, 0, 0, 200);
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(told[0], std::make_tuple(std::string("hour"), before, after));
    EXPECT_EQ(told[1], std::make_tuple(std::string("minute"), before, after));
    EXPECT_EQ(told[2], std::make_tuple(std::string("second"), before, after));

    told.clear();
    clock.advance(1);
    face->tmrTimer();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(std::get<0>(told[0]), "second");
}

TEST_F(ClockFaceWidget, ChangesRepaintAStoppedFaceAtOnceAndARunningOneWithItsNextSecond)
{
    clock.set(QTime(10, 0, 0));
    const auto face = make();
    face->resize(100, 100);
    face->show();
    PaintCounter counter;
    face->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    face->setClockStyle(csAnalog);
    face->HandOptions().setHourHandColor(core::clBlue);
    QCoreApplication::processEvents();
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(face->look().HandOptions.HourHandColor(), core::clBlue);
    EXPECT_EQ(face->look().ClockStyle, csAnalog);

    face->setActive(true);
    QCoreApplication::processEvents();
    counter.paints = 0;
    face->HandOptions().setHourHandLenght(150);
    face->setBorderColor(core::clNavy);
    face->setDrawMask(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    EXPECT_EQ(face->HandOptions().HourHandLenght(), 100);
    face->tmrTimer(); // same second
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    clock.advance(1);
    face->tmrTimer();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.paints, 1);
}

TEST_F(ClockFaceWidget, TheWidgetShowsExactlyWhatThePaintingGives)
{
    clock.set(QTime(10, 8, 37));
    const auto face = make();
    face->resize(150, 150);
    face->setClockStyle(csAnalog);
    face->HandOptions().setMinHandColor(core::clGreen);
    face->setActive(true);
    const QImage shown = face->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage painted = renderClockFace({150, 150}, face->look(), QTime(10, 8, 37), locale);
    EXPECT_EQ(shown, painted);
}

TEST_F(ClockFaceWidget, ADrumRollsItsChangedCharactersInTenFrames)
{
    clock.set(QTime(12, 59, 59, 800));
    const auto face = make();
    face->resize(120, 40);
    face->setDisplayFormat("hh:mm");
    face->setClockStyle(csRevolvingDrum);
    EXPECT_EQ(face->drumRoll().previousText, "00:00"); // a stopped face shows midnight
    face->setActive(true);
    EXPECT_TRUE(face->isRolling());
    for (int frame = 2; frame <= 10; ++frame)
        face->rollTimer();
    EXPECT_FALSE(face->isRolling());
    EXPECT_EQ(face->drumRoll().previousText, "12:59");

    clock.current = clock.current.addMSecs(250);
    face->tmrTimer();
    ASSERT_TRUE(face->isRolling());
    EXPECT_EQ(face->drumRoll().step, 1);
    EXPECT_EQ(face->drumRoll().previousText, "12:59");
    EXPECT_EQ(face->rollFrameTimer().interval(), TClockFace::RollFrameInterval);
    const QImage first = face->grab().toImage();
    for (int frame = 2; frame < 10; ++frame) {
        face->rollTimer();
        EXPECT_EQ(face->drumRoll().step, frame);
    }
    face->rollTimer();
    EXPECT_FALSE(face->isRolling());
    EXPECT_EQ(face->drumRoll().previousText, "13:00");
    EXPECT_EQ(face->drumRoll().step, 10);
    EXPECT_NE(face->grab().toImage(), first);

    // A new second that leaves the text alone paints once, without a roll.
    clock.advance(1);
    face->tmrTimer();
    EXPECT_FALSE(face->isRolling());

    // A stopped drum changing its format rolls at once; a running one waits for its tick.
    face->setActive(false); // shows 00:00: rolls from 13:00
    EXPECT_TRUE(face->isRolling());
    face->setDisplayFormat("hh:mm:ss"); // the new text while rolling: the roll starts over
    EXPECT_EQ(face->drumRoll().previousText, "00:00");
    EXPECT_EQ(face->drumRoll().step, 1);
}

TEST_F(ClockFaceWidget, ASingleLineBorderLiesOutsideTheFace)
{
    const auto face = make();
    face->resize(80, 60);
    // The face keeps its bevels inside the border.
    face->setBorderStyle(bsSingle);
    EXPECT_EQ(face->contentsRect(), QRect(1, 1, 78, 58));
    const QImage shown = face->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(1, 30)), QColor(239, 239, 239));
}
