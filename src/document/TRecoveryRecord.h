#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "document/TOutline.h"
#include "document/TWriteBehind.h"
#include "platform/TFileFingerprint.h"

// What the next start needs to bring back a session that ended without saving: the
// outline (labels, hierarchy, order, expanded states and every item's number, which
// names its item text file), the document's path, whether it had unsaved changes and
// the selected item. The texts themselves stay in the item text files; the texts of an
// opened document that were not in their files yet are named as parts of the copy of
// the document beside them (see TWriteBehind).
//
// The record is a small text file of its own format beside the item text files. It holds
// every label exactly, whatever it contains (line breaks, escapes of bytes that code page
// 932 cannot map, the bytes a label was read in), so that saving the recovered outline
// writes the very document a save before the end would have written.
class TRecoveryRecord {
  public:
    QString EditFile;  // the document's full path, or "nil"
    bool Modified = false;
    // Absolute index of the selected item, -1 for none. It may also equal the number of
    // items: the stale index of an editor text that belongs to no item, which saving
    // reports (TDocumentWriter::CurrentIndexIsStale) and the record keeps.
    int CurrentItemIndex = -1;
    TOutline Outline;
    // The document file as the session last loaded or saved it, so that a save after
    // the recovery still notices another program's change; none for a new document.
    // Its hash is not kept (it holds within one run only).
    std::optional<TFileFingerprint> Loaded;
    // The texts not in their item files yet, as parts of the document's copy (or, when
    // the copy could not be written, of the document file itself while it is as Loaded
    // describes it).
    std::vector<TWriteBehind::TSourceText> SourceTexts;

    // The record of a session: the outline is copied.
    static TRecoveryRecord Of(const TOutline& outline, const QString& editFile, bool modified,
                              int currentItemIndex);

    QByteArray Serialize() const;
    // Throws AppError (with a Japanese text naming the problem) for a record that is
    // truncated, corrupted or of another version; never returns half a record.
    static TRecoveryRecord Parse(const QByteArray& bytes);

    // Replaces the file at path atomically (path + ".new", synced to the disk, renamed
    // over it), so that the file is always a whole record, also after a power cut.
    // Throws AppError when it cannot be written; the old record then stays.
    static void Write(const QString& path, const TRecoveryRecord& record);
    // Nothing when there is no file at path. Throws AppError when it cannot be read or
    // parsed.
    static std::optional<TRecoveryRecord> Read(const QString& path);
};
