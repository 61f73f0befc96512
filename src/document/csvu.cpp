#include "document/csvu.h"

#include "platform/Cp932Codec.h"

csv::csv() : tokns(","), stokns("\""), strflg(true), blockflg(false) {}

csv::~csv() = default;

void csv::split() {
    items.clear();
    if (text.isEmpty()) return;

    const qsizetype len = text.size();
    const auto byteAt = [this](qsizetype position) { return text[position - 1]; };  // 1-based
    const auto isSeparator = [this](char c) { return tokns.contains(c); };

    // Position of the last byte that is not a separator (0 when there is none): every
    // byte after p is a separator exactly when p >= lastOther. Found once, so runs of
    // separators cost no rescans of the rest of the line.
    qsizetype lastOther = 0;
    for (qsizetype q = len; q >= 1; --q) {
        if (!isSeparator(byteAt(q))) {
            lastOther = q;
            break;
        }
    }

    qsizetype start = 1;
    bool inQuote = false;
    qsizetype p = 1;
    while (p <= len) {
        const char c = byteAt(p);
        if (stokns.contains(c)) {
            if (strflg) inQuote = !inQuote;
            ++p;
            continue;
        }
        if (isSeparator(c) && !(strflg && inQuote)) {
            items.append(text.mid(start - 1, p - start));
            if (blockflg) {
                if (p >= lastOther) {
                    p = len + 1;
                } else {
                    while (p + 1 <= len && isSeparator(byteAt(p + 1))) ++p;
                }
            }
            start = p + 1;
            if (p >= len) items.append(QByteArray());
            ++p;
            continue;
        }
        ++p;
    }
    if (p != start) items.append(text.mid(start - 1, p - start));
}

void csv::SetText(QStringView line) { text = Cp932Codec::Encode(line).bytes; }

QString csv::Field(qsizetype i) const { return Cp932Codec::Decode(items.at(i)); }

QStringList csv::Fields() const {
    QStringList fields;
    fields.reserve(items.size());
    for (const QByteArray& item : items) fields.append(Cp932Codec::Decode(item));
    return fields;
}
