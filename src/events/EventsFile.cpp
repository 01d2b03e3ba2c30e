#include "events/EventsFile.h"

#include "core/AnsiText.h"

#include <cstring>

namespace events {

namespace {

// Value kinds of the object stream.
enum Tag : quint8
{
    vaNull = 0,
    vaList = 1,
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5,
    vaString = 6,
    vaIdent = 7,
    vaFalse = 8,
    vaTrue = 9,
    vaBinary = 10,
    vaSet = 11,
    vaLString = 12,
    vaNil = 13,
    vaCollection = 14
};

constexpr int kMaxText = 255;
constexpr int kRowHeader = 20; // four indexes, the sub-text count and the user data word

const char* const kViewStyles[] = {"vsIcon", "vsSmallIcon", "vsList", "vsReport"};

[[noreturn]] void invalid()
{
    throw EventsFileError(InvalidStreamFormat);
}

[[noreturn]] void tooShort()
{
    throw EventsFileError(StreamReadError);
}

// Reads little-endian values from a byte range; running past its end is a read error.
class Reader
{
public:
    Reader(const char* data, qsizetype size) : m_p(data), m_end(data + size) {}

    qsizetype left() const { return m_end - m_p; }
    bool atEnd() const { return m_p == m_end; }

    quint8 byte()
    {
        need(1);
        return quint8(*m_p++);
    }
    quint8 peek()
    {
        need(1);
        return quint8(*m_p);
    }
    qint32 int32()
    {
        need(4);
        quint32 v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | quint8(m_p[i]);
        m_p += 4;
        return qint32(v);
    }
    void skip(qsizetype n)
    {
        need(n);
        m_p += n;
    }
    QByteArray bytes(qsizetype n)
    {
        need(n);
        QByteArray out(m_p, n);
        m_p += n;
        return out;
    }
    QByteArray shortString() { return bytes(byte()); }
    // A 4-byte length, then that many bytes; the length cannot exceed what is left.
    qsizetype longLength()
    {
        const qint32 n = int32();
        if (n < 0)
            invalid();
        need(n);
        return n;
    }

private:
    void need(qsizetype n) const
    {
        if (n < 0 || n > m_end - m_p)
            tooShort();
    }
    const char* m_p;
    const char* m_end;
};

// Skips one value whose tag has been read. Lists and collections may nest to any depth: they are
// walked with a stack of their own, not by recursion, so deep nesting cannot exhaust the call stack.
void skipValue(Reader& in, quint8 tag)
{
    // What each open level expects next.
    enum class Level : quint8
    {
        ListValues,
        CollectionItems,
        CollectionProperties
    };
    std::vector<Level> open;
    for (;;) {
        switch (tag) {
        case vaNull:
            invalid(); // an end with no list open
        case vaList:
            open.push_back(Level::ListValues);
            break;
        case vaInt8:
            in.skip(1);
            break;
        case vaInt16:
            in.skip(2);
            break;
        case vaInt32:
            in.skip(4);
            break;
        case vaExtended:
            in.skip(10);
            break;
        case vaString:
        case vaIdent:
            in.skip(in.byte());
            break;
        case vaFalse:
        case vaTrue:
        case vaNil:
            break;
        case vaBinary:
        case vaLString:
            in.skip(in.longLength());
            break;
        case vaSet:
            while (const quint8 n = in.byte())
                in.skip(n);
            break;
        case vaCollection:
            open.push_back(Level::CollectionItems);
            break;
        default:
            invalid();
        }
        // Find the next value to look at, closing the levels that end here.
        for (;;) {
            if (open.empty())
                return;
            switch (open.back()) {
            case Level::ListValues:
                if (in.peek() == vaNull) {
                    in.byte();
                    open.pop_back();
                    continue;
                }
                tag = in.byte();
                break;
            case Level::CollectionItems:
                if (in.peek() == vaNull) {
                    in.byte();
                    open.pop_back();
                    continue;
                }
                if (const quint8 t = in.peek(); t == vaInt8 || t == vaInt16 || t == vaInt32) {
                    in.byte();
                    in.skip(t == vaInt8 ? 1 : t == vaInt16 ? 2 : 4);
                }
                if (in.byte() != vaList)
                    invalid();
                open.push_back(Level::CollectionProperties);
                continue;
            case Level::CollectionProperties:
                if (in.peek() == vaNull) {
                    in.byte();
                    open.pop_back();
                    continue;
                }
                in.skip(in.byte()); // the property's name
                tag = in.byte();
                break;
            }
            break;
        }
    }
}

QString text(const QByteArray& bytes)
{
    return core::decode8Bit(bytes);
}

std::vector<EventRecord> readRows(const QByteArray& payload)
{
    Reader in(payload.constData(), payload.size());
    const qint32 total = in.int32();
    const qint32 count = in.int32();
    if (total < 8 || total > payload.size() || count < 0)
        tooShort();
    // Each row takes at least its header and the length byte of its name.
    if (count > (total - 8) / (kRowHeader + 1))
        tooShort();
    Reader rows(payload.constData() + 8, total - 8);
    std::vector<EventRecord> out;
    out.reserve(size_t(count));
    for (qint32 r = 0; r < count; ++r) {
        EventRecord row;
        row.IconIndex = rows.int32();
        rows.int32(); // state image, ignored
        rows.int32(); // overlay image, ignored
        const qint32 subTexts = rows.int32();
        rows.int32();     // user data, ignored
        if (subTexts < 0) // a count past the data ends where the data does, like any read past it
            tooShort();
        row.Name = text(rows.shortString());
        for (qint32 i = 0; i < subTexts; ++i) {
            const QByteArray bytes = rows.shortString();
            if (i < SubTextCount)
                row.SubTexts[size_t(i)] = text(bytes);
        }
        out.push_back(std::move(row));
    }
    return out;
}

void skipChildren(Reader& in)
{
    // Child objects, each with optional filer flags, class and name, properties and children of
    // its own; walked with a counter of open objects rather than recursion.
    qsizetype depth = 1;
    while (depth > 0) {
        if (in.peek() == vaNull) {
            in.byte();
            --depth;
            continue;
        }
        if ((in.peek() & 0xF0) == 0xF0) {
            const quint8 flags = in.byte();
            if (flags & 0x02) // a child position follows
                skipValue(in, in.byte());
        }
        in.shortString(); // class
        in.shortString(); // name
        while (in.peek() != vaNull) {
            in.skip(in.byte());
            skipValue(in, in.byte());
        }
        in.byte(); // end of its properties
        ++depth;   // its own children follow
    }
}

void putInt32(QByteArray& out, qint32 value)
{
    const auto v = quint32(value);
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

void putShortText(QByteArray& out, const QString& value)
{
    const QByteArray bytes = core::encodeShortString(value, kMaxText);
    out.append(char(quint8(bytes.size())));
    out.append(bytes);
}

void putName(QByteArray& out, const char* name)
{
    out.append(char(quint8(std::strlen(name))));
    out.append(name);
}

} // namespace

QString fitStoredText(const QString& text)
{
    const QString kept = text.size() <= kMaxText ? text : text.left(kMaxText * 2);
    const QString stored = core::decode8Bit(core::encodeShortString(kept, kMaxText));
    return text.startsWith(stored) ? stored : text;
}

QByteArray viewStyleName(ViewStyle style)
{
    if (style < vsIcon || style > vsReport)
        return {};
    return kViewStyles[style];
}

EventsFileContent readEventsFile(const QByteArray& bytes)
{
    Reader in(bytes.constData(), bytes.size());
    if (in.left() < 4 || std::memcmp(bytes.constData(), "TPF0", 4) != 0)
        invalid();
    in.skip(4);
    in.shortString(); // class name
    in.shortString(); // object name

    EventsFileContent content;
    while (in.peek() != vaNull) {
        const QByteArray name = in.shortString();
        const quint8 tag = in.byte();
        if (name == "Items.Data" && tag == vaBinary) {
            content.rows = readRows(in.bytes(in.longLength()));
        } else if (name == "ViewStyle" && tag == vaIdent) {
            const QByteArray style = in.shortString();
            for (int i = 0; i < 4; ++i)
                if (style == kViewStyles[i])
                    content.viewStyle = ViewStyle(i);
        } else {
            skipValue(in, tag);
        }
    }
    in.byte(); // end of the properties
    skipChildren(in);
    for (EventRecord& row : content.rows)
        row.Active = row.text(ActiveFlag) == QStringLiteral("T");
    return content;
}

QByteArray writeEventsFile(const EventsFileContent& content)
{
    QByteArray out("TPF0");
    putName(out, "TListView");
    out.append('\0'); // no object name
    if (!content.rows.empty()) {
        QByteArray rows;
        for (const EventRecord& row : content.rows) {
            putInt32(rows, row.IconIndex);
            putInt32(rows, -1);
            putInt32(rows, -1);
            putInt32(rows, SubTextCount);
            putInt32(rows, 0);
            putShortText(rows, row.Name);
            for (const QString& sub : row.SubTexts)
                putShortText(rows, sub);
        }
        QByteArray payload;
        putInt32(payload, qint32(rows.size() + 8));
        putInt32(payload, qint32(content.rows.size()));
        payload.append(rows);
        putName(out, "Items.Data");
        out.append(char(vaBinary));
        putInt32(out, qint32(payload.size()));
        out.append(payload);
    }
    if (content.viewStyle != vsIcon) {
        putName(out, "ViewStyle");
        out.append(char(vaIdent));
        putName(out, viewStyleName(content.viewStyle).constData());
    }
    out.append('\0'); // end of the properties
    out.append('\0'); // no children
    return out;
}

} // namespace events
