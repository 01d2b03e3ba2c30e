#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Texts that the program keeps as 8-bit strings (language files, event texts, server lists,
// settings files) are written as UTF-8. Files made elsewhere may still carry Windows-1252 bytes:
// those are read as such whenever the bytes are not valid UTF-8.
QString decode8Bit(const QByteArray& bytes);
// A whole text file decoded line by line: one stray byte makes only its own line Windows-1252.
QString decode8BitLines(const QByteArray& bytes);
QByteArray encode8Bit(const QString& text);

// Windows-1252 decoding on its own, for bytes known not to be UTF-8.
QString decodeWindows1252(const QByteArray& bytes);

bool isValidUtf8(const QByteArray& bytes);

// The UTF-8 form of text cut to at most maxBytes bytes without splitting a character.
QByteArray utf8CutToBytes(const QString& text, int maxBytes);

} // namespace platform
