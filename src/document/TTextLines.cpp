#include "document/TTextLines.h"

#include <algorithm>

namespace {

// Whether the byte at data[0] breaks the document's line form (a NUL, a CR not followed by
// LF, or an LF seen at data[1] without a CR before it), and whether data[1] is an LF.
struct LineFormStep {
    unsigned char foreign;
    unsigned char lineFeedNext;
};
inline LineFormStep CheckLineForm(const unsigned char* data) {
    const unsigned char lineFeedNext = data[1] == '\n';
    return {static_cast<unsigned char>(((data[0] == '\r') ^ lineFeedNext) | (data[0] == '\0')),
            lineFeedNext};
}

// Copies [in, end) to out with every CR LF and lone CR made an LF, in one pass (out may
// be in itself: the text only gets shorter); returns where the copy ends. QString::replace
// would move the rest of a huge text again for every line.
QChar* UnifyLineBreaks(const QChar* in, const QChar* end, QChar* out) {
    while (in != end) {
        const QChar c = *in++;
        if (c != u'\r') {
            *out++ = c;
            continue;
        }
        *out++ = u'\n';
        if (in != end && *in == u'\n') ++in;
    }
    return out;
}

// text cut where its lines end, less a final line break.
QString WithoutFinalBreak(QString text, const QChar* end) {
    text.truncate(end - text.constData());
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
}

}  // namespace

qsizetype TTextLines::CountCrLfLines(QByteArrayView bytes) {
    const qsizetype size = bytes.size();
    if (size == 0) return 0;
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (size < 2 || data[size - 2] != '\r' || data[size - 1] != '\n' || data[0] == '\n') return -1;
    // Every CR stands right before an LF and every LF right after a CR. The texts are
    // megabytes: blocks of a fixed length with no branch inside are what the compiler
    // turns into vector instructions, and a block's count fits a byte.
    constexpr qsizetype kBlock = 128;
    unsigned char foreign = 0;
    qsizetype lines = 0;
    qsizetype i = 0;
    for (; i + kBlock + 1 <= size; i += kBlock) {
        unsigned char blockForeign = 0;
        unsigned char blockLines = 0;
        for (qsizetype j = 0; j < kBlock; ++j) {
            const LineFormStep step = CheckLineForm(data + i + j);
            blockForeign |= step.foreign;
            blockLines += step.lineFeedNext;
        }
        foreign |= blockForeign;
        lines += blockLines;
    }
    for (; i + 1 < size; ++i) {
        const LineFormStep step = CheckLineForm(data + i);
        foreign |= step.foreign;
        lines += step.lineFeedNext;
    }
    return foreign ? -1 : lines;
}

QString TTextLines::FromFile(QStringView fileText, Nul nul) {
    if (nul == Nul::EndsText) {
        const qsizetype end = fileText.indexOf(QChar(0));
        if (end >= 0) fileText = fileText.left(end);
    }
    QString text(fileText.size(), Qt::Uninitialized);
    const QChar* const end =
        UnifyLineBreaks(fileText.data(), fileText.data() + fileText.size(), text.data());
    return WithoutFinalBreak(std::move(text), end);
}

QString TTextLines::FromFile(QString&& fileText, Nul nul) {
    QString text = std::move(fileText);
    if (nul == Nul::EndsText) {
        const qsizetype end = text.indexOf(QChar(0));
        if (end >= 0) text.truncate(end);
    }
    QChar* const begin = text.data();
    const QChar* const end = UnifyLineBreaks(begin, begin + text.size(), begin);
    return WithoutFinalBreak(std::move(text), end);
}

QString TTextLines::ToFile(QStringView editorText) {
    if (editorText.isEmpty()) return {};
    QString text(editorText.size() + editorText.count(u'\n') + 2, Qt::Uninitialized);
    QChar* out = text.data();
    for (const QChar c : editorText) {
        if (c == u'\n') *out++ = u'\r';
        *out++ = c;
    }
    *out++ = u'\r';
    *out = u'\n';
    return text;
}

qsizetype TTextLines::LongestLine(QStringView editorText) {
    qsizetype longest = 0;
    for (qsizetype start = 0; start <= editorText.size();) {
        qsizetype end = editorText.indexOf(u'\n', start);
        if (end < 0) end = editorText.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

qsizetype TTextLines::LineCount(QStringView editorText) {
    if (editorText.isEmpty()) return 0;
    return editorText.count(u'\n') + 1;
}
