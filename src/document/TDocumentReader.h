#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "document/TOutline.h"

class TItemTextStore;
class TOutlineItemModel;

// Reads a ".qlo" document (see TDocumentWriter for the layout) back into an outline.
//
// Lines end at CR LF, a lone CR or a lone LF; a NUL ends the readable text. A first
// line that begins with "qlm oe data form" is the header, whatever version follows; a
// file without it starts with the tree line. The tree line is split at "," into
// Name=Value fields (names without regard to letter case, the first of equal names
// wins, any order). An item line is read as the parent up to its first ":", the
// expanded flag after its last ":" and the label in between, so a label may hold ":"
// and double quotes. A parent index names the item of that item line (0 = the first
// item line), which must stand before the child.
//
// Reading is all or nothing: the whole document is checked before anything is created,
// and a malformed one throws TDocumentFormatError naming the problem and its line.
class TDocumentReader {
  public:
    // The deepest level a document may nest its items to. Far beyond any real outline,
    // and far below what the outline view can lay out without running out of stack.
    static constexpr int kMaxDepth = 4096;

    // Hands out the ItemNumber of a new item (the main window's AllocateItemNumber).
    using NumberAllocator = std::function<int()>;

    struct Result {
        TOutline outline;
        // The items whose expanded flag was "1", in file order (their Expanded is set).
        QList<TOutlineItem*> expanded;
    };

    // Builds a new outline from the document: every item gets a number from allocate,
    // and its text goes to its item text file in store (an empty file for an empty
    // text), written behind (see TItemTextStore::WriteBehind). Throws TDocumentFormatError for
    // malformed content and AppError when a text file cannot be written; nothing outside store has
    // changed then.
    static Result Read(const QByteArray& bytes, const NumberAllocator& allocate,
                       const TItemTextStore& store);

    // As above, then replaces the model's outline by the new one in a single reset.
    // On any failure the model keeps its old outline. Returns the expanded items.
    static QList<TOutlineItem*> Read(const QByteArray& bytes, TOutlineItemModel& model,
                                     const NumberAllocator& allocate, const TItemTextStore& store);

    // Builds a new outline from the document without any item text file: item k (in
    // outline order) gets the number k and its text is texts[k]. For reading a document
    // that is not the one the window edits (conversions from the command line).
    static Result ReadInMemory(const QByteArray& bytes, QStringList& texts);

    // Checks the document without creating anything; throws as Read does.
    static void Check(const QByteArray& bytes);

    // The whole content of the file at path. Throws AppError when it cannot be read or
    // is no regular file (a folder, a pipe, a device).
    static QByteArray ReadFile(const QString& path);
};
