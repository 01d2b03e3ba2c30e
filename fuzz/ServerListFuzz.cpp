// libFuzzer target: any NTPServers.dta reads into names that are written back and read again as
// the same names.
#include "nettime/ServerList.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList names = nettime::parseServerList(bytes);
    for (const QString& name : names)
        if (name.contains(u'\r') || name.contains(u'\n') || name.contains(QChar(0)))
            __builtin_trap();
    if (nettime::parseServerList(nettime::serverListBytes(names)) != names)
        __builtin_trap();
    return 0;
}
