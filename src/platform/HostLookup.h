#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>
#include <functional>

namespace platform {

// Asynchronous name lookup. The answer arrives on the event loop; an aborted lookup never answers.
class HostLookup
{
public:
    struct Answer
    {
        bool ok = false;
        QList<QHostAddress> addresses;
    };
    using Callback = std::function<void(const Answer&)>;

    virtual ~HostLookup() = default;
    // Returns an id for abort().
    virtual int start(const QString& name, Callback done) = 0;
    virtual void abort(int id) = 0;
};

class QtHostLookup final : public HostLookup
{
public:
    int start(const QString& name, Callback done) override;
    void abort(int id) override;
};

} // namespace platform
