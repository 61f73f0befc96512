#include "layout/TGraphemeUnits.h"

#include <QTextBoundaryFinder>

namespace {

// Whether a regional indicator (half of a flag) begins at text[at].
bool IsRegionalIndicator(QStringView text, qsizetype at) {
    if (at + 1 >= text.size() || !text[at].isHighSurrogate()) return false;
    const char32_t c = QChar::surrogateToUcs4(text[at], text[at + 1]);
    return c >= 0x1F1E6 && c <= 0x1F1FF;
}

}  // namespace

void TGraphemeUnits::Append(QStringView paragraph, qsizetype begin, qsizetype end,
                            std::vector<TGraphemeUnit>& units) {
    const char16_t* text = paragraph.utf16();
    for (qsizetype i = begin; i < end; ++i)
        if (!TBreakClasses::IsSimple(text[i])) return AppendClusters(paragraph, begin, end, units);
    // Most text: every code unit a character of its own.
    for (qsizetype i = begin; i < end; ++i)
        units.push_back({static_cast<qint32>(i), 1, TBreakClasses::Of(text[i])});
}

void TGraphemeUnits::AppendClusters(QStringView paragraph, qsizetype begin, qsizetype end,
                                    std::vector<TGraphemeUnit>& units) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, paragraph.sliced(begin, end - begin));
    qsizetype start = 0;
    for (qsizetype next = finder.toNextBoundary(); next > 0; next = finder.toNextBoundary()) {
        qsizetype at = begin + start;
        if (IsRegionalIndicator(paragraph, at)) {
            // Qt 6.4 pairs the halves of flags wrongly after an emoji: every two regional
            // indicators in a row are one flag, counted from the first.
            while (at + 2 <= end && IsRegionalIndicator(paragraph, at)) {
                const bool pair = at + 4 <= end && IsRegionalIndicator(paragraph, at + 2);
                units.push_back({static_cast<qint32>(at), pair ? 4 : 2, TBreakClass::Ordinary});
                at += pair ? 4 : 2;
            }
            finder.setPosition(at - begin);
            start = at - begin;
            continue;
        }
        units.push_back({static_cast<qint32>(at), static_cast<qint32>(next - start),
                         TBreakClasses::Of(paragraph[at].unicode())});
        start = next;
    }
}
