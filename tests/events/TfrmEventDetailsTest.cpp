#include "events/TfrmEventDetails.h"
#include "events/EventList.h"
#include "support/FakeActions.h"
#include "support/FakePlatform.h"
#include "support/Files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace events;

namespace {

class SomeCharacters final : public AgentCharacters
{
public:
    bool AgentAvailable() const override { return true; }
    QStringList FillCharacterList() const override { return {"Genie", "Merlin", "Robby"}; }
    QString AgentCharacter() const override { return "Robby"; }
};

class EventDetails : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    EventList list;
    TfrmEventDetails details{fake.services()};
    QList<EventRecord> tested;

    void SetUp() override
    {
        details.setTestAction([this](const EventRecord& fields) {
            tested << fields;
            return ActionOutcome::Done;
        });
    }
    int add(const QString& type, const QString& folder, const QString& file, const QString& runWindow = "")
    {
        EventRecord r;
        r.Name = "Event";
        r.text(ScheduleName) = "Daily";
        r.text(TimeText) = "9:00:00 AM";
        r.text(TypeName) = type;
        r.text(FolderText) = folder;
        r.text(FileText) = file;
        r.text(RunWindow) = runWindow;
        list.appendRow(r);
        return list.count() - 1;
    }
    // Opens the dialog for a row, does `inside` while it is shown, then closes it with OK (when
    // OK can be pressed) or Cancel. Returns whether OK closed it.
    bool edit(int row, const std::function<void()>& inside, bool ok = true)
    {
        QTimer::singleShot(0, &details, [this, inside, ok] {
            inside();
            (ok ? details.btnOK : details.btnCancel)->click();
            if (details.isVisible())
                details.reject(); // OK could not be pressed
        });
        return details.editEvent(list, row);
    }
    void choose(int type) { details.radType->button(type)->click(); }
    bool shown(QWidget* w) { return w->isVisibleTo(&details); }
    QString file(const QString& relative, const QByteArray& bytes = "x")
    {
        const QString path = fake.programPath(relative);
        EXPECT_TRUE(fakes::writeAllOf(path, bytes));
        return path;
    }
    // Files dragged from the file manager and let go over the dialog.
    bool drop(const QList<QUrl>& urls)
    {
        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&details, &enter);
        if (!enter.isAccepted())
            return false;
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
        QDropEvent letGo(QPointF(20, 20), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&details, &letGo);
        return letGo.isAccepted();
    }
    bool hasPicture() { return !details.img->pixmap().isNull(); }
};

} // namespace

TEST_F(EventDetails, ADroppedSoundPlaysFromTheSoundsFolderAndADocumentOpensWhereItIs)
{
    const int row = add("Message Box", "Veskel", "Reminder Message");
    const QString ring = file("Sounds/ring.wav");
    const QString notes = file("Documents/notes.txt");
    const bool kept = edit(row, [&] {
        EXPECT_TRUE(drop({QUrl::fromLocalFile(ring)}));
        EXPECT_EQ(details.type(), atPlayMedia);
        EXPECT_EQ(details.lblInstruction->text(), "Drag and drop a file from the file manager");
        EXPECT_EQ(details.txtFolder->text(), ""); // the Sounds folder is where a sound is looked for
        EXPECT_EQ(details.txtFile->text(), "ring.wav");
        EXPECT_TRUE(hasPicture());
        EXPECT_TRUE(details.btnOK->isEnabled());
        EXPECT_TRUE(shown(details.btnFileOpen));
        EXPECT_FALSE(shown(details.cboRunWindow));

        details.cboRunWindow->setCurrentIndex(2);
        EXPECT_TRUE(drop({QUrl::fromLocalFile(notes), QUrl::fromLocalFile(ring), QUrl::fromLocalFile(ring)}));
        EXPECT_EQ(details.type(), atRunProgram);
        EXPECT_EQ(details.txtFolder->text(), fake.programPath("Documents/"));
        EXPECT_EQ(details.txtFile->text(), "notes.txt");
        EXPECT_EQ(details.cboRunWindow->currentText(), "Normal Window");
        EXPECT_TRUE(hasPicture());
        EXPECT_EQ(fake.shell.iconsAsked.last(), notes);
        EXPECT_TRUE(shown(details.cboRunWindow));

        // Only files of this machine can be taken; one that is gone clears the picture.
        EXPECT_FALSE(drop({QUrl("https://example.org/ring.wav")}));
        EXPECT_TRUE(drop({QUrl::fromLocalFile(fake.programPath("Gone/old.mid"))}));
        EXPECT_EQ(details.type(), atPlayMedia);
        EXPECT_EQ(details.txtFolder->text(), fake.programPath("Gone/"));
        EXPECT_FALSE(hasPicture());
    });
    EXPECT_TRUE(kept);
    EXPECT_EQ(list.row(row).text(TypeName), "Play a Media File");
    EXPECT_EQ(list.row(row).text(FileText), "old.mid");
    EXPECT_EQ(list.row(row).text(RunWindow), "");
    EXPECT_TRUE(list.saveCommandEnabled());
}

TEST_F(EventDetails, AdjustTheTimeNeedsNothingAndOKEmptiesTheFolderAndFileAndSaysATimeHasPassed)
{
    const int row = add("Message Box", "Lunch", "Go now");
    EventRecord yesterday = list.row(row);
    yesterday.text(ScheduleName) = "One Time";
    yesterday.text(DayDate) = "03/01/2026";
    yesterday.Active = true;
    list.setRow(row, yesterday);
    EXPECT_TRUE(edit(row, [&] {
        EXPECT_EQ(details.txtFolder->text(), "Lunch");
        EXPECT_EQ(details.lblFolder->text(), "Title:");
        EXPECT_EQ(details.lblInstruction->text(), "Type in a message to display");
        details.txtFile->clear();
        EXPECT_FALSE(details.btnOK->isEnabled());
        EXPECT_FALSE(details.btnTest->isEnabled());
        choose(atAdjustTime);
        EXPECT_TRUE(details.btnOK->isEnabled());
        EXPECT_TRUE(details.btnTest->isEnabled());
        EXPECT_FALSE(shown(details.txtFolder));
        EXPECT_FALSE(shown(details.txtFile));
        EXPECT_TRUE(hasPicture());
    }));
    const EventRecord& r = list.row(row);
    EXPECT_EQ(r.text(TypeName), "Adjust the Time");
    EXPECT_EQ(r.text(FolderText), "");
    EXPECT_EQ(r.text(FileText), "");
    EXPECT_EQ(fake.messages.warnings, QStringList{"This event's time has passed"});
}

// The test does what the event will do, with no more text than the event keeps, and says what a
// time update did.
TEST_F(EventDetails, TheTestDoesWhatTheEventWillAndSaysWhatATimeUpdateDid)
{
    fakes::FakeActionWorld world(fake);
    EventActions actions(world.services());
    details.setTestAction(
        [&actions](const EventRecord& fields) { return actions.Perform(actionOf(fields), false); });
    edit(
        add("Message Box", "Lunch", "Go now"),
        [&] {
            details.txtFile->selectAll();
            details.txtFile->insert(QString(300, 'm'));
            details.txtFolder->insert(QString(200, QChar(0x65E5)));
            EXPECT_EQ(details.txtFolder->text(), "Lunch" + QString(83, QChar(0x65E5))); // 254 bytes of UTF-8
            details.btnTest->click();
            choose(atAdjustTime);
            details.btnTest->click();
            fake.network.connected = false;
            details.btnTest->click();
        },
        false);
    EXPECT_EQ(world.updates, 1);
    EXPECT_EQ(
        fake.messages.informations,
        (QStringList{QString(255, 'm'), "The Adjust Time Event was triggered.",
                     "There is no Internet connection\r\nso there would have been no Adjust Time Event."}));
}

TEST_F(EventDetails, TheRunWindowIsStoredAsTheShowCommandAndComesBack)
{
    const int row = add("Run a Program", "/usr/bin/", "xclock");
    EXPECT_FALSE(details.cboRunWindow->isEnabled()); // the desktop decides how a window shows
    EXPECT_TRUE(edit(row, [&] {
        EXPECT_EQ(details.cboRunWindow->currentText(), "Normal Window");
        details.cboRunWindow->setCurrentIndex(2);
    }));
    EXPECT_EQ(list.row(row).text(RunWindow), "3");
    EXPECT_TRUE(edit(row, [&] {
        EXPECT_EQ(details.cboRunWindow->currentText(), "Maximized");
        details.cboRunWindow->setCurrentIndex(1);
    }));
    EXPECT_EQ(list.row(row).text(RunWindow), "2");

    // Cancel writes nothing, and a message keeps no window choice.
    EXPECT_FALSE(edit(
        row, [&] { details.cboRunWindow->setCurrentIndex(0); }, false));
    EXPECT_EQ(list.row(row).text(RunWindow), "2");
    EXPECT_TRUE(edit(row, [&] { choose(atMessageBox); }));
    EXPECT_EQ(list.row(row).text(RunWindow), "");
    EXPECT_EQ(list.row(row).text(FileText), "xclock");
}

TEST_F(EventDetails, TheTestPerformsTheFieldsAsTheyStand)
{
    const int row = add("Run a Program", "", "gedit", "2");
    edit(
        row,
        [&] {
            details.btnTest->click();
            details.setType(-1);
            details.btnTestClick();
            choose(atAgent);
            EXPECT_EQ(details.lblInstruction->text(), "The speaking character is not installed");
            EXPECT_FALSE(details.btnOK->isEnabled());
            EXPECT_FALSE(details.btnTest->isEnabled());
            details.btnTestClick();
            // Enter in a field neither types nor closes the dialog.
            QTest::keyClick(details.txtFile, Qt::Key_Return);
            EXPECT_TRUE(details.isVisible());
        },
        false);
    ASSERT_EQ(tested.size(), 1);
    EXPECT_EQ(tested[0].text(TypeName), "Run a Program");
    EXPECT_EQ(tested[0].text(FileText), "gedit");
    EXPECT_EQ(tested[0].text(RunWindow), "2");
    EXPECT_EQ(fake.messages.warnings, QStringList{"A Type needs to be chosen!"});
    EXPECT_EQ(fake.messages.informations, QStringList{"The speaking character is not installed"});
    EXPECT_EQ(details.radType->button(atAgent)->text(), "Announcement by a Character");
    EXPECT_EQ(list.row(row).text(TypeName), "Run a Program"); // cancelled: unchanged
}

TEST_F(EventDetails, WithCharactersTheRowsCharacterIsChosenAndOKWaitsForAChange)
{
    SomeCharacters characters;
    details.setCharacters(characters);
    const int row = add("Microsoft Agent", "merlin", "Good morning");
    EXPECT_TRUE(edit(row, [&] {
        EXPECT_EQ(details.cboCharacter->count(), 3);
        EXPECT_EQ(details.cboCharacter->currentText(), "Merlin");
        EXPECT_EQ(details.txtFolder->text(), "");
        EXPECT_EQ(details.lblInstruction->text(), "Announce with an Agent Character");
        EXPECT_TRUE(shown(details.cboCharacter));
        EXPECT_TRUE(shown(details.btnAgent));
        EXPECT_FALSE(details.btnOK->isEnabled()); // nothing changed yet
        EXPECT_TRUE(details.btnTest->isEnabled());
        details.cboCharacter->setCurrentIndex(0);
        EXPECT_FALSE(details.btnOK->isEnabled()); // another character is no change
        details.txtFile->setText("Good morning, world");
        EXPECT_TRUE(details.btnOK->isEnabled());
        details.btnTest->click();
    }));
    ASSERT_EQ(tested.size(), 1);
    EXPECT_EQ(tested[0].text(FolderText), "Genie");
    EXPECT_EQ(list.row(row).text(FolderText), "Genie");
    EXPECT_EQ(list.row(row).text(FileText), "Good morning, world");

    // A row of another type: the first time the announcement is chosen, the current character.
    const int message = add("Message Box", "Veskel", "Hello");
    details.cboCharacter->setCurrentIndex(-1);
    EXPECT_TRUE(edit(message, [&] {
        choose(atAgent);
        EXPECT_EQ(details.cboCharacter->currentText(), "Robby");
    }));
    EXPECT_EQ(list.row(message).text(FolderText), "Robby");
}

TEST_F(EventDetails, TheFileChooserStartsInTheProgramFolderThenWhereTheLastFileWas)
{
    const int row = add("Play a Media File", "", "");
    const QString bell = file("Music/bell.wav");
    EXPECT_TRUE(edit(row, [&] {
        EXPECT_FALSE(details.btnOK->isEnabled());
        fake.dialogs.nextFile = bell;
        details.btnFileOpen->click();
        EXPECT_EQ(details.txtFolder->text(), fake.programPath("Music/"));
        EXPECT_EQ(details.txtFile->text(), "bell.wav");
        choose(atRunProgram);
        details.btnFileOpen->click(); // cancelled
    }));
    ASSERT_EQ(fake.dialogs.fileQuestions.size(), 2);
    const QStringList filters = TfrmEventDetails::fileFilters();
    ASSERT_EQ(filters.size(), 6);
    EXPECT_EQ(filters[0], "All Files (*)");
    EXPECT_TRUE(filters[4].startsWith("Media files (*.wav *.WAV *.mid *.MID *.avi *.AVI"));
    EXPECT_TRUE(filters[4].contains("*.ogg") && filters[4].contains("*.mkv") &&
                filters[5].contains("*.desktop"));
    EXPECT_EQ(fake.dialogs.fileQuestions[0],
              fake.folders.ProgramFolder + "||" + filters.join(";;") + "|" + filters[4]);
    EXPECT_EQ(fake.dialogs.fileTitles[0], "Select a Media File");
    EXPECT_EQ(fake.dialogs.fileQuestions[1],
              fake.programPath("Music/") + "||" + filters.join(";;") + "|" + filters[0]);
    EXPECT_EQ(fake.dialogs.fileTitles[1], "Select a Program to Run or a File to Open");
    EXPECT_EQ(list.row(row).text(FileText), "bell.wav");
}

// Which fields each type shows is checked with the types themselves above; here only that the
// dialog keeps one size, whatever the type, and names its first field for it.
TEST_F(EventDetails, EveryTypeFitsOneDialogOfOneSize)
{
    const int row = add("Message Box", "Veskel", "Hello");
    edit(
        row,
        [&] {
            details.adjustSize();
            const QSize size = details.size();
            for (const auto& [type, folderLabel] : {std::pair{atMessageBox, "Title:"},
                                                    {atRunProgram, "Folder:"},
                                                    {atPlayMedia, "Folder:"},
                                                    {atAdjustTime, ""},
                                                    {atAgent, "Agent:"}}) {
                SCOPED_TRACE(type);
                choose(type);
                if (*folderLabel) {
                    EXPECT_EQ(details.lblFolder->text(), folderLabel);
                }
                details.adjustSize();
                EXPECT_EQ(details.size(), size);
            }
        },
        false);
}

TEST_F(EventDetails, TheAgentSupportPageOpensFromTheProgramFolder)
{
    details.btnAgentClick();
    EXPECT_EQ(fake.messages.errors,
              QStringList{"Couldn't run the file:\n" + fake.programPath("AgentSupport.htm")});
    file("AgentSupport.htm", "<html></html>");
    details.btnAgentClick();
    EXPECT_EQ(fake.shell.opened.value(0), QUrl::fromLocalFile(fake.programPath("AgentSupport.htm")));
    EXPECT_EQ(fake.messages.errors.size(), 1);
}
