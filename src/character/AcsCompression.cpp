#include "character/AcsCompression.h"

#include "character/AcsCharacter.h"

#include <cstdint>

namespace character::acs {

namespace {

class BitReader
{
public:
    explicit BitReader(const QByteArray& bytes)
        : m_bytes(reinterpret_cast<const uint8_t*>(bytes.constData())), m_end(bytes.size() * 8)
    {
    }

    // Up to 24 bits, least significant first; a stream that runs out is a broken file.
    uint32_t read(int count)
    {
        if (count > m_end - m_position)
            throw AcsError("compressed data ends early");
        const qsizetype first = m_position >> 3;
        const qsizetype last = (m_position + count + 7) >> 3; // one past the last byte it needs
        uint32_t window = 0;
        for (qsizetype i = first; i < last; ++i)
            window |= uint32_t(m_bytes[i]) << (8 * (i - first));
        const uint32_t value = (window >> (m_position & 7)) & ((1u << count) - 1);
        m_position += count;
        return value;
    }

    void skipBytes(int count) { m_position += qsizetype(count) * 8; }

private:
    const uint8_t* m_bytes;
    qsizetype m_end;
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

    QByteArray out(expectedSize, Qt::Uninitialized);
    char* const o = out.data();
    qsizetype n = 0;
    BitReader bits(packed);
    bits.skipBytes(1);
    for (;;) {
        if (bits.read(1) == 0) {
            if (n >= expectedSize)
                throw AcsError("compressed data is larger than stated");
            o[n++] = char(bits.read(8));
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

        if (offset > uint32_t(n))
            throw AcsError("compressed data copies from before its start");
        if (length > expectedSize - n)
            throw AcsError("compressed data is larger than stated");
        // Byte by byte: a copy may overlap the bytes it is making.
        const qsizetype from = n - qsizetype(offset);
        for (qsizetype i = 0; i < length; ++i)
            o[n + i] = o[from + i];
        n += length;
    }
    if (n != expectedSize)
        throw AcsError("compressed data is smaller than stated");
    return out;
}

} // namespace character::acs
