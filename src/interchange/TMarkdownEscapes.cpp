#include "interchange/TMarkdownEscapes.h"

namespace {

constexpr QChar kBackslash = u'\\';
const QString kSpace = QStringLiteral("&#32;");
const QString kTab = QStringLiteral("&#9;");
// What may begin a heading, list, thematic break, setext underline, block quote, code
// fence, HTML block or link reference definition; "&" because a line may begin with our
// own "&#32;".
const QString kBlockStarts = QStringLiteral("#-+*=_>`~<[&");
const QString kInlineMarkup = QStringLiteral("\\`*_[]<&#");

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }
// What a heading drops at its ends.
bool IsHeadingBlank(QChar c) { return IsBlank(c) || c == u'\v' || c == u'\f'; }

qsizetype CountOf(const QString& s, qsizetype from, bool (*is)(QChar)) {
    qsizetype end = from;
    while (end < s.size() && is(s[end])) ++end;
    return end - from;
}

bool IsBackslash(QChar c) { return c == kBackslash; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Where the digits of a line that begins like an ordered list end, or -1: digits, at
// least minimum backslashes, then "." or ")".
qsizetype DelimiterAfterDigits(const QString& s, qsizetype minimum) {
    const qsizetype digits = CountOf(s, 0, IsDigit);
    if (digits == 0) return -1;
    const qsizetype backslashes = CountOf(s, digits, IsBackslash);
    const qsizetype at = digits + backslashes;
    if (backslashes < minimum || at >= s.size() || (s[at] != u'.' && s[at] != u')')) return -1;
    return digits;
}

// Whether s begins with at least minimum backslashes and then a block start.
bool IsBlockStartBehindBackslashes(const QString& s, qsizetype minimum) {
    const qsizetype backslashes = CountOf(s, 0, IsBackslash);
    return backslashes >= minimum && backslashes < s.size() &&
           kBlockStarts.contains(s[backslashes]);
}

}  // namespace

QString TMarkdownEscapes::TextLine(const QString& line) {
    const qsizetype blanks = CountOf(line, 0, IsBlank);
    QString out;
    for (qsizetype i = 0; i < blanks; ++i) out += Blank(line[i]);
    return out + EscapedStart(line.mid(blanks));
}

QString TMarkdownEscapes::UnescapedTextLine(const QString& line) {
    QString out;
    qsizetype at = 0;
    for (;;) {
        if (QStringView(line).sliced(at).startsWith(kSpace)) {
            out += u' ';
            at += kSpace.size();
        } else if (QStringView(line).sliced(at).startsWith(kTab)) {
            out += u'\t';
            at += kTab.size();
        } else {
            break;
        }
    }
    return out + UnescapedStart(line.mid(at));
}

QString TMarkdownEscapes::Label(const QString& label) {
    const qsizetype leading = CountOf(label, 0, IsHeadingBlank);
    qsizetype trailingFrom = label.size();
    while (trailingFrom > leading && IsHeadingBlank(label[trailingFrom - 1])) --trailingFrom;
    QString out;
    for (qsizetype i = 0; i < label.size(); ++i) {
        const QChar c = label[i];
        if (i < leading || i >= trailingFrom) {
            out += Blank(c);
        } else {
            if (kInlineMarkup.contains(c)) out += kBackslash;
            out += c;
        }
    }
    return out;
}

QString TMarkdownEscapes::EscapedStart(const QString& rest) {
    if (IsBlockStartBehindBackslashes(rest, 0)) return kBackslash + rest;
    const qsizetype digits = DelimiterAfterDigits(rest, 0);
    if (digits > 0) return rest.left(digits) + kBackslash + rest.mid(digits);
    return rest;
}

QString TMarkdownEscapes::UnescapedStart(const QString& rest) {
    if (IsBlockStartBehindBackslashes(rest, 1)) return rest.mid(1);
    const qsizetype digits = DelimiterAfterDigits(rest, 1);
    if (digits > 0) return rest.left(digits) + rest.mid(digits + 1);
    return rest;
}

QString TMarkdownEscapes::Blank(QChar c) { return QStringLiteral("&#%1;").arg(c.unicode()); }
