#include "interchange/TMarkdownEscapes.h"

#include <algorithm>

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

qsizetype CountOf(QStringView s, qsizetype from, bool (*is)(QChar)) {
    qsizetype end = from;
    while (end < s.size() && is(s[end])) ++end;
    return end - from;
}

bool IsBackslash(QChar c) { return c == kBackslash; }
bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Where the digits of a line that begins like an ordered list end, or -1: digits, at
// least minimum backslashes, then "." or ")".
qsizetype DelimiterAfterDigits(QStringView s, qsizetype minimum) {
    const qsizetype digits = CountOf(s, 0, IsDigit);
    if (digits == 0) return -1;
    const qsizetype backslashes = CountOf(s, digits, IsBackslash);
    const qsizetype at = digits + backslashes;
    if (backslashes < minimum || at >= s.size() || (s[at] != u'.' && s[at] != u')')) return -1;
    return digits;
}

// Whether s begins with at least minimum backslashes and then a block start.
bool IsBlockStartBehindBackslashes(QStringView s, qsizetype minimum) {
    const qsizetype backslashes = CountOf(s, 0, IsBackslash);
    return backslashes >= minimum && backslashes < s.size() &&
           kBlockStarts.contains(s[backslashes]);
}

}  // namespace

void TMarkdownEscapes::AppendTextLine(QString& out, QStringView line) {
    const qsizetype blanks = CountOf(line, 0, IsBlank);
    for (qsizetype i = 0; i < blanks; ++i) out += Blank(line[i]);
    const QStringView rest = line.sliced(blanks);
    if (IsBlockStartBehindBackslashes(rest, 0)) {
        out += kBackslash;
        out += rest;
    } else if (const qsizetype digits = DelimiterAfterDigits(rest, 0); digits > 0) {
        out += rest.first(digits);
        out += kBackslash;
        out += rest.sliced(digits);
    } else {
        out += rest;
    }
}

void TMarkdownEscapes::AppendUnescapedTextLine(QString& out, QStringView line) {
    qsizetype at = 0;
    for (;;) {
        if (line.sliced(at).startsWith(kSpace)) {
            out += u' ';
            at += kSpace.size();
        } else if (line.sliced(at).startsWith(kTab)) {
            out += u'\t';
            at += kTab.size();
        } else {
            break;
        }
    }
    const QStringView rest = line.sliced(at);
    if (IsBlockStartBehindBackslashes(rest, 1)) {
        out += rest.sliced(1);
    } else if (const qsizetype digits = DelimiterAfterDigits(rest, 1); digits > 0) {
        out += rest.first(digits);
        out += rest.sliced(digits + 1);
    } else {
        out += rest;
    }
}

bool TMarkdownEscapes::HasNoEscapes(QStringView line) {
    return !line.startsWith(kSpace) && !line.startsWith(kTab) &&
           !IsBlockStartBehindBackslashes(line, 1) && DelimiterAfterDigits(line, 1) <= 0;
}

bool TMarkdownEscapes::HasNoEscapes(QByteArrayView line) {
    // An escape is ASCII at the start of the line: "&#32;", "&#9;", or digits and "\"
    // with the character after them. That much of the line is enough to tell.
    const char first = line.isEmpty() ? '\0' : line[0];
    if (first != '&' && first != '\\' && (first < '0' || first > '9')) return true;
    qsizetype prefix = 0;
    while (prefix < line.size() &&
           ((line[prefix] >= '0' && line[prefix] <= '9') || line[prefix] == '\\'))
        ++prefix;
    prefix = std::min(line.size(), std::max(prefix + 1, kSpace.size()));
    constexpr qsizetype kShort = 16;
    if (prefix > kShort) return HasNoEscapes(QString::fromLatin1(line.first(prefix)));
    // Any byte of a character beyond ASCII stands for one that is no digit, "\" or mark.
    char16_t start[kShort];
    for (qsizetype i = 0; i < prefix; ++i) start[i] = static_cast<unsigned char>(line[i]);
    return HasNoEscapes(QStringView(start, prefix));
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

QString TMarkdownEscapes::Blank(QChar c) { return QStringLiteral("&#%1;").arg(c.unicode()); }
