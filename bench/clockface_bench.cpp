// Painting a 150 x 150 clock face in each style onto the shared canvas, as a face does once a
// second (a drum ten times when its text changes).
#include "clockface/FacePainter.h"
#include "core/LocaleFormats.h"

#include <benchmark/benchmark.h>

using namespace clockface;

namespace {

const core::LocaleFormats kFormats{QLocale(QLocale::English, QLocale::UnitedStates)};

void paintFace(benchmark::State& state, ClockFaceLook look, const DrumRoll& roll = {})
{
    QImage canvas(150, 150, QImage::Format_RGB32);
    canvas.setDotsPerMeterX(3780);
    canvas.setDotsPerMeterY(3780);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(look.ClockStyle == csAnalog ? 9 : 16);
    look.Font = font;
    look.FontColor = core::clBlack;
    const QTime time(10, 8, 37);
    for (auto _ : state) {
        paintClockFace(canvas, {150, 150}, look, time, kFormats, roll);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

ClockFaceLook styled(TClockFaceStyle style, THoursDisplayStyle hours = dsPoints)
{
    ClockFaceLook look;
    look.ClockStyle = style;
    look.HoursDisplayStyle = hours;
    return look;
}

void BM_Text(benchmark::State& state)
{
    paintFace(state, styled(csText));
}
BENCHMARK(BM_Text)->Unit(benchmark::kMicrosecond);

void BM_SevenSegment(benchmark::State& state)
{
    paintFace(state, styled(csIndicator));
}
BENCHMARK(BM_SevenSegment)->Unit(benchmark::kMicrosecond);

void BM_AnalogPoints(benchmark::State& state)
{
    paintFace(state, styled(csAnalog));
}
BENCHMARK(BM_AnalogPoints)->Unit(benchmark::kMicrosecond);

void BM_AnalogDecimal(benchmark::State& state)
{
    paintFace(state, styled(csAnalog, dsDecimalNumbers));
}
BENCHMARK(BM_AnalogDecimal)->Unit(benchmark::kMicrosecond);

void BM_AnalogRoman(benchmark::State& state)
{
    paintFace(state, styled(csAnalog, dsRomanNumbers));
}
BENCHMARK(BM_AnalogRoman)->Unit(benchmark::kMicrosecond);

void BM_DrumStill(benchmark::State& state)
{
    paintFace(state, styled(csRevolvingDrum));
}
BENCHMARK(BM_DrumStill)->Unit(benchmark::kMicrosecond);

void BM_DrumRollFrame(benchmark::State& state)
{
    paintFace(state, styled(csRevolvingDrum), {QStringLiteral("10:08:36"), 5});
}
BENCHMARK(BM_DrumRollFrame)->Unit(benchmark::kMicrosecond);

void BM_AnalogOnStretchedPicture(benchmark::State& state)
{
    QImage picture(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
    ClockFaceLook look = styled(csAnalog);
    look.ClockFace = picture;
    paintFace(state, look);
}
BENCHMARK(BM_AnalogOnStretchedPicture)->Unit(benchmark::kMicrosecond);

} // namespace
