#include "interchange/TExportText.h"

#include "platform/Cp932Codec.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsForbiddenInXml(char16_t u) {
    return (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r') || u == 0xFFFE || u == 0xFFFF;
}

}  // namespace

QStringList TExportText::Lines(const QString& text) {
    if (text.isEmpty()) return {};
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return unified.split(QLatin1Char('\n'));
}

QString TExportText::OneLine(const QString& label) {
    QString line = label;
    for (QChar& c : line)
        if (c == u'\n' || c == u'\r') c = u' ';
    return line;
}

TExport TExportText::Utf8(const QString& text) {
    TExport result;
    result.bytes = WithoutNonCharacters(text, false, &result.replacedBytes).toUtf8();
    return result;
}

QString TExportText::ForXml(const QString& text, int* replaced) {
    return WithoutNonCharacters(text, true, replaced);
}

TExport TExportText::ShiftJis(const QString& text) {
    TExport result;
    Cp932Codec::Encoded encoded = Cp932Codec::Encode(text);
    result.unencodable = encoded.unencodable;
    if (!encoded.Complete()) {
        // unencodable lists each character once, a surrogate pair as two units.
        QString replaced = text;
        for (qsizetype i = 0; i < encoded.unencodable.size();) {
            const bool pair =
                encoded.unencodable[i].isHighSurrogate() && i + 1 < encoded.unencodable.size();
            const qsizetype length = pair ? 2 : 1;
            replaced.replace(encoded.unencodable.mid(i, length), QStringLiteral("?"));
            i += length;
        }
        encoded = Cp932Codec::Encode(replaced);
    }
    result.bytes = std::move(encoded.bytes);
    return result;
}

QString TExportText::WithoutNonCharacters(const QString& text, bool forXml, int* replaced) {
    QString out = text;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (c.isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() || (forXml && IsForbiddenInXml(c.unicode()))) {
            out[i] = QChar(kReplacement);
            ++*replaced;
        }
    }
    return out;
}
