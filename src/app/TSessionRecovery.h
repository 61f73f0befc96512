#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <optional>

#include "document/TRecoveryRecord.h"

class QWidget;
class TDocumentSession;
class TItemTextBinding;

// Keeps what a session that ends without saving needs for the next start: the editor's
// text reaches its item text file at most two seconds after the first keystroke not
// written yet, and a record of the outline (TRecoveryRecord) beside the item text files
// follows every change within a second while the document has unsaved changes. A
// session without unsaved changes has no record. Texts of an opened document that are
// not in their files yet are named as parts of the document's copy beside them, or of
// the document itself when the copy could not be written. Failures to write are silent:
// the next selection change or save reports a disk that cannot be written.
class TSessionRecovery {
  public:
    TSessionRecovery(QWidget& window, TDocumentSession& session, TItemTextBinding& texts);

    QString RecordPath() const;

    // A change of the outline, a label, the selection or the changed state: the record
    // follows within a second.
    void OutlineChanged();
    // A change of the editor's text: it reaches its file within two seconds, however
    // long the typing goes on.
    void TextChanged();
    // Writes what is pending now: the editor's text and the record (or removes the
    // record when nothing is unsaved).
    void WriteNow();
    // The document was saved: the record goes before the save reports success, so that
    // no record describes an older state than the last save.
    void Saved();
    // Removes the record: the session ended in order, or its recovery was declined.
    void Discard();

    // The record a session that did not end in order left; nothing when there is none.
    // Throws AppError for one that does not read, after setting it aside with the item
    // text files in a folder beside it (named in the message), so that it is never half
    // applied and no text it names is lost.
    std::optional<TRecoveryRecord> TakeLeftRecord();
    // The files of a record that did not read could not be set aside: they stay where
    // they are, and the start must not delete them.
    bool LeftFilesStay() const { return leftFilesStay_; }

    static constexpr int kRecordDelayMs = 1000;
    static constexpr int kTextDelayMs = 2000;

  private:
    void FlushEditorText();
    void WriteRecord();
    // The texts not in their files yet as the record names them; nothing while they
    // cannot be named yet (the document's copy is being written).
    std::optional<std::vector<TWriteBehind::TSourceText>> TextsToName();
    QString SetAsideFolder() const;

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QTimer recordTimer_;
    QTimer textTimer_;
    // Whether the record on the disk describes the outline as it is now.
    bool recordCurrent_ = false;
    // How long writing the editor's text took last: a huge text is written less often,
    // so that typing never waits for it noticeably.
    qint64 lastFlushMs_ = 0;
    bool leftFilesStay_ = false;
};
