#include "app/ClockSettings.h"
#include "support/FakePlatform.h"

#include <QRect>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

using app::ClockSettings;
using fakes::MemorySettingsStore;

namespace {

const QSize kScreen(1024, 768);
const core::LocaleFormats kUs(QLocale(QLocale::English, QLocale::UnitedStates));

ClockSettings loaded(const MemorySettingsStore& store, bool* complete = nullptr)
{
    ClockSettings s;
    const bool done = app::LoadSettings(store, kUs, kScreen, s);
    if (complete)
        *complete = done;
    return s;
}

} // namespace

TEST(ClockSettings, AFreshUserGetsTheDefaultsAndTheWholeTableIsWrittenInOrder)
{
    MemorySettingsStore store;
    bool complete = false;
    const ClockSettings s = loaded(store, &complete);
    EXPECT_TRUE(complete); // the defaults show in what is written

    app::SaveSettings(store, kUs, s);
    QStringList written;
    for (const auto& w : store.writes)
        written << w.section + "/" + w.name + "=" + w.value;
    const QStringList expected = {"Clock/Width=150",
                                  "Clock/Height=150",
                                  "Clock/Shape=1",
                                  "Clock/Color=-2147483647",
                                  "Clock/Left=207",
                                  "Clock/Top=104",
                                  "Clock/OnTray=1",
                                  "Clock/OnTop=0",
                                  "Clock/Picture File=",
                                  "Clock/Interval=200",
                                  "Clock/Visible=1",
                                  "Clock/Language=",
                                  "TimeServer/NTP Server=",
                                  "TimeServer/Time Out=5000",
                                  "SecHand/Color=0",
                                  "SecHand/Length=0.92",
                                  "SecHand/Width=2",
                                  "SecHand/Mode=3",
                                  "MinHand/Color=255",
                                  "MinHand/Length=0.89",
                                  "MinHand/Width=5",
                                  "MinHand/Mode=11",
                                  "HourHand/Color=32768",
                                  "HourHand/Length=0.61",
                                  "HourHand/Width=9",
                                  "HourHand/Mode=11",
                                  "Icon/HourHandColor=255",
                                  "Icon/MinHandColor=16711680",
                                  "Agent/Character=merlin",
                                  "Agent/Top=104",
                                  "Agent/Left=207",
                                  "SideBar/Color=-2147483647",
                                  "SideBar/Font Color=-2147483634"};
    EXPECT_EQ(written, expected);
}

TEST(ClockSettings, AStoredZeroSizeIgnoresEveryOtherValue)
{
    MemorySettingsStore store;
    store.set("Clock", "Width", "0");
    store.set("Clock", "Height", "300");
    store.set("Clock", "Left", "5");
    store.set("Clock", "Shape", "0");
    store.set("SecHand", "Color", "255");
    bool complete = true;
    const ClockSettings s = loaded(store, &complete);
    EXPECT_FALSE(complete);
    EXPECT_EQ(QRect(s.Left, s.Top, s.Width, s.Height), QRect(207, 104, 150, 150));
    EXPECT_EQ(s.Shape, app::ShapeEllipse);
    EXPECT_EQ(s.SecHand.Color, app::clBlack);
}

TEST(ClockSettings, TheWindowMayHangOffAnEdgeByHalfItsSizeAtMost)
{
    const auto placed = [](const char* left, const char* top) {
        MemorySettingsStore store;
        store.set("Clock", "Left", left);
        store.set("Clock", "Top", top);
        const ClockSettings s = loaded(store);
        return QPoint(s.Left, s.Top);
    };
    EXPECT_EQ(placed("-80", "-76"), QPoint(0, 0));
    EXPECT_EQ(placed("-70", "-75"), QPoint(-70, -75));
    EXPECT_EQ(placed("950", "694"), QPoint(874, 618));
    EXPECT_EQ(placed("949", "693"), QPoint(949, 693));
}

TEST(ClockSettings, StoredTextsAreReadByTheirFormsWithSoundDefaults)
{
    MemorySettingsStore store;
    store.set("MinHand", "Length", "0");
    store.set("HourHand", "Length", "0");
    store.set("SecHand", "Length", "0");
    store.set("SecHand", "Mode", "3");
    store.set("MinHand", "Mode", "99");
    store.set("HourHand", "Width", "not a number");
    store.set("Clock", "Color", "-2147483647");
    store.set("Clock", "OnTray", "maybe");
    store.set("Clock", "OnTop", "2");
    store.set("Clock", "Interval", "0");
    store.set("Agent", "Character", "");
    store.set("Agent", "Top", "5000");
    store.set("Agent", "Left", "-1");
    const ClockSettings s = loaded(store);
    MemorySettingsStore unreadable;
    unreadable.set("SecHand", "Length", "0.5.5");
    unreadable.set("MinHand", "Length", "nan");
    unreadable.set("HourHand", "Length", "1e999");
    const ClockSettings d = loaded(unreadable); // lengths that do not parse keep their defaults
    EXPECT_DOUBLE_EQ(d.SecHand.Length, 0.92);
    EXPECT_DOUBLE_EQ(d.MinHand.Length, 0.89);
    EXPECT_DOUBLE_EQ(d.HourHand.Length, 0.61);
    EXPECT_DOUBLE_EQ(s.MinHand.Length, 0.7);
    EXPECT_DOUBLE_EQ(s.HourHand.Length, 0.5);
    EXPECT_DOUBLE_EQ(s.SecHand.Length, 0.0); // an invisible second hand is allowed
    EXPECT_EQ(s.SecHand.Mode, app::pmNot);
    EXPECT_EQ(s.MinHand.Mode, app::pmNotMerge);
    EXPECT_EQ(s.HourHand.Width, 9);
    EXPECT_EQ(s.Color, app::clDesktopBackground);
    EXPECT_TRUE(s.OnTray);
    EXPECT_TRUE(s.OnTop);
    EXPECT_EQ(s.Interval, app::MinInterval); // never a spinning timer
    EXPECT_EQ(s.AgentCharacter, QString("merlin"));
    EXPECT_EQ(s.AgentFile, QString("merlin.acs"));
    EXPECT_EQ(QPoint(s.AgentLeft, s.AgentTop), QPoint(207, 104));
}

TEST(ClockSettings, HandsAreNoWiderOrLongerThanTheLargestWindowCanShow)
{
    MemorySettingsStore store;
    store.set("SecHand", "Width", "20000");
    store.set("SecHand", "Length", "1e12");
    store.set("MinHand", "Width", "-3");
    store.set("MinHand", "Length", "-1e12");
    store.set("HourHand", "Width", "21");
    store.set("HourHand", "Length", "200");
    const ClockSettings s = loaded(store);
    EXPECT_EQ(s.SecHand.Width, app::MaxHandWidth);
    EXPECT_DOUBLE_EQ(s.SecHand.Length, app::MaxHandLength);
    EXPECT_EQ(s.MinHand.Width, 0);
    EXPECT_DOUBLE_EQ(s.MinHand.Length, -app::MaxHandLength);
    EXPECT_EQ(s.HourHand.Width, 21);
    EXPECT_DOUBLE_EQ(s.HourHand.Length, 200.0);
    // A pen as wide as the largest window's diagonal covers all of it from its centre.
    EXPECT_GE(app::MaxHandWidth / 2.0, std::hypot(app::MaxWindowSide / 2.0, app::MaxWindowSide / 2.0));
}

TEST(ClockSettings, RealsFollowTheUsersNumberFormat)
{
    const core::LocaleFormats de(QLocale(QLocale::German, QLocale::Germany));
    MemorySettingsStore store;
    store.set("SecHand", "Length", "0,5");
    ClockSettings s;
    app::LoadSettings(store, de, kScreen, s);
    EXPECT_DOUBLE_EQ(s.SecHand.Length, 0.5);
    app::SaveSettings(store, de, s);
    EXPECT_EQ(store.stored("MinHand", "Length"), QString("0,89"));
}

TEST(ClockSettings, AMissingPictureIsForgottenButTheShapeStays)
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    store.set("Clock", "Picture File", dir.filePath("gone.bmp"));
    store.set("Clock", "Shape", "2");
    const ClockSettings s = loaded(store);
    EXPECT_TRUE(s.PictureFile.isEmpty());
    EXPECT_EQ(s.Shape, app::ShapePicture);
}
