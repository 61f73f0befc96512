// Opening, saving and selecting in the generated 10,000-item document, each against
// the raw cost of the same file work done with plain POSIX calls.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <optional>

#include "BenchForm.h"
#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "document/TDocumentWriter.h"
#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "document/TOutlineItem.h"
#include "document/TOutlineItemModel.h"
#include "platform/TSafeFile.h"
#include "support/ScopedEnv.h"
#include "support/TMainFormProbe.h"

namespace {

constexpr int kSamples = 5;

std::string Std(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The item text files a load leaves in Data, by file name.
std::map<QString, QByteArray> ItemTexts(const QString& exeDir) {
    std::map<QString, QByteArray> texts;
    QDir data(exeDir + QStringLiteral("Data"));
    for (const QString& name : data.entryList({QStringLiteral("*.tmp")}, QDir::Files))
        texts[name] = PosixFiles::Read(Std(data.filePath(name)));
    return texts;
}

QString WriteDocument(const QString& folder) {
    const QString path = folder + QStringLiteral("/generated.qlo");
    PosixFiles::Write(Std(path), GenerateOutline().document);
    return path;
}

// Argument 1 runs the benchmark in a memory file system, where the program's own cost
// shows without the disk's file system's moods.
constexpr const char* kMemoryFolder = "/dev/shm";

void BM_LoadFile(benchmark::State& state) {
    const bool inMemory = state.range(0) == 1;
    if (inMemory && !QFileInfo(QString::fromLatin1(kMemoryFolder)).isWritable()) {
        state.SkipWithError("no memory file system");
        return;
    }
    std::optional<ScopedEnv> temporaryFolder;
    if (inMemory) temporaryFolder.emplace("TMPDIR", kMemoryFolder);
    QTemporaryDir docs;
    const QString path = WriteDocument(docs.path());
    // Every sample writes into a folder of its own and nothing is deleted before the
    // end: ext4 makes creating a file slower the more files were deleted in the last
    // minutes (it scans past their inodes), and deleting between samples made both
    // figures swing by a factor of six. Files an earlier run deleted still slow down
    // both sides alike; the memory file system has no such memory.
    std::vector<std::unique_ptr<BenchForm>> forms;
    std::vector<std::unique_ptr<QTemporaryDir>> baselineDirs;
    const auto newForm = [&]() -> TMainForm& {
        return forms.emplace_back(std::make_unique<BenchForm>())->Form();
    };

    TMainForm& first = newForm();
    Probe(first).Documents().LoadFile(path);
    Probe(first).Session().Store.FinishWriting();
    const auto texts = ItemTexts(forms.back()->ExeDir());
    if (first.TreeModel->Outline().Count() != GenerateOutline().itemCount)
        state.SkipWithError("wrong item count");

    std::vector<double> load, baseline;
    for (auto _ : state) {
        for (int i = 0; i < kSamples; ++i) {
            TMainForm& form = newForm();
            ::sync();
            load.push_back(Targets::TimeMs([&] { Probe(form).Documents().LoadFile(path); }));

            const QString folder =
                baselineDirs.emplace_back(std::make_unique<QTemporaryDir>())->path() + u'/';
            ::sync();
            baseline.push_back(Targets::TimeMs([&] {
                const QByteArray document = PosixFiles::Read(Std(path));
                benchmark::DoNotOptimize(document.data());
                for (const auto& [name, bytes] : texts)
                    PosixFiles::Write(Std(folder + name), bytes);
            }));
        }
        state.SetIterationTime(Targets::Median(load) / 1000);
    }
    const double base = Targets::Median(baseline);
    // The window is usable once the document is read; the texts reach their files
    // behind it. On the disk that must cost little more than in memory.
    static double onDisk = 0;
    if (!inMemory) onDisk = Targets::Median(load);
    if (inMemory && onDisk > 0)
        Targets::Report(state, {QStringLiteral("open 10,000 items, disk against memory"), onDisk,
                                QStringLiteral("ms"), QStringLiteral("<= 1.5 x memory file system"),
                                1.5 * Targets::Median(load), Targets::Median(load),
                                QStringLiteral("the same open in the memory file system")});
    Targets::Report(state, {inMemory ? QStringLiteral("open 10,000 items, memory file system")
                                     : QStringLiteral("open 10,000 items (LoadFile)"),
                            Targets::Median(load), QStringLiteral("ms"),
                            QStringLiteral("<= 1.5 x baseline"), 1.5 * base, base,
                            QStringLiteral("read the file, write the 10,000 text files (POSIX)")});
}
BENCHMARK(BM_LoadFile)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseManualTime();

void BM_SaveFile(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    QTemporaryDir docs;
    const QString path = WriteDocument(docs.path());
    Probe(form).Documents().LoadFile(path);
    Probe(form).Session().Store.FinishWriting();  // saves as they come later, every file written
    const QString target = docs.path() + QStringLiteral("/saved.qlo");
    Probe(form).Documents().SaveFile(target);  // the first save; every later one makes a backup
    const QByteArray saved = PosixFiles::Read(Std(target));
    state.counters["same_bytes"] = saved == GenerateOutline().document ? 1 : 0;
    QStringList files;
    form.TreeModel->Outline().ForEach(
        [&](TOutlineItem* item) { files << Probe(form).Session().Store.Path(item->ItemNumber); });
    const std::string baselineTarget = Std(docs.path() + QStringLiteral("/baseline.qlo"));
    const auto readItemFiles = [&] {
        qsizetype total = 0;
        for (const QString& file : files) total += PosixFiles::Read(Std(file)).size();
        benchmark::DoNotOptimize(total);
    };

    // The two halves of a save and of the baseline, measured apart: building the
    // document (reading the item files) and writing it safely.
    const TItemTextStore store(bench.ExeDir() + QStringLiteral("Data/"));
    const TOutline& outline = form.TreeModel->Outline();
    const QString phaseTarget = docs.path() + QStringLiteral("/phases.qlo");
    TDocumentWriter::Output output;
    // What a save that can never lose the old file costs at the least: the baseline's
    // bytes written to a new file, synced, and renamed over the old one.
    const std::string durableTarget = Std(docs.path() + QStringLiteral("/durable.qlo"));

    std::vector<double> save, baseline, build, write, readFiles, writeBytes, durable;
    const auto sample = [](std::vector<double>* into, const std::function<void()>& work) {
        // Every sample starts with nothing left to write back: the previous sample's
        // writes would otherwise be paid for by whichever sample syncs next.
        ::sync();
        const double ms = Targets::TimeMs(work);
        if (into) into->push_back(ms);
    };
    for (auto _ : state) {
        // The first round only warms up: on a virtual machine the first writes of
        // 20 MB into memory the guest has not touched yet cost several times more.
        for (int i = -1; i < kSamples; ++i) {
            const auto in = [&](std::vector<double>& samples) {
                return i < 0 ? nullptr : &samples;
            };
            sample(in(save), [&] { Probe(form).Documents().SaveFile(target); });
            sample(in(baseline), [&] {
                readItemFiles();
                PosixFiles::Write(baselineTarget, saved);
            });
            sample(in(build), [&] { output = TDocumentWriter::Write(outline, store); });
            sample(in(write), [&] {
                TSafeFile::Replace(phaseTarget, {output.head, output.texts},
                                   TSafeFile::Options::KeepingBackup(true));
            });
            sample(in(readFiles), readItemFiles);
            sample(in(writeBytes), [&] { PosixFiles::Write(baselineTarget, saved); });
            sample(in(durable), [&] {
                readItemFiles();
                PosixFiles::WriteDurably(durableTarget, saved);
            });
        }
        state.SetIterationTime(Targets::Median(save) / 1000);
    }
    state.counters["build_ms"] = Targets::Median(build);
    state.counters["write_ms"] = Targets::Median(write);
    state.counters["base_read_ms"] = Targets::Median(readFiles);
    state.counters["base_write_ms"] = Targets::Median(writeBytes);
    state.counters["durable_base_ms"] = Targets::Median(durable);
    state.counters["x_durable_base"] = Targets::Median(save) / Targets::Median(durable);
    const double base = Targets::Median(baseline);
    Targets::Report(
        state, {QStringLiteral("save 10,000 items (SaveFile, backup on)"), Targets::Median(save),
                QStringLiteral("ms"), QStringLiteral("<= 1.5 x baseline"), 1.5 * base, base,
                QStringLiteral("read the 10,000 text files, write the document bytes (POSIX)")});
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

void BM_SelectionChange(benchmark::State& state) {
    BenchForm bench;
    TMainForm& form = bench.Form();
    QTemporaryDir docs;
    Probe(form).Documents().LoadFile(WriteDocument(docs.path()));
    Probe(form).Session().Store.FinishWriting();
    const TOutline& outline = form.TreeModel->Outline();
    TOutlineItem* a = outline.ItemAt(GenerateOutline().largeItems[1]);
    TOutlineItem* b = outline.ItemAt(GenerateOutline().largeItems[2]);
    Probe(form).Texts().SelectItem(a);
    QApplication::processEvents();
    const QByteArray bytesA =
        PosixFiles::Read(Std(Probe(form).Session().Store.Path(a->ItemNumber)));
    const QByteArray bytesB =
        PosixFiles::Read(Std(Probe(form).Session().Store.Path(b->ItemNumber)));
    if (bytesA.size() < (1 << 20) || bytesB.size() < (1 << 20))
        state.SkipWithError("the texts are not 1 MB");
    const std::string scratch = Std(docs.path() + QStringLiteral("/scratch.tmp"));
    const std::string fileB = Std(Probe(form).Session().Store.Path(b->ItemNumber));

    std::vector<double> change, baseline;
    for (auto _ : state) {
        for (int i = 0; i < 2 * kSamples + 1; ++i) {
            TOutlineItem* next = i % 2 ? a : b;
            change.push_back(Targets::TimeMs([&] {
                Probe(form).Texts().SelectItem(next);
                QApplication::processEvents();  // the editor shows the new text
            }));
            baseline.push_back(Targets::TimeMs([&] {
                PosixFiles::Write(scratch, bytesA);  // store the leaving text
                const QByteArray loaded = PosixFiles::Read(fileB);
                benchmark::DoNotOptimize(loaded.data());
            }));
        }
        state.SetIterationTime(Targets::Median(change) / 1000);
    }
    if (Probe(form).Texts().EditorText().size() < 100'000)
        state.SkipWithError("the editor does not hold the large text");
    const double base = Targets::Median(baseline);
    Targets::Report(state, {QStringLiteral("selection change, 1 MB texts"), Targets::Median(change),
                            QStringLiteral("ms"), QStringLiteral("<= 60 ms"), 60, base,
                            QStringLiteral("write 1 MB and read 1 MB (POSIX)")});
}
BENCHMARK(BM_SelectionChange)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

// The resident size of a started program (a child process of this executable) with
// the empty first document and with the generated document open.
long long ResidentKb(const QStringList& documentArgument, int* items) {
    QTemporaryDir folder;
    BenchForm::PrepareFolder(folder.path() + QLatin1Char('/'));
    QProcess probe;
    probe.start(QCoreApplication::applicationFilePath(),
                QStringList{QStringLiteral("--probe=rss"), folder.path() + QLatin1Char('/')} +
                    documentArgument);
    probe.waitForFinished(120'000);
    const QList<QByteArray> words = probe.readAllStandardOutput().trimmed().split(' ');
    *items = words.value(3).toInt();
    return words.value(0) == "rss" ? words.value(1).toLongLong() : -1;
}

void BM_ResidentMemory(benchmark::State& state) {
    QTemporaryDir docs;
    const QString path = WriteDocument(docs.path());
    std::vector<double> empty, loaded;
    int items = 0;
    for (auto _ : state) {
        for (int i = 0; i < 3; ++i) {
            empty.push_back(ResidentKb({}, &items) / 1024.0);
            loaded.push_back(ResidentKb({path}, &items) / 1024.0);
        }
    }
    if (items != GenerateOutline().itemCount)
        state.SkipWithError("the document did not open in the probe");
    const double base = Targets::Median(empty);
    if (base <= 0 || Targets::Median(loaded) <= 0) state.SkipWithError("the probe gave no figure");
    state.counters["rss_empty_MB"] = base;
    state.counters["rss_doc_MB"] = Targets::Median(loaded);
    Targets::Report(state, {QStringLiteral("resident memory growth, 10,000 items"),
                            Targets::Median(loaded) - base, QStringLiteral("MB"),
                            QStringLiteral("<= empty-document RSS + 40 MB"), 40, 0, QString()});
}
BENCHMARK(BM_ResidentMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
