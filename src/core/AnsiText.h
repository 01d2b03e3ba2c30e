#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace core {

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

// The Windows-1252 form of a text; nothing when one of its characters has no place there.
std::optional<QByteArray> encodeWindows1252(const QString& text);

// A text for a field of at most maxBytes bytes that decode8Bit() reads back: Windows-1252, one
// byte a character, when every character fits it, so the field holds maxBytes characters and
// other readers of the format understand it; UTF-8 only when a character does not fit, or when
// the Windows-1252 bytes would happen to read as different UTF-8 text. Cut without splitting a
// character.
QByteArray encodeShortString(const QString& text, int maxBytes);

} // namespace core
