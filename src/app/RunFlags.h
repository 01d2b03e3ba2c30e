#pragma once

namespace app {

// The program's three run-wide flags. The start-up code owns them; windows get references.
struct RunFlags
{
    bool StartupComplete = false; // set once the last start-up window exists; the tick waits for it
    bool ShuttingDown = false;    // set as the clock window begins to close
    bool FirstRun = false;        // the first-run marker was found when the clock was shown
};

} // namespace app
