#include "picture/PictureRegion.h"

#include <gtest/gtest.h>

using picture::pictureRegion;

namespace {

QImage canvas(int w, int h, QRgb background = qRgb(255, 0, 255))
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    return image;
}

// The region holds exactly the pixels that differ from the top-left one.
void expectRegionMatchesPixels(const QImage& image, const QRegion& region)
{
    QImage painted(image.size(), QImage::Format_RGB32);
    painted.fill(Qt::black);
    for (const QRect& r : region) {
        ASSERT_TRUE(image.rect().contains(r)) << "a run outside the picture";
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                ASSERT_EQ(painted.pixel(x, y), qRgb(0, 0, 0)) << "runs overlap at " << x << "," << y;
                painted.setPixel(x, y, qRgb(255, 255, 255));
            }
    }
    const QRgb transparent = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(painted.pixel(x, y) == qRgb(255, 255, 255), image.pixel(x, y) != transparent)
                << x << "," << y;
}

} // namespace

TEST(PictureRegion, OnePixelAndOneColourAndTheRightEdge)
{
    QImage single = canvas(40, 30);
    single.setPixel(17, 9, qRgb(1, 2, 3));
    const QRegion one = pictureRegion(single);
    EXPECT_EQ(one.rectCount(), 1);
    EXPECT_EQ(one.boundingRect(), QRect(17, 9, 1, 1));

    EXPECT_TRUE(pictureRegion(canvas(40, 30)).isEmpty());

    QImage edge = canvas(20, 4);
    for (int x = 12; x < 20; ++x)
        edge.setPixel(x, 2, qRgb(0, 0, 0));
    const QRegion closed = pictureRegion(edge);
    EXPECT_EQ(closed.boundingRect(), QRect(12, 2, 8, 1));
    expectRegionMatchesPixels(edge, closed);
}

TEST(PictureRegion, EqualRowsShareABandAndTheShapeIsExact)
{
    QImage image = canvas(60, 50);
    for (int y = 10; y < 40; ++y)
        for (int x = 5; x < 55; ++x)
            if (!(x >= 20 && x < 30 && y >= 20 && y < 25)) // a hole in the middle
                image.setPixel(x, y, qRgb(0, 128, 0));
    const QRegion region = pictureRegion(image);
    expectRegionMatchesPixels(image, region);
    EXPECT_EQ(region.rectCount(), 4); // above the hole, two beside it, below it
}

TEST(PictureRegion, FarMoreThanTwentyFiveThousandRunsStillMakeTheWholeOutline)
{
    QImage image = canvas(401, 200);
    for (int y = 0; y < 200; ++y)
        for (int x = (y % 2) + 1; x < 401; x += 2)
            image.setPixel(x, y, qRgb(10, 10, 10));
    const QRegion region = pictureRegion(image);
    EXPECT_GT(region.rectCount(), 25000);
    expectRegionMatchesPixels(image, region);
}
