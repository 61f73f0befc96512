// Opening and closing big documents in a started program, on the disk's file system (the
// temporary folder): the window shows before the item files are written, and goes before
// they are deleted. Each against the same start and close with a one-item document.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "platform/Cp932Codec.h"

namespace {

constexpr int kLimitMs = 120'000;

std::string Std(const QString& path) { return QFile::encodeName(path).toStdString(); }

// count top-level items of six 86-byte lines each: 100,000 make about 55 MB.
QByteArray FlatDocument(int count) {
    const QByteArray line =
        Cp932Codec::Encode(QStringLiteral("長い文章の一行です。ここに本文が続きます。") +
                           QStringLiteral("The quick brown fox jumps over the lazy dog.\r\n"))
            .bytes;
    QByteArray document = "qlm oe data form 1.3\r\nTree=" + QByteArray::number(count);
    for (int i = 0; i < count; ++i) document += ',' + QByteArray::number(i) + "=6";
    document += "\r\n";
    for (int i = 0; i < count; ++i) document += "nil:item " + QByteArray::number(i) + ":0\r\n";
    const QByteArray text = line.repeated(6);
    document.reserve(document.size() + count * text.size());
    for (int i = 0; i < count; ++i) document += text;
    return document;
}

struct TOpenClose {
    double window = 0;  // start until the first full drawing
    double close = 0;   // close until the window is gone
};

TOpenClose OpenAndClose(const QString& exeDir, const QString& document) {
    std::map<QByteArray, double> times =
        ProbeChild(QStringLiteral("close"), exeDir, document, kLimitMs);
    const auto ms = [&](const QByteArray& what) {
        return times.contains(what) ? times[what] : double(kLimitMs);
    };
    return {ms("painted"), ms("hidden") - ms("closing")};
}

// Argument: the number of items (10,000: the generated outline; else a flat one).
void BM_OpenAndCloseOnDisk(benchmark::State& state) {
    const int items = int(state.range(0));
    QTemporaryDir folder;
    const QString exeDir = folder.path() + QLatin1Char('/');
    BenchForm::PrepareFolder(exeDir);
    const QString big = exeDir + QStringLiteral("big.qlo");
    const QString small = exeDir + QStringLiteral("small.qlo");
    PosixFiles::Write(Std(big), items == 10'000 ? GenerateOutline().document : FlatDocument(items));
    PosixFiles::Write(Std(small), FlatDocument(1));
    TOpenClose figures, baseline;
    for (auto _ : state) {
        baseline = OpenAndClose(exeDir, small);
        figures = OpenAndClose(exeDir, big);
        state.SetIterationTime(figures.window / 1000);
    }
    const QString name = items == 10'000 ? QStringLiteral("10,000 items / 20 MB")
                                         : QStringLiteral("100,000 items / 55 MB");
    const QString smallText = QStringLiteral("the same with a one-item document");
    if (items != 10'000)
        Targets::Report(state,
                        {QStringLiteral("open %1, on disk: window").arg(name), figures.window,
                         QStringLiteral("ms"), QStringLiteral("<= one-item start + 1000 ms"),
                         baseline.window + 1000, baseline.window, smallText});
    const double closeTarget = items == 10'000 ? 300 : 500;
    Targets::Report(state,
                    {QStringLiteral("close %1, on disk: window gone").arg(name), figures.close,
                     QStringLiteral("ms"), QStringLiteral("<= %1 ms").arg(closeTarget), closeTarget,
                     baseline.close, smallText});
}
BENCHMARK(BM_OpenAndCloseOnDisk)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

}  // namespace
