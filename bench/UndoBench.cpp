// Taking back 1,000 outline changes (adds, child adds and the four moves of randomly
// chosen items) on the generated 10,000-item outline, every text in its file.
#include <benchmark/benchmark.h>

#include <QRandomGenerator>
#include <QTemporaryDir>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "document/TOutlineItemModel.h"
#include "support/TMainFormProbe.h"

namespace {

constexpr int kChanges = 1000;

// Every item's depth, label and number, in order.
QList<QString> Shape(const TOutline& outline) {
    QList<QString> shape;
    outline.ForEach([&](TOutlineItem* item) {
        int depth = 0;
        for (const TOutlineItem* p = item->Parent(); p != outline.Root(); p = p->Parent()) ++depth;
        shape << QStringLiteral("%1 %2 %3").arg(depth).arg(item->Label).arg(item->ItemNumber);
    });
    return shape;
}

void Change(TMainForm& form, QRandomGenerator& random) {
    const TOutline& outline = form.TreeModel->Outline();
    const int index = static_cast<int>(random.bounded(static_cast<quint32>(outline.Count())));
    Probe(form).Texts().SelectItem(outline.ItemAt(index));
    TItemCommands& items = Probe(form).Items();
    switch (random.bounded(6)) {
        case 0: items.AddItem(); break;
        case 1: items.AddChildItem(); break;
        case 2: items.MoveUpItem(); break;
        case 3: items.MoveDownItem(); break;
        case 4: items.MoveLeftItem(); break;
        default: items.MoveRightItem(); break;
    }
}

void BM_UndoThousandChanges(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    bench.LoadGeneratedOutline();
    const QList<QString> opened = Shape(form.TreeModel->Outline());
    QRandomGenerator random(20261207u);
    double undoMs = 0;
    double changeMs = 0;
    for (auto _ : state) {
        changeMs = Targets::TimeMs([&] {
            while (Probe(form).Session().History.UndoCount() < kChanges) Change(form, random);
        });
        undoMs = Targets::TimeMs([&] {
            for (int i = 0; i < kChanges; ++i) Probe(form).Items().Undo();
        });
        state.SetIterationTime(undoMs / 1000);
    }
    if (Shape(form.TreeModel->Outline()) != opened)
        state.SkipWithError("the undone outline is not the opened one");
    Probe(form).Session().Modified = false;
    Targets::Report(state, {QStringLiteral("undo 1,000 outline changes, 10,000 items"), undoMs,
                            QStringLiteral("ms"), QStringLiteral("<= 1000 ms"), 1000, changeMs,
                            QStringLiteral("make the 1,000 changes (selecting each item first)")});
}
BENCHMARK(BM_UndoThousandChanges)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
