#include "interchange/TExportText.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/Cp932Codec.h"
#include "platform/THugePages.h"
#include "platform/TParallel.h"
#include "platform/TUtf8.h"

namespace {

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
// Entries one thread writes before it asks for more.
constexpr qsizetype kEntriesPerPiece = 64;

// Room at the end of out for units more UTF-16 units of at most most bytes each; where
// they go. The room grows as appending would, so that a piece made of many texts is not
// copied again for each; what is left over is cut off after them.
char* MakeRoom(QByteArray& out, qsizetype units, qsizetype most) {
    const qsizetype start = out.size();
    const qsizetype needed = start + units * most;
    if (out.capacity() < needed) out.reserve(std::max(needed, 2 * out.capacity()));
    out.resize(needed);
    return out.data() + start;
}

// Writes the UTF-8 of the character beyond ASCII at text[i], and moves i past a surrogate
// pair; a lone surrogate (an escape, see Cp932Codec) becomes U+FFFD, counted in replaced.
char* PutBeyondAscii(QStringView text, qsizetype& i, char* o, int* replaced) {
    const char16_t c = text[i].unicode();
    if (!QChar::isSurrogate(c)) return o + TUtf8::Write(c, o);
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return o + TUtf8::Write(QChar::surrogateToUcs4(c, text[++i].unicode()), o);
    std::memcpy(o, kReplacementUtf8, 3);
    ++*replaced;
    return o + 3;
}

}  // namespace

QString TExportText::OneLine(const QString& label) {
    QString line = label;
    for (QChar& c : line)
        if (c == u'\n' || c == u'\r') c = u' ';
    return line;
}

TExport TExportText::Utf8(QStringView text) {
    TExport result;
    AppendUtf8Replacing(result.bytes, text, &result.replacedBytes);
    return result;
}

void TExportText::AppendUtf8Replacing(QByteArray& out, QStringView text, int* replaced) {
    // No unit takes more than three bytes, a surrogate pair four.
    char* o = MakeRoom(out, text.size(), 3);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80)
            *o++ = static_cast<char>(c);
        else
            o = PutBeyondAscii(text, i, o, replaced);
    }
    out.truncate(o - out.constData());
}

TExport TExportText::ShiftJis(const QString& text) {
    TExport result;
    Cp932Codec::Encoded encoded = Cp932Codec::Encode(text);
    result.unencodable = encoded.unencodable;
    if (!encoded.Complete()) {
        // unencodable lists each character once, a surrogate pair as two units.
        QString replaced = text;
        for (qsizetype i = 0; i < encoded.unencodable.size();) {
            const bool pair =
                encoded.unencodable[i].isHighSurrogate() && i + 1 < encoded.unencodable.size();
            const qsizetype length = pair ? 2 : 1;
            replaced.replace(encoded.unencodable.mid(i, length), QStringLiteral("?"));
            i += length;
        }
        encoded = Cp932Codec::Encode(replaced);
    }
    result.bytes = std::move(encoded.bytes);
    return result;
}

void TExportText::AppendXml(QByteArray& out, QStringView text, bool attribute, int* replaced) {
    // No unit takes more than six bytes: "&quot;".
    char* o = MakeRoom(out, text.size(), 6);
    const auto put = [&o](QByteArrayView bytes) {
        std::memcpy(o, bytes.data(), bytes.size());
        o += bytes.size();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x80) {
            if (c < 0xFFFE) {
                o = PutBeyondAscii(text, i, o, replaced);
                continue;
            }
            put(kReplacementUtf8);
            ++*replaced;
            continue;
        }
        switch (c) {
            case u'&': put("&amp;"); break;
            case u'<': put("&lt;"); break;
            case u'>': put("&gt;"); break;
            case u'"': put("&quot;"); break;
            case u'\n': put(attribute ? "&#10;" : "\n"); break;
            case u'\r': put(attribute ? "&#13;" : "\r"); break;
            case u'\t': put(attribute ? "&#9;" : "\t"); break;
            default:
                if (c >= 0x20) {
                    *o++ = static_cast<char>(c);
                    break;
                }
                put(kReplacementUtf8);
                ++*replaced;
        }
    }
    out.truncate(o - out.constData());
}

TExport TExportText::InPieces(qsizetype count, const Piece& piece, QByteArrayView head,
                              QByteArrayView tail, const TExportStream& stream) {
    std::vector<TExport> pieces(TParallel::RunCount(count, kEntriesPerPiece));
    if (!stream.write) {
        TParallel::ForRuns(count, kEntriesPerPiece,
                           [&](qsizetype run, qsizetype begin, qsizetype end) {
                               if (stream.prepare) stream.prepare(begin, end);
                               pieces[run] = piece(begin, end);
                           });
        return Joined(pieces, head, tail);
    }
    stream.write(head);
    WriteInOrder(pieces, count, piece, stream);
    stream.write(tail);
    TExport whole;
    for (const TExport& made : pieces) {
        whole.replacedBytes += made.replacedBytes;
        AddUnencodable(whole.unencodable, made.unencodable);
    }
    return whole;
}

void TExportText::WriteInOrder(std::vector<TExport>& pieces, qsizetype count, const Piece& piece,
                               const TExportStream& stream) {
    std::vector<char> done(pieces.size(), false);
    std::size_t next = 0;  // the first piece not written
    bool writing = false;  // one thread writes at a time, the others go on making pieces
    std::mutex mutex;
    TParallel::ForRuns(count, kEntriesPerPiece, [&](qsizetype run, qsizetype begin, qsizetype end) {
        if (stream.prepare) stream.prepare(begin, end);
        TExport made = piece(begin, end);
        std::unique_lock lock(mutex);
        pieces[run] = std::move(made);
        done[run] = true;
        if (writing) return;  // the writing thread finds this piece when it comes to it
        writing = true;
        // Writing may wait for the disk: the other threads meanwhile add their pieces.
        while (next < pieces.size() && done[next]) {
            const QByteArray bytes = std::exchange(pieces[next].bytes, {});
            ++next;
            lock.unlock();
            // When this throws, writing stays taken: no piece is written past a gap.
            stream.write(bytes);
            lock.lock();
        }
        writing = false;
    });
}

TExport TExportText::Joined(std::vector<TExport>& pieces, QByteArrayView head,
                            QByteArrayView tail) {
    TExport whole;
    // Where each piece goes in the file, after the head.
    std::vector<qsizetype> offsets(pieces.size());
    qsizetype size = head.size();
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        offsets[k] = size;
        size += pieces[k].bytes.size();
        whole.replacedBytes += pieces[k].replacedBytes;
        AddUnencodable(whole.unencodable, pieces[k].unencodable);
    }
    // Tens of megabytes: copied on every processor.
    whole.bytes = QByteArray(size + tail.size(), Qt::Uninitialized);
    char* const into = whole.bytes.data();
    THugePages::Prefer(into, whole.bytes.size());
    // An empty view may have no data at all.
    if (!head.isEmpty()) std::memcpy(into, head.data(), head.size());
    if (!tail.isEmpty()) std::memcpy(into + size, tail.data(), tail.size());
    TParallel::ForRuns(
        static_cast<qsizetype>(pieces.size()), 1, [&](qsizetype, qsizetype begin, qsizetype end) {
            for (qsizetype k = begin; k < end; ++k)
                std::memcpy(into + offsets[k], pieces[k].bytes.constData(), pieces[k].bytes.size());
        });
    return whole;
}

void TExportText::AddUnencodable(QString& into, QStringView found) {
    for (qsizetype i = 0; i < found.size();) {
        const qsizetype length = found[i].isHighSurrogate() && i + 1 < found.size() ? 2 : 1;
        const QStringView character = found.sliced(i, length);
        if (!into.contains(character)) into += character;
        i += length;
    }
}
