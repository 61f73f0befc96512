#include "interchange/TTreeLineImport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>

#include "document/TDocumentReader.h"
#include "interchange/TEntryCollector.h"
#include "interchange/TImportErrors.h"

namespace {

const QString kName = QStringLiteral("Name");
const QString kText = QStringLiteral("Text");

qint64 LineAt(QByteArrayView bytes, qsizetype offset) {
    return bytes.first(std::clamp<qsizetype>(offset, 0, bytes.size())).count('\n') + 1;
}

// A character reference's character; none for a code that is no character to import.
QString CodePoint(QStringView digits, int base) {
    bool ok = false;
    const char32_t code = digits.toUInt(&ok, base);
    const bool usable = ok && (QChar::isPrint(code) || code == U'\t' || code == U'\n');
    return usable ? QString::fromUcs4(&code, 1) : QString();
}

// The character an HTML entity names, or an empty string for one it does not know.
QString EntityCharacter(QStringView name) {
    if (name.startsWith(u"#x") || name.startsWith(u"#X")) return CodePoint(name.sliced(2), 16);
    if (name.startsWith(u'#')) return CodePoint(name.sliced(1), 10);
    static const QHash<QString, QString> named{{QStringLiteral("amp"), QStringLiteral("&")},
                                               {QStringLiteral("lt"), QStringLiteral("<")},
                                               {QStringLiteral("gt"), QStringLiteral(">")},
                                               {QStringLiteral("quot"), QStringLiteral("\"")},
                                               {QStringLiteral("apos"), QStringLiteral("'")},
                                               {QStringLiteral("nbsp"), QStringLiteral("\u00A0")}};
    return named.value(name.toString());
}

// HTML text with its entities as the characters they name; unknown ones stay as they are.
QString Unescaped(const QString& html) {
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]{1,7}|#[xX][0-9a-fA-F]{1,6}|[a-zA-Z]{2,8});"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : entity.globalMatch(html)) {
        const QString character = EntityCharacter(match.capturedView(1));
        out += QStringView(html).sliced(from, match.capturedStart() - from);
        out += character.isEmpty() ? match.captured(0) : character;
        from = match.capturedEnd();
    }
    out += QStringView(html).sliced(from);
    return out;
}

QString Uid(const QJsonValue& value) {
    return value.isString() ? value.toString() : QString::number(value.toDouble(), 'g', 17);
}

}  // namespace

TOutlineEntries TTreeLineImport::Read(QByteArrayView bytes) {
    TImportErrors::CheckTextBytes(bytes);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        throw TImportErrors::AtLine(
            LineAt(bytes, error.offset),
            QStringLiteral("JSON として正しくありません（%1）").arg(error.errorString()));
    const QJsonObject document = json.object();
    if (!document.value(QStringLiteral("nodes")).isArray())
        throw TImportErrors::AtLine(
            1, QStringLiteral("TreeLine の文書ではありません（\"nodes\" がありません）"));

    QHash<QString, QJsonObject> nodes;
    for (const QJsonValue& value : document.value(QStringLiteral("nodes")).toArray()) {
        const QJsonObject node = value.toObject();
        const QString uid = Uid(node.value(QStringLiteral("uid")));
        if (!nodes.contains(uid)) nodes.insert(uid, node);
    }
    const TFormats formats = Formats(document);

    TEntryCollector entries;
    QSet<QString> imported;
    // Depth first without recursion, for a tree as deep as the file makes it.
    QList<std::pair<QString, int>> pending;
    const QStringList tops = TopNodes(document, nodes);
    for (auto it = tops.crbegin(); it != tops.crend(); ++it) pending.append({*it, 1});
    while (!pending.isEmpty()) {
        const auto [uid, level] = pending.takeLast();
        if (!nodes.contains(uid) || imported.contains(uid)) continue;
        imported.insert(uid);
        const QJsonObject node = nodes.value(uid);
        const TFormat format = formats.value(node.value(QStringLiteral("format")).toString());
        const QJsonObject data = node.value(QStringLiteral("data")).toObject();
        QStringList used;
        const QString label = Label(data, format, &used);
        if (level > TDocumentReader::kMaxDepth)
            throw TImportErrors::TooDeep(
                LineAt(bytes, bytes.indexOf(QString(u'"' + uid + u'"').toUtf8())));
        entries.Add(level, label, Text(data, format, used), 0);
        const QJsonArray children = node.value(QStringLiteral("children")).toArray();
        for (qsizetype k = children.size() - 1; k >= 0; --k)
            pending.append({Uid(children[k]), level + 1});
    }
    return entries.Take();
}

TTreeLineImport::TFormats TTreeLineImport::Formats(const QJsonObject& document) {
    TFormats formats;
    for (const QJsonValue& value : document.value(QStringLiteral("formats")).toArray()) {
        const QJsonObject object = value.toObject();
        TFormat format{object.value(QStringLiteral("titleline")).toString(), {}};
        for (const QJsonValue& field : object.value(QStringLiteral("fields")).toArray())
            format.fields << field.toObject().value(QStringLiteral("fieldname")).toString();
        formats.insert(object.value(QStringLiteral("formatname")).toString(), format);
    }
    return formats;
}

QStringList TTreeLineImport::TopNodes(const QJsonObject& document,
                                      const QHash<QString, QJsonObject>& nodes) {
    const QJsonValue listed =
        document.value(QStringLiteral("properties")).toObject().value(QStringLiteral("topnodes"));
    QStringList tops;
    if (listed.isArray()) {
        for (const QJsonValue& uid : listed.toArray()) tops << Uid(uid);
        return tops;
    }
    QSet<QString> notTop;
    for (const QJsonObject& node : nodes)
        for (const QJsonValue& uid : node.value(QStringLiteral("children")).toArray())
            notTop.insert(Uid(uid));
    // In file order, which the hash has lost.
    for (const QJsonValue& value : document.value(QStringLiteral("nodes")).toArray()) {
        const QString uid = Uid(value.toObject().value(QStringLiteral("uid")));
        if (notTop.contains(uid)) continue;
        tops << uid;
        notTop.insert(uid);
    }
    return tops;
}

QString TTreeLineImport::Label(const QJsonObject& data, const TFormat& format, QStringList* used) {
    const QString title = FilledTitleLine(data, format.titleLine, used);
    if (!title.isEmpty()) return title;
    used->clear();
    for (const QString& field : QStringList{kName} + FieldOrder(data, format)) {
        const QString value = PlainValue(data.value(field)).simplified();
        if (value.isEmpty()) continue;
        *used << field;
        return value;
    }
    return QString();
}

QString TTreeLineImport::FilledTitleLine(const QJsonObject& data, const QString& titleLine,
                                         QStringList* used) {
    static const QRegularExpression field(QStringLiteral("\\{\\*([^*{}]*)\\*\\}"));
    // References to other nodes' fields ("{*!Name*}", "{**Name*}", ...) have no value here.
    static const QRegularExpression otherReference(QStringLiteral("\\{\\*[^{}]*\\*\\}"));
    QString filled;
    qsizetype from = 0;
    for (const QRegularExpressionMatch& match : field.globalMatch(titleLine)) {
        filled += QStringView(titleLine).sliced(from, match.capturedStart() - from);
        filled += PlainValue(data.value(match.captured(1)));
        *used << match.captured(1);
        from = match.capturedEnd();
    }
    filled += QStringView(titleLine).sliced(from);
    return filled.remove(otherReference).simplified();
}

QString TTreeLineImport::Text(const QJsonObject& data, const TFormat& format,
                              const QStringList& used) {
    if (data.contains(kText) && !used.contains(kText)) return PlainValue(data.value(kText));
    QStringList lines;
    for (const QString& field : FieldOrder(data, format)) {
        const QString value = PlainValue(data.value(field));
        if (!used.contains(field) && !value.isEmpty())
            lines << field + QStringLiteral(": ") + value;
    }
    return lines.join(u'\n');
}

QStringList TTreeLineImport::FieldOrder(const QJsonObject& data, const TFormat& format) {
    QStringList order;
    for (const QString& field : format.fields)
        if (data.contains(field) && !order.contains(field)) order << field;
    for (const QString& field : data.keys())
        if (!order.contains(field)) order << field;
    return order;
}

QString TTreeLineImport::PlainValue(const QJsonValue& value) {
    if (!value.isString())
        return value.isUndefined() || value.isNull() ? QString() : value.toVariant().toString();
    QString html = value.toString();
    static const QRegularExpression lineBreak(QStringLiteral("<br\\s*/?>"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    html.replace(lineBreak, QStringLiteral("\n")).remove(tag);
    return Unescaped(html);
}
