#pragma once

#include <benchmark/benchmark.h>

#include <QString>
#include <functional>
#include <vector>

// The figures of the benchmarks with their targets and the baselines measured in the
// same run, collected for the summary printed after all benchmarks ran.
namespace Targets {

struct Figure {
    QString name;
    double value = 0;      // the figure, in `unit`
    QString unit;          // "ms" or "MB"
    QString targetText;    // how the target reads, e.g. "<= 1.5 x baseline"
    double target = 0;     // the figure must not exceed this, in `unit`
    double baseline = 0;   // the baseline figure in `unit`, 0 when there is none
    QString baselineText;  // what the baseline is
};

// Records a figure and shows it, its target and its ratio as counters of the
// benchmark's output line: "figure", "target", "base" (when measured), "x_base"
// (figure / baseline) and "ok" (1 when the target is met).
void Report(benchmark::State& state, const Figure& figure);

// The median of samples.
double Median(std::vector<double> samples);

// Milliseconds one call of work takes.
double TimeMs(const std::function<void()>& work);

// Prints every recorded figure with its target and ratio; returns whether all met
// their targets.
bool PrintSummary();

}  // namespace Targets
