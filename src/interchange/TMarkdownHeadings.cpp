#include "interchange/TMarkdownHeadings.h"

#include <md4c-html.h>
#include <md4c.h>

#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>
#include <vector>

#include "interchange/TExportText.h"
#include "platform/TParallel.h"

namespace {

constexpr int kDeepestHeading = 6;
constexpr char32_t kReplacement = 0xFFFD;
// The bytes of heading lines one thread parses before it asks for more.
constexpr qsizetype kLabelBytesPerRun = 16 * 1024;

// A heading at any depth, or an HTML block of the top level, as the parser met it: its
// text, and the span of the source its text points into (-1: none).
struct TBlock {
    bool heading = false;
    int level = 0;
    bool topLevel = false;
    QByteArray text;
    qsizetype firstByte = -1;
    qsizetype lastByte = -1;
    // The furthest byte of the source any text before the block points into, or -1.
    qsizetype readBefore = -1;
};

// What the parser's calls gather: every heading and top-level HTML block in order.
struct TGathered {
    QByteArrayView source;
    std::vector<TBlock> blocks;
    int depth = 0;
    // The block being read, or -1.
    qsizetype open = -1;
    qsizetype furthest = -1;
};

// The code point of a numeric character reference ("&#65;", "&#x41;"); what none may be
// becomes U+FFFD, as in every CommonMark reader.
char32_t NumericReference(QByteArrayView entity) {
    const bool hex = entity.size() > 2 && (entity[2] == 'x' || entity[2] == 'X');
    const QByteArrayView digits = entity.sliced(hex ? 3 : 2).chopped(1);
    bool ok = false;
    const ulong code = digits.toByteArray().toULong(&ok, hex ? 16 : 10);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kReplacement;
    return static_cast<char32_t>(code);
}

// The UTF-8 of a named entity ("&copy;") through md4c's own HTML renderer, which holds the
// table of them; one it does not know stays as written.
QByteArray NamedReference(QByteArrayView entity) {
    QByteArray html;
    md_html(
        entity.data(), static_cast<MD_SIZE>(entity.size()),
        [](const MD_CHAR* text, MD_SIZE size, void* into) {
            static_cast<QByteArray*>(into)->append(text, size);
        },
        &html, 0, 0);
    // "<p>…</p>\n", the character escaped for HTML where it must be.
    QByteArray decoded = html.mid(3, html.size() - 3 - 5);
    return decoded.replace("&lt;", "<")
        .replace("&gt;", ">")
        .replace("&quot;", "\"")
        .replace("&amp;", "&");
}

void AppendEntity(QByteArray& into, QByteArrayView entity) {
    if (entity.startsWith("&#")) {
        const char32_t code = NumericReference(entity);
        into += QString::fromUcs4(&code, 1).toUtf8();
    } else {
        into += NamedReference(entity);
    }
}

void AppendText(TBlock& block, MD_TEXTTYPE type, QByteArrayView text) {
    switch (type) {
        case MD_TEXT_NORMAL:
        case MD_TEXT_CODE:
        case MD_TEXT_HTML: block.text += text; break;
        case MD_TEXT_ENTITY: AppendEntity(block.text, text); break;
        case MD_TEXT_NULLCHAR: block.text += "\xEF\xBF\xBD"; break;
        case MD_TEXT_BR:
        case MD_TEXT_SOFTBR: block.text += ' '; break;
        default: break;
    }
}

int EnterBlock(MD_BLOCKTYPE type, void* detail, void* data) {
    TGathered& gathered = *static_cast<TGathered*>(data);
    const bool topLevel = ++gathered.depth == 2;  // the document itself is the first
    if (type == MD_BLOCK_H || (type == MD_BLOCK_HTML && topLevel)) {
        TBlock block;
        block.heading = type == MD_BLOCK_H;
        block.level =
            block.heading ? static_cast<int>(static_cast<MD_BLOCK_H_DETAIL*>(detail)->level) : 0;
        block.topLevel = topLevel;
        block.readBefore = gathered.furthest;
        gathered.open = static_cast<qsizetype>(gathered.blocks.size());
        gathered.blocks.push_back(std::move(block));
    }
    return 0;
}

int LeaveBlock(MD_BLOCKTYPE type, void*, void* data) {
    TGathered& gathered = *static_cast<TGathered*>(data);
    --gathered.depth;
    if (type == MD_BLOCK_H || type == MD_BLOCK_HTML) gathered.open = -1;
    return 0;
}

int Span(MD_SPANTYPE, void*, void*) { return 0; }

int Text(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* data) {
    TGathered& gathered = *static_cast<TGathered*>(data);
    // Line breaks and the like come from the parser's own strings, not from the source.
    const auto address = reinterpret_cast<std::uintptr_t>(text);
    const auto start = reinterpret_cast<std::uintptr_t>(gathered.source.data());
    const bool inSource = size > 0 && address >= start &&
                          address < start + static_cast<std::uintptr_t>(gathered.source.size());
    const qsizetype at = inSource ? text - gathered.source.data() : -1;
    if (inSource) gathered.furthest = std::max(gathered.furthest, at + size - 1);
    if (gathered.open < 0) return 0;
    TBlock& block = gathered.blocks[static_cast<size_t>(gathered.open)];
    AppendText(block, type, QByteArrayView(text, size));
    if (inSource) {
        if (block.firstByte < 0) block.firstByte = at;
        block.lastByte = std::max(block.lastByte, at + size - 1);
    }
    return 0;
}

// The source cut into lines, as TImportedText cuts text joined with LF.
class TSourceLines {
  public:
    explicit TSourceLines(QByteArrayView source) : source_(source) {
        starts_.push_back(0);
        for (qsizetype at = source.indexOf('\n'); at >= 0 && at + 1 < source.size();
             at = source.indexOf('\n', at + 1))
            starts_.push_back(at + 1);
    }
    qsizetype Count() const { return static_cast<qsizetype>(starts_.size()); }
    qsizetype LineOf(qsizetype byte) const {
        return std::upper_bound(starts_.begin(), starts_.end(), byte) - starts_.begin() - 1;
    }
    QByteArrayView Line(qsizetype line) const {
        const qsizetype begin = starts_[static_cast<size_t>(line)];
        const qsizetype end =
            line + 1 < Count() ? starts_[static_cast<size_t>(line + 1)] - 1 : source_.size();
        return source_.sliced(begin, std::max<qsizetype>(end - begin, 0));
    }
    // The first line from `from` on that passes test(lines, line), or -1.
    template <typename Test>
    qsizetype Find(qsizetype from, Test test) const {
        for (qsizetype line = from; line < Count(); ++line)
            if (test(*this, line)) return line;
        return -1;
    }

  private:
    QByteArrayView source_;
    std::vector<qsizetype> starts_;
};

// The first line from a start on that passes a test. While the starts go forward each line
// is tested once: a file of many headings without text is not searched again and again.
class TForwardSearch {
  public:
    using Test = bool (*)(const TSourceLines& lines, qsizetype line);
    TForwardSearch(const TSourceLines& lines, Test test) : lines_(lines), test_(test) {}
    qsizetype From(qsizetype start) {
        if (start < start_ || (found_ >= 0 && start > found_)) {
            start_ = start;
            found_ = lines_.Find(start, test_);
        }
        return found_;
    }

  private:
    const TSourceLines& lines_;
    Test test_;
    qsizetype start_ = std::numeric_limits<qsizetype>::max();
    qsizetype found_ = -1;
};

qsizetype Indent(QByteArrayView line) {
    qsizetype spaces = 0;
    while (spaces < line.size() && line[spaces] == ' ') ++spaces;
    return spaces;
}

// Whether the line opens an ATX heading of the top level: up to three spaces, one to six
// "#", then a blank or the end.
bool OpensHeading(QByteArrayView line) {
    const qsizetype spaces = Indent(line);
    if (spaces > 3) return false;
    qsizetype marks = 0;
    while (spaces + marks < line.size() && line[spaces + marks] == '#') ++marks;
    const qsizetype after = spaces + marks;
    return marks >= 1 && marks <= kDeepestHeading &&
           (after == line.size() || line[after] == ' ' || line[after] == '\t');
}

// Whether the line opens an ATX heading at any depth: behind quote marks, list markers and
// the blanks of their content.
bool OpensNestedHeading(QByteArrayView line) {
    static const QRegularExpression opening(QStringLiteral(
        "^(?:[ \\t]*(?:>|[-+*](?=[ \\t])|[0-9]{1,9}[.)](?=[ \\t])))*[ \\t]*#{1,6}(?:[ \\t]|$)"));
    return opening.match(QString::fromUtf8(line)).hasMatch();
}

// Whether the line is a setext heading's underline.
bool IsUnderline(QByteArrayView line) {
    qsizetype at = Indent(line);
    if (at > 3 || at >= line.size() || (line[at] != '=' && line[at] != '-')) return false;
    const char mark = line[at];
    while (at < line.size() && line[at] == mark) ++at;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    return at == line.size();
}

bool IsBlank(QByteArrayView line) { return line.trimmed().isEmpty(); }

bool OpensNestedHeadingAt(const TSourceLines& lines, qsizetype line) {
    return OpensNestedHeading(lines.Line(line));
}

// Whether the line underlines the text above it: a line after a blank one is a thematic
// break.
bool UnderlinesAt(const TSourceLines& lines, qsizetype line) {
    return line > 0 && IsUnderline(lines.Line(line)) && !IsBlank(lines.Line(line - 1));
}

// The level an HTML block of ours gives the heading after it, or 0.
int LevelComment(const QByteArray& html) {
    static const QRegularExpression comment(QStringLiteral("^<!-- level ([0-9]{1,9}) -->\n?$"));
    const QRegularExpressionMatch match = comment.match(QString::fromUtf8(html));
    const int level = match.hasMatch() ? match.captured(1).toInt() : 0;
    return level > kDeepestHeading ? level : 0;
}

QString Label(const QByteArray& text) {
    // QString::fromUtf8 would take a U+FEFF at the start for a byte order mark and drop it.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    // Inline HTML may go on over a line break.
    return TExportText::OneLine(decoder.decode(text));
}

// Where the heading's lines are: [first, after). from: the first line nothing read before
// the heading stands on.
std::pair<qsizetype, qsizetype> HeadingLines(const TBlock& block, const TSourceLines& lines,
                                             qsizetype from, TForwardSearch& openings,
                                             TForwardSearch& underlines) {
    if (block.firstByte < 0) {
        // Nothing in it points into the source: the heading is the next line that opens an
        // ATX heading, or the next underline with the lines above it, whichever comes first.
        const qsizetype opening = openings.From(from);
        const qsizetype underline = underlines.From(from + 1);
        if (underline >= 0 && (opening < 0 || underline < opening)) {
            qsizetype first = underline - 1;
            while (first > from && !IsBlank(lines.Line(first - 1))) --first;
            return {first, underline + 1};
        }
        if (opening >= 0) return {opening, opening + 1};
        return {from, lines.Count()};
    }
    const qsizetype first = lines.LineOf(block.firstByte);
    const qsizetype last = lines.LineOf(block.lastByte);
    if (!block.topLevel || OpensHeading(lines.Line(first))) return {first, last + 1};
    // A setext heading's text cannot hold its underline: the next one is its own.
    const qsizetype underline = underlines.From(last + 1);
    return {first, underline >= 0 ? underline + 1 : last + 1};
}

TGathered Parse(QByteArrayView source) {
    TGathered gathered;
    gathered.source = source;
    MD_PARSER parser{};
    parser.enter_block = EnterBlock;
    parser.leave_block = LeaveBlock;
    parser.enter_span = Span;
    parser.leave_span = Span;
    parser.text = Text;
    md_parse(source.data(), static_cast<MD_SIZE>(source.size()), &parser, &gathered);
    return gathered;
}

}  // namespace

std::optional<QStringList> TMarkdownHeadings::AtxLabels(QByteArrayView lines, qsizetype count) {
    // Each line is a heading of its own, whatever stands before it: thousands of them are
    // parsed in pieces on every processor.
    std::vector<QStringList> pieces(
        static_cast<size_t>(TParallel::RunCount(lines.size(), kLabelBytesPerRun)));
    std::atomic<bool> doubt{false};
    TParallel::ForLineRuns(lines, kLabelBytesPerRun, [&](qsizetype run, QByteArrayView piece) {
        const TGathered gathered = Parse(piece);
        QStringList& labels = pieces[static_cast<size_t>(run)];
        for (const TBlock& block : gathered.blocks) {
            if (!block.heading || !block.topLevel) doubt = true;
            labels.append(Label(block.text));
        }
    });
    QStringList labels;
    labels.reserve(count);
    for (const QStringList& piece : pieces) labels += piece;
    if (doubt || labels.size() != count) return std::nullopt;
    return labels;
}

QList<TMarkdownHeadings::THeading> TMarkdownHeadings::Read(QByteArrayView source) {
    const TGathered gathered = Parse(source);

    const TSourceLines lines(source);
    TForwardSearch openings(lines, OpensNestedHeadingAt);
    TForwardSearch underlines(lines, UnderlinesAt);
    QList<THeading> headings;
    int commentLevel = 0;
    qsizetype commentLine = -2;
    qsizetype from = 0;
    // Where the last heading of the top level ends: the next begins there at the earliest,
    // so that no line belongs to two of them.
    qsizetype lastAfter = 0;
    for (const TBlock& block : gathered.blocks) {
        if (block.readBefore >= 0) from = std::max(from, lines.LineOf(block.readBefore) + 1);
        if (!block.heading) {
            commentLevel = LevelComment(block.text);
            commentLine = block.firstByte >= 0 ? lines.LineOf(block.firstByte) : -2;
            continue;
        }
        auto [first, after] = HeadingLines(block, lines, from, openings, underlines);
        from = std::max(from, after);
        if (!block.topLevel) continue;
        first = std::max(first, lastAfter);
        after = std::max(after, first + 1);
        lastAfter = after;
        const bool commented =
            commentLevel > 0 && block.level == kDeepestHeading && commentLine + 1 == first;
        headings.append({commented ? commentLevel : block.level, Label(block.text),
                         commented ? commentLine : first, after});
        commentLevel = 0;
    }
    return headings;
}
