#pragma once

#include <QUrl>

namespace platform {
class Shell;
}

namespace app {

// The manual is an HTML page beside the program. Its name comes from Translate("veskel.hlp"),
// so a language can name a manual of its own; ".hlp" stands for ".html". A help context picks the
// section of the manual.
QUrl helpUrl(const QString& programFolder, int context = 0);

// Opens the manual in the desktop's browser. A missing manual is no error: nothing opens.
bool openHelp(platform::Shell& shell, const QString& programFolder, int context = 0);

} // namespace app
