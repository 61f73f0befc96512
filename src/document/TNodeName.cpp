#include "document/TNodeName.h"

#include "platform/Cp932Codec.h"

namespace {

// Bytes a character takes in code page 932; characters it cannot hold are written
// as one double-byte placeholder.
int BytesOf(QStringView character) {
    if (character.size() == 1 && character[0].unicode() < 0x80) return 1;
    const int size = static_cast<int>(Cp932Codec::Encode(character).bytes.size());
    return size > 0 ? size : 2;
}

}  // namespace

QString TNodeName::FirstBytes(const QString& line, int maxBytes) {
    int used = 0;
    qsizetype end = 0;
    while (end < line.size()) {
        const qsizetype length = (line[end].isHighSurrogate() && end + 1 < line.size()) ? 2 : 1;
        const int bytes = BytesOf(QStringView(line).mid(end, length));
        if (used + bytes > maxBytes) break;
        used += bytes;
        end += length;
    }
    return line.left(end);
}
