#pragma once

#include <QByteArrayView>
#include <QString>

#include "interchange/TImportFormat.h"

// Which importer a file is meant for, from its first bytes and its name. Cautious: a text
// that is nothing in particular is plain text, which imports any text as one item.
class TFormatRecognizer {
  public:
    //  - XML whose root is <opml> or <cherrytree>: OPML, CherryTree;
    //  - JSON with "nodes": TreeLine;
    //  - the name ends in ".md" or ".markdown", or the first line that is not blank is an
    //    ATX heading ("#" to "######" and a blank): Markdown;
    //  - the first line that is not blank begins with "." or "．": hierarchical text;
    //  - two or more lines, the first not indented, at least one indented by a tab, none
    //    longer than a label would be: indented text;
    //  - anything else: plain text.
    static TImportFormat Recognize(QByteArrayView bytes, const QString& fileName);

  private:
    static bool IsMarkdownHeading(QByteArrayView line);
    static bool IsHierarchicalHeading(QByteArrayView line);
    static bool IsIndentedList(QByteArrayView head);
};
