#include "character/AcsReader.h"
#include "character/AcsCompression.h"

#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"

#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

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
        // Pictures are kept as stored, to be unpacked when drawn.
        EXPECT_TRUE(read.images[1].pixels.isEmpty());
        EXPECT_EQ(picturePixels(read.images[1]), original.images[1].pixels);
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

// Each check of the reader, with a file that only it stops.
TEST(AcsReader, EachCheckRefusesTheFileThatOnlyItStops)
{
    const QByteArray good = acswriter::writeAcs(fixtures::smallCharacter());
    const QByteArray plain = acswriter::writeAcs(fixtures::smallCharacter(), {false, false});
    auto with = [](const std::function<void(Character&)>& change) {
        Character c = fixtures::smallCharacter();
        change(c);
        return acswriter::writeAcs(c);
    };
    auto patched16 = [](QByteArray bytes, qsizetype at, uint16_t value) {
        bytes[at] = char(value & 0xFF);
        bytes[at + 1] = char(value >> 8);
        return bytes;
    };
    const uint32_t imageList = u32At(good, 20);
    const uint32_t animationList = u32At(good, 12);
    const uint32_t firstImage = u32At(plain, u32At(plain, 20) + 4);
    const uint32_t firstRegion = firstImage + 10 + u32At(plain, firstImage + 6);
    // Every image entry pointed at the first image block, a thousand times over.
    QByteArray overlapping = good;
    overlapping += patched(QByteArray(4, '\0'), 0, 1000);
    for (int i = 0; i < 1000; ++i)
        overlapping += good.mid(imageList + 4, 12);
    overlapping = patched(patched(overlapping, 20, uint32_t(good.size())), 24, 4 + 1000 * 12);
    Character stacked = fixtures::stackedCharacter(128, 2048); // a frame at the most it may cost
    stacked.animations[0].frames.resize(33, stacked.animations[0].frames[0]);

    const std::pair<const char*, QByteArray> refusals[] = {
        {"not a character file", patched(good, 0, 0x12345678)},
        {"the file is too large for a character", QByteArray(MaxAcsFileSize + 1, '\0')},
        {"a locator points outside the file", patched(good, 4, uint32_t(good.size()))},
        {"a locator points outside the file", patched(patched(good, 28, 0xFFFFFFF0u), 32, 0x20)},
        {"the file's blocks overlap", overlapping},
        {"a block runs past the end of its data", patched(good, 8, 10)},
        {"a list claims more entries than its data can hold", patched(good, imageList, 0x7FFFFFFF)},
        {"a text runs past the end of its data", patched(good, animationList + 4, 0x7FFFFFFF)},
        {"a text is not terminated",
         patched16(good, animationList + 8 + 2 * u32At(good, animationList + 4), 'x')},
        {"not a version 2 character", patched16(good, u32At(good, 4) + 2, 3)},
        {"the character has no sensible size", with([](Character& c) { c.width = 0; })},
        {"the character has no sensible size", with([](Character& c) { c.height = MaxImageSide + 1; })},
        {"a palette of more than 256 colours", with([](Character& c) { c.palette.resize(257); })},
        {"an image of unlikely size", with([](Character& c) {
             c.images[0].width = MaxImageSide + 1;
             c.images[0].pixels.resize((MaxImageSide + 1) * 10);
         })},
        {"an image has fewer pixels than its size needs", patched16(plain, firstImage + 3, 11)},
        {"the pictures unpack to more than a character needs",
         patched(patched(plain, firstRegion, 1), firstRegion + 4, 0x7FFFFFFF)},
        {"region data has a strange header",
         with([](Character& c) { c.images[0].region = QByteArray(32, '\0'); })},
        {"a list claims more entries than its data can hold",
         with([](Character& c) { c.images[0].region = patched(c.images[0].region, 8, 1000); })},
        {"an unknown mouth shape",
         with([](Character& c) { c.animations[1].frames[0].mouths[0].shape = MouthShape(7); })},
        {"an unknown transition", with([](Character& c) { c.animations[0].transition = Transition(3); })},
        {"a frame names a missing image",
         with([](Character& c) { c.animations[0].frames[0].images[0].image = 99; })},
        {"a frame names a missing sound", with([](Character& c) { c.animations[0].frames[0].audio = 1; })},
        {"a branch leads to a missing frame",
         with([](Character& c) { c.animations[2].frames[1].branches[0].frame = 9; })},
        {"an exit leads to a missing frame",
         with([](Character& c) { c.animations[2].frames[0].exitFrame = 3; })},
        {"a mouth names a missing image",
         with([](Character& c) { c.animations[1].frames[0].mouths[0].image = 4; })},
        // One picture stacked 65,535 times would take seconds to draw.
        {"a frame costs too much to draw", acswriter::writeAcs(fixtures::stackedCharacter(128, 65535))},
        {"an animation costs too much to draw", acswriter::writeAcs(stacked)},
    };
    for (const auto& [error, file] : refusals) {
        try {
            readAcs(file);
            ADD_FAILURE() << "read, not refused: " << error;
        } catch (const AcsError& e) {
            EXPECT_STREQ(e.what(), error);
        }
    }
    // Right at the limits, the frame and the animation are read.
    stacked.animations[0].frames.resize(32);
    EXPECT_NO_THROW(readAcs(acswriter::writeAcs(stacked)));
}

// Every single byte changed to every kind of value: read or refused, never more.
TEST(AcsReader, EveryChangedByteIsReadOrRefused)
{
    const QByteArray good = acswriter::writeAcs(fixtures::smallCharacter());
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
