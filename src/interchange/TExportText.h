#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

#include "interchange/TExport.h"
#include "interchange/TExportStream.h"
#include "interchange/TImportedText.h"

// What the exporters share: the lines of a text, and the bytes of a whole file with what
// its encoding could not hold.
class TExportText {
  public:
    // Calls line(QStringView) for each line of an entry's text ("\n" between lines; a CR,
    // alone or before LF, ends a line as well); an empty text has no lines.
    template <typename Line>
    static void ForEachLine(QStringView text, Line line);
    // A label for a format that gives it one line: line breaks become blanks.
    static QString OneLine(const QString& label);

    // UTF-8: every UTF-16 unit that is no character (an escape, see Cp932Codec, or another
    // lone surrogate) becomes U+FFFD, counted in replacedBytes.
    static TExport Utf8(QStringView text);
    // Appends text as Utf8 writes it, counting what it replaces in *replaced.
    static void AppendUtf8Replacing(QByteArray& out, QStringView text, int* replaced);
    // Code page 932: a character it cannot hold is written as "?" and reported.
    static TExport ShiftJis(const QString& text);
    // Appends text as XML character data, or as an attribute's value: "&", "<", ">" and
    // '"' as entity references, and in an attribute LF, CR and TAB as character
    // references, so that a reader's attribute normalisation keeps them. What XML 1.0
    // cannot hold becomes U+FFFD, counted in *replaced: what Utf8 replaces, the control
    // characters XML forbids (all below U+0020 but TAB, LF and CR), U+FFFE and U+FFFF.
    // The characters are appended as UTF-8.
    static void AppendXml(QByteArray& out, QStringView text, bool attribute, int* replaced);

    // Makes the export of count entries in consecutive runs on several threads:
    // piece(begin, end) gives the export of entries [begin, end), after stream.prepare
    // for them. The pieces, between head and tail, go to stream.write in order as they
    // are done; without it they are joined into the export's bytes, put together once
    // (adding a head to tens of megabytes afterwards moves them all). The result holds
    // what the pieces could not hold.
    using Piece = std::function<TExport(qsizetype begin, qsizetype end)>;
    static TExport InPieces(qsizetype count, const Piece& piece, QByteArrayView head = {},
                            QByteArrayView tail = {}, const TExportStream& stream = {});

  private:
    static void AddUnencodable(QString& into, QStringView found);
    // InPieces with every piece handed to write as soon as those before it are.
    static void WriteInOrder(std::vector<TExport>& pieces, qsizetype count, const Piece& piece,
                             const TExportStream& stream);
    static TExport Joined(std::vector<TExport>& pieces, QByteArrayView head, QByteArrayView tail);
};

template <typename Line>
void TExportText::ForEachLine(QStringView text, Line line) {
    TImportedText::ForEachLine(text, line);
    // Here a break at the end is one between lines: an empty last line follows it.
    if (!text.isEmpty() && (text.back() == u'\n' || text.back() == u'\r')) line(QStringView());
}
