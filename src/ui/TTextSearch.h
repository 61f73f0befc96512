#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// A selection in a text: a start position and a length, both counted in UTF-16 code
// units. A length of 0 is no selection; the caret position alone does not matter here.
struct TTextSelection {
    qsizetype start = 0;
    qsizetype length = 0;

    qsizetype End() const { return start + length; }
    friend bool operator==(const TTextSelection&, const TTextSelection&) = default;
};

// One change of a text: the range [start, start + length) of the old text becomes text.
struct TTextEdit {
    qsizetype start = 0;
    qsizetype length = 0;
    QString text;

    // The old text with this change made.
    QString AppliedTo(QStringView oldText) const;
};

// The editor's find, replace and replace-all rules on a plain text, without any widget.
//
// Every search is case-sensitive (exact characters), not restricted to whole words,
// forward only, and never wraps around to the beginning. An empty search text is
// never found.
class TTextSearch {
  public:
    // Where Find next starts: just behind a non-empty selection, otherwise at the
    // beginning of the text.
    static qsizetype StartOf(TTextSelection selection);

    // The first occurrence of what in text at or behind from; -1 when there is none.
    static qsizetype IndexOf(QStringView text, QStringView what, qsizetype from);

    // True when the selection covers exactly the characters of what.
    static bool IsOccurrence(QStringView text, TTextSelection selection, QStringView what);

    // Find next: the occurrence to select, searched from StartOf(selection) to the end
    // of the text; nothing when there is none (the caller then changes nothing).
    static std::optional<TTextSelection> FindNext(QStringView text, TTextSelection selection,
                                                  QStringView what);

    struct TReplaceResult {
        // The replacement made, when the selection was an occurrence of what.
        std::optional<TTextEdit> edit;
        // The text after the replacement (the unchanged text when none was made).
        QString text;
        // What is selected afterwards in that text: the occurrence found next. Nothing
        // found: a replacement leaves no selection and the caret behind the inserted
        // text (caret); without a replacement the selection stays as it was.
        std::optional<TTextSelection> found;
        qsizetype caret = 0;  // meaningful when edit is set and nothing was found
    };

    // Replace: when the selection equals what, it is replaced by with; then Find next,
    // which after a replacement starts at the beginning of the text (the replacement
    // left no selection) and otherwise behind the selection.
    static TReplaceResult Replace(QStringView text, TTextSelection selection, QStringView what,
                                  QStringView with);

    struct TReplaceAllResult {
        qsizetype count = 0;  // occurrences replaced; 0: nothing changes at all
        // One change covering every replacement, from the first replaced position to
        // the end of the last one. Meaningful when count > 0.
        TTextEdit edit;
        // Where the caret stands afterwards in the new text (no selection): behind the
        // replacement made last.
        qsizetype caret = 0;
    };

    // Replace all: every occurrence of what present in the text when it begins is
    // replaced by with exactly once, also those in front of the selection; text
    // inserted by the replacements is never searched again. A selected occurrence is
    // replaced first, then the text is walked from the beginning. A selection that is
    // not an occurrence is never replaced as a whole. Runs in time linear in the text.
    static TReplaceAllResult ReplaceAll(QStringView text, TTextSelection selection,
                                        QStringView what, QStringView with);
};
