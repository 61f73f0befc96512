#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <optional>

class TOutline;
class TItemTextStore;

// Writes an outline with its item texts as a ".qlo" document:
//
//   qlm oe data form 1.3
//   Tree=N,0=L(0),1=L(1),...        L(k): number of text lines of item k
//   nil:label:1                     one line per item in depth-first order: the parent's
//   0:label:0                       index or "nil", the label, "1" when expanded
//   ...text lines of item 0, then of item 1, ...
//
// in code page 932, every line (the last one included) ending with CR LF.
class TDocumentWriter {
  public:
    static constexpr const char* kHeader = "qlm oe data form 1.3";

    struct Output {
        // The document in two parts, written one after the other: the header, the tree
        // line and the item lines; then the text lines of every item.
        QByteArray head;
        QByteArray texts;
        // Every distinct character of a label or text that code page 932 cannot hold
        // (emoji, rare ideographs), in order of first appearance. Each occurrence is
        // written as "?" in the document. Empty when the document was encoded completely;
        // when it is not, the user must agree before the document is written anywhere.
        QString unencodable;
        bool Complete() const { return unencodable.isEmpty(); }
        // The whole document.
        QByteArray Bytes() const { return head + texts; }
    };
    // Builds the document from the outline and the item text files of its items. Every
    // item must have its text file (the caller stores the editor's text first). A line
    // break or NUL inside a label would break the line structure and is written as a
    // blank. Throws AppError for an empty outline ("編集中の文章に、内容がありません") and
    // for an item text file that is missing or cannot be read. Touches no file.
    // An item's text taken from memory instead of its file (the editor's text, when its
    // file cannot be written).
    struct TTextInMemory {
        int itemNumber = -1;
        QString text;  // lines separated by "\n"
    };
    static Output Write(const TOutline& outline, const TItemTextStore& store,
                        const std::optional<TTextInMemory>& inMemory = std::nullopt);

    // Replaces the file at path with the pieces, one after the other, so that a failure
    // never leaves a damaged or missing document: the bytes go to a temporary file in the
    // same folder, which replaces path only when completely written and synced. With
    // backup, the previous document is kept as path + "~" (an older backup of that name
    // is replaced); if the backup cannot be made, the save still goes on. Throws AppError
    // when the document cannot be written, with the system's reason on its second line
    // when there is one; the old document and the old backup are then untouched. A
    // backup left half made by a save that was ended half way (path + "~.part") goes
    // with the next successful save.
    static void WriteFile(const QString& path, const QList<QByteArrayView>& pieces, bool backup);

    // What a document file was like when the program last read or wrote it, to tell
    // whether another program has changed it since.
    struct Fingerprint {
        QString path;  // absolute
        qint64 size = -1;
        // The file's identity and times in nanoseconds: the status change time moves with
        // every write and rename, and no program can set it back.
        quint64 inode = 0;
        qint64 modified = 0;
        qint64 changed = 0;
        quint64 hash = 0;
        // A fingerprint kept from an earlier run has no hash (it is valid within one run
        // only): any change of the status then counts as a change of the file.
        bool hashKnown = true;
        // Whether other names the file this is the fingerprint of.
        bool IsFor(const QString& other) const;
    };
    // The fingerprint of the file at path that holds the pieces, one after the other:
    // just read or just written, so that the bytes need not be read again.
    static Fingerprint FingerprintOf(const QString& path, const QList<QByteArrayView>& pieces);
    // Whether the file the fingerprint names has been changed since. While its size,
    // identity and times agree it has not (nothing is read, so a save stays fast); when
    // one of them differs, its bytes decide, so that a file only touched counts as
    // unchanged. A file that no longer exists, or is no regular file, has nothing another
    // program wrote that a save could lose: it counts as unchanged.
    static bool ChangedSince(const Fingerprint& fingerprint);
    // Whether the file the fingerprint names has the size, identity and times it had:
    // nothing is read.
    static bool StatusUnchanged(const Fingerprint& fingerprint);
    // A fast non-cryptographic hash of the pieces taken as one run of bytes: the same
    // however the bytes are divided into pieces. Only for comparisons within a run of
    // the program.
    static quint64 ContentHash(const QList<QByteArrayView>& pieces);

    // Whether the index of the item whose text the editor holds equals the number of
    // items: the editor's text then belongs to no item and must not be stored before
    // saving. The caller shows IndexError001Text() and saves without it.
    static bool CurrentIndexIsStale(const TOutline& outline, int currentItemIndex);
    static QString IndexError001Text();
    static QString EmptyOutlineText();
};
