#include "events/EventStorage.h"
#include "core/DateTimeText.h"
#include "events/EventList.h"
#include "support/FakePlatform.h"
#include "support/Files.h"
#include "support/TinyDisk.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace events;

namespace {

class Storage : public ::testing::Test
{
protected:
    fakes::FakePlatform fake;
    EventList list;
    EventStorage storage{list, fake.programPath("Events.dta"), fake.messages};

    EventRecord row(const QString& name, bool active, const QString& flag)
    {
        EventRecord r;
        r.Name = name;
        r.text(ScheduleName) = "Daily";
        r.text(ActiveFlag) = flag;
        r.Active = active;
        return r;
    }
    QByteArray fileBytes() { return fakes::readAllOf(storage.path()); }
};

} // namespace

TEST_F(Storage, TheCheckBoxIsWrittenAsTheFlagAndReadBackFromIt)
{
    list.appendRow(row("On", true, "F"));
    list.appendRow(row("Off", false, "T"));
    list.setViewStyle(vsReport);
    list.setSaveCommandEnabled(true);
    ASSERT_TRUE(storage.SaveEvents(true));
    EXPECT_FALSE(list.saveCommandEnabled());
    EXPECT_EQ(list.row(0).text(ActiveFlag), "T");

    EventList other;
    EventStorage reader(other, storage.path(), fake.messages);
    other.setSaveCommandEnabled(true);
    reader.LoadEvents();
    ASSERT_EQ(other.count(), 2);
    EXPECT_TRUE(other.row(0).Active);
    EXPECT_FALSE(other.row(1).Active);
    EXPECT_EQ(other.viewStyle(), vsReport);
    EXPECT_FALSE(other.saveCommandEnabled());
    EXPECT_EQ(other.data(other.index(0, 0), Qt::CheckStateRole), Qt::Checked);
}

TEST_F(Storage, AFileNotReadKeepsTheRowsIsToldOfOnceAndIsNeverWrittenOver)
{
    list.appendRow(row("Kept", true, "T"));
    storage.LoadEvents(); // no file: nothing happens
    QFile(storage.path()).open(QIODevice::WriteOnly);
    storage.LoadEvents(); // zero bytes: nothing either
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(fake.messages.errors.isEmpty());

    const QByteArray damaged("TPF0\x09TListView\x00\x0AItems.Data\x0A\xFF\xFF", 29);
    ASSERT_TRUE(fakes::writeAllOf(storage.path(), damaged));
    storage.LoadEvents();
    storage.LoadEvents();
    EXPECT_EQ(fake.messages.errors,
              QStringList{"Cannot open file " + storage.path() + "\nStream read error\n" +
                          "The clock leaves the file as it is and saves nothing into it."});
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.row(0).Name, "Kept");
    EXPECT_FALSE(storage.SaveEvents(false)); // the user knows already
    EXPECT_FALSE(storage.SaveEvents(true));  // asked for: the box says which file and why
    EXPECT_EQ(fake.messages.errors.mid(1), QStringList{"Cannot create file " + storage.path() +
                                                       "\nit was not read (Stream read error), so the clock "
                                                       "leaves it as it is"});
    EXPECT_EQ(fileBytes(), damaged);
    QFile::remove(storage.path()); // the user took it away: nothing is left to lose
    EXPECT_TRUE(storage.SaveEvents(true));

    // A named pipe would block the program for ever if it were opened as a file.
    EventStorage piped(list, fake.programPath("pipe.dta"), fake.messages, &fake.fileNotices);
    ASSERT_EQ(::mkfifo(QFile::encodeName(piped.path()).constData(), 0600), 0);
    piped.LoadEvents();
    EXPECT_FALSE(piped.SaveEvents(true));
    EXPECT_EQ(fake.told.size(), 1);
    EXPECT_TRUE(fake.told.value(0).contains("not a regular file"));
    EXPECT_EQ(list.row(0).Name, "Kept");
}

TEST_F(Storage, AFailedSaveKeepsTheOldFileAndSaysWhichFileAndWhyOnceForTheScheduler)
{
    list.appendRow(row("First", true, "T"));
    ASSERT_TRUE(storage.SaveEvents(true));
    const QByteArray before = fileBytes();

    ASSERT_TRUE(fakes::writeAllOf(fake.programPath("plain")));
    EventStorage blocked(list, fake.programPath("plain/Events.dta"), fake.messages, &fake.fileNotices);
    list.setSaveCommandEnabled(true);
    EXPECT_FALSE(blocked.SaveEvents(false));
    EXPECT_FALSE(blocked.SaveEvents(false));
    EXPECT_EQ(fake.told, QStringList{"Cannot create file " + blocked.path() + "\nNot a directory"});
    EXPECT_TRUE(fake.messages.errors.isEmpty());
    EXPECT_FALSE(blocked.SaveEvents(true));
    EXPECT_EQ(fake.messages.errors, fake.told);
    EXPECT_TRUE(list.saveCommandEnabled());
    EXPECT_EQ(fileBytes(), before);
}
