#include "ui/TNodeNameCount.h"

#include <algorithm>

QString TNodeNameCount::Correct(const QString& text, int position) {
    if (text.isEmpty()) return QStringLiteral("0");
    const std::optional<int> value = Read(text);
    if (!value) return QString::number(position);
    return QString::number(std::clamp(*value, kMinimum, kMaximum));
}

std::optional<int> TNodeNameCount::Read(const QString& text) {
    qsizetype start = 0;
    if (!text.isEmpty() && (text[0] == u'-' || text[0] == u'+')) start = 1;
    if (start == text.size()) return std::nullopt;
    for (qsizetype i = start; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

int TNodeNameCount::StartPosition(const QString& stored) {
    const std::optional<int> value = Read(stored);
    return value ? std::clamp(*value, kMinimum, kMaximum) : kInitial;
}
