#include "core/AnsiText.h"

#include <gtest/gtest.h>

using namespace core;

TEST(AnsiText, DecodesUtf8AndFallsBackToWindows1252)
{
    EXPECT_EQ(decode8Bit("Stra\xC3\x9F"
                         "e"),
              QString::fromUtf8("Straße"));
    EXPECT_EQ(decode8Bit("Stra\xDF"
                         "e \x80 \x9F"),
              QString::fromUtf8("Straße € Ÿ"));
    // Overlong and surrogate forms are not UTF-8.
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));
    EXPECT_FALSE(isValidUtf8("\xE2\x82")); // truncated
    EXPECT_TRUE(isValidUtf8("\xF0\x9F\x95\x90"));
}

TEST(AnsiText, CutsAtACharacterBoundary)
{
    const QString text = QString(254, 'a') + QString::fromUtf8("é") + "b";
    const QByteArray cut = utf8CutToBytes(text, 255);
    EXPECT_EQ(cut.size(), 254); // the two-byte é would cross the limit
    EXPECT_TRUE(isValidUtf8(cut));
    EXPECT_EQ(utf8CutToBytes(QString(300, 'x'), 255).size(), 255);
    EXPECT_EQ(utf8CutToBytes("short", 255), QByteArray("short"));
}

TEST(AnsiText, AStrayByteMakesOnlyItsOwnLineWindows1252)
{
    const QByteArray file = "Name=Zo\xC3\xAB\r\n"
                            "Town=Z\xFCrich\r\n"
                            "Path=/home/zo\xC3\xAB/pictures/caf\xC3\xA9.bmp\n"
                            "\rLast=\x80";
    EXPECT_EQ(decode8BitLines(file), QString::fromUtf8("Name=Zoë\r\nTown=Zürich\r\n"
                                                       "Path=/home/zoë/pictures/café.bmp\n\rLast=€"));
    EXPECT_EQ(decode8BitLines("all UTF-8: \xC3\xA9\n"), QString::fromUtf8("all UTF-8: é\n"));
    EXPECT_EQ(decode8BitLines(""), QString());
}
