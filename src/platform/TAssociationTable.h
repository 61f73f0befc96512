#pragma once

#include <QList>
#include <QString>

// The registry entries that associate ".qlo" with the program on Windows: keys below
// HKEY_CLASSES_ROOT and the default (unnamed) string value of each.
class TAssociationTable {
  public:
    struct Entry {
        QString key;    // below HKEY_CLASSES_ROOT, parts separated by "\"
        QString value;  // the key's default value
        bool operator==(const Entry&) const = default;
    };

    // The document extension and the name of the document type.
    static QString Extension() { return QStringLiteral(".qlo"); }
    static QString TypeName() { return QStringLiteral("qlm outline editor"); }

    // The four entries in the order they are written. exePath is the program's full
    // path, written unchanged and without quotation marks; "%1" is not quoted either.
    static QList<Entry> Entries(const QString& exePath);

    // The keys that removal deletes with all their subkeys, in that order.
    static QStringList RemovedKeys();
};
