#pragma once

#include "platform/WholeFile.h"

#include <QLocale>
#include <QObject>
#include <QStringList>

class QThread;

namespace nettime {

// NTPServers.dta read, parsed and sorted on a thread of its own, since a list may be long; the
// clock goes on meanwhile. It starts at once.
class ServerListLoad final : public QObject
{
    Q_OBJECT

public:
    ServerListLoad(const QString& path, const QLocale& locale, QObject* parent = nullptr);
    ~ServerListLoad() override;

    bool done() const { return m_done; }
    // Until done, with the event loop running.
    void wait();
    // Once done: what became of the file (its bytes dropped), and the names it held, sorted.
    const platform::ReadResult& file() const { return m_file; }
    const QStringList& names() const { return m_names; }

signals:
    void finished();

private:
    QThread* m_thread = nullptr;
    platform::ReadResult m_file;
    QStringList m_names;
    bool m_done = false;
};

} // namespace nettime
