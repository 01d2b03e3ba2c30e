#include "config/AppearancePage.h"

#include "app/HandGeometry.h"
#include "app/PenModes.h"
#include "app/TfrmClock.h"
#include "lang/Translate.h"
#include "platform/ColorPicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include <algorithm>

namespace config {

namespace {

QSlider* slider(int min, int max, int page, int tick, QWidget* parent)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setRange(min, max);
    s->setPageStep(page);
    s->setTickInterval(tick);
    s->setTickPosition(QSlider::TicksBelow);
    return s;
}

// "150 pixels": `unit` comes translated.
QString count(int value, const QString& unit)
{
    return QString::number(value) + u' ' + unit;
}

const int kRatioNone = 0;
const int kRatioSame = 1;
const int kRatioKeepAspect = 2;

} // namespace

AppearancePage::AppearancePage(app::TfrmClock& clock, QWidget* parent) : QWidget(parent), m_clock(clock)
{
    panel = new QWidget(this);
    auto* panelLayout = new QGridLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    panelLayout->setVerticalSpacing(4);

    pgcClock = new QTabWidget(panel);
    pgcClock->addTab(buildClockWindowTab(), QStringLiteral("Clock Window"));
    pgcClock->addTab(buildHandsTab(), QStringLiteral("Hands"));
    pgcClock->addTab(buildCaptionTab(), QStringLiteral("Caption"));
    pgcClock->addTab(buildIconTab(), QStringLiteral("Icon"));
    panelLayout->addWidget(pgcClock, 0, 0, 1, 2);

    grpShape = new QGroupBox(QStringLiteral("Shape"), panel);
    auto* shapeLayout = new QHBoxLayout(grpShape);
    shapeLayout->setContentsMargins(8, 2, 8, 4);
    radShape = new QButtonGroup(this);
    const char16_t* const shapes[] = {u"Rectangle", u"Ellipse", u"Picture"};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf16(shapes[i]), grpShape);
        radShape->addButton(option, i);
        shapeLayout->addWidget(option);
    }
    panelLayout->addWidget(grpShape, 1, 0, 2, 1);
    chkRunAtStartup = new QCheckBox(QStringLiteral("Run at Startup"), panel);
    chkOnTop = new QCheckBox(QStringLiteral("Always On Top"), panel);
    panelLayout->addWidget(chkRunAtStartup, 1, 1);
    panelLayout->addWidget(chkOnTop, 2, 1);
    panelLayout->setColumnStretch(0, 1);

    // The panel keeps its size and sits in the middle of the page.
    auto* pageLayout = new QGridLayout(this);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addWidget(panel, 0, 0, Qt::AlignCenter);

    connect(pgcClock, &QTabWidget::currentChanged, this, &AppearancePage::pgcClockChange);
    connect(radShape, &QButtonGroup::idClicked, this, &AppearancePage::radShapeClick);
    connect(chkOnTop, &QCheckBox::toggled, this, &AppearancePage::chkOnTopClick);
    updatePictureButtons();
}

QWidget* AppearancePage::buildClockWindowTab()
{
    auto* tab = new QWidget;
    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setHorizontalSpacing(8);

    auto* window = new QGroupBox(QStringLiteral("Clock Window"), tab);
    auto* w = new QGridLayout(window);
    w->setContentsMargins(6, 4, 6, 6);
    w->setVerticalSpacing(2);
    trkWidth = slider(16, 1000, 98, 98, window);
    trkHeight = slider(16, 1000, 98, 98, window);
    w->addWidget(new QLabel(QStringLiteral("Width"), window), 0, 0);
    w->addWidget(trkWidth, 0, 1);
    w->addWidget(new QLabel(QStringLiteral("Height"), window), 1, 0);
    w->addWidget(trkHeight, 1, 1);
    grpRatio = new QGroupBox(QStringLiteral("Scaling"), window);
    grpRatio->setToolTip(QStringLiteral("Width to Height Ratio"));
    auto* ratio = new QHBoxLayout(grpRatio);
    ratio->setContentsMargins(6, 0, 6, 2);
    radRatio = new QButtonGroup(this);
    const char16_t* const ratios[] = {u"None", u"1 : 1", u"Keep Aspect"};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromUtf16(ratios[i]), grpRatio);
        radRatio->addButton(option, i);
        ratio->addWidget(option);
    }
    radRatio->button(kRatioKeepAspect)->setChecked(true);
    w->addWidget(grpRatio, 2, 0, 1, 2);
    auto* colourRow = new QHBoxLayout;
    btnClockColor = new ColorPicker(m_clock.platformServices().dialogs, window);
    btnClockColor->setToolTip(QStringLiteral("Set the Color of the Clock if there is no Picture"));
    colourRow->addWidget(new QLabel(QStringLiteral("Background Color"), window));
    colourRow->addWidget(btnClockColor);
    colourRow->addStretch(1);
    btn100 = new QPushButton(QStringLiteral("Full Size"), window);
    btn100->setToolTip(QStringLiteral("Resize the Clock to Size of the Picture"));
    colourRow->addWidget(btn100);
    w->addLayout(colourRow, 3, 0, 1, 2);
    layout->addWidget(window, 0, 0, 2, 1);

    auto* picture = new QGroupBox(QStringLiteral("Picture"), tab);
    auto* p = new QVBoxLayout(picture);
    p->setContentsMargins(6, 4, 6, 6);
    p->setSpacing(3);
    btnOpenPic = new QPushButton(QStringLiteral("Select"), picture);
    btnOpenPic->setToolTip(QStringLiteral("Select a Picture for the Clock"));
    btnEditPicture = new QPushButton(QStringLiteral("Edit"), picture);
    btnEditPicture->setToolTip(QStringLiteral("Edit the Clock's Picture"));
    btnClear = new QPushButton(QStringLiteral("Clear"), picture);
    btnClear->setToolTip(QStringLiteral("Clear the Current Clock Picture"));
    for (QPushButton* b : {btnOpenPic, btnEditPicture, btnClear})
        p->addWidget(b);
    layout->addWidget(picture, 0, 1);
    chkHide = new QCheckBox(QStringLiteral("Hide Clock"), tab);
    layout->addWidget(chkHide, 1, 1, Qt::AlignTop);

    auto* timer = new QGridLayout;
    trkTimer = slider(100, 500, 100, 100, tab);
    trkTimer->setSingleStep(50);
    timer->addWidget(new QLabel(QStringLiteral("Redraw Interval"), tab), 0, 0);
    timer->addWidget(trkTimer, 0, 1);
    layout->addLayout(timer, 2, 0, 1, 2);
    layout->setRowStretch(3, 1);
    layout->setColumnStretch(0, 1);

    connect(trkWidth, &QSlider::valueChanged, this, [this] { trkWidthChange(trkWidth); });
    connect(trkHeight, &QSlider::valueChanged, this, [this] { trkWidthChange(trkHeight); });
    connect(btn100, &QPushButton::clicked, this, &AppearancePage::btn100Click);
    connect(btnClockColor, &ColorPicker::colorChanged, this, &AppearancePage::btnClockColorChange);
    connect(btnOpenPic, &QPushButton::clicked, this, &AppearancePage::btnOpenPicClick);
    connect(btnEditPicture, &QPushButton::clicked, this, &AppearancePage::btnEditPictureClick);
    connect(btnClear, &QPushButton::clicked, this, &AppearancePage::btnClearClick);
    connect(chkHide, &QCheckBox::toggled, this, &AppearancePage::chkHideClick);
    connect(trkTimer, &QSlider::valueChanged, this, &AppearancePage::trkTimerChange);
    return tab;
}

QWidget* AppearancePage::buildHandsTab()
{
    auto* tab = new QWidget;
    auto* layout = new QHBoxLayout(tab);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(6);
    const char16_t* const titles[] = {u"Second Hand", u"Minute Hand", u"Hour Hand"};
    for (int h = 0; h < 3; ++h) {
        HandControls& c = hands[h];
        c.group = new QGroupBox(QString::fromUtf16(titles[h]), tab);
        auto* g = new QVBoxLayout(c.group);
        g->setContentsMargins(6, 4, 6, 6);
        g->setSpacing(2);
        c.length = slider(1, 100, 10, 10, c.group);
        c.width = h == 0 ? slider(1, 10, 1, 1, c.group) : slider(1, 21, 2, 2, c.group);
        c.color = new ColorPicker(m_clock.platformServices().dialogs, c.group);
        c.mode = new QComboBox(c.group);
        c.mode->addItems(app::penModeNames());
        c.mode->setMaxVisibleItems(app::PenModeCount);
        // Narrow in the page; the open list is as wide as its longest name.
        c.mode->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        c.mode->setMinimumContentsLength(4);
        c.mode->setProperty("untranslated", true); // the modes' own names
        g->addWidget(new QLabel(QStringLiteral("Length"), c.group));
        g->addWidget(c.length);
        g->addWidget(new QLabel(QStringLiteral("Width"), c.group));
        g->addWidget(c.width);
        auto* colourRow = new QHBoxLayout;
        colourRow->addWidget(new QLabel(QStringLiteral("Color"), c.group));
        colourRow->addWidget(c.color);
        colourRow->addStretch(1);
        g->addLayout(colourRow);
        g->addWidget(new QLabel(QStringLiteral("Mode"), c.group));
        g->addWidget(c.mode);
        g->addStretch(1);
        layout->addWidget(c.group, 1);

        connect(c.length, &QSlider::valueChanged, this, [this, h] { handLengthChange(h); });
        connect(c.width, &QSlider::valueChanged, this, [this, h] { handWidthChange(h); });
        connect(c.mode, &QComboBox::activated, this,
                [this, h] { handModeChange(h); }); // the user's choice only
        connect(c.color, &ColorPicker::colorChanged, this,
                [this, h](app::TColor color) { handColorChange(h, color); });
    }
    return tab;
}

QWidget* AppearancePage::buildCaptionTab()
{
    auto* tab = new QWidget;
    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(6, 6, 6, 6);
    txtCaption = new QLineEdit(tab);
    txtCaption->setReadOnly(true);
    layout->addWidget(new QLabel(QStringLiteral("Clock Text"), tab), 0, 0);
    layout->addWidget(txtCaption, 0, 1);
    auto* font = new QGroupBox(QStringLiteral("Font"), tab);
    auto* f = new QGridLayout(font);
    f->setContentsMargins(6, 4, 6, 6);
    cboFontName = new QFontComboBox(font);
    cboFontName->setProperty("untranslated", true);
    cboFontName->setMaximumWidth(180);
    cboFontSize = new QComboBox(font);
    cboFontSize->setProperty("untranslated", true);
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        cboFontSize->addItem(QString::number(size));
    cboFontSize->setEditable(true);
    btnCaptionColor = new ColorPicker(m_clock.platformServices().dialogs, font);
    chkBold = new QCheckBox(QStringLiteral("Bold"), font);
    chkItalic = new QCheckBox(QStringLiteral("Italic"), font);
    chkStrikeOut = new QCheckBox(QStringLiteral("StrikeOut"), font);
    chkUnderline = new QCheckBox(QStringLiteral("Underline"), font);
    f->addWidget(new QLabel(QStringLiteral("Font Name"), font), 0, 0);
    f->addWidget(cboFontName, 0, 1, 1, 3);
    f->addWidget(new QLabel(QStringLiteral("Size"), font), 1, 0);
    f->addWidget(cboFontSize, 1, 1);
    f->addWidget(new QLabel(QStringLiteral("Color"), font), 1, 2, Qt::AlignRight);
    f->addWidget(btnCaptionColor, 1, 3, Qt::AlignLeft);
    f->addWidget(chkBold, 2, 0, 1, 2);
    f->addWidget(chkItalic, 2, 2, 1, 2);
    f->addWidget(chkStrikeOut, 3, 0, 1, 2);
    f->addWidget(chkUnderline, 3, 2, 1, 2);
    layout->addWidget(font, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    // The page only shows the caption: the clock chooses its font itself.
    for (QWidget* w : std::initializer_list<QWidget*>{cboFontName, cboFontSize, chkBold, chkItalic,
                                                      chkStrikeOut, chkUnderline})
        w->setEnabled(false);
    btnCaptionColor->setReadOnly(true); // greyed out, the colour could not be seen
    return tab;
}

QWidget* AppearancePage::buildIconTab()
{
    auto* tab = new QWidget;
    auto* layout = new QGridLayout(tab);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* minute = new QGroupBox(QStringLiteral("Minute Hand"), tab);
    auto* m = new QHBoxLayout(minute);
    btnIconMinHandColor = new ColorPicker(m_clock.platformServices().dialogs, minute);
    m->addWidget(new QLabel(QStringLiteral("Color"), minute));
    m->addWidget(btnIconMinHandColor);
    m->addStretch(1);
    auto* hour = new QGroupBox(QStringLiteral("Hour Hand"), tab);
    auto* h = new QHBoxLayout(hour);
    btnIconHourHandColor = new ColorPicker(m_clock.platformServices().dialogs, hour);
    h->addWidget(new QLabel(QStringLiteral("Color"), hour));
    h->addWidget(btnIconHourHandColor);
    h->addStretch(1);
    chkOnTray = new QCheckBox(QStringLiteral("Show Icon in Tray"), tab);
    layout->addWidget(minute, 0, 0);
    layout->addWidget(hour, 0, 1);
    layout->addWidget(chkOnTray, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);

    connect(btnIconMinHandColor, &ColorPicker::colorChanged, this, [this](app::TColor color) {
        m_clock.Settings.IconMinHandColor = color;
        m_clock.UpdateIcons();
    });
    connect(btnIconHourHandColor, &ColorPicker::colorChanged, this, [this](app::TColor color) {
        m_clock.Settings.IconHourHandColor = color;
        m_clock.UpdateIcons();
    });
    connect(chkOnTray, &QCheckBox::toggled, this, &AppearancePage::chkOnTrayClick);
    return tab;
}

QString AppearancePage::pictureFilter()
{
    // clang-format off
    const QString filter = Translate(QStringLiteral("Image Files (*.bmp;*.jpg;*.jpeg;*.gif;*.wmf)|*.bmp;*.jpg;*.jpeg;*.gif;*.wmf|Bitmaps (*.bmp)|*.bmp|JPEG Image Files (*.jpg; *.jpeg)|*.jpg;*.jpeg|GIF Image Files (*.gif)|*.gif|Windows Metafiles (*.wmf)|*.wmf|All Files (*.*)|*.*"));
    // clang-format on
    // "Description|patterns|..." pairs become Qt's "Description (patterns);;...", with each
    // pattern in both letter cases since the file system minds them.
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        if (const qsizetype open = description.lastIndexOf(u'('); open > 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        QStringList patterns;
        for (QString pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            if (pattern == QStringLiteral("*.*"))
                pattern = QStringLiteral("*");
            patterns << pattern;
            if (pattern.toUpper() != pattern)
                patterns << pattern.toUpper();
        }
        entries << description + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

app::HandStyle& AppearancePage::handStyle(int hand)
{
    app::ClockSettings& s = m_clock.Settings;
    return hand == 0 ? s.SecHand : hand == 1 ? s.MinHand : s.HourHand;
}

void AppearancePage::redraw()
{
    m_clock.tmrTimer();
}

void AppearancePage::fillOnShow()
{
    m_filling = true;
    app::ClockSettings& s = m_clock.Settings;
    const QSize screen = m_clock.platformServices().screen.primaryScreenSize();
    const int maximum = std::max(16, std::min(screen.width(), screen.height()));
    for (QSlider* size : {trkWidth, trkHeight}) {
        size->setRange(16, maximum);
        size->setPageStep(std::max(1, (maximum - 16) / 10));
        size->setTickInterval(size->pageStep());
    }
    trkWidth->setValue(m_clock.width());
    trkHeight->setValue(m_clock.height());
    updateSizeHints();

    btnClockColor->setColor(s.Color);
    chkOnTop->setChecked(s.OnTop);
    chkOnTopClick();
    chkOnTray->setChecked(s.OnTray);
    chkOnTrayClick();
    if (QAbstractButton* shape = radShape->button(s.Shape))
        shape->setChecked(true);
    btnIconHourHandColor->setColor(s.IconHourHandColor);
    btnIconMinHandColor->setColor(s.IconMinHandColor);
    trkTimer->setValue(m_clock.tmr->interval());
    trkTimerChange();
    chkHide->setChecked(!s.Visible);
    chkRunAtStartup->setChecked(m_clock.platformServices().autostart.isRunAtStartup());
    updatePictureButtons();
    // The tab in front shows the values of this showing, not of the last one.
    if (pgcClock->currentIndex() == 1)
        fillHands();
    else if (pgcClock->currentIndex() == 2)
        fillCaption();
    m_filling = false;
}

void AppearancePage::pgcClockChange(int index)
{
    if (index == 1)
        fillHands();
    else if (index == 2)
        fillCaption();
}

void AppearancePage::fillHands()
{
    const bool wasFilling = std::exchange(m_filling, true);
    for (int h = 0; h < 3; ++h) {
        const app::HandStyle& style = handStyle(h);
        hands[h].length->setValue(app::roundHalfEven(style.Length * 100));
        handLengthChange(h); // the length becomes whole percent, the hint is renewed
        hands[h].width->setValue(style.Width);
        handWidthChange(h);
        hands[h].color->setColor(style.Color);
        hands[h].mode->setCurrentIndex(style.Mode);
    }
    m_filling = wasFilling;
}

void AppearancePage::fillCaption()
{
    const app::ClockSettings& s = m_clock.Settings;
    txtCaption->setText(s.CaptionText);
    cboFontName->setCurrentFont(s.CaptionFont);
    cboFontSize->setCurrentText(QString::number(s.CaptionFont.pointSize()));
    btnCaptionColor->setColor(s.CaptionColor);
    chkBold->setChecked(s.CaptionFont.bold());
    chkItalic->setChecked(s.CaptionFont.italic());
    chkUnderline->setChecked(s.CaptionFont.underline());
    chkStrikeOut->setChecked(s.CaptionFont.strikeOut());
}

void AppearancePage::updateSizeHints()
{
    trkWidth->setToolTip(count(trkWidth->value(), Translate(QStringLiteral("pixels"))));
    trkHeight->setToolTip(count(trkHeight->value(), Translate(QStringLiteral("pixels"))));
}

void AppearancePage::trkWidthChange(QSlider* moved)
{
    // Only a user moving one of the two sliders resizes the clock (filling sets them too).
    if (m_filling || !(trkWidth->hasFocus() || trkHeight->hasFocus()) || !moved->hasFocus())
        return;
    const app::ClockSettings& s = m_clock.Settings;
    QSize basis = m_clock.size();
    if (!s.PictureFile.isEmpty() && !m_clock.Picture.isEmpty())
        basis = m_clock.Picture.size();
    const int ratio = radRatio->checkedId();
    QSlider* other = moved == trkWidth ? trkHeight : trkWidth;
    const QSignalBlocker quiet(other);
    if (ratio == kRatioSame) {
        other->setValue(moved->value());
    } else if (ratio == kRatioKeepAspect) {
        const double scale = moved == trkWidth ? double(basis.height()) / basis.width()
                                               : double(basis.width()) / basis.height();
        other->setValue(app::roundHalfEven(moved->value() * scale));
    }
    ApplySize();
}

void AppearancePage::ApplySize()
{
    m_clock.resize(trkWidth->value(), trkHeight->value());
    updateSizeHints();
    // A new size starts as a rectangle; "Picture" cuts it to the outline again.
    if (QAbstractButton* rectangle = radShape->button(app::ShapeRectangle))
        rectangle->setChecked(true);
    m_clock.Settings.Shape = app::ShapeRectangle;
    m_clock.ApplyShape(true);
    redraw();
}

void AppearancePage::btn100Click()
{
    if (m_clock.Settings.PictureFile.isEmpty())
        return;
    const QSize picture = m_clock.Picture.size();
    {
        const QSignalBlocker quietWidth(trkWidth);
        const QSignalBlocker quietHeight(trkHeight);
        trkWidth->setValue(std::clamp(picture.width(), trkWidth->minimum(), trkWidth->maximum()));
        trkHeight->setValue(std::clamp(picture.height(), trkHeight->minimum(), trkHeight->maximum()));
    }
    ApplySize();
}

void AppearancePage::btnClockColorChange(app::TColor color)
{
    m_clock.Settings.Color = color;
    redraw();
}

void AppearancePage::trkTimerChange()
{
    m_clock.tmr->setInterval(trkTimer->value());
    trkTimer->setToolTip(count(trkTimer->value(), Translate(QStringLiteral("milliseconds"))));
}

void AppearancePage::chkHideClick()
{
    if (m_filling || !m_dialogVisible)
        return;
    const bool hide = chkHide->isChecked();
    if (hide)
        chkOnTray->setChecked(true); // a hidden clock must stay reachable from its icon
    m_clock.Settings.Visible = !hide;
    m_clock.ApplyVisible();
}

void AppearancePage::btnOpenPicClick()
{
    app::ClockSettings& s = m_clock.Settings;
    const QString folder = s.PictureFile.isEmpty() ? m_clock.platformServices().folders.ClocksFolder
                                                   : QFileInfo(s.PictureFile).absolutePath();
    const auto chosen = m_clock.platformServices().dialogs.openFile(
        window(), Translate(QStringLiteral("Select a Picture for the Clock")), folder, s.PictureFile,
        pictureFilter());
    if (!chosen)
        return;
    s.PictureFile = *chosen;
    updatePictureButtons(); // even a picture that cannot be shown can be cleared again
    try {
        m_clock.LoadPicture();
    } catch (const app::PictureLoadError& e) {
        m_clock.platformServices().messages.error(QString::fromStdString(e.what()));
        redraw();
        return;
    }
    btn100Click();
    m_clock.UpdateCaptionFont();
    m_clock.ApplyShape(true);
    redraw();
}

void AppearancePage::btnEditPictureClick()
{
    // The desktop's own application for the picture; the clock does not wait for it.
    m_clock.platformServices().shell.openUrl(QUrl::fromLocalFile(m_clock.Settings.PictureFile));
}

void AppearancePage::btnClearClick()
{
    m_clock.ClearPicture();
    m_clock.Settings.PictureFile.clear();
    redraw();
    updatePictureButtons();
}

void AppearancePage::updatePictureButtons()
{
    const bool hasPicture = !m_clock.Settings.PictureFile.isEmpty();
    btnEditPicture->setEnabled(hasPicture);
    btnClear->setEnabled(hasPicture);
    btn100->setEnabled(hasPicture);
}

void AppearancePage::handLengthChange(int hand)
{
    const int position = hands[hand].length->value();
    handStyle(hand).Length = position / 100.0;
    hands[hand].length->setToolTip(
        count(position, Translate(QStringLiteral("percent of the Clock's horizontal radius"))));
    redraw();
}

void AppearancePage::handWidthChange(int hand)
{
    const int position = hands[hand].width->value();
    handStyle(hand).Width = position;
    hands[hand].width->setToolTip(count(position, position == 1 ? Translate(QStringLiteral("pixel"))
                                                                : Translate(QStringLiteral("pixels"))));
    redraw();
}

void AppearancePage::handModeChange(int hand)
{
    handStyle(hand).Mode = hands[hand].mode->currentIndex();
    if (hand > 0)
        m_clock.UpdateCaptionFont();
    redraw();
}

void AppearancePage::handColorChange(int hand, app::TColor color)
{
    handStyle(hand).Color = color;
    if (hand > 0)
        m_clock.UpdateCaptionFont();
    redraw();
}

void AppearancePage::chkOnTrayClick()
{
    const bool onTray = chkOnTray->isChecked();
    m_clock.SetOnTray(onTray);
    if (!onTray)
        chkHide->setChecked(false); // which shows the clock again
}

void AppearancePage::chkOnTopClick()
{
    m_clock.SetOnTop(chkOnTop->isChecked());
    redraw();
}

void AppearancePage::radShapeClick(int index)
{
    if (index == m_clock.Settings.Shape)
        return;
    m_clock.Settings.Shape = index;
    m_clock.ApplyShape(true);
    redraw();
}

} // namespace config
