#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

class TOutline;
class TOutlineItem;
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
    // The same with every item's text given by textOf (lines separated by "\n"): a
    // document made without item text files (conversions from the command line).
    using TextOf = std::function<QString(const TOutlineItem& item)>;
    static Output Write(const TOutline& outline, const TextOf& textOf);

    // Whether the index of the item whose text the editor holds equals the number of
    // items: the editor's text then belongs to no item and must not be stored before
    // saving. The caller shows IndexError001Text() and saves without it.
    static bool CurrentIndexIsStale(const TOutline& outline, int currentItemIndex);
    static QString IndexError001Text();
    static QString EmptyOutlineText();
};
