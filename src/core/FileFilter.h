#pragma once

#include <QString>
#include <QStringList>

namespace core {

// A file dialog's filter as the program's texts give it, "Description (*.a;*.b)|*.a;*.b|..."
// (pairs of a description and its patterns, all joined by bars), in the form Qt's file dialogs
// take: "Description (*.a *.A *.b *.B);;...". The description's own list of patterns is dropped
// for the real one; each pattern comes in both letter cases, since the file system minds them
// and the names of pictures copied from elsewhere are often in capitals; "*.*" becomes "*".
QString toQtFileFilter(const QString& filter);
// The same, an entry for each pair that offers something, as a list.
QStringList fileDialogFilters(const QString& filter);

} // namespace core
