#pragma once

#include <QByteArrayView>
#include <QString>

#include "platform/AppError.h"

class QXmlStreamReader;

// The failures every importer shares, as the messages the user sees.
class TImportErrors {
  public:
    // Larger files are refused before anything is parsed: parsing keeps several copies of
    // the text in memory.
    static constexpr qint64 kMaxBytes = qint64(1) << 30;

    // Throws TooLarge for a file of more than kMaxBytes bytes; the caller may check the
    // size before reading the file at all.
    static void CheckSize(qint64 bytes);
    // CheckSize, and refuses bytes that hold a NUL: no text format has one, every binary
    // format does.
    static void CheckTextBytes(QByteArrayView bytes);

    static AppError TooLarge();
    static AppError Binary();
    static AppError NotText();
    static AppError NoItems();
    // line: 1-based.
    static AppError AtLine(qint64 line, const QString& what);
    static AppError TooDeep(qint64 line);
    // The XML reader's error, at its line.
    static AppError MalformedXml(const QXmlStreamReader& xml);
};
