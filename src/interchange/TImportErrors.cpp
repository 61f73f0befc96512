#include "interchange/TImportErrors.h"

#include <QXmlStreamReader>

#include "document/TDocumentReader.h"

void TImportErrors::CheckSize(qint64 bytes) {
    if (bytes > kMaxBytes) throw TooLarge();
}

void TImportErrors::CheckTextBytes(QByteArrayView bytes) {
    CheckSize(bytes.size());
    if (bytes.contains('\0')) throw Binary();
}

AppError TImportErrors::TooLarge() {
    return AppError(QStringLiteral("ファイルが大きすぎるため、取り込めません（1 GiB まで）"));
}

AppError TImportErrors::Binary() {
    return AppError(QStringLiteral(
        "テキストのファイルではないため、取り込めません（NUL などの制御文字があります）"));
}

AppError TImportErrors::NotText() {
    return AppError(
        QStringLiteral("文字コードが UTF-8 でもシフト JIS "
                       "でもないため、取り込めません（テキストのファイルではありません）"));
}

AppError TImportErrors::NoItems() { return AppError(QStringLiteral("取り込める項目がありません")); }

AppError TImportErrors::AtLine(qint64 line, const QString& what) {
    return AppError(QStringLiteral("%1 行目: %2").arg(line).arg(what));
}

AppError TImportErrors::TooDeep(qint64 line) {
    return AtLine(
        line, QStringLiteral("階層が深すぎます（%1 階層まで）").arg(TDocumentReader::kMaxDepth));
}

AppError TImportErrors::MalformedXml(const QXmlStreamReader& xml) {
    const QString what =
        xml.error() == QXmlStreamReader::PrematureEndOfDocumentError
            ? QStringLiteral("文書が途中で終わっています")
            : QStringLiteral("XML として正しくありません（%1）").arg(xml.errorString());
    return AtLine(xml.lineNumber(), what);
}
