#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>

#include "BenchForm.h"
#include "Targets.h"

// Benchmarks that need widgets run on the offscreen platform unless told otherwise.
// "--probe=..." runs one start-up probe in this child process (see BenchForm.h).
int main(int argc, char** argv) {
    if (argc >= 3 && std::strncmp(argv[1], "--probe=", 8) == 0) return RunProbe(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Every figure with its target and its ratio to the baseline of the same run.
    Targets::PrintSummary();
    return 0;
}
