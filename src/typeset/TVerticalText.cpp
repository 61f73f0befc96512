#include "typeset/TVerticalText.h"

#include <algorithm>
#include <utility>

#include "layout/TLineLayout.h"

TVerticalText::TVerticalText(QString text, const TLayoutOptions& options)
    : text_(std::move(text)), options_(options) {
    TPiece piece = LayOut(0, text_.size(), 0, 0);
    lines_ = std::move(piece.lines);
    cells_ = std::move(piece.cells);
    marks_ = std::move(piece.marks);
    CountPages();
}

TVerticalText::TPiece TVerticalText::LayOut(qsizetype begin, qsizetype end, int firstLine,
                                            std::size_t firstCell) const {
    std::vector<TParagraphLayout> paragraphs =
        TLineLayout(options_).LayOut(QStringView(text_).sliced(begin, end - begin));
    // Between two line breaks: an empty paragraph.
    if (paragraphs.empty() && !text_.isEmpty()) paragraphs.emplace_back().lines.emplace_back();
    TPiece piece;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const TParagraphLayout& paragraph = paragraphs[p];
        const qsizetype paragraphEnd =
            p + 1 < paragraphs.size() ? EndBefore(begin + paragraphs[p + 1].start) : end;
        for (std::size_t k = 0; k < paragraph.lines.size(); ++k) {
            const std::vector<TGridCell>& cells = paragraph.lines[k].cells;
            TLine line;
            line.begin = begin + (k == 0 ? paragraph.start : cells.front().offset);
            line.end = k + 1 < paragraph.lines.size()
                           ? begin + paragraph.lines[k + 1].cells.front().offset
                           : paragraphEnd;
            line.firstCell = firstCell + piece.cells.size();
            line.cellCount = cells.size();
            line.opensParagraph = k == 0;
            const auto lineIndex = static_cast<qint32>(firstLine + piece.lines.size());
            for (std::size_t j = 0; j < cells.size(); ++j) {
                const qsizetype offset = begin + cells[j].offset;
                piece.cells.push_back({offset, static_cast<qint32>(cells[j].length), lineIndex,
                                       static_cast<qint32>(j),
                                       TVerticalGlyphs::Of(text_, offset, cells[j].length)});
            }
            piece.lines.push_back(line);
        }
        std::vector<TRubyNotation::TSpan> spans = paragraph.ruby;
        for (TRubyNotation::TSpan& span : spans) {
            for (qsizetype* at :
                 {&span.baseBegin, &span.baseEnd, &span.readingBegin, &span.readingEnd})
                *at += begin;
        }
        AddMarks(spans, piece);
    }
    return piece;
}

void TVerticalText::CountPages() {
    std::size_t usedLines = lines_.size();
    while (usedLines > 0 && lines_[usedLines - 1].cellCount == 0) --usedLines;
    const auto rows = static_cast<std::size_t>(options_.grid.rows);
    pages_ = static_cast<int>((usedLines + rows - 1) / rows);
}

void TVerticalText::Edit(QString text) {
    // A lone CR followed by a typed LF would join two line breaks into one: laid out whole.
    if (text_.isEmpty() || text.isEmpty() || text_.contains(u'\r') || text.contains(u'\r')) {
        *this = TVerticalText(std::move(text), options_);
        return;
    }
    const qsizetype shorter = std::min(text_.size(), text.size());
    const qsizetype prefix =
        std::mismatch(text_.cbegin(), text_.cbegin() + shorter, text.cbegin()).first -
        text_.cbegin();
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           text_[text_.size() - 1 - suffix] == text[text.size() - 1 - suffix])
        ++suffix;
    const auto [first, last] = ParagraphLines(prefix, text_.size() - suffix);
    const qsizetype shift = text.size() - text_.size();
    const qsizetype begin = lines_[first].begin;
    const qsizetype end = lines_[last].end + shift;
    text_ = std::move(text);
    Splice(first, last, LayOut(begin, end, static_cast<int>(first), lines_[first].firstCell),
           shift);
    CountPages();
}

std::size_t TVerticalText::LineHolding(qsizetype offset) const {
    const auto after =
        std::upper_bound(lines_.begin(), lines_.end(), offset,
                         [](qsizetype at, const TLine& line) { return at < line.begin; });
    return after == lines_.begin() ? 0 : static_cast<std::size_t>(after - lines_.begin()) - 1;
}

std::pair<std::size_t, std::size_t> TVerticalText::ParagraphLines(qsizetype first,
                                                                  qsizetype last) const {
    std::size_t from = LineHolding(first);
    while (!lines_[from].opensParagraph) --from;
    std::size_t to = LineHolding(last);
    while (to + 1 < lines_.size() && !lines_[to + 1].opensParagraph) ++to;
    return {from, to};
}

// Puts piece in place of lines [firstLine, lastLine] and what they hold, and moves what
// comes after by shift characters (and by the lines and cells the piece adds).
void TVerticalText::Splice(std::size_t firstLine, std::size_t lastLine, TPiece piece,
                           qsizetype shift) {
    const std::size_t firstCell = lines_[firstLine].firstCell;
    const std::size_t endCell = lines_[lastLine].firstCell + lines_[lastLine].cellCount;
    const auto lineShift =
        static_cast<qint32>(piece.lines.size()) - static_cast<qint32>(lastLine - firstLine + 1);
    const auto cellShift = static_cast<std::ptrdiff_t>(piece.cells.size()) -
                           static_cast<std::ptrdiff_t>(endCell - firstCell);
    for (std::size_t i = lastLine + 1; i < lines_.size(); ++i) {
        lines_[i].begin += shift;
        lines_[i].end += shift;
        lines_[i].firstCell =
            static_cast<std::size_t>(static_cast<std::ptrdiff_t>(lines_[i].firstCell) + cellShift);
    }
    for (std::size_t i = endCell; i < cells_.size(); ++i) {
        cells_[i].offset += shift;
        cells_[i].line += lineShift;
    }
    const auto byLine = [](const TVerticalMark& mark, qint32 line) { return mark.line < line; };
    const auto marksBegin =
        std::lower_bound(marks_.begin(), marks_.end(), static_cast<qint32>(firstLine), byLine);
    const auto marksEnd =
        std::lower_bound(marksBegin, marks_.end(), static_cast<qint32>(lastLine + 1), byLine);
    for (auto mark = marksEnd; mark != marks_.end(); ++mark) {
        mark->line += lineShift;
        if (!mark->emphasis) {
            mark->readingBegin += shift;
            mark->readingEnd += shift;
        }
    }
    const auto at = [](auto& vector, std::size_t index) {
        return vector.begin() + static_cast<std::ptrdiff_t>(index);
    };
    marks_.insert(marks_.erase(marksBegin, marksEnd), piece.marks.begin(), piece.marks.end());
    cells_.insert(cells_.erase(at(cells_, firstCell), at(cells_, endCell)), piece.cells.begin(),
                  piece.cells.end());
    lines_.insert(lines_.erase(at(lines_, firstLine), at(lines_, lastLine + 1)),
                  piece.lines.begin(), piece.lines.end());
}

qsizetype TVerticalText::EndBefore(qsizetype next) const {
    if (next >= 2 && text_[next - 1] == u'\n' && text_[next - 2] == u'\r') return next - 2;
    return next - 1;
}

void TVerticalText::AddMarks(const std::vector<TRubyNotation::TSpan>& spans, TPiece& piece) const {
    for (const TRubyNotation::TSpan& span : spans) {
        const auto first = std::lower_bound(
            piece.cells.begin(), piece.cells.end(), span.baseBegin,
            [](const TVerticalCell& cell, qsizetype at) { return cell.offset < at; });
        auto last = first;
        while (last != piece.cells.end() && last->offset < span.baseEnd) ++last;
        const std::span<const TVerticalCell> base(first, last);
        if (span.emphasis) {
            for (const TVerticalCell& cell : base)
                piece.marks.push_back({cell.line, cell.cell, cell.cell, 0, 0, true});
        } else if (!base.empty() && !options_.countRuby) {
            AddRuby(span, base, piece);
        }
    }
}

// A base split over lines (longer than a line) shares its reading out by its cells.
void TVerticalText::AddRuby(const TRubyNotation::TSpan& span, std::span<const TVerticalCell> base,
                            TPiece& piece) {
    const qsizetype reading = span.readingEnd - span.readingBegin;
    const auto total = static_cast<qsizetype>(base.size());
    qsizetype done = 0;
    while (done < total) {
        qsizetype next = done;
        while (next < total && base[next].line == base[done].line) ++next;
        piece.marks.push_back({base[done].line, base[done].cell, base[next - 1].cell,
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
