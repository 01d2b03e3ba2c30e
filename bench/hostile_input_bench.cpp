// The worst files a user (or an intruder) can hand the clock: how long it takes to read or refuse
// them. Run with --benchmark_repetitions=5 to see medians.
#include "platform/IniFile.h"

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
        const platform::IniFile ini = platform::IniFile::parse(text);
        benchmark::DoNotOptimize(ini.value("Clock", "Width"));
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_ReadSettingsOf100000Keys)->Unit(benchmark::kMillisecond);

} // namespace
