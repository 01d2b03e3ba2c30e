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

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
