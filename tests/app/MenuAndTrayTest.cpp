#include "app/AboutBox.h"
#include "app/ClockTray.h"
#include "app/HandGeometry.h"
#include "app/Help.h"
#include "app/TfrmClock.h"
#include "app/TrayIconFace.h"
#include "app/VeskelApplication.h"
#include "lang/TfrmLanguage.h"
#include "lang/Translate.h"
#include "support/ClockFixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using app::TfrmClock;

namespace {

QStringList captions(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* a : menu->actions())
        texts << (a->isSeparator() ? "-" : a->text());
    return texts;
}

class ClockMenu : public fakes::ClockFixture
{
protected:
    TfrmClock& create() { return ClockFixture::create(true); }
};

} // namespace

TEST(TrayIcon, HandTipsAtThreeOClockAndASeeThroughCorner)
{
    EXPECT_EQ(app::trayHandTip(app::hourHandAngle(3, 0), 15.5 * 0.5), QPoint(23, 15));
    EXPECT_EQ(app::trayHandTip(app::minuteHandAngle(0), 15.5 * 0.7), QPoint(15, 4));
    const QImage icon = app::drawTrayIcon(QTime(3, 0), Qt::red, Qt::blue);
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon.pixel(23, 15), qRgb(255, 0, 0));
    EXPECT_EQ(icon.pixel(15, 4), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(31, 31)), 0);
    EXPECT_EQ(icon.pixel(10, 22), qRgb(255, 255, 255)); // the dial
}

TEST_F(ClockMenu, ItemsInOrderInTheChosenLanguageWithTheirPictures)
{
    installLanguage("German");
    fake.settings.set("Clock", "Language", "german");
    TfrmClock& c = create();
    EXPECT_EQ(captions(c.popConfig),
              (QStringList{"Einstellungen", "Zeitzonen", "-", "Immer im Vordergrund", "Bildschirmposition",
                           "-", "Beenden", "-", "Hilfe", "Sprachen...", "Über..."}));
    EXPECT_EQ(c.popConfig->ScreenPositions[8]->text(), "Unten rechts");
    for (QAction* withPicture : {c.popConfig->mnuConfigure, c.popConfig->mnuTimeZones, c.popConfig->mnuExit,
                                 c.popConfig->Help1, c.popConfig->About1, c.popConfig->ScreenPositions[8]})
        EXPECT_FALSE(withPicture->icon().isNull()) << withPicture->text().toStdString();
    EXPECT_EQ(about->windowTitle(), "Über Veskel");
    EXPECT_EQ(about->lblTranslator->text(), "Deutsche Texte vom Veskel-Team");
}

TEST_F(ClockMenu, LanguagesCanBeChosenOnlyWhileTheFolderExists)
{
    TfrmClock& c = create();
    c.popConfig->popConfigPopup();
    EXPECT_FALSE(c.popConfig->Languages1->isEnabled());
    QDir().mkpath(fake.folders.LangFolder);
    emit c.popConfig->aboutToShow();
    EXPECT_TRUE(c.popConfig->Languages1->isEnabled());
}

TEST_F(ClockMenu, AChosenLanguageWaitsForTheNextStart)
{
    installLanguage("German");
    TfrmClock& c = create();
    QTimer::singleShot(0, [] {
        auto* chooser = qobject_cast<lang::TfrmLanguage*>(QApplication::activeModalWidget());
        ASSERT_NE(chooser, nullptr);
        chooser->lstLanguage->setCurrentRow(1);
        QTest::mouseClick(chooser->btnOK, Qt::LeftButton);
    });
    c.popConfig->Languages1->trigger();
    EXPECT_EQ(c.Settings.Language, "German");
    EXPECT_EQ(c.popConfig->mnuExit->text(), "Exit");
    EXPECT_EQ(Translate("Exit"), "Exit");
    clock.reset();
    EXPECT_EQ(fake.settings.stored("Clock", "Language"), "German");
}

TEST_F(ClockMenu, OnTopPositionsHelpAndAbout)
{
    TfrmClock& c = create();
    c.show();
    flags.StartupComplete = true;
    c.popConfig->mnuOnTop->trigger();
    EXPECT_TRUE(c.Settings.OnTop);
    EXPECT_TRUE(c.popConfig->mnuOnTop->isChecked());
    EXPECT_TRUE(c.windowFlags() & Qt::WindowStaysOnTopHint);
    c.popConfig->mnuOnTop->trigger();
    EXPECT_FALSE(c.Settings.OnTop);

    c.popConfig->ScreenPositions[4]->trigger();
    EXPECT_EQ(c.pos(), QPoint(437, 309));

    c.popConfig->Help1->trigger(); // no manual in the program folder: nothing opens
    EXPECT_TRUE(fake.shell.opened.isEmpty());
    QFile(fake.programPath("veskel.html")).open(QIODevice::WriteOnly);
    c.popConfig->Help1->trigger();
    ASSERT_EQ(fake.shell.opened.size(), 1);
    EXPECT_EQ(fake.shell.opened[0], QUrl::fromLocalFile(fake.programPath("veskel.html")));

    c.Settings.CaptionText = "Right Click Me!";
    QTimer::singleShot(0, about.get(), &QDialog::reject);
    c.popConfig->About1->trigger();
    EXPECT_EQ(c.Settings.CaptionText, app::MakerWebAddress);
    EXPECT_TRUE(about->lblVersion->text().startsWith("Version 2.1.0."));

    QTest::mouseClick(about->btnWeb, Qt::LeftButton);
    QTest::mouseClick(about->btnMail, Qt::LeftButton);
    EXPECT_EQ(fake.shell.opened.value(1), QUrl(app::AboutBox::WebPage));
    EXPECT_EQ(fake.shell.opened.value(2), QUrl("mailto:veskel@palvaro.example"));
}

// A clock started at log-on before the panel: the tray arrives late, goes with a panel restart,
// and comes back; the clock follows each time, without anyone opening Configure.
TEST_F(ClockMenu, TheClockFollowsATrayThatComesLateAndGoes)
{
    fake.notificationArea.available = false;
    fake.settings.set("Clock", "Visible", "0");
    TfrmClock& c = create();
    c.show();
    flags.StartupComplete = true;
    c.VisibilityEventTimer();
    ASSERT_TRUE(c.isVisible()); // without a notification area the clock stays reachable
    ASSERT_FALSE(c.trayShown());
    EXPECT_NE(c.windowType(), Qt::Tool); // keeps its taskbar entry
    EXPECT_FALSE(QApplication::windowIcon().isNull());

    fake.notificationArea.setAvailable(true);
    EXPECT_TRUE(c.trayShown());
    EXPECT_EQ(c.windowType(), Qt::Tool);
    EXPECT_FALSE(c.isVisible()); // set to hidden, now reachable from its icon

    fake.notificationArea.setAvailable(false);
    EXPECT_FALSE(c.trayShown());
    EXPECT_NE(c.windowType(), Qt::Tool);
    EXPECT_TRUE(c.isVisible());

    // Without the tray setting, a tray's arrival changes nothing.
    c.SetOnTray(false);
    c.Settings.Visible = true;
    fake.notificationArea.setAvailable(true);
    EXPECT_FALSE(c.trayShown());
    EXPECT_NE(c.windowType(), Qt::Tool);
    EXPECT_TRUE(c.isVisible());
}

TEST_F(ClockMenu, WithTheTrayIconTheClockCanHide)
{
    fake.settings.set("Clock", "Visible", "0");
    TfrmClock& c = create();
    c.show();
    flags.StartupComplete = true;
    c.VisibilityEventTimer();
    EXPECT_FALSE(c.isVisible());
    EXPECT_TRUE(c.trayShown());
    EXPECT_EQ(c.windowType(), Qt::Tool);

    c.tmrTimer();
    EXPECT_EQ(c.tray()->hint(), c.TrayHint);
    EXPECT_FALSE(c.tray()->hint().isEmpty());

    QSignalSpy configure(&c, &TfrmClock::configureRequested);
    QSignalSpy menu(c.tray(), &app::ClockTray::menuRequested);
    c.tray()->trayDoubleClick();
    EXPECT_EQ(configure.count(), 1);
    c.tray()->trayClick();
    EXPECT_EQ(menu.count(), 1);

    c.SetOnTray(false);
    EXPECT_FALSE(c.trayShown());
    EXPECT_NE(c.windowType(), Qt::Tool);
}

// F1 in a window that names its help context opens the manual there; the chooser of languages
// names 1190, the manual's section on languages.
TEST_F(ClockMenu, F1InTheLanguageChooserOpensItsSectionOfTheManual)
{
    TfrmClock& c = create();
    QString language;
    lang::TfrmLanguage chooser(language, fake.folders.LangFolder, fake.messages, &c);
    chooser.show();
    auto* application = static_cast<app::VeskelApplication*>(QCoreApplication::instance());
    QList<int> opened;
    application->setHelpOpener([&opened](int context) { opened << context; });
    QTest::keyClick(chooser.lstLanguage, Qt::Key_F1);
    application->setHelpOpener({});
    EXPECT_EQ(opened, QList<int>{1190});
    EXPECT_EQ(app::helpUrl("/opt/veskel/", 1190).fragment(), "languages");
}
