#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
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
