#pragma once

#include <functional>

namespace platform {

// When the connection to the display server breaks (the X server or the Wayland compositor
// dies, the session's display goes away), Qt says so in a warning and ends the program with
// exit() at once: no event loop returns, no window is destroyed, so nothing saves the run's
// settings. The warning is the last moment the program's state is whole, so the watcher runs
// its last wish there, once, and lets Qt go on ending the program.
class DisplayLoss final
{
public:
    // Installs the message handler (chaining to the one before). One wish at a time; an empty
    // one disarms the watcher.
    static void setLastWish(std::function<void()> wish);

    // Whether a message Qt prints means the display connection is gone.
    static bool meansDisplayLost(const char* message);
};

} // namespace platform
