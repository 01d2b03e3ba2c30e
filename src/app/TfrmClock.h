#pragma once

#include "app/ClockFrame.h"
#include "app/ClockSettings.h"
#include "app/ClockTicker.h"
#include "app/DragTracker.h"
#include "app/HandGeometry.h"
#include "app/PopupMenu.h"
#include "app/RunFlags.h"
#include "events/AgentSpeech.h"
#include "events/ScheduledEvents.h"
#include "lang/LanguageTable.h"
#include "picture/ClockPicture.h"
#include "platform/Platform.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <memory>

namespace app {

class AboutBox;
class ClockTray;

// The clock itself: a borderless window shaped as a rectangle, an ellipse or its picture's
// outline, redrawn by its own timer. It owns the clock settings, which the other windows read
// and change directly.
class TfrmClock final : public QWidget
{
    Q_OBJECT

public:
    TfrmClock(const platform::Platform& platform, character::CharacterService& characters, RunFlags& flags,
              AboutBox* about = nullptr, QWidget* parent = nullptr);
    ~TfrmClock() override;

    ClockSettings Settings;
    picture::ClockPicture Picture;
    FaceGeometry Face;
    QString TrayHint;
    ClockTicker* tmr = nullptr;
    QTimer* IconsTimer = nullptr;
    PopupMenu* popConfig = nullptr;
    lang::LanguageTable LanguageTable;
    // The desktop character that announces events; it keeps its name and place in Settings.
    std::unique_ptr<events::AgentSpeech> Agent;

    // Draws the face (while shown), renews the tray hint and hands the time to the scheduler.
    // Called by the timer, and directly to redraw at once after a change.
    void tmrTimer();
    void UpdateCaptionFont();

    void ApplyShape(bool reset);
    void SetSimpleRegion(bool elliptic);
    void MakePictureRegion();
    void RemoveRegion();
    bool hasRegion() const { return m_hasRegion; }

    // Tags 1 to 9 of the screen position menu.
    void ScreenPosition(int tag);
    void SetOnTop(bool onTop);
    // Puts the icon in the notification area (and the window out of the taskbar), or back.
    void SetOnTray(bool onTray);
    // The window's visibility as the settings want it, but never hidden without a tray icon.
    void ApplyVisible();
    void UpdateIcons();
    ClockTray* tray() const { return m_tray; }
    bool trayShown() const;
    QImage trayIconImage() const { return m_trayIcon; }

    // Menu items.
    void mnuConfigureClick() { emit configureRequested(); }
    void mnuOnTopClick();
    void ScreenCenter1Click(int tag) { ScreenPosition(tag); }
    void mnuExitClick();
    void Help1Click();
    void Languages1Click();
    void About1Click();
    // Loads Picture from Settings.PictureFile; throws PictureLoadError and leaves it empty then.
    void LoadPicture();
    // The same, but a picture that cannot be shown is told to the user in the error box with the
    // loader's message. False then, and the picture is empty.
    bool LoadPictureOrReport();
    void ClearPicture();

    void setScheduledEvents(events::ScheduledEvents* events);
    const platform::Platform& platformServices() const { return m_platform; }
    RunFlags& flags() { return m_flags; }

    // The face as last drawn.
    const QImage& BackBuffer() const { return m_renderer.frame(); }
    // The frame last put on screen (opaque, premultiplied); only a frame that differs from it is shown.
    const QImage& shownFrame() const { return m_shown; }
    int presentedFrames() const { return m_presentedFrames; }

    void LoadSettings();
    void SaveSettings();
    // The visibility timer's handler: once start-up is complete it applies "Visible" for good.
    void VisibilityEventTimer();

signals:
    void configureRequested();
    void timeZonesRequested();
    void popupRequested(const QPoint& globalPos);
    void trayHintChanged(const QString& hint);
    void closing();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private slots:
    // The desktop's tray came or went.
    void trayAvailabilityChanged();

private:
    void FormShow();
    void runStartEvents();
    // False when the frame came out as the one before.
    bool drawFrame(const QTime& time);
    void presentFrame();
    void setRegion(const QRegion& region);
    void applyWindowFlags();

    const platform::Platform m_platform;
    RunFlags& m_flags;
    AboutBox* m_about = nullptr;
    ClockTray* m_tray = nullptr;
    QImage m_trayIcon;
    events::NoScheduledEvents m_noEvents;
    events::ScheduledEvents* m_events = &m_noEvents;
    ClockFrameRenderer m_renderer;
    QImage m_shown;
    QImage m_measure;
    QTimer* m_visibilityEvent = nullptr;
    DragTracker m_drag;
    bool m_hasRegion = false;
    bool m_reshowing = false;
    bool m_visibilityApplied = false; // the "Visible" setting has been applied once
    int m_presentedFrames = 0;
    QDate m_hintDate;
    QTime m_hintTime;
};

} // namespace app
