#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QJsonObject>
#include <QStringList>

#include "interchange/TOutlineEntry.h"

// A TreeLine document (".trln", JSON):
//
//   {"formats": [{"formatname": "DEFAULT", "titleline": "{*Name*}",
//                 "fields": [{"fieldname": "Name"}, {"fieldname": "Text"}]}],
//    "nodes": [{"uid": "a1", "format": "DEFAULT", "data": {"Name": "...", "Text": "..."},
//               "children": ["b2"]}, ...],
//    "properties": {"topnodes": ["a1"]}}
//
// An item's label is its node's title line with the fields filled in (the "Name" field,
// or the first field with a value, when that gives nothing); its text the "Text" field,
// or else the other fields as "name: value" lines. TreeLine keeps field values as HTML:
// "<br />" becomes a line break, other tags go, entities become their characters. A node
// is imported once: a second parent, a cycle or a uid that names no node is passed over,
// and of two nodes with one uid the first counts. Without "topnodes", every node that is no
// node's child is a top-level item.
class TTreeLineImport {
  public:
    // Throws AppError naming the line of malformed JSON.
    static TOutlineEntries Read(QByteArrayView bytes);

  private:
    struct TFormat {
        QString titleLine;
        QStringList fields;
    };
    using TFormats = QHash<QString, TFormat>;

    static TFormats Formats(const QJsonObject& document);
    static QStringList TopNodes(const QJsonObject& document,
                                const QHash<QString, QJsonObject>& nodes);
    // The label of a node with these data, and the fields it took in *used.
    static QString Label(const QJsonObject& data, const TFormat& format, QStringList* used);
    static QString FilledTitleLine(const QJsonObject& data, const QString& titleLine,
                                   QStringList* used);
    static QString Text(const QJsonObject& data, const TFormat& format, const QStringList& used);
    // The field names of the node in the order its format lists them, then the others.
    static QStringList FieldOrder(const QJsonObject& data, const TFormat& format);
    static QString PlainValue(const QJsonValue& value);
};
