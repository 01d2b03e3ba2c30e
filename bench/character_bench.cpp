// The costliest characters a file can describe, and the longest message: what each costs the UI
// thread, in time and memory. Each runs once (the slow ones take seconds); the counters are the
// figures: milliseconds on the UI thread, resident memory, rectangles of the window's outline.
#include "character/AcsReader.h"
#include "character/CharacterAnimator.h"
#include "character/CharacterWindow.h"
#include "character/DesktopCharacters.h"
#include "character/FrameComposer.h"
#include "character/WordBalloon.h"

#include "acs/AcsWriter.h"
#include "support/CharacterFixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
    return 0;
}

// Runs the event loop until `done` holds; the longest stretch the loop was held up, in ms.
template <typename Done> qint64 runUntil(Done done, int limitMs)
{
    QElapsedTimer total, step;
    total.start();
    qint64 longest = 0;
    while (!done() && total.elapsed() < limitMs) {
        step.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        longest = std::max(longest, step.elapsed());
    }
    return longest;
}

struct CharacterFile
{
    QTemporaryDir dir;
    QString path;
    explicit CharacterFile(const character::acs::Character& c)
    {
        path = fixtures::writeCharacterFile(dir.path(), "hostile.acs", c);
    }
};

// Loaded as the clock loads its character, then shown: the UI thread's longest stall, and the
// memory held after the load.
void showCharacter(benchmark::State& state, const character::acs::Character& c)
{
    const CharacterFile file(c);
    for (auto _ : state) {
        character::DesktopCharacters service({file.dir.path()}, std::make_unique<character::TimedSpeech>(),
                                             false);
        const double before = residentMegabytes();
        QElapsedTimer load;
        load.start();
        const character::CharacterRequestPtr loading = service.Load("hostile", "hostile.acs");
        state.counters["load_call_ms"] = double(load.elapsed());
        state.counters["load_stall_ms"] = double(runUntil([&] { return loading->finished(); }, 600000));
        state.counters["load_ms"] = double(load.elapsed());
        const bool refused = loading->Status() != character::RequestComplete;
        state.counters["refused"] = refused;
        if (refused)
            continue;
        state.counters["loaded_mb"] = residentMegabytes() - before;
        character::DesktopCharacter& shown = *service.loaded("hostile");
        QElapsedTimer show;
        show.start();
        shown.Show(true);
        const qint64 call = show.elapsed();
        const qint64 stall = runUntil([&] { return !shown.window()->frame().isNull(); }, 600000);
        state.counters["show_call_ms"] = double(call);
        state.counters["first_frame_ms"] = double(show.elapsed());
        state.counters["longest_stall_ms"] = double(std::max(stall, call));
        state.counters["shape_rects"] = shown.window()->shape().rectCount();
        state.counters["shown_mb"] = residentMegabytes() - before;
    }
}

void BM_CheckerboardOutline(benchmark::State& state)
{
    showCharacter(state, fixtures::checkerboardCharacter(int(state.range(0))));
}
BENCHMARK(BM_CheckerboardOutline)->Arg(2048)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_StackedLayers(benchmark::State& state)
{
    showCharacter(state, fixtures::stackedCharacter(128, int(state.range(0))));
}
BENCHMARK(BM_StackedLayers)->Arg(64)->Arg(65535)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ManyLargePictures(benchmark::State& state)
{
    showCharacter(state, fixtures::picturesCharacter(2048, int(state.range(0))));
}
BENCHMARK(BM_ManyLargePictures)->Arg(62)->Iterations(1)->Unit(benchmark::kMillisecond);

// Two large frames of no time looping for ever: the CPU the character takes while it stands.
void BM_LoopOfFramesOfNoTime(benchmark::State& state)
{
    character::acs::Character c = fixtures::picturesCharacter(int(state.range(0)), 2);
    c.animations[0].frames[0].duration = 0;
    c.animations[0].frames[1].duration = 0;
    c.animations[0].frames[1].branches = {{0, 100}};
    const CharacterFile file(c);
    for (auto _ : state) {
        character::DesktopCharacters service({file.dir.path()}, std::make_unique<character::TimedSpeech>(),
                                             false);
        const character::CharacterRequestPtr loading = service.Load("hostile", "hostile.acs");
        runUntil([&] { return loading->finished(); }, 60000);
        character::DesktopCharacter& shown = *service.loaded("hostile");
        shown.Show(true);
        shown.animator()->play(&shown.data()->animations[0]);
        const std::clock_t before = std::clock();
        QElapsedTimer wall;
        wall.start();
        QEventLoop standing;
        QTimer::singleShot(5000, &standing, &QEventLoop::quit);
        standing.exec();
        state.counters["cpu_percent"] = 100.0 * double(std::clock() - before) / CLOCKS_PER_SEC /
                                        (double(wall.elapsed()) / 1000.0);
    }
}
BENCHMARK(BM_LoopOfFramesOfNoTime)->Arg(128)->Arg(2048)->Iterations(1)->Unit(benchmark::kMillisecond);

// The state that lists 20,000 animations, looked up as an idle pick does.
void BM_IdlePickAmong(benchmark::State& state)
{
    character::acs::Character c = fixtures::smallCharacter();
    character::acs::StateInfo idling{QStringLiteral("IdlingLevel1"), {}};
    for (int i = 0; i < state.range(0); ++i) {
        character::acs::Animation a = c.animations[2];
        a.name = QStringLiteral("Idle%1").arg(i);
        c.animations.push_back(a);
        idling.animations << a.name;
    }
    c.states.push_back(idling);
    const character::acs::Character read = character::acs::readAcs(acswriter::writeAcs(c));
    for (auto _ : state)
        benchmark::DoNotOptimize(read.stateAnimations(QStringLiteral("IdlingLevel1")).size());
}
BENCHMARK(BM_IdlePickAmong)->Arg(20000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The longest message an event holds, spoken by espeak-ng: the time until the first word shows,
// and the memory kept once the character has been sent away.
void BM_FirstWordOfALongMessage(benchmark::State& state)
{
    const CharacterFile file(fixtures::smallCharacter());
    QString text;
    while (text.size() < state.range(0))
        text += QStringLiteral("The meeting with the team starts in the big room at ten. ");
    text.truncate(state.range(0));
    for (auto _ : state) {
        character::DesktopCharacters service({file.dir.path()}, std::make_unique<character::EspeakSpeech>(),
                                             false);
        const character::CharacterRequestPtr loading = service.Load("hostile", "hostile.acs");
        runUntil([&] { return loading->finished(); }, 60000);
        character::DesktopCharacter& c = *service.loaded("hostile");
        c.Show(true);
        const double before = residentMegabytes();
        QElapsedTimer first;
        first.start();
        c.Speak(text, QString());
        const qint64 stall = runUntil([&] { return !c.balloon()->shownText().isEmpty(); }, 60000);
        state.counters["first_word_ms"] = double(first.elapsed());
        state.counters["longest_stall_ms"] = double(stall);
        state.counters["balloon_height"] = c.balloon()->height();
        runUntil([] { return false; }, 2000);
        state.counters["speaking_mb"] = residentMegabytes() - before;
        c.StopAll(QString());
        c.Hide(true);
        runUntil([] { return false; }, 500);
        state.counters["after_hide_mb"] = residentMegabytes() - before;
    }
}
BENCHMARK(BM_FirstWordOfALongMessage)->Arg(32767)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
