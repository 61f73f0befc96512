#include "settings/TCountTarget.h"

#include <algorithm>

namespace {

const QString kCharacters = QStringLiteral("字");
const QString kPages = QStringLiteral("枚");

}  // namespace

QString TCountTarget::ToString() const {
    return QString::number(amount) + (unit == Unit::Pages ? kPages : kCharacters);
}

std::optional<TCountTarget> TCountTarget::Parse(QStringView text) {
    if (text.size() < 2) return std::nullopt;
    TCountTarget target;
    if (text.endsWith(kPages))
        target.unit = Unit::Pages;
    else if (!text.endsWith(kCharacters))
        return std::nullopt;
    bool ok = false;
    target.amount = text.chopped(1).toLongLong(&ok);
    if (!ok || target.amount < 0) return std::nullopt;
    return target;
}

int TCountTarget::PerMille(qint64 achieved) const {
    if (!IsSet()) return 0;
    return static_cast<int>(std::clamp<qint64>(achieved * 1000 / amount, 0, 1000));
}

qint64 TCountTarget::Remaining(qint64 achieved) const {
    return std::max<qint64>(0, amount - achieved);
}
