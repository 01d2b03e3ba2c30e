#include "app/ClockTicker.h"

#include <algorithm>

namespace app {

namespace {
// Past the second's start by a little, so a timer that fires a hair early still sees the new
// second.
constexpr int kPastTheSecond = 2;
} // namespace

ClockTicker::ClockTicker(std::function<QTime()> now, QObject* parent) : QObject(parent), m_now(std::move(now))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        plan(); // first: a tick that runs a nested event loop (a message box) must not stop the clock
        emit timeout();
    });
}

int ClockTicker::delayToNextSecond(int millisecond)
{
    return 1000 - std::clamp(millisecond, 0, 999) + kPastTheSecond;
}

void ClockTicker::start()
{
    plan();
}

void ClockTicker::plan()
{
    m_timer.start(delayToNextSecond(m_now().msec()));
}

} // namespace app
