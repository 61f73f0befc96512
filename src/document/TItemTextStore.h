#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "document/TWriteBehind.h"
#include "platform/TFileFingerprint.h"

// The item text files: one file a item in the Data folder, named by the item's
// number ("12.tmp"). A missing file is an empty text.
//
// The texts of an opened document reach their files behind the user's back (see
// TWriteBehind); every read here finds a text whose file is not written yet where it
// waits. Copies of a store share those texts.
//
// Files are written in code page 932, or as UTF-8 when code page 932 cannot hold a
// text exactly (see TTextFileCodec), so that no typed character is lost while the
// program runs.
class TItemTextStore {
  public:
    // dataDir: the Data folder, ending with a path separator.
    explicit TItemTextStore(QString dataDir);

    const QString& DataDir() const { return dataDir_; }
    QString Path(int itemNumber) const;
    bool Exists(int itemNumber) const;

    // The first number from `from` on whose file does not exist.
    int FirstFreeNumber(int from) const;
    // The numbers in use: those of the item text files in the folder and of the texts
    // waiting for theirs. Allocating thousands of numbers at once asks the folder once
    // instead of once for every number.
    QSet<int> ExistingNumbers() const;
    // The first number from `from` on that is not in existing.
    static int FirstFreeNumber(int from, const QSet<int>& existing);

    // Writes editorText (lines separated by "\n") to the item's file. Throws AppError
    // when the file cannot be written; the item's file then holds what it held before.
    void Store(int itemNumber, QStringView editorText) const;

    // Takes lines, the text block of document holding lineCount lines, as the item's
    // text when it already is in the file's form (see AppendDocumentLines), and returns
    // true: the file is written by WriteBehind(). Returns false for any other bytes: the
    // caller decodes them and stores the text.
    bool StoreDocumentLines(int itemNumber, const QByteArray& document, QByteArrayView lines,
                            qsizetype lineCount) const;
    // A new item's text for StoreBehind: an editor text, or (when fileBytes is not null)
    // the Shift-JIS lines of a text, taken as they stand when they are in the form of the
    // item's file (each line ending in CR LF), and decoded otherwise. fileBytes may be a
    // part of block, bytes every such text of the call may share.
    struct TNewText {
        int itemNumber = 0;
        QString text;
        QByteArrayView fileBytes;
        QByteArray block;
    };
    // Stores the texts of many new items at once: those code page 932 holds exactly are
    // put in their files' form together, one block of bytes, and written behind as an
    // opened document's texts are; the others are written now. When they all stand as
    // they are in the block they share and make up most of it, that block is the one.
    // Throws AppError, as Store does, when one of those cannot be written; the texts
    // stored before it stay stored.
    void StoreBehind(const std::vector<TNewText>& texts) const;
    // Starts writing the files of the texts taken by StoreDocumentLines on a thread of
    // its own.
    void WriteBehind() const { behind_->Start(); }
    // failed is called on the writing thread with the message of a file that could not
    // be written; writing stops there, and the texts not written stay readable here.
    void OnWriteBehindFailure(std::function<void(const QString& message)> failed) const;
    // Whether texts still wait for their files.
    bool WritingBehind() const { return behind_->Busy(); }
    // Waits until every waiting text is in its file (or writing stopped at a failure).
    void FinishWriting() const { behind_->Finish(); }
    // The file that holds the bytes of the document whose texts wait for their files.
    QString SourcePath() const;
    // The texts waiting for their files, as parts of the file at SourcePath(): what a
    // recovery record names. Nothing while that file is still being written.
    std::optional<std::vector<TWriteBehind::TSourceText>> TextsInSource() const {
        return behind_->PendingInSource();
    }
    // The texts waiting for their files as parts of the document they were read from,
    // when that document is the file as loaded: what a recovery record names while the
    // file at SourcePath() could not be written (the document's own file holds them).
    std::optional<std::vector<TWriteBehind::TSourceText>> TextsInDocument(
        const TFileFingerprint& loaded) const;
    // Texts wait for their files, but writing them stopped at a failure.
    bool WritingStopped() const { return behind_->Stopped(); }
    // Takes the texts of a recovered session back from the file at SourcePath(), or from
    // document when that file is not there, each unless its item's file exists (then
    // the file holds it, or a text stored later), and starts writing them behind.
    // Throws AppError when the file cannot be read or does not hold them.
    void TakeTextsFromSource(const std::vector<TWriteBehind::TSourceText>& texts,
                             const QString& document = QString()) const;
    // Moves every item text file (and the file at SourcePath()) into folder, which is
    // made first. Throws AppError when the folder cannot be made or a file not moved.
    void MoveAllTo(const QString& folder) const;
    // The item's text as editor text; empty when the file does not exist. Throws
    // AppError when it exists but cannot be read.
    QString Load(int itemNumber) const;
    // The item's characters as Load gives them, but with the file's line breaks (see
    // TTextFileCodec::DecodeCharacters). Throws AppError as Load does.
    QString LoadCharacters(int itemNumber) const;

    // Appends the item's file content to document when it already is what a document
    // holds: code page 932 lines each ending with CR LF (no other line break, no NUL,
    // not the UTF-8 form); *lineCount is then its number of lines. For any other content
    // document stays as it was and the result is false: Load() reads it instead. Throws
    // AppError when the file cannot be read.
    bool AppendDocumentLines(int itemNumber, QByteArray& document, qsizetype* lineCount) const;

    // Deletes every "*.tmp" file of the folder, read-only ones included, and every text
    // still waiting for its file. A missing folder has nothing to delete.
    void RemoveAll() const;

  private:
    // The bytes of the item's file; empty when it does not exist. Throws AppError.
    QByteArray Read(int itemNumber) const;

    QString dataDir_;
    std::shared_ptr<TWriteBehind> behind_;
};
