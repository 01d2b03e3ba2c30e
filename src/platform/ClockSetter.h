#pragma once

#include <QDateTime>

namespace platform {

// Sets the computer's clock. The answer tells apart the refusal a user can do something about
// from the others.
class ClockSetter
{
public:
    enum class Result
    {
        Set,
        AutomaticSyncOn, // the system takes its time from the network itself and refuses
        Refused,         // no right to set it, the user declined, or the system failed
    };

    virtual ~ClockSetter() = default;
    // Sets the local wall-clock time to `localTime` (whole seconds). It may wait for the user to
    // allow it; the program goes on meanwhile.
    virtual Result setLocalTime(const QDateTime& localTime) = 0;
};

} // namespace platform
