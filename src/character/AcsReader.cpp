#include "character/AcsReader.h"

#include "character/AcsCompression.h"
#include "character/DrawingCost.h"

#include <QFile>

#include <limits>

namespace character::acs {

namespace {

// Reads little-endian values from a window of the file; stepping past the window's end is a
// broken file.
class ByteReader
{
public:
    ByteReader(const QByteArray& bytes, qsizetype begin, qsizetype end)
        : m_bytes(bytes), m_pos(begin), m_end(end)
    {
    }

    qsizetype remaining() const { return m_end - m_pos; }

    void need(qsizetype count) const
    {
        if (count < 0 || count > remaining())
            throw AcsError("a block runs past the end of its data");
    }

    uint8_t u8()
    {
        need(1);
        return uint8_t(m_bytes[m_pos++]);
    }
    uint16_t u16()
    {
        const uint16_t lo = u8();
        return uint16_t(lo | (uint16_t(u8()) << 8));
    }
    uint32_t u32()
    {
        const uint32_t lo = u16();
        return lo | (uint32_t(u16()) << 16);
    }
    int16_t i16() { return int16_t(u16()); }
    int32_t i32() { return int32_t(u32()); }
    bool flag() { return u8() != 0; }

    QByteArray bytes(qsizetype count)
    {
        need(count);
        QByteArray b = m_bytes.mid(m_pos, count);
        m_pos += count;
        return b;
    }

    // A count of UTF-16 units, the units, and a terminating zero unit when the count is not 0.
    QString string()
    {
        const uint32_t length = u32();
        if (length == 0)
            return {};
        // Checked before the multiplication, so a huge count cannot wrap.
        if (length > uint32_t(remaining() / 2))
            throw AcsError("a text runs past the end of its data");
        need((qsizetype(length) + 1) * 2);
        QString s(qsizetype(length), Qt::Uninitialized);
        for (uint32_t i = 0; i < length; ++i)
            s[qsizetype(i)] = QChar(u16());
        if (u16() != 0)
            throw AcsError("a text is not terminated");
        return s;
    }

    // A count read from the file, checked against the least room its entries take.
    qsizetype count(uint32_t value, qsizetype minimumEntrySize) const
    {
        if (minimumEntrySize > 0 && qsizetype(value) > remaining() / minimumEntrySize)
            throw AcsError("a list claims more entries than its data can hold");
        return qsizetype(value);
    }

    QByteArray dataBlock()
    {
        const uint32_t size = u32();
        return bytes(count(size, 1));
    }

private:
    const QByteArray& m_bytes;
    qsizetype m_pos;
    qsizetype m_end;
};

struct Locator
{
    uint32_t offset = 0;
    uint32_t size = 0;
};

Locator locator(ByteReader& r)
{
    Locator l;
    l.offset = r.u32();
    l.size = r.u32();
    return l;
}

// What one file may make us read and unpack. Locators of a well-made file point at blocks of their
// own, so all of them together cover the file at most once; a file whose locators point at the
// same bytes over and over (to make us read them a million times) is stopped. Unpacked pictures
// are counted too, since a few bytes of compressed data can stand for a large picture.
struct Budget
{
    const QByteArray& file;
    qint64 locatedBytes = 0;
    qint64 unpackedBytes = 0;

    static constexpr qint64 MaxUnpackedBytes = 256ll * 1024 * 1024;

    void unpacking(qint64 bytes)
    {
        unpackedBytes += bytes;
        if (unpackedBytes > MaxUnpackedBytes)
            throw AcsError("the pictures unpack to more than a character needs");
    }
};

ByteReader at(Budget& budget, Locator l)
{
    const QByteArray& file = budget.file;
    if (qsizetype(l.offset) > file.size() || qsizetype(l.size) > file.size() - qsizetype(l.offset))
        throw AcsError("a locator points outside the file");
    budget.locatedBytes += l.size;
    if (budget.locatedBytes > 2 * qint64(file.size()))
        throw AcsError("the file's blocks overlap");
    return ByteReader(file, qsizetype(l.offset), qsizetype(l.offset) + qsizetype(l.size));
}

constexpr qsizetype StringMin = 4;
constexpr qsizetype LocatorSize = 8;

// Region data: a 32-byte header and the rectangles it counts.
void checkRegion(const QByteArray& region)
{
    if (region.isEmpty())
        return;
    ByteReader r(region, 0, region.size());
    const uint32_t headerSize = r.u32();
    r.u32(); // type
    const uint32_t rectangles = r.u32();
    r.u32(); // size hint
    r.bytes(16);
    if (headerSize != 32)
        throw AcsError("region data has a strange header");
    r.need(r.count(rectangles, 16) * 16);
}

VoiceInfo readVoice(ByteReader& r)
{
    VoiceInfo v;
    v.engineId = r.bytes(16);
    v.modeId = r.bytes(16);
    v.speed = r.u32();
    v.pitch = r.u16();
    v.hasExtraData = r.flag();
    if (v.hasExtraData) {
        v.languageId = r.u16();
        v.dialect = r.string();
        v.gender = r.u16();
        v.age = r.u16();
        v.style = r.string();
    }
    return v;
}

uint32_t rgbQuad(ByteReader& r)
{
    const uint32_t blue = r.u8();
    const uint32_t green = r.u8();
    const uint32_t red = r.u8();
    r.u8();
    return (red << 16) | (green << 8) | blue;
}

BalloonInfo readBalloon(ByteReader& r)
{
    BalloonInfo b;
    b.lines = r.u8();
    b.charsPerLine = r.u8();
    b.foreColor = rgbQuad(r);
    b.backColor = rgbQuad(r);
    b.borderColor = rgbQuad(r);
    b.fontName = r.string();
    b.fontHeight = r.i32();
    b.fontWeight = r.i32();
    b.italic = r.flag();
    b.unknown = r.u8();
    return b;
}

std::vector<LocalizedInfo> readLocalized(Budget& budget, Locator l)
{
    std::vector<LocalizedInfo> list;
    if (l.size == 0)
        return list;
    ByteReader r = at(budget, l);
    const qsizetype n = r.count(r.u16(), 2 + 3 * StringMin);
    for (qsizetype i = 0; i < n; ++i) {
        LocalizedInfo info;
        info.languageId = r.u16();
        info.name = r.string();
        info.description = r.string();
        info.extraData = r.string();
        list.push_back(std::move(info));
    }
    return list;
}

void readCharacterInfo(Budget& budget, Locator l, Character& c)
{
    ByteReader r = at(budget, l);
    c.minorVersion = r.u16();
    c.majorVersion = r.u16();
    if (c.majorVersion != 2)
        throw AcsError("not a version 2 character");
    const Locator localized = locator(r);
    c.guid = r.bytes(16);
    c.width = r.u16();
    c.height = r.u16();
    if (c.width == 0 || c.height == 0 || c.width > MaxImageSide || c.height > MaxImageSide)
        throw AcsError("the character has no sensible size");
    c.transparentIndex = r.u8();
    c.flags = r.u32();
    c.animationSetMajor = r.u16();
    c.animationSetMinor = r.u16();
    if (c.flags & VoiceOutputEnabled)
        c.voice = readVoice(r);
    if (c.flags & BalloonEnabled)
        c.balloon = readBalloon(r);
    const qsizetype colors = r.count(r.u32(), 4);
    if (colors > 256)
        throw AcsError("a palette of more than 256 colours");
    for (qsizetype i = 0; i < colors; ++i)
        c.palette.push_back(rgbQuad(r));
    if (r.flag()) {
        TrayIcon icon;
        icon.monochrome = r.dataBlock();
        icon.color = r.dataBlock();
        c.trayIcon = std::move(icon);
    }
    const qsizetype states = r.count(r.u16(), StringMin + 2);
    for (qsizetype i = 0; i < states; ++i) {
        StateInfo s;
        s.name = r.string();
        const qsizetype names = r.count(r.u16(), StringMin);
        for (qsizetype j = 0; j < names; ++j)
            s.animations << r.string();
        c.states.push_back(std::move(s));
    }
    c.localized = readLocalized(budget, localized);
}

MouthOverlay readMouth(ByteReader& r)
{
    MouthOverlay m;
    const uint8_t shape = r.u8();
    if (shape >= MouthShapeCount)
        throw AcsError("an unknown mouth shape");
    m.shape = MouthShape(shape);
    m.replacesTopImage = r.flag();
    m.image = r.u16();
    m.unknown = r.u8();
    m.hasRegion = r.flag();
    m.x = r.i16();
    m.y = r.i16();
    m.width = r.u16();
    m.height = r.u16();
    if (m.hasRegion) {
        m.region = r.dataBlock();
        checkRegion(m.region);
    }
    return m;
}

Frame readFrame(ByteReader& r)
{
    Frame f;
    const qsizetype images = r.count(r.u16(), 8);
    for (qsizetype i = 0; i < images; ++i) {
        FrameImage fi;
        fi.image = r.u32();
        fi.x = r.i16();
        fi.y = r.i16();
        f.images.push_back(fi);
    }
    f.audio = r.u16();
    f.duration = r.u16();
    f.exitFrame = r.i16();
    const qsizetype branches = r.count(r.u8(), 4);
    for (qsizetype i = 0; i < branches; ++i) {
        Branch b;
        b.frame = r.u16();
        b.probability = r.u16();
        f.branches.push_back(b);
    }
    const qsizetype mouths = r.count(r.u8(), 14);
    for (qsizetype i = 0; i < mouths; ++i)
        f.mouths.push_back(readMouth(r));
    return f;
}

Animation readAnimation(Budget& budget, Locator l)
{
    ByteReader r = at(budget, l);
    Animation a;
    a.name = r.string();
    const uint8_t transition = r.u8();
    if (transition > uint8_t(Transition::None))
        throw AcsError("an unknown transition");
    a.transition = Transition(transition);
    a.returnAnimation = r.string();
    const qsizetype frames = r.count(r.u16(), 14);
    for (qsizetype i = 0; i < frames; ++i)
        a.frames.push_back(readFrame(r));
    return a;
}

qsizetype rowStride(int width)
{
    return (qsizetype(width) + 3) & ~qsizetype(3);
}

// The picture's rows as stored (bottom row first, padded), unpacked when packed; at least the
// rows its size needs, which a file whose data falls short of them does not give.
QByteArray storedRows(const Image& img)
{
    const qsizetype size = rowStride(img.width) * img.height;
    const QByteArray rows = img.compressed ? decompress(img.storedPixels, size) : img.storedPixels;
    if (rows.size() < size)
        throw AcsError("an image has fewer pixels than its size needs");
    return rows;
}

QByteArray unpackedRegion(const Image& img)
{
    return img.regionPacked ? decompress(img.storedRegion, qsizetype(img.regionSize)) : img.storedRegion;
}

Image readImage(Budget& budget, Locator l, uint8_t transparentIndex)
{
    ByteReader r = at(budget, l);
    Image img;
    r.u8(); // always 1 in the files we know; its meaning is not known
    img.width = r.u16();
    img.height = r.u16();
    if (img.width > MaxImageSide || img.height > MaxImageSide)
        throw AcsError("an image of unlikely size");
    img.compressed = r.flag();
    img.storedPixels = r.dataBlock();
    // Unpacked once to see that it holds together, then kept as stored: it is unpacked again
    // when drawn.
    budget.unpacking(rowStride(img.width) * img.height);
    const QByteArray rows = storedRows(img);
    const qsizetype stride = rowStride(img.width);
    img.blank = true;
    for (int y = 0; y < img.height && img.blank; ++y)
        img.blank = std::all_of(rows.constData() + y * stride, rows.constData() + y * stride + img.width,
                                [&](char c) { return uint8_t(c) == transparentIndex; });

    const uint32_t packedSize = r.u32();
    img.regionSize = r.u32();
    img.regionPacked = packedSize != 0;
    img.storedRegion = r.bytes(r.count(img.regionPacked ? packedSize : img.regionSize, 1));
    if (img.regionPacked)
        budget.unpacking(img.regionSize);
    checkRegion(unpackedRegion(img));
    return img;
}

void readAnimations(Budget& budget, Locator l, Character& c)
{
    ByteReader r = at(budget, l);
    const qsizetype n = r.count(r.u32(), StringMin + LocatorSize);
    for (qsizetype i = 0; i < n; ++i) {
        const QString name = r.string();
        Animation a = readAnimation(budget, locator(r));
        if (a.name.isEmpty())
            a.name = name;
        c.animations.push_back(std::move(a));
    }
}

void readImages(Budget& budget, Locator l, Character& c)
{
    ByteReader r = at(budget, l);
    const qsizetype n = r.count(r.u32(), LocatorSize + 4);
    for (qsizetype i = 0; i < n; ++i) {
        const Locator where = locator(r);
        Image img = readImage(budget, where, c.transparentIndex);
        img.checksum = r.u32();
        c.images.push_back(std::move(img));
    }
}

void readAudio(Budget& budget, Locator l, Character& c)
{
    ByteReader r = at(budget, l);
    const qsizetype n = r.count(r.u32(), LocatorSize + 4);
    for (qsizetype i = 0; i < n; ++i) {
        const Locator where = locator(r);
        ByteReader data = at(budget, where);
        Audio a;
        a.wave = data.bytes(data.remaining());
        a.checksum = r.u32();
        c.audio.push_back(std::move(a));
    }
}

// Every index a frame holds must name something that is there, so drawing never checks again.
void checkReferences(const Character& c)
{
    const auto images = c.images.size();
    for (const Animation& a : c.animations) {
        for (const Frame& f : a.frames) {
            for (const FrameImage& fi : f.images)
                if (fi.image >= images)
                    throw AcsError("a frame names a missing image");
            if (f.audio != NoAudio && f.audio >= c.audio.size())
                throw AcsError("a frame names a missing sound");
            for (const Branch& b : f.branches)
                if (b.frame >= a.frames.size())
                    throw AcsError("a branch leads to a missing frame");
            if (f.exitFrame >= 0 && size_t(f.exitFrame) >= a.frames.size())
                throw AcsError("an exit leads to a missing frame");
            for (const MouthOverlay& m : f.mouths)
                if (m.image >= images)
                    throw AcsError("a mouth names a missing image");
        }
    }
}

} // namespace

Character readAcs(const QByteArray& bytes)
{
    if (bytes.size() > MaxAcsFileSize)
        throw AcsError("the file is too large for a character");
    ByteReader header(bytes, 0, bytes.size());
    if (header.u32() != AcsSignature)
        throw AcsError("not a character file");
    const Locator characterInfo = locator(header);
    const Locator animations = locator(header);
    const Locator images = locator(header);
    const Locator audio = locator(header);

    Character c;
    Budget budget{bytes};
    readCharacterInfo(budget, characterInfo, c);
    readImages(budget, images, c);
    readAudio(budget, audio, c);
    readAnimations(budget, animations, c);
    checkReferences(c);
    checkDrawingCost(c);
    c.indexAnimations();
    return c;
}

QByteArray picturePixels(const Image& image)
{
    if (image.storedPixels.isEmpty())
        return image.pixels;
    const QByteArray rows = storedRows(image);
    const qsizetype stride = rowStride(image.width);
    QByteArray pixels(qsizetype(image.width) * image.height, Qt::Uninitialized);
    for (int y = 0; y < image.height; ++y)
        std::copy_n(rows.constData() + (image.height - 1 - y) * stride, image.width,
                    pixels.data() + qsizetype(y) * image.width);
    return pixels;
}

QByteArray pictureRegion(const Image& image)
{
    return image.storedRegion.isEmpty() ? image.region : unpackedRegion(image);
}

Character readAcsFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw AcsError("cannot open the file");
    if (file.size() > MaxAcsFileSize)
        throw AcsError("the file is too large for a character");
    return readAcs(file.read(MaxAcsFileSize + 1));
}

} // namespace character::acs
