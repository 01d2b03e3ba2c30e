#include "events/EventsFile.h"

#include <gtest/gtest.h>

using namespace events;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray shortText(const char* text)
{
    return char(std::strlen(text)) + QByteArray(text);
}

EventRecord teaRow()
{
    EventRecord row;
    row.Name = "Tea";
    row.SubTexts = {"03/02/2026", "2:00:00 PM", "One Time", "Message Box", "Veskel", "Go", "T", ""};
    row.Active = true;
    return row;
}

std::string expectMessage(const QByteArray& file)
{
    try {
        readEventsFile(file);
    } catch (const EventsFileError& e) {
        return e.what();
    }
    return "(read)";
}

} // namespace

TEST(EventsFile, WritesTheLayoutByteForByte)
{
    // Worked out by hand from the layout: one row in the report view.
    QByteArray expected("TPF0");
    expected += shortText("TListView");
    expected += bytes({0});
    expected += shortText("Items.Data");
    expected += bytes({10, 88, 0, 0, 0});                // binary, 88 bytes
    expected += bytes({88, 0, 0, 0, 1, 0, 0, 0});        // total size, one row
    expected += bytes({0, 0, 0, 0});                     // image index
    expected += bytes({-1, -1, -1, -1, -1, -1, -1, -1}); // state and overlay images
    expected += bytes({8, 0, 0, 0, 0, 0, 0, 0});         // eight texts, user data 0
    for (const char* t :
         {"Tea", "03/02/2026", "2:00:00 PM", "One Time", "Message Box", "Veskel", "Go", "T", ""})
        expected += shortText(t);
    expected += shortText("ViewStyle");
    expected += bytes({7});
    expected += shortText("vsReport");
    expected += bytes({0, 0});
    EXPECT_EQ(writeEventsFile({{teaRow()}, vsReport}).toHex(' ').toStdString(),
              expected.toHex(' ').toStdString());

    // No rows: no "Items.Data"; the icon view: no "ViewStyle".
    EXPECT_EQ(writeEventsFile({{}, vsIcon}), QByteArray("TPF0\x09TListView\x00\x00\x00", 17));
    const EventsFileContent empty = readEventsFile(writeEventsFile({{}, vsIcon}));
    EXPECT_TRUE(empty.rows.empty());
    EXPECT_EQ(empty.viewStyle, vsIcon);
}

TEST(EventsFile, RoundTripCutsLongTextsAtACharacterAndTakesTheCheckFromTheFlag)
{
    EventRecord row = teaRow();
    row.text(FileText) = QString(300, 'm');
    row.text(FolderText) = QString(253, 'x') + QString::fromUtf8("日"); // 256 bytes in UTF-8
    row.text(ActiveFlag) = "F";
    row.IconIndex = 3;
    EventRecord unchecked = teaRow();
    unchecked.text(ActiveFlag) = "F";
    const EventsFileContent back = readEventsFile(writeEventsFile({{row, unchecked}, vsSmallIcon}));
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(back.rows[0].text(FileText), QString(255, 'm'));
    EXPECT_EQ(back.rows[0].text(FolderText), QString(253, 'x'));
    EXPECT_EQ(back.rows[0].IconIndex, 3);
    EXPECT_FALSE(back.rows[0].Active);
    EXPECT_EQ(back.viewStyle, vsSmallIcon);
    EXPECT_EQ(readEventsFile(writeEventsFile({{teaRow()}, vsList})).rows[0], teaRow());
}

TEST(EventsFile, TextsAreWindows1252WhenTheyFitAndUtf8OnlyWhenTheyDoNot)
{
    const QString accents = QString::fromUtf8(
        "Caf\u00e9 cr\u00e8me \u20ac \u0153uvre \u2122"); // all in Windows-1252
    EventRecord row = teaRow();
    row.Name = QString(250, 'n') + QString::fromUtf8("\u00e9");
    row.text(FileText) = QString(200, QChar(0xE9)); // 200 "é": 400 bytes in UTF-8
    row.text(FolderText) = accents;
    row.text(TimeText) = QString::fromUtf8("\u00c3\u00a9"); // "Ã©": its Windows-1252 bytes read as UTF-8 "é"
    row.text(DayDate) = QString::fromUtf8("\u65e5\u672c \u00e9"); // "日本 é" does not fit
    const QByteArray file = writeEventsFile({{row}, vsIcon});
    EXPECT_TRUE(file.contains(QByteArray(200, char(0xE9))));
    EXPECT_TRUE(file.contains(QByteArray("Caf\xe9 cr\xe8me \x80 \x9cuvre \x99")));
    EXPECT_TRUE(file.contains(QString::fromUtf8("\u65e5\u672c \u00e9").toUtf8()));
    const EventRecord back = readEventsFile(file).rows.at(0);
    EXPECT_EQ(back.Name, row.Name);
    EXPECT_EQ(back.text(FileText), row.text(FileText));
    EXPECT_EQ(back.text(FolderText), accents);
    EXPECT_EQ(back.text(TimeText), row.text(TimeText));
    EXPECT_EQ(back.text(DayDate), row.text(DayDate));

    // 300 characters that fit keep 255 of them; ones that do not fit keep what 255 bytes hold.
    row.text(FileText) = QString(300, QChar(0xE9));
    row.text(FolderText) = QString(300, QChar(0x65E5));
    const EventRecord cut = readEventsFile(writeEventsFile({{row}, vsIcon})).rows.at(0);
    EXPECT_EQ(cut.text(FileText), QString(255, QChar(0xE9)));
    EXPECT_EQ(cut.text(FolderText), QString(85, QChar(0x65E5)));
}

TEST(EventsFile, ReadsFilesWithFurtherPropertiesOfEveryKind)
{
    QByteArray file("TPF0");
    file += shortText("TListView") + shortText("LV");
    file += shortText("Left") + bytes({3, 8, 0});
    file += shortText("Checkboxes") + bytes({9});
    file += shortText("Font.Name") + bytes({6}) + shortText("MS Sans Serif");
    file += shortText("Anchors") + bytes({11}) + shortText("akLeft") + shortText("akTop") + bytes({0});
    file += shortText("Tag") + bytes({4, 1, 2, 3, 4});
    file += shortText("Ratio") + bytes({5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F});
    file += shortText("Hint") + bytes({12, 3, 0, 0, 0}) + "abc";
    file += shortText("PopupMenu") + bytes({13});
    file += shortText("Strings") + bytes({1, 6, 1, 'a', 1, 2, 9, 0, 8, 0}); // a list holding a list
    file += shortText("Columns") + bytes({14});
    file += bytes({1}) + shortText("Caption") + bytes({6}) + shortText("Event Name") + shortText("Width") +
            bytes({3, 100, 0, 0});                                     // an item without its index
    file += bytes({2, 1, 1}) + shortText("Width") + bytes({2, 90, 0}); // an item with index 1
    file += bytes({0});                                                // end of the collection
    const QByteArray rowsAndEnd = writeEventsFile({{teaRow()}, vsReport}).mid(4 + 10 + 1);
    file += rowsAndEnd; // "Items.Data", "ViewStyle" and the end bytes of a written file
    const EventsFileContent content = readEventsFile(file);
    ASSERT_EQ(content.rows.size(), 1u);
    EXPECT_EQ(content.rows[0], teaRow());
    EXPECT_EQ(content.viewStyle, vsReport);
}

TEST(EventsFile, RowsWithFewerOrMoreThanEightTextsAreMadeToFit)
{
    QByteArray rows;
    const auto put32 = [&rows](int v) {
        rows += bytes({v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, (v >> 24) & 0xFF});
    };
    put32(2), put32(-1), put32(-1), put32(2), put32(0);
    rows += shortText("Short") + shortText("date") + shortText("time");
    put32(4), put32(-1), put32(-1), put32(10), put32(0);
    rows += shortText("Long");
    for (int i = 0; i < 10; ++i)
        rows += shortText(QByteArray::number(i).constData());
    QByteArray payload;
    const int total = 8 + int(rows.size());
    payload += bytes({total & 0xFF, total >> 8, 0, 0, 2, 0, 0, 0}) + rows;
    QByteArray file = QByteArray("TPF0") + shortText("TListView") + bytes({0}) + shortText("Items.Data") +
                      bytes({10});
    file += bytes({int(payload.size()) & 0xFF, int(payload.size()) >> 8, 0, 0}) + payload + bytes({0, 0});
    const EventsFileContent content = readEventsFile(file);
    ASSERT_EQ(content.rows.size(), 2u);
    EXPECT_EQ(content.rows[0].text(TimeText), "time");
    EXPECT_EQ(content.rows[0].text(RunWindow), "");
    EXPECT_EQ(content.rows[0].IconIndex, 2);
    EXPECT_EQ(content.rows[1].text(RunWindow), "7");
}

// Each bound the reader keeps, on a file that only it stops; and a file cut anywhere.
TEST(EventsFile, EveryBoundOfTheReaderStopsAFileOfItsOwn)
{
    const auto le32 = [](qint64 v) {
        return bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int((v >> 24) & 0xFF)});
    };
    const QByteArray start = QByteArray("TPF0") + shortText("TListView") + bytes({0});
    const QByteArray binary = start + shortText("Items.Data") + bytes({10});
    const auto items = [&](const QByteArray& payload) {
        return binary + le32(payload.size()) + payload + bytes({0, 0});
    };
    // Image, state and overlay images, the number of texts, user data.
    const auto rowHeader = [&](qint64 texts) {
        return le32(0) + le32(-1) + le32(-1) + le32(texts) + le32(0);
    };
    struct Case
    {
        const char* what;
        QByteArray file;
        const char* error;
    } const cases[] = {
        {"no signature", "TPF1 not a stream", InvalidStreamFormat},
        {"shorter than a signature", "TP", InvalidStreamFormat},
        {"a binary value longer than the file", binary + le32(0x7FFFFFFF), StreamReadError},
        {"a binary value of negative length", binary + le32(-0x80000000LL), InvalidStreamFormat},
        {"rows whose total is less than their header", items(le32(7) + le32(0)), StreamReadError},
        {"rows whose total is more than the data", items(le32(8 + 21 + 10) + le32(1) + rowHeader(0)),
         StreamReadError},
        {"a negative row count", items(le32(8) + le32(-1)), StreamReadError},
        {"more rows than the data can hold",
         items(le32(8 + 21) + le32(0x7FFFFFFF) + rowHeader(0) + bytes({0})), StreamReadError},
        {"a negative number of texts", items(le32(8 + 21) + le32(1) + rowHeader(-1) + bytes({0})),
         StreamReadError},
        {"more texts than bytes", items(le32(8 + 21) + le32(1) + rowHeader(0x7FFFFFFF) + bytes({0})),
         StreamReadError},
        {"a name past the rows' total", items(le32(8 + 21) + le32(1) + rowHeader(0) + shortText("Tea")),
         StreamReadError},
        {"an end with no list open", start + shortText("Odd") + bytes({0}), InvalidStreamFormat},
        {"a value kind the stream does not have", start + shortText("Odd") + bytes({42}),
         InvalidStreamFormat},
        {"a collection item that is no list", start + shortText("Columns") + bytes({14, 6}),
         InvalidStreamFormat},
        {"lists nested 100000 deep, then cut off", start + shortText("Deep") + QByteArray(100000, char(1)),
         StreamReadError},
    };
    for (const Case& c : cases)
        EXPECT_EQ(expectMessage(c.file), c.error) << c.what;
    const QByteArray good = writeEventsFile({{teaRow(), teaRow()}, vsReport});
    for (qsizetype cut = 4; cut < good.size(); ++cut)
        EXPECT_EQ(expectMessage(good.left(cut)), StreamReadError) << "cut at " << cut;
    // Nesting as deep as that, ended, is read without exhausting the stack.
    const QByteArray deep = start + shortText("Deep") + QByteArray(100000, char(1)) +
                            QByteArray(100000, char(0));
    EXPECT_EQ(readEventsFile(deep + bytes({0, 0})).rows.size(), 0u);
}
