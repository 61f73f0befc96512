#include "interchange/TOpmlLines.h"

#include <QByteArray>
#include <atomic>
#include <cstring>
#include <vector>

#include "document/TDocumentReader.h"
#include "document/TTextFileCodec.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TXmlReference.h"
#include "platform/Cp932Codec.h"
#include "platform/THugePages.h"
#include "platform/TParallel.h"
#include "platform/TUtf8.h"

namespace {

constexpr QByteArrayView kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n  <head>\n"
    "    <title>";
constexpr QByteArrayView kBodyStart = "</title>\n  </head>\n  <body>\n";
constexpr QByteArrayView kEnd = "  </body>\n</opml>\n";
constexpr QByteArrayView kOpening = "<outline text=\"";
constexpr QByteArrayView kNote = " _note=\"";
constexpr QByteArrayView kClosing = "</outline>";

// The body is read in runs of about this many bytes, on several threads.
constexpr qsizetype kRunBytes = 1 << 20;

enum class TTag : unsigned char { Open, Empty, Close };

// One line of the body as read.
struct TLine {
    TTag tag = TTag::Close;
    QString label;
    QString note;
    std::optional<TItemFileBytes> file;
};

struct TRun {
    std::vector<TLine> lines;
    // Where the notes' Shift-JIS goes: the buffer of all notes, and the place in it for
    // this run's; none when the notes are decoded.
    char* base = nullptr;
    char* out = nullptr;
    // Whether a line is not in the export's shape.
    bool foreign = false;
};

// Whether the bytes hold a control character or a "<", which no value here may hold. In
// bytes throughout, so that the compiler looks at many at once.
bool HasControlOrLess(QByteArrayView bytes) {
    unsigned char found = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        found |= static_cast<unsigned char>((b < 0x20) | (b == '<'));
    }
    return found != 0;
}

// The UTF-8 a value stands for, its references replaced; nothing when it holds one XML
// does not know or is no UTF-8.
std::optional<QByteArray> Unescaped(QByteArrayView value) {
    QByteArray out;
    out.reserve(value.size());
    qsizetype at = 0;
    for (qsizetype amp = value.indexOf('&'); amp >= 0; amp = value.indexOf('&', at)) {
        out += value.sliced(at, amp - at);
        const auto [code, length] = TXmlReference::At(value.sliced(amp));
        if (code == 0) return std::nullopt;
        char utf8[4];
        out += QByteArrayView(utf8, TUtf8::Write(code, utf8));
        at = amp + length;
    }
    out += value.sliced(at);
    if (!TUtf8::IsValid(out)) return std::nullopt;
    return out;
}

std::optional<QString> Decoded(QByteArrayView value) {
    const std::optional<QByteArray> utf8 = Unescaped(value);
    if (!utf8) return std::nullopt;
    return TUtf8::Decode(*utf8);
}

// A note as its item file holds it, written at out, which has room for its bytes and two
// more: each line in Shift-JIS with CR LF. False when the file would not read back as the
// note: a character without an exact code, a CR of its own, or what is no UTF-8 (which
// Decoded then finds).
bool EncodeNote(QByteArrayView note, char*& out) {
    // The line break our export writes, which comes every few characters.
    constexpr QByteArrayView kLineBreak = "&#10;";
    const char* const start = out;
    for (qsizetype at = 0;;) {
        qsizetype amp = 0;
        if (Cp932Codec::EncodeUtf8(note.sliced(at), '&', out, amp) !=
            Cp932Codec::Utf8Encoding::Exact)
            return false;
        amp += at;
        if (amp == note.size()) break;
        const QByteArrayView reference = note.sliced(amp);
        // Compared in place rather than through a call: one for every line of every note.
        const bool lineBreak =
            reference.size() >= kLineBreak.size() &&
            std::memcmp(reference.data(), kLineBreak.data(), kLineBreak.size()) == 0;
        const auto [code, length] =
            lineBreak ? std::pair(char32_t('\n'), kLineBreak.size()) : TXmlReference::At(reference);
        if (code == '\n') {
            *out++ = '\r';
            *out++ = '\n';
        } else {
            if (code == 0 || code == '\r') return false;
            // A reference is never shorter than its character's UTF-8: there is room.
            char utf8[4];
            if (Cp932Codec::EncodeUtf8(QByteArrayView(utf8, TUtf8::Write(code, utf8)), out) !=
                Cp932Codec::Utf8Encoding::Exact)
                return false;
        }
        at = amp + length;
    }
    *out++ = '\r';
    *out++ = '\n';
    // Bytes that would begin like a file in UTF-8 are no file of the store's.
    return !QByteArrayView(start, out - start).startsWith(TTextFileCodec::kUtf8Mark);
}

// The value in double quotes that the line begins with, and the line after its closing
// quote; nothing when there is no such value.
std::optional<QByteArrayView> QuotedValue(QByteArrayView& line) {
    const qsizetype quote = line.indexOf('"');
    if (quote < 0) return std::nullopt;
    const QByteArrayView value = line.first(quote);
    line = line.sliced(quote + 1);
    if (HasControlOrLess(value)) return std::nullopt;
    return value;
}

// The line read into the run; false when it is not in the export's shape.
bool ReadLine(QByteArrayView line, TRun& run) {
    qsizetype indent = 0;
    while (indent < line.size() && line[indent] == ' ') ++indent;
    line = line.sliced(indent);
    if (line == kClosing) {
        run.lines.emplace_back();
        return true;
    }
    if (!line.startsWith(kOpening)) return false;
    line = line.sliced(kOpening.size());
    const std::optional<QByteArrayView> label = QuotedValue(line);
    std::optional<QByteArrayView> note = QByteArrayView();
    if (label && line.startsWith(kNote)) {
        line = line.sliced(kNote.size());
        note = QuotedValue(line);
    }
    if (!label || !note || (line != ">" && line != "/>")) return false;
    TLine& read = run.lines.emplace_back();
    read.tag = line == ">" ? TTag::Open : TTag::Empty;
    const std::optional<QString> labelText = Decoded(*label);
    if (!labelText) return false;
    read.label = *labelText;
    if (note->isEmpty()) return true;
    char* const start = run.out;
    if (start && EncodeNote(*note, run.out)) {
        // The buffer itself is put in when the runs are done.
        read.file = TItemFileBytes{{}, start - run.base, run.out - start};
        return true;
    }
    run.out = start;
    const std::optional<QString> noteText = Decoded(*note);
    if (!noteText) return false;
    read.note = *noteText;
    return true;
}

void ReadRun(QByteArrayView lines, TRun& run) {
    for (qsizetype at = 0; at < lines.size();) {
        qsizetype feed = lines.indexOf('\n', at);
        if (feed < 0) feed = lines.size();
        if (!ReadLine(lines.sliced(at, feed - at), run)) {
            run.foreign = true;
            return;
        }
        at = feed + 1;
    }
}

// Whether the title is character data XML takes: UTF-8 with the references it knows and no
// control character but TAB, and no "<" or ">", so no "]]>".
bool IsPlainTitle(QByteArrayView title) {
    for (const char c : title)
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '>') return false;
    return !title.contains('<') && Unescaped(title).has_value();
}

// The lines between "<body>" and "</body>", when the rest is the export's own.
std::optional<QByteArrayView> Body(QByteArrayView bytes) {
    if (!bytes.startsWith(kHead) || !bytes.endsWith(kEnd)) return std::nullopt;
    const qsizetype titleEnd = bytes.indexOf(kBodyStart, kHead.size());
    if (titleEnd < 0 || !IsPlainTitle(bytes.sliced(kHead.size(), titleEnd - kHead.size())))
        return std::nullopt;
    const qsizetype begin = titleEnd + kBodyStart.size();
    const qsizetype end = bytes.size() - kEnd.size();
    if (end < begin) return std::nullopt;
    return bytes.sliced(begin, end - begin);
}

// The entries of the lines, when their elements nest and none is too deep.
std::optional<TOutlineEntries> Entries(std::vector<TRun>& runs, const QByteArray& encoded) {
    TEntryCollector entries;
    int depth = 0;
    for (TRun& run : runs) {
        for (TLine& line : run.lines) {
            if (line.tag == TTag::Close) {
                if (--depth < 0) return std::nullopt;
                continue;
            }
            if (depth + 1 > TDocumentReader::kMaxDepth) return std::nullopt;
            // No level is beyond the limit here: the line goes into no message.
            entries.Add(depth + 1, std::move(line.label), std::move(line.note), 0);
            if (line.file) {
                line.file->file = encoded;
                entries.SetLastFileText(std::move(*line.file));
            }
            if (line.tag == TTag::Open) ++depth;
        }
    }
    if (depth != 0 || entries.IsEmpty()) return std::nullopt;
    return entries.Take();
}

}  // namespace

std::optional<TOutlineEntries> TOpmlLines::Read(QByteArrayView bytes, TEntryTexts texts) {
    const std::optional<QByteArrayView> body = Body(bytes);
    if (!body) return std::nullopt;
    // A note and its quotes stand in a line, and their Shift-JIS is no longer than their
    // UTF-8: the notes of each run fit in the place of the run's bytes. What is not written
    // is never touched.
    const bool asFileBytes = texts == TEntryTexts::AsFileBytes;
    QByteArray encoded = asFileBytes ? QByteArray(body->size(), Qt::Uninitialized) : QByteArray();
    char* const base = asFileBytes ? encoded.data() : nullptr;
    if (base) THugePages::Prefer(base, encoded.size());
    std::vector<TRun> runs(static_cast<size_t>(TParallel::RunCount(body->size(), kRunBytes)));
    std::atomic<bool> foreign{false};
    TParallel::ForLineRuns(*body, kRunBytes, [&](qsizetype number, QByteArrayView lines) {
        TRun& run = runs[static_cast<size_t>(number)];
        run.base = base;
        run.out = base ? base + (lines.data() - body->data()) : nullptr;
        if (!foreign) ReadRun(lines, run);
        if (run.foreign) foreign = true;
    });
    if (foreign) return std::nullopt;
    return Entries(runs, encoded);
}
