#include "config/AppearancePage.h"

#include "app/PenModes.h"
#include "app/TfrmClock.h"
#include "lang/ApplyLanguage.h"
#include "widgets/ColorPicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

// The page's controls, how they are laid out and which handler each one calls. What the handlers
// do is in AppearancePage.cpp.

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
    radRatio->button(RatioKeepAspect)->setChecked(true);
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
        lang::ownTexts(c.mode); // the modes' own names
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
    lang::ownTexts(cboFontName);
    cboFontName->setMaximumWidth(180);
    cboFontSize = new QComboBox(font);
    lang::ownTexts(cboFontSize);
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

} // namespace config
