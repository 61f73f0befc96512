#include "document/TTextLines.h"

QString TTextLines::FromFile(QStringView fileText) {
    const qsizetype nul = fileText.indexOf(QChar(0));
    if (nul >= 0) fileText = fileText.left(nul);

    QString text;
    text.reserve(fileText.size());
    for (qsizetype i = 0; i < fileText.size(); ++i) {
        const QChar c = fileText[i];
        if (c == u'\r') {
            text += u'\n';
            if (i + 1 < fileText.size() && fileText[i + 1] == u'\n') ++i;
        } else {
            text += c;
        }
    }
    if (text.endsWith(u'\n')) text.chop(1);
    return text;
}

QString TTextLines::ToFile(QStringView editorText) {
    if (editorText.isEmpty()) return {};
    QString text;
    text.reserve(editorText.size() + editorText.count(u'\n') + 2);
    for (QChar c : editorText) {
        if (c == u'\n') text += u'\r';
        text += c;
    }
    text += QStringLiteral("\r\n");
    return text;
}

qsizetype TTextLines::LineCount(QStringView editorText) {
    if (editorText.isEmpty()) return 0;
    return editorText.count(u'\n') + 1;
}
