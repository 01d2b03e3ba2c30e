// The scheduler's cost per observed second and the cost of loading and saving a long event list.
#include "core/DateTimeText.h"
#include "core/LocaleFormats.h"
#include "events/AgentAnnouncer.h"
#include "events/EventActions.h"
#include "events/EventList.h"
#include "events/EventStorage.h"
#include "events/Scheduler.h"
#include "platform/Clock.h"
#include "platform/MediaPlayer.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <QIcon>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class FixedClock final : public platform::Clock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 2), QTime(14, 0, 0)); }
};

class SilentBoxes final : public platform::MessageBoxes
{
public:
    void error(const QString&) override {}
    void warning(const QString&) override {}
    void information(const QString&, const QString&) override {}
    Answer question(const QString&, bool) override { return Answer::No; }
};

class NoShell final : public platform::Shell
{
public:
    bool openUrl(const QUrl&) override { return false; }
    void runFile(const QString&, const QString&, int, platform::RunFailed) override {}
    QIcon associatedIcon(const QString&) override { return {}; }
};

class NoMedia final : public platform::MediaPlayer
{
public:
    void play(const QString&, std::function<void(const QString&)>) override {}
    void close() override {}
};

const core::LocaleFormats kLocale(QLocale(QLocale::English, QLocale::UnitedStates));

// A mixed list: one-time, hourly, daily and weekday events, all active, none due at 14:00:00.
std::vector<events::EventRecord> mixedEvents(int count)
{
    const char* const kinds[] = {"One Time", "Hourly", "Daily", "Weekday"};
    std::vector<events::EventRecord> rows;
    for (int i = 0; i < count; ++i) {
        events::EventRecord r;
        r.Name = QStringLiteral("Event %1").arg(i);
        const int kind = i % 4;
        r.text(events::ScheduleName) = QString::fromLatin1(kinds[kind]);
        r.text(events::DayDate) = kind == 0   ? core::formatDateText(QDate(2026, 3, 2), kLocale)
                                  : kind == 3 ? QStringLiteral("Monday")
                                              : QString();
        r.text(events::TimeText) = kind == 1 ? QStringLiteral("xx:%1:30").arg(i % 60, 2, 10, QLatin1Char('0'))
                                             : core::formatTimeText(QTime(i % 24, (i * 7) % 60, 30), kLocale);
        r.text(events::TypeName) = QStringLiteral("Message Box");
        r.text(events::FolderText) = QStringLiteral("Reminder");
        r.text(events::FileText) = QStringLiteral("Something to remember, number %1").arg(i);
        r.Active = true;
        rows.push_back(r);
    }
    return rows;
}

void BM_ScanOf1000Events(benchmark::State& state)
{
    events::EventList list;
    list.replaceAll(mixedEvents(1000));
    SilentBoxes boxes;
    NoShell shell;
    NoMedia media;
    events::NoAgent agent;
    events::EventActions actions({boxes, shell, media, agent, {}});
    events::Scheduler scheduler(list, kLocale, actions, boxes, {});
    const QDateTime start = FixedClock().now();
    // One new second each time, none of them one where an event is due (all are at second 30);
    // after second 29 the clock goes back to second 1, which costs a scan like any other.
    int second = 0;
    for (auto _ : state) {
        second = second % 29 + 1;
        scheduler.RunDueEvents(start.addSecs(second));
    }
}
BENCHMARK(BM_ScanOf1000Events)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoad10000Events(benchmark::State& state, bool save)
{
    QTemporaryDir dir;
    events::EventList list;
    list.replaceAll(mixedEvents(10000));
    SilentBoxes boxes;
    events::EventStorage storage(list, dir.filePath(QStringLiteral("Events.dta")), boxes);
    storage.SaveEvents(true);
    for (auto _ : state) {
        if (save)
            benchmark::DoNotOptimize(storage.SaveEvents(true));
        else
            storage.LoadEvents();
    }
}
BENCHMARK_CAPTURE(BM_SaveAndLoad10000Events, save, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveAndLoad10000Events, load, false)->Unit(benchmark::kMillisecond);

} // namespace
