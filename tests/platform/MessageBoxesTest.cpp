#include "platform/MessageBoxes.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

TEST(MessageBoxes, AHugeTextIsCutSoTheBoxComesUpAtOnce)
{
    platform::QtMessageBoxes boxes("Veskel");
    qsizetype shownLength = -1;
    QString shownEnd;
    // Looks at the box from inside its own event loop, then answers it.
    const auto answerTheBox = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownLength = box->text().size();
        shownEnd = box->text().right(1);
        box->done(QMessageBox::Ok);
    };
    QTimer::singleShot(0, answerTheBox);
    boxes.error(QString("%s").repeated(1500000));
    EXPECT_LE(shownLength, 4001);
    EXPECT_EQ(shownEnd, QString(QChar(0x2026)));

    QTimer::singleShot(0, answerTheBox);
    boxes.error("Cannot open file /tmp/Events.dta");
    EXPECT_EQ(shownLength, QString("Cannot open file /tmp/Events.dta").size());
}

TEST(MessageBoxes, AReminderOverAModalDialogCanBeAnsweredAndOtherwiseLeavesTheDesktopFree)
{
    platform::QtMessageBoxes boxes("Veskel");
    const auto reminders = [] {
        QList<QMessageBox*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                found << box;
        return found;
    };

    // As wide as its title, and a message without blanks wrapped.
    const QString title = "Lunch with the whole department on the third floor, and bring the slides";
    boxes.showInformation(title, "Go now");
    ASSERT_EQ(reminders().size(), 1);
    QMessageBox* reminder = reminders().front();
    EXPECT_EQ(reminder->windowModality(), Qt::NonModal);
    QFont bold = QApplication::font();
    bold.setBold(true);
    EXPECT_GE(reminder->width(),
              QFontMetrics(bold).horizontalAdvance(title) + 100); // and the frame's buttons
    reminder->close();
    boxes.showInformation("Tea", QString("x").repeated(300));
    reminder = reminders().front();
    EXPECT_GT(reminder->findChild<QLabel*>("qt_msgbox_label")->height(),
              3 * reminder->fontMetrics().height());
    reminder->close();
    // The offer to remind again later: one button, the other choices in its menu.
    int later = -1;
    boxes.showReminder("Tea", "Now", {"In 5 minutes", "In 10 minutes"},
                       [&later](int choice) { later = choice; });
    auto* again = qobject_cast<QPushButton*>(reminders().front()->buttons().constLast());
    ASSERT_TRUE(again && again->menu());
    EXPECT_EQ(again->text(), "In 5 minutes");
    again->menu()->actions().at(1)->trigger();
    EXPECT_EQ(later, 1);
    // Each further box a little beside the one before, and every one of a long row on the screen.
    for (int i = 0; i < 40; ++i)
        boxes.showInformation("Lunch", QString::number(i));
    ASSERT_EQ(reminders().size(), 40);
    for (QMessageBox* box : reminders()) {
        EXPECT_TRUE(box->screen()->availableGeometry().contains(box->frameGeometry()))
            << box->text().toStdString();
        box->close();
    }
    QApplication::processEvents();
    EXPECT_TRUE(reminders().isEmpty());

    QDialog editor; // the event editor, open while its test shows the reminder
    editor.setModal(true);
    editor.show();
    boxes.showInformation("Tea", QString("x").repeated(100000));
    ASSERT_EQ(reminders().size(), 1);
    QMessageBox* box = reminders().front();
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), box); // the box, not the editor, takes the input
    EXPECT_LE(box->text().remove(QChar(0x200B)).size(), 4001);
    box->close();
    editor.close();
}

TEST(MessageBoxes, TheButtonsSpeakTheUsersLanguage)
{
    platform::QtMessageBoxes boxes("Veskel");
    boxes.setButtonCaptions([](const QString& caption) {
        return caption == "Yes" ? QString("Ja") : caption == "No" ? QString("Nein") : caption;
    });
    QStringList captions;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            captions << button->text();
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(boxes.question("Save?", true), platform::MessageBoxes::Answer::No);
    captions.sort();
    EXPECT_EQ(captions, (QStringList{"Cancel", "Ja", "Nein"}));
}
