// Copying 5,000 items of the generated 10,000-item document to the clipboard and pasting
// them again, through the commands; and the parts of it that need no window: reading the
// items with their texts, each of the three clipboard forms and reading the own form back.
#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "app/TItemClipboardCommands.h"
#include "document/TOutlineItemModel.h"
#include "interchange/TItemClip.h"
#include "support/TMainFormProbe.h"

namespace {

constexpr int kSamples = 3;
constexpr int kCopiedItems = 5000;

// Top-level items from the first on, until they hold at least kCopiedItems items.
std::vector<TOutlineItem*> FirstBlocks(const TOutline& outline, int* count) {
    std::vector<TOutlineItem*> blocks;
    *count = 0;
    for (int row = 0; row < outline.Root()->ChildCount() && *count < kCopiedItems; ++row) {
        blocks.push_back(outline.Root()->Child(row));
        *count += blocks.back()->SubtreeSize();
    }
    return blocks;
}

void BM_CopyAndPasteItems(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    bench.LoadGeneratedOutline();
    TDocumentSession& session = Probe(form).Session();
    const TOutline& outline = form.TreeModel->Outline();
    int copied = 0;
    const std::vector<TOutlineItem*> blocks = FirstBlocks(outline, &copied);
    const int count = outline.Count();

    std::vector<double> copies, pastes, totals, reads, owns, texts, opmls, decodes;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            Probe(form).Texts().SelectItems(blocks, blocks.front());
            copies.push_back(Targets::TimeMs([&] { Probe(form).Clipboard().Copy(); }));
            Probe(form).Texts().SelectItem(outline.ItemAt(outline.Count() - 1));
            pastes.push_back(Targets::TimeMs([&] { Probe(form).Clipboard().Paste(); }));
            totals.push_back(copies.back() + pastes.back());
            if (outline.Count() != count + copied) state.SkipWithError("wrong item count");
            session.Store.FinishWriting();  // the next sample starts on a quiet machine
            Probe(form).Items().Undo();

            TItemClip clip;
            reads.push_back(Targets::TimeMs([&] {
                clip = TItemClip::FromBlocks(blocks, [&](const TOutlineItem& item) {
                    return session.Store.Load(item.ItemNumber);
                });
            }));
            QByteArray own;
            owns.push_back(Targets::TimeMs([&] { own = clip.Encode(); }));
            texts.push_back(Targets::TimeMs([&] { benchmark::DoNotOptimize(clip.PlainText()); }));
            opmls.push_back(Targets::TimeMs([&] { benchmark::DoNotOptimize(clip.Opml()); }));
            decodes.push_back(
                Targets::TimeMs([&] { benchmark::DoNotOptimize(TItemClip::Decode(own)); }));
        }
        state.SetIterationTime(Targets::Median(totals) / 1000);
    }
    session.Modified = false;
    state.counters["items"] = copied;
    state.counters["copy_ms"] = Targets::Median(copies);
    state.counters["paste_ms"] = Targets::Median(pastes);
    state.counters["read_ms"] = Targets::Median(reads);
    state.counters["own_ms"] = Targets::Median(owns);
    state.counters["text_ms"] = Targets::Median(texts);
    state.counters["opml_ms"] = Targets::Median(opmls);
    state.counters["decode_ms"] = Targets::Median(decodes);
    Targets::Report(state, {QStringLiteral("copy and paste 5,000 items, 10,000-item document"),
                            Targets::Median(totals), QStringLiteral("ms"),
                            QStringLiteral("<= 1000 ms"), 1000, 0, QString()});
}
BENCHMARK(BM_CopyAndPasteItems)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
