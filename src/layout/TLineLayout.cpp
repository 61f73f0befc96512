#include "layout/TLineLayout.h"

#include "layout/TLineBreaker.h"
#include "layout/TParagraphs.h"
#include "layout/TTateChuYoko.h"

TLineLayout::TLineLayout(TLayoutOptions options) : options_(options) {}

void TLineLayout::Segment(QStringView paragraph) {
    runs_.clear();
    units_.clear();
    spans_.clear();
    TRubyNotation::Parse(paragraph, options_.countRuby, runs_, &spans_);
    for (const TRubyNotation::TRun& run : runs_)
        TGraphemeUnits::Append(paragraph, run.begin, run.end, units_);
    TTateChuYoko::Join(paragraph, units_);
    KeepRubyBasesTogether();
}

void TLineLayout::KeepRubyBasesTogether() {
    auto unit = units_.begin();
    for (const TRubyNotation::TSpan& span : spans_) {
        if (span.emphasis) continue;
        while (unit != units_.end() && unit->offset < span.baseBegin) ++unit;
        if (unit == units_.end()) return;
        for (auto next = unit + 1; next != units_.end() && next->offset < span.baseEnd; ++next)
            next->keepWithPrevious = true;
    }
}

TTextCounts TLineLayout::CountsOfUnits(qint64 gridLines) const {
    TTextCounts counts;
    for (const TGraphemeUnit& unit : units_) {
        counts.characters += unit.characters;
        if (unit.breakClass != TBreakClass::Blank) counts.nonBlank += unit.characters;
    }
    counts.lines = 1;
    counts.gridLines = gridLines;
    counts.usedGridLines = counts.characters > 0 ? gridLines : 0;
    return counts;
}

TTextCounts TLineLayout::CountParagraph(QStringView paragraph) {
    Segment(paragraph);
    const std::size_t count = units_.size();
    const auto columns = static_cast<std::size_t>(options_.grid.columns);
    qint64 gridLines = 0;
    // An empty paragraph takes a line of its own.
    if (count == 0) gridLines = 1;
    for (std::size_t begin = 0; begin < count; ++gridLines)
        begin = TLineBreaker::LineEnd(units_.data(), count, begin, columns);
    return CountsOfUnits(gridLines);
}

TTextCounts TLineLayout::Count(QStringView text) {
    TTextCounts counts;
    TParagraphs::ForEach(
        text, [&](QStringView paragraph, qsizetype) { counts += CountParagraph(paragraph); });
    return counts;
}

std::vector<TParagraphLayout> TLineLayout::LayOut(QStringView text) {
    std::vector<TParagraphLayout> paragraphs;
    TParagraphs::ForEach(text, [&](QStringView paragraph, qsizetype start) {
        paragraphs.push_back(LayOutParagraph(paragraph, start));
    });
    return paragraphs;
}

TParagraphLayout TLineLayout::LayOutParagraph(QStringView paragraph, qsizetype start) {
    TParagraphLayout layout;
    layout.start = start;
    Segment(paragraph);
    layout.ruby = spans_;
    for (TRubyNotation::TSpan& span : layout.ruby) {
        for (qsizetype* at : {&span.baseBegin, &span.baseEnd, &span.readingBegin, &span.readingEnd})
            *at += start;
    }
    const std::size_t count = units_.size();
    const auto columns = static_cast<std::size_t>(options_.grid.columns);
    if (count == 0) layout.lines.emplace_back();
    for (std::size_t begin = 0; begin < count;) {
        const std::size_t end = TLineBreaker::LineEnd(units_.data(), count, begin, columns);
        TGridLine& line = layout.lines.emplace_back();
        for (std::size_t i = begin; i < end; ++i)
            line.cells.push_back(
                {start + units_[i].offset, units_[i].length, i - begin >= columns});
        begin = end;
    }
    layout.counts = CountsOfUnits(static_cast<qint64>(layout.lines.size()));
    return layout;
}
