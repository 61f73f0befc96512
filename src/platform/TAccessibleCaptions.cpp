#include "platform/TAccessibleCaptions.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>

QString TAccessibleCaptions::WithoutAccessKey(const QString& caption) {
    static const QRegularExpression accessKey(QStringLiteral("\\(&.\\)"));
    static const QRegularExpression trailing(QStringLiteral("[:：]$|\\.\\.\\.$"));
    QString name = caption;
    name.remove(accessKey);
    name.remove(trailing);
    name.remove(u'&');
    return name.trimmed();
}

void TAccessibleCaptions::NameControls(QWidget* root) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        if (button->accessibleName().isEmpty() && !button->text().isEmpty())
            button->setAccessibleName(WithoutAccessKey(button->text()));
    for (const QLabel* label : root->findChildren<QLabel*>()) {
        QWidget* field = label->buddy();
        if (field && field->accessibleName().isEmpty() && !label->text().isEmpty())
            field->setAccessibleName(WithoutAccessKey(label->text()));
    }
}
