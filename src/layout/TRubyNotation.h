#pragma once

#include <QStringView>
#include <vector>

// Ruby written into a text, as writers' sites and tools read it:
//   ｜親文字《おやもじ》 or |親文字《おやもじ》  the text between the bar and 《 is the base;
//   漢字《かんじ》                            the kanji (with 々〆ヶ) right before 《 are;
//   《《強調》》                              emphasis dots over the text inside;
//   ｜《                                     a plain 《, no ruby.
// The marks themselves are no characters of the text. A notation not closed within its
// paragraph stays as typed.
class TRubyNotation {
  public:
    // A stretch of the paragraph that is text, [begin, end).
    struct TRun {
        qsizetype begin = 0;
        qsizetype end = 0;
    };
    // One ruby or emphasis of the paragraph: its base and its reading (empty for emphasis).
    struct TSpan {
        qsizetype baseBegin = 0;
        qsizetype baseEnd = 0;
        qsizetype readingBegin = 0;
        qsizetype readingEnd = 0;
        bool emphasis = false;
    };

    // Appends the runs of the paragraph (no line break in it) that are text, in order;
    // readings come right after their base when withReadings is set. Appends the spans
    // found to spans unless it is null.
    static void Parse(QStringView paragraph, bool withReadings, std::vector<TRun>& runs,
                      std::vector<TSpan>* spans);

    // Whether c belongs to the base that ruby without a bar takes: a kanji or 々〆ヶ.
    static bool IsKanji(char32_t c);

  private:
    class TParser;
};
