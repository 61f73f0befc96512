#include "typeset/TVerticalText.h"

#include <algorithm>

#include "layout/TLineLayout.h"

TVerticalText::TVerticalText(QString text, const TLayoutOptions& options) : text_(std::move(text)) {
    TLayoutOptions withoutReadings = options;
    withoutReadings.countRuby = false;
    const std::vector<TParagraphLayout> paragraphs = TLineLayout(withoutReadings).LayOut(text_);
    std::size_t usedLines = 0;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const TParagraphLayout& paragraph = paragraphs[p];
        const qsizetype end =
            p + 1 < paragraphs.size() ? EndBefore(paragraphs[p + 1].start) : text_.size();
        for (std::size_t k = 0; k < paragraph.lines.size(); ++k) {
            const std::vector<TGridCell>& cells = paragraph.lines[k].cells;
            TLine line;
            line.begin = k == 0 ? paragraph.start : cells.front().offset;
            line.end =
                k + 1 < paragraph.lines.size() ? paragraph.lines[k + 1].cells.front().offset : end;
            line.firstCell = cells_.size();
            line.cellCount = cells.size();
            const auto lineIndex = static_cast<qint32>(lines_.size());
            for (std::size_t j = 0; j < cells.size(); ++j)
                cells_.push_back({cells[j].offset, static_cast<qint32>(cells[j].length), lineIndex,
                                  static_cast<qint32>(j),
                                  TVerticalGlyphs::Of(text_, cells[j].offset, cells[j].length)});
            lines_.push_back(line);
            if (!cells.empty()) usedLines = lines_.size();
        }
        AddMarks(paragraph.ruby);
    }
    const auto rows = static_cast<std::size_t>(options.grid.rows);
    pages_ = static_cast<int>((usedLines + rows - 1) / rows);
}

qsizetype TVerticalText::EndBefore(qsizetype next) const {
    if (next >= 2 && text_[next - 1] == u'\n' && text_[next - 2] == u'\r') return next - 2;
    return next - 1;
}

void TVerticalText::AddMarks(const std::vector<TRubyNotation::TSpan>& spans) {
    for (const TRubyNotation::TSpan& span : spans) {
        const auto first = std::lower_bound(
            cells_.begin(), cells_.end(), span.baseBegin,
            [](const TVerticalCell& cell, qsizetype at) { return cell.offset < at; });
        auto last = first;
        while (last != cells_.end() && last->offset < span.baseEnd) ++last;
        const std::span<const TVerticalCell> base(first, last);
        if (span.emphasis) {
            for (const TVerticalCell& cell : base)
                marks_.push_back({cell.line, cell.cell, cell.cell, 0, 0, true});
        } else if (!base.empty()) {
            AddRuby(span, base);
        }
    }
}

// A base split over lines (longer than a line) shares its reading out by its cells.
void TVerticalText::AddRuby(const TRubyNotation::TSpan& span, std::span<const TVerticalCell> base) {
    const qsizetype reading = span.readingEnd - span.readingBegin;
    const auto total = static_cast<qsizetype>(base.size());
    qsizetype done = 0;
    while (done < total) {
        qsizetype next = done;
        while (next < total && base[next].line == base[done].line) ++next;
        marks_.push_back({base[done].line, base[done].cell, base[next - 1].cell,
                          span.readingBegin + reading * done / total,
                          span.readingBegin + reading * next / total, false});
        done = next;
    }
}

std::span<const TVerticalCell> TVerticalText::CellsOfLine(int line) const {
    if (line < 0 || line >= Lines()) return {};
    const TLine& at = lines_[static_cast<std::size_t>(line)];
    return {cells_.data() + at.firstCell, at.cellCount};
}

TCellPlace TVerticalText::PlaceOf(qsizetype offset) const {
    const auto after =
        std::upper_bound(lines_.begin(), lines_.end(), offset,
                         [](qsizetype at, const TLine& line) { return at < line.begin; });
    if (after == lines_.begin()) return {};
    const int line = static_cast<int>(after - lines_.begin()) - 1;
    const std::span<const TVerticalCell> cells = CellsOfLine(line);
    const auto cell = std::lower_bound(
        cells.begin(), cells.end(), offset,
        [](const TVerticalCell& c, qsizetype at) { return c.offset + c.length <= at; });
    return {line, static_cast<int>(cell - cells.begin())};
}

qsizetype TVerticalText::OffsetAt(TCellPlace place) const {
    if (place.line < 0 || place.line >= Lines()) return text_.size();
    const std::span<const TVerticalCell> cells = CellsOfLine(place.line);
    if (place.cell >= 0 && place.cell < static_cast<int>(cells.size()))
        return cells[static_cast<std::size_t>(place.cell)].offset;
    return lines_[static_cast<std::size_t>(place.line)].end;
}
