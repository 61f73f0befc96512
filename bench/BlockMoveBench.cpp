// Moving every top-level item of the generated 10,000-item outline but the last down one
// step as blocks (the last one then stands first), and taking the move back, each until
// the outline is laid out and painted again.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "app/TItemCommands.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "support/TMainFormProbe.h"

namespace {

void BM_MoveTopLevelBlocks(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    bench.LoadGeneratedOutline();
    QApplication::processEvents();
    const TOutlineItem* root = form.TreeModel->Outline().Root();
    std::vector<TOutlineItem*> tops;
    for (int row = 0; row + 1 < root->ChildCount(); ++row) tops.push_back(root->Child(row));
    const TOutlineItem* last = root->Child(root->ChildCount() - 1);
    double moveMs = 0, undoMs = 0, selectMs = 0;
    for (auto _ : state) {
        selectMs = bench.ShownMs([&] { Probe(form).Texts().SelectItems(tops, tops.front()); });
        moveMs = bench.ShownMs([&] { Probe(form).Items().MoveDownItem(); });
        if (root->Child(0) != last) state.SkipWithError("the blocks did not move");
        undoMs = bench.ShownMs([&] { Probe(form).Items().Undo(); });
        if (root->Child(root->ChildCount() - 1) != last) state.SkipWithError("undo failed");
        state.SetIterationTime((moveMs + undoMs) / 1000);
    }
    Probe(form).Session().Modified = false;
    const QString blocks = QString::number(tops.size());
    Targets::Report(
        state, {QStringLiteral("move %1 top-level items down, 10,000 items").arg(blocks), moveMs,
                QStringLiteral("ms"), QStringLiteral("<= 100 ms"), 100, selectMs,
                QStringLiteral("selecting them")});
    Targets::Report(state, {QStringLiteral("undo that move"), undoMs, QStringLiteral("ms"),
                            QStringLiteral("<= 100 ms"), 100, moveMs, QStringLiteral("the move")});
}
BENCHMARK(BM_MoveTopLevelBlocks)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
