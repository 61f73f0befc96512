// Start-up of a whole process on the offscreen platform until the main window's
// first full drawing, against a plain Qt program showing one window.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "BenchForm.h"
#include "Targets.h"

namespace {

// Milliseconds from starting the child to its first paint; -1 when it reported none.
double StartMs(const QString& probe, const QString& folder) {
    const std::map<QByteArray, double> times = ProbeChild(probe, folder, QString(), 30'000);
    return times.contains("painted") ? times.at("painted") : -1;
}

void BM_StartupToFirstDrawing(benchmark::State& state) {
    QTemporaryDir folder;
    BenchForm::PrepareFolder(folder.path() + QLatin1Char('/'));
    std::vector<double> starts, plain;
    for (auto _ : state) {
        for (int i = 0; i < 11; ++i) {
            starts.push_back(StartMs(QStringLiteral("main"), folder.path() + QLatin1Char('/')));
            plain.push_back(StartMs(QStringLiteral("qt"), folder.path() + QLatin1Char('/')));
        }
        state.SetIterationTime(Targets::Median(starts) / 1000);
    }
    if (Targets::Median(starts) < 0) state.SkipWithError("the probe did not paint");
    Targets::Report(state,
                    {QStringLiteral("start-up to first full drawing"), Targets::Median(starts),
                     QStringLiteral("ms"), QStringLiteral("<= 250 ms"), 250, Targets::Median(plain),
                     QStringLiteral("a plain Qt program showing one window")});
}
BENCHMARK(BM_StartupToFirstDrawing)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
