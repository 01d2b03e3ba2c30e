#include "picture/ClockPicture.h"
#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/TestPictures.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using picture::ClockPicture;
using picture::PictureLoadError;

namespace {

QImage quadrants()
{
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, qRgb(200, 30, 30));
    return image;
}

bool near(QRgb a, QRgb b, int tolerance)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

class ClockPictureFiles : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testpics::writeFile(path, bytes));
        return path;
    }
};

} // namespace

TEST_F(ClockPictureFiles, ReadsBitmapsGifJpegAndMetafilesByTheirContents)
{
    const ClockPicture bmp = ClockPicture::load(write("a.bmp", testpics::bmpBytes(quadrants())));
    EXPECT_EQ(bmp.size(), QSize(64, 48));
    EXPECT_EQ(bmp.scaledTo({64, 48}).pixel(5, 5), qRgb(200, 30, 30));

    const ClockPicture gif = ClockPicture::load(write("b.gif", testpics::redPixelGif()));
    EXPECT_EQ(gif.size(), QSize(1, 1));
    EXPECT_EQ(gif.scaledTo({1, 1}).pixel(0, 0) & 0xFFFFFF, 0xFF0000u);

    // A JPEG under a misleading name is still read as a JPEG, by libjpeg.
    const ClockPicture jpeg = ClockPicture::load(write("c.bmp", testpics::jpegBytes(quadrants())));
    EXPECT_EQ(jpeg.size(), QSize(64, 48));
    EXPECT_TRUE(near(jpeg.scaledTo({64, 48}).pixel(5, 5), qRgb(200, 30, 30), 12));
    EXPECT_TRUE(near(jpeg.scaledTo({64, 48}).pixel(60, 40), qRgb(255, 255, 255), 12));

    const ClockPicture wmf = ClockPicture::load(write("d.wmf", testpics::sampleWmf()));
    EXPECT_EQ(wmf.size(), QSize(100, 100));
    EXPECT_TRUE(wmf.hasTransparency());
    const QImage drawn = wmf.scaledTo({200, 200}); // vector pictures scale cleanly
    EXPECT_TRUE(near(drawn.pixel(60, 60), qRgb(255, 0, 0), 0));
    EXPECT_TRUE(near(drawn.pixel(150, 150), qRgb(0, 0, 255), 0));
    EXPECT_TRUE(near(drawn.pixel(150, 40), qRgb(255, 255, 255), 0));
}

TEST_F(ClockPictureFiles, FilesThatCannotBeShownGiveAClearMessage)
{
    const auto messageFor = [](const QString& path) -> std::string {
        try {
            ClockPicture::load(path);
        } catch (const PictureLoadError& e) {
            return e.what();
        }
        return "(loaded)";
    };
    const std::string missing = messageFor(dir.filePath("none.bmp"));
    EXPECT_NE(missing.find("none.bmp"), std::string::npos);
    EXPECT_NE(missing.find("does not exist"), std::string::npos);
    EXPECT_NE(messageFor(write("empty.jpg", {})).find("empty"), std::string::npos);
    EXPECT_NE(messageFor(write("text.gif", "just some words")).find("not a BMP, JPEG, GIF or WMF"),
              std::string::npos);
    EXPECT_NE(messageFor(write("bad.jpg", QByteArray("\xFF\xD8\xFF\xE0garbage", 11))).find("damaged"),
              std::string::npos);
    // The fuzzer's find: of no units per inch, a drawing on both sides of the window's origin
    // spans an infinite box, which was taken for a picture of no size.
    QByteArray infinite = testpics::sampleWmf();
    qToLittleEndian<qint16>(0, infinite.data() + 14);    // units per inch
    qToLittleEndian<qint16>(68, infinite.data() + 48);   // the window's origin
    infinite[139] = 0;                                   // the white frame's record made unknown
    qToLittleEndian<qint16>(-10, infinite.data() + 166); // the red rectangle's top
    EXPECT_NE(messageFor(write("infinite.wmf", infinite)).find("damaged"), std::string::npos);
}

TEST_F(ClockPictureFiles, AMessageTranslatedIntoAMillionPlaceholdersStaysItsOwnSize)
{
    const QString hostile = QString("%s").repeated(1500000);
    const lang::LanguageTable table = lang::LanguageTable::fromText("The picture %s cannot be shown:=" +
                                                                    hostile);
    lang::setActiveLanguage(&table);
    std::string message;
    try {
        ClockPicture::load(write("bad.gif", "not a picture"));
    } catch (const PictureLoadError& e) {
        message = e.what();
    }
    lang::setActiveLanguage(nullptr);
    EXPECT_LT(message.size(), size_t(hostile.size() + 1000));
    EXPECT_NE(message.find("bad.gif%s%s"), std::string::npos);
}

TEST_F(ClockPictureFiles, PicturesThatWouldCostTooMuchAreRefusedAsTooLargeNotDamaged)
{
    const auto outcome = [this](const QByteArray& bytes) -> std::string {
        try {
            const ClockPicture p = ClockPicture::load(write("hostile", bytes));
            return p.isEmpty() ? "(empty)" : "(loaded)";
        } catch (const PictureLoadError& e) {
            return std::string(e.what()).find("too large or too complex") != std::string::npos ? "too large"
                                                                                               : e.what();
        }
    };
    // Saved states: libwmf copies each, so a long chain of them never returns.
    EXPECT_EQ(outcome(testpics::wmfOfNestedSaves(64)), "(loaded)");
    EXPECT_EQ(outcome(testpics::wmfOfNestedSaves(65)), "too large");
    // Records, and the drawing they record, which is done again at every new window size.
    EXPECT_EQ(outcome(testpics::wmfOfLines(5000)), "(loaded)");
    EXPECT_EQ(outcome(testpics::wmfOfLines(20000)), "too large"); // each across the picture
    EXPECT_EQ(outcome(testpics::wmfOfLines(15000, true)), "(loaded)");
    EXPECT_EQ(outcome(testpics::wmfOfLines(60000, true)), "too large"); // too many records
    EXPECT_EQ(outcome(testpics::wmfOfPolylines(5000, 1, true)), "(loaded)");
    EXPECT_EQ(outcome(testpics::wmfOfPolylines(32767)), "too large");
    EXPECT_EQ(outcome(testpics::wmfOfRectangles(200)), "(loaded)");
    EXPECT_EQ(outcome(testpics::wmfOfRectangles(5000)), "too large");
    EXPECT_EQ(outcome(testpics::wmfOfText(1000, 10)), "(loaded)");
    EXPECT_EQ(outcome(testpics::wmfOfText(1000, 30)), "too large");
    // A few hundred bytes of progressive JPEG claiming 8192 x 8192 would take gigabytes.
    EXPECT_EQ(outcome(testpics::progressiveJpegClaiming(8192, 8192)), "too large");
    EXPECT_EQ(outcome(testpics::progressiveJpegClaiming(1024, 1024)), "(loaded)");
    // Every scan passes over the whole picture.
    EXPECT_EQ(outcome(testpics::progressiveJpegOfManyScans(2048, 2048, 20)), "(loaded)");
    EXPECT_EQ(outcome(testpics::progressiveJpegOfManyScans(2048, 2048, 300)), "too large");
}

TEST_F(ClockPictureFiles, AJpegWiderThanAnyWindowIsKeptReducedButKnowsItsOwnSize)
{
    QImage wide(5000, 100, QImage::Format_RGB32);
    wide.fill(qRgb(200, 30, 30));
    const ClockPicture picture = ClockPicture::load(write("wide.jpg", testpics::jpegBytes(wide)));
    EXPECT_EQ(picture.size(), QSize(5000, 100));
    const QImage shown = picture.scaledTo({500, 10});
    EXPECT_EQ(shown.size(), QSize(500, 10));
    EXPECT_TRUE(near(shown.pixel(250, 5), qRgb(200, 30, 30), 12));
}

TEST_F(ClockPictureFiles, TruncatedPicturesNeverCrashTheLoader)
{
    const QByteArray samples[] = {testpics::bmpBytes(quadrants()), testpics::jpegBytes(quadrants()),
                                  testpics::redPixelGif(), testpics::sampleWmf()};
    for (const QByteArray& sample : samples) {
        for (qsizetype cut = 1; cut < sample.size(); cut += std::max<qsizetype>(1, sample.size() / 97)) {
            const QString path = write("cut.bin", sample.left(cut));
            try {
                const ClockPicture p = ClockPicture::load(path);
                EXPECT_LE(p.width(), 8192);
            } catch (const PictureLoadError&) {
            }
        }
    }
}

TEST_F(ClockPictureFiles, AMetafileHeaderClaimingAHugeRecordGetsNoRoomForIt)
{
    // libwmf makes room for the largest record the header claims before it reads any: the
    // fuzzer found a hundred bytes that asked for 3.6 GB.
    for (const quint32 claim : {0x7FFFFFFFu, 0xFFFFFFFFu}) {
        QByteArray wmf = testpics::sampleWmf();
        qToLittleEndian(claim, wmf.data() + 22 + 12);
        EXPECT_EQ(ClockPicture::load(write("claims.wmf", wmf)).size(), QSize(100, 100)) << claim;
    }
}
