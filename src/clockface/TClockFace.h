#pragma once

#include "clockface/ClockFaceLook.h"
#include "clockface/RevolvingDrum.h"
#include "clockface/ShownTime.h"
#include "clockface/THandOptions.h"

#include <QTime>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

class QMenu;

namespace core {
class LocaleFormats;
} // namespace core
namespace platform {
class Clock;
} // namespace platform

namespace clockface {

class FaceCanvas;

// A panel that shows a time of day as text, seven-segment digits, an analogue face or a
// revolving drum. While active it reads the clock four times a second, shifted by its offset
// (to show another zone's time), and repaints when the shown second changes; inactive it shows
// midnight. Every face paints on one shared canvas and reaches the screen in one copy.
//
// Changing how it looks repaints an inactive face at once; an active one shows the change with
// its next second. The font is the widget's own (setFont), its colour FontColor.
class TClockFace final : public QWidget, private THandOptions::Owner
{
    Q_OBJECT

public:
    TClockFace(platform::Clock& clock, const core::LocaleFormats& locale, QWidget* parent = nullptr);
    ~TClockFace() override;

    QString DisplayFormat() const { return m_look.DisplayFormat; }
    void setDisplayFormat(const QString& value);
    TClockFaceStyle ClockStyle() const { return m_look.ClockStyle; }
    void setClockStyle(TClockFaceStyle value);
    core::TColor BorderColor() const { return m_look.BorderColor; }
    void setBorderColor(core::TColor value);
    // Setting a field of the face's own options repaints the face as any other change does.
    THandOptions& HandOptions() { return m_handOptions; }
    const THandOptions& HandOptions() const { return m_handOptions; }
    bool DrawMask() const { return m_look.DrawMask; }
    void setDrawMask(bool value);
    const QImage& ClockFace() const { return m_look.ClockFace; }
    void setClockFace(const QImage& picture);
    // Offsets count from the next tick.
    qint32 OffsetHour() const { return m_offset.Hours; }
    void setOffsetHour(qint32 value) { m_offset.Hours = value; }
    qint32 OffsetMin() const { return m_offset.Minutes; }
    void setOffsetMin(qint32 value) { m_offset.Minutes = value; }
    qint32 OffsetSec() const { return m_offset.Seconds; }
    void setOffsetSec(qint32 value) { m_offset.Seconds = value; }
    // Where the offsets come from at every reading of the clock, when set: a face that shows a
    // zone's time follows that zone's rules at every second it shows.
    using OffsetSource = std::function<TimeOffset(const QDateTime& now)>;
    void setOffsetSource(OffsetSource source) { m_offsetSource = std::move(source); }
    THoursDisplayStyle HoursDisplayStyle() const { return m_look.HoursDisplayStyle; }
    void setHoursDisplayStyle(THoursDisplayStyle value);
    bool Active() const { return m_active; }
    void setActive(bool value);

    TBevelCut BevelInner() const { return m_look.BevelInner; }
    void setBevelInner(TBevelCut value);
    TBevelCut BevelOuter() const { return m_look.BevelOuter; }
    void setBevelOuter(TBevelCut value);
    int BevelWidth() const { return m_look.BevelWidth; }
    void setBevelWidth(int value); // at least 1
    int BorderWidth() const { return m_look.BorderWidth; }
    void setBorderWidth(int value); // at least 0
    TBorderStyle BorderStyle() const { return m_look.BorderStyle; }
    void setBorderStyle(TBorderStyle value);
    core::TColor Color() const { return m_look.Color; }
    void setColor(core::TColor value);
    core::TColor FontColor() const { return m_look.FontColor; }
    void setFontColor(core::TColor value);
    // Opens on a right click; none lets the click go to the parent.
    QMenu* PopupMenu() const { return m_popupMenu; }
    void setPopupMenu(QMenu* menu) { m_popupMenu = menu; }

    // The time of day shown now.
    QTime Time() const { return m_time; }
    // The look as it is painted, font included.
    const ClockFaceLook& look() const { return m_look; }
    const DrumRoll& drumRoll() const { return m_roll; }
    bool isRolling() const { return m_rollTimer.isActive(); }

    // Repaints: a drum rolls its changed characters into place, the other styles are painted
    // at the next opportunity.
    void Refresh();
    // The 250 ms tick: takes the shown time and tells of a new hour, minute and second.
    void tmrTimer();
    // The next frame of the drum's roll.
    void rollTimer();
    const QTimer& timer() const { return m_timer; }
    const QTimer& rollFrameTimer() const { return m_rollTimer; }
    // The bitmap the face paints on, shared with every other face.
    const FaceCanvas& canvas() const { return *m_canvas; }

    QSize sizeHint() const override { return {65, 19}; }

    static constexpr int TickInterval = 250;
    // Ten frames of the roll take a little over a tenth of a second: quick enough to end well
    // before the next second, slow enough to be seen.
    static constexpr int RollFrameInterval = 16;

signals:
    void OnHourChange(clockface::TClockFace* Sender, const QTime& OldTime, const QTime& NewTime);
    void OnMinuteChange(clockface::TClockFace* Sender, const QTime& OldTime, const QTime& NewTime);
    void OnSecondChange(clockface::TClockFace* Sender, const QTime& OldTime, const QTime& NewTime);
    void OnResize(clockface::TClockFace* Sender);
    void OnDblClick(clockface::TClockFace* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void handOptionsChanged() override;
    // A property changed: an inactive face shows it at once.
    void lookChanged();
    QTime currentShownTime();
    QRect clientRect() const;
    template <typename T> void store(T& field, T value);

    platform::Clock& m_clock;
    const core::LocaleFormats& m_locale;
    std::shared_ptr<FaceCanvas> m_canvas;
    ClockFaceLook m_look;
    THandOptions m_handOptions{this};
    TimeOffset m_offset;
    OffsetSource m_offsetSource;
    bool m_active = false;
    QTime m_time{0, 0};
    QTimer m_timer;
    DrumRoll m_roll;
    QString m_rollingTo;
    QTimer m_rollTimer;
    QMenu* m_popupMenu = nullptr;
};

} // namespace clockface
