#include "character/AcsReader.h"
#include "character/AcsCompression.h"

#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"

#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace character::acs;

namespace {

QByteArray patched(QByteArray bytes, qsizetype at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    return bytes;
}

uint32_t u32At(const QByteArray& bytes, qsizetype at)
{
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= uint32_t(uint8_t(bytes[at + i])) << (8 * i);
    return v;
}

} // namespace

TEST(AcsCompression, RoundTripsRunsTextNoiseAndFarCopies)
{
    QRandomGenerator random(7);
    QByteArray noise(5000, '\0');
    for (char& c : noise)
        c = char(random.bounded(256));
    QByteArray far = noise; // the same 5000 bytes again, more than 4672 bytes back
    far += QByteArray(300, 'x') + noise;
    const QByteArray cases[] = {QByteArray(),
                                QByteArray("a"),
                                QByteArray(10000, char(7)),
                                QByteArray("the quick brown fox, the quick brown fox, the quick"),
                                noise,
                                far};
    for (const QByteArray& data : cases) {
        const QByteArray packed = acswriter::compress(data);
        EXPECT_EQ(uint8_t(packed[0]), 0);
        EXPECT_EQ(decompress(packed, data.size()), data) << data.size();
    }
    // Runs and repeats pack well; a far repeat is found too.
    EXPECT_LT(acswriter::compress(QByteArray(10000, char(7))).size(), 40);
    EXPECT_LT(acswriter::compress(far).size(), noise.size() * 2 + 400);
}

TEST(AcsCompression, RefusesStreamsThatDoNotAddUp)
{
    const QByteArray data("hello hello hello");
    const QByteArray packed = acswriter::compress(data);
    EXPECT_THROW(decompress(packed, data.size() - 1), AcsError);     // more output than stated
    EXPECT_THROW(decompress(packed, data.size() + 1), AcsError);     // less
    EXPECT_THROW(decompress(packed.left(5), data.size()), AcsError); // runs out
    EXPECT_THROW(decompress(QByteArray(), 0), AcsError);
    EXPECT_THROW(decompress(QByteArray("\x01\x00", 2), 0), AcsError); // no leading zero
    // A copy as the very first thing has nothing to copy from: bits 1, 0, offset 0, length 2.
    EXPECT_THROW(decompress(QByteArray::fromHex("0001000000"), 4), AcsError);
}

TEST(AcsReader, ReadsBackEveryBlockWithCompressedAndPlainImages)
{
    const Character original = fixtures::smallCharacter();
    for (bool compressed : {true, false}) {
        SCOPED_TRACE(compressed);
        const QByteArray bytes = acswriter::writeAcs(original, {compressed, compressed});
        const Character read = readAcs(bytes);
        // The writer puts down every field the reader takes up: what was read, written again,
        // gives the same bytes only when nothing was lost or changed on the way.
        EXPECT_EQ(acswriter::writeAcs(read, {compressed, compressed}).toHex().toStdString(),
                  bytes.toHex().toStdString());
        ASSERT_EQ(read.images.size(), original.images.size());
        EXPECT_EQ(read.images[1].pixels, original.images[1].pixels);
        EXPECT_EQ(read.palette, original.palette);
        EXPECT_EQ(read.images[0].compressed, compressed);
        EXPECT_EQ(read.name(), QStringLiteral("Tester"));
        ASSERT_NE(read.animation(QStringLiteral("speak")), nullptr);
        EXPECT_NE(read.animation(QStringLiteral("Speak"))->frames[0].mouth(MouthShape::Wide2), nullptr);
        EXPECT_EQ(read.animation(QStringLiteral("Speak"))->frames[0].mouth(MouthShape::Narrow), nullptr);
        // Only animations that exist are listed for a state.
        EXPECT_EQ(read.stateAnimations(QStringLiteral("idlinglevel1")).size(), 1u);
    }
}

TEST(AcsReader, ReadsAFileFromDiskAndRefusesAMissingOne)
{
    QTemporaryDir dir;
    const QString path = fixtures::writeCharacterFile(dir.path(), "tester.acs", fixtures::smallCharacter());
    EXPECT_EQ(readAcsFile(path).name(), QStringLiteral("Tester"));
    EXPECT_THROW(readAcsFile(dir.filePath("nobody.acs")), AcsError);
}

TEST(AcsReader, EveryTruncationIsRefused)
{
    const QByteArray bytes = acswriter::writeAcs(fixtures::smallCharacter());
    // The sound list comes last, so every shorter file loses a block that a locator names.
    for (qsizetype size = 0; size < bytes.size(); ++size)
        EXPECT_THROW(readAcs(bytes.left(size)), AcsError) << size;
}

TEST(AcsReader, HostileFilesAreRefusedNotFollowed)
{
    const QByteArray good = acswriter::writeAcs(fixtures::smallCharacter());
    EXPECT_THROW(readAcs(patched(good, 0, 0x12345678)), AcsError); // signature
    // A locator beyond the end, and one whose offset and size wrap around together.
    EXPECT_THROW(readAcs(patched(good, 4, uint32_t(good.size()))), AcsError);
    EXPECT_THROW(readAcs(patched(patched(good, 28, 0xFFFFFFF0u), 32, 0x20)), AcsError);

    // The image list's count made huge: more entries than its bytes can hold.
    const uint32_t imageList = u32At(good, 20);
    EXPECT_THROW(readAcs(patched(good, imageList, 0x7FFFFFFF)), AcsError);
    // Every image entry pointed at the first image block, a thousand times over.
    {
        const uint32_t count = u32At(good, imageList);
        QByteArray list = patched(good, imageList, count);
        QByteArray bytes = good;
        const qsizetype extra = 1000;
        const qsizetype listAt = bytes.size();
        bytes += patched(QByteArray(4, '\0'), 0, uint32_t(extra));
        for (qsizetype i = 0; i < extra; ++i)
            bytes += list.mid(imageList + 4, 12);
        bytes = patched(patched(bytes, 20, uint32_t(listAt)), 24, uint32_t(bytes.size() - listAt));
        EXPECT_THROW(readAcs(bytes), AcsError);
    }

    // Every single byte changed to every kind of value: read or refused, never more.
    int refused = 0;
    for (qsizetype at = 0; at < good.size(); ++at) {
        for (char value : {char(0), char(0xFF), char(0x7F), char(good[at] ^ 0x01)}) {
            QByteArray bytes = good;
            bytes[at] = value;
            try {
                readAcs(bytes);
            } catch (const AcsError&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(AcsReader, FramesThatNameMissingPicturesAreRefused)
{
    Character c = fixtures::smallCharacter();
    c.animations[0].frames[0].images[0].image = 99;
    EXPECT_THROW(readAcs(acswriter::writeAcs(c)), AcsError);
    c = fixtures::smallCharacter();
    c.animations[2].frames[1].branches[0].frame = 9;
    EXPECT_THROW(readAcs(acswriter::writeAcs(c)), AcsError);
    c = fixtures::smallCharacter();
    c.animations[1].frames[0].mouths[0].image = 4;
    EXPECT_THROW(readAcs(acswriter::writeAcs(c)), AcsError);
    c = fixtures::smallCharacter();
    c.animations[0].frames[0].audio = 1;
    EXPECT_THROW(readAcs(acswriter::writeAcs(c)), AcsError);
}
