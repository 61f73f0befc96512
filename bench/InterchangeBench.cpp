// Export and import of the generated 10,000-item document, each against the program's
// own save and open of the same content; and the pages of the print preview and the PDF.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QThread>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "interchange/TExporter.h"
#include "interchange/TOutlineEntryList.h"
#include "support/TMainFormProbe.h"
#include "ui/TPagePreview.h"
#include "ui/TPrintedOutline.h"

namespace {

constexpr int kSamples = 3;
// An import and the open it is measured against swing with the disk's syncing of the texts
// written behind the sample before: more samples, so that the medians do not.
constexpr int kImportSamples = 5;

std::string Std(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString WriteDocument(const QString& folder) {
    const QString path = folder + QStringLiteral("/generated.qlo");
    PosixFiles::Write(Std(path), GenerateOutline().document);
    return path;
}

const struct {
    TExportFormat format;
    const char* name;
} kFormats[] = {
    {TExportFormat::HierarchicalText, "hierarchical text"},
    {TExportFormat::Markdown, "Markdown"},
    {TExportFormat::Opml, "OPML"},
    {TExportFormat::Html, "HTML"},
};

// What the export command does: the outline as entries, written in the format with
// their texts read on the way, through the safe replacement.
void Export(TMainForm& form, TExportFormat format, const QString& path) {
    const TDocumentSession& session = Probe(form).Session();
    std::vector<const TOutlineItem*> items;
    TOutlineEntries entries =
        TOutlineEntryList::FromSubtrees(TOutlineEntryList::TopItems(session.Outline()), {}, &items);
    const TOutlineEntryList::TextOf texts = [&](const TOutlineItem& item) {
        return session.Store.Load(item.ItemNumber);
    };
    TExporter::WriteFile(
        path, format, entries, QStringLiteral("generated"), [](const TExport&) { return true; },
        TOutlineEntryList::TextsFiller(entries, items, texts));
}

void BM_Export(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    QTemporaryDir docs;
    Probe(form).Documents().LoadFile(WriteDocument(docs.path()));
    Probe(form).Session().Store.FinishWriting();
    const QString saved = docs.path() + QStringLiteral("/saved.qlo");
    Probe(form).Documents().SaveFile(saved);
    const auto& chosen = kFormats[state.range(0)];
    const QString target = docs.path() + QStringLiteral("/exported");
    std::vector<double> exports, saves;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            ::sync();
            saves.push_back(Targets::TimeMs([&] { Probe(form).Documents().SaveFile(saved); }));
            ::sync();
            exports.push_back(Targets::TimeMs([&] { Export(form, chosen.format, target); }));
        }
        state.SetIterationTime(Targets::Median(exports) / 1000);
    }
    const double base = Targets::Median(saves);
    Targets::Report(
        state, {QStringLiteral("export 10,000 items as %1").arg(chosen.name),
                Targets::Median(exports), QStringLiteral("ms"), QStringLiteral("<= 1.5 x save"),
                1.5 * base, base, QStringLiteral("save the same document (SaveFile)")});
}
BENCHMARK(BM_Export)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

void BM_Import(benchmark::State& state) {
    QTemporaryDir docs;
    const QString document = WriteDocument(docs.path());
    const auto& chosen = kFormats[state.range(0)];
    const QString exported = docs.path() + QStringLiteral("/exported");
    {
        BenchForm bench;
        Probe(bench.Form()).Documents().LoadFile(document);
        Probe(bench.Form()).Session().Store.FinishWriting();
        Export(bench.Form(), chosen.format, exported);
    }
    std::vector<std::unique_ptr<BenchForm>> forms;
    std::vector<double> imports, opens;
    for (auto _ : state) {
        for (int i = 0; i < kImportSamples; ++i) {
            TMainForm& opening = forms.emplace_back(std::make_unique<BenchForm>())->Form();
            ::sync();
            opens.push_back(
                Targets::TimeMs([&] { Probe(opening).Documents().LoadFile(document); }));
            // Each sample starts on a quiet machine: the texts written behind the last
            // one are in their files first.
            Probe(opening).Session().Store.FinishWriting();
            TMainForm& importing = forms.emplace_back(std::make_unique<BenchForm>())->Form();
            ::sync();
            imports.push_back(Targets::TimeMs(
                [&] { Probe(importing).Interchange().ImportFiles({exported}, nullptr); }));
            Probe(importing).Session().Store.FinishWriting();
            if (importing.TreeModel->Outline().Count() != GenerateOutline().itemCount + 1)
                state.SkipWithError("wrong item count after the import");
        }
        state.SetIterationTime(Targets::Median(imports) / 1000);
    }
    const double base = Targets::Median(opens);
    Targets::Report(
        state, {QStringLiteral("import 10,000 items from %1").arg(chosen.name),
                Targets::Median(imports), QStringLiteral("ms"), QStringLiteral("<= 1.5 x open"),
                1.5 * base, base, QStringLiteral("open the same content as a .qlo (LoadFile)")});
}
BENCHMARK(BM_Import)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

// The print preview's first page: from asking for it (the pages laid out as far as the
// first, their counting started) to the page painted as large as a window shows it. Then
// the count the preview finds in the background, and every page laid out and painted
// into a PDF as printing does.
void BM_FirstPrintedPage(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    QTemporaryDir docs;
    Probe(form).Documents().LoadFile(WriteDocument(docs.path()));
    Probe(form).Session().Store.FinishWriting();
    const TDocumentSession& session = Probe(form).Session();
    const TOutlineEntries entries = TOutlineEntryList::FromOutline(
        session.Outline(),
        [&](const TOutlineItem& item) { return session.Store.Load(item.ItemNumber); });
    const QFont font(QStringLiteral("IPAGothic"), 10);
    int pages = 0;
    std::vector<double> firstPage, counted, all;
    for (auto _ : state) {
        QFile file(docs.path() + QStringLiteral("/printed.pdf"));
        file.open(QIODevice::WriteOnly);
        QPdfWriter writer(&file);
        TPrintedOutline::SetMargins(writer);
        {
            QImage window(800, 1000, QImage::Format_ARGB32_Premultiplied);
            QElapsedTimer timer;
            timer.start();
            TPagePreview preview(entries, font, writer.pageLayout());
            {
                QPainter painter(&window);
                preview.Paint(painter, QRectF(window.rect()));
            }
            firstPage.push_back(timer.nsecsElapsed() / 1e6);
            while (preview.Update()) QThread::msleep(10);
            counted.push_back(timer.nsecsElapsed() / 1e6);
            pages = preview.Total();
        }
        TPrintedOutline printed(entries, font);
        all.push_back(Targets::TimeMs([&] { printed.Paint(writer); }));
        if (printed.PageCount() != pages) state.SkipWithError("the preview counted other pages");
        state.SetIterationTime(firstPage.back() / 1000);
    }
    state.counters["pages"] = pages;
    state.counters["count_ms"] = Targets::Median(counted);
    state.counters["all_pages_ms"] = Targets::Median(all);
    Targets::Report(state, {QStringLiteral("first page of the print preview, 10,000 items"),
                            Targets::Median(firstPage), QStringLiteral("ms"),
                            QStringLiteral("<= 500 ms"), 500, 0, QString()});
}
BENCHMARK(BM_FirstPrintedPage)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
