// libFuzzer target: the Events.dta reader must answer any bytes with rows or one of its two
// errors, without reading out of bounds, hanging or allocating more than the bytes can hold.
#include "events/EventsFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const events::EventsFileContent content = events::readEventsFile(bytes);
        // What was read must write and read back the same.
        const events::EventsFileContent again = events::readEventsFile(events::writeEventsFile(content));
        if (again.rows.size() != content.rows.size() || again.viewStyle != content.viewStyle)
            __builtin_trap();
    } catch (const events::EventsFileError&) {
    }
    return 0;
}
