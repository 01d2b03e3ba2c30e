// The benchmarks' common main: a headless application object (fonts and zones need one; a
// widget application where a benchmark makes widgets), then Google Benchmark.
#include <benchmark/benchmark.h>
#ifdef VESKEL_BENCH_WIDGETS
#include <QApplication>
using Application = QApplication;
#else
#include <QGuiApplication>
using Application = QGuiApplication;
#endif

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
