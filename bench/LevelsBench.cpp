// Expanding and collapsing every item of the generated 10,000-item outline through their
// commands, and taking the collapse back, each until the outline is laid out and painted
// again; against Qt's own QTreeView::expandAll() and collapseAll() on the same view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "app/TOutlineCommands.h"
#include "app/TOutlineView.h"
#include "support/TMainFormProbe.h"

namespace {

void BM_ExpandAndCollapseAll(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    bench.LoadGeneratedOutline();
    QApplication::processEvents();
    TOutlineCommands& commands = Probe(form).OutlineCommands();
    double expandMs = 0, collapseMs = 0, qtExpandMs = 0, qtCollapseMs = 0, undoMs = 0;
    for (auto _ : state) {
        qtExpandMs = bench.ShownMs([&] { form.Tree->expandAll(); });
        qtCollapseMs = bench.ShownMs([&] { form.Tree->collapseAll(); });
        expandMs = bench.ShownMs([&] { commands.ExpandAll(); });
        collapseMs = bench.ShownMs([&] { commands.CollapseAll(); });
        undoMs = bench.ShownMs([&] { Probe(form).Items().Undo(); });  // expands all again
        Probe(form).Items().Undo();
        state.SetIterationTime((expandMs + collapseMs) / 1000);
    }
    int expanded = 0;
    form.TreeModel->Outline().ForEach([&](TOutlineItem* item) { expanded += item->Expanded(); });
    if (expanded != 0) state.SkipWithError("items are still expanded");
    Probe(form).Session().Modified = false;
    Targets::Report(state, {QStringLiteral("expand all, 10,000 items"), expandMs,
                            QStringLiteral("ms"), QStringLiteral("<= 100 ms"), 100, qtExpandMs,
                            QStringLiteral("QTreeView::expandAll() on the same view")});
    Targets::Report(state, {QStringLiteral("collapse all, 10,000 items"), collapseMs,
                            QStringLiteral("ms"), QStringLiteral("<= 100 ms"), 100, qtCollapseMs,
                            QStringLiteral("QTreeView::collapseAll() on the same view")});
    Targets::Report(
        state, {QStringLiteral("undo collapse all, 10,000 items"), undoMs, QStringLiteral("ms"),
                QStringLiteral("<= 100 ms"), 100, expandMs, QStringLiteral("expand all")});
}
BENCHMARK(BM_ExpandAndCollapseAll)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
