// libFuzzer target: any display name splits into parts without reading out of bounds or looping.
#include "timezones/TimeZoneRecord.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString name = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList parts = timezones::SplitDisplayName(name);
    if (parts.isEmpty())
        __builtin_trap();
    qsizetype length = 0;
    for (const QString& part : parts)
        length += part.size();
    if (length > name.size())
        __builtin_trap();
    return 0;
}
