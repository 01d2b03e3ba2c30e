#include "app/TfrmClock.h"

#include "app/AboutBox.h"
#include "app/CaptionFont.h"
#include "app/ClockTray.h"
#include "app/Help.h"
#include "app/ScreenPositions.h"
#include "app/TrayIconFace.h"
#include "core/Colors.h"
#include "lang/ApplyLanguage.h"
#include "lang/FileTexts.h"
#include "lang/TfrmLanguage.h"
#include "lang/Translate.h"
#include "picture/PictureRegion.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QWindow>

#include <cstring>

namespace app {

namespace {

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

TfrmClock::TfrmClock(const platform::Platform& platform, character::CharacterService& characters,
                     RunFlags& flags, AboutBox* about, QWidget* parent)
    : QWidget(parent), m_platform(platform), m_flags(flags), m_about(about)
{
    // FormCreate
    setWindowTitle(QStringLiteral("Veskel"));
    if (onWayland()) {
        setAttribute(Qt::WA_TranslucentBackground); // Wayland shapes by what is painted, not by masks
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(Settings.Width, Settings.Height);
    move(Settings.Left, Settings.Top);

    tmr = new ClockTicker([this] { return m_platform.clock.now().time(); }, this);
    connect(tmr, &ClockTicker::timeout, this, &TfrmClock::tmrTimer);
    LoadSettings();

    // The language, then the menu in it.
    if (!Settings.Language.isEmpty())
        LanguageTable = lang::LanguageTable::load(
            lang::findLanguageFile(m_platform.folders.LangFolder, Settings.Language));
    lang::setActiveLanguage(&LanguageTable);
    // A settings file that is there but was not read is left alone; the user hears why, once.
    if (const QString why = m_platform.settings.notReadBecause(); !why.isEmpty())
        m_platform.fileNotices.tellOnce(m_platform.settings.path(),
                                        lang::notReadText(m_platform.settings.path(), why));
    popConfig = new PopupMenu(m_platform.folders.LangFolder, this);
    lang::applyLanguage(popConfig);
    connect(popConfig->mnuConfigure, &QAction::triggered, this, &TfrmClock::mnuConfigureClick);
    connect(popConfig->mnuTimeZones, &QAction::triggered, this, &TfrmClock::timeZonesRequested);
    connect(popConfig->mnuOnTop, &QAction::triggered, this, &TfrmClock::mnuOnTopClick);
    connect(popConfig, &PopupMenu::screenPositionChosen, this, &TfrmClock::ScreenCenter1Click);
    connect(popConfig->mnuExit, &QAction::triggered, this, &TfrmClock::mnuExitClick);
    connect(popConfig->Help1, &QAction::triggered, this, &TfrmClock::Help1Click);
    connect(popConfig->Languages1, &QAction::triggered, this, &TfrmClock::Languages1Click);
    connect(popConfig->About1, &QAction::triggered, this, &TfrmClock::About1Click);
    connect(this, &TfrmClock::popupRequested, this, [this](const QPoint& at) { popConfig->popup(at); });

    m_tray = new ClockTray(popConfig, this);
    connect(m_tray, &ClockTray::menuRequested, this, [this](const QPoint& at) { popConfig->popup(at); });
    connect(m_tray, &ClockTray::configureRequested, this, &TfrmClock::mnuConfigureClick);
    connect(this, &TfrmClock::trayHintChanged, m_tray, &ClockTray::setHint);
    m_tray->setShown(Settings.OnTray && m_platform.notificationArea.isAvailable());
    connect(&m_platform.notificationArea, &platform::NotificationArea::availabilityChanged, this,
            &TfrmClock::trayAvailabilityChanged);
    popConfig->mnuOnTop->setChecked(Settings.OnTop);
    applyWindowFlags();
    if (m_about && !Settings.Language.isEmpty())
        lang::applyLanguage(m_about);

    // The character: available when a character file is found and the service can start; a
    // character that cannot be loaded is reported, and the clock starts all the same.
    Agent = std::make_unique<events::AgentSpeech>(
        characters,
        events::AgentSettings{Settings.AgentCharacter, Settings.AgentFile, Settings.AgentLeft,
                              Settings.AgentTop, Settings.Language},
        m_flags.ShuttingDown, m_platform.messages, m_platform.clock, m_platform.locale, m_platform.folders);
    Agent->Start();

    m_measure = QImage(1, 1, QImage::Format_RGB32);
    prepareBackBuffer(m_measure, QSize(1, 1));

    m_visibilityEvent = new QTimer(this);
    m_visibilityEvent->setInterval(200);
    connect(m_visibilityEvent, &QTimer::timeout, this, &TfrmClock::VisibilityEventTimer);
    m_visibilityEvent->start();
    IconsTimer = new QTimer(this);
    IconsTimer->setInterval(15000);
    connect(IconsTimer, &QTimer::timeout, this, &TfrmClock::UpdateIcons);
    IconsTimer->start();
    UpdateIcons();
    tmr->start();

    tmrTimer(); // does nothing yet: start-up is not complete
}

TfrmClock::~TfrmClock()
{
    // FormDestroy
    SaveSettings();
    m_tray->setShown(false);
    RemoveRegion();
    if (lang::activeLanguage() == &LanguageTable)
        lang::setActiveLanguage(nullptr);
}

void TfrmClock::LoadSettings()
{
    app::LoadSettings(m_platform.settings, m_platform.locale, m_platform.screen.primaryScreenSize(),
                      Settings);
    Settings.CaptionFont = font();
    setGeometry(Settings.Left, Settings.Top, Settings.Width, Settings.Height);
    tmr->setInterval(Settings.Interval);
}

void TfrmClock::SaveSettings()
{
    Settings.Left = x();
    Settings.Top = y();
    Settings.Width = width();
    Settings.Height = height();
    Settings.Interval = tmr->interval();
    app::SaveSettings(m_platform.settings, m_platform.locale, Settings);
    if (const platform::SaveResult saved = m_platform.settings.sync(); !saved)
        m_platform.fileNotices.tellOnce(saved.file, lang::notSavedText(saved.file, saved.error));
}

void TfrmClock::setScheduledEvents(events::ScheduledEvents* events)
{
    m_events = events ? events : &m_noEvents;
}

void TfrmClock::applyWindowFlags()
{
    Qt::WindowFlags f = Qt::Window | Qt::FramelessWindowHint;
    if (Settings.OnTop)
        f |= Qt::WindowStaysOnTopHint;
    if (trayShown())
        f |= Qt::Tool; // no taskbar entry: the clock lives in the tray
    if (f == windowFlags())
        return;
    const bool wasVisible = isVisible();
    const QRect bounds = geometry();
    setWindowFlags(f);
    setGeometry(bounds);
    if (wasVisible) {
        // Re-showing after a flag change is not a new showing of the clock.
        m_reshowing = true;
        show();
        m_reshowing = false;
    }
}

void TfrmClock::SetOnTop(bool onTop)
{
    Settings.OnTop = onTop;
    applyWindowFlags();
    popConfig->mnuOnTop->setChecked(onTop);
}

bool TfrmClock::trayShown() const
{
    return m_tray && m_tray->isShown();
}

void TfrmClock::SetOnTray(bool onTray)
{
    Settings.OnTray = onTray;
    m_tray->setShown(onTray && m_platform.notificationArea.isAvailable());
    applyWindowFlags();
}

void TfrmClock::trayAvailabilityChanged()
{
    if (m_flags.ShuttingDown)
        return;
    // The same rules as at start: the icon where a tray is, the taskbar entry where none is, and
    // a clock set to hidden shown again when its icon goes away.
    SetOnTray(Settings.OnTray);
    if (m_visibilityApplied)
        ApplyVisible();
}

void TfrmClock::ApplyVisible()
{
    setVisible(Settings.Visible || !trayShown());
}

void TfrmClock::UpdateIcons()
{
    m_trayIcon = drawTrayIcon(m_platform.clock.now().time(), core::resolveColor(Settings.IconHourHandColor),
                              core::resolveColor(Settings.IconMinHandColor));
    const QIcon icon(QPixmap::fromImage(m_trayIcon));
    m_tray->setIcon(icon);
    QApplication::setWindowIcon(icon);
}

void TfrmClock::mnuOnTopClick()
{
    SetOnTop(!Settings.OnTop);
    tmrTimer();
}

void TfrmClock::mnuExitClick()
{
    QApplication::quit();
}

void TfrmClock::Help1Click()
{
    openHelp(m_platform.shell, m_platform.folders.ProgramFolder);
}

void TfrmClock::Languages1Click()
{
    lang::TfrmLanguage chooser(Settings.Language, m_platform.folders.LangFolder, m_platform.messages, this);
    chooser.exec();
}

void TfrmClock::About1Click()
{
    if (m_about) {
        if (!m_about->isVisible()) {
            m_about->exec();
        } else {
            m_about->raise();
            m_about->activateWindow();
        }
    }
    Settings.CaptionText = MakerWebAddress; // the first run's "Right Click Me!" has done its job
}

void TfrmClock::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous() && !m_reshowing)
        FormShow();
}

void TfrmClock::FormShow()
{
    const QString marker = m_platform.folders.firstRunMarker();
    if (QFile::exists(marker)) {
        m_flags.FirstRun = true;
        if (!Settings.Language.isEmpty()) {
            Settings.PictureFile = m_platform.folders.ClocksFolder + QStringLiteral("fish.bmp");
            setGeometry(0, 0, 269, 269);
        } else {
            Settings.PictureFile = m_platform.folders.ClocksFolder + QStringLiteral("earth.bmp");
            setGeometry(0, 0, 150, 150);
        }
        if (QFile::exists(Settings.PictureFile))
            Settings.Shape = ShapePicture;
        else
            Settings.PictureFile.clear();
        QFile::remove(marker);
        m_platform.autostart.setRunAtStartup(true);
    }
    Face = FaceGeometry::forSize(width(), height());
    if (!Settings.PictureFile.isEmpty())
        LoadPictureOrReport();
    if (m_flags.FirstRun) {
        Settings.CaptionText = Translate(QStringLiteral("Right Click Me!"));
        Settings.CaptionFont.setBold(true);
        Settings.CaptionColor = clYellow;
    }
    UpdateCaptionFont();
    ApplyShape(false);
    UpdateIcons();
    if (m_flags.StartupComplete && drawFrame(m_platform.clock.now().time()))
        presentFrame(); // not the face from before it was hidden
    // Start events may open boxes; let the clock appear first.
    QMetaObject::invokeMethod(this, &TfrmClock::runStartEvents, Qt::QueuedConnection);
}

void TfrmClock::runStartEvents()
{
    m_events->RunStartEvents();
}

void TfrmClock::VisibilityEventTimer()
{
    if (!m_flags.StartupComplete || !m_visibilityEvent->isActive())
        return;
    m_visibilityEvent->stop();
    m_visibilityApplied = true;
    ApplyVisible();
}

void TfrmClock::closeEvent(QCloseEvent* event)
{
    // FormClose
    m_flags.ShuttingDown = true;
    Agent->Shutdown();
    m_tray->setShown(false);
    emit closing();
    event->accept();
}

void TfrmClock::LoadPicture()
{
    Picture = picture::ClockPicture();
    Picture = picture::ClockPicture::load(Settings.PictureFile);
}

bool TfrmClock::LoadPictureOrReport()
{
    try {
        LoadPicture();
        return true;
    } catch (const picture::PictureLoadError& e) {
        m_platform.messages.error(QString::fromStdString(e.what()));
        return false;
    }
}

void TfrmClock::ClearPicture()
{
    Picture = picture::ClockPicture();
}

void TfrmClock::UpdateCaptionFont()
{
    if (m_flags.FirstRun)
        return;
    Settings.CaptionColor = chooseCaptionColor(Settings.HourHand, Settings.MinHand,
                                               [] { return int(QRandomGenerator::global()->bounded(256)); });
    Settings.CaptionFont.setPointSize(
        chooseCaptionPointSize(Settings.CaptionFont, Picture.width(), MakerWebAddress, &m_measure));
}

void TfrmClock::tmrTimer()
{
    if (!m_flags.StartupComplete)
        return;
    const QDateTime now = m_platform.clock.now();
    const QTime time = now.time();
    if (isVisible() && drawFrame(time))
        presentFrame();

    // The hint shows whole seconds: most ticks would only write the same text again.
    const QTime wholeSecond(time.hour(), time.minute(), time.second());
    if (TrayHint.isEmpty() || now.date() != m_hintDate || wholeSecond != m_hintTime) {
        const core::LocaleFormats& locale = m_platform.locale;
        TrayHint = locale.formatLongTime(time) + QStringLiteral(", ") + locale.formatLongDate(now.date());
        m_hintDate = now.date();
        m_hintTime = wholeSecond;
        emit trayHintChanged(TrayHint);
    }

    // The scheduler looks at every second up to the one this tick saw, also those no tick saw.
    m_events->RunDueEvents(now);
}

bool TfrmClock::drawFrame(const QTime& time)
{
    FrameContent content;
    content.size = size();
    content.picture = Settings.PictureFile.isEmpty() ? nullptr : &Picture;
    content.background = core::resolveColor(Settings.Color);
    content.caption = Settings.CaptionText;
    content.captionFont = Settings.CaptionFont;
    content.captionColor = core::resolveColor(Settings.CaptionColor);
    content.hourHand = {Settings.HourHand, core::resolveColor(Settings.HourHand.Color)};
    content.minuteHand = {Settings.MinHand, core::resolveColor(Settings.MinHand.Color)};
    content.secondHand = {Settings.SecHand, core::resolveColor(Settings.SecHand.Color)};
    content.time = time;
    return m_renderer.render(content);
}

void TfrmClock::presentFrame()
{
    // Only what changed is handed to the window system: from one second to the next that is the
    // area around the hands that moved, not the whole face. The shown copy is kept opaque in the
    // window system's own pixel format (pen modes may leave any alpha in the frame), so putting
    // it on screen is a plain copy.
    const QImage& frame = BackBuffer();
    QRect changed = m_renderer.changedArea();
    if (m_shown.size() != frame.size()) {
        m_shown = QImage(frame.size(), QImage::Format_ARGB32_Premultiplied);
        changed = m_shown.rect();
    }
    changed &= m_shown.rect();
    if (changed.isEmpty())
        return;
    for (int y = changed.top(); y <= changed.bottom(); ++y) {
        const auto* from = reinterpret_cast<const quint32*>(frame.constScanLine(y));
        auto* to = reinterpret_cast<quint32*>(m_shown.scanLine(y));
        for (int x = changed.left(); x <= changed.right(); ++x)
            to[x] = from[x] | 0xFF000000u;
    }
    ++m_presentedFrames;
    update(changed);
}

void TfrmClock::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    if (testAttribute(Qt::WA_TranslucentBackground)) {
        painter.fillRect(area, Qt::transparent); // outside the outline the desktop shows
        if (m_hasRegion)
            painter.setClipRegion(mask());
    }
    if (m_shown.isNull()) {
        painter.fillRect(area, core::resolveColor(Settings.Color));
        return;
    }
    // In bands of fewer than 96 rows: Qt hands larger blits to a pool of threads, and waking
    // them costs more than the copy of a clock face.
    constexpr int band = 64;
    const QRect source = area & m_shown.rect();
    for (int y = source.top(); y <= source.bottom(); y += band)
        painter.drawImage(QPoint(source.left(), y), m_shown,
                          QRect(source.left(), y, source.width(), std::min(band, source.bottom() + 1 - y)));
}

void TfrmClock::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Face = FaceGeometry::forSize(width(), height());
}

void TfrmClock::ApplyShape(bool reset)
{
    switch (Settings.Shape) {
    case ShapeRectangle:
        SetSimpleRegion(false);
        break;
    case ShapeEllipse:
        SetSimpleRegion(true);
        break;
    case ShapePicture:
        if (reset)
            SetSimpleRegion(false);
        MakePictureRegion();
        break;
    default:
        break;
    }
}

void TfrmClock::setRegion(const QRegion& region)
{
    RemoveRegion();
    if (region.isEmpty())
        return;
    setMask(region);
    m_hasRegion = true;
    update();
}

void TfrmClock::SetSimpleRegion(bool elliptic)
{
    setRegion(picture::simpleRegion(size(), elliptic));
}

void TfrmClock::MakePictureRegion()
{
    if (Settings.PictureFile.isEmpty())
        return;
    if (Picture.isEmpty()) {
        // A picture that could not be loaded has no outline; the caption alone would leave
        // little more than a few letters of the clock on the desktop.
        RemoveRegion();
        return;
    }
    // The outline is the picture and the caption, without the hands.
    const double lengths[3] = {Settings.SecHand.Length, Settings.MinHand.Length, Settings.HourHand.Length};
    Settings.SecHand.Length = Settings.MinHand.Length = Settings.HourHand.Length = 0;
    drawFrame(m_platform.clock.now().time());
    Settings.SecHand.Length = lengths[0];
    Settings.MinHand.Length = lengths[1];
    Settings.HourHand.Length = lengths[2];
    setRegion(picture::pictureRegion(BackBuffer()));
}

void TfrmClock::RemoveRegion()
{
    if (!m_hasRegion)
        return;
    clearMask();
    m_hasRegion = false;
    update();
}

void TfrmClock::ScreenPosition(int tag)
{
    if (const auto place = screenPosition(tag, m_platform.screen.primaryScreenSize(), size()))
        move(*place);
}

void TfrmClock::mousePressEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    if (left && onWayland() && windowHandle()) {
        windowHandle()->startSystemMove(); // Wayland lets only the compositor move windows
        return;
    }
    m_drag.press(left, event->globalPosition().toPoint());
    if (event->button() == Qt::RightButton)
        emit popupRequested(event->globalPosition().toPoint());
}

void TfrmClock::mouseMoveEvent(QMouseEvent* event)
{
    if (const auto delta = m_drag.move(event->globalPosition().toPoint()))
        move(pos() + *delta);
}

void TfrmClock::mouseReleaseEvent(QMouseEvent*)
{
    m_drag.release();
}

void TfrmClock::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit configureRequested();
}

} // namespace app
