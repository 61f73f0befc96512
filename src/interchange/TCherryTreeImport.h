#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include "interchange/TOutlineEntry.h"

class QXmlStreamReader;

// A CherryTree document in its XML form (".ctd"):
//
//   <cherrytree>
//     <node name="label" prog_lang="custom-colors" ...>
//       <rich_text>text</rich_text><rich_text weight="heavy">bold</rich_text>
//       <codebox char_offset="4" ...>code</codebox>
//       <node ...>...</node>
//     </node>
//   </cherrytree>
//
// An item's label is its node's name, its text the node's rich_text pieces one after the
// other (a plain text or code node has a single one). Code boxes and tables stand at
// their char_offset as their text (a table a row per line, its cells separated by tabs);
// pictures and attached files are left out.
class TCherryTreeImport {
  public:
    // Throws AppError naming the line of malformed XML.
    static TOutlineEntries Read(QByteArrayView bytes);

  private:
    // Something a node's text holds at a place of its own: CherryTree counts each as one
    // character of the text, at char_offset.
    struct TAnchored {
        qint64 offset = 0;
        QString text;
    };
    struct TNode {
        int level = 0;
        QString label;
        QString richText;
        QList<TAnchored> anchored;
        qint64 line = 0;
    };
    static QList<TNode> Nodes(QXmlStreamReader& xml);
    static QString TableText(QXmlStreamReader& xml);
    static QString Text(const TNode& node);
};
