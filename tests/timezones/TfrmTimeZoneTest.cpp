#include "ZonesFixture.h"
#include "clockface/TClockFace.h"
#include "core/IniFile.h"
#include "support/Files.h"
#include "timezones/LocalZonePage.h"
#include "timezones/TfrmTZClock.h"
#include "timezones/ZoneRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <array>
#include <gtest/gtest.h>
#include <memory>

using namespace timezones;
using clockface::TClockFace;

namespace {

class TimeZonesWindow : public ZonesFixture
{
protected:
    void writeSettingsFile(const QByteArray& text)
    {
        ASSERT_TRUE(fakes::writeAllOf(fake.folders.dataFile("tzclkset.dta"), text));
    }
    core::IniFile settingsFile() const
    {
        return core::IniFile::parse(fakes::readAllOf(fake.folders.dataFile("tzclkset.dta")));
    }

    // The rows of a zone, top to bottom.
    std::vector<QTreeWidgetItem*> rowsOf(const QString& name) const
    {
        std::vector<QTreeWidgetItem*> rows;
        for (int i = 0; i < window->lv->topLevelItemCount(); ++i)
            if (window->lv->topLevelItem(i)->text(ZoneRow::TimeZone) == name)
                rows.push_back(window->lv->topLevelItem(i));
        return rows;
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int i = 0; i < window->lv->topLevelItemCount(); ++i)
            texts << window->lv->topLevelItem(i)->text(c);
        return texts;
    }
    void select(const QString& name) { window->lv->setCurrentItem(rowsOf(name).front()); }
    void pressClockButton(bool down)
    {
        window->btnClock0->setChecked(down);
        window->btnClock0Click();
    }
};

bool sortedAscending(const QStringList& texts)
{
    for (qsizetype i = 1; i < texts.size(); ++i)
        if (QString::compare(texts[i - 1], texts[i], Qt::CaseSensitive) > 0)
            return false;
    return true;
}

} // namespace

TEST_F(TimeZonesWindow, TheZoneDatabaseIsReadWhenTheZonesAreFirstShown)
{
    create();
    EXPECT_FALSE(rules.zonesLoaded());
    EXPECT_EQ(rules.RuleYear(), 2026);
    EXPECT_EQ(window->lv->topLevelItemCount(), 0);

    // The local offset needs the machine's own zone only.
    EXPECT_EQ(rules.LocalRules().Bias, -60);
    EXPECT_EQ(rules.LocalRules().DaylightBias, -60);
    EXPECT_FALSE(rules.zonesLoaded());

    window->showWindow();
    EXPECT_TRUE(rules.zonesLoaded());
    EXPECT_EQ(rules.Zones().local().Display, "(GMT+01:00) Here");
    EXPECT_EQ(&rules.LocalRules(), &rules.Zones().local());
}

TEST_F(TimeZonesWindow, TheFirstShowingSelectsALocalRowAndFillsTheConfigurationPageOnce)
{
    LocalZonePage page;
    create().setConfigPage(&page);
    window->showWindow();
    QCoreApplication::processEvents();

    ASSERT_NE(window->lv->currentItem(), nullptr);
    EXPECT_EQ(window->lv->currentItem()->text(ZoneRow::TimeZone), "<Here>");
    EXPECT_EQ(window->cboTZ->currentText(), "<Here>");
    EXPECT_EQ(window->cboTZ->count(), rules.Zones().count());
    EXPECT_EQ(window->lblTZBias->text(), "1 hour ahead of GMT\nLocal time ");
    EXPECT_EQ(window->lblTimeThere->text(), "Monday, March 2, 2026");
    EXPECT_EQ(window->gpStandardName->title(),
              "Central European Standard Time"); // the rest as ZoneDetails says
    EXPECT_EQ(window->lblDaylightDT->text(), "3/29/26, 2:00 AM (1 hour)");
    EXPECT_FALSE(window->chkDaylightSavingNow->isChecked());

    EXPECT_TRUE(window->configPageFilled());
    EXPECT_EQ(page.lblTZBias->text(), "1 hour ahead of GMT"); // the first line only
    EXPECT_EQ(page.lblDaylightDT->text(), "3/29/26, 2:00 AM (1 hour)");

    // Both faces run while the window shows, at the settings' text format.
    EXPECT_TRUE(window->ClockFace1->Active());
    EXPECT_TRUE(window->ClockFace2->Active());
    EXPECT_EQ(window->ClockFace2->DisplayFormat(), "h:mm:ss ampm");
    EXPECT_EQ(window->ClockFace2->Time(), QTime(14, 0));

    // Another zone later does not reach the page again.
    select("India Standard Time");
    window->hide();
    window->showWindow();
    EXPECT_EQ(page.lblTZBias->text(), "1 hour ahead of GMT");
    window->hide();
    EXPECT_FALSE(window->ClockFace1->Active());
    EXPECT_FALSE(window->ClockFace2->Active());
}

TEST_F(TimeZonesWindow, TheConfigurationPageIsFilledWithoutShowingTheWindowAndSelectingWhileHiddenDoesNothing)
{
    LocalZonePage page;
    create().setConfigPage(&page);
    window->ConfigPageShown();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(window->configPageFilled());
    EXPECT_EQ(page.gpDaylightName->title(), "Central European Summer Time");
    EXPECT_FALSE(window->ClockFace1->Active());

    // Hidden, a selection changes nothing.
    select("India Standard Time");
    EXPECT_EQ(window->gpDaylightName->title(), "Central European Summer Time");
    EXPECT_EQ(window->cboTZ->currentText(), "<Here>");

    // Longer (translated) rule texts make the group taller rather than being cut.
    page.show();
    page.resize(400, 400);
    QCoreApplication::processEvents();
    const QSize before = page.gpTimeZones->size();
    for (QLabel* label : {page.lblStandardDesc, page.lblStandardDT, page.lblDaylightDesc, page.lblDaylightDT})
        label->setText("Für diese Zeitzone nicht festgelegt, Erster Sonntag im Oktober (1 Stunde)");
    page.fitGroup();
    QCoreApplication::processEvents();
    EXPECT_GT(page.gpTimeZones->height(), before.height());
    EXPECT_EQ(page.gpTimeZones->width(), before.width());
    for (QLabel* label : {page.lblStandardDesc, page.lblStandardDT, page.lblDaylightDesc, page.lblDaylightDT})
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << label->text().toStdString();
}

TEST_F(TimeZonesWindow, SortingByAnyColumnAsText)
{
    create().showWindow();
    EXPECT_EQ(window->sortTag(), 1);
    EXPECT_TRUE(sortedAscending(column(ZoneRow::TimeZone)));

    window->LVColumnClick(ZoneRow::Bias);
    EXPECT_EQ(window->sortTag(), 3);
    EXPECT_TRUE(sortedAscending(column(ZoneRow::Bias)));
    window->LVColumnClick(ZoneRow::Bias); // twice: descending
    EXPECT_EQ(window->sortTag(), -3);
    QStringList bias = column(ZoneRow::Bias);
    std::reverse(bias.begin(), bias.end());
    EXPECT_TRUE(sortedAscending(bias));
    window->LVColumnClick(ZoneRow::City); // another column: ascending
    EXPECT_EQ(window->sortTag(), 2);
    EXPECT_TRUE(sortedAscending(column(ZoneRow::City)));
    window->LVColumnClick(ZoneRow::City);
    window->LVColumnClick(ZoneRow::City); // and ascending again
    EXPECT_EQ(window->sortTag(), 2);

    // Dates sort as their texts: "10/25/26" before "3/29/26".
    window->LVColumnClick(ZoneRow::StandardStarts);
    const QStringList starts = column(ZoneRow::StandardStarts);
    EXPECT_TRUE(sortedAscending(starts));
    ASSERT_GE(starts.indexOf("4/5/26, 3:00 AM"), 0);
    EXPECT_LT(starts.indexOf("10/25/26, 3:00 AM"), starts.indexOf("4/5/26, 3:00 AM"));
}

TEST_F(TimeZonesWindow, AZoneWithoutDaylightTimeAndAZoneWithTwoCities)
{
    create().showWindow();
    const std::vector<QTreeWidgetItem*> india = rowsOf("India Standard Time");
    ASSERT_FALSE(india.empty());
    EXPECT_EQ(india.front()->text(ZoneRow::StandardStarts), "");
    EXPECT_EQ(india.front()->text(ZoneRow::DaylightStarts), "");
    select("India Standard Time");
    EXPECT_EQ(window->cboTZ->currentText(), "India Standard Time");
    EXPECT_EQ(window->lblStandardDesc->text(), "Not set for this time zone");
    EXPECT_EQ(window->lblDaylightDesc->text(), "Not set for this time zone");
    EXPECT_EQ(window->lblStandardDT->text(), "");
    EXPECT_EQ(window->lblDaylightDT->text(), "");
    EXPECT_FALSE(window->chkDaylightSavingNow->isChecked());
    EXPECT_EQ(window->lblTZBias->text(), "5.5 hours ahead of GMT\nLocal time +4.5 Hour(s)");
    EXPECT_EQ(window->ClockFace1->OffsetHour(), 4);
    EXPECT_EQ(window->ClockFace1->OffsetMin(), 30);
    EXPECT_EQ(window->ClockFace2->Time(), QTime(18, 30));

    // Two cities, two rows alike but for the city.
    const std::vector<QTreeWidgetItem*> aus = rowsOf("AUS Eastern Standard Time");
    ASSERT_EQ(aus.size(), 2u);
    EXPECT_EQ(aus[0]->text(ZoneRow::City), "Melbourne");
    EXPECT_EQ(aus[1]->text(ZoneRow::City), "Sydney");
    for (int c : {ZoneRow::TimeZone, ZoneRow::Bias, ZoneRow::StandardStarts, ZoneRow::DaylightStarts,
                  ZoneRow::DisplayName})
        EXPECT_EQ(aus[0]->text(c), aus[1]->text(c)) << c;
    EXPECT_EQ(aus[0]->text(ZoneRow::Bias), "GMT+10:00");
    // A southern zone in its summer; behind Berlin it is not.
    window->cboTZ->setCurrentText("AUS Eastern Standard Time");
    window->cboTZ->activated(window->cboTZ->currentIndex());
    EXPECT_TRUE(window->chkDaylightSavingNow->isChecked());
    EXPECT_EQ(window->lblTZBias->text(), "10 hours ahead of GMT\nLocal time +10 Hour(s)");
    EXPECT_EQ(window->lblTimeThere->text(), "Tuesday, March 3, 2026");
}

TEST_F(TimeZonesWindow, TheAnalogueFaceTurnsToTextAtFiftyPixelsAndBelow)
{
    create().showWindow();
    TClockFace& face = *window->ClockFace1;
    EXPECT_GT(face.height(), 50);
    EXPECT_EQ(face.ClockStyle(), clockface::csAnalog);
    // The window made lower and lower: the face follows the rule at every height it gets.
    bool sawText = false;
    for (int height = window->height(); height > 200; height -= 10) {
        window->resize(window->width(), height);
        QCoreApplication::processEvents();
        EXPECT_EQ(face.ClockStyle(), face.height() > 50 ? clockface::csAnalog : clockface::csText) << height;
        sawText = sawText || face.ClockStyle() == clockface::csText;
    }
    EXPECT_TRUE(sawText);
    window->resize(window->width(), 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(face.ClockStyle(), clockface::csAnalog);

    // Exactly at 50 and 51 pixels.
    face.resize(150, 51);
    EXPECT_EQ(face.ClockStyle(), clockface::csAnalog);
    face.resize(150, 50);
    EXPECT_EQ(face.ClockStyle(), clockface::csText);
}

TEST_F(TimeZonesWindow, TheZoneClockStartsWithTheDefaultsAndItsSizeIsSavedAtTheEnd)
{
    create().showWindow();
    select("India Standard Time");
    EXPECT_EQ(window->btnClock0->toolTip(), "Unused");
    pressClockButton(true);
    TfrmTZClock* clock = window->TZClock();
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(clock->isVisible());
    EXPECT_EQ(clock->frameGeometry().size(), QSize(175, 194)); // the outer size
    EXPECT_EQ(clock->windowTitle(), "India Standard Time");
    EXPECT_EQ(window->btnClock0->toolTip(), "India Standard Time");
    EXPECT_EQ(clock->Tag, 1);
    const TClockFace& face = *clock->face;
    EXPECT_EQ(face.toolTip(), "5.5 hours ahead of GMT\nLocal time +4.5 Hour(s)\nMonday, March 2, 2026");
    EXPECT_EQ(face.ClockStyle(), clockface::csAnalog);
    EXPECT_EQ(face.Color(), core::clSilver);
    const clockface::THandOptions& h = face.HandOptions();
    EXPECT_EQ((std::array{h.HourHandLenght(), h.HourHandWidth(), h.MinHandLenght(), h.MinHandWidth(),
                          h.SecHandLenght(), h.SecHandWidth()}),
              (std::array{60, 3, 80, 2, 90, 1}));
    EXPECT_EQ((std::array{h.HourHandColor(), h.MinHandColor(), h.SecHandColor()}),
              (std::array{core::clBlack, core::clBlack, core::clRed}));
    EXPECT_EQ(face.DisplayFormat(), "h:mm:ss ampm");
    EXPECT_TRUE(face.Active());
    EXPECT_EQ(face.Time(), QTime(18, 30));

    // Another zone while it shows changes nothing; pressed again, it shows the new one.
    select("AUS Eastern Standard Time");
    EXPECT_EQ(face.OffsetHour(), 4);
    pressClockButton(false);
    EXPECT_FALSE(clock->isVisible());
    EXPECT_FALSE(face.Active());
    EXPECT_EQ(window->btnClock0->toolTip(), "Unused");
    pressClockButton(true);
    EXPECT_EQ(face.OffsetHour(), 10);
    EXPECT_EQ(clock->windowTitle(), "AUS Eastern Standard Time");

    // Closing it releases the button.
    clock->close();
    EXPECT_FALSE(clock->isVisible());
    EXPECT_FALSE(window->btnClock0->isChecked());
    EXPECT_EQ(window->btnClock0->toolTip(), "Unused");

    pressClockButton(true);
    clock->resize(clock->size() + QSize(300, 320) - clock->frameGeometry().size());
    QCoreApplication::processEvents();
    EXPECT_EQ(window->Settings.Width, 300);
    end();
    const core::IniFile file = settingsFile();
    EXPECT_EQ(file.value("Clock", "Width"), QString("300"));
    EXPECT_EQ(file.value("Clock", "Height"), QString("320"));
    EXPECT_EQ(file.value("Font", "Color"), QString("-2147483640"));
    EXPECT_EQ(file.sections(),
              (QStringList{"Clock", "Hour Hand", "Min Hand", "Sec Hand", "Font", "Digital", "Zone Clock"}));
}

TEST_F(TimeZonesWindow, IsDigitalShowsTheClockAsTextInTheSettingsFont)
{
    // Held to the screen it shows on, 1024 x 768.
    writeSettingsFile("[Clock]\nIs Digital=1\nWidth=220\nHeight=4096\n[Font]\nName=DejaVu "
                      "Serif\nSize=14\nColor=255\nBold=1\n"
                      "[Digital]\nAMPM=0\n");
    create().showWindow();
    EXPECT_EQ(window->ClockFace1->font().family(), "DejaVu Serif"); // the settings' font is this face's
    EXPECT_EQ(window->ClockFace1->FontColor(), core::clRed);
    EXPECT_EQ(window->ClockFace2->DisplayFormat(), "h:mm:ss");
    pressClockButton(true);
    const TClockFace& face = *window->TZClock()->face;
    EXPECT_EQ(face.ClockStyle(), clockface::csText);
    EXPECT_EQ(face.font().family(), "DejaVu Serif");
    EXPECT_EQ(face.font().pointSize(), 14);
    EXPECT_TRUE(face.font().bold());
    EXPECT_FALSE(face.font().italic());
    EXPECT_EQ(face.FontColor(), core::clRed);
    EXPECT_EQ(face.DisplayFormat(), "h:mm:ss");
    EXPECT_EQ(window->TZClock()->frameGeometry().size(), QSize(220, 768));
}

TEST_F(TimeZonesWindow, TheSharedMenuKnowsWhoseItWas)
{
    create().showWindow();
    pressClockButton(true);
    TfrmTZClock& clock = *window->TZClock();
    EXPECT_EQ(clock.face->PopupMenu(), window->PopPropsForm);
    EXPECT_EQ(window->ClockFace1->PopupMenu(), window->PopPropsForm);

    QContextMenuEvent onClock(QContextMenuEvent::Mouse, QPoint(5, 5), clock.face->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(clock.face, &onClock);
    EXPECT_TRUE(window->PopPropsForm->isVisible());
    EXPECT_EQ(window->PopupClock(), 1);
    EXPECT_TRUE(window->Close1->isVisible());
    EXPECT_TRUE(window->N1->isVisible());
    EXPECT_EQ(window->propertiesTarget(), clock.face);
    window->PopPropsForm->hide();
    window->Close1->trigger();
    EXPECT_FALSE(clock.isVisible());
    EXPECT_FALSE(window->btnClock0->isChecked());

    QContextMenuEvent onWindow(QContextMenuEvent::Mouse, QPoint(5, 5),
                               window->ClockFace1->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(window->ClockFace1, &onWindow);
    window->PopPropsForm->hide();
    EXPECT_EQ(window->PopupClock(), 0);
    EXPECT_FALSE(window->Close1->isVisible());
    EXPECT_FALSE(window->N1->isVisible());
    EXPECT_EQ(window->propertiesTarget(), window->ClockFace1);
}

TEST_F(TimeZonesWindow, TheZoneClockFollowsItsZoneThroughADaylightChangeTheNewYearAndANewMachineZone)
{
    LocalZonePage page;
    create().setConfigPage(&page);
    window->showWindow();
    select("Alaskan Standard Time");
    pressClockButton(true);
    TClockFace& face = *window->TZClock()->face;
    EXPECT_EQ(face.Time(), QTime(4, 0)); // 13:00 UTC
    // Anchorage keeps daylight time from 8 March, 11:00 UTC; the clock stays open.
    fake.clock.current = QDateTime(QDate(2026, 3, 8), QTime(12, 30));
    face.tmrTimer();
    EXPECT_EQ(face.Time(), QTime(3, 30));
    EXPECT_TRUE(face.toolTip().contains("Local time -9 Hour(s)")) << face.toolTip().toStdString();

    // A summer day of the next year, with the rules built the year before.
    fake.clock.current = QDateTime(QDate(2027, 7, 1), QTime(14, 0));
    face.tmrTimer();
    EXPECT_EQ(face.Time(), QTime(4, 0));
    QCoreApplication::processEvents();
    EXPECT_EQ(rules.RuleYear(), 2027);
    EXPECT_EQ(window->lblDaylightDT->text(), "3/14/27, 2:00 AM (1 hour)");
    EXPECT_TRUE(window->chkDaylightSavingNow->isChecked());
    EXPECT_EQ(page.lblDaylightDT->text(), "3/28/27, 2:00 AM (1 hour)"); // Berlin's

    // The machine moves to Tokyo, its wall clock with it.
    fake.timeZones.systemId = "Asia/Tokyo";
    fake.clock.current = QDateTime(QDate(2027, 7, 1), QTime(21, 0));
    emit zoneWatch.changed();
    QCoreApplication::processEvents();
    face.tmrTimer();
    EXPECT_EQ(face.Time(), QTime(4, 0));
    EXPECT_EQ(window->ClockFace2->Time(), QTime(4, 0));
    EXPECT_EQ(face.toolTip(), "9 hours behind GMT\nLocal time -17 Hour(s)\nThursday, July 1, 2027");
    EXPECT_EQ(page.lblTZBias->text(), "9 hours ahead of GMT");
    EXPECT_EQ(page.gpStandardName->title(), "Japan Standard Time");
}

TEST_F(TimeZonesWindow, FindingAPlaceShowsItsRowsTitledWithTheirOwnNames)
{
    create().showWindow();
    const auto shownCities = [&] {
        QStringList cities;
        for (int i = 0; i < window->lv->topLevelItemCount(); ++i)
            if (!window->lv->topLevelItem(i)->isHidden())
                cities << window->lv->topLevelItem(i)->text(ZoneRow::City);
        return cities;
    };
    // A city, a country, a note of the zone database, in any case and with or without accents.
    window->txtFind->setText("LIMA");
    EXPECT_EQ(shownCities(), QStringList{"Lima"});
    EXPECT_EQ(window->lv->currentItem()->text(ZoneRow::City), "Lima");
    EXPECT_EQ(window->gpStandardName->title(), "Peru Standard Time"); // not Bogota's
    window->txtFind->setText("kyrgyz");
    EXPECT_EQ(shownCities(), QStringList{"Bishkek"});
    EXPECT_EQ(window->cboTZ->currentText(), "Kyrgyzstan Time");
    window->txtFind->setText(QString::fromUtf8("são"));
    EXPECT_TRUE(shownCities().contains("Sao Paulo"));
    EXPECT_TRUE(shownCities().contains("Sao Tome"));
    window->txtFind->setText("most of germany");
    EXPECT_EQ(shownCities(), (QStringList{"Here", "Berlin"})); // this machine is in Germany too
    window->txtFind->clear();
    EXPECT_EQ(shownCities().size(), window->lv->topLevelItemCount());
}

TEST_F(TimeZonesWindow, TheZoneClockComesBackAsItWasWhenTheProgramEnded)
{
    create().showWindow();
    window->txtFind->setText("lima");
    pressClockButton(true);
    end();

    create().restoreZoneClock();
    ASSERT_NE(window->TZClock(), nullptr);
    EXPECT_TRUE(window->TZClock()->isVisible());
    EXPECT_EQ(window->TZClock()->windowTitle(), "SA Pacific Standard Time");
    EXPECT_TRUE(window->btnClock0->isChecked());
    EXPECT_EQ(window->TZClock()->face->Time(), QTime(8, 0));

    // The machine's own zone follows the machine; closed, it stays closed.
    window->showWindow();
    select("<Here>");
    pressClockButton(true);
    window->TZClock()->close();
    end();
    EXPECT_EQ(tzclkset->ZoneClock, (ZoneClockState{"<Here>", "", false}));
    create().restoreZoneClock();
    EXPECT_EQ(window->TZClock(), nullptr);
}
