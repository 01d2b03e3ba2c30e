#include "core/IniFile.h"

#include <gtest/gtest.h>

using core::IniFile;

TEST(IniFile, KeepsOrderCaseAndFirstDuplicate)
{
    const IniFile ini = IniFile::parse(
        "[Zeta]\r\nb=2\r\na=1\r\n; note\r\n[alpha]\nX = spaced value \nx=second\n");
    EXPECT_EQ(ini.sections(), (QStringList{"Zeta", "alpha"}));
    EXPECT_EQ(ini.keys("zeta"), (QStringList{"b", "a"}));
    EXPECT_EQ(ini.value("ALPHA", "x"), QString("spaced value"));
    EXPECT_FALSE(ini.value("alpha", "note").has_value());

    IniFile written = ini;
    written.setValue("New", "k", "v");
    written.setValue("zeta", "A", "changed");
    const IniFile back = IniFile::parse(written.serialize());
    EXPECT_EQ(back.sections(), (QStringList{"Zeta", "alpha", "New"}));
    EXPECT_EQ(back.value("Zeta", "a"), QString("changed"));
}

TEST(IniFile, ValuesSurviveARoundTripWithBlanksQuotesAndEightBitText)
{
    IniFile ini;
    ini.setValue("S", "lead", "  two blanks");
    ini.setValue("S", "trail", "two blanks  ");
    ini.setValue("S", "quoted", "\"already\"");
    ini.setValue("S", "umlaut", QString::fromUtf8("Zürich"));
    ini.setValue("S", "empty", "");
    const IniFile back = IniFile::parse(ini.serialize());
    EXPECT_EQ(back.value("S", "lead"), QString("  two blanks"));
    EXPECT_EQ(back.value("S", "trail"), QString("two blanks  "));
    EXPECT_EQ(back.value("S", "quoted"), QString("\"already\""));
    EXPECT_EQ(back.value("S", "umlaut"), QString::fromUtf8("Zürich"));
    EXPECT_EQ(back.value("S", "empty"), QString(""));

    // A file written elsewhere in Windows-1252.
    const IniFile legacy = IniFile::parse("[S]\nname=Z\xFCrich \x80\n");
    EXPECT_EQ(legacy.value("S", "name"), QString::fromUtf8("Zürich €"));
}

TEST(IniFile, OnlyTheKeysSetChangeAndEveryOtherLineStaysWhereItStood)
{
    // Comments, blank lines, a key before any section, unknown keys and sections, a line that is
    // no key, a repeated key, Windows-1252 bytes and CR LF line ends.
    const QByteArray text =
        "; my clock\r\nstray=1\r\n[Clock]\r\nWidth = 175 ; wide\r\n; keep\r\nMine=x\r\n"
        "junk line\r\nWidth=9\r\n\r\n[Extra]\r\nName=Z\xFCrich\r\n[clock]\r\nHeight=194\r\n";
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.serialize(), text);
    ini.setValue("Clock", "Height", "194"); // the same value: the line stays as it is
    ini.setValue("Clock", "Width", "300");
    ini.setValue("Clock", "Color", "255");
    ini.setValue("Digital", "AMPM", "0");
    EXPECT_EQ(ini.serialize(),
              QByteArray("; my clock\r\nstray=1\r\n[Clock]\r\nWidth=300\r\n; keep\r\nMine=x\r\n"
                         "junk line\r\nWidth=9\r\n\r\n[Extra]\r\nName=Z\xFCrich\r\n[clock]\r\n"
                         "Height=194\r\nColor=255\r\n\r\n[Digital]\r\nAMPM=0\r\n"));
}

TEST(IniFile, OneStrayByteLeavesTheOtherLinesUtf8)
{
    const IniFile ini = IniFile::parse("[Clock]\n"
                                       "Picture File=/home/zo\xC3\xAB/caf\xC3\xA9.bmp\n"
                                       "Caption=Z\xFCrich\n"
                                       "Language=Fran\xC3\xA7"
                                       "ais\n");
    EXPECT_EQ(ini.value("Clock", "Picture File"), QString::fromUtf8("/home/zoë/café.bmp"));
    EXPECT_EQ(ini.value("Clock", "Caption"), QString::fromUtf8("Zürich"));
    EXPECT_EQ(ini.value("Clock", "Language"), QString::fromUtf8("Français"));
}

TEST(IniFile, ManyKeysAndSectionsAreFoundChangedAndRemovedWithoutRegardToCase)
{
    QByteArray text = "[Big]\n";
    for (int i = 0; i < 20000; ++i)
        text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    text += "KEY7=duplicate\n[big]\nKey20000=later section of the same name\n";
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.sections(), QStringList{"Big"});
    EXPECT_EQ(ini.keys("BIG").size(), 20001);
    EXPECT_EQ(ini.value("big", "key7"), QString("7"));
    EXPECT_EQ(ini.value("Big", "Key20000"), QString("later section of the same name"));

    ini.removeKey("BIG", "KEY5");
    EXPECT_FALSE(ini.value("Big", "Key5").has_value());
    EXPECT_EQ(ini.value("Big", "Key6"), QString("6"));
    EXPECT_EQ(ini.keys("Big").at(5), QString("Key6"));
    ini.setValue("big", "key6", "six");
    ini.setValue("Big", "Key5", "back at the end");
    EXPECT_EQ(ini.keys("Big").back(), QString("Key5"));
    EXPECT_EQ(ini.value("Big", "KEY6"), QString("six"));
}
