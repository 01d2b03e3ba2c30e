#include "nettime/InternetPage.h"

#include "core/DateTimeText.h"
#include "lang/Translate.h"
#include "nettime/ClockChange.h"
#include "nettime/TimeClient.h"
#include "platform/HostLookup.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>
#include <cmath>

namespace nettime {

using platform::ClockSetter;

namespace {

constexpr int TypedServerLength = 34;
const QSize PanelSize(305, 242);
const QString ServerFileName = QStringLiteral("NTPServers.dta");

// Typing stops at 34 characters, but a longer name from the list or the settings is kept whole
// and can be shortened.
class TypedLengthLimit final : public QValidator
{
public:
    TypedLengthLimit(QLineEdit* edit, int limit) : QValidator(edit), m_limit(limit)
    {
        // The edit holds the new text already while it is validated: the length before it is kept.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { m_length = text.size(); });
    }
    State validate(QString& input, int&) const override
    {
        return input.size() > m_limit && input.size() > m_length ? Invalid : Acceptable;
    }

private:
    qsizetype m_limit;
    qsizetype m_length = 0;
};

QToolButton* flatButton(QStyle::StandardPixmap icon, const QString& hint, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setAutoRaise(true);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setIconSize(QSize(20, 20));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    return button;
}

} // namespace

InternetPage::InternetPage(const platform::Platform& platform, platform::HostLookup& lookup,
                           QString& timeServer, QTimer& tmr, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_timeServer(timeServer), m_tmr(tmr),
      m_adjustment(platform.clock, platform.clockSetter), m_order(platform.locale.locale())
{
    TimeClient1 = new TTimeClient(lookup, platform.locale, this);
    TimeClient1->Port = 37;
    TimeClient1->TimeOut = 5000;
    TimeClient1->ReportLevel = 0;

    pnlAdjust = new QWidget(this);
    auto* layout = new QVBoxLayout(pnlAdjust);
    layout->setContentsMargins(0, 0, 0, 0);
    buildServerPart();
    buildManualPart();
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addStretch(1);

    sBar = new QStatusBar(this);
    sBar->setSizeGripEnabled(false);
    for (int i = 0; i < 2; ++i) {
        m_panels[i] = new QLabel(sBar);
        m_panels[i]->setAlignment(Qt::AlignCenter);
        m_panels[i]->setProperty("untranslated", true);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    m_panels[0]->setMinimumWidth(200); // wider when its text needs it, never cut
    sBar->addWidget(m_panels[0]);
    sBar->addWidget(m_panels[1], 1);

    wireTimeClient();
    connect(&m_tmr, &QTimer::timeout, this, &InternetPage::tmrTimer);
    setPicker(m_platform.clock.now());
}

InternetPage::~InternetPage() = default;

void InternetPage::buildServerPart()
{
    GroupBox1 = new QGroupBox(QStringLiteral("Using Internet"), pnlAdjust);
    GroupBox1->setProperty("helpContext", 800);
    Label17 = new QLabel(QStringLiteral("NTP Server:"), GroupBox1);
    cboHost = new QComboBox(GroupBox1);
    cboHost->setEditable(true);
    cboHost->setInsertPolicy(QComboBox::NoInsert); // the list grows only by the offer to save
    cboHost->setProperty("untranslated", true);
    // The box keeps its items as they are; its hint is translated here.
    cboHost->setToolTip(Translate(QStringLiteral("Server to use to Set the Time")));
    cboHost->setMinimumContentsLength(18);
    cboHost->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboHost->lineEdit()->setValidator(new TypedLengthLimit(cboHost->lineEdit(), TypedServerLength));
    Label17->setBuddy(cboHost);
    btnUpdateTime = flatButton(QStyle::SP_BrowserReload,
                               QStringLiteral("Set Time from the selected Internet NTP Server"), GroupBox1);

    // The port is fixed; its box is kept, hidden, for the update to read.
    Label18 = new QLabel(QStringLiteral("Port: "), GroupBox1);
    txtPort = new QLineEdit(QStringLiteral("37"), GroupBox1);
    Label18->hide();
    txtPort->hide();

    const QString timeOutHint = QStringLiteral("Time before giving up on a response from the NTP Server");
    Label28 = new QLabel(QStringLiteral("Time Out:"), GroupBox1);
    Label28->setToolTip(timeOutHint);
    Label28->setEnabled(false);
    // The time-out is the client's fixed five seconds: the slider only shows it.
    trkTimeOut = new QSlider(Qt::Horizontal, GroupBox1);
    trkTimeOut->setRange(0, 20000);
    trkTimeOut->setSingleStep(5000);
    trkTimeOut->setPageStep(5000);
    trkTimeOut->setTickInterval(5000);
    trkTimeOut->setTickPosition(QSlider::TicksBelow);
    trkTimeOut->setValue(5000);
    trkTimeOut->setToolTip(timeOutHint);
    trkTimeOut->setEnabled(false);
    auto* ticks = new QHBoxLayout;
    ticks->setContentsMargins(0, 0, 0, 0);
    const char16_t* tickTexts[] = {u"Never", u"5 s", u"10 s", u"15 s", u"20 s"};
    for (int i = 0; i < 5; ++i) {
        auto* tick = new QLabel(QString::fromUtf16(tickTexts[i]), GroupBox1);
        tick->setEnabled(false);
        tick->setAlignment(i == 0 ? Qt::AlignLeft : i == 4 ? Qt::AlignRight : Qt::AlignHCenter);
        ticks->addWidget(tick, 1);
    }
    btnFindFastest = new QPushButton(QStringLiteral("Find the Fastest Server"), GroupBox1);
    btnFindFastest->setEnabled(false);

    auto* grid = new QGridLayout(GroupBox1);
    grid->addWidget(Label17, 0, 0);
    grid->addWidget(cboHost, 0, 1);
    grid->addWidget(btnUpdateTime, 0, 2);
    grid->addWidget(Label28, 1, 0);
    grid->addWidget(trkTimeOut, 1, 1, 1, 2);
    grid->addLayout(ticks, 2, 1, 1, 2);
    grid->addWidget(btnFindFastest, 3, 1, 1, 2, Qt::AlignRight);
    grid->setColumnStretch(1, 1);

    connect(btnUpdateTime, &QToolButton::clicked, this, &InternetPage::btnUpdateTimeClick);
}

void InternetPage::buildManualPart()
{
    GroupBox2 = new QGroupBox(QStringLiteral("Manually Adjust"), pnlAdjust);
    GroupBox2->setProperty("helpContext", 830);
    Label19 = new QLabel(QStringLiteral("Set Time:"), GroupBox2);
    dtp = new QDateTimeEdit(GroupBox2);
    const QString format = m_platform.locale.timePickerFormat();
    dtp->setDisplayFormat(format);
    if (dtp->displayFormat() != format || format.isEmpty())
        dtp->setDisplayFormat(QStringLiteral("HH:mm:ss")); // a format the picker cannot edit
    dtp->setLocale(m_platform.locale.locale());
    dtp->setTimeSpec(Qt::LocalTime);
    dtp->installEventFilter(this);
    Label19->setBuddy(dtp);
    lblTime = new QLabel(GroupBox2);
    lblTime->setProperty("untranslated", true);
    lblTime->setAlignment(Qt::AlignCenter);
    lblTime->hide();
    // Hidden, it keeps its room: the picker does not jump when it shows.
    QSizePolicy keepRoom = lblTime->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    lblTime->setSizePolicy(keepRoom);

    btnApplyTimeChange = flatButton(QStyle::SP_DialogApplyButton, QStringLiteral("Apply"), GroupBox2);
    btnCancelTimeSet = flatButton(QStyle::SP_DialogCancelButton, QStringLiteral("Cancel"), GroupBox2);
    btnTimeDateCPL = flatButton(QStyle::SP_ComputerIcon,
                                QStringLiteral("Use the system's settings to Adjust the Date and Time"),
                                GroupBox2);
    btnUndo = flatButton(QStyle::SP_ArrowBack, QStringLiteral("Undo the last change"), GroupBox2);
    setManualButtons(false);
    btnUndo->setEnabled(false);

    auto* grid = new QGridLayout(GroupBox2);
    grid->addWidget(lblTime, 0, 1);
    grid->addWidget(Label19, 1, 0);
    grid->addWidget(dtp, 1, 1);
    grid->addWidget(btnApplyTimeChange, 1, 2);
    grid->addWidget(btnCancelTimeSet, 1, 3);
    grid->addWidget(btnTimeDateCPL, 2, 0, Qt::AlignLeft);
    grid->addWidget(btnUndo, 2, 3);
    grid->setColumnStretch(1, 1);

    connect(dtp, &QDateTimeEdit::dateTimeChanged, this, [this] { setManualButtons(true); });
    connect(btnApplyTimeChange, &QToolButton::clicked, this, &InternetPage::btnApplyTimeChangeClick);
    connect(btnCancelTimeSet, &QToolButton::clicked, this, &InternetPage::btnCancelTimeSetClick);
    connect(btnTimeDateCPL, &QToolButton::clicked, this, &InternetPage::btnTimeDateCPLClick);
    connect(btnUndo, &QToolButton::clicked, this, &InternetPage::btnUndoClick);
}

void InternetPage::wireTimeClient()
{
    TimeClient1->OnConnect = [this](TAsyncSocket&) {
        m_timeServer = cboHost->currentText(); // remembered from the first connection on
        setPanel(1, Translate(QStringLiteral("Connected")));
    };
    TimeClient1->OnDisconnect = [this](TAsyncSocket&) {
        setPanel(1, Translate(QStringLiteral("Disconnected")));
    };
    TimeClient1->OnHostResolved = [this](TAsyncSocket&) {
        setPanel(1, Translate(QStringLiteral("Host resolved")));
    };
    TimeClient1->OnInvalidHost = [this](bool& handled) {
        setPanel(1, Translate(QStringLiteral("Invalid Host")));
        handled = true; // one more try
    };
}

QString InternetPage::panelText(int panel) const
{
    return m_panels[panel]->text();
}

void InternetPage::setPanel(int panel, const QString& text)
{
    m_panels[panel]->setText(text);
    emit statusChanged(panel, text);
}

void InternetPage::setPicker(const QDateTime& value)
{
    const QSignalBlocker quiet(dtp);
    dtp->setDateTime(value);
}

void InternetPage::setPicker(DayTime value)
{
    setPicker(QDateTime(core::dateOf(value), core::timeOf(value)));
}

DayTime InternetPage::pickerValue() const
{
    return core::dayTime(dtp->dateTime());
}

std::optional<QTime> InternetPage::readTimeStr(const QString& text) const
{
    return core::parseTimeText(text, m_platform.locale);
}

void InternetPage::setManualButtons(bool enabled)
{
    btnApplyTimeChange->setEnabled(enabled);
    btnCancelTimeSet->setEnabled(enabled);
}

QStringList InternetPage::serverItems() const
{
    QStringList items;
    for (int i = 0; i < cboHost->count(); ++i)
        items << cboHost->itemText(i);
    return items;
}

qint32 InternetPage::localBias() const
{
    if (m_localBias)
        return m_localBias();
    return -m_platform.clock.now().offsetFromUtc() / 60;
}

void InternetPage::LoadServerList()
{
    const QString path = m_platform.folders.dataFile(ServerFileName);
    ServerFileRead read = readServerFile(path);
    if (read.failure) {
        const QString text = *read.failure == ServerFileRead::Failure::TooLarge
                                 ? Translate(QStringLiteral("%s is too large to be a server list"))
                                 : Translate(QStringLiteral("Cannot open file %s"));
        m_platform.messages.error(QString(text).replace(QStringLiteral("%s"), path));
    }
    m_order.sort(read.names);
    cboHost->clear();
    cboHost->addItems(read.names);
    cboHost->setEditText(m_timeServer);
}

QString InternetPage::failureText(const ESockError& failure) const
{
    using Kind = ESockError::Kind;
    switch (failure.kind()) {
    case Kind::AlreadyConnected:
        return Translate(QStringLiteral("Already connected"));
    case Kind::HostLookupTimedOut:
        return Translate(QStringLiteral("Host Lookup Timed Out"));
    case Kind::HostLookupCanceled:
        return Translate(QStringLiteral("Host Lookup Canceled"));
    case Kind::HostLookupFailed:
        return Translate(QStringLiteral("Host Lookup Failed"));
    case Kind::NullRemoteAddress:
        return Translate(QStringLiteral("Null Remote Address"));
    case Kind::ConnectionTimedOut:
        return Translate(QStringLiteral("Connection Timed out"));
    case Kind::ConnectionCanceled:
        return Translate(QStringLiteral("Connection Canceled"));
    case Kind::IncompleteReply:
        return Translate(QStringLiteral("Incomplete reply from the time server"));
    case Kind::SocketFailed:
        break;
    }
    return QString::fromStdString(failure.what()); // "10061:Connection refused": the system's words
}

void InternetPage::btnUpdateTimeClick()
{
    if (m_updating)
        return;
    m_updating = true;
    btnUpdateTime->setEnabled(false);
    const auto done = qScopeGuard([this] {
        m_updating = false;
        btnUpdateTime->setEnabled(true);
    });

    TimeClient1->CloseSocket(); // a fresh socket for the fetch ("Disconnected")
    TimeClient1->Host = cboHost->currentText();
    TimeClient1->Port = txtPort->text().toInt();
    setPanel(1, TimeClient1->Host);
    pauseRefresh();
    const qint32 bias = localBias();

    QString timeStr;
    try {
        timeStr = TimeClient1->TimeStr();
    } catch (const ESockError& failure) {
        TimeClient1->CloseSocket();
        setPanel(1, failureText(failure)); // after the close, whose "Disconnected" it replaces
        resumeRefresh();
        return;
    }
    const auto utc = readTimeStr(timeStr);
    if (!utc) { // the client writes what this reads; never seen, but never a wrong time either
        setPanel(1, Translate(QStringLiteral("Incomplete reply from the time server")));
        resumeRefresh();
        return;
    }
    setPicker(pickerWithTime(pickerValue(), localFromUtc(*utc, bias)));
    SetTimeFromPicker();
    if (!containsServer(serverItems(), cboHost->currentText()))
        OfferToSaveServer();
}

void InternetPage::pauseRefresh()
{
    m_tmr.stop();
}

void InternetPage::resumeRefresh()
{
    // The dialog runs it while this page is shown; an adjust-time event while the dialog is
    // closed leaves it off.
    if (isVisible())
        m_tmr.start();
}

void InternetPage::SetTimeFromPicker()
{
    const ClockAdjustment::Applied applied = m_adjustment.applyTimeOfDay(pickerValue());
    if (applied.result == ClockSetter::Result::Set) {
        setPanel(1, Translate(QStringLiteral("Time changed by")) + changeAmountText(applied.change));
        btnUndo->setEnabled(!splitChange(applied.change).underASecond());
        reportTotal();
    } else {
        // Nothing changed: the total stays as it stood, and the status says the set failed
        // rather than that the clock moved by less than a second.
        setPanel(1, Translate(QStringLiteral("Failed to set time")));
        reportRefusal(applied.result);
    }
    setManualButtons(false);
    resumeRefresh();
}

void InternetPage::reportTotal()
{
    const double total = m_adjustment.TotalChange();
    if (splitChange(total).underASecond())
        setPanel(0, Translate(QStringLiteral("Time Changed by less than a second")));
    else
        setPanel(0, Translate(QStringLiteral("Total change")) + totalAmountText(total));
}

void InternetPage::reportRefusal(ClockSetter::Result result)
{
    if (result == ClockSetter::Result::AutomaticSyncOn) {
        const QString keepsItsOwn = Translate(
            QStringLiteral("The system sets its own clock from the network (automatic time)."));
        const QString switchOff = Translate(
            QStringLiteral("To set the time here, first switch automatic time off:"));
        const QString where = Translate(
            QStringLiteral("in the system's date and time settings, or with the command"));
        m_platform.messages.warning(keepsItsOwn + QStringLiteral("\n\n") + switchOff + QStringLiteral("\n") +
                                    where + QStringLiteral("\n\n    timedatectl set-ntp false"));
    } else {
        m_platform.messages.warning(Translate(QStringLiteral("Failed to set time")));
    }
}

void InternetPage::UndoTimeChange(double x)
{
    pauseRefresh();
    const ClockAdjustment::Undone undone = m_adjustment.undo(x);
    setPicker(undone.target);
    if (undone.result == ClockSetter::Result::Set) {
        setPanel(0, Translate(QStringLiteral("Last change undone")));
        btnUndo->setEnabled(false);
    } else {
        reportRefusal(undone.result);
    }
    setManualButtons(false);
    resumeRefresh();
}

void InternetPage::btnUndoClick()
{
    if (m_adjustment.LastChange() != 0)
        UndoTimeChange(m_adjustment.LastChange());
}

void InternetPage::RevertTotalChange()
{
    // An update still waiting for its server would change the clock after the revert.
    if (m_updating)
        TimeClient1->Cancel();
    if (m_adjustment.TotalChange() != 0)
        UndoTimeChange(m_adjustment.TotalChange());
}

void InternetPage::tmrTimer()
{
    const QDateTime now = m_platform.clock.now();
    if (dtp->hasFocus())
        lblTime->setText(core::formatTimeText(now.time(), m_platform.locale));
    else
        setPicker(now);
}

void InternetPage::btnApplyTimeChangeClick()
{
    pauseRefresh();
    SetTimeFromPicker();
}

void InternetPage::btnCancelTimeSetClick()
{
    setManualButtons(false);
    if (m_focusAfterCancel)
        m_focusAfterCancel->setFocus();
    else
        dtp->clearFocus();
}

void InternetPage::btnTimeDateCPLClick()
{
    m_platform.dateTimeSettings.open();
}

void InternetPage::OfferToSaveServer()
{
    const QString name = cboHost->currentText();
    if (containsServer(serverItems(), name))
        return;
    cboHost->insertItem(int(m_order.insertPosition(serverItems(), name)), name);
    cboHost->setEditText(name);
    const QString question = Translate(QStringLiteral("Save ")) + QStringLiteral("\n\n") + name +
                             QStringLiteral("\n\n ") +
                             Translate(QStringLiteral("to the NTP Server data file?"));
    if (m_platform.messages.question(question, false) != platform::MessageBoxes::Answer::Yes)
        return; // the name stays in the list for the run; the file is left as it is
    const QString path = m_platform.folders.dataFile(ServerFileName);
    if (const platform::SaveResult saved = platform::saveWholeFile(path, serverListBytes(serverItems()));
        !saved) {
        m_platform.messages.error(
            Translate(QStringLiteral("Cannot create file %s")).replace(QStringLiteral("%s"), path) +
            QStringLiteral("\n") + saved.error);
        return;
    }
    m_platform.messages.information(QStringLiteral("Veskel"),
                                    name + QStringLiteral("\n") +
                                        Translate(QStringLiteral("was saved to the data file")) +
                                        QStringLiteral(" ") + ServerFileName);
}

bool InternetPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dtp) {
        if (event->type() == QEvent::FocusIn) {
            lblTime->setText(core::formatTimeText(m_platform.clock.now().time(), m_platform.locale));
            lblTime->show();
        } else if (event->type() == QEvent::FocusOut) {
            lblTime->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void InternetPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    tabInternetResize();
}

void InternetPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    tabInternetResize();
    // The picker shows the time at once, not only at the refresh's first tick a second later.
    if (!dtp->hasFocus() && !btnApplyTimeChange->isEnabled())
        setPicker(m_platform.clock.now());
}

void InternetPage::tabInternetResize()
{
    const int barHeight = sBar->sizeHint().height();
    sBar->setGeometry(0, height() - barHeight, width(), barHeight);
    // Translated captions may need more room than the panel's own size.
    pnlAdjust->resize(PanelSize.expandedTo(pnlAdjust->sizeHint()));
    pnlAdjust->move((width() - pnlAdjust->width()) / 2, (height() - pnlAdjust->height() - barHeight) / 2);
}

} // namespace nettime
