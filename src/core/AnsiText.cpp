#include "core/AnsiText.h"

#include <algorithm>
#include <array>

namespace core {

namespace {

// 0x80..0x9F of Windows-1252; the five holes map to their C1 control code points like Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int follow = 0;
        char32_t cp = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            follow = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            follow = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            follow = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + follow >= n)
            return false;
        for (int k = 1; k <= follow; ++k) {
            const unsigned char cc = p[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
        if ((follow == 2 && cp < 0x800) || (follow == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += follow + 1;
    }
    return true;
}

QString decodeWindows1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x80 && c <= 0x9F)
            out.append(QChar(kHighControls[c - 0x80]));
        else
            out.append(QChar(static_cast<char16_t>(c)));
    }
    return out;
}

QString decode8Bit(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return decodeWindows1252(bytes);
}

QString decode8BitLines(const QByteArray& bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString out;
    out.reserve(bytes.size());
    qsizetype start = 0;
    while (start < bytes.size()) {
        // CR and LF never occur inside a UTF-8 sequence, so a line can be judged on its own.
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r')
            ++end;
        const QByteArray line = QByteArray::fromRawData(bytes.constData() + start, end - start);
        out += isValidUtf8(line) ? QString::fromUtf8(line) : decodeWindows1252(line);
        while (end < bytes.size() && (bytes[end] == '\n' || bytes[end] == '\r'))
            out += QChar(char16_t(bytes[end++]));
        start = end;
    }
    return out;
}

QByteArray encode8Bit(const QString& text)
{
    return text.toUtf8();
}

QByteArray utf8CutToBytes(const QString& text, int maxBytes)
{
    QByteArray utf8 = text.toUtf8();
    if (utf8.size() <= maxBytes)
        return utf8;
    int end = maxBytes;
    // Step back over continuation bytes so the cut lands before the start of a character.
    while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    utf8.truncate(end);
    return utf8;
}

std::optional<QByteArray> encodeWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out.append(char(c));
            continue;
        }
        const auto* at = std::find(kHighControls.begin(), kHighControls.end(), c);
        if (at == kHighControls.end())
            return std::nullopt;
        out.append(char(0x80 + (at - kHighControls.begin())));
    }
    return out;
}

QByteArray encodeShortString(const QString& text, int maxBytes)
{
    const QString kept = text.left(std::max(maxBytes, 0));
    if (const auto ansi = encodeWindows1252(kept); ansi && decode8Bit(*ansi) == kept)
        return *ansi;
    return utf8CutToBytes(text, maxBytes);
}

} // namespace core
