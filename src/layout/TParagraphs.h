#pragma once

#include <QStringView>

// The paragraphs of a text: every line break (LF, CR LF, a lone CR, U+2028 and U+2029,
// which the editor puts into its document) ends one. An empty text has none; a text
// ending with a line break ends with an empty paragraph.
class TParagraphs {
  public:
    // Calls each(paragraph, start) for every paragraph, start being its offset in text.
    template <class F>
    static void ForEach(QStringView text, F&& each) {
        if (text.isEmpty()) return;
        const char16_t* data = text.utf16();
        const qsizetype size = text.size();
        qsizetype start = 0;
        for (qsizetype i = 0; i < size; ++i) {
            const char16_t c = data[i];
            if ((c > u'\r' && c < u'\u2028') || !IsBreak(c)) continue;
            each(text.sliced(start, i - start), start);
            if (c == u'\r' && i + 1 < size && data[i + 1] == u'\n') ++i;
            start = i + 1;
        }
        each(text.sliced(start), start);
    }

    static bool IsBreak(char16_t c) {
        return c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029';
    }
};
