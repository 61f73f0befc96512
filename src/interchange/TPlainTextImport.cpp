#include "interchange/TPlainTextImport.h"

#include "document/TNodeName.h"
#include "interchange/TImportErrors.h"
#include "interchange/TImportedText.h"

TOutlineEntries TPlainTextImport::Read(QByteArrayView bytes) {
    const QStringList lines = TImportedText::Lines(bytes);
    if (lines.isEmpty()) throw TImportErrors::NoItems();
    QString label;
    for (const QString& line : lines) {
        label = line.trimmed();
        if (!label.isEmpty()) break;
    }
    return {{1, TNodeName::FirstBytes(label, TNodeName::kMaxLabelBytes), lines.join(u'\n')}};
}
