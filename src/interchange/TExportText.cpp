#include "interchange/TExportText.h"

#include <QStringEncoder>
#include <cstring>
#include <vector>

#include "platform/Cp932Codec.h"
#include "platform/TParallel.h"

namespace {

constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";
// Entries one thread writes before it asks for more.
constexpr qsizetype kEntriesPerPiece = 64;

bool IsForbiddenInXml(char16_t u) {
    return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
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
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!text[i].isSurrogate()) continue;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        AppendUtf8(out, text.sliced(run, i - run));
        out += kReplacementUtf8;
        ++*replaced;
        run = i + 1;
    }
    AppendUtf8(out, text.sliced(run));
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
    // All but the markup characters, the controls, the surrogates and U+FFFE, U+FFFF need
    // nothing: they go in runs.
    const auto plain = [](char16_t c) {
        return c >= 0x20 && c != u'&' && c != u'<' && c != u'>' && c != u'"' &&
               !QChar::isSurrogate(c) && c < 0xFFFE;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (plain(c)) {
            qsizetype end = i + 1;
            while (end < text.size() && plain(text[end].unicode())) ++end;
            AppendUtf8(out, text.sliced(i, end - i));
            i = end - 1;
            continue;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            AppendUtf8(out, text.sliced(i, 2));
            ++i;
            continue;
        }
        if (QChar::isSurrogate(c) || IsForbiddenInXml(c)) {
            out += kReplacementUtf8;
            ++*replaced;
            continue;
        }
        switch (c) {
            case u'&': out += "&amp;"; break;
            case u'<': out += "&lt;"; break;
            case u'>': out += "&gt;"; break;
            case u'"': out += "&quot;"; break;
            case u'\n': out += attribute ? "&#10;" : "\n"; break;
            case u'\r': out += attribute ? "&#13;" : "\r"; break;
            case u'\t': out += attribute ? "&#9;" : "\t"; break;
            default: out += char(c);  // U+FFFE and U+FFFF are forbidden: c is ASCII
        }
    }
}

void TExportText::AppendUtf8(QByteArray& out, QStringView text) {
    // Qt's fastest way to UTF-8 makes a string of its own, worth it for long runs only.
    constexpr qsizetype kLongRun = 256;
    if (text.size() >= kLongRun) {
        out += text.toUtf8();
        return;
    }
    constexpr qsizetype kLongestUtf8 = 3;  // a surrogate pair: 4 bytes for 2 units
    const qsizetype size = out.size();
    out.resize(size + kLongestUtf8 * text.size());
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const char* const end = encoder.appendToBuffer(out.data() + size, text);
    out.truncate(end - out.constData());
}

TExport TExportText::InPieces(qsizetype count, const Piece& piece, QByteArrayView head,
                              QByteArrayView tail) {
    std::vector<TExport> pieces(TParallel::RunCount(count, kEntriesPerPiece));
    TParallel::ForRuns(count, kEntriesPerPiece, [&](qsizetype run, qsizetype begin, qsizetype end) {
        pieces[run] = piece(begin, end);
    });
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
