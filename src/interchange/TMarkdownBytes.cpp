#include "interchange/TMarkdownBytes.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "document/TNodeName.h"
#include "document/TTextFileCodec.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TImportErrors.h"
#include "interchange/TMarkdownEscapes.h"
#include "interchange/TMarkdownHeadings.h"
#include "interchange/TMarkdownOutline.h"
#include "platform/Cp932Codec.h"
#include "platform/TParallel.h"
#include "platform/TUtf8.h"

namespace {

// The file is read in runs of about this many bytes, on several threads.
constexpr qsizetype kRunBytes = 1 << 20;
constexpr int kDeepestHeading = 6;
constexpr int kMostCommentDigits = 9;

enum class TKind : unsigned char { Heading, LevelComment };

// A line that is more to the parser than a paragraph's or a blank one.
struct TMarked {
    qsizetype line = 0;
    TKind kind = TKind::Heading;
    // A heading's level, or the level a comment gives.
    int level = 0;
};

// Where a line begins in the file and in its run's Shift-JIS. Both fit: a file is never
// larger than TImportErrors allows (1 GiB), and a run's Shift-JIS never more than twice a
// run, at most a quarter of a file of more than a few megabytes.
struct TLineStart {
    qint32 begin = 0;
    qint32 encodedBegin = 0;
};

// The lines of a run of the file, each in Shift-JIS with CR LF behind the one before.
struct TRun {
    QByteArray encoded;
    // One more than there are lines: the last tells where a line after them would begin.
    std::vector<TLineStart> starts;
    // The headings and level comments, their lines numbered from the run's first.
    std::vector<TMarked> marked;
    // The numbers of the lines that are not their text as they stand (an escape), or whose
    // Shift-JIS is not exactly that text.
    std::vector<qsizetype> mixed;
    // Whether a line is no UTF-8, holds a byte Read refuses or may open another block.
    bool foreign = false;
};

bool IsBlankByte(char c) { return c == ' ' || c == '\t'; }

// Whether the bytes hold one this reader does not take: a control character Read refuses
// (other than TAB, LF, VT, FF and CR), DEL, or a CR, which Read takes for a line end of its
// own. In bytes throughout, so that the compiler looks at many at once.
bool HasForeignByte(QByteArrayView bytes) {
    unsigned char found = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        found |=
            static_cast<unsigned char>((b < 0x20) & (static_cast<unsigned char>(b - 0x09) > 0x03)) |
            static_cast<unsigned char>(b == 0x7F);
    }
    return found != 0;
}

qsizetype CountOf(QByteArrayView line, qsizetype from, char c) {
    qsizetype end = from;
    while (end < line.size() && line[end] == c) ++end;
    return end - from;
}

// The level of "<!-- level N -->" (N: one to nine digits), or 0.
int LevelCommentLevel(QByteArrayView line) {
    static constexpr QByteArrayView kOpening = "<!-- level ";
    static constexpr QByteArrayView kClosing = " -->";
    if (!line.startsWith(kOpening) || !line.endsWith(kClosing)) return 0;
    const QByteArrayView digits =
        line.sliced(kOpening.size(), line.size() - kOpening.size() - kClosing.size());
    if (digits.isEmpty() || digits.size() > kMostCommentDigits ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return digits.toInt();
}

// What the line is to the parser, when it opens no other block than an ATX heading, a
// paragraph or an HTML block of our own level comment; false else. A blank line is taken
// for a paragraph line: only the headings count here.
bool Classify(QByteArrayView line, TMarked& info) {
    // Most lines of a Japanese text begin with a character beyond ASCII.
    if (line.isEmpty() || static_cast<unsigned char>(line[0]) >= 0x80) return true;
    const char first = line[0];
    // Lists, thematic breaks, setext underlines, quotes, fences, HTML blocks, link
    // reference definitions, and whatever an indent or a blank of another kind may be.
    if (first == ' ' || first == '\t') return std::all_of(line.begin(), line.end(), IsBlankByte);
    if (std::strchr("-+*=_>`~[\v\f", first) != nullptr) return false;
    if (first == '#') {
        const qsizetype marks = CountOf(line, 0, '#');
        info.kind = TKind::Heading;
        info.level = static_cast<int>(marks);
        return marks <= kDeepestHeading && (marks == line.size() || IsBlankByte(line[marks]));
    }
    if (first == '<') {
        info.kind = TKind::LevelComment;
        info.level = LevelCommentLevel(line);
        return info.level > 0;
    }
    if (first >= '0' && first <= '9') {
        // An ordered list's item: digits, then "." or ")".
        qsizetype digits = 0;
        while (digits < line.size() && line[digits] >= '0' && line[digits] <= '9') ++digits;
        return digits == line.size() || (line[digits] != '.' && line[digits] != ')');
    }
    return true;
}

// The lines of a run, each in Shift-JIS with CR LF behind the one before.
void ReadRun(QByteArrayView file, QByteArrayView lines, TRun& run) {
    if (HasForeignByte(lines)) {
        run.foreign = true;
        return;
    }
    // No character takes more bytes in Shift-JIS than in UTF-8, and a CR comes with each
    // LF: at most twice the bytes. What is not written is never touched.
    run.encoded = QByteArray(2 * lines.size() + 2, Qt::Uninitialized);
    char* const base = run.encoded.data();
    char* out = base;
    const qsizetype offset = lines.data() - file.data();
    qsizetype at = 0;
    for (qsizetype number = 0; at < lines.size(); ++number) {
        qsizetype feed = lines.indexOf('\n', at);
        if (feed < 0) feed = lines.size();
        const QByteArrayView line = lines.sliced(at, feed - at);
        run.starts.push_back({qint32(offset + at), qint32(out - base)});
        TMarked marked{number, TKind::Heading, 0};
        if (!Classify(line, marked)) {
            run.foreign = true;
            return;
        }
        if (marked.level > 0) run.marked.push_back(marked);
        const Cp932Codec::Utf8Encoding encoding = Cp932Codec::EncodeUtf8(line, out);
        if (encoding == Cp932Codec::Utf8Encoding::Invalid) {
            run.foreign = true;
            return;
        }
        *out++ = '\r';
        *out++ = '\n';
        if (encoding != Cp932Codec::Utf8Encoding::Exact || !TMarkdownEscapes::HasNoEscapes(line))
            run.mixed.push_back(number);
        at = feed + 1;
    }
    run.starts.push_back({qint32(offset + at), qint32(out - base)});
    run.encoded.truncate(out - base);
}

// Whether the file is what Read decodes as UTF-8 just as it stands, as far as its first
// and last bytes tell; the rest tells as it is read, on every processor.
bool MayBePlainUtf8(QByteArrayView file) {
    return !file.startsWith("\xEF\xBB\xBF") && !file.startsWith("\xFF\xFE") &&
           !file.startsWith("\xFE\xFF") && !file.endsWith('\x1A');
}

// The lines of the file, read on every processor, as Read reads them.
class TDocumentLines {
  public:
    explicit TDocumentLines(const QByteArray& file) : file_(file) {}

    // False when a line is foreign.
    bool Read() {
        runs_.resize(static_cast<size_t>(TParallel::RunCount(file_.size(), kRunBytes)));
        std::atomic<bool> foreign{false};
        TParallel::ForLineRuns(file_, kRunBytes, [&](qsizetype number, QByteArrayView lines) {
            TRun& run = runs_[static_cast<size_t>(number)];
            if (!foreign) ReadRun(file_, lines, run);
            if (run.foreign) foreign = true;
        });
        if (foreign) return false;
        for (const TRun& run : runs_) {
            firstLines_.push_back(count_);
            for (TMarked marked : run.marked) {
                marked.line += count_;
                marked_.push_back(marked);
            }
            for (const qsizetype line : run.mixed) mixed_.push_back(count_ + line);
            count_ += static_cast<qsizetype>(run.starts.size()) - 1;
        }
        return true;
    }

    qsizetype Count() const { return count_; }
    const std::vector<TMarked>& Marked() const { return marked_; }
    QByteArrayView Bytes(qsizetype line) const { return Span(line, line + 1); }
    // The lines [begin, end) decoded, LF between them.
    QString Decoded(qsizetype begin, qsizetype end) const {
        if (begin >= end) return {};
        // A U+FEFF at the start is the text's own, as everywhere in the decoded file.
        return TUtf8::Decode(Span(begin, end));
    }
    bool IsBlank(qsizetype line) const {
        const QByteArrayView bytes = Bytes(line);
        // Most lines begin with a character that is no blank and need no decoding.
        if (!bytes.isEmpty()) {
            const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
            const char32_t first =
                data[0] < 0x80 ? data[0] : TUtf8::DecodeSequence(data, 0, bytes.size()).first;
            if (!QChar::isSpace(first)) return false;
        }
        return Decoded(line, line + 1).trimmed().isEmpty();
    }
    // The text of the lines [begin, end) after a heading, as the bytes of its item file
    // when it can be.
    void SetText(TEntryCollector& entries, qsizetype begin, qsizetype end) const {
        qsizetype first = begin;
        qsizetype after = end;
        if (first < after && IsBlank(first)) ++first;
        if (first < after && IsBlank(after - 1)) --after;
        if (first >= after) return;
        if (const std::optional<TItemFileBytes> encoded = Encoded(first, after)) {
            entries.SetLastFileText(*encoded);
            return;
        }
        const QString text = Decoded(begin, end);
        TMarkdownOutline::TLines lines;
        for (qsizetype from = 0;;) {
            const qsizetype feed = text.indexOf(u'\n', from);
            lines.push_back(QStringView(text).sliced(from, (feed < 0 ? text.size() : feed) - from));
            if (feed < 0) break;
            from = feed + 1;
        }
        entries.SetLastText(TMarkdownOutline::Text(lines, 0, end - begin));
    }

  private:
    // The run a line is in, and the line's number there.
    std::pair<const TRun*, qsizetype> Find(qsizetype line) const {
        const auto after = std::upper_bound(firstLines_.begin(), firstLines_.end(), line);
        const qsizetype run = after - firstLines_.begin() - 1;
        return {&runs_[static_cast<size_t>(run)], line - *(after - 1)};
    }
    // The bytes of the lines [begin, end) without the LF after the last.
    QByteArrayView Span(qsizetype begin, qsizetype end) const {
        const auto [firstRun, first] = Find(begin);
        const auto [lastRun, last] = Find(end - 1);
        const qint32 from = firstRun->starts[static_cast<size_t>(first)].begin;
        const qint32 to = lastRun->starts[static_cast<size_t>(last + 1)].begin - 1;
        return QByteArrayView(file_).sliced(from, std::min<qsizetype>(to, file_.size()) - from);
    }
    // The Shift-JIS of lines [begin, end) as an item file holds it, when it is exactly their
    // text.
    std::optional<TItemFileBytes> Encoded(qsizetype begin, qsizetype end) const {
        const auto mixed = std::lower_bound(mixed_.begin(), mixed_.end(), begin);
        if (mixed != mixed_.end() && *mixed < end) return std::nullopt;
        const auto [firstRun, first] = Find(begin);
        const auto [lastRun, last] = Find(end - 1);
        const qint32 from = firstRun->starts[static_cast<size_t>(first)].encodedBegin;
        const qint32 to = lastRun->starts[static_cast<size_t>(last + 1)].encodedBegin;
        TItemFileBytes bytes{firstRun->encoded, from, to - from};
        if (firstRun != lastRun) {
            // A long text goes on over the ends of runs: its pieces are put together.
            QByteArray joined = firstRun->encoded.sliced(from);
            for (const TRun* run = firstRun + 1; run != lastRun; ++run) joined += run->encoded;
            joined += QByteArrayView(lastRun->encoded).first(to);
            bytes = {joined, 0, joined.size()};
        }
        // Bytes that would begin like a file in UTF-8 are no file of the store's.
        if (bytes.Bytes().startsWith(TTextFileCodec::kUtf8Mark)) return std::nullopt;
        return bytes;
    }

    const QByteArray& file_;
    std::vector<TRun> runs_;
    std::vector<qsizetype> firstLines_;
    std::vector<TMarked> marked_;
    std::vector<qsizetype> mixed_;
    qsizetype count_ = 0;
};

struct THeadingLine {
    int level = 0;
    QString label;
    // Where the heading (with its level comment) begins, and the line after it.
    qsizetype first = 0;
    qsizetype after = 0;
};

std::optional<std::vector<THeadingLine>> Headings(const TDocumentLines& lines) {
    std::vector<THeadingLine> headings;
    QByteArray joined;
    const std::vector<TMarked>& marked = lines.Marked();
    for (size_t k = 0; k < marked.size(); ++k) {
        const TMarked& heading = marked[k];
        if (heading.kind != TKind::Heading) continue;
        const TMarked* comment = k > 0 ? &marked[k - 1] : nullptr;
        const bool commented =
            heading.level == kDeepestHeading && comment && comment->kind == TKind::LevelComment &&
            comment->line + 1 == heading.line && comment->level > kDeepestHeading;
        headings.push_back({commented ? comment->level : heading.level, QString(),
                            commented ? comment->line : heading.line, heading.line + 1});
        (joined += lines.Bytes(heading.line)) += '\n';
    }
    const qsizetype count = static_cast<qsizetype>(headings.size());
    const std::optional<QStringList> labels = TMarkdownHeadings::AtxLabels(joined, count);
    if (!labels) return std::nullopt;
    for (qsizetype k = 0; k < count; ++k) headings[static_cast<size_t>(k)].label = labels->at(k);
    return headings;
}

}  // namespace

std::optional<TOutlineEntries> TMarkdownBytes::Read(const QByteArray& file) {
    TImportErrors::CheckSize(file.size());
    if (!MayBePlainUtf8(file)) return std::nullopt;
    TDocumentLines lines(file);
    if (!lines.Read()) return std::nullopt;
    const std::optional<std::vector<THeadingLine>> headings = Headings(lines);
    if (!headings) return std::nullopt;

    TEntryCollector entries;
    const qsizetype prefaceEnd = headings->empty() ? lines.Count() : headings->front().first;
    for (qsizetype line = 0; line < prefaceEnd; ++line) {
        if (lines.IsBlank(line)) continue;
        const QString first = lines.Decoded(line, line + 1).trimmed();
        entries.Add(1, TNodeName::FirstBytes(first, TNodeName::kMaxLabelBytes), QString(),
                    line + 1);
        lines.SetText(entries, 0, prefaceEnd);
        break;
    }
    for (size_t k = 0; k < headings->size(); ++k) {
        const THeadingLine& heading = (*headings)[k];
        entries.Add(heading.level, heading.label, QString(), heading.first + 1);
        const qsizetype next = k + 1 < headings->size() ? (*headings)[k + 1].first : lines.Count();
        lines.SetText(entries, heading.after, next);
    }
    return entries.Take();
}
