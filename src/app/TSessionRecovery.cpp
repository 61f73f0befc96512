#include "app/TSessionRecovery.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QWidget>

#include "app/TDocumentSession.h"
#include "app/TItemTextBinding.h"
#include "document/TOutlineItem.h"
#include "platform/AppError.h"

namespace {

// A huge text is written at most this share of the time the user types into it.
constexpr qint64 kFlushTimeShare = 20;

}  // namespace

TSessionRecovery::TSessionRecovery(QWidget& window, TDocumentSession& session,
                                   TItemTextBinding& texts)
    : session_(session), texts_(texts) {
    recordTimer_.setSingleShot(true);
    recordTimer_.setInterval(kRecordDelayMs);
    recordTimer_.callOnTimeout(&window, [this] { WriteRecord(); });
    textTimer_.setSingleShot(true);
    textTimer_.callOnTimeout(&window, [this] {
        FlushEditorText();
        // The record names the texts by their files: a text alone needs no new record.
        if (!recordCurrent_) WriteRecord();
    });
}

QString TSessionRecovery::RecordPath() const {
    return session_.Store.DataDir() + QStringLiteral("Hedgerow.recovery");
}

void TSessionRecovery::OutlineChanged() {
    recordCurrent_ = false;
    // Coalesced: at most one record a second, however many changes come.
    if (!recordTimer_.isActive()) recordTimer_.start();
}

void TSessionRecovery::TextChanged() {
    // Not restarted by the next key: steady typing is written down too.
    if (textTimer_.isActive()) return;
    textTimer_.start(
        static_cast<int>(std::max<qint64>(kTextDelayMs, kFlushTimeShare * lastFlushMs_)));
}

void TSessionRecovery::WriteNow() {
    recordTimer_.stop();
    textTimer_.stop();
    // The copy of the document goes first and takes a moment; the texts after it need
    // not be waited for.
    if (!session_.Store.TextsInSource() && !session_.Store.WritingStopped())
        session_.Store.FinishWriting();
    FlushEditorText();
    WriteRecord();
}

void TSessionRecovery::Saved() {
    recordTimer_.stop();
    textTimer_.stop();
    QFile::remove(RecordPath());
    recordCurrent_ = false;
}

void TSessionRecovery::Discard() { Saved(); }

void TSessionRecovery::FlushEditorText() {
    if (!session_.Modified) return;
    const TOutlineItem* current = session_.ItemAtCurrentIndex();
    if (!current) return;
    QElapsedTimer clock;
    clock.start();
    try {
        texts_.StoreEditorText(current);
    } catch (const AppError&) {
        // Reported by the next selection change or save.
    }
    lastFlushMs_ = clock.elapsed();
}

std::optional<std::vector<TWriteBehind::TSourceText>> TSessionRecovery::TextsToName() {
    if (auto inSource = session_.Store.TextsInSource()) return inSource;
    if (!session_.Store.WritingStopped()) return std::nullopt;  // the copy is being written
    // Writing stopped at a failure (a full disk): it tries again now, and meanwhile the
    // document's own file holds the texts, as long as it stays as it was loaded.
    session_.Store.WriteBehind();
    if (!session_.LoadedFile) return std::nullopt;
    return session_.Store.TextsInDocument(*session_.LoadedFile);
}

void TSessionRecovery::WriteRecord() {
    recordTimer_.stop();
    if (!session_.Modified || session_.Outline().IsEmpty()) {
        QFile::remove(RecordPath());
        recordCurrent_ = false;
        return;
    }
    std::optional<std::vector<TWriteBehind::TSourceText>> named = TextsToName();
    if (!named) {
        recordTimer_.start();
        return;
    }
    try {
        TRecoveryRecord record =
            TRecoveryRecord::Of(session_.Outline(), session_.Settings.Value(u"EditFile"),
                                session_.Modified, session_.CurrentItemIndex);
        record.Loaded = session_.LoadedFile;
        record.SourceTexts = std::move(*named);
        TRecoveryRecord::Write(RecordPath(), record);
        recordCurrent_ = true;
    } catch (const AppError&) {
        // The previous record stays; the next change tries again.
    }
}

QString TSessionRecovery::SetAsideFolder() const {
    return session_.Store.DataDir() + QStringLiteral("復元できなかった文章 ") +
           QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH.mm.ss"));
}

std::optional<TRecoveryRecord> TSessionRecovery::TakeLeftRecord() {
    const QString path = RecordPath();
    try {
        return TRecoveryRecord::Read(path);
    } catch (const AppError& error) {
        // The texts the record names are the user's only copy: they go aside with it, and
        // the start deletes nothing of them.
        const QString folder = SetAsideFolder();
        QString where;
        try {
            session_.Store.MoveAllTo(folder);
            QFile::rename(path, QDir(folder).filePath(QStringLiteral("Hedgerow.recovery")));
            where = QStringLiteral(
                        "保存されていなかった文章（項目ごとの .tmp ファイル）と記録を、"
                        "次のフォルダーに移しました。必要な文章はここから取り出してください。\n%1")
                        .arg(QDir::toNativeSeparators(folder));
        } catch (const AppError& notMoved) {
            leftFilesStay_ = true;
            where =
                notMoved.Text() + QStringLiteral("\n保存されていなかった文章は %1 に残しました。")
                                      .arg(QDir::toNativeSeparators(session_.Store.DataDir()));
        }
        throw AppError(error.Text() + QStringLiteral("\n\n") + where);
    }
}
