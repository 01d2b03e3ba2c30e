#pragma once

#include <QByteArray>
#include <QString>

namespace fakes {

// The whole of a file, or nothing when it cannot be read.
QByteArray readAllOf(const QString& path);
// Writes a file whole, making its folder first; false when it could not.
bool writeAllOf(const QString& path, const QByteArray& bytes = {});

} // namespace fakes
