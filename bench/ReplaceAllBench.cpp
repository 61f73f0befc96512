#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextDocument>

#include "Targets.h"
#include "ui/TEditorCommands.h"
#include "ui/TTextSearch.h"

namespace {

// 100,000 lines of 100 characters, each holding one occurrence: 10 million characters.
const QString& LargeText() {
    static const QString text = [] {
        const QString line = QString(93, u'x') + QStringLiteral("needle") + u'\n';
        QString result;
        result.reserve(100'000 * line.size());
        for (int i = 0; i < 100'000; ++i) result += line;
        return result;
    }();
    return text;
}

// The plain rule: finding the occurrences and building the replaced text.
void BM_TextSearchReplaceAll(benchmark::State& state) {
    const QString& text = LargeText();
    for (auto _ : state) {
        auto result = TTextSearch::ReplaceAll(text, TTextSelection{}, u"needle", u"pin");
        benchmark::DoNotOptimize(result);
        if (result.count != 100'000) state.SkipWithError("wrong count");
    }
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_TextSearchReplaceAll)->Unit(benchmark::kMillisecond);

// The whole command as the user starts it: a shown editor, replace all, the repaint.
void BM_EditorReplaceAll(benchmark::State& state) {
    QWidget window;
    auto* editor = new QPlainTextEdit(&window);
    window.resize(800, 600);
    editor->resize(800, 600);
    TEditorCommands commands(&window, editor);
    window.show();
    std::vector<double> samples, plain;
    for (auto _ : state) {
        state.PauseTiming();
        editor->setPlainText(LargeText());
        QApplication::processEvents();
        state.ResumeTiming();

        qsizetype count = 0;
        samples.push_back(Targets::TimeMs([&] {
            count = commands.ReplaceAll(QStringLiteral("needle"), QStringLiteral("pin"));
            QApplication::processEvents();
        }));

        if (count != 100'000) state.SkipWithError("wrong count");
        state.PauseTiming();
        plain.push_back(Targets::TimeMs([&] {
            auto result = TTextSearch::ReplaceAll(LargeText(), TTextSelection{}, u"needle", u"pin");
            benchmark::DoNotOptimize(result);
        }));
        state.ResumeTiming();
    }
    Targets::Report(
        state, {QStringLiteral("replace all, 100,000 in 10 MB"), Targets::Median(samples),
                QStringLiteral("ms"), QStringLiteral("<= 1000 ms"), 1000, Targets::Median(plain),
                QStringLiteral("the plain replace of the same text (TTextSearch)")});
}
BENCHMARK(BM_EditorReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
