#pragma once

#include "clockface/ShownTime.h"
#include "platform/Platform.h"
#include "timezones/TZClockSettings.h"
#include "timezones/ZoneDetails.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QScrollArea;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace clockface {
class TClockFace;
}

namespace timezones {

class LocalZonePage;
class TfrmTZClock;
class TZClockFile;
class ZoneRules;

// The time-zone browser: every zone once per city of its display name, sortable by any column;
// for the selected zone its bias, its distance from local time, its date, an analogue and a text
// face at its time, whether daylight time is in force and its two rules with this year's dates.
// It hosts the button of the zone clock window and the menu that both share, and fills the
// configuration dialog's time zones page once.
//
// It is made when first needed (its menu item, the configuration dialog's zone page, a zone
// clock that was open when the program last ended), and the zone database is read when the zones
// are first shown: most runs never look at them. What it shows follows the rules of the year and
// of the machine's zone as they are built again.
class TfrmTimeZone final : public QWidget
{
    Q_OBJECT

public:
    TfrmTimeZone(const platform::Platform& platform, ZoneRules& rules, TZClockFile& file,
                 QWidget* parent = nullptr);
    // Notes in the file's state which zone the zone clock shows and whether it is open.
    ~TfrmTimeZone() override;

    const platform::Platform& platformServices() const { return m_platform; }
    ZoneRules& rules() const { return m_rules; }

    // The look shared by every time-zone clock, read from tzclkset.dta at start.
    TZClockSettings& Settings;

    // Shows the zone clock as it was when the program last ended, when it was open then.
    void restoreZoneClock();

    // The configuration dialog's page that this window fills.
    void setConfigPage(LocalZonePage* page);
    // Opens the manual at a help context (the window's 1080, the zone clock's 1130, the
    // properties dialog's 1140).
    void setHelp(std::function<void(int context)> help) { m_help = std::move(help); }
    void openHelp(int context) const;

    // Makes the window visible and brings it to the front.
    void showWindow();
    // The showing routine; also run without showing when the configuration page is first shown.
    void FormShow();
    // The configuration dialog shows its time zones page: filled the first time.
    void ConfigPageShown();
    bool configPageFilled() const { return m_configPageFilled; }

    // The zone of a name, titled with the names of a place's own zone (a row's city) when given.
    void ShowZone(const QString& name, const QByteArray& place = {});
    // Shows the rows of the places that a text names (city, region, country), the first of them
    // selected.
    void txtFindChange(const QString& text);
    // A click on a column header.
    void LVColumnClick(int column);
    int sortTag() const { return m_sortTag; }
    // The details last shown.
    const ZoneDetails& details() const { return m_details; }

    void btnClock0Click();
    void Properties1Click();
    void Close1Click();
    // The window over which the shared menu was last opened: 0 here, else the zone clock's number.
    int PopupClock() const { return m_popupClock; }
    // The zone clock window, or none before its first use.
    TfrmTZClock* TZClock() const { return m_tzClock.get(); }
    // The face the properties dialog edits: the zone clock's when the menu was last opened
    // there, else the analogue face of this window.
    clockface::TClockFace* propertiesTarget() const;

    // New defaults from the properties dialog; the analogue face's font is the settings' font.
    void setDefaults(const TZClockSettings& settings);
    // A new font for the analogue face, which is the settings' font too.
    void setAnalogFaceFont(const TZFont& font);

    QLineEdit* txtFind = nullptr;
    QTreeWidget* lv = nullptr;
    QSplitter* Splitter1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QComboBox* cboTZ = nullptr;
    QLabel* lblTZBias = nullptr;
    QFrame* Panel2 = nullptr;
    QLabel* lblTimeThere = nullptr;
    clockface::TClockFace* ClockFace2 = nullptr;
    QCheckBox* chkDaylightSavingNow = nullptr;
    QLabel* Label1 = nullptr;
    clockface::TClockFace* ClockFace1 = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QScrollArea* pgScroller = nullptr;
    QWidget* pnlTZClocks = nullptr;
    QToolButton* btnClock0 = nullptr;
    QGroupBox* gpStandardName = nullptr;
    QLabel* lblStandardDesc = nullptr;
    QLabel* lblStandardDT = nullptr;
    QGroupBox* gpDaylightName = nullptr;
    QLabel* lblDaylightDesc = nullptr;
    QLabel* lblDaylightDT = nullptr;
    QMenu* PopPropsForm = nullptr;
    QAction* Properties1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Close1 = nullptr;

    static constexpr int HelpContext = 1080;
    // The analogue face turns to text at this height and below.
    static constexpr int AnalogFaceMinHeight = 50;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int scaled(int pixels) const;
    void buildControls();
    void buildDetailPanel();
    // The list and the combo box from the zone table, once for the table's rules.
    void listZones();
    void lvSelectItem();
    void rulesChanged();
    // The labels of the zone shown, for this moment.
    void refreshDetails();
    clockface::TimeOffset shownOffset(const QDateTime& now);
    TfrmTZClock& zoneClock();
    void cboTZChange(int index);
    void FillConfigPage();
    void faceResized();
    void tzClockClosed(int number);
    QTreeWidgetItem* topRow() const;

    platform::Platform m_platform;
    ZoneRules& m_rules;
    TZClockFile& m_file;
    bool m_listed = false;
    // The zone the detail panel and the faces show, and the place whose names title its rules.
    QString m_shownName;
    QByteArray m_shownPlace;
    int m_sortTag = 1;
    bool m_configPageFilled = false;
    int m_popupClock = 0;
    ZoneDetails m_details;
    QPointer<LocalZonePage> m_configPage; // the configuration dialog may go first at the end
    std::unique_ptr<TfrmTZClock> m_tzClock;
    std::function<void(int)> m_help;
};

} // namespace timezones
