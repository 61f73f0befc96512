#include "ui/TTextMatcher.h"

TTextMatcher::TTextMatcher(QStringView what, TSearchOptions options)
    : options_(options), what_(TFoldedText(what, options).Text().toString()) {}

std::optional<TTextSelection> TTextMatcher::FindFrom(QStringView text, qsizetype from) const {
    std::optional<TTextSelection> found;
    if (from < 0 || from > text.size()) return found;
    const TFoldedText folded(text, options_);
    const qsizetype at = folded.Text().indexOf(what_, folded.FoldedOf(from));
    if (at < 0 || what_.isEmpty()) return found;
    const qsizetype start = folded.OriginOf(at);
    found = TTextSelection{start, folded.OriginOf(at + what_.size()) - start};
    return found;
}

TTextMatcher::TMatches TTextMatcher::Scan(QStringView text) const {
    TMatches matches;
    if (what_.isEmpty()) return matches;
    const TFoldedText folded(text, options_);
    const QStringView haystack = folded.Text();
    const qsizetype first = haystack.indexOf(what_);
    if (first < 0) return matches;
    const qsizetype start = folded.OriginOf(first);
    matches.first = TTextSelection{start, folded.OriginOf(first + what_.size()) - start};
    for (qsizetype at = first; at >= 0; at = haystack.indexOf(what_, at + what_.size()))
        ++matches.count;
    return matches;
}
