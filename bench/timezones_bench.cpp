// The zones' costs at their first need: reading the zone table from the system's zone database,
// filling the time zones window's list from it, and the whole first showing of the window.
#include "platform/IniSettingsStore.h"
#include "platform/Platform.h"
#include "platform/SystemClockSetter.h"
#include "platform/TimeZoneSource.h"
#include "timezones/TfrmTimeZone.h"
#include "timezones/ZoneList.h"
#include "timezones/ZoneTable.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

const QDateTime kNow(QDate(2026, 6, 1), QTime(12, 0));

void BM_BuildZoneTable(benchmark::State& state)
{
    const platform::QtTimeZoneSource source;
    for (auto _ : state) {
        const timezones::ZoneTable table = timezones::ZoneTable::load(source, kNow);
        benchmark::DoNotOptimize(table.count());
    }
}
BENCHMARK(BM_BuildZoneTable)->Unit(benchmark::kMillisecond);

void BM_FillZoneList(benchmark::State& state)
{
    const platform::QtTimeZoneSource source;
    const timezones::ZoneTable table = timezones::ZoneTable::load(source, kNow);
    const core::LocaleFormats locale(QLocale(QLocale::English, QLocale::UnitedStates));
    int rows = 0;
    for (auto _ : state) {
        QTreeWidget list;
        list.setColumnCount(6);
        timezones::fillZoneList(list, table, 1, locale);
        rows = list.topLevelItemCount();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_FillZoneList)->Unit(benchmark::kMillisecond);

// Made at start-up, shown later: the zones are read, listed and the first one shown.
void BM_FirstShowingOfTheTimeZonesWindow(benchmark::State& state)
{
    // The desktop's own facilities, with the files in a folder of the benchmark's own.
    const QTemporaryDir folder;
    platform::SystemClock clock;
    platform::QtScreenInfo screen;
    platform::IniSettingsStore settings(folder.filePath("Veskel.conf"));
    const core::LocaleFormats locale;
    platform::QtMessageBoxes messages(QStringLiteral("Veskel"));
    const platform::ProgramFolders folders = platform::ProgramFolders::forProgramFile(
        folder.filePath("veskel"));
    platform::XdgAutostart autostart(folder.filePath("Veskel.desktop"), folders.ProgramFile);
    platform::DesktopShell shell;
    platform::QtNotificationArea notificationArea;
    platform::QtCommonDialogs dialogs;
    platform::QtTimeZoneSource zones;
    platform::SystemClockSetter clockSetter;
    platform::QtNetworkReachability network;
    platform::DesktopDateTimeSettings dateTimeSettings;
    platform::FileNotices fileNotices;
    const platform::Platform desktop{clock,     screen,      settings,         locale,           messages,
                                     autostart, shell,       notificationArea, dialogs,          zones,
                                     folders,   clockSetter, network,          dateTimeSettings, fileNotices};
    for (auto _ : state) {
        bool startupComplete = false;
        timezones::TfrmTimeZone window(desktop, startupComplete);
        window.FormShow();
        benchmark::DoNotOptimize(window.configPageFilled());
    }
}
BENCHMARK(BM_FirstShowingOfTheTimeZonesWindow)->Unit(benchmark::kMillisecond);

} // namespace
