#pragma once

#include <QStringView>
#include <vector>

#include "layout/TGraphemeUnits.h"
#include "layout/TLayoutOptions.h"
#include "layout/TParagraphLayout.h"
#include "layout/TRubyNotation.h"
#include "layout/TTextCounts.h"

// Lays texts out on manuscript paper: every paragraph begins a grid line, a paragraph
// longer than a line wraps by TLineBreaker's rules, ruby notation is read by
// TRubyNotation and every grapheme cluster takes a cell, but for what TTateChuYoko sets
// across the line, and a ruby base stays in one line where it fits. A paragraph's layout depends on
// its own text alone. An object keeps its buffers between calls: one per thread.
class TLineLayout {
  public:
    explicit TLineLayout(TLayoutOptions options = {});

    const TLayoutOptions& Options() const { return options_; }

    // The counts of a paragraph (a text without line breaks).
    TTextCounts CountParagraph(QStringView paragraph);
    // The counts of a text of any number of paragraphs.
    TTextCounts Count(QStringView text);
    // Where every character of text sits, paragraph by paragraph: what a preview draws.
    std::vector<TParagraphLayout> LayOut(QStringView text);

  private:
    // Fills units_ with the cells of paragraph, spans_ with its ruby.
    void Segment(QStringView paragraph);
    void KeepRubyBasesTogether();
    TParagraphLayout LayOutParagraph(QStringView paragraph, qsizetype start);
    TTextCounts CountsOfUnits(qint64 gridLines) const;

    TLayoutOptions options_;
    std::vector<TRubyNotation::TRun> runs_;
    std::vector<TGraphemeUnit> units_;
    std::vector<TRubyNotation::TSpan> spans_;
};
