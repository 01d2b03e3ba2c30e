#pragma once

#include <QObject>

namespace platform {
class TerminationSignals;
}

namespace startup {

// Ends the run when the session asks (SIGTERM, SIGHUP, Ctrl+C), also while a box waits for an
// answer: every open dialog is dismissed as if cancelled, and so is any shown after the request,
// so the program goes on to its orderly end and keeps its settings.
class EndRequest final : public QObject
{
public:
    explicit EndRequest(platform::TerminationSignals& termination, QObject* parent = nullptr);

    // Start-up looks here before it enters the event loop: an end asked for before then has no
    // loop to leave.
    bool requested() const { return m_requested; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void end();

    bool m_requested = false;
};

} // namespace startup
