#include "lang/TfrmLanguage.h"
#include "support/FakePlatform.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using lang::TfrmLanguage;

namespace {

class LanguageChooser : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    fakes::RecordingMessageBoxes messages;
    QString language = "german";

    void SetUp() override
    {
        for (const char* name : {"German.txt", "french.txt", "pt.br.txt"})
            QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }

    QStringList entries(const TfrmLanguage& chooser) const
    {
        QStringList texts;
        for (int i = 0; i < chooser.lstLanguage->count(); ++i)
            texts << chooser.lstLanguage->item(i)->text();
        return texts;
    }

    void click(TfrmLanguage& chooser, int row)
    {
        QListWidgetItem* item = chooser.lstLanguage->item(row);
        const QRect where = chooser.lstLanguage->visualItemRect(item);
        QTest::mouseClick(chooser.lstLanguage->viewport(), Qt::LeftButton, {}, where.center());
    }
};

} // namespace

TEST_F(LanguageChooser, ListsEnglishFirstThenTheFilesAndSelectsTheCurrentOne)
{
    TfrmLanguage chooser(language, dir.path(), messages);
    chooser.show();
    EXPECT_EQ(entries(chooser), (QStringList{"default <English>", "French", "German", "Pt.br"}));
    EXPECT_EQ(chooser.lstLanguage->currentRow(), 2); // "german" matches German
    EXPECT_FALSE(chooser.btnOK->isEnabled());
}

TEST_F(LanguageChooser, OkKeepsTheChoiceCancelPutsBackTheOldOne)
{
    {
        TfrmLanguage chooser(language, dir.path(), messages);
        chooser.show();
        click(chooser, 1);
        EXPECT_EQ(language, "French");
        EXPECT_TRUE(chooser.btnOK->isEnabled());
        QTest::mouseClick(chooser.btnOK, Qt::LeftButton);
        EXPECT_EQ(chooser.result(), QDialog::Accepted);
        EXPECT_EQ(language, "French");
    }
    {
        TfrmLanguage chooser(language, dir.path(), messages);
        chooser.show();
        click(chooser, 0);
        EXPECT_TRUE(language.isEmpty()); // English
        QTest::keyClick(&chooser, Qt::Key_Escape);
        EXPECT_EQ(language, "French");
        EXPECT_TRUE(messages.questions.isEmpty());
    }
}

TEST_F(LanguageChooser, TheCloseBoxAsksOnlyWhenTheChoiceChanged)
{
    TfrmLanguage chooser(language, dir.path(), messages);
    chooser.show();
    chooser.close();
    EXPECT_TRUE(messages.questions.isEmpty());

    chooser.show();
    click(chooser, 3);
    messages.answer = platform::MessageBoxes::Answer::Cancel;
    chooser.close();
    EXPECT_EQ(messages.questions, QStringList{"Save Changes?"});
    EXPECT_TRUE(chooser.isVisible());
    EXPECT_EQ(language, "Pt.br");

    messages.answer = platform::MessageBoxes::Answer::No;
    chooser.close();
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(language, "german");

    chooser.show();
    click(chooser, 1);
    messages.answer = platform::MessageBoxes::Answer::Yes;
    chooser.close();
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(language, "French");
}
