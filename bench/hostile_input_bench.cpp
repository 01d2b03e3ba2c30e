// The worst files a user (or an intruder) can hand the clock: how long it takes to read or refuse
// them. Run with --benchmark_repetitions=5 to see medians.
#include "core/IniFile.h"
#include "picture/ClockPicture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A settings file of `keys` values in one section, as a hostile or runaway writer might leave it.
QByteArray manyKeys(int keys)
{
    QByteArray text = "[Clock]\n";
    for (int i = 0; i < keys; ++i)
        text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i) + "\n";
    return text;
}

void BM_ReadSettingsOf100000Keys(benchmark::State& state)
{
    const QByteArray text = manyKeys(100000);
    for (auto _ : state) {
        const core::IniFile ini = core::IniFile::parse(text);
        benchmark::DoNotOptimize(ini.value("Clock", "Width"));
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ReadSettingsOf100000Keys)->Unit(benchmark::kMillisecond);

// Loads the picture as the clock does and draws it once on a large clock (1024 x 1024), or takes
// the refusal.
void loadOrRefuse(benchmark::State& state, const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("picture");
    testpics::writeFile(path, bytes);
    int refused = 0;
    for (auto _ : state) {
        try {
            const picture::ClockPicture picture = picture::ClockPicture::load(path);
            benchmark::DoNotOptimize(picture.scaledTo(QSize(1024, 1024)));
        } catch (const picture::PictureLoadError&) {
            ++refused;
        }
    }
    state.counters["refused"] = refused > 0 ? 1 : 0;
    state.counters["file_bytes"] = double(bytes.size());
}

void BM_MetafileOfNestedSaves(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfNestedSaves(int(state.range(0))));
}
BENCHMARK(BM_MetafileOfNestedSaves)->Arg(1000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_MetafileOfLines(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfLines(int(state.range(0))));
}
// Lines across the picture: about 8,500 is the most the drawing bound lets through.
BENCHMARK(BM_MetafileOfLines)->Arg(8000)->Arg(9000)->Arg(100000)->Arg(8000000)->Unit(benchmark::kMillisecond);

// Lines too short to cost much drawing each.
void BM_MetafileOfShortLines(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfLines(int(state.range(0)), true));
}
// About 23,000 is the most the drawing bound lets through.
BENCHMARK(BM_MetafileOfShortLines)->Arg(22000)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);

// The points' bound: curves of short steps.
void BM_MetafileOfShortPolylines(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfPolylines(7000, int(state.range(0)), true));
}
BENCHMARK(BM_MetafileOfShortPolylines)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_MetafileOfPolylines(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfPolylines(32767, int(state.range(0))));
}
// Polylines whose every segment crosses the picture: refused by their drawing.
BENCHMARK(BM_MetafileOfPolylines)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MetafileOfRectangles(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfRectangles(int(state.range(0))));
}
// About 250 is the most the drawing bound lets through.
BENCHMARK(BM_MetafileOfRectangles)->Arg(240)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_MetafileOfText(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfText(1000, int(state.range(0))));
}
// 20 is the most the bound lets through.
BENCHMARK(BM_MetafileOfText)->Arg(1)->Arg(20)->Arg(21)->Unit(benchmark::kMillisecond);

void BM_ProgressiveJpegClaiming8192Square(benchmark::State& state)
{
    loadOrRefuse(state, testpics::progressiveJpegClaiming(8192, 8192));
}
BENCHMARK(BM_ProgressiveJpegClaiming8192Square)->Unit(benchmark::kMillisecond);

void BM_ProgressiveJpegClaiming4096Square(benchmark::State& state)
{
    loadOrRefuse(state, testpics::progressiveJpegClaiming(4096, 4096));
}
BENCHMARK(BM_ProgressiveJpegClaiming4096Square)->Unit(benchmark::kMillisecond);

// The worst accepted: as many scans as the bound lets through, over the largest picture it keeps.
void BM_ProgressiveJpegOfManyScans(benchmark::State& state)
{
    loadOrRefuse(state, testpics::progressiveJpegOfManyScans(4096, 4096, int(state.range(0))));
}
BENCHMARK(BM_ProgressiveJpegOfManyScans)->Arg(50)->Arg(300)->Unit(benchmark::kMillisecond);

void BM_MetafileOfTheMostSavedStates(benchmark::State& state)
{
    loadOrRefuse(state, testpics::wmfOfNestedSaves(64));
}
BENCHMARK(BM_MetafileOfTheMostSavedStates)->Unit(benchmark::kMillisecond);

} // namespace
