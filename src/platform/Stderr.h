#pragma once

#include <QString>

namespace platform {

// For what the user must hear of when no window can say it (at exit, or for a file the program
// leaves alone): one line on standard error, after the program's name.
void sayOnStderr(const QString& text);

} // namespace platform
