#include "settings/TCountTargets.h"

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

#include "settings/TSettingsList.h"

namespace {

const QString kPath = QStringLiteral("path");
const QString kDocument = QStringLiteral("document");
const QString kItems = QStringLiteral("items");
// Between the labels of an item's path: a character no label holds.
constexpr QChar kLabelSeparator = u'\u001F';

QJsonObject Read(const TSettingsList& settings, const QString& documentPath) {
    const QJsonObject stored =
        QJsonDocument::fromJson(settings.Value(TCountTargets::KeyOf(documentPath)).toUtf8())
            .object();
    // Another path of the same digest is another document.
    if (stored.value(kPath).toString() != documentPath) return {};
    return stored;
}

void Write(TSettingsList& settings, const QString& documentPath, QJsonObject targets) {
    const bool empty = !targets.contains(kDocument) && targets.value(kItems).toObject().isEmpty();
    targets.insert(kPath, documentPath);
    settings.SetValue(
        TCountTargets::KeyOf(documentPath),
        empty ? QString()
              : QString::fromUtf8(QJsonDocument(targets).toJson(QJsonDocument::Compact)));
}

TCountTarget TargetOf(const QJsonValue& value) {
    return TCountTarget::Parse(value.toString()).value_or(TCountTarget{});
}

void Put(QJsonObject& object, const QString& key, const TCountTarget& target) {
    if (target.IsSet())
        object.insert(key, target.ToString());
    else
        object.remove(key);
}

}  // namespace

QString TCountTargets::KeyOf(const QString& documentPath) {
    const QByteArray digest =
        QCryptographicHash::hash(documentPath.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("CountTarget") + QString::fromLatin1(digest.toHex().left(12));
}

TCountTarget TCountTargets::Document(const QString& documentPath) const {
    return TargetOf(Read(settings_, documentPath).value(kDocument));
}

void TCountTargets::SetDocument(const QString& documentPath, const TCountTarget& target) {
    QJsonObject targets = Read(settings_, documentPath);
    Put(targets, kDocument, target);
    Write(settings_, documentPath, targets);
}

TCountTarget TCountTargets::Item(const QString& documentPath, const QStringList& labels) const {
    return TargetOf(
        Read(settings_, documentPath).value(kItems).toObject().value(labels.join(kLabelSeparator)));
}

void TCountTargets::SetItem(const QString& documentPath, const QStringList& labels,
                            const TCountTarget& target) {
    QJsonObject targets = Read(settings_, documentPath);
    QJsonObject items = targets.value(kItems).toObject();
    Put(items, labels.join(kLabelSeparator), target);
    if (items.isEmpty())
        targets.remove(kItems);
    else
        targets.insert(kItems, items);
    Write(settings_, documentPath, targets);
}
