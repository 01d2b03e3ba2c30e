#include "app/ClockPicture.h"
#include "lang/LanguageTable.h"
#include "lang/Translate.h"
#include "support/TestPictures.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using app::ClockPicture;
using app::PictureLoadError;

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
