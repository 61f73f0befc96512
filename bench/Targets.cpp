#include "Targets.h"

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace Targets {
namespace {

std::vector<Figure>& Figures() {
    static std::vector<Figure> figures;
    return figures;
}

}  // namespace

void Report(benchmark::State& state, const Figure& figure) {
    state.counters["figure"] = figure.value;
    state.counters["target"] = figure.target;
    if (figure.baseline > 0) {
        state.counters["base"] = figure.baseline;
        state.counters["x_base"] = figure.value / figure.baseline;
    }
    state.counters["ok"] = figure.value <= figure.target ? 1 : 0;
    state.SetLabel(
        QStringLiteral("%1 %2, target %3")
            .arg(figure.unit,
                 figure.unit == u"MB" ? QStringLiteral("RSS growth") : QStringLiteral("median"),
                 figure.targetText)
            .toStdString());
    auto& figures = Figures();
    figures.erase(std::remove_if(figures.begin(), figures.end(),
                                 [&](const Figure& f) { return f.name == figure.name; }),
                  figures.end());
    figures.push_back(figure);
}

double Median(std::vector<double> samples) {
    if (samples.empty()) return 0;
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double TimeMs(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

bool PrintSummary() {
    bool all = true;
    std::printf("\n%-44s %12s %14s %-34s %10s  %s\n", "figure", "value", "baseline", "target",
                "x baseline", "result");
    for (const Figure& f : Figures()) {
        const bool ok = f.value <= f.target;
        all = all && ok;
        const QString base = f.baseline > 0
                                 ? QStringLiteral("%1 %2").arg(f.baseline, 0, 'f', 2).arg(f.unit)
                                 : QStringLiteral("-");
        const QString ratio =
            f.baseline > 0 ? QString::number(f.value / f.baseline, 'f', 2) : QStringLiteral("-");
        std::printf("%-44s %9.2f %-2s %14s %-34s %10s  %s\n", qPrintable(f.name), f.value,
                    qPrintable(f.unit), qPrintable(base), qPrintable(f.targetText),
                    qPrintable(ratio), ok ? "met" : "MISSED");
        if (!f.baselineText.isEmpty())
            std::printf("    baseline: %s\n", qPrintable(f.baselineText));
    }
    std::fflush(stdout);
    return all;
}

}  // namespace Targets
