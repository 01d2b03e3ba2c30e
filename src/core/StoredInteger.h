#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

namespace core {

// A whole number as settings files store it ("-12", " 7 "): decimal, blanks around it allowed,
// within 32 bits. Nothing for anything else.
std::optional<qint32> parseStoredInteger(const QString& text);

} // namespace core
