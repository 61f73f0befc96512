// Finding a word across the whole generated 10,000-item, 20 MB outline (every label
// and every item text file), against the raw cost of reading the item files alone.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "document/TItemTextStore.h"
#include "ui/TOutlineSearch.h"

namespace {

constexpr int kSamples = 11;
const QString kRareWord = QStringLiteral("ぬばたまの");  // only the last item holds it

void BM_SearchWholeOutline(benchmark::State& state) {
    QTemporaryDir data;
    const QString dataDir = data.path() + QLatin1Char('/');
    const TItemTextStore store(dataDir);
    const TOutlineSearch::TSnapshot snapshot = OpenGeneratedOutline(store);
    const int last = snapshot.items.back().itemNumber;
    store.Store(last, store.Load(last) + u'\n' + kRareWord);

    std::vector<std::string> paths;
    for (const auto& item : snapshot.items)
        paths.push_back(QFile::encodeName(store.Path(item.itemNumber)).toStdString());

    const std::atomic<bool> running{false};
    std::vector<double> exact, folded, reading;
    TOutlineSearch::TResult result;
    for (auto _ : state) {
        for (int i = -1; i < kSamples; ++i) {  // the first round warms up
            const double exactMs = Targets::TimeMs([&] {
                result = TOutlineSearch::Run(snapshot, TTextMatcher(kRareWord, {}), running);
            });
            const double foldedMs = Targets::TimeMs([&] {
                benchmark::DoNotOptimize(
                    TOutlineSearch::Run(snapshot, TTextMatcher(kRareWord, {true, true}), running)
                        .matchCount);
            });
            const double readingMs = Targets::TimeMs([&] {
                qsizetype bytes = 0;
                for (const std::string& path : paths) bytes += PosixFiles::Read(path).size();
                benchmark::DoNotOptimize(bytes);
            });
            if (i < 0) continue;
            exact.push_back(exactMs);
            folded.push_back(foldedMs);
            reading.push_back(readingMs);
        }
        state.SetIterationTime(Targets::Median(exact) / 1000);
    }
    if (result.hits.size() != 1 || result.hits[0].itemNumber != last)
        state.SkipWithError("the word was not found in the last item alone");
    state.counters["exact_ms"] = Targets::Median(exact);
    const double base = Targets::Median(reading);
    const QString baseline = QStringLiteral("read the 10,000 item files (POSIX)");
    Targets::Report(state, {QStringLiteral("find in the whole outline, 10,000 items / 20 MB"),
                            Targets::Median(exact), QStringLiteral("ms"),
                            QStringLiteral("<= 150 ms"), 150, base, baseline});
    Targets::Report(state,
                    {QStringLiteral("the same, ignoring case and width"), Targets::Median(folded),
                     QStringLiteral("ms"), QStringLiteral("<= 150 ms"), 150, base, baseline});
}
BENCHMARK(BM_SearchWholeOutline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
