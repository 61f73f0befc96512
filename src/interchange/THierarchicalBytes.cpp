#include "interchange/THierarchicalBytes.h"

#include <atomic>

#include "document/TNodeName.h"
#include "document/TTextFileCodec.h"
#include "document/TTextLines.h"
#include "interchange/TEntryCollector.h"
#include "interchange/THierarchicalText.h"
#include "interchange/TImportErrors.h"
#include "interchange/TImportedText.h"
#include "platform/Cp932Codec.h"
#include "platform/TParallel.h"

namespace {

// The file is checked in runs of about this many bytes, on several threads.
constexpr qsizetype kRunBytes = 1 << 20;

// The bytes of the level mark at line[at]: 1 for ".", 2 for "．" (81 44), 0 for none.
// at is where a character begins.
qsizetype MarkAt(QByteArrayView line, qsizetype at) {
    if (at < line.size() && line[at] == '.') return 1;
    if (at + 1 < line.size() && line[at] == '\x81' && line[at + 1] == '\x44') return 2;
    return 0;
}

// Whether the line begins with one or more "\" and a level mark: an escaped line.
bool IsEscapedMark(QByteArrayView line) {
    qsizetype escapes = 0;
    while (escapes < line.size() && line[escapes] == '\\') ++escapes;
    return escapes > 0 && MarkAt(line, escapes) > 0;
}

// 1 when data[0] is a byte Decode refuses or a CR that data[1] does not follow as LF.
// Without a branch, so that the compiler makes a loop over it look at many bytes at once.
inline unsigned char IsForeign(const unsigned char* data) {
    const unsigned char b = data[0];
    return static_cast<unsigned char>((unsigned(b < 0x20) & unsigned(b - 0x09u > 0x0Du - 0x09u)) |
                                      unsigned(b == 0x7F) |
                                      (unsigned(b == '\r') & unsigned(data[1] != '\n')));
}

// Whether bytes[begin, end) hold a byte Decode refuses or a CR that ends no CR LF.
bool HasForeignByte(QByteArrayView bytes, qsizetype begin, qsizetype end) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (end == bytes.size() && end > begin) {
        const unsigned char last = data[--end];
        if ((last < 0x20 && (last < 0x09 || last > 0x0D)) || last == 0x7F || last == '\r')
            return true;
    }
    constexpr qsizetype kBlock = 256;
    unsigned char foreign = 0;
    qsizetype i = begin;
    for (; i + kBlock <= end; i += kBlock) {
        for (qsizetype j = 0; j < kBlock; ++j) foreign |= IsForeign(data + i + j);
        if (foreign) return true;
    }
    for (; i < end; ++i) foreign |= IsForeign(data + i);
    return foreign != 0;
}

// Whether the whole file is what the decoding reader reads as plain Shift-JIS: no control
// character it refuses, no lone CR, and few enough bytes that are no character.
bool IsPlainShiftJis(QByteArrayView file) {
    if (!TImportedText::StartsAsShiftJis(file)) return false;
    std::atomic<bool> foreign{false};
    std::atomic<qsizetype> units{0};
    std::atomic<qsizetype> escapes{0};
    TParallel::ForLineRuns(file, kRunBytes, [&](qsizetype, QByteArrayView lines) {
        const qsizetype begin = lines.data() - file.data();
        if (foreign || HasForeignByte(file, begin, begin + lines.size())) {
            foreign = true;
            return;
        }
        const Cp932Codec::Measure measure = Cp932Codec::MeasureDecoding(lines);
        units += measure.units;
        escapes += measure.escapes;
    });
    return !foreign && escapes * 100 <= units;
}

// Whether lines read as the text they are, also as an item file: the store decodes these,
// as Read does, and takes them as they stand when they are in its files' form already.
bool ReadAsAFile(QByteArrayView lines) { return !lines.startsWith(TTextFileCodec::kUtf8Mark); }

}  // namespace

std::optional<TOutlineEntries> THierarchicalBytes::Read(const QByteArray& file) {
    TImportErrors::CheckSize(file.size());
    if (!IsPlainShiftJis(file)) return std::nullopt;
    const QByteArrayView bytes(file);
    TEntryCollector entries;
    // The lines of the last entry's text, taken in one piece when the entry ends: from
    // where they begin (-1 before the first of them).
    qsizetype textBegin = -1;
    bool escaped = false;
    const auto endText = [&](qsizetype end) {
        if (textBegin < 0) return;
        const QByteArrayView lines = bytes.sliced(textBegin, end - textBegin);
        if (!escaped && ReadAsAFile(lines)) {
            entries.SetLastFileText({file, textBegin, lines.size()});
        } else {
            const QString text = Cp932Codec::Decode(lines);
            if (escaped)
                TImportedText::ForEachLine(text, [&](QStringView line) {
                    entries.AppendLine(THierarchicalText::Unescaped(line));
                });
            else
                entries.SetLastText(TTextLines::FromFile(text, TTextLines::Nul::IsCharacter));
        }
        textBegin = -1;
        escaped = false;
    };
    qint64 number = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        qsizetype feed = bytes.indexOf('\n', at);
        const qsizetype next = feed < 0 ? bytes.size() : feed + 1;
        if (feed < 0) feed = bytes.size();
        // Every CR stands before an LF: the line's characters end before it.
        const QByteArrayView line =
            bytes.sliced(at, feed - at).chopped(feed > at && bytes[feed - 1] == '\r' ? 1 : 0);
        ++number;
        int level = 0;
        qsizetype marks = 0;
        while (const qsizetype mark = MarkAt(line, marks)) {
            ++level;
            marks += mark;
        }
        if (level > 0) {
            endText(at);
            const QString label = Cp932Codec::Decode(line.sliced(marks));
            entries.Add(level, THierarchicalText::Unescaped(label).toString(), QString(), number);
        } else {
            if (entries.IsEmpty()) {
                const QString first = Cp932Codec::Decode(line).trimmed();
                if (first.isEmpty()) {
                    at = next;
                    continue;
                }
                entries.Add(1, TNodeName::FirstBytes(first, TNodeName::kMaxLabelBytes), QString(),
                            number);
            }
            if (textBegin < 0) textBegin = at;
            escaped = escaped || IsEscapedMark(line);
        }
        at = next;
    }
    endText(bytes.size());
    return entries.Take();
}
