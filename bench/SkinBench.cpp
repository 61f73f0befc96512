// Hover and full skin drawing on a 1920 x 1080 window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "BenchForm.h"
#include "Targets.h"
#include "support/TMainFormProbe.h"

namespace {

constexpr int kSamples = 41;

// Pointer moves between the tool button Item_Cut and the item button "brother": every
// move draws the 23 looks (one active) and writes the button's hint.
void BM_HoverToolButton(benchmark::State& state) {
    BenchForm bench(1920, 1080);
    TMainForm& form = bench.Form();
    Probe(form).Skin().DrawBack();
    std::vector<double> moves;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            const QPoint at = i % 2 ? QPoint(65, 155) : QPoint(395, 95);
            moves.push_back(
                Targets::TimeMs([&] { Probe(form).Frame().FormMouseMove(at.x(), at.y()); }));
        }
        state.SetIterationTime(Targets::Median(moves) / 1000);
    }
    if (Probe(form).Skin().HintText.isEmpty()) state.SkipWithError("no hint shown");
    // The raw cost: copying a 1920 x 1080 picture once.
    QImage source(1920, 1080, QImage::Format_ARGB32_Premultiplied),
        target(source.size(), source.format());
    source.fill(Qt::gray);
    std::vector<double> copies;
    for (int i = 0; i < kSamples; ++i)
        copies.push_back(Targets::TimeMs([&] { QPainter(&target).drawImage(0, 0, source); }));
    Targets::Report(state,
                    {QStringLiteral("pointer move over a tool button"), Targets::Median(moves),
                     QStringLiteral("ms"), QStringLiteral("<= 2 ms"), 2, Targets::Median(copies),
                     QStringLiteral("copy one 1920 x 1080 picture")});
}
BENCHMARK(BM_HoverToolButton)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_DrawBack(benchmark::State& state) {
    BenchForm bench(1920, 1080);
    TMainForm& form = bench.Form();
    std::vector<double> draws;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i)
            draws.push_back(Targets::TimeMs([&] { Probe(form).Skin().DrawBack(); }));
        state.SetIterationTime(Targets::Median(draws) / 1000);
    }
    if (Probe(form).Skin().Surface().size() != QSize(1920, 1080))
        state.SkipWithError("the surface is not 1920 x 1080");
    QImage source(1920, 1080, QImage::Format_ARGB32_Premultiplied),
        target(source.size(), source.format());
    source.fill(Qt::gray);
    std::vector<double> copies;
    for (int i = 0; i < kSamples; ++i)
        copies.push_back(Targets::TimeMs([&] { QPainter(&target).drawImage(0, 0, source); }));
    Targets::Report(state,
                    {QStringLiteral("full skin drawing 1920 x 1080"), Targets::Median(draws),
                     QStringLiteral("ms"), QStringLiteral("<= 15 ms"), 15, Targets::Median(copies),
                     QStringLiteral("copy one 1920 x 1080 picture")});
}
BENCHMARK(BM_DrawBack)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
