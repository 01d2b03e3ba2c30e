#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using lang::LanguageTable;

TEST(LanguageTable, KeysAreWholeTextsWithNothingTrimmed)
{
    const LanguageTable table = LanguageTable::fromText(
        "Exit=\n"        // an empty translation counts as none...
        "exit=Beenden\n" // ...and the first line with the key wins all the same
        "Help =Hilfe\n"  // the blank belongs to the key
        "About = Über\n"
        "a=b=c\n" // the key is "a"; a key with "=" cannot exist
        "Save=Speichern\n"
        "SAVE=Sichern\n"         // duplicate: the first wins
        ";Configure=Kommentar\n" // a comment
        " ;Time=Zeit\n"          // not a comment: the key starts with a blank
        "no equals sign here\n"
        "ÄNDERN=Geändert\n");
    EXPECT_EQ(table.translate("Exit"), "Exit");
    EXPECT_EQ(table.translate("Help"), "Help");
    EXPECT_EQ(table.translate("Help "), "Hilfe");
    EXPECT_EQ(table.translate("About "), " Über");
    EXPECT_EQ(table.translate("a"), "b=c");
    EXPECT_EQ(table.translate("a=b"), "a=b");
    EXPECT_EQ(table.translate("save"), "Speichern");
    EXPECT_EQ(table.translate("Configure"), "Configure");
    EXPECT_EQ(table.translate(" ;Time"), "Zeit");
    EXPECT_EQ(table.translate("no equals sign here"), "no equals sign here");
    EXPECT_EQ(table.translate("ändern"), "Geändert"); // letter case beyond ASCII
    EXPECT_EQ(table.lines().size(), 10);              // the comment is gone
}

TEST(LanguageTable, EveryLineEndingAndWindows1252Files)
{
    const LanguageTable mixed = LanguageTable::fromText("One=Eins\r\nTwo=Zwei\rThree=Drei\nFour=Vier");
    EXPECT_EQ(mixed.translate("Two"), "Zwei");
    EXPECT_EQ(mixed.translate("Three"), "Drei");
    EXPECT_EQ(mixed.translate("Four"), "Vier");

    QTemporaryDir dir;
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("german.txt"),
                                  "About...=\xDC"
                                  "ber...\r\nRight Click Me!=Klick mich an \x96 rechts!\r\n"));
    const LanguageTable legacy = LanguageTable::load(dir.filePath("german.txt"));
    EXPECT_EQ(legacy.translate("About..."), QString::fromUtf8("Über..."));
    EXPECT_EQ(legacy.translate("Right Click Me!"), QString::fromUtf8("Klick mich an – rechts!"));

    EXPECT_TRUE(LanguageTable::load(dir.filePath("missing.txt")).isEmpty());
    EXPECT_TRUE(LanguageTable::load(dir.path()).isEmpty()); // a folder is not a file

    // One line with a stray Windows-1252 byte leaves the UTF-8 lines around it alone.
    ASSERT_TRUE(fakes::writeAllOf(dir.filePath("french.txt"),
                                  "About...=\xC0 propos...\r\nExit=Quitter \xC3\xA0 pr\xC3\xA9sent\r\n"));
    const LanguageTable perLine = LanguageTable::load(dir.filePath("french.txt"));
    EXPECT_EQ(perLine.translate("About..."), QString::fromUtf8("À propos..."));
    EXPECT_EQ(perLine.translate("Exit"), QString::fromUtf8("Quitter à présent"));

    // A named pipe in a language file's place is not waited on.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.txt")).constData(), 0600), 0);
    EXPECT_TRUE(LanguageTable::load(dir.filePath("pipe.txt")).isEmpty());
}

TEST(LanguageTable, FileNamesGiveLanguageNames)
{
    QTemporaryDir dir;
    for (const char* name : {"GERMAN.TXT", "french.txt", "pt.br.txt", "notes.md", "German.txt.bak"})
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    EXPECT_EQ(lang::languageNames(dir.path()), (QStringList{"French", "German", "Pt.br"}));
    EXPECT_EQ(lang::findLanguageFile(dir.path(), "German"), dir.filePath("GERMAN.TXT"));
    EXPECT_EQ(lang::findLanguageFile(dir.path(), "pt.br"), dir.filePath("pt.br.txt"));
    EXPECT_TRUE(lang::findLanguageFile(dir.path(), "Klingon").isEmpty());
    EXPECT_TRUE(lang::languageNames(dir.filePath("nowhere")).isEmpty());
}

TEST(Translate, UsesTheActiveTableAndReportsWhatItLacks)
{
    const LanguageTable table = LanguageTable::fromText("Exit=Beenden\n");
    QStringList missing;
    lang::setMissingTranslationObserver([&missing](const QString& text) { missing << text; });
    lang::setActiveLanguage(&table);
    EXPECT_EQ(Translate("EXIT"), "Beenden");
    EXPECT_EQ(Translate("Help"), "Help");
    lang::setActiveLanguage(nullptr);
    EXPECT_EQ(Translate("Exit"), "Exit");
    lang::setMissingTranslationObserver({});
    EXPECT_EQ(missing, QStringList{"Help"});
}

TEST(Translate, FillingInReplacesTheFirstPlaceholderOnly)
{
    EXPECT_EQ(lang::fillIn("Cannot open file %s", "/tmp/Events.dta"), "Cannot open file /tmp/Events.dta");
    EXPECT_EQ(lang::fillIn("%s and %s", "one"), "one and %s");
    EXPECT_EQ(lang::fillIn("no place", "x"), "no place");
    // A translation of a million placeholders stays the size it was, not a million paths long.
    const QString hostile = QString("%s").repeated(1500000);
    EXPECT_EQ(lang::fillIn(hostile, QString(100, 'p')).size(), hostile.size() + 98);
}
