#include "ui/TAutoLabel.h"

#include "document/TNodeName.h"
#include "platform/AppError.h"
#include "settings/TSettingsList.h"

std::optional<QString> TAutoLabel::For(const TSettingsList& settings, const QString& firstLine) {
    if (settings.Value(u"AutoNodeName") != QStringLiteral("1")) return std::nullopt;
    QString label = TNodeName::FirstBytes(firstLine, TNodeName::kMaxLabelBytes);
    if (settings.Value(u"NodeNameLimitter") == QStringLiteral("1")) {
        const QString count = settings.Value(u"NodeNameLimitterCount");
        bool ok = false;
        const int limit = count.toInt(&ok, 10);
        if (!ok) throw AppError::NotAnInteger(count);
        label = TNodeName::FirstBytes(label, limit);
    }
    return label;
}
