#include "app/CaptionFont.h"
#include "app/ClockFrame.h"
#include "app/ClockSettings.h"
#include "app/HandGeometry.h"
#include "app/PenModes.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace app;

TEST(HandGeometry, TipsAtHalfPastThreeOnA150PixelFace)
{
    const FaceGeometry face = FaceGeometry::forSize(150, 150);
    const QPoint centre(face.CentreX, face.CentreY);
    EXPECT_EQ(face.Radius, 75);
    EXPECT_EQ(handTip(centre, face.Radius, 0.61, hourHandAngle(15, 30)), QPoint(119, 87));
    EXPECT_EQ(handTip(centre, face.Radius, 0.89, minuteHandAngle(30)), QPoint(75, 142));
    EXPECT_EQ(handTip(centre, face.Radius, 0.92, secondHandAngle(45)), QPoint(6, 75));
    // A flat window keeps the horizontal radius for every hand.
    EXPECT_EQ(FaceGeometry::forSize(200, 51).Radius, 100);
    EXPECT_EQ(FaceGeometry::forSize(200, 51).CentreY, 25);
}

TEST(HandGeometry, HalvesGoToTheEvenNeighbourAndHugeValuesStayBounded)
{
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(-3.5), -4);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(-0.6), -1);
    EXPECT_EQ(roundHalfEven(1e300), 1 << 24);
    EXPECT_EQ(roundHalfEven(std::nan("")), -(1 << 24));
}

namespace {

quint32 expectedPenResult(int mode, quint32 P, quint32 D)
{
    const quint32 table[16] = {0u,     ~0u,    D,     ~D,       P,     ~P,       P | ~D, P & ~D,
                               ~P | D, ~P & D, P | D, ~(P | D), P & D, ~(P & D), P ^ D,  ~(P ^ D)};
    return table[mode] & 0xFFFFFF;
}

} // namespace

TEST(PenModes, EveryModeCombinesPenAndBitmapBitsAsItsTableSays)
{
    const quint32 pens[] = {0x0000FF, 0x123456, 0xFFFFFF, 0x000000, 0xA5C3E1};
    const quint32 backgrounds[] = {0x123456, 0x000000, 0xFFFFFF, 0x5A3C1E};
    ASSERT_EQ(penModeNames().size(), 16);
    for (int mode = 0; mode < PenModeCount; ++mode) {
        for (const quint32 pen : pens) {
            for (const quint32 bg : backgrounds) {
                QImage image(5, 3, QImage::Format_RGB32);
                image.fill(QColor(QRgb(bg)));
                if (!drawsNothing(mode)) {
                    QPainter painter(&image);
                    painter.setRenderHint(QPainter::Antialiasing, false);
                    painter.setCompositionMode(compositionModeFor(mode));
                    painter.setPen(QPen(QColor(QRgb(pen)), 1));
                    painter.drawLine(0, 1, 4, 1);
                }
                EXPECT_EQ(image.pixel(2, 1) & 0xFFFFFF, expectedPenResult(mode, pen, bg))
                    << penModeNames()[mode].toStdString() << " pen " << std::hex << pen << " on " << bg;
                EXPECT_EQ(image.pixel(2, 0) & 0xFFFFFF, bg) << "the line must not spill";
            }
        }
    }
}

namespace {

FrameContent plainFace(QSize size, QTime time)
{
    FrameContent c;
    c.size = size;
    c.background = QColor(0x12, 0x34, 0x56);
    c.hourHand = {{0.61, clGreen, 9, pmNotMerge}, Qt::green};
    c.minuteHand = {{0.89, clRed, 5, pmNotMerge}, Qt::red};
    c.secondHand = {{0.92, clBlack, 2, pmNot}, Qt::black};
    c.time = time;
    return c;
}

} // namespace

TEST(ClockFrame, HandsOfNoLengthLeaveNoMarkAndANotHandInvertsWhatIsUnderIt)
{
    ClockFrameRenderer renderer;
    FrameContent c = plainFace({150, 150}, QTime(0, 0, 0));
    c.hourHand.style.Length = c.minuteHand.style.Length = c.secondHand.style.Length = 0;
    renderer.render(c);
    const QImage& buffer = renderer.frame();
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            ASSERT_EQ(buffer.pixel(x, y) & 0xFFFFFF, 0x123456u) << x << "," << y;

    // Only the second hand, pointing at twelve: the pixels along it are inverted.
    c = plainFace({150, 150}, QTime(0, 0, 0));
    c.hourHand.style.Length = c.minuteHand.style.Length = 0;
    renderer.render(c);
    EXPECT_EQ(buffer.pixel(75, 40) & 0xFFFFFF, ~0x123456u & 0xFFFFFF);
    EXPECT_EQ(buffer.pixel(60, 40) & 0xFFFFFF, 0x123456u);
}

TEST(ClockFrame, HandsAsLongAndWideAsTheSettingsAllowDrawWhatFallsOnTheFace)
{
    ClockFrameRenderer renderer;
    FrameContent c = plainFace({150, 150}, QTime(0, 0, 7)); // the second hand slants
    c.hourHand.style.Length = c.minuteHand.style.Length = 0;
    c.secondHand.style = {MaxHandLength, clBlack, 1, pmNot};
    renderer.render(c);
    int inverted = 0;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 150; ++x)
            inverted += (renderer.frame().pixel(x, y) & 0xFFFFFF) == (~0x123456u & 0xFFFFFF);
    EXPECT_GE(inverted, 75); // from the centre to the top edge, and no further
    EXPECT_LE(inverted, 120);

    c.secondHand.style = {MaxHandLength, clBlack, MaxHandWidth, pmBlack};
    renderer.render(c);
    for (int y = 0; y < 150; y += 7)
        for (int x = 0; x < 150; x += 7)
            ASSERT_EQ(renderer.frame().pixel(x, y) & 0xFFFFFF, 0u) << x << "," << y;
}

TEST(ClockFrame, ThePictureIsStretchedOverTheWholeFace)
{
    QImage source(2, 2, QImage::Format_RGB32);
    source.setPixel(0, 0, qRgb(255, 0, 0));
    source.setPixel(1, 0, qRgb(0, 255, 0));
    source.setPixel(0, 1, qRgb(0, 0, 255));
    source.setPixel(1, 1, qRgb(255, 255, 0));
    const picture::ClockPicture shown = picture::ClockPicture::fromImage(source);
    FrameContent c = plainFace({100, 60}, QTime(0, 0, 0));
    c.hourHand.style.Length = c.minuteHand.style.Length = c.secondHand.style.Length = 0;
    c.picture = &shown;
    ClockFrameRenderer renderer;
    renderer.render(c);
    const QImage& buffer = renderer.frame();
    EXPECT_EQ(buffer.size(), QSize(100, 60));
    EXPECT_EQ(buffer.pixel(10, 10), qRgb(255, 0, 0));
    EXPECT_EQ(buffer.pixel(90, 10), qRgb(0, 255, 0));
    EXPECT_EQ(buffer.pixel(10, 50), qRgb(0, 0, 255));
    EXPECT_EQ(buffer.pixel(90, 50), qRgb(255, 255, 0));
}

TEST(CaptionFont, SizeFitsThePictureAndColourFollowsACopyHand)
{
    QImage device(1, 1, QImage::Format_RGB32);
    prepareBackBuffer(device, {1, 1});
    const QFont arial("Arial", 8);
    EXPECT_EQ(chooseCaptionPointSize(arial, 0, MakerWebAddress, &device), 6);
    EXPECT_EQ(chooseCaptionPointSize(arial, 400, MakerWebAddress, &device), 12);
    const int narrow = chooseCaptionPointSize(arial, 110, MakerWebAddress, &device);
    EXPECT_LT(narrow, 12);
    QFont sized = arial;
    sized.setPointSize(narrow);
    if (narrow > 6) {
        EXPECT_LT(QFontMetrics(sized, &device).horizontalAdvance(MakerWebAddress), 100);
    }

    const HandStyle copyHour{0.6, 0x112233, 9, pmCopy};
    const HandStyle copyMinute{0.8, 0x445566, 5, pmCopy};
    const HandStyle other{0.8, 0x778899, 5, pmNotMerge};
    int calls = 0;
    const auto random = [&calls] { return ++calls * 10; };
    EXPECT_EQ(chooseCaptionColor(copyHour, copyMinute, random), 0x112233);
    EXPECT_EQ(chooseCaptionColor(other, copyMinute, random), 0x445566);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(chooseCaptionColor(other, other, random), 10 | (20 << 8) | (30 << 16));
}

namespace {

// The face drawn the plain way, stroke by stroke, as the cached renderer must reproduce exactly.
QImage referenceFace(const FrameContent& c)
{
    QImage image(c.size, QImage::Format_RGB32);
    prepareBackBuffer(image, c.size);
    image.fill(c.background.rgb());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    if (!c.caption.isEmpty()) {
        QFont font = c.captionFont;
        font.setStyleStrategy(QFont::NoAntialias);
        p.setFont(font);
        const QFontMetrics m(c.captionFont, &image);
        const int x = (c.size.width() - m.horizontalAdvance(c.caption)) / 2;
        const int y = ((m.height() / 2) + c.size.height()) / 2;
        p.setPen(c.captionColor);
        p.drawText(x, y + m.ascent(), c.caption);
    }
    const FaceGeometry face = FaceGeometry::forSize(c.size.width(), c.size.height());
    const QPoint centre(face.CentreX, face.CentreY);
    const double angles[3] = {hourHandAngle(c.time.hour(), c.time.minute()), minuteHandAngle(c.time.minute()),
                              secondHandAngle(c.time.second())};
    const FrameHand* hands[3] = {&c.hourHand, &c.minuteHand, &c.secondHand};
    for (int i = 0; i < 3; ++i) {
        const QPoint tip = handTip(centre, face.Radius, hands[i]->style.Length, angles[i]);
        if (drawsNothing(hands[i]->style.Mode) || tip == centre)
            continue;
        p.setCompositionMode(compositionModeFor(hands[i]->style.Mode));
        p.setPen(QPen(hands[i]->color, hands[i]->style.Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(centre, tip);
    }
    return image;
}

} // namespace

TEST(ClockFrame, KeptCoverageGivesExactlyThePixelsOfDrawingEachStroke)
{
    ClockFrameRenderer renderer;
    int frames = 0;
    for (const QSize size : {QSize(150, 150), QSize(269, 180)}) {
        for (int mode = 0; mode < PenModeCount; mode += 3) {
            FrameContent c = plainFace(size, QTime(0, 0, 0));
            c.caption = MakerWebAddress;
            c.captionFont = QFont("Arial", 9, QFont::Bold);
            c.captionColor = QColor(250, 200, 10);
            c.hourHand.style.Mode = mode;
            c.minuteHand.style.Width = 1 + mode % 7;
            c.secondHand.style.Mode = (mode + 5) % PenModeCount;
            for (int second = 0; second < 3600; second += 317) {
                c.time = QTime(second / 60 % 24, second % 60, (second * 7) % 60);
                EXPECT_TRUE(renderer.render(c));
                const QImage expected = referenceFace(c);
                const QImage& got = renderer.frame();
                for (int y = 0; y < expected.height(); ++y)
                    for (int x = 0; x < expected.width(); ++x)
                        ASSERT_EQ(got.pixel(x, y), expected.pixel(x, y))
                            << "pixel " << x << "," << y << " mode " << mode << " at "
                            << c.time.toString().toStdString();
                EXPECT_FALSE(renderer.render(c)) << "the same frame again";
                ++frames;
            }
        }
    }
    EXPECT_GT(frames, 100);
}
