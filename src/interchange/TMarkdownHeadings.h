#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The headings of a Markdown document's top level (ATX or setext; none inside quotes or
// lists) as the CommonMark parser md4c finds them, with the source lines they stand on.
//
// md4c tells no source positions: a heading's lines are those its inline text points into,
// and a heading without any text (a lone "#") is the next line after everything read so far
// that opens an ATX heading.
class TMarkdownHeadings {
  public:
    struct THeading {
        int level = 0;
        // The heading's inline text on one line, without markup.
        QString label;
        // 0-based lines of the source: where the heading (with its level comment) begins,
        // and the first line after it.
        qsizetype firstLine = 0;
        qsizetype textLine = 0;
    };

    // source: UTF-8 with LF line ends. A level 6 heading right after an HTML comment line
    // "<!-- level N -->" (N > 6) is of level N and begins at the comment.
    static QList<THeading> Read(QByteArrayView source);
    // The labels of count lines, joined with LF, that each open an ATX heading of the top
    // level without any indent: each heading's label as Read finds it in a document that
    // defines no link reference. Nothing when the parser does not find just these headings.
    static std::optional<QStringList> AtxLabels(QByteArrayView lines, qsizetype count);
};
