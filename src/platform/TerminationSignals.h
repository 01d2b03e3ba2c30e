#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP (logout, shutdown, Ctrl+C) into a signal on the event loop,
// so the program ends the orderly way and keeps its settings.
class TerminationSignals final : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Catches the signals from now on, before there is an event loop to hear of them: one that
    // comes during start-up waits and is delivered as soon as a TerminationSignals exists.
    static void catchEarly();

    // True once an end was asked for; it stays asked for. Start-up looks here before it enters
    // the event loop, since an end asked for before then has no loop to leave.
    bool requested() const { return m_requested; }

signals:
    // Once per run, however many signals come.
    void terminationRequested();

private:
    void takeDelivery();

    QSocketNotifier* m_notifier = nullptr;
    bool m_requested = false;
};

} // namespace platform
