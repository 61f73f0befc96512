#include "layout/TGridSize.h"

#include <QRegularExpression>

QString TGridSize::ToString() const { return QStringLiteral("%1x%2").arg(columns).arg(rows); }

std::optional<TGridSize> TGridSize::Parse(QStringView text) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,4})\\s*[xX×]\\s*(\\d{1,4})\\s*$"));
    const QRegularExpressionMatch match = form.match(text.toString());
    if (!match.hasMatch()) return std::nullopt;
    const TGridSize size{match.captured(1).toInt(), match.captured(2).toInt()};
    const auto fits = [](int n) { return n >= 1 && n <= kLargest; };
    if (!fits(size.columns) || !fits(size.rows)) return std::nullopt;
    return size;
}

const QList<TGridSize>& TGridSize::Presets() {
    static const QList<TGridSize> presets = {{20, 20}, {20, 10}, {40, 30}, {42, 34}};
    return presets;
}
