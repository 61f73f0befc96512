// One item holding a 50 MB text: showing its beginning, then the whole, typing in it,
// leaving it and coming back, each against a bare QPlainTextEdit doing the same; and a
// 200 MB line without a break shown and typed into in a started program, against the same
// start with a one-line document.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>

#include "BenchForm.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "document/TOutline.h"
#include "document/TOutlineItemModel.h"
#include "platform/Cp932Codec.h"
#include "support/TMainFormProbe.h"

namespace {

constexpr qsizetype kHugeBytes = 50 << 20;
constexpr int kKeys = 40;

std::string Std(const QString& path) { return QFile::encodeName(path).toStdString(); }

// A document of two items: the first holds lineCount lines of line, the second "small".
QByteArray TwoItemDocument(const QByteArray& line, qsizetype lineCount) {
    QByteArray document = "qlm oe data form 1.3\r\nTree=2,0=" + QByteArray::number(lineCount) +
                          ",1=1\r\nnil:huge:0\r\nnil:small:0\r\n";
    document.reserve(document.size() + lineCount * (line.size() + 2) + 16);
    for (qsizetype i = 0; i < lineCount; ++i) document += line + "\r\n";
    return document + "small\r\n";
}

double Percentile95(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples.empty() ? 0 : samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
}

// One key typed into editor and drawn, in milliseconds.
double TypeKey(QPlainTextEdit& editor) {
    return Targets::TimeMs([&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        QApplication::sendEvent(editor.viewport(), &press);
        QApplication::sendEvent(editor.viewport(), &release);
        QApplication::processEvents();
        editor.viewport()->repaint();
    });
}

void PlaceCaretInTheMiddle(QPlainTextEdit& editor) {
    QTextCursor caret(editor.document()->findBlockByNumber(editor.document()->blockCount() / 2));
    editor.setTextCursor(caret);
    editor.setFocus();
}

void BM_HugeItemText(benchmark::State& state) {
    const QByteArray line =
        Cp932Codec::Encode(QStringLiteral("長い文章の一行です。ここに本文が続きます。") +
                           QStringLiteral("The quick brown fox jumps over the lazy dog."))
            .bytes;
    const qsizetype lineCount = kHugeBytes / (line.size() + 2);
    QTemporaryDir docs;
    const QString path = docs.path() + QStringLiteral("/huge.qlo");
    PosixFiles::Write(Std(path), TwoItemDocument(line, lineCount));
    const QString text = [&] {
        QString lines = Cp932Codec::Decode(line) + u'\n';
        return lines.repeated(lineCount).chopped(1);
    }();

    double show = 0, ready = 0, bareShow = 0, leave = 0, back = 0, residentMb = 0,
           bareResidentMb = 0;
    std::vector<double> keys, bareKeys;
    for (auto _ : state) {
        {  // the bare editor first, so that its memory is gone before the program's is measured
            QPlainTextEdit bare;
            bare.resize(1200, 900);
            bare.show();
            const long long bareBefore = ResidentKb();
            bareShow = Targets::TimeMs([&] {
                bare.setPlainText(text);
                bare.repaint();
            });
            bareResidentMb = (ResidentKb() - bareBefore) / 1024.0;
            PlaceCaretInTheMiddle(bare);
            for (int i = 0; i < kKeys; ++i) bareKeys.push_back(TypeKey(bare));
        }
        BenchForm bench;
        TMainForm& form = bench.Form();
        const long long before = ResidentKb();
        show = Targets::TimeMs([&] {
            Probe(form).Documents().LoadFile(path);
            QApplication::processEvents();
            form.repaint();
        });
        // The beginning shows at once; the whole text follows as the user reads.
        ready = show + Targets::TimeMs([&] { Probe(form).Texts().FinishShowing(); });
        residentMb = (ResidentKb() - before) / 1024.0;
        PlaceCaretInTheMiddle(*form.Editor);
        for (int i = 0; i < kKeys; ++i) keys.push_back(TypeKey(*form.Editor));
        const TOutline& outline = form.TreeModel->Outline();
        leave = Targets::TimeMs([&] {
            Probe(form).Texts().SelectItem(outline.ItemAt(1));
            QApplication::processEvents();
        });
        back = Targets::TimeMs([&] {
            Probe(form).Texts().SelectItem(outline.ItemAt(0));
            QApplication::processEvents();
            form.repaint();
        });
        if (form.Editor->document()->characterCount() < text.size())
            state.SkipWithError("the editor does not hold the text");
        Probe(form).Session().Modified = false;
        state.SetIterationTime(show / 1000);
    }
    const QString bareText = QStringLiteral("a bare QPlainTextEdit given the same text");
    Targets::Report(state,
                    {QStringLiteral("50 MB item text: first show"), show, QStringLiteral("ms"),
                     QStringLiteral("<= 1000 ms"), 1000, bareShow, bareText});
    Targets::Report(
        state, {QStringLiteral("50 MB item text: whole text editable"), ready, QStringLiteral("ms"),
                QStringLiteral("<= first show + 1.1 x the bare one"), show + bareShow * 1.1,
                bareShow, bareText});
    Targets::Report(state,
                    {QStringLiteral("50 MB item text: a key, 95th percentile"), Percentile95(keys),
                     QStringLiteral("ms"), QStringLiteral("<= 16 ms"), 16, Percentile95(bareKeys),
                     QStringLiteral("a key in a bare QPlainTextEdit")});
    Targets::Report(state, {QStringLiteral("50 MB item text: leaving it, edited"),
                            leave,
                            QStringLiteral("ms"),
                            QStringLiteral("<= 500 ms"),
                            500,
                            0,
                            {}});
    Targets::Report(state,
                    {QStringLiteral("50 MB item text: returning to it"), back, QStringLiteral("ms"),
                     QStringLiteral("<= 500 ms"), 500, bareShow, bareText});
    Targets::Report(state,
                    {QStringLiteral("50 MB item text: resident growth"), residentMb,
                     QStringLiteral("MB"), QStringLiteral("<= 3 x the text (150 MB)"), 150,
                     bareResidentMb, QStringLiteral("a bare QPlainTextEdit given the same text")});
}
BENCHMARK(BM_HugeItemText)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_HugeLine(benchmark::State& state) {
    QTemporaryDir folder;
    const QString exeDir = folder.path() + QLatin1Char('/');
    BenchForm::PrepareFolder(exeDir);
    const QString huge = exeDir + QStringLiteral("line.qlo");
    const QString small = exeDir + QStringLiteral("small.qlo");
    PosixFiles::Write(Std(huge), TwoItemDocument(QByteArray(200 << 20, 'x'), 1));
    PosixFiles::Write(Std(small), TwoItemDocument("x", 1));
    constexpr int kLimitMs = 60'000;
    std::map<QByteArray, double> figures, baseline;
    for (auto _ : state) {
        baseline = ProbeChild(QStringLiteral("edit"), exeDir, small, kLimitMs);
        figures = ProbeChild(QStringLiteral("edit"), exeDir, huge, kLimitMs);
        state.SetIterationTime(figures.contains("edited") ? figures["edited"] / 1000
                                                          : kLimitMs / 1000);
    }
    // What never happened counts as the limit.
    const auto ms = [](const std::map<QByteArray, double>& times, const QByteArray& what) {
        return times.contains(what) ? times.at(what) : double(kLimitMs);
    };
    const QString smallText = QStringLiteral("the same start with a one-line document");
    Targets::Report(
        state, {QStringLiteral("200 MB line: start until shown"), ms(figures, "painted"),
                QStringLiteral("ms"), QStringLiteral("<= 2000 ms"), 2000, ms(baseline, "painted"),
                smallText});
    Targets::Report(state, {QStringLiteral("200 MB line: start until a key is typed"),
                            ms(figures, "edited"), QStringLiteral("ms"),
                            QStringLiteral("<= 2000 ms"), 2000, ms(baseline, "edited"), smallText});
}
BENCHMARK(BM_HugeLine)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
