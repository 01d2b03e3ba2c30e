#include "timezones/TfrmTZClockProps.h"
#include "ZonesFixture.h"
#include "clockface/TClockFace.h"
#include "core/IniFile.h"
#include "support/Files.h"
#include "timezones/TfrmTZClock.h"
#include "widgets/ColorPicker.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <gtest/gtest.h>
#include <memory>

using namespace timezones;
using clockface::TClockFace;

namespace {

// What a face shows of the shared look, to compare before and after.
struct FaceLook
{
    core::TColor color;
    clockface::THandOptions hands;
    QString format;
    clockface::TClockFaceStyle style;
    bool operator==(const FaceLook&) const = default;
};

FaceLook lookOf(const TClockFace& face)
{
    return {face.Color(), face.HandOptions(), face.DisplayFormat(), face.ClockStyle()};
}

class PropertiesDialog : public ZonesFixture
{
protected:
    std::unique_ptr<TfrmTZClockProps> dialog;

    void SetUp() override { create().showWindow(); }
    void TearDown() override
    {
        dialog.reset();
        window.reset();
    }
    TfrmTZClockProps& open()
    {
        dialog = std::make_unique<TfrmTZClockProps>(*window);
        dialog->show(); // not modal here: the test plays the user
        return *dialog;
    }
    void showZoneClock()
    {
        window->btnClock0->setChecked(true);
        window->btnClock0Click();
    }
    // Opens the shared menu over the zone clock, so the dialog edits that face.
    void menuOverZoneClock()
    {
        TClockFace* face = window->TZClock()->face;
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), face->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(face, &event);
        window->PopPropsForm->hide();
    }
};

} // namespace

TEST_F(PropertiesDialog, OpensWithTheFacesValuesAndCancelChangesNothing)
{
    const FaceLook before = lookOf(*window->ClockFace1);
    const TZClockSettings settings = window->Settings;
    TfrmTZClockProps& d = open();
    EXPECT_EQ(d.target(), window->ClockFace1);
    EXPECT_FALSE(d.loading());
    EXPECT_FALSE(d.btnOK->isEnabled());
    EXPECT_TRUE(d.btnAll->isEnabled());
    EXPECT_TRUE(d.btnDefault->isEnabled());
    EXPECT_EQ(d.pgc->currentWidget(), d.tabAnalog);
    EXPECT_EQ(d.Working, window->Settings); // the face shows the settings
    EXPECT_TRUE(d.PreviewClock->Active());
    EXPECT_EQ(d.PreviewClock->ClockStyle(), clockface::csAnalog);

    d.trkHourHandLength->setValue(30);
    d.btnBGColor->pick(core::clYellow);
    d.chkShowSecHand->click();
    EXPECT_TRUE(d.btnOK->isEnabled());
    EXPECT_EQ(d.PreviewClock->HandOptions().HourHandLenght(), 30);
    EXPECT_EQ(d.PreviewClock->Color(), core::clYellow);
    EXPECT_FALSE(d.PreviewClock->HandOptions().ShowSecHand());
    d.BitBtn2->click();
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(d.PreviewClock->Active());
    EXPECT_EQ(lookOf(*window->ClockFace1), before);
    EXPECT_EQ(window->Settings, settings);
}

TEST_F(PropertiesDialog, OkPutsTheDigitalPageOnTheFaceWithExactlyTheTickedStyles)
{
    TfrmTZClockProps& d = open();
    d.pgc->setCurrentWidget(d.tabDigital);
    EXPECT_EQ(d.PreviewClock->ClockStyle(), clockface::csText);
    EXPECT_TRUE(d.Working.IsDigital);
    d.chkBold->click();
    d.chkUnderline->click();
    d.chkShowAmPm->click();
    d.cboFontSize->setEditText("16");
    d.btnFontColor->pick(core::clBlue);
    EXPECT_EQ(d.PreviewClock->font().pointSize(), 16); // the styles are checked on the face below
    EXPECT_EQ(d.PreviewClock->DisplayFormat(), "h:mm:ss");
    d.btnOK->click();
    EXPECT_FALSE(d.isVisible());

    const TClockFace& face = *window->ClockFace1;
    EXPECT_EQ(face.ClockStyle(), clockface::csText);
    EXPECT_EQ(face.DisplayFormat(), "h:mm:ss");
    EXPECT_TRUE(face.font().bold());
    EXPECT_TRUE(face.font().underline());
    EXPECT_FALSE(face.font().italic());
    EXPECT_FALSE(face.font().strikeOut());
    EXPECT_EQ(face.FontColor(), core::clBlue);
    // That face's font is the settings' font; the rest of the settings stay.
    EXPECT_TRUE(window->Settings.Font.Bold);
    EXPECT_TRUE(window->Settings.Font.Underline);
    EXPECT_FALSE(window->Settings.Font.Italic);
    EXPECT_EQ(window->Settings.Font.Size, 16);
    EXPECT_TRUE(window->Settings.ShowAmPm);
    EXPECT_FALSE(window->Settings.IsDigital);
}

TEST_F(PropertiesDialog, SetAsDefaultThenCancelLeavesTheFaceButReachesTheZoneClockAndTheFile)
{
    showZoneClock();
    menuOverZoneClock();
    const FaceLook before = lookOf(*window->TZClock()->face);
    TfrmTZClockProps& d = open();
    EXPECT_EQ(d.target(), window->TZClock()->face);
    d.trkMinHandWidth->setValue(7);
    d.btnHourHandColor->pick(core::clGreen);
    d.btnDefault->click();
    EXPECT_FALSE(d.btnDefault->isEnabled());
    EXPECT_EQ(window->Settings.MinHandWidth, 7);
    d.trkMinHandWidth->setValue(8); // any change makes it possible again
    EXPECT_TRUE(d.btnDefault->isEnabled());
    d.BitBtn2->click();
    EXPECT_EQ(lookOf(*window->TZClock()->face), before);
    EXPECT_EQ(window->Settings.MinHandWidth, 7);
    EXPECT_EQ(window->Settings.HourHandColor, core::clGreen);

    // Shown again, the zone clock puts on the new defaults.
    window->btnClock0->setChecked(false);
    window->btnClock0Click();
    showZoneClock();
    EXPECT_EQ(window->TZClock()->face->HandOptions().MinHandWidth(), 7);
    EXPECT_EQ(window->TZClock()->face->HandOptions().HourHandColor(), core::clGreen);

    dialog.reset();
    end(); // the end of the program writes them
    const core::IniFile file = core::IniFile::parse(fakes::readAllOf(fake.folders.dataFile("tzclkset.dta")));
    EXPECT_EQ(file.value("Min Hand", "Width"), QString("7"));
    EXPECT_EQ(file.value("Hour Hand", "Color"), QString::number(core::clGreen));
}

TEST_F(PropertiesDialog, ApplyToAllWithAHiddenZoneClockChangesOnlyTheWindowsFaces)
{
    showZoneClock();
    window->btnClock0->setChecked(false);
    window->btnClock0Click(); // hidden again
    const FaceLook clockBefore = lookOf(*window->TZClock()->face);
    TfrmTZClockProps& d = open();
    d.btnBGColor->pick(core::clWhite);
    d.chkShowSeconds->click();
    d.btnAll->click();
    EXPECT_FALSE(d.btnAll->isEnabled());
    EXPECT_EQ(window->ClockFace1->Color(), core::clWhite);
    EXPECT_EQ(window->ClockFace1->DisplayFormat(), "h:mm ampm");
    EXPECT_EQ(window->ClockFace2->DisplayFormat(), "h:mm ampm");
    EXPECT_EQ(window->ClockFace2->Color(), core::clSilver);
    EXPECT_EQ(lookOf(*window->TZClock()->face), clockBefore);
    d.BitBtn2->click(); // what was applied stays
    EXPECT_EQ(window->ClockFace1->Color(), core::clWhite);

    // With the zone clock shown, its face takes the look too.
    showZoneClock();
    TfrmTZClockProps& again = open();
    again.btnSecHandColor->pick(core::clBlue);
    again.btnAll->click();
    EXPECT_EQ(window->TZClock()->face->HandOptions().SecHandColor(), core::clBlue);
    EXPECT_EQ(window->ClockFace1->HandOptions().SecHandColor(), core::clBlue);
}

TEST_F(PropertiesDialog, AShortFormatOpensUntickedAndASizeThatIsNotANumberIsRefused)
{
    window->ClockFace1->setDisplayFormat("h:mm");
    TfrmTZClockProps& d = open();
    EXPECT_FALSE(d.chkShowSeconds->isChecked());
    EXPECT_FALSE(d.chkShowAmPm->isChecked());

    d.cboFontSize->setEditText("12");
    EXPECT_EQ(d.Working.Font.Size, 12);
    d.cboFontSize->setEditText("12x");
    ASSERT_EQ(fake.messages.errors, QStringList{"'12x' is not a valid integer value"});
    EXPECT_EQ(d.Working.Font.Size, 12);
    EXPECT_EQ(d.PreviewClock->font().pointSize(), 12);
    d.cboFontSize->setEditText(""); // nothing to read: the preview stays
    EXPECT_EQ(fake.messages.errors.size(), 1);
    EXPECT_EQ(d.Working.Font.Size, 12);
    d.cboFontSize->setEditText("100000");
    EXPECT_EQ(d.Working.Font.Size, TZClockSettings::MaxFontSize);

    // Enter in the font-name box ends the typing there, not the dialog.
    ASSERT_TRUE(d.btnOK->isEnabled());
    d.activateWindow();
    d.cboFont->setFocus();
    QTest::keyClick(d.cboFont->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
}

TEST_F(PropertiesDialog, PropertiesOpensModallyOnTheFaceOfTheLastMenuAndADoubleClickToo)
{
    QString seen;
    int opened = 0;
    auto closeWhenOpen = [&] {
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<TfrmTZClockProps*>(QApplication::activeModalWidget())) {
                ++opened;
                seen = d->target() == window->ClockFace1 ? "window" : "clock";
                d->reject();
            }
        });
    };
    closeWhenOpen();
    window->Properties1->trigger();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(seen, "window");

    showZoneClock();
    menuOverZoneClock();
    closeWhenOpen();
    QTest::mouseDClick(window->TZClock()->face, Qt::LeftButton);
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(seen, "clock");
}
