#include "timezones/TZClockSettings.h"
#include "core/IniFile.h"
#include "core/LocaleFormats.h"
#include "core/StoredInteger.h"
#include "support/Files.h"
#include "timezones/TZClockFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace timezones;
using core::IniFile;

namespace {

TZFont testFont()
{
    TZFont f;
    f.Name = "DejaVu Sans";
    f.Size = 9;
    return f;
}

TZClockSettings read(const QByteArray& text, bool amPm = true)
{
    return ReadClockSettings(IniFile::parse(text), testFont(), amPm);
}

QByteArray written(const TZClockSettings& s)
{
    IniFile file;
    WriteClockSettings(s, file);
    return file.serialize();
}

} // namespace

TEST(TZClockSettings, AMissingFileGivesTheDefaultsAndTheyAreWrittenInTheFilesOrder)
{
    // Every default shows in what is written.
    const TZClockSettings s = read("");
    EXPECT_EQ(s.Font, testFont());
    EXPECT_EQ(s.displayFormat(), "h:mm:ss ampm");
    // The 12-hour clock's default is the locale's: a German user's clock counts to 24.
    EXPECT_TRUE(TZClockFile::writesTwelveHours(
        core::LocaleFormats(QLocale(QLocale::English, QLocale::UnitedStates))));
    EXPECT_FALSE(
        TZClockFile::writesTwelveHours(core::LocaleFormats(QLocale(QLocale::German, QLocale::Germany))));
    EXPECT_EQ(read("", false).displayFormat(), "h:mm:ss");
    EXPECT_TRUE(read("[Digital]\nAMPM=1\n", false).ShowAmPm); // what the file holds stays

    EXPECT_EQ(written(s), QByteArray("[Clock]\n"
                                     "Color=12632256\n"
                                     "Width=175\n"
                                     "Height=194\n"
                                     "Second Hand=1\n"
                                     "Is Digital=0\n"
                                     "\n[Hour Hand]\n"
                                     "Color=0\n"
                                     "Length=60\n"
                                     "Width=3\n"
                                     "\n[Min Hand]\n"
                                     "Color=0\n"
                                     "Length=80\n"
                                     "Width=2\n"
                                     "\n[Sec Hand]\n"
                                     "Color=255\n"
                                     "Length=90\n"
                                     "Width=1\n"
                                     "\n[Font]\n"
                                     "Name=DejaVu Sans\n"
                                     "Color=-2147483640\n"
                                     "Size=9\n"
                                     "Bold=0\n"
                                     "Italic=0\n"
                                     "StrikeOut=0\n"
                                     "Underline=0\n"
                                     "\n[Digital]\n"
                                     "Seconds=1\n"
                                     "AMPM=1\n"));
}

TEST(TZClockSettings, EveryFieldSurvivesARoundTrip)
{
    TZClockSettings s;
    s.Width = 300;
    s.Height = 320;
    s.Color = 0x123456;
    s.HourHandColor = 0x0000FF;
    s.HourHandLength = 55;
    s.HourHandWidth = 7;
    s.MinHandColor = static_cast<core::TColor>(0x8000000Fu);
    s.MinHandLength = 75;
    s.MinHandWidth = 4;
    s.SecHandColor = 0x00FF00;
    s.SecHandLength = 95;
    s.SecHandWidth = 2;
    s.ShowSecHand = false;
    s.Font = {QString::fromUtf8("Bäckerei Grotesk"), 0xFF0000, 14, true, false, true, false};
    s.ShowSeconds = false;
    s.ShowAmPm = true;
    s.IsDigital = true;
    EXPECT_EQ(read(written(s)), s);
    EXPECT_EQ(s.displayFormat(), "h:mm ampm");
    s.ShowAmPm = false;
    EXPECT_EQ(s.displayFormat(), "h:mm");
    EXPECT_FALSE(TZClockSettings::formatShowsSeconds("h:mm"));
    EXPECT_FALSE(TZClockSettings::formatShowsAmPm("h:mm"));
    EXPECT_TRUE(TZClockSettings::formatShowsSeconds("h:mm:ss ampm"));
    EXPECT_TRUE(TZClockSettings::formatShowsAmPm("h:mm:ss ampm"));
}

TEST(TZClockSettings, ValuesThatAreNotNumbersReadAsTheirDefaultsAndWildOnesAreHeldToRange)
{
    // Keys and sections in any letter case and order; text in Windows-1252 on one line.
    const TZClockSettings s = read("[digital]\nampm=0\n[clock]\nis digital=1\nheight=abc\nWidth=12abc\n"
                                   "Second Hand=-1\nColor=0x10\n[Hour Hand]\nLength=\nWidth= 9 \n"
                                   "[Min Hand]\nLength=99999999999\nWidth=+4\n[Sec Hand]\nLength=1.5\n"
                                   "[Font]\nName=Z\xFCrich\nSize=7pt\nBold=2\nItalic=0\nUnderline=yes\n");
    EXPECT_TRUE(s.IsDigital);
    EXPECT_FALSE(s.ShowAmPm);
    EXPECT_TRUE(s.ShowSeconds);
    EXPECT_EQ(s.Height, 194);
    EXPECT_EQ(s.Width, 175);
    EXPECT_TRUE(s.ShowSecHand); // any number but 0
    EXPECT_EQ(s.Color, 12632256);
    EXPECT_EQ(s.HourHandLength, 60);
    EXPECT_EQ(s.HourHandWidth, 9);
    EXPECT_EQ(s.MinHandLength, 80);
    EXPECT_EQ(s.MinHandWidth, 4);
    EXPECT_EQ(s.SecHandLength, 90);
    EXPECT_EQ(s.Font.Name, QString::fromUtf8("Zürich"));
    EXPECT_EQ(s.Font.Size, 9);
    EXPECT_TRUE(s.Font.Bold);
    EXPECT_FALSE(s.Font.Italic);
    EXPECT_FALSE(s.Font.Underline);

    const TZClockSettings wild = read(
        "[Clock]\nWidth=0\nHeight=2147483647\n[Hour Hand]\nLength=150\nWidth=-3\n"
        "[Min Hand]\nLength=-1\nWidth=100000\n[Font]\nName=\nSize=-8\n");
    EXPECT_EQ(wild.Width, TZClockSettings::MinWindowSide);
    EXPECT_EQ(wild.Height, TZClockSettings::MaxWindowSide);
    EXPECT_EQ(wild.HourHandLength, 100);
    EXPECT_EQ(wild.HourHandWidth, 0);
    EXPECT_EQ(wild.MinHandLength, 1); // a hand is drawn: lengths are 1 to 100
    EXPECT_EQ(read("[Sec Hand]\nLength=0\n").SecHandLength, 1);
    EXPECT_EQ(wild.MinHandWidth, TZClockSettings::MaxHandWidth);
    EXPECT_EQ(wild.Font.Name, "DejaVu Sans");
    EXPECT_EQ(wild.Font.Size, 1);
    EXPECT_EQ(read(QByteArray("[Font]\nName=") + QByteArray(5000, 'x')).Font.Name.size(),
              TZClockSettings::MaxFontNameLength);
    EXPECT_EQ(read(QByteArray("[Font]\nName=Sans\r\x01\x00Serif\n", 24)).Font.Name, "SansSerif");

    EXPECT_EQ(core::parseStoredInteger("-2147483640"), -2147483640);
    EXPECT_EQ(core::parseStoredInteger(" 12 "), 12);
    EXPECT_EQ(core::parseStoredInteger("2147483648"), std::nullopt);
    EXPECT_EQ(core::parseStoredInteger("1e3"), std::nullopt);
    EXPECT_EQ(core::parseStoredInteger(""), std::nullopt);
}

TEST(TZClockFile, AFileNotReadIsLeftAsItIsAndACommentedOneKeptLineForLine)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("tzclkset.dta");
    const core::LocaleFormats us(QLocale(QLocale::English, QLocale::UnitedStates));
    // The user's settings at the start of a file over 1 MiB are not taken, nor written over.
    const QByteArray huge = "[Clock]\nWidth=300\n" + QByteArray(IniFile::MaxFileSize, ';');
    ASSERT_TRUE(fakes::writeAllOf(path, huge));
    {
        TZClockFile file(path, testFont(), us);
        EXPECT_EQ(file.Settings.Width, 175);
        EXPECT_FALSE(file.save());
    }
    EXPECT_EQ(fakes::readAllOf(path), huge);

    // Comments, a key and a section of someone else's stay where they stood; the program's own
    // values change, its missing keys and the zone clock's section come after them.
    ASSERT_TRUE(fakes::writeAllOf(path,
                                  "; my zone clock\n[Clock]\nWidth=300\n; tall\nHeight=320\nOwner=me\n\n"
                                  "[Notes]\nFirst=Lima\n"));
    TZClockFile file(path, testFont(), us);
    EXPECT_EQ(file.Settings.Width, 300);
    EXPECT_EQ(file.ZoneClock, ZoneClockState());
    file.Settings.Width = 310;
    file.ZoneClock = {"SA Pacific Standard Time", "America/Lima", true};
    ASSERT_TRUE(file.save());
    const QByteArray back = fakes::readAllOf(path);
    EXPECT_TRUE(back.startsWith(
        "; my zone clock\n[Clock]\nWidth=310\n; tall\nHeight=320\nOwner=me\nColor=12632256\n"))
        << back.constData();
    EXPECT_TRUE(back.contains("\n\n[Notes]\nFirst=Lima\n\n[Hour Hand]\n"));
    EXPECT_EQ(TZClockFile(path, testFont(), us).ZoneClock, file.ZoneClock);
    // A zone id is plain text of one line; a name is held to one line too.
    EXPECT_EQ(ReadZoneClock(IniFile::parse("[Zone Clock]\nName=A\x01 B\nZone=Europe/Z\xFCrich\nShown=1\n")),
              (ZoneClockState{"A B", "", true}));
}
