#include "platform/TerminationSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// The self-pipe: the handler writes a byte into [1], the event loop hears [0].
int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    // Both ends are non-blocking: a full pipe already says "end", so a burst of signals never
    // blocks the handler (and with it the thread it interrupted).
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

void TerminationSignals::catchEarly()
{
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_NONBLOCK | O_CLOEXEC) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    catchEarly();
    if (g_pipe[0] < 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::takeDelivery);
}

void TerminationSignals::takeDelivery()
{
    char bytes[256];
    ssize_t n;
    do
        n = ::read(g_pipe[0], bytes, sizeof bytes);
    while (n > 0 || (n < 0 && errno == EINTR));
    if (m_requested)
        return;
    m_requested = true;
    emit terminationRequested();
}

TerminationSignals::~TerminationSignals()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (const int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &action, nullptr);
}

} // namespace platform
