// Drawing and outline costs of the clock face. Run with --benchmark_repetitions=10 to see medians.
#include "app/ClockFrame.h"
#include "picture/PictureRegion.h"

#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

app::FrameContent face(QSize size, const picture::ClockPicture* picture)
{
    app::FrameContent c;
    c.size = size;
    c.picture = picture;
    c.background = QColor(58, 110, 165);
    c.caption = QStringLiteral("www.palvaro.example");
    c.captionFont = QFont(QStringLiteral("Arial"), 6);
    c.captionColor = Qt::yellow;
    c.hourHand = {{0.61, app::clGreen, 9, app::pmNotMerge}, Qt::green};
    c.minuteHand = {{0.89, app::clRed, 5, app::pmNotMerge}, Qt::red};
    c.secondHand = {{0.92, app::clBlack, 2, app::pmNot}, Qt::black};
    c.time = QTime(10, 8, 37);
    return c;
}

QImage samplePicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 120, 30));
    p.drawEllipse(
        QRect(QPoint(0, 0), size)
            .adjusted(size.width() / 10, size.height() / 8, -size.width() / 10, -size.height() / 8));
    for (int i = 0; i < 12; ++i) {
        p.setBrush(QColor(20 * i, 200 - 10 * i, 90));
        p.drawRect(i * size.width() / 12, size.height() / 20, size.width() / 30, size.height() / 10);
    }
    return image;
}

void BM_Frame150NoPicture(benchmark::State& state)
{
    app::ClockFrameRenderer renderer;
    const app::FrameContent c = face({150, 150}, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(c));
}
BENCHMARK(BM_Frame150NoPicture)->Unit(benchmark::kMicrosecond);

void BM_Frame1024StretchedPicture(benchmark::State& state)
{
    const picture::ClockPicture picture = picture::ClockPicture::fromImage(samplePicture({300, 200}));
    app::ClockFrameRenderer renderer;
    const app::FrameContent c = face({1024, 1024}, &picture);
    for (auto _ : state)
        benchmark::DoNotOptimize(renderer.render(c));
}
BENCHMARK(BM_Frame1024StretchedPicture)->Unit(benchmark::kMicrosecond);

// The first frame after a new picture or size also stretches the picture.
void BM_Frame1024FirstAfterNewPicture(benchmark::State& state)
{
    const QImage source = samplePicture({300, 200});
    for (auto _ : state) {
        const picture::ClockPicture picture = picture::ClockPicture::fromImage(source);
        app::ClockFrameRenderer renderer;
        benchmark::DoNotOptimize(renderer.render(face({1024, 1024}, &picture)));
    }
}
BENCHMARK(BM_Frame1024FirstAfterNewPicture)->Unit(benchmark::kMicrosecond);

void BM_Region1920x1080(benchmark::State& state)
{
    const QImage picture = samplePicture({1920, 1080});
    for (auto _ : state) {
        const QRegion region = picture::pictureRegion(picture);
        benchmark::DoNotOptimize(region.rectCount());
    }
}
BENCHMARK(BM_Region1920x1080)->Unit(benchmark::kMillisecond);

} // namespace
