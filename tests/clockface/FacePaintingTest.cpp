#include "clockface/AnalogFace.h"
#include "clockface/FacePainter.h"
#include "clockface/PanelFrame.h"
#include "clockface/RevolvingDrum.h"
#include "clockface/SevenSegment.h"
#include "core/LocaleFormats.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <gtest/gtest.h>

#include <array>
#include <optional>

using namespace clockface;

namespace {

const core::LocaleFormats kUsFormats{QLocale(QLocale::English, QLocale::UnitedStates)};
const QColor kSilver(192, 192, 192);

QColor at(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Hands are smoothed: a pixel they cover whole comes out within a few steps of their colour.
::testing::AssertionResult near(const QColor& actual, const QColor& expected)
{
    constexpr int tolerance = 24;
    if (std::abs(actual.red() - expected.red()) <= tolerance &&
        std::abs(actual.green() - expected.green()) <= tolerance &&
        std::abs(actual.blue() - expected.blue()) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << actual.name().toStdString() << " is not near " << expected.name().toStdString();
}

ClockFaceLook bareAnalog()
{
    ClockFaceLook look;
    look.ClockStyle = csAnalog;
    look.BevelInner = bvNone;
    look.BevelOuter = bvNone;
    return look;
}

// The font's measures on a face image, which has 96 dots per inch.
QFontMetrics metricsOf(const QFont& font)
{
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(3780);
    device.setDotsPerMeterY(3780);
    return QFontMetrics(font, &device);
}

// A font whose line is exactly `height` pixels, or none if no size of it gives that.
std::optional<QFont> fontOfHeight(int height)
{
    for (const QString& family : {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                  QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()}) {
        for (int pixels = 4; pixels < 3 * height; ++pixels) {
            QFont font(family);
            font.setPixelSize(pixels);
            if (metricsOf(font).height() == height)
                return font;
        }
    }
    return std::nullopt;
}

} // namespace

TEST(PanelFrame, BevelsTakeTheirShadesFromTheBorderColour)
{
    EXPECT_EQ(bevelShades(kSilver).light, QColor(239, 239, 239));
    EXPECT_EQ(bevelShades(kSilver).dark, QColor(128, 128, 128));
    // Each channel is truncated on its own: 255 - 155/4 = 216.25, 100 * 2/3 = 66.67.
    EXPECT_EQ(bevelShades(QColor(100, 50, 0)).light, QColor(216, 203, 191));
    EXPECT_EQ(bevelShades(QColor(100, 50, 0)).dark, QColor(66, 33, 0));

    // The default panel: a raised bevel outside, a lowered one inside.
    const QImage face = renderClockFace({150, 150}, ClockFaceLook{}, QTime(0, 0), kUsFormats);
    const QColor light(239, 239, 239), dark(128, 128, 128);
    EXPECT_EQ(at(face, 0, 70), light);  // outer left
    EXPECT_EQ(at(face, 70, 0), light);  // outer top
    EXPECT_EQ(at(face, 149, 70), dark); // outer right
    EXPECT_EQ(at(face, 70, 149), dark); // outer bottom
    EXPECT_EQ(at(face, 0, 0), light);
    EXPECT_EQ(at(face, 149, 0), dark); // the corners where the two shades meet go to the bottom one
    EXPECT_EQ(at(face, 0, 149), dark);
    EXPECT_EQ(at(face, 1, 70), dark); // inner bevel, lowered
    EXPECT_EQ(at(face, 70, 1), dark);
    EXPECT_EQ(at(face, 148, 70), light);
    EXPECT_EQ(at(face, 70, 148), light);
    EXPECT_EQ(at(face, 2, 2), kSilver);

    // A border band in its own colour between the bevels moves the face inwards.
    ClockFaceLook banded;
    banded.BorderWidth = 2;
    banded.BorderColor = core::clNavy;
    banded.Color = core::clWhite;
    banded.DisplayFormat = QString();
    const QImage b = renderClockFace({60, 40}, banded, QTime(0, 0), kUsFormats);
    const BevelShades navy = bevelShades(QColor(0, 0, 128));
    EXPECT_EQ(faceInset(banded), 4);
    EXPECT_EQ(at(b, 0, 20), navy.light);
    EXPECT_EQ(at(b, 1, 20), QColor(0, 0, 128));
    EXPECT_EQ(at(b, 2, 20), QColor(0, 0, 128));
    EXPECT_EQ(at(b, 3, 20), navy.dark);
    EXPECT_EQ(at(b, 4, 20), Qt::white);
    // A single-line border counts the band once more.
    banded.BorderStyle = bsSingle;
    EXPECT_EQ(innerRect({60, 40}, banded), QRect(6, 6, 48, 28));
}

TEST(PanelFrame, HugeBevelsAndBordersFillTheControlWithoutRunningOn)
{
    ClockFaceLook look;
    look.BevelWidth = 1 << 30;
    look.BorderWidth = 1 << 30;
    const QImage face = renderClockFace({40, 20}, look, QTime(0, 0), kUsFormats);
    EXPECT_EQ(at(face, 0, 10), QColor(239, 239, 239));
}

TEST(AnalogFace, A150PixelFaceHasRadius65AndHourPointsButNoMinuteMarks)
{
    const QImage face = renderClockFace({150, 150}, bareAnalog(), QTime(0, 0), kUsFormats);
    const AnalogGeometry g = analogGeometry({150, 150}, 0, dsPoints, QFontMetrics(QFont()));
    EXPECT_EQ(g.centre, QPoint(75, 75));
    EXPECT_EQ(g.radius, 65);

    // The six o'clock point at (75, 140): aqua upper left, navy lower right, blue in the middle.
    EXPECT_EQ(at(face, 73, 138), QColor(0, 255, 255));
    EXPECT_EQ(at(face, 76, 141), QColor(0, 0, 128));
    EXPECT_EQ(at(face, 74, 139), QColor(0, 0, 255));
    EXPECT_EQ(at(face, 75, 140), QColor(0, 0, 255));
    // Three o'clock at (140, 75), nine at (10, 75).
    EXPECT_EQ(at(face, 140, 75), QColor(0, 0, 255));
    EXPECT_EQ(at(face, 10, 75), QColor(0, 0, 255));
    // Where the first minute mark would be, (82, 140), the face stays bare.
    EXPECT_EQ(at(face, 80, 138), kSilver);
    EXPECT_EQ(at(face, 83, 141), kSilver);

    // From radius 71 on (a face of 162) the minute marks appear: white, grey, silver.
    const QImage bigger = renderClockFace({162, 162}, bareAnalog(), QTime(0, 0), kUsFormats);
    const QPoint mark = analogGeometry({162, 162}, 0, dsPoints, QFontMetrics(QFont())).pointAt(6, 71);
    EXPECT_EQ(mark, QPoint(88, 152));
    EXPECT_EQ(at(bigger, 86, 150), Qt::white);
    EXPECT_EQ(at(bigger, 89, 153), QColor(128, 128, 128));
    EXPECT_EQ(at(bigger, 88, 152), kSilver);

    // Without the mask neither kind is drawn.
    ClockFaceLook bare = bareAnalog();
    bare.DrawMask = false;
    EXPECT_EQ(at(renderClockFace({150, 150}, bare, QTime(0, 0), kUsFormats), 75, 140), kSilver);
}

TEST(AnalogFace, HandsAtThreeOClockRunFromTheirTailsToTheirTips)
{
    const AnalogGeometry g{{75, 75}, 65};
    const int L = 60 * 65 / 100; // 39
    EXPECT_EQ(hourHandLine(g, 60, QTime(3, 0)), QLine(QPoint(75 - 6, 75), QPoint(75 + L, 75)));
    EXPECT_EQ(hourHandLine(g, 60, QTime(12, 0)).p2(), QPoint(75, 75 - L));
    EXPECT_EQ(hourHandLine(g, 60, QTime(0, 0)).p2(), QPoint(75, 75 - L));
    // Half past: the hour hand halfway between the hours, the minute hand down.
    EXPECT_EQ(hourHandLine(g, 60, QTime(3, 30)).p2(), g.pointAt(180 - 105, L));
    EXPECT_EQ(minuteHandLine(g, 80, QTime(3, 30)).p2(), QPoint(75, 75 + 52));
    EXPECT_EQ(secondHandLine(g, 90, QTime(3, 0, 15)).p2(), QPoint(75 + 58, 75));

    const QImage face = renderClockFace({150, 150}, bareAnalog(), QTime(3, 0, 0), kUsFormats);
    const QColor red(255, 0, 0);
    EXPECT_TRUE(near(at(face, 114, 75), Qt::black)); // hour tip
    EXPECT_TRUE(near(at(face, 69, 75), Qt::black));  // hour tail
    EXPECT_TRUE(near(at(face, 114, 73), Qt::black)); // five pixels wide
    EXPECT_TRUE(near(at(face, 114, 77), Qt::black));
    EXPECT_EQ(at(face, 114, 71), kSilver);
    EXPECT_EQ(at(face, 114, 79), kSilver);
    EXPECT_EQ(at(face, 119, 75), kSilver);
    EXPECT_EQ(at(face, 65, 75), kSilver);
    EXPECT_TRUE(near(at(face, 76, 30), Qt::black)); // the minute hand, three wide, up
    EXPECT_TRUE(near(at(face, 74, 30), Qt::black));
    EXPECT_TRUE(near(at(face, 75, 18), red));       // the second hand reaches further
    EXPECT_TRUE(near(at(face, 75, 75), red));       // the cap
    EXPECT_TRUE(near(at(face, 72, 75), Qt::black)); // its outline
    EXPECT_EQ(at(face, 75, 14), kSilver);

    // Hiding the second hand keeps the cap in the second hand's colour.
    ClockFaceLook look = bareAnalog();
    look.HandOptions.setShowSecHand(false);
    const QImage hidden = renderClockFace({150, 150}, look, QTime(3, 0, 0), kUsFormats);
    EXPECT_EQ(at(hidden, 75, 18), kSilver);
    EXPECT_TRUE(near(at(hidden, 75, 75), red));
}

TEST(AnalogFace, HandLengthsAndWidthsAreHeldToTheirRanges)
{
    THandOptions hands;
    hands.setHourHandLenght(150);
    hands.setMinHandLenght(-1);
    hands.setSecHandLenght(101);
    hands.setHourHandWidth(-3);
    hands.setMinHandWidth(-1);
    hands.setSecHandWidth(7);
    EXPECT_EQ((std::array{hands.HourHandLenght(), hands.MinHandLenght(), hands.SecHandLenght()}),
              (std::array{100, 0, 100}));
    EXPECT_EQ((std::array{hands.HourHandWidth(), hands.MinHandWidth(), hands.SecHandWidth()}),
              (std::array{0, 0, 7}));

    // A hand of length 0 is not drawn; one of width 0 is a thin line; a full-length hand ends on
    // the radius.
    ClockFaceLook look = bareAnalog();
    look.DrawMask = false;
    look.HandOptions = hands;
    const QImage face = renderClockFace({150, 150}, look, QTime(3, 0, 45), kUsFormats);
    for (int x = 73; x <= 80; ++x)
        EXPECT_EQ(at(face, x, 45), kSilver) << "no minute hand at " << x;
    EXPECT_TRUE(near(at(face, 75 + 64, 75), Qt::black)); // hour hand, 1 pixel wide, reaching the radius
    EXPECT_EQ(at(face, 75 + 64, 74), kSilver);
    EXPECT_EQ(at(face, 75 + 64, 76), kSilver);
    EXPECT_TRUE(near(at(face, 30, 72), QColor(255, 0, 0))); // second hand at 45 s, 7 wide: rows 72 to 78
    EXPECT_TRUE(near(at(face, 30, 78), QColor(255, 0, 0)));
    EXPECT_EQ(at(face, 30, 70), kSilver);
    // Hostile widths draw without trouble.
    look.HandOptions.setHourHandWidth(std::numeric_limits<int>::max());
    EXPECT_TRUE(near(at(renderClockFace({40, 40}, look, QTime(3, 0), kUsFormats), 1, 1), Qt::black));
}

TEST(AnalogFace, NumeralsTakeTheirRoomFromTheFont)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    const QFontMetrics fm = metricsOf(font);
    const int a = fm.height() / 2;
    const int decimal = fm.horizontalAdvance(QStringLiteral("12")) / 2;
    const int roman = fm.horizontalAdvance(QStringLiteral("VIII")) / 2;
    EXPECT_EQ(analogGeometry({150, 150}, 2, dsDecimalNumbers, fm).radius,
              75 - (4 + int(std::sqrt(a * a + decimal * decimal))));
    EXPECT_EQ(analogGeometry({150, 120}, 2, dsRomanNumbers, fm).radius,
              60 - (4 + int(std::sqrt(a * a + roman * roman))));

    ClockFaceLook look = bareAnalog();
    look.Font = font;
    look.FontColor = core::clBlue;
    look.HoursDisplayStyle = dsDecimalNumbers;
    const QImage face = renderClockFace({150, 150}, look, QTime(0, 0), kUsFormats);
    // "12" stands centred above the centre, on the radius.
    const int r = analogGeometry({150, 150}, 0, dsDecimalNumbers, fm).radius;
    const QRect twelve(75 - fm.horizontalAdvance(QStringLiteral("12")) / 2, 75 - r - fm.height() / 2,
                       fm.horizontalAdvance(QStringLiteral("12")), fm.height());
    int blue = 0;
    for (int y = twelve.top(); y <= twelve.bottom(); ++y)
        for (int x = twelve.left(); x <= twelve.right(); ++x)
            blue += at(face, x, y).blue() > 200 && at(face, x, y).red() < 100;
    EXPECT_GT(blue, 10);
}

TEST(SevenSegment, PenWidthIsANinthOfTheCellMadeOdd)
{
    for (const auto& [cell, pen] : {std::pair{18, 1}, {27, 3}, {36, 3}, {45, 5}, {8, 1}, {0, 1}})
        EXPECT_EQ(segmentThickness(cell), pen) << cell;

    for (const int height : {18, 27}) {
        const std::optional<QFont> font = fontOfHeight(height);
        if (!font)
            GTEST_SKIP() << "no font with a line of " << height << " pixels";
        ClockFaceLook look;
        look.ClockStyle = csIndicator;
        look.BevelInner = look.BevelOuter = bvNone;
        look.Color = core::clWhite;
        look.FontColor = core::clBlack;
        look.Font = *font;
        look.DisplayFormat = QStringLiteral("8");
        const QSize size(60, 50);
        const QImage face = renderClockFace(size, look, QTime(0, 0), kUsFormats);
        const int w = metricsOf(*font).horizontalAdvance(u'H');
        const QRect cell((60 - w) / 2, (50 - height) / 2, w, height);
        const SegmentCell c = SegmentCell::inside(cell);
        EXPECT_EQ(c.t, segmentThickness(height));
        // Count the dark rows through the middle of the top segment.
        const int x = (c.L + c.R) / 2;
        int rows = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            rows += at(face, x, y) == Qt::black;
        EXPECT_EQ(rows, 3 * c.t) << "cell of " << height; // top, middle and bottom segments
    }
}

TEST(SevenSegment, DigitsLightTheirOwnSegments)
{
    const auto set = [](std::initializer_list<int> segments) {
        unsigned bits = 0;
        for (int s : segments)
            bits |= 1u << (s - 1);
        return bits;
    };
    EXPECT_EQ(litSegments(u'7'), set({SegTop, SegUpperRight, SegLowerRight}));
    EXPECT_EQ(litSegments(u'6'),
              set({SegTop, SegLowerRight, SegBottom, SegLowerLeft, SegUpperLeft, SegMiddle}));
    EXPECT_EQ(litSegments(u'9'),
              set({SegTop, SegUpperRight, SegLowerRight, SegBottom, SegUpperLeft, SegMiddle}));
    EXPECT_EQ(litSegments(u'8'), set({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(litSegments(u':'), 0u);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    ClockFaceLook look;
    look.ClockStyle = csIndicator;
    look.Color = core::clWhite;
    look.FontColor = core::clBlack;
    look.Font = font;
    const QFontMetrics fm = metricsOf(font);
    const QSize size(80, 60);
    const QRect inner = innerRect(size, look);
    const QRect cell(inner.left() + (inner.width() - fm.horizontalAdvance(u'H')) / 2,
                     inner.top() + (inner.height() - fm.height()) / 2, fm.horizontalAdvance(u'H'),
                     fm.height());
    const SegmentCell c = SegmentCell::inside(cell);
    for (const QChar digit : {u'7', u'6', u'9', u'2', u'4'}) {
        look.DisplayFormat = QString(digit);
        const QImage face = renderClockFace(size, look, QTime(0, 0), kUsFormats);
        for (int n = SegTop; n <= SegMiddle; ++n) {
            const QLine line = c.segment(n);
            const QPoint middle = (line.p1() + line.p2()) / 2;
            const bool lit = litSegments(digit) & (1u << (n - 1));
            EXPECT_EQ(at(face, middle.x(), middle.y()), lit ? QColor(Qt::black) : QColor(Qt::white))
                << "digit " << digit.toLatin1() << " segment " << n;
        }
    }
}

TEST(TextFace, TheTextIsCentredOnTheControlAndClippedToTheFace)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    ClockFaceLook look;
    look.Font = font;
    look.FontColor = core::clBlack;
    look.DisplayFormat = QStringLiteral("h:mm:ss ampm");
    const QImage wide = renderClockFace({200, 20}, look, QTime(15, 4, 5), kUsFormats);
    // Centred: the ink starts as far from the left as it ends from the right, give or take a
    // pixel or two of the glyphs' side bearings.
    int first = -1, last = -1;
    for (int x = 2; x < 198; ++x)
        for (int y = 2; y < 18; ++y)
            if (at(wide, x, y).red() < 96) {
                if (first < 0)
                    first = x;
                last = x;
            }
    ASSERT_GE(first, 0);
    EXPECT_LE(std::abs(first - (199 - last)), 3);

    // Too wide for a narrow control: it starts left of the control and is cut at the bevels.
    const QImage narrow = renderClockFace({40, 20}, look, QTime(15, 4, 5), kUsFormats);
    for (int y = 2; y < 18; ++y) {
        EXPECT_EQ(at(narrow, 0, y), QColor(239, 239, 239));
        EXPECT_EQ(at(narrow, 1, y), QColor(128, 128, 128));
        EXPECT_EQ(at(narrow, 38, y), QColor(239, 239, 239));
        EXPECT_EQ(at(narrow, 39, y), QColor(128, 128, 128));
    }
    int ink = 0;
    for (int y = 2; y < 18; ++y)
        for (int x = 2; x < 38; ++x)
            ink += at(narrow, x, y).red() < 96;
    EXPECT_GT(ink, 10);
}

TEST(TextFace, APictureIsStretchedSmoothlyOverTheFace)
{
    // Fine black and white stripes averaged down come out grey, not black or white.
    QImage stripes(200, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    ClockFaceLook look;
    look.ClockFace = stripes;
    look.DisplayFormat = QString();
    const QImage face = renderClockFace({54, 54}, look, QTime(0, 0), kUsFormats);
    const QColor middle = at(face, 27, 27);
    EXPECT_GT(middle.red(), 90);
    EXPECT_LT(middle.red(), 165);
    EXPECT_EQ(at(face, 0, 27), QColor(239, 239, 239)); // the bevels stay over it
}

TEST(RevolvingDrum, CellsShareTheWidthOnePixelApartAndRowsBulge)
{
    const std::vector<DrumCell> cells = drumCells(61, 5);
    ASSERT_EQ(cells.size(), 5u);
    // 61/5 = 12.2 -> 12; 48/4 = 12; 35/3 = 11.67 -> 12; 22/2 = 11; 10/1 = 10.
    const int xs[] = {0, 13, 26, 39, 51}, widths[] = {12, 12, 12, 11, 10};
    for (size_t i = 0; i < cells.size(); ++i)
        EXPECT_EQ(std::pair(cells[i].x, cells[i].width), std::pair(xs[i], widths[i])) << i;
    EXPECT_TRUE(drumCells(50, 0).empty());

    // Height 30: the top row stays, the middle row moves left by 30 - 26 = 4.
    EXPECT_EQ(drumRowShift(30, 0), 0);
    EXPECT_EQ(drumRowShift(30, 15), 4);
    EXPECT_EQ(drumRowShift(30, 29), 1); // sqrt(900 - 196) = 26.5 -> 27, against sqrt(675) -> 26
}

TEST(RevolvingDrum, From1259To1300OnlyTheChangedCharactersRoll)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    ClockFaceLook look;
    look.ClockStyle = csRevolvingDrum;
    look.DisplayFormat = QStringLiteral("hh:mm");
    look.Font = font;
    look.FontColor = core::clBlack;
    const QSize size(120, 44);
    const QTime one(13, 0);
    const QImage still = renderClockFace(size, look, one, kUsFormats, {QStringLiteral("13:00"), 10});
    const QRect inner = innerRect(size, look);
    const std::vector<DrumCell> cells = drumCells(inner.width(), 5);

    // Whether the pixels of cell i are the same in two frames, row by row where the drum puts them.
    const auto sameCell = [&](const QImage& a, const QImage& b, size_t i) {
        for (int row = 0; row < inner.height(); ++row) {
            const int y = inner.top() + row;
            const int x0 = inner.left() - drumRowShift(inner.height(), row) + cells[i].x;
            for (int x = x0 + 1; x < x0 + cells[i].width; ++x)
                if (x >= 0 && a.pixel(x, y) != b.pixel(x, y))
                    return false;
        }
        return true;
    };

    QImage previous;
    for (int step = 1; step <= DrumFrames; ++step) {
        const QImage frame = renderClockFace(size, look, one, kUsFormats, {QStringLiteral("12:59"), step});
        EXPECT_TRUE(sameCell(frame, still, 0)) << "the 1 stands, frame " << step;
        EXPECT_TRUE(sameCell(frame, still, 2)) << "the colon stands, frame " << step;
        for (size_t i : {1u, 3u, 4u}) {
            EXPECT_EQ(sameCell(frame, still, i), step == DrumFrames) << "cell " << i << ", frame " << step;
            if (!previous.isNull()) {
                EXPECT_FALSE(sameCell(frame, previous, i)) << "cell " << i << " moves, frame " << step;
            }
        }
        previous = frame;
    }
    EXPECT_EQ(previous, still);

    // The strip is lit from above: lighter at the top of a cell than at its bottom.
    const int x = inner.left() + cells[2].x + 2;
    EXPECT_GT(at(still, x, inner.top() + 1).lightness(), at(still, x, inner.bottom() - 1).lightness());
}
