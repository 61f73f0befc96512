// Writing the recovery record of the generated 10,000-item outline, against the raw
// cost of writing the same bytes safely with plain POSIX calls.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "OutlineGenerator.h"
#include "PosixFiles.h"
#include "Targets.h"
#include "document/TDocumentReader.h"
#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "document/TOutlineItem.h"
#include "document/TRecoveryRecord.h"

namespace {

constexpr int kSamples = 21;
constexpr int kLabelLength = 20;

std::string Std(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The generated outline with every label made at least 20 Japanese characters long,
// the length of the labels of a real outline.
TRecoveryRecord GeneratedRecord(const QString& documentPath) {
    QTemporaryDir data;
    const TItemTextStore store(data.path() + QLatin1Char('/'));
    int next = 0;
    TDocumentReader::Result read = TDocumentReader::Read(
        GenerateOutline().document, [&] { return next++; }, store);
    read.outline.ForEach([](TOutlineItem* item) {
        while (item->Label.size() < kLabelLength)
            item->Label += QStringLiteral("についての覚え書き");
    });
    return TRecoveryRecord::Of(read.outline, documentPath, true, read.outline.Count() / 2);
}

void BM_RecoveryRecordWrite(benchmark::State& state) {
    QTemporaryDir folder;
    const TRecoveryRecord record =
        GeneratedRecord(folder.path() + QStringLiteral("/生成された文書.qlo"));
    if (record.Outline.Count() != GenerateOutline().itemCount)
        state.SkipWithError("wrong item count");
    const QString path = folder.path() + QStringLiteral("/recovery");
    const std::string plainPath = Std(folder.path() + QStringLiteral("/plain"));
    const std::string durablePath = Std(folder.path() + QStringLiteral("/durable"));
    const QByteArray bytes = record.Serialize();

    std::vector<double> write, serialize, parse, plain, durable;
    const auto sample = [](std::vector<double>* into, const std::function<void()>& work) {
        ::sync();  // nothing of the previous sample left to write back
        const double ms = Targets::TimeMs(work);
        if (into) into->push_back(ms);
    };
    for (auto _ : state) {
        // The first round only warms up (the first writes into memory the guest has
        // not touched yet cost more on a virtual machine).
        for (int i = -1; i < kSamples; ++i) {
            const auto in = [&](std::vector<double>& samples) {
                return i < 0 ? nullptr : &samples;
            };
            sample(in(write), [&] { TRecoveryRecord::Write(path, record); });
            sample(in(serialize), [&] { benchmark::DoNotOptimize(record.Serialize().size()); });
            sample(in(parse), [&] {
                benchmark::DoNotOptimize(TRecoveryRecord::Parse(bytes).Outline.Count());
            });
            sample(in(plain), [&] {
                PosixFiles::Write(plainPath + ".new", bytes);
                std::rename((plainPath + ".new").c_str(), plainPath.c_str());
            });
            sample(in(durable), [&] { PosixFiles::WriteDurably(durablePath, bytes); });
        }
        state.SetIterationTime(Targets::Median(write) / 1000);
    }
    if (TRecoveryRecord::Parse(PosixFiles::Read(Std(path))).Outline.Count() !=
        record.Outline.Count())
        state.SkipWithError("the record does not read back");
    state.counters["record_kB"] = bytes.size() / 1024.0;
    state.counters["serialize_ms"] = Targets::Median(serialize);
    state.counters["parse_ms"] = Targets::Median(parse);
    state.counters["nosync_base_ms"] = Targets::Median(plain);
    state.counters["durable_base_ms"] = Targets::Median(durable);
    const double base = Targets::Median(durable);
    Targets::Report(
        state,
        {QStringLiteral("recovery record, 10,000 items (Write)"), Targets::Median(write),
         QStringLiteral("ms"), QStringLiteral("<= 5 ms"), 5, base,
         QStringLiteral("write the record's bytes to a new file, fdatasync, rename (POSIX)")});
}
BENCHMARK(BM_RecoveryRecordWrite)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

}  // namespace
