#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable failure messages for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[';
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (i) *out << ", ";
        PrintTo(list[i], out);
    }
    *out << ']';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << "bytes " << bytes.toHex(' ').toStdString();
}
