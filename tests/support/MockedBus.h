#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace fakes {

// A bus of the test's own, with one of python-dbusmock's stand-ins for a desktop service on it
// (timedated, the notification daemon). Nothing of the machine's own buses is touched.
class MockedBus
{
public:
    MockedBus();
    virtual ~MockedBus();
    MockedBus(const MockedBus&) = delete;
    MockedBus& operator=(const MockedBus&) = delete;
    bool ready() const { return skipReason.isEmpty(); }

    // Starts dbusmock's `dbusTemplate` as `service` on the bus; every call it takes is logged.
    bool startService(const QString& dbusTemplate, const QString& service);
    void stopService();
    // The logged calls of `method`, each as the method's name and its arguments.
    QStringList calls(const QString& method) const;

    QString skipReason;
    QString address;
    std::optional<QDBusConnection> bus;

private:
    QString m_python;
    QProcess m_daemon;
    QProcess m_service;
    QTemporaryDir m_dir;
};

} // namespace fakes
