#include "timezones/TfrmTimeZone.h"

#include "clockface/TClockFace.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "timezones/LocalZonePage.h"
#include "timezones/TZClockFile.h"
#include "timezones/TZFaceLook.h"
#include "timezones/TfrmTZClock.h"
#include "timezones/TfrmTZClockProps.h"
#include "timezones/ZoneList.h"
#include "timezones/ZoneRows.h"
#include "timezones/ZoneRuleGroup.h"
#include "timezones/ZoneRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace timezones {

namespace {

constexpr int kColumnWidths[ZoneRow::ColumnCount] = {100, 100, 75, 150, 150, 350};
const char* const kColumnTitles[ZoneRow::ColumnCount] = {
    "Time Zone", "City / Region", "Bias", "Standard Time Starts", "Daylight Time Starts", "Display Name"};

// The line break of a bias text, as a label shows it.
QString shownLines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

TfrmTimeZone::TfrmTimeZone(const platform::Platform& platform, ZoneRules& rules, TZClockFile& file,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), Settings(file.Settings), m_platform(platform), m_rules(rules), m_file(file)
{
    setWindowTitle(QStringLiteral("Time Zones"));
    buildControls();
    applyFont(*ClockFace1, Settings.Font); // the settings' font is this face's
    connect(&m_rules, &ZoneRules::changed, this, &TfrmTimeZone::rulesChanged);

    lang::applyLanguage(this); // the shared menu too: it is this window's
    // Placed in the middle of the desktop at its first showing.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmTimeZone::~TfrmTimeZone()
{
    if (m_tzClock) {
        m_file.ZoneClock = {m_tzClock->zoneName(), m_tzClock->zone(), m_tzClock->isVisible()};
        // The zone clock goes first, while the menu it borrows and the filter it reports to exist.
        m_tzClock->face->removeEventFilter(this);
        m_tzClock.reset();
    }
}

int TfrmTimeZone::scaled(int pixels) const
{
    // The window's measures suit an 8-point font 13 pixels high; they grow with a larger one.
    return pixels * std::max(fontMetrics().height(), 13) / 13;
}

void TfrmTimeZone::buildControls()
{
    txtFind = new QLineEdit(this);
    txtFind->setPlaceholderText(Translate(QStringLiteral("Find a city, region or country")));
    txtFind->setClearButtonEnabled(true);
    lv = new QTreeWidget(this);
    lv->setRootIsDecorated(false);
    lv->setUniformRowHeights(true);
    lv->setAllColumnsShowFocus(true);
    lv->setSelectionMode(QAbstractItemView::SingleSelection);
    lv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lv->setColumnCount(ZoneRow::ColumnCount);
    QStringList titles;
    for (const char* title : kColumnTitles)
        titles << QString::fromLatin1(title);
    lv->setHeaderLabels(titles);
    for (int c = 0; c < ZoneRow::ColumnCount; ++c)
        lv->setColumnWidth(c, scaled(kColumnWidths[c]));
    lv->header()->setSectionsClickable(true);
    lv->header()->setSortIndicatorShown(true);
    lv->header()->setSortIndicator(0, Qt::AscendingOrder);
    lv->setMinimumWidth(40);

    GroupBox1 = new QGroupBox(QStringLiteral("Selected Time Zone"), this);
    GroupBox1->setMinimumWidth(5);
    GroupBox1->resize(scaled(200), GroupBox1->height());
    buildDetailPanel();

    // The search box stands above the list, and goes with it when the splitter moves.
    auto* places = new QWidget(this);
    auto* placesLayout = new QVBoxLayout(places);
    placesLayout->setContentsMargins(0, 0, 0, 0);
    placesLayout->setSpacing(2);
    placesLayout->addWidget(txtFind);
    placesLayout->addWidget(lv, 1);
    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setHandleWidth(10);
    Splitter1->setChildrenCollapsible(false);
    Splitter1->addWidget(places);
    Splitter1->addWidget(GroupBox1);
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    Splitter1->setSizes({scaled(546 - 200 - 10), scaled(200)});
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Splitter1);
    resize(scaled(546), scaled(436));

    PopPropsForm = new QMenu(this);
    Properties1 = PopPropsForm->addAction(QStringLiteral("Properties"));
    N1 = PopPropsForm->addSeparator();
    Close1 = PopPropsForm->addAction(QStringLiteral("Close"));
    ClockFace1->setPopupMenu(PopPropsForm);

    connect(txtFind, &QLineEdit::textChanged, this, &TfrmTimeZone::txtFindChange);
    connect(lv->header(), &QHeaderView::sectionClicked, this, &TfrmTimeZone::LVColumnClick);
    connect(lv, &QTreeWidget::itemSelectionChanged, this, &TfrmTimeZone::lvSelectItem);
    connect(cboTZ, &QComboBox::activated, this, &TfrmTimeZone::cboTZChange);
    connect(btnClock0, &QToolButton::clicked, this, &TfrmTimeZone::btnClock0Click);
    connect(Properties1, &QAction::triggered, this, &TfrmTimeZone::Properties1Click);
    connect(Close1, &QAction::triggered, this, &TfrmTimeZone::Close1Click);
    connect(ClockFace1, &clockface::TClockFace::OnDblClick, this, &TfrmTimeZone::Properties1Click);
    connect(ClockFace1, &clockface::TClockFace::OnResize, this, &TfrmTimeZone::faceResized);
    connect(ClockFace2, &clockface::TClockFace::OnResize, this, &TfrmTimeZone::faceResized);
    // The faces keep the shown zone's rules at every second; its labels follow each minute.
    for (clockface::TClockFace* face : {ClockFace1, ClockFace2})
        face->setOffsetSource([this](const QDateTime& now) { return shownOffset(now); });
    connect(ClockFace1, &clockface::TClockFace::OnMinuteChange, this, &TfrmTimeZone::refreshDetails);
    ClockFace1->installEventFilter(this);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { openHelp(HelpContext); });
}

void TfrmTimeZone::buildDetailPanel()
{
    cboTZ = new QComboBox(GroupBox1);
    lang::ownTexts(cboTZ); // zone names
    cboTZ->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboTZ->setMinimumContentsLength(8);

    lblTZBias = new QLabel(GroupBox1);
    lblTZBias->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    Panel2 = new QFrame(GroupBox1);
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Sunken);
    Panel2->setFixedHeight(61);
    lblTimeThere = new QLabel(Panel2);
    lblTimeThere->setAlignment(Qt::AlignCenter);
    ClockFace2 = new clockface::TClockFace(m_platform.clock, m_platform.locale, Panel2);
    ClockFace2->setClockStyle(clockface::csText);
    ClockFace2->setFixedHeight(20);
    chkDaylightSavingNow = new QCheckBox(Panel2);
    chkDaylightSavingNow->setEnabled(false);
    Label1 = new QLabel(QStringLiteral("Daylight Savings Now"), Panel2);
    auto* daylightNow = new QHBoxLayout;
    daylightNow->setSpacing(4);
    daylightNow->addStretch(1);
    daylightNow->addWidget(chkDaylightSavingNow);
    daylightNow->addWidget(Label1);
    daylightNow->addStretch(1);
    auto* panel = new QVBoxLayout(Panel2);
    panel->setContentsMargins(2, 1, 2, 1);
    panel->setSpacing(0);
    panel->addWidget(lblTimeThere);
    panel->addWidget(ClockFace2);
    panel->addLayout(daylightNow);

    ClockFace1 = new clockface::TClockFace(m_platform.clock, m_platform.locale, GroupBox1);
    ClockFace1->setClockStyle(clockface::csAnalog);
    ClockFace1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ClockFace1->setMinimumSize(5, 5);

    gpStandardName = makeZoneRuleGroup(GroupBox1, lblStandardDesc, lblStandardDT);
    gpDaylightName = makeZoneRuleGroup(GroupBox1, lblDaylightDesc, lblDaylightDT);

    GroupBox2 = new QGroupBox(QStringLiteral("Show Clock"), GroupBox1);
    pgScroller = new QScrollArea(GroupBox2);
    pgScroller->setFrameShape(QFrame::NoFrame);
    pgScroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pgScroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pgScroller->setWidgetResizable(true);
    pnlTZClocks = new QWidget;
    btnClock0 = new QToolButton(pnlTZClocks);
    btnClock0->setText(QStringLiteral("1"));
    lang::ownTexts(btnClock0);
    btnClock0->setCheckable(true);
    btnClock0->setAutoRaise(true);
    btnClock0->setToolTip(QStringLiteral("Unused"));
    btnClock0->setProperty("Tag", 1);
    auto* clocks = new QHBoxLayout(pnlTZClocks);
    clocks->setContentsMargins(2, 0, 2, 0);
    clocks->addWidget(btnClock0);
    clocks->addStretch(1);
    pgScroller->setWidget(pnlTZClocks);
    pgScroller->setFixedHeight(btnClock0->sizeHint().height() + 2);
    auto* scroller = new QVBoxLayout(GroupBox2);
    scroller->setContentsMargins(4, 0, 4, 2);
    scroller->addWidget(pgScroller);

    auto* layout = new QVBoxLayout(GroupBox1);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addWidget(cboTZ);
    layout->addWidget(lblTZBias);
    layout->addWidget(Panel2);
    layout->addWidget(ClockFace1, 1);
    layout->addWidget(gpStandardName);
    layout->addWidget(gpDaylightName);
    layout->addWidget(GroupBox2);
}

void TfrmTimeZone::setConfigPage(LocalZonePage* page)
{
    m_configPage = page;
    m_configPageFilled = false; // a page lent after this window was shown is filled when shown
}

void TfrmTimeZone::openHelp(int context) const
{
    if (m_help)
        m_help(context);
}

void TfrmTimeZone::listZones()
{
    m_rules.bringUpToDate();
    if (m_listed)
        return;
    m_listed = true;
    const ZoneTable& zones = m_rules.Zones();
    cboTZ->clear();
    cboTZ->addItems(zones.Names);
    cboTZ->setCurrentIndex(0);
    lv->clear();
    fillZoneList(*lv, zones, m_sortTag, m_platform.locale);
    if (!txtFind->text().isEmpty())
        filterZoneList(*lv, txtFind->text());
}

void TfrmTimeZone::rulesChanged()
{
    // Rows, dates and the shown zone's details are those of the new rules: listed again when
    // they are shown, the zone shown again under its name and place.
    if (m_listed) {
        m_listed = false;
        if (isVisible()) {
            const QString name = m_shownName;
            const QByteArray place = m_shownPlace;
            listZones();
            for (int i = 0; i < lv->topLevelItemCount(); ++i) {
                QTreeWidgetItem* row = lv->topLevelItem(i);
                if (row->text(ZoneRow::TimeZone) == name && placeOfRow(*row) == place) {
                    lv->setCurrentItem(row);
                    break;
                }
            }
            cboTZ->setCurrentIndex(
                std::max(cboTZ->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive), 0));
            ShowZone(name, place);
        }
    }
    if (m_configPageFilled)
        FillConfigPage();
}

void TfrmTimeZone::txtFindChange(const QString& text)
{
    QTreeWidgetItem* first = filterZoneList(*lv, text);
    if (!first)
        return;
    lv->setCurrentItem(first);
    lv->scrollToItem(first);
}

void TfrmTimeZone::showWindow()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

QTreeWidgetItem* TfrmTimeZone::topRow() const
{
    if (QTreeWidgetItem* item = lv->itemAt(0, 0))
        return item;
    return lv->topLevelItemCount() > 0 ? lv->topLevelItem(0) : nullptr;
}

void TfrmTimeZone::FormShow()
{
    listZones();
    QTreeWidgetItem* top = topRow();
    if (top)
        lv->setCurrentItem(top); // shows the zone when the window is visible
    if (isVisible())
        lv->setFocus();

    applyColorAndHands(*ClockFace1, Settings);
    ClockFace2->setDisplayFormat(Settings.displayFormat());
    ClockFace1->setDisplayFormat(Settings.displayFormat());
    ClockFace1->setActive(isVisible());
    ClockFace2->setActive(isVisible());

    if (!m_configPageFilled && top) {
        ShowZone(top->text(ZoneRow::TimeZone), placeOfRow(*top));
        FillConfigPage();
    }
}

void TfrmTimeZone::ConfigPageShown()
{
    if (!m_configPageFilled)
        FormShow();
}

void TfrmTimeZone::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) // not when the desktop merely gives it back from an icon
        FormShow();
}

void TfrmTimeZone::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    ClockFace1->setActive(false);
    ClockFace2->setActive(false);
}

void TfrmTimeZone::lvSelectItem()
{
    if (!isVisible())
        return;
    const QList<QTreeWidgetItem*> selected = lv->selectedItems();
    if (selected.isEmpty())
        return;
    const QString name = selected.first()->text(ZoneRow::TimeZone);
    ShowZone(name, placeOfRow(*selected.first()));
    cboTZ->setCurrentIndex(cboTZ->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void TfrmTimeZone::cboTZChange(int)
{
    ShowZone(cboTZ->currentText());
}

void TfrmTimeZone::ShowZone(const QString& name, const QByteArray& place)
{
    m_rules.bringUpToDate();
    const int position = m_rules.Zones().positionOf(name);
    if (position < 0)
        return;
    m_shownName = name;
    m_shownPlace = place;
    refreshDetails();
    for (clockface::TClockFace* face : {ClockFace1, ClockFace2}) {
        face->setOffsetHour(m_details.Offset.hours);
        face->setOffsetMin(m_details.Offset.minutes);
        face->tmrTimer(); // an active face shows the new zone at once, not at its next tick
    }
}

void TfrmTimeZone::refreshDetails()
{
    m_rules.bringUpToDate();
    const ZoneTable& zones = m_rules.Zones();
    const int position = zones.positionOf(m_shownName);
    if (position < 0)
        return;
    const TRegTZI& record = zones.Records[size_t(position)];
    m_details = describeZone(record, zones.local(), core::dayTime(m_platform.clock.now()), zones.RuleYear,
                             m_platform.locale);
    // A city of the zone keeps its own names for its two times (Lima's are not Bogota's).
    if (!m_shownPlace.isEmpty() && position > 0 && m_shownPlace != zones.Zones[size_t(position)])
        if (const std::optional<TRegTZI> own = m_rules.recordOf(m_shownPlace)) {
            m_details.StandardName = own->Std;
            m_details.DaylightName = own->Dlt;
        }
    lblDaylightDesc->setText(m_details.DaylightDesc);
    lblStandardDesc->setText(m_details.StandardDesc);
    lblTimeThere->setText(m_details.TimeThere);
    chkDaylightSavingNow->setChecked(m_details.DaylightNow);
    lblDaylightDT->setText(m_details.DaylightDT);
    gpDaylightName->setTitle(m_details.DaylightName);
    lblStandardDT->setText(m_details.StandardDT);
    gpStandardName->setTitle(m_details.StandardName);
    lblTZBias->setText(shownLines(m_details.TZBias));
}

clockface::TimeOffset TfrmTimeZone::shownOffset(const QDateTime& now)
{
    m_rules.bringUpToDate();
    const ZoneTable& zones = m_rules.Zones();
    const int position = zones.positionOf(m_shownName);
    if (position < 0)
        return {};
    const HoursMinutes offset = ZoneOffset(zones.Records[size_t(position)], zones.local(), core::dayTime(now),
                                           zones.RuleYear);
    return {offset.hours, offset.minutes, 0};
}

void TfrmTimeZone::FillConfigPage()
{
    m_configPageFilled = true;
    if (!m_configPage)
        return;
    // The machine's own zone, whatever the list shows first.
    m_rules.bringUpToDate();
    const TRegTZI& local = m_rules.LocalRules();
    const ZoneDetails here = describeZone(local, local, core::dayTime(m_platform.clock.now()),
                                          m_rules.RuleYear(), m_platform.locale);
    LocalZonePage& page = *m_configPage;
    if (const std::optional<QString> firstLine = biasFirstLine(here.TZBias))
        page.lblTZBias->setText(*firstLine);
    page.gpStandardName->setTitle(here.StandardName);
    page.lblStandardDesc->setText(here.StandardDesc);
    page.lblStandardDT->setText(here.StandardDT);
    page.gpDaylightName->setTitle(here.DaylightName);
    page.lblDaylightDesc->setText(here.DaylightDesc);
    page.lblDaylightDT->setText(here.DaylightDT);
    page.chkDaylightSavingNow->setChecked(here.DaylightNow);
    page.fitGroup();
}

void TfrmTimeZone::LVColumnClick(int column)
{
    m_sortTag = nextSortTag(m_sortTag, column);
    sortZoneList(*lv, m_sortTag);
}

void TfrmTimeZone::faceResized()
{
    ClockFace1->setClockStyle(ClockFace1->height() > AnalogFaceMinHeight ? clockface::csAnalog
                                                                         : clockface::csText);
}

TfrmTZClock& TfrmTimeZone::zoneClock()
{
    if (!m_tzClock) {
        m_tzClock = std::make_unique<TfrmTZClock>(m_platform, m_rules, Settings, PopPropsForm);
        lang::applyLanguage(m_tzClock.get());
        m_tzClock->face->installEventFilter(this);
        connect(m_tzClock.get(), &TfrmTZClock::closed, this, &TfrmTimeZone::tzClockClosed);
        connect(m_tzClock.get(), &TfrmTZClock::propertiesRequested, this, &TfrmTimeZone::Properties1Click);
        auto* help = new QShortcut(QKeySequence::HelpContents, m_tzClock.get());
        connect(help, &QShortcut::activated, this, [this] { openHelp(TfrmTZClock::HelpContext); });
        m_tzClock->Tag = btnClock0->property("Tag").toInt();
    }
    return *m_tzClock;
}

void TfrmTimeZone::btnClock0Click()
{
    if (!btnClock0->isChecked()) {
        btnClock0->setToolTip(Translate(QStringLiteral("Unused")));
        if (m_tzClock)
            m_tzClock->hide();
        return;
    }
    // The zone shown here, or the one chosen in the box; the machine's own follows the machine.
    QString name = m_shownName.isEmpty() ? cboTZ->currentText() : m_shownName;
    QByteArray place = m_shownPlace;
    if (name.isEmpty()) // never shown: the machine's own zone
        name = ZoneTable::localName();
    if (name == ZoneTable::localName())
        place.clear();
    else if (place.isEmpty())
        place = m_rules.Zones().Zones[size_t(std::max(m_rules.Zones().positionOf(name), 0))];
    TfrmTZClock& clock = zoneClock();
    clock.setZone(name, place);
    btnClock0->setToolTip(name);
    clock.showClock();
}

void TfrmTimeZone::restoreZoneClock()
{
    const ZoneClockState& state = m_file.ZoneClock;
    if (!state.Shown)
        return;
    // The machine's own zone goes by this language's name for it.
    const QString name = state.Zone.isEmpty() ? ZoneTable::localName() : state.Name;
    if (!zoneClock().setZone(name, state.Zone))
        return; // a zone the database no longer knows
    btnClock0->setChecked(true);
    btnClock0->setToolTip(name);
    m_tzClock->showClock();
}

void TfrmTimeZone::tzClockClosed(int number)
{
    if (number != btnClock0->property("Tag").toInt())
        return;
    btnClock0->setChecked(false);
    btnClock0->setToolTip(Translate(QStringLiteral("Unused")));
}

bool TfrmTimeZone::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        // The menu is shared: it remembers whose it was, for Close and for the properties.
        m_popupClock = (m_tzClock && watched == m_tzClock->face) ? m_tzClock->Tag : 0;
        N1->setVisible(m_popupClock != 0);
        Close1->setVisible(m_popupClock != 0);
    }
    return QWidget::eventFilter(watched, event);
}

clockface::TClockFace* TfrmTimeZone::propertiesTarget() const
{
    return m_popupClock > 0 && m_tzClock ? m_tzClock->face : ClockFace1;
}

void TfrmTimeZone::Properties1Click()
{
    TfrmTZClockProps dialog(*this, propertiesTarget()->window());
    dialog.exec();
}

void TfrmTimeZone::Close1Click()
{
    if (m_popupClock > 0 && m_tzClock)
        m_tzClock->close();
}

void TfrmTimeZone::setDefaults(const TZClockSettings& settings)
{
    Settings = settings;
    applyFont(*ClockFace1, Settings.Font);
}

void TfrmTimeZone::setAnalogFaceFont(const TZFont& font)
{
    Settings.Font = font;
    applyFont(*ClockFace1, font);
}

} // namespace timezones
