#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>

// The item text files: one file a item in the Data folder, named by the item's
// number ("12.tmp"). A missing file is an empty text.
//
// Files are written in code page 932, or as UTF-8 when code page 932 cannot hold a
// text exactly (see TTextFileCodec), so that no typed character is lost while the
// program runs.
class TItemTextStore {
public:
    // dataDir: the Data folder, ending with a path separator.
    explicit TItemTextStore(QString dataDir) : dataDir_(std::move(dataDir)) {}

    const QString& DataDir() const { return dataDir_; }
    QString Path(int itemNumber) const;
    bool Exists(int itemNumber) const;

    // The first number from `from` on whose file does not exist.
    int FirstFreeNumber(int from) const;
    // The numbers of the item text files in the folder: allocating thousands of numbers
    // at once asks the folder once instead of once for every number.
    QSet<int> ExistingNumbers() const;
    // The first number from `from` on that is not in existing.
    static int FirstFreeNumber(int from, const QSet<int>& existing);

    // Writes editorText (lines separated by "\n") to the item's file. Throws AppError
    // when the file cannot be written; the item's file then holds what it held before.
    void Store(int itemNumber, QStringView editorText) const;

    // Writes lines, the text block of a document holding lineCount lines, as the item's
    // file when it already is in the file's form (see AppendDocumentLines), and returns
    // true. Returns false without writing for any other bytes: the caller decodes them
    // and stores the text. Throws AppError when the file cannot be written.
    bool StoreDocumentLines(int itemNumber, QByteArrayView lines, qsizetype lineCount) const;
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

    // Deletes every "*.tmp" file of the folder, read-only ones included. A missing
    // folder has nothing to delete.
    void RemoveAll() const;

private:
    // The bytes of the item's file; empty when it does not exist. Throws AppError.
    QByteArray Read(int itemNumber) const;

    QString dataDir_;
};
