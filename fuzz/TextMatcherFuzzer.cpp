// Searches with every combination of options on arbitrary UTF-16: a match lies inside
// the text, covers whole characters of it, matches the search text again when folded
// alone, and Find next from behind a match never goes backwards; the first match of a
// scan is the one FindFrom(0) gives.
#include "FuzzSupport.h"
#include "ui/TTextMatcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    const TSearchOptions options{(data[0] & 1) != 0, (data[0] & 2) != 0};
    const size_t whatUnits = data[1] % 8;
    const QString units(reinterpret_cast<const QChar*>(data + 2),
                        static_cast<qsizetype>((size - 2) / 2));
    const QString what = units.left(static_cast<qsizetype>(whatUnits));
    const QString text = units.mid(static_cast<qsizetype>(whatUnits));

    const TTextMatcher matcher(what, options);
    const TTextMatcher::TMatches matches = matcher.Scan(text);
    FUZZ_CHECK(matches.first.has_value() == (matches.count > 0));
    FUZZ_CHECK(matcher.FindFrom(text, 0) == matches.first);
    qsizetype seen = 0;
    for (auto found = matcher.FindFrom(text, 0); found;
         found = matcher.FindFrom(text, found->End())) {
        FUZZ_CHECK(found->start >= 0 && found->length > 0 && found->End() <= text.size());
        const QString piece = text.sliced(found->start, found->length);
        FUZZ_CHECK(TFoldedText(piece, options).Text() == TFoldedText(what, options).Text());
        ++seen;
    }
    FUZZ_CHECK(seen == matches.count);
    return 0;
}
