// Vertical writing: laying out a 160,000-character item (400 pages of 20 x 20), drawing a
// page when the user turns to it, and a keystroke with the "縦書きプレビュー" window open
// (the item laid out again and its page drawn), and the pages written as a PDF.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "Targets.h"
#include "app/TOutlineVertical.h"
#include "support/TMainFormProbe.h"
#include "typeset/TVerticalPainter.h"
#include "ui/TVerticalPreview.h"
#include "ui/TVerticalPrint.h"

namespace {

constexpr int kSamples = 11;

// A novel's text with ruby, emphasis, numbers set across the line and Latin words,
// `characters` long.
QString Novel(qsizetype characters) {
    const QStringList sentences = {
        QStringLiteral("「ねえ、本当に行くの!?」"),
        QStringLiteral("姉はそう言って、｜窓《まど》の外を見た。"),
        QStringLiteral("雨はまだ止まない。"),
        QStringLiteral("第12話で、僕はコーヒーを一口飲み、ちょっとだけ笑った。"),
        QStringLiteral("――それから、三年が経った。"),
        QStringLiteral("『約束』という言葉を、彼女は《《何度も》》繰り返した。"),
        QStringLiteral("佐々木《ささき》さんは Qt の本を読んでいる。"),
    };
    return ProseOf(sentences, characters);
}

// The median time of work over kSamples runs after one to warm up.
double MedianMs(const std::function<void()>& work) {
    std::vector<double> samples;
    for (int i = -1; i < kSamples; ++i) {
        const double ms = Targets::TimeMs(work);
        if (i >= 0) samples.push_back(ms);
    }
    return Targets::Median(samples);
}

TVerticalStyle Mincho() {
    TVerticalStyle style;
    style.font = QFont(QStringLiteral("IPAMincho"));
    return style;
}

void BM_LayOutALongItemVertically(benchmark::State& state) {
    const QString text = Novel(160000);
    int pages = 0;
    double ms = 0;
    for (auto _ : state) {
        ms = MedianMs([&] { pages = TVerticalText(text, {}).Pages(); });
        state.SetIterationTime(ms / 1000);
    }
    state.counters["pages"] = pages;
    Targets::Report(state, {QStringLiteral("lay out a 160,000-character item vertically"), ms,
                            QStringLiteral("ms"), QStringLiteral("<= 100 ms"), 100, 0, QString()});
}
BENCHMARK(BM_LayOutALongItemVertically)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

void BM_TurnAVerticalPage(benchmark::State& state) {
    TVerticalPages pages;
    pages.Add(QStringLiteral("第一章"), Novel(160000));
    const TVerticalPainter painter(pages, Mincho());
    QImage image(560, 760, QImage::Format_ARGB32_Premultiplied);
    int page = 0;
    double ms = 0;
    for (auto _ : state) {
        ms = MedianMs([&] {
            QPainter on(&image);
            on.setRenderHint(QPainter::Antialiasing);
            painter.Paint(on, QRectF(image.rect()), page++ % pages.Count());
        });
        state.SetIterationTime(ms / 1000);
    }
    Targets::Report(state, {QStringLiteral("draw a vertical page (turning a page)"), ms,
                            QStringLiteral("ms"), QStringLiteral("<= 16 ms"), 16, 0, QString()});
}
BENCHMARK(BM_TurnAVerticalPage)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// A character typed in the middle of an item of `characters`, the item laid out again
// (its edited paragraph) and the shown page drawn.
void BM_KeystrokeWithTheVerticalPreview(benchmark::State& state) {
    const auto characters = static_cast<qsizetype>(state.range(0));
    QString text = Novel(characters);
    TVerticalPreview preview;
    preview.Show({{QStringLiteral("第一章"), text}}, 0, {});
    const TVerticalStyle style = Mincho();
    QImage image(560, 760, QImage::Format_ARGB32_Premultiplied);
    qsizetype caret = text.size() / 2;
    double ms = 0;
    for (auto _ : state) {
        ms = MedianMs([&] {
            text.insert(caret++, u'あ');
            preview.EditorChanged(text, caret);
            QPainter on(&image);
            TVerticalPainter(preview.Pages(), style)
                .Paint(on, QRectF(image.rect()), preview.Page(), preview.Marked());
        });
        state.SetIterationTime(ms / 1000);
    }
    Targets::Report(
        state, {QStringLiteral("keystroke in a %L1-character item, preview open").arg(characters),
                ms, QStringLiteral("ms"), QStringLiteral("<= 16 ms"), 16, 0, QString()});
}
BENCHMARK(BM_KeystrokeWithTheVerticalPreview)
    ->Arg(20000)
    ->Arg(160000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

// One key typed into the editor, with everything the program does for it (the counts, the
// recovery record, the preview laid out again), and the window drawn: ms.
double TypeKey(TMainForm& form, QWidget* preview) {
    return Targets::TimeMs([&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(form.Editor->viewport(), &press);
        QApplication::sendEvent(form.Editor->viewport(), &release);
        QApplication::processEvents();
        form.Editor->viewport()->repaint();
        if (preview) preview->repaint();
    });
}

// The same keystroke in the window, as the user feels it: typed into the editor holding a
// 160,000-character item, the preview open, against the same keystroke without it.
void BM_KeystrokeInTheWindowWithTheVerticalPreview(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    form.Editor->setPlainText(Novel(160000));
    QTextDocument& document = *form.Editor->document();
    form.Editor->setTextCursor(QTextCursor(document.findBlockByNumber(document.blockCount() / 2)));
    form.Editor->setFocus();
    std::vector<double> withPreview, without;
    for (auto _ : state) {
        for (int i = -1; i < kSamples; ++i) {
            const double ms = TypeKey(form, nullptr);
            if (i >= 0) without.push_back(ms);
        }
        Probe(form).OutlineVertical().Show();
        for (int i = -1; i < kSamples; ++i) {
            const double ms = TypeKey(form, Probe(form).OutlineVertical().Window());
            if (i >= 0) withPreview.push_back(ms);
        }
        state.SetIterationTime(Targets::Median(withPreview) / 1000);
    }
    state.counters["slowest_ms"] = *std::max_element(withPreview.begin(), withPreview.end());
    Targets::Report(
        state, {QStringLiteral("keystroke in the window, 160,000-character item, preview open"),
                Targets::Median(withPreview), QStringLiteral("ms"), QStringLiteral("<= 16 ms"), 16,
                Targets::Median(without), QStringLiteral("the same keystroke, preview closed")});
}
BENCHMARK(BM_KeystrokeInTheWindowWithTheVerticalPreview)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

// 400 vertical pages written as a PDF, as the window's "PDF…" does on its painting thread
// (the novel's paragraph ends leave lines part empty: 400 pages take some 166,000
// characters).
void BM_VerticalPdf(benchmark::State& state) {
    TVerticalPages pages;
    pages.Add(QStringLiteral("第一章"), Novel(166000));
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/vertical.pdf");
    double ms = 0;
    for (auto _ : state) {
        ms = Targets::TimeMs([&] { TVerticalPrint::WritePdf(path, pages, Mincho()); });
        state.SetIterationTime(ms / 1000);
    }
    state.counters["pages"] = pages.Count();
    Targets::Report(state,
                    {QStringLiteral("write %1 vertical pages as a PDF").arg(pages.Count()), ms,
                     QStringLiteral("ms"), QStringLiteral("<= 10 s"), 10000, 0, QString()});
}
BENCHMARK(BM_VerticalPdf)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
