#include "nettime/InternetPage.h"

#include "core/DateTimeText.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "nettime/TimeUpdate.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QStringListModel>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace nettime {

namespace {

constexpr int TypedServerLength = 34;
const QSize PanelSize(305, 242);

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

InternetPage::InternetPage(const platform::Platform& platform, TimeUpdate& update, QTimer& tmr,
                           QWidget* parent)
    : QWidget(parent), m_platform(platform), m_update(update), m_tmr(tmr)
{
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
        m_panels[i] = new QLabel(m_update.panelText(i), sBar);
        m_panels[i]->setAlignment(Qt::AlignCenter);
        lang::ownTexts(m_panels[i]);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
    }
    m_panels[0]->setMinimumWidth(200); // wider when its text needs it, never cut
    sBar->addWidget(m_panels[0]);
    sBar->addWidget(m_panels[1], 1);

    followUpdate();
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
    cboHost->setModel(new QStringListModel(cboHost)); // a long list is taken in one piece
    cboHost->setEditable(true);
    cboHost->setInsertPolicy(QComboBox::NoInsert); // the list grows only by the offer to save
    lang::ownTexts(cboHost);
    // The box keeps its items as they are; its hint is translated here.
    cboHost->setToolTip(Translate(QStringLiteral("Server to use to Set the Time")));
    cboHost->setMinimumContentsLength(18);
    cboHost->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboHost->lineEdit()->setValidator(new TypedLengthLimit(cboHost->lineEdit(), TypedServerLength));
    Label17->setBuddy(cboHost);
    btnUpdateTime = flatButton(QStyle::SP_BrowserReload,
                               QStringLiteral("Set Time from the selected Internet NTP Server"), GroupBox1);
    lang::ownTexts(btnUpdateTime); // its hint follows the update, translated as it changes

    // The port is fixed; its box is kept, hidden, for the update to read.
    Label18 = new QLabel(QStringLiteral("Port: "), GroupBox1);
    txtPort = new QLineEdit(QStringLiteral("37"), GroupBox1);
    Label18->hide();
    txtPort->hide();

    const QString timeOutHint = QStringLiteral("Time before giving up on a response from the NTP Server");
    Label28 = new QLabel(QStringLiteral("Time Out:"), GroupBox1);
    Label28->setToolTip(timeOutHint);
    trkTimeOut = new QSlider(Qt::Horizontal, GroupBox1);
    trkTimeOut->setRange(0, TimeUpdate::MaxTimeOutMs);
    trkTimeOut->setSingleStep(1000);
    trkTimeOut->setPageStep(5000);
    trkTimeOut->setTickInterval(5000);
    trkTimeOut->setTickPosition(QSlider::TicksBelow);
    trkTimeOut->setValue(m_update.timeOut());
    trkTimeOut->setToolTip(timeOutHint);
    Label28->setBuddy(trkTimeOut);
    auto* ticks = new QHBoxLayout;
    ticks->setContentsMargins(0, 0, 0, 0);
    const char16_t* tickTexts[] = {u"Never", u"5 s", u"10 s", u"15 s", u"20 s"};
    for (int i = 0; i < 5; ++i) {
        auto* tick = new QLabel(QString::fromUtf16(tickTexts[i]), GroupBox1);
        tick->setAlignment(i == 0 ? Qt::AlignLeft : i == 4 ? Qt::AlignRight : Qt::AlignHCenter);
        ticks->addWidget(tick, 1);
    }
    btnFindFastest = new QPushButton(QStringLiteral("Find the Fastest Server"), GroupBox1);

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
    connect(trkTimeOut, &QSlider::valueChanged, &m_update, &TimeUpdate::setTimeOut);
    connect(btnFindFastest, &QPushButton::clicked, &m_update, &TimeUpdate::FindFastestServer);
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
    // The picker holds wall-clock time as the system's zone shows it, without a zone of its own.
    dtp->setTimeSpec(Qt::UTC);
    dtp->installEventFilter(this);
    Label19->setBuddy(dtp);
    lblTime = new QLabel(GroupBox2);
    lang::ownTexts(lblTime);
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

void InternetPage::followUpdate()
{
    fillServerBox();
    showBusy(m_update.busy()); // an adjust-time event may be asking a server right now
    btnUndo->setEnabled(m_update.undoAvailable());
    connect(&m_update, &TimeUpdate::statusChanged, this,
            [this](int panel, const QString& text) { m_panels[panel]->setText(text); });
    connect(&m_update, &TimeUpdate::serversChanged, this, &InternetPage::fillServerBox);
    connect(&m_update, &TimeUpdate::hostChanged, this, [this](const QString& host) {
        if (cboHost->currentText() != host)
            cboHost->setEditText(host);
    });
    connect(&m_update, &TimeUpdate::busyChanged, this, &InternetPage::showBusy);
    connect(&m_update, &TimeUpdate::undoAvailableChanged, btnUndo, &QWidget::setEnabled);
    connect(&m_update, &TimeUpdate::clockChanged, this, [this] {
        setPicker(m_platform.clock.now());
        setManualButtons(false);
    });
    connect(cboHost, &QComboBox::editTextChanged, &m_update, &TimeUpdate::setHost);
    connect(txtPort, &QLineEdit::textChanged, this,
            [this](const QString& port) { m_update.Port = port.toInt(); });
}

void InternetPage::fillServerBox()
{
    const QSignalBlocker quiet(cboHost);
    static_cast<QStringListModel*>(cboHost->model())->setStringList(m_update.servers());
    cboHost->setEditText(m_update.Host());
}

QString InternetPage::panelText(int panel) const
{
    return m_panels[panel]->text();
}

QDateTime InternetPage::wallClock() const
{
    return m_platform.clock.now().toTimeZone(m_platform.timeZones.systemZone());
}

void InternetPage::setPicker(const QDateTime& instant)
{
    const QDateTime wall = instant.toTimeZone(m_platform.timeZones.systemZone());
    const QSignalBlocker quiet(dtp);
    dtp->setDateTime(QDateTime(wall.date(), wall.time(), Qt::UTC));
}

void InternetPage::showBusy(bool busy)
{
    // The server asked is the one the box showed; while it is asked, the button stops it.
    cboHost->setEnabled(!busy);
    btnFindFastest->setEnabled(!busy);
    btnUpdateTime->setIcon(style()->standardIcon(busy ? QStyle::SP_BrowserStop : QStyle::SP_BrowserReload));
    btnUpdateTime->setToolTip(
        busy ? Translate(QStringLiteral("Stop asking the server"))
             : Translate(QStringLiteral("Set Time from the selected Internet NTP Server")));
}

void InternetPage::setManualButtons(bool enabled)
{
    btnApplyTimeChange->setEnabled(enabled);
    btnCancelTimeSet->setEnabled(enabled);
}

void InternetPage::btnUpdateTimeClick()
{
    if (m_update.busy())
        m_update.cancel();
    else
        m_update.UpdateTime();
}

void InternetPage::btnUndoClick()
{
    if (m_update.LastChange() != 0)
        m_update.UndoTimeChange(m_update.LastChange());
}

void InternetPage::tmrTimer()
{
    if (dtp->hasFocus())
        lblTime->setText(core::formatTimeText(wallClock().time(), m_platform.locale));
    else
        setPicker(m_platform.clock.now());
}

void InternetPage::btnApplyTimeChangeClick()
{
    m_update.SetTimeFromPicker(dtp->time());
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
    if (!m_platform.dateTimeSettings.open())
        m_platform.messages.warning(
            Translate(QStringLiteral("No program for the date and time settings was found.")));
}

bool InternetPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == dtp) {
        if (event->type() == QEvent::FocusIn) {
            lblTime->setText(core::formatTimeText(wallClock().time(), m_platform.locale));
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
