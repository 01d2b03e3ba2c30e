#include "character/AcsCompression.h"

#include "character/AcsCharacter.h"

#include <cstdint>

namespace character::acs {

namespace {

class BitReader
{
public:
    explicit BitReader(const QByteArray& bytes) : m_bytes(bytes) {}

    // Up to 32 bits, least significant first; a stream that runs out is a broken file.
    uint32_t read(int count)
    {
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const qsizetype byte = m_position >> 3;
            if (byte >= m_bytes.size())
                throw AcsError("compressed data ends early");
            const uint32_t bit = (uint8_t(m_bytes[byte]) >> (m_position & 7)) & 1u;
            value |= bit << i;
            ++m_position;
        }
        return value;
    }

    void skipBytes(int count) { m_position += qsizetype(count) * 8; }

private:
    const QByteArray& m_bytes;
    qsizetype m_position = 0;
};

constexpr uint32_t EndMark = 0xFFFFF;

} // namespace

QByteArray decompress(const QByteArray& packed, qsizetype expectedSize)
{
    if (packed.isEmpty() || packed[0] != 0)
        throw AcsError("compressed data has no leading zero");
    if (expectedSize < 0)
        throw AcsError("negative size");

    QByteArray out;
    out.reserve(expectedSize);
    BitReader bits(packed);
    bits.skipBytes(1);
    for (;;) {
        if (bits.read(1) == 0) {
            if (out.size() >= expectedSize)
                throw AcsError("compressed data is larger than stated");
            out.append(char(bits.read(8)));
            continue;
        }
        uint32_t offset = 0;
        qsizetype length = 2;
        if (bits.read(1) == 0) {
            offset = bits.read(6) + 1;
        } else if (bits.read(1) == 0) {
            offset = bits.read(9) + 65;
        } else if (bits.read(1) == 0) {
            offset = bits.read(12) + 577;
        } else {
            const uint32_t far = bits.read(20);
            if (far == EndMark)
                break;
            offset = far + 4673;
            length = 3;
        }
        int ones = 0;
        while (ones < 11 && bits.read(1) == 1)
            ++ones;
        length += qsizetype((1u << ones) - 1) + bits.read(ones);

        if (offset > uint32_t(out.size()))
            throw AcsError("compressed data copies from before its start");
        if (length > expectedSize - out.size())
            throw AcsError("compressed data is larger than stated");
        // Byte by byte: a copy may overlap the bytes it is making.
        qsizetype from = out.size() - qsizetype(offset);
        for (qsizetype i = 0; i < length; ++i)
            out.append(out.at(from + i));
    }
    if (out.size() != expectedSize)
        throw AcsError("compressed data is smaller than stated");
    return out;
}

} // namespace character::acs
