#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

// The text of an imported text file, whichever encoding a Windows or Unix program wrote it
// in: UTF-8 (with or without a byte order mark), UTF-16 behind its byte order mark, or
// Shift-JIS (code page 932) otherwise.
//
// Bytes that are no text are refused rather than imported as garbage: a NUL or another
// control character than TAB, LF, VT, FF and CR (a single SUB byte at the end, the old end
// of file mark, is dropped), DEL, or, in Shift-JIS, bytes that are no character at more than one
// place in a hundred. The rarer ones stay in the text as escapes (see Cp932Codec).
class TImportedText {
  public:
    // Throws AppError (TImportErrors) for a file too large or no text. *plainUtf8 tells
    // whether the bytes were UTF-8 without a byte order mark or an end of file mark: the
    // text's UTF-8 is then the bytes themselves.
    static QString Decode(QByteArrayView bytes, bool* plainUtf8 = nullptr);
    // The lines of the decoded text: CR LF, a lone CR and a lone LF all end a line, a final
    // line break starts no empty line, and an empty file has no lines.
    static QStringList Lines(QByteArrayView bytes);
    // Whether Decode reads bytes as Shift-JIS (when it reads them at all), told from their
    // first bytes alone. False may still be Shift-JIS: that takes the whole file to tell.
    static bool StartsAsShiftJis(QByteArrayView bytes);
    static QStringList SplitLines(const QString& text);
    // Calls line(QStringView) for each line of text, cut as Lines() cuts them, without
    // copying them.
    template <typename Line>
    static void ForEachLine(QStringView text, Line line);

  private:
    static QString DecodeWithoutCheck(QByteArrayView bytes, bool* plainUtf8);
    static bool DecodeStrictly(QByteArrayView bytes, int encoding, QString* text);
    static QString DecodeShiftJis(QByteArrayView bytes);
    static void RefuseControlCharacters(const QString& text);
};

template <typename Line>
void TImportedText::ForEachLine(QStringView text, Line line) {
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'\n' && c != u'\r') continue;
        line(text.sliced(begin, i - begin));
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        begin = i + 1;
    }
    if (begin < text.size()) line(text.sliced(begin));
}
