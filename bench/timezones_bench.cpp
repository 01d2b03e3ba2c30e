// Building the whole zone table from the system's zone database, as the first need of the zones does.
#include "platform/TimeZoneSource.h"
#include "timezones/ZoneTable.h"

#include <benchmark/benchmark.h>

namespace {

void BM_BuildZoneTable(benchmark::State& state)
{
    const platform::QtTimeZoneSource source;
    const QDateTime now(QDate(2026, 6, 1), QTime(12, 0));
    for (auto _ : state) {
        const timezones::ZoneTable table = timezones::ZoneTable::load(source, now);
        benchmark::DoNotOptimize(table.count());
    }
}
BENCHMARK(BM_BuildZoneTable)->Unit(benchmark::kMillisecond);

} // namespace
