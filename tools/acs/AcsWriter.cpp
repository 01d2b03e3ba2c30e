#include "acs/AcsWriter.h"

#include "character/AcsReader.h"

#include <algorithm>
#include <array>

namespace acswriter {

using namespace character::acs;

namespace {

class BitWriter
{
public:
    void put(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i) {
            if (m_bit == 0)
                m_bytes.append('\0');
            if ((value >> i) & 1u)
                m_bytes.back() = char(uint8_t(m_bytes.back()) | (1u << m_bit));
            m_bit = (m_bit + 1) & 7;
        }
    }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
    int m_bit = 0;
};

constexpr qsizetype MaxOffset = 4673 + 0xFFFFE;
constexpr qsizetype MaxLength = 2 + 1023 + 1023; // ten one-bits at most in the length
constexpr int ChainLimit = 48;

void putLength(BitWriter& bits, qsizetype extra)
{
    int ones = 0;
    while (extra >= (qsizetype(1) << (ones + 1)) - 1)
        ++ones;
    bits.put((1u << ones) - 1, ones);
    bits.put(0, 1);
    bits.put(uint32_t(extra - ((qsizetype(1) << ones) - 1)), ones);
}

void putMatch(BitWriter& bits, qsizetype offset, qsizetype length)
{
    bits.put(1, 1);
    if (offset <= 64) {
        bits.put(0, 1);
        bits.put(uint32_t(offset - 1), 6);
        putLength(bits, length - 2);
    } else if (offset <= 576) {
        bits.put(0b01, 2);
        bits.put(uint32_t(offset - 65), 9);
        putLength(bits, length - 2);
    } else if (offset <= 4672) {
        bits.put(0b011, 3);
        bits.put(uint32_t(offset - 577), 12);
        putLength(bits, length - 2);
    } else {
        bits.put(0b111, 3);
        bits.put(uint32_t(offset - 4673), 20);
        putLength(bits, length - 3);
    }
}

uint32_t hash3(const QByteArray& d, qsizetype i)
{
    return (uint32_t(uint8_t(d[i])) << 16 ^ uint32_t(uint8_t(d[i + 1])) << 8 ^ uint8_t(d[i + 2])) *
               2654435761u >>
           17;
}

} // namespace

QByteArray compress(const QByteArray& data)
{
    BitWriter bits;
    bits.put(0, 8);
    const qsizetype n = data.size();
    std::vector<qsizetype> head(1 << 15, -1);
    std::vector<qsizetype> previous(size_t(n), -1);
    auto insert = [&](qsizetype i) {
        if (i + 2 >= n)
            return;
        const uint32_t h = hash3(data, i);
        previous[size_t(i)] = head[h];
        head[h] = i;
    };

    qsizetype i = 0;
    while (i < n) {
        qsizetype bestLength = 0;
        qsizetype bestOffset = 0;
        const qsizetype limit = std::min(MaxLength, n - i);
        // A run of one byte value copies from one byte back, overlapping itself; one as long as
        // a copy can be needs no search for a better one.
        if (i > 0) {
            qsizetype run = 0;
            while (run < limit && data[i + run] == data[i - 1])
                ++run;
            if (run >= 2) {
                bestLength = run;
                bestOffset = 1;
            }
        }
        if (i + 2 < n && bestLength < limit) {
            qsizetype candidate = head[hash3(data, i)];
            for (int tries = 0; candidate >= 0 && tries < ChainLimit; ++tries) {
                const qsizetype offset = i - candidate;
                if (offset > MaxOffset)
                    break;
                qsizetype length = 0;
                while (length < limit && data[candidate + length] == data[i + length])
                    ++length;
                const qsizetype least = offset > 4672 ? 3 : 2;
                if (length >= least && length > bestLength) {
                    bestLength = length;
                    bestOffset = offset;
                }
                candidate = previous[size_t(candidate)];
            }
        }
        if (bestLength >= 2) {
            putMatch(bits, bestOffset, bestLength);
            for (qsizetype k = 0; k < bestLength; ++k)
                insert(i + k);
            i += bestLength;
        } else {
            bits.put(0, 1);
            bits.put(uint8_t(data[i]), 8);
            insert(i);
            ++i;
        }
    }
    // The end mark: a far copy whose offset is all ones.
    bits.put(1, 1);
    bits.put(0b111, 3);
    bits.put(0xFFFFF, 20);
    QByteArray out = bits.take();
    out.append(QByteArray(6, char(0xFF)));
    return out;
}

namespace {

class Out
{
public:
    QByteArray bytes;

    qsizetype pos() const { return bytes.size(); }
    void u8(uint32_t v) { bytes.append(char(v & 0xFF)); }
    void u16(uint32_t v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(uint32_t v)
    {
        u16(v);
        u16(v >> 16);
    }
    void raw(const QByteArray& b) { bytes.append(b); }
    void string(const QString& s)
    {
        u32(uint32_t(s.size()));
        if (s.isEmpty())
            return;
        for (QChar c : s)
            u16(c.unicode());
        u16(0);
    }
    void block(const QByteArray& b)
    {
        u32(uint32_t(b.size()));
        raw(b);
    }
    void rgb(uint32_t color)
    {
        u8(color);
        u8(color >> 8);
        u8(color >> 16);
        u8(0);
    }
    void guid(const QByteArray& g) { raw(g.leftJustified(16, '\0', true)); }
    // Room for a locator, filled in once the block it points at is written.
    qsizetype locatorSlot()
    {
        const qsizetype at = pos();
        u32(0);
        u32(0);
        return at;
    }
    void setLocator(qsizetype slot, qsizetype offset, qsizetype size)
    {
        for (int i = 0; i < 4; ++i) {
            bytes[slot + i] = char((uint32_t(offset) >> (8 * i)) & 0xFF);
            bytes[slot + 4 + i] = char((uint32_t(size) >> (8 * i)) & 0xFF);
        }
    }
};

void writeVoice(Out& o, const VoiceInfo& v)
{
    o.guid(v.engineId);
    o.guid(v.modeId);
    o.u32(v.speed);
    o.u16(v.pitch);
    o.u8(v.hasExtraData);
    if (v.hasExtraData) {
        o.u16(v.languageId);
        o.string(v.dialect);
        o.u16(v.gender);
        o.u16(v.age);
        o.string(v.style);
    }
}

void writeBalloon(Out& o, const BalloonInfo& b)
{
    o.u8(b.lines);
    o.u8(b.charsPerLine);
    o.rgb(b.foreColor);
    o.rgb(b.backColor);
    o.rgb(b.borderColor);
    o.string(b.fontName);
    o.u32(uint32_t(b.fontHeight));
    o.u32(uint32_t(b.fontWeight));
    o.u8(b.italic);
    o.u8(b.unknown);
}

void writeFrame(Out& o, const Frame& f)
{
    o.u16(uint32_t(f.images.size()));
    for (const FrameImage& fi : f.images) {
        o.u32(fi.image);
        o.u16(uint16_t(fi.x));
        o.u16(uint16_t(fi.y));
    }
    o.u16(f.audio);
    o.u16(f.duration);
    o.u16(uint16_t(f.exitFrame));
    o.u8(uint32_t(f.branches.size()));
    for (const Branch& b : f.branches) {
        o.u16(b.frame);
        o.u16(b.probability);
    }
    o.u8(uint32_t(f.mouths.size()));
    for (const MouthOverlay& m : f.mouths) {
        o.u8(uint8_t(m.shape));
        o.u8(m.replacesTopImage);
        o.u16(m.image);
        o.u8(m.unknown);
        o.u8(m.hasRegion);
        o.u16(uint16_t(m.x));
        o.u16(uint16_t(m.y));
        o.u16(m.width);
        o.u16(m.height);
        if (m.hasRegion)
            o.block(m.region);
    }
}

QByteArray bottomUpRows(const Image& img)
{
    const qsizetype stride = (qsizetype(img.width) + 3) & ~qsizetype(3);
    const QByteArray pixels = picturePixels(img);
    QByteArray dib(stride * img.height, '\0');
    for (int y = 0; y < img.height; ++y)
        std::copy_n(pixels.constData() + qsizetype(y) * img.width, img.width,
                    dib.data() + (img.height - 1 - y) * stride);
    return dib;
}

void writeImage(Out& o, const Image& img, const WriteOptions& options)
{
    o.u8(1);
    o.u16(img.width);
    o.u16(img.height);
    const QByteArray dib = bottomUpRows(img);
    o.u8(options.compressImages);
    o.block(options.compressImages ? compress(dib) : dib);
    const QByteArray region = pictureRegion(img);
    if (options.compressRegions && !region.isEmpty()) {
        const QByteArray packed = compress(region);
        o.u32(uint32_t(packed.size()));
        o.u32(uint32_t(region.size()));
        o.raw(packed);
    } else {
        o.u32(0);
        o.u32(uint32_t(region.size()));
        o.raw(region);
    }
}

} // namespace

QByteArray writeAcs(const Character& c, const WriteOptions& options)
{
    Out o;
    o.u32(AcsSignature);
    const qsizetype characterSlot = o.locatorSlot();
    const qsizetype animationSlot = o.locatorSlot();
    const qsizetype imageSlot = o.locatorSlot();
    const qsizetype audioSlot = o.locatorSlot();

    // The names first, so the character block can point back at them.
    const qsizetype localizedAt = o.pos();
    o.u16(uint32_t(c.localized.size()));
    for (const LocalizedInfo& info : c.localized) {
        o.u16(info.languageId);
        o.string(info.name);
        o.string(info.description);
        o.string(info.extraData);
    }
    const qsizetype localizedSize = o.pos() - localizedAt;

    uint32_t flags = c.flags & ~(VoiceOutputEnabled | BalloonEnabled);
    if (c.voice)
        flags |= VoiceOutputEnabled;
    if (c.balloon)
        flags |= BalloonEnabled;
    const qsizetype characterAt = o.pos();
    o.u16(c.minorVersion);
    o.u16(c.majorVersion);
    const qsizetype localizedSlot = o.locatorSlot();
    o.setLocator(localizedSlot, localizedAt, localizedSize);
    o.guid(c.guid);
    o.u16(c.width);
    o.u16(c.height);
    o.u8(c.transparentIndex);
    o.u32(flags);
    o.u16(c.animationSetMajor);
    o.u16(c.animationSetMinor);
    if (c.voice)
        writeVoice(o, *c.voice);
    if (c.balloon)
        writeBalloon(o, *c.balloon);
    o.u32(uint32_t(c.palette.size()));
    for (uint32_t color : c.palette)
        o.rgb(color);
    o.u8(c.trayIcon.has_value());
    if (c.trayIcon) {
        o.block(c.trayIcon->monochrome);
        o.block(c.trayIcon->color);
    }
    o.u16(uint32_t(c.states.size()));
    for (const StateInfo& s : c.states) {
        o.string(s.name);
        o.u16(uint32_t(s.animations.size()));
        for (const QString& name : s.animations)
            o.string(name);
    }
    o.setLocator(characterSlot, characterAt, o.pos() - characterAt);

    // Each animation in a block of its own, then the list that points at them.
    std::vector<std::pair<qsizetype, qsizetype>> animationBlocks;
    for (const Animation& a : c.animations) {
        const qsizetype at = o.pos();
        o.string(a.name);
        o.u8(uint8_t(a.transition));
        o.string(a.returnAnimation);
        o.u16(uint32_t(a.frames.size()));
        for (const Frame& f : a.frames)
            writeFrame(o, f);
        animationBlocks.emplace_back(at, o.pos() - at);
    }
    const qsizetype animationListAt = o.pos();
    o.u32(uint32_t(c.animations.size()));
    for (size_t i = 0; i < c.animations.size(); ++i) {
        o.string(c.animations[i].name);
        o.setLocator(o.locatorSlot(), animationBlocks[i].first, animationBlocks[i].second);
    }
    o.setLocator(animationSlot, animationListAt, o.pos() - animationListAt);

    std::vector<std::pair<qsizetype, qsizetype>> imageBlocks;
    for (const Image& img : c.images) {
        const qsizetype at = o.pos();
        writeImage(o, img, options);
        imageBlocks.emplace_back(at, o.pos() - at);
    }
    const qsizetype imageListAt = o.pos();
    o.u32(uint32_t(c.images.size()));
    for (size_t i = 0; i < c.images.size(); ++i) {
        o.setLocator(o.locatorSlot(), imageBlocks[i].first, imageBlocks[i].second);
        o.u32(c.images[i].checksum);
    }
    o.setLocator(imageSlot, imageListAt, o.pos() - imageListAt);

    std::vector<std::pair<qsizetype, qsizetype>> audioBlocks;
    for (const Audio& a : c.audio) {
        audioBlocks.emplace_back(o.pos(), a.wave.size());
        o.raw(a.wave);
    }
    const qsizetype audioListAt = o.pos();
    o.u32(uint32_t(c.audio.size()));
    for (size_t i = 0; i < c.audio.size(); ++i) {
        o.setLocator(o.locatorSlot(), audioBlocks[i].first, audioBlocks[i].second);
        o.u32(c.audio[i].checksum);
    }
    o.setLocator(audioSlot, audioListAt, o.pos() - audioListAt);
    return o.bytes;
}

QByteArray regionOf(const Image& image, uint8_t transparentIndex)
{
    Out rects;
    uint32_t count = 0;
    int left = image.width, top = image.height, right = 0, bottom = 0;
    for (int y = 0; y < image.height; ++y) {
        const char* row = image.pixels.constData() + qsizetype(y) * image.width;
        for (int x = 0; x < image.width;) {
            if (uint8_t(row[x]) == transparentIndex) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < image.width && uint8_t(row[x]) != transparentIndex)
                ++x;
            rects.u32(uint32_t(start));
            rects.u32(uint32_t(y));
            rects.u32(uint32_t(x));
            rects.u32(uint32_t(y + 1));
            ++count;
            left = std::min(left, start);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
        }
    }
    if (count == 0)
        left = top = 0;
    Out header;
    header.u32(32);
    header.u32(1); // rectangles
    header.u32(count);
    header.u32(uint32_t(rects.bytes.size()));
    header.u32(uint32_t(left));
    header.u32(uint32_t(top));
    header.u32(uint32_t(right));
    header.u32(uint32_t(bottom));
    return header.bytes + rects.bytes;
}

} // namespace acswriter
