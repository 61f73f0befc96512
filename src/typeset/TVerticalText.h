#pragma once

#include <QString>
#include <span>
#include <vector>

#include "layout/TLayoutOptions.h"
#include "layout/TRubyNotation.h"
#include "typeset/TVerticalGlyphs.h"

// A place on the grid of a text: its grid line (from the text's first on, counted over
// its pages) and the cell in that line (from the top; a hanging character takes the
// cell one past the last).
struct TCellPlace {
    int line = 0;
    int cell = 0;

    friend bool operator==(const TCellPlace&, const TCellPlace&) = default;
};

// One character on the grid.
struct TVerticalCell {
    qsizetype offset = 0;  // in the text
    qint32 length = 0;     // UTF-16 code units
    qint32 line = 0;
    qint32 cell = 0;  // in its line
    TGlyphChoice glyph;
};

// Ruby or emphasis dots beside cells [firstCell, lastCell] of a line: a reading
// text[readingBegin, readingEnd), or dots beside each cell when emphasis is set.
struct TVerticalMark {
    int line = 0;
    int firstCell = 0;
    int lastCell = 0;
    qsizetype readingBegin = 0;
    qsizetype readingEnd = 0;
    bool emphasis = false;
};

// One item's text laid out for vertical writing with TLineLayout's grid (so that its pages
// are the counted manuscript pages): every character's cell and form, and the ruby and
// emphasis beside the cells. Ruby readings take cells after their base when the options
// count them (as the counts do then), and are set beside the base otherwise.
class TVerticalText {
  public:
    TVerticalText() = default;
    TVerticalText(QString text, const TLayoutOptions& options);

    // The text after an edit: only the paragraphs the edit touched are laid out again, so
    // that a keystroke in a long text costs about as much as in a short one.
    void Edit(QString text);

    const QString& Text() const { return text_; }
    // The pages the last character reaches (none for a text without characters).
    int Pages() const { return pages_; }
    int Lines() const { return static_cast<int>(lines_.size()); }
    std::span<const TVerticalCell> CellsOfLine(int line) const;
    const std::vector<TVerticalMark>& Marks() const { return marks_; }

    // The cell a caret before text[offset] marks: the character after it, or the cell
    // after the line's last character at the end of a paragraph.
    TCellPlace PlaceOf(qsizetype offset) const;
    // Where a caret put into a cell goes: before its character, or at the end of its line
    // for a cell after the line's characters.
    qsizetype OffsetAt(TCellPlace place) const;

  private:
    struct TLine {
        qsizetype begin = 0;  // the paragraph's start for its first line
        qsizetype end = 0;    // where the paragraph ends for its last line
        std::size_t firstCell = 0;
        std::size_t cellCount = 0;
        bool opensParagraph = false;
    };
    // Lines, cells and marks of whole paragraphs, numbered as in the whole text.
    struct TPiece {
        std::vector<TLine> lines;
        std::vector<TVerticalCell> cells;
        std::vector<TVerticalMark> marks;
    };

    // Lays out the paragraphs in text_[begin, end) (whole paragraphs, without the line
    // break after the last), their first line being the text's line firstLine and their
    // first cell its cell firstCell.
    TPiece LayOut(qsizetype begin, qsizetype end, int firstLine, std::size_t firstCell) const;
    void AddMarks(const std::vector<TRubyNotation::TSpan>& spans, TPiece& piece) const;
    static void AddRuby(const TRubyNotation::TSpan& span, std::span<const TVerticalCell> base,
                        TPiece& piece);
    // The paragraph that ends before next begins, after its line break.
    qsizetype EndBefore(qsizetype next) const;
    // The first and last lines of the paragraphs holding offsets first and last.
    std::pair<std::size_t, std::size_t> ParagraphLines(qsizetype first, qsizetype last) const;
    std::size_t LineHolding(qsizetype offset) const;
    void Splice(std::size_t firstLine, std::size_t lastLine, TPiece piece, qsizetype shift);
    void CountPages();

    QString text_;
    TLayoutOptions options_;
    std::vector<TLine> lines_;
    std::vector<TVerticalCell> cells_;
    std::vector<TVerticalMark> marks_;
    int pages_ = 0;
};
