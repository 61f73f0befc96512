#include "app/TSessionRecovery.h"

#include <QFile>
#include <QWidget>

#include "app/TDocumentSession.h"
#include "app/TItemTextBinding.h"
#include "document/TOutlineItem.h"
#include "platform/AppError.h"

TSessionRecovery::TSessionRecovery(QWidget& window, TDocumentSession& session, TItemTextBinding& texts)
    : session_(session), texts_(texts) {
    recordTimer_.setSingleShot(true);
    recordTimer_.setInterval(kRecordDelayMs);
    recordTimer_.callOnTimeout(&window, [this] { WriteRecord(); });
    textTimer_.setSingleShot(true);
    textTimer_.setInterval(kTextDelayMs);
    textTimer_.callOnTimeout(&window, [this] {
        FlushEditorText();
        WriteRecord();
    });
}

QString TSessionRecovery::RecordPath() const {
    return session_.Store.DataDir() + QStringLiteral("Hedgerow.recovery");
}

void TSessionRecovery::OutlineChanged() {
    // Coalesced: at most one record a second, however many changes come.
    if (!recordTimer_.isActive()) recordTimer_.start();
}

void TSessionRecovery::TextChanged() { textTimer_.start(); }

void TSessionRecovery::WriteNow() {
    recordTimer_.stop();
    textTimer_.stop();
    // The copy of the document goes first and takes a moment; the texts after it need
    // not be waited for.
    if (!session_.Store.TextsInSource()) session_.Store.FinishWriting();
    FlushEditorText();
    WriteRecord();
}

void TSessionRecovery::Discard() {
    recordTimer_.stop();
    textTimer_.stop();
    QFile::remove(RecordPath());
}

void TSessionRecovery::FlushEditorText() {
    if (!session_.Modified) return;
    const TOutlineItem* current = session_.ItemAtCurrentIndex();
    if (!current) return;
    try {
        texts_.StoreEditorText(current);
    } catch (const AppError&) {
        // Reported by the next selection change or save.
    }
}

void TSessionRecovery::WriteRecord() {
    recordTimer_.stop();
    if (!session_.Modified || session_.Outline().IsEmpty()) {
        QFile::remove(RecordPath());
        return;
    }
    // A record names the texts not in their files yet as parts of the document's copy:
    // it waits until that copy is written.
    std::optional<std::vector<TWriteBehind::TSourceText>> inSource = session_.Store.TextsInSource();
    if (!inSource) {
        recordTimer_.start();
        return;
    }
    try {
        TRecoveryRecord record = TRecoveryRecord::Of(session_.Outline(), session_.Settings.Value(u"EditFile"),
                                                     session_.Modified, session_.CurrentItemIndex);
        record.SourceTexts = std::move(*inSource);
        TRecoveryRecord::Write(RecordPath(), record);
    } catch (const AppError&) {
        // The previous record stays; the next change tries again.
    }
}

std::optional<TRecoveryRecord> TSessionRecovery::TakeLeftRecord() {
    const QString path = RecordPath();
    try {
        return TRecoveryRecord::Read(path);
    } catch (const AppError&) {
        const QString aside = path + QStringLiteral(".bad");
        QFile::remove(aside);
        QFile::rename(path, aside);
        throw;
    }
}
