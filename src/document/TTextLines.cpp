#include "document/TTextLines.h"

QString TTextLines::FromFile(QStringView fileText) {
    const qsizetype nul = fileText.indexOf(QChar(0));
    if (nul >= 0) fileText = fileText.left(nul);

    QString text = fileText.toString();
    if (text.contains(u'\r')) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(u'\r', u'\n');
    }
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
}

QString TTextLines::ToFile(QStringView editorText) {
    if (editorText.isEmpty()) return {};
    QString text = editorText.toString();
    text.replace(u'\n', QStringLiteral("\r\n"));
    text += QStringLiteral("\r\n");
    return text;
}

qsizetype TTextLines::LineCount(QStringView editorText) {
    if (editorText.isEmpty()) return 0;
    return editorText.count(u'\n') + 1;
}
