#include "platform/HostLookup.h"

#include <QHostInfo>

namespace platform {

int QtHostLookup::start(const QString& name, Callback done)
{
    return QHostInfo::lookupHost(name, [done = std::move(done)](const QHostInfo& info) {
        done({info.error() == QHostInfo::NoError && !info.addresses().isEmpty(), info.addresses()});
    });
}

void QtHostLookup::abort(int id)
{
    QHostInfo::abortHostLookup(id);
}

} // namespace platform
