#pragma once

#include <QByteArrayView>
#include <QString>

#include "interchange/TExport.h"
#include "interchange/TExportStream.h"
#include "interchange/TOutlineEntry.h"
#include "platform/AppError.h"

class QXmlStreamReader;
class TEntryCollector;

// OPML 2.0, UTF-8: an item is an <outline> element with its label in "text" and its text,
// when it has one, in "_note" (the attribute outliners read notes from). Line breaks and
// tabs in attributes are written as character references, so that they survive a reader's
// attribute normalisation.
class TOpmlOutline {
  public:
    // entries: well-formed (see TOutlineEntry.h). title: the <title> of <head>, the
    // document's name. stream: see TExportStream.
    static TExport Write(const TOutlineEntries& entries, const QString& title,
                         const TExportStream& stream = {});

    // Reads every <outline> below <body>, at any depth; "_note" may be missing. An outline
    // without "text" takes its "title". Throws AppError naming the line of malformed XML.
    static TOutlineEntries Read(QByteArrayView bytes);
    // Read, with the notes as the bytes of their item files where they read back the same.
    static TOutlineEntries ReadForStore(QByteArrayView bytes);

  private:
    static TOutlineEntries ReadAs(QByteArrayView bytes, TEntryTexts texts);
    static void ReadBody(QXmlStreamReader& xml, TEntryCollector& entries);
    static void SkipToBody(QXmlStreamReader& xml);
    static AppError NotOpml(const QXmlStreamReader& xml, const QString& missing);
};
