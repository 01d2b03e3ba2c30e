#pragma once

#include <QtGlobal>

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
    // Moves the clock by `deltaMs` from wherever it stands when the system acts: a change that
    // waits for the user's permission lands where it was meant to, and what is asked for is
    // exactly what is reported and later undone. It may wait for the user to allow it; the
    // program goes on meanwhile.
    virtual Result changeBy(qint64 deltaMs) = 0;
};

} // namespace platform
