#pragma once

#include <QString>
#include <QTimer>
#include <optional>

#include "document/TRecoveryRecord.h"

class QWidget;
class TDocumentSession;
class TItemTextBinding;

// Keeps what a session that ends without saving needs for the next start: the editor's
// text reaches its item text file two seconds after the last keystroke, and a record of
// the outline (TRecoveryRecord) beside the item text files follows every change within a
// second while the document has unsaved changes. A session without unsaved changes has
// no record. Texts of an opened document that are not in their files yet are named as
// parts of the document's copy beside them. Failures to write are silent: the next selection change or save reports a
// disk that cannot be written.
class TSessionRecovery {
public:
    TSessionRecovery(QWidget& window, TDocumentSession& session, TItemTextBinding& texts);

    QString RecordPath() const;

    // A change of the outline, a label, the selection or the changed state: the record
    // follows within a second.
    void OutlineChanged();
    // A change of the editor's text: it reaches its file two seconds after the last one.
    void TextChanged();
    // Writes what is pending now: the editor's text and the record (or removes the
    // record when nothing is unsaved).
    void WriteNow();
    // Removes the record: the session ended in order, or its recovery was declined.
    void Discard();

    // The record a session that did not end in order left; nothing when there is none.
    // Throws AppError for one that does not read, after setting it aside (renamed with
    // ".bad"), so that it is never half applied and never lost.
    std::optional<TRecoveryRecord> TakeLeftRecord();

    static constexpr int kRecordDelayMs = 1000;
    static constexpr int kTextDelayMs = 2000;

private:
    void FlushEditorText();
    void WriteRecord();

    TDocumentSession& session_;
    TItemTextBinding& texts_;
    QTimer recordTimer_;
    QTimer textTimer_;
};
