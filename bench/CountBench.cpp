// Counting characters and manuscript pages: the layout engine on a million characters,
// the whole generated 10,000-item, 20 MB outline counted from its item files (as the
// "文字数" window does off the user-interface thread), and the recount after a keystroke
// in a 1 MB item (what the user-interface thread does while the user types).
#include <benchmark/benchmark.h>

#include <QPlainTextDocumentLayout>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include "OutlineGenerator.h"
#include "Targets.h"
#include "document/TItemTextStore.h"
#include "layout/TLineLayout.h"
#include "ui/TDocumentCounting.h"
#include "ui/TOutlineCounting.h"

namespace {

constexpr int kSamples = 11;

// Prose as a novel has it: paragraphs of 10 to 300 characters with punctuation, brackets,
// small kana and long vowels, about `characters` in all.
QString Prose(qsizetype characters) {
    const QStringList sentences = {
        QStringLiteral("「ねえ、本当に行くの？」"),
        QStringLiteral("姉はそう言って、窓の外を見た。"),
        QStringLiteral("雨はまだ止まない。"),
        QStringLiteral("遠くで電車の音がして、それが消えると、部屋はすっかり静かになった。"),
        QStringLiteral("僕はコーヒーを一口飲み、ちょっとだけ笑った。"),
        QStringLiteral("――それから、三年が経った。"),
        QStringLiteral("『約束』という言葉を、彼女は何度も繰り返した。"),
    };
    return ProseOf(sentences, characters);
}

void BM_LayOutAMillionCharacters(benchmark::State& state) {
    const QString text = Prose(1000000);
    std::vector<double> samples;
    TTextCounts counts;
    for (auto _ : state) {
        for (int i = -1; i < kSamples; ++i) {
            const double ms = Targets::TimeMs([&] { counts = TLineLayout().Count(text); });
            if (i >= 0) samples.push_back(ms);
        }
        state.SetIterationTime(Targets::Median(samples) / 1000);
    }
    state.counters["pages"] = static_cast<double>(counts.Pages(20));
    Targets::Report(
        state, {QStringLiteral("lay out 1,000,000 characters on 20 x 20"), Targets::Median(samples),
                QStringLiteral("ms"), QStringLiteral("<= 100 ms"), 100, 0, QString()});
}
BENCHMARK(BM_LayOutAMillionCharacters)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

void BM_CountWholeOutline(benchmark::State& state) {
    QTemporaryDir data;
    const TItemTextStore store(data.path() + QLatin1Char('/'));
    const TOutlineSearch::TSnapshot snapshot = OpenGeneratedOutline(store);

    const std::atomic<bool> running{false};
    std::vector<double> samples;
    qint64 characters = 0;
    for (auto _ : state) {
        for (int i = -1; i < kSamples; ++i) {
            const double ms = Targets::TimeMs([&] {
                const std::optional<std::vector<TTextCounts>> all =
                    TOutlineCounting::Run(snapshot, {}, running);
                characters = 0;
                for (const TTextCounts& counts : *all) characters += counts.characters;
            });
            if (i >= 0) samples.push_back(ms);
        }
        state.SetIterationTime(Targets::Median(samples) / 1000);
    }
    state.counters["characters"] = static_cast<double>(characters);
    Targets::Report(state, {QStringLiteral("count the whole outline, 10,000 items / 20 MB"),
                            Targets::Median(samples), QStringLiteral("ms"),
                            QStringLiteral("<= 300 ms"), 300, 0, QString()});
}
BENCHMARK(BM_CountWholeOutline)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_RecountAfterAKeystroke(benchmark::State& state) {
    // 1 MB in code page 932: half a million two-byte characters.
    QTextDocument document(Prose(500000));
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));  // as the editor's
    TDocumentCounting counting;
    counting.Count(document);  // the window opened: everything laid out once
    QTextCursor cursor(&document);
    std::vector<double> samples;
    for (auto _ : state) {
        for (int i = 0; i < 50; ++i) {
            cursor.setPosition(document.characterCount() / 2 + i);
            cursor.insertText(QStringLiteral("あ"));
            samples.push_back(
                Targets::TimeMs([&] { benchmark::DoNotOptimize(counting.Count(document)); }));
        }
        state.SetIterationTime(Targets::Median(samples) / 1000);
    }
    Targets::Report(state, {QStringLiteral("recount a 1 MB item after a keystroke (UI thread)"),
                            Targets::Median(samples), QStringLiteral("ms"),
                            QStringLiteral("<= 2 ms"), 2, 0, QString()});
}
BENCHMARK(BM_RecountAfterAKeystroke)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
