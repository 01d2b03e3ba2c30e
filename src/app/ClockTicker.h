#pragma once

#include <QObject>
#include <QTime>
#include <QTimer>
#include <functional>

namespace app {

// The clock window's timer. Everything a tick does (the face, the tray hint, the scheduler's
// look at the new second) changes only when the second of the clock changes, so instead of
// waking every `interval` milliseconds and mostly finding nothing to do, it wakes just after
// each second begins: the second hand moves within a couple of milliseconds of the true second,
// never later than a tick every `interval` would move it, at a fifth of the wake-ups.
//
// `interval` is the redraw interval the user chose (100 to 500 ms): kept, offered and saved
// with the settings, and honoured as the longest a change may wait for its tick.
class ClockTicker final : public QObject
{
    Q_OBJECT

public:
    // `now` is the clock's time of day, read when a tick is planned.
    ClockTicker(std::function<QTime()> now, QObject* parent = nullptr);

    int interval() const { return m_interval; }
    void setInterval(int milliseconds) { m_interval = milliseconds; }
    bool isActive() const { return m_timer.isActive(); }
    void start();
    void stop() { m_timer.stop(); }

    // How long to sleep from `millisecond` of a second to just past the next second's start.
    static int delayToNextSecond(int millisecond);

signals:
    void timeout();

private:
    void plan();

    std::function<QTime()> m_now;
    QTimer m_timer;
    int m_interval = 200;
};

} // namespace app
