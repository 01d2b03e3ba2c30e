#include "timezones/TfrmTZClockProps.h"

#include "clockface/TClockFace.h"
#include "core/StoredInteger.h"
#include "lang/ApplyLanguage.h"
#include "lang/Translate.h"
#include "timezones/TZFaceLook.h"
#include "timezones/TfrmTZClock.h"
#include "timezones/TfrmTimeZone.h"
#include "widgets/ColorPicker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace timezones {

namespace {

enum Tag
{
    SecondHand = 1,
    MinuteHand = 2,
    HourHand = 3,
    FontColor = 4,
    Background = 5
};

QSlider* trackBar(int maximum, int tick, int pageStep, QWidget* parent)
{
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setRange(1, maximum);
    slider->setPageStep(pageStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tick);
    return slider;
}

} // namespace

TfrmTZClockProps::TfrmTZClockProps(TfrmTimeZone& owner, QWidget* parent)
    : QDialog(parent), m_owner(owner), m_target(owner.propertiesTarget())
{
    setWindowTitle(QStringLiteral("Time Zone Clock Properties"));
    Working = owner.Settings;

    pgc = new QTabWidget(this);
    tabAnalog = buildAnalogPage();
    tabDigital = buildDigitalPage();
    pgc->addTab(tabAnalog, QStringLiteral("Analog"));
    pgc->addTab(tabDigital, QStringLiteral("Digital"));

    btnBGColor = new widgets::ColorPicker(owner.platformServices().dialogs, this);
    auto* background = new QHBoxLayout;
    background->addWidget(new QLabel(QStringLiteral("Background Color"), this));
    background->addWidget(btnBGColor);
    background->addStretch(1);

    gpPreview = new QGroupBox(QStringLiteral("Preview"), this);
    PreviewClock = new clockface::TClockFace(owner.platformServices().clock, owner.platformServices().locale,
                                             gpPreview);
    PreviewClock->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    auto* preview = new QVBoxLayout(gpPreview);
    preview->addWidget(PreviewClock);

    btnAll = new QPushButton(QStringLiteral("Apply to All"), this);
    btnDefault = new QPushButton(QStringLiteral("Set as Default"), this);
    btnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    btnOK->setDefault(true);
    btnOK->setEnabled(false);
    BitBtn2 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Cancel"),
                              this);
    auto* buttons = new QGridLayout;
    buttons->addWidget(btnAll, 0, 0);
    buttons->addWidget(btnDefault, 0, 1);
    buttons->addWidget(btnOK, 1, 0);
    buttons->addWidget(BitBtn2, 1, 1);

    auto* left = new QVBoxLayout;
    left->addWidget(pgc, 1);
    left->addLayout(background);
    auto* right = new QVBoxLayout;
    right->addWidget(gpPreview, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(left, 3);
    layout->addLayout(right, 2);

    connect(trkSecHandLength, &QSlider::valueChanged, this,
            [this](int v) { trkLengthChange(SecondHand, v); });
    connect(trkMinHandLength, &QSlider::valueChanged, this,
            [this](int v) { trkLengthChange(MinuteHand, v); });
    connect(trkHourHandLength, &QSlider::valueChanged, this, [this](int v) { trkLengthChange(HourHand, v); });
    connect(trkSHandWidth, &QSlider::valueChanged, this, [this](int v) { trkWidthChange(SecondHand, v); });
    connect(trkMinHandWidth, &QSlider::valueChanged, this, [this](int v) { trkWidthChange(MinuteHand, v); });
    connect(trkHourHandWidth, &QSlider::valueChanged, this, [this](int v) { trkWidthChange(HourHand, v); });
    const std::pair<widgets::ColorPicker*, int> pickers[] = {{btnSecHandColor, SecondHand},
                                                             {btnMinHandColor, MinuteHand},
                                                             {btnHourHandColor, HourHand},
                                                             {btnFontColor, FontColor},
                                                             {btnBGColor, Background}};
    for (const auto& [picker, tag] : pickers)
        connect(picker, &widgets::ColorPicker::colorChanged, this,
                [this, tag = tag](core::TColor color) { btnColorChange(tag, color); });
    connect(chkShowSecHand, &QCheckBox::clicked, this, &TfrmTZClockProps::chkShowSecHandClick);
    connect(cboFont, &QFontComboBox::currentFontChanged, this, &TfrmTZClockProps::cboFontChange);
    connect(cboFontSize, &QComboBox::editTextChanged, this, &TfrmTZClockProps::cboFontSizeChange);
    for (QCheckBox* box : {chkBold, chkItalic, chkStrikeOut, chkUnderline})
        connect(box, &QCheckBox::toggled, this, &TfrmTZClockProps::chkStyleClick);
    for (QCheckBox* box : {chkShowSeconds, chkShowAmPm})
        connect(box, &QCheckBox::toggled, this, &TfrmTZClockProps::chkFormatClick);
    connect(pgc, &QTabWidget::currentChanged, this, &TfrmTZClockProps::pgcChange);
    connect(btnOK, &QPushButton::clicked, this, &TfrmTZClockProps::btnOKClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnDefault, &QPushButton::clicked, this, &TfrmTZClockProps::btnDefaultClick);
    connect(btnAll, &QPushButton::clicked, this, &TfrmTZClockProps::btnAllClick);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { m_owner.openHelp(HelpContext); });

    lang::applyLanguage(this);
    // A fixed border around the client area, at least as large as its contents need.
    setFixedSize(QSize(549, 303).expandedTo(minimumSizeHint()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QWidget* TfrmTZClockProps::buildAnalogPage()
{
    auto* page = new QWidget;
    auto hand = [page](const QString& title, QGroupBox*& group, QSlider*& length, QSlider*& width, int widest,
                       int widthTick, widgets::ColorPicker*& color, platform::CommonDialogs& dialogs) {
        group = new QGroupBox(title, page);
        length = trackBar(100, 10, 10, group);
        width = trackBar(widest, widthTick, widthTick, group);
        color = new widgets::ColorPicker(dialogs, group);
        auto* grid = new QGridLayout(group);
        grid->setContentsMargins(6, 2, 6, 2);
        grid->setVerticalSpacing(0);
        grid->addWidget(new QLabel(QStringLiteral("Length"), group), 0, 0);
        grid->addWidget(length, 1, 0);
        grid->addWidget(new QLabel(QStringLiteral("Width"), group), 0, 1);
        grid->addWidget(width, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("Color"), group), 0, 2);
        grid->addWidget(color, 1, 2);
        return grid;
    };
    platform::CommonDialogs& dialogs = m_owner.platformServices().dialogs;
    QGridLayout* second = hand(QStringLiteral("Second Hand"), gpSecondHand, trkSecHandLength, trkSHandWidth,
                               10, 1, btnSecHandColor, dialogs);
    trkSHandWidth->setToolTip(QStringLiteral("1 pixel"));
    chkShowSecHand = new QCheckBox(QStringLiteral("Show"), gpSecondHand);
    second->addWidget(chkShowSecHand, 1, 3);
    QGridLayout* minute = hand(QStringLiteral("Minute Hand"), gpMinHand, trkMinHandLength, trkMinHandWidth,
                               21, 2, btnMinHandColor, dialogs);
    QGridLayout* hour = hand(QStringLiteral("Hour Hand"), gpHourHand, trkHourHandLength, trkHourHandWidth, 21,
                             2, btnHourHandColor, dialogs);
    // The three groups line up, though only the second hand can be hidden.
    for (QGridLayout* grid : {second, minute, hour}) {
        grid->setColumnStretch(0, 1);
        grid->setColumnStretch(1, 1);
        grid->setColumnMinimumWidth(3, chkShowSecHand->sizeHint().width());
    }
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    layout->addWidget(gpSecondHand);
    layout->addWidget(gpMinHand);
    layout->addWidget(gpHourHand);
    return page;
}

QWidget* TfrmTZClockProps::buildDigitalPage()
{
    auto* page = new QWidget;
    GroupBox3 = new QGroupBox(QStringLiteral("Font"), page);
    cboFont = new QFontComboBox(GroupBox3);
    lang::ownTexts(cboFont);
    cboFontSize = new QComboBox(GroupBox3);
    cboFontSize->setEditable(true);
    lang::ownTexts(cboFontSize);
    cboFontSize->addItems(
        {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"});
    cboFontSize->setInsertPolicy(QComboBox::NoInsert);
    btnFontColor = new widgets::ColorPicker(m_owner.platformServices().dialogs, GroupBox3);
    chkBold = new QCheckBox(QStringLiteral("Bold"), GroupBox3);
    chkItalic = new QCheckBox(QStringLiteral("Italic"), GroupBox3);
    chkStrikeOut = new QCheckBox(QStringLiteral("StrikeOut"), GroupBox3);
    chkUnderline = new QCheckBox(QStringLiteral("Underline"), GroupBox3);
    auto* font = new QGridLayout(GroupBox3);
    font->addWidget(new QLabel(QStringLiteral("Font Name"), GroupBox3), 0, 0, 1, 2);
    font->addWidget(new QLabel(QStringLiteral("Size"), GroupBox3), 0, 2);
    font->addWidget(new QLabel(QStringLiteral("Color"), GroupBox3), 0, 3);
    font->addWidget(cboFont, 1, 0, 1, 2);
    font->addWidget(cboFontSize, 1, 2);
    font->addWidget(btnFontColor, 1, 3);
    font->addWidget(chkBold, 2, 0);
    font->addWidget(chkItalic, 2, 1);
    font->addWidget(chkStrikeOut, 3, 0);
    font->addWidget(chkUnderline, 3, 1);
    font->setColumnStretch(0, 1);
    font->setColumnStretch(1, 1);

    chkShowSeconds = new QCheckBox(QStringLiteral("Show Seconds"), page);
    chkShowAmPm = new QCheckBox(QStringLiteral("Show am / pm"), page);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(GroupBox3);
    layout->addWidget(chkShowSeconds);
    layout->addWidget(chkShowAmPm);
    layout->addStretch(1);
    return page;
}

void TfrmTZClockProps::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTZClockProps::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    PreviewClock->setActive(false);
}

void TfrmTZClockProps::keyPressEvent(QKeyEvent* event)
{
    // Enter in a box the user types into ends the typing there, not the dialog.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QWidget* focus = focusWidget();
    if (enter && focus &&
        (cboFont->isAncestorOf(focus) || cboFontSize->isAncestorOf(focus) || focus == cboFont ||
         focus == cboFontSize)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TfrmTZClockProps::FormShow()
{
    m_loading = true;
    capture(*m_target);
    putIntoControls();
    apply(*PreviewClock);
    pgc->setCurrentWidget(Working.IsDigital ? tabDigital : tabAnalog);
    pgcChange();
    m_loading = false;
    PreviewClock->setActive(true);
}

void TfrmTZClockProps::capture(const clockface::TClockFace& face)
{
    captureFace(face, Working);
    Working.Width = m_owner.Settings.Width;
    Working.Height = m_owner.Settings.Height;
    Working.IsDigital = face.ClockStyle() == clockface::csText;
}

void TfrmTZClockProps::putIntoControls()
{
    trkSecHandLength->setValue(Working.SecHandLength);
    trkSHandWidth->setValue(Working.SecHandWidth);
    trkMinHandLength->setValue(Working.MinHandLength);
    trkMinHandWidth->setValue(Working.MinHandWidth);
    trkHourHandLength->setValue(Working.HourHandLength);
    trkHourHandWidth->setValue(Working.HourHandWidth);
    btnSecHandColor->setColor(Working.SecHandColor);
    btnMinHandColor->setColor(Working.MinHandColor);
    btnHourHandColor->setColor(Working.HourHandColor);
    btnBGColor->setColor(Working.Color);
    chkShowSecHand->setChecked(Working.ShowSecHand);
    cboFont->setCurrentFont(QFont(Working.Font.Name));
    btnFontColor->setColor(Working.Font.Color);
    cboFontSize->setEditText(QString::number(Working.Font.Size));
    chkBold->setChecked(Working.Font.Bold);
    chkItalic->setChecked(Working.Font.Italic);
    chkStrikeOut->setChecked(Working.Font.StrikeOut);
    chkUnderline->setChecked(Working.Font.Underline);
    chkShowSeconds->setChecked(Working.ShowSeconds);
    chkShowAmPm->setChecked(Working.ShowAmPm);
}

void TfrmTZClockProps::apply(clockface::TClockFace& face)
{
    applyColorAndHands(face, Working);
    applyFont(face, Working.Font);
    face.setDisplayFormat(Working.displayFormat());
    face.setClockStyle(PreviewClock->ClockStyle());
    if (!m_loading)
        enableButtons();
}

void TfrmTZClockProps::enableButtons()
{
    btnOK->setEnabled(true);
    btnDefault->setEnabled(true);
    btnAll->setEnabled(true);
}

void TfrmTZClockProps::trkLengthChange(int tag, int value)
{
    if (m_loading)
        return;
    (tag == SecondHand   ? Working.SecHandLength
     : tag == MinuteHand ? Working.MinHandLength
                         : Working.HourHandLength) = value;
    apply(*PreviewClock);
}

void TfrmTZClockProps::trkWidthChange(int tag, int value)
{
    if (m_loading)
        return;
    (tag == SecondHand   ? Working.SecHandWidth
     : tag == MinuteHand ? Working.MinHandWidth
                         : Working.HourHandWidth) = value;
    apply(*PreviewClock);
}

void TfrmTZClockProps::btnColorChange(int tag, core::TColor color)
{
    if (m_loading)
        return;
    switch (tag) {
    case SecondHand:
        Working.SecHandColor = color;
        break;
    case MinuteHand:
        Working.MinHandColor = color;
        break;
    case HourHand:
        Working.HourHandColor = color;
        break;
    case FontColor:
        Working.Font.Color = color;
        break;
    default:
        Working.Color = color;
        break;
    }
    apply(*PreviewClock);
}

void TfrmTZClockProps::chkShowSecHandClick()
{
    if (m_loading)
        return;
    Working.ShowSecHand = chkShowSecHand->isChecked();
    apply(*PreviewClock);
}

void TfrmTZClockProps::cboFontChange()
{
    if (m_loading)
        return;
    Working.Font.Name = cboFont->currentFont().family();
    apply(*PreviewClock);
}

void TfrmTZClockProps::cboFontSizeChange(const QString& text)
{
    if (m_loading)
        return;
    if (!text.isEmpty()) {
        const std::optional<qint32> size = core::parseStoredInteger(text);
        if (!size) {
            // The working settings and the preview keep what they had.
            m_owner.platformServices().messages.error(
                Translate(QStringLiteral("'%s' is not a valid integer value"))
                    .replace(QStringLiteral("%s"), text));
            return;
        }
        Working.Font.Size = std::clamp(*size, 1, TZClockSettings::MaxFontSize);
    }
    apply(*PreviewClock);
}

void TfrmTZClockProps::chkStyleClick()
{
    if (m_loading)
        return;
    // Exactly the ticked ones.
    Working.Font.Bold = chkBold->isChecked();
    Working.Font.Italic = chkItalic->isChecked();
    Working.Font.StrikeOut = chkStrikeOut->isChecked();
    Working.Font.Underline = chkUnderline->isChecked();
    apply(*PreviewClock);
}

void TfrmTZClockProps::chkFormatClick()
{
    if (m_loading)
        return;
    Working.ShowSeconds = chkShowSeconds->isChecked();
    Working.ShowAmPm = chkShowAmPm->isChecked();
    apply(*PreviewClock);
}

void TfrmTZClockProps::pgcChange()
{
    PreviewClock->setClockStyle(pgc->currentWidget() == tabDigital ? clockface::csText : clockface::csAnalog);
    Working.IsDigital = PreviewClock->ClockStyle() == clockface::csText;
    if (!m_loading)
        enableButtons();
}

void TfrmTZClockProps::btnOKClick()
{
    apply(*m_target);
    if (m_target == m_owner.ClockFace1)
        m_owner.setAnalogFaceFont(Working.Font); // that face's font is the settings' font
    accept();
}

void TfrmTZClockProps::btnDefaultClick()
{
    m_owner.setDefaults(Working);
    btnDefault->setEnabled(false);
}

void TfrmTZClockProps::btnAllClick()
{
    if (TfrmTZClock* clock = m_owner.TZClock(); clock && clock->isVisible())
        apply(*clock->face);
    apply(*m_owner.ClockFace1);
    m_owner.setAnalogFaceFont(Working.Font);
    m_owner.ClockFace2->setDisplayFormat(PreviewClock->DisplayFormat());
    btnAll->setEnabled(false);
}

} // namespace timezones
