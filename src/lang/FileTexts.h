#pragma once

#include <QString>

namespace lang {

// What the user is told of a file, in the same words for every file the clock keeps: which file,
// and on the next line why, in the system's words.

// A file that is there but was not read, and is left as it is.
QString notReadText(const QString& file, const QString& why);
// A file that could not be saved; the old one is still whole.
QString notSavedText(const QString& file, const QString& why);

} // namespace lang
