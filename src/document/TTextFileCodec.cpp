#include "document/TTextFileCodec.h"

#include <QStringDecoder>

#include "document/TTextLines.h"
#include "platform/Cp932Codec.h"

const QByteArray TTextFileCodec::kUtf8Mark("\xEF\xBB\xBF", 3);

QByteArray TTextFileCodec::Encode(QStringView editorText) {
    const QString fileText = TTextLines::ToFile(editorText);
    Cp932Codec::Encoded encoded = Cp932Codec::Encode(fileText);
    if (encoded.Exact()) return std::move(encoded.bytes);
    return kUtf8Mark + fileText.toUtf8();
}

QString TTextFileCodec::Decode(QByteArrayView bytes) {
    if (bytes.startsWith(kUtf8Mark)) {
        // Only the program's own mark goes: a text that itself begins with U+FEFF keeps it.
        QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
        const QString text = utf8.decode(bytes.sliced(kUtf8Mark.size()));
        return TTextLines::FromFile(text);
    }
    return TTextLines::FromFile(Cp932Codec::Decode(bytes));
}
