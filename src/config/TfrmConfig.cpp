#include "config/TfrmConfig.h"

#include "app/Help.h"
#include "app/TfrmClock.h"
#include "config/AppearancePage.h"
#include "core/Colors.h"
#include "events/EventsPage.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "nettime/InternetPage.h"
#include "nettime/TimeUpdate.h"
#include "timezones/LocalZonePage.h"
#include "widgets/Icons.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace config {

namespace {

struct SideBarEntry
{
    const char16_t* caption;
    int helpContext;
};

constexpr SideBarEntry kSideBar[] = {
    {u"Change the Appearance", 290},
    {u"Schedule an Event", 530},
    {u"Adjust the Time", 540},
    {u"Time Zones", 1120},
};

} // namespace

TfrmConfig::TfrmConfig(app::TfrmClock& clock, events::EventList& events, events::EventStorage& storage,
                       events::TfrmEventDetails& eventDetails, nettime::TimeUpdate& timeUpdate,
                       QWidget* parent)
    : QDialog(parent), Events(events), Storage(storage), m_clock(clock), m_timeUpdate(timeUpdate)
{
    setWindowTitle(QStringLiteral("Configure Clock"));
    setSizeGripEnabled(true);
    resize(513, 404);

    lvSide = new QListWidget(this);
    lvSide->setViewMode(QListView::IconMode);
    lvSide->setFlow(QListView::TopToBottom);
    lvSide->setMovement(QListView::Static);
    lvSide->setWrapping(false);
    lvSide->setWordWrap(true);
    lvSide->setIconSize(QSize(32, 32));
    lvSide->setGridSize(QSize(78, 70));
    QFont sideFont = lvSide->font();
    sideFont.setPointSizeF(std::max(7.0, sideFont.pointSizeF() - 1)); // three-word captions in 80 pixels
    lvSide->setFont(sideFont);
    lvSide->setFixedWidth(80);
    lvSide->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lvSide->setFrameShape(QFrame::NoFrame);
    lvSide->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int i = 0; i < 4; ++i) {
        auto* item = new QListWidgetItem(widgets::sideBarIcon(i), QString::fromUtf16(kSideBar[i].caption),
                                         lvSide);
        item->setData(Qt::UserRole, QString::fromUtf16(kSideBar[i].caption));
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
    popSide = new QMenu(lvSide);
    BackgroundColor1 = popSide->addAction(QStringLiteral("Background Color"));
    Font1 = popSide->addAction(QStringLiteral("Font Color"));

    tmr = new QTimer(this);
    tmr->setInterval(1000);

    pgc = new QStackedWidget(this);
    tabAppearance = new AppearancePage(clock, pgc);
    tabAlarms = new events::EventsPage(events, storage, eventDetails, clock.platformServices(), pgc);
    tabInternet = new nettime::InternetPage(clock.platformServices(), timeUpdate, *tmr, pgc);
    tabTimeZones = new timezones::LocalZonePage(pgc);
    for (QWidget* page : {static_cast<QWidget*>(tabAppearance), static_cast<QWidget*>(tabAlarms),
                          static_cast<QWidget*>(tabInternet), static_cast<QWidget*>(tabTimeZones)})
        pgc->addWidget(page);

    btnHelp = new QPushButton(QStringLiteral("Help"), this);
    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnCancel = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                QStringLiteral("Cancel"), this);
    btnCancel->setToolTip(QStringLiteral("Undo all changes"));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 6, 6, 6);
    buttons->addWidget(btnHelp);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(lvSide);
    body->addWidget(pgc, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    tabInternet->setFocusAfterCancel(btnOK);

    connect(lvSide, &QListWidget::currentRowChanged, this, &TfrmConfig::lvSideSelectItem);
    connect(lvSide, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { popSide->popup(lvSide->viewport()->mapToGlobal(at)); });
    connect(BackgroundColor1, &QAction::triggered, this, &TfrmConfig::BackgroundColor1Click);
    connect(Font1, &QAction::triggered, this, &TfrmConfig::Font1Click);
    connect(btnOK, &QPushButton::clicked, this, [this] {
        DialogResult = Result::OK;
        close();
    });
    connect(btnCancel, &QPushButton::clicked, this, [this] {
        DialogResult = Result::Cancel;
        close();
    });
    connect(btnHelp, &QPushButton::clicked, this, &TfrmConfig::btnHelpClick);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &TfrmConfig::btnHelpClick);
    // The clock's menu can switch "Always On Top" while the dialog is open.
    connect(clock.popConfig->mnuOnTop, &QAction::toggled, this, [this](bool on) {
        const QSignalBlocker quiet(tabAppearance->chkOnTop);
        tabAppearance->chkOnTop->setChecked(on);
    });

    lang::applyLanguage(this);
    m_timeUpdate.LoadServerList();
    colourSideBar();

    m_events.unsaved = [this] { return Events.saveCommandEnabled(); };
    m_events.save = [this] { Storage.SaveEvents(true); };
    m_events.reload = [this] {
        Events.clear();
        Storage.LoadEvents();
    };
    m_events.markSaved = [this] { Events.setSaveCommandEnabled(false); };
}

QWidget* TfrmConfig::placeholderPage(const QString& title)
{
    auto* page = new QWidget(pgc);
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(title, page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* note = new QLabel(QStringLiteral("This page is not available in this version of the clock."), page);
    note->setWordWrap(true);
    heading->setAlignment(Qt::AlignCenter);
    note->setAlignment(Qt::AlignCenter);
    layout->setContentsMargins(24, 12, 24, 12);
    layout->addStretch(1);
    layout->addWidget(heading);
    layout->addWidget(note);
    layout->addStretch(1);
    return page;
}

void TfrmConfig::colourSideBar()
{
    QPalette palette = lvSide->palette();
    const QColor background = core::resolveColor(m_clock.Settings.SideBarColor);
    const QColor text = core::resolveColor(m_clock.Settings.SideBarFontColor);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, background);
        palette.setColor(group, QPalette::Window, background);
        palette.setColor(group, QPalette::Text, text);
    }
    lvSide->setPalette(palette);
}

void TfrmConfig::showDialog()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void TfrmConfig::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmConfig::FormShow()
{
    if (!m_placed) {
        // The smallest useful size is 480 x 418 for the whole window with its title bar and
        // frame, but never smaller than the content: translated captions can be longer than the
        // English ones, and their size is known only now that the widgets are polished.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        setMinimumSize(QSize(472, 387).expandedTo(layout()->totalMinimumSize()));
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->geometry().center() - rect().center());
        m_placed = true;
    }
    tabAppearance->setDialogVisible(false);
    tabAppearance->fillOnShow();
    Snapshot = AppearanceSnapshot::take(m_clock);
    m_clock.UpdateIcons();
    tabAppearance->updatePictureButtons();
    DialogResult = Result::None;
    if (lvSide->currentRow() == m_remembered)
        lvSideSelectItem(m_remembered);
    else
        lvSide->setCurrentRow(m_remembered);
    tabAlarms->prepareForShow();
    if (m_events.markSaved)
        m_events.markSaved();
    tabAppearance->setDialogVisible(true);
}

void TfrmConfig::lvSideSelectItem(int item)
{
    if (item < 0 || item > ItemTimeZones)
        return;
    m_remembered = item;
    pgc->setCurrentIndex(item);
    m_helpContext = kSideBar[item].helpContext;
    if (item == ItemAdjustTime)
        tmr->start();
    else
        tmr->stop();
    if (item == ItemEvents)
        tabAlarms->focusList();
    if (item == ItemTimeZones)
        emit timeZonesPageShown();
    setWindowTitle(Translate(QStringLiteral("Configure Clock")) + QStringLiteral(" - ") +
                   Translate(lvSide->item(item)->data(Qt::UserRole).toString()));
}

void TfrmConfig::BackgroundColor1Click()
{
    chooseSideBarColour(m_clock.Settings.SideBarColor);
}

void TfrmConfig::Font1Click()
{
    chooseSideBarColour(m_clock.Settings.SideBarFontColor);
}

void TfrmConfig::chooseSideBarColour(app::TColor& colour)
{
    const auto chosen = m_clock.platformServices().dialogs.chooseColor(this, core::resolveColor(colour));
    if (!chosen)
        return; // a cancelled colour dialog changes nothing
    colour = core::toTColor(*chosen);
    colourSideBar();
}

void TfrmConfig::btnHelpClick()
{
    app::openHelp(m_clock.platformServices().shell, m_clock.platformServices().folders.ProgramFolder,
                  m_helpContext);
}

bool TfrmConfig::FormCloseQuery()
{
    if (!m_events.unsaved || !m_events.unsaved())
        return true;
    switch (m_clock.platformServices().messages.question(
        Translate(QStringLiteral("Do you want to save the Scheduled Events?")), true)) {
    case platform::MessageBoxes::Answer::Yes:
        if (m_events.save)
            m_events.save();
        return true;
    case platform::MessageBoxes::Answer::No:
        if (m_events.reload)
            m_events.reload();
        return true;
    case platform::MessageBoxes::Answer::Cancel:
        break;
    }
    lvSide->setCurrentRow(ItemEvents); // the unsaved events in front
    return false;
}

bool TfrmConfig::FormClose()
{
    if (m_events.markSaved)
        m_events.markSaved();
    m_clock.UpdateCaptionFont();
    if (DialogResult == Result::OK) {
        m_clock.platformServices().autostart.setRunAtStartup(tabAppearance->chkRunAtStartup->isChecked());
        return true;
    }
    if (!Snapshot.restore(m_clock))
        return false;
    // Every change of the clock since the last such close goes back, those of adjust-time
    // events among them.
    m_timeUpdate.RevertTotalChange();
    return true;
}

void TfrmConfig::closeEvent(QCloseEvent* event)
{
    // The program's end closes every window, shown or not; only a shown dialog has looks to
    // put back.
    if (!isVisible()) {
        event->accept();
        return;
    }
    if (!FormCloseQuery() || !FormClose()) {
        DialogResult = Result::None;
        event->ignore();
        return;
    }
    tmr->stop();
    tabAppearance->setDialogVisible(false);
    event->accept();
}

void TfrmConfig::reject()
{
    // Escape: as Cancel.
    DialogResult = Result::Cancel;
    close();
}

} // namespace config
