#include "interchange/TItemClip.h"

#include <QSysInfo>
#include <QtEndian>
#include <cstring>

#include "document/TOutlineItem.h"
#include "interchange/TFormatRecognizer.h"
#include "interchange/THierarchicalText.h"
#include "interchange/TOpmlOutline.h"
#include "platform/AppError.h"

namespace {

constexpr QByteArrayView kMagic = "HEDGEROW ITEMS\n";
constexpr quint32 kVersion = 1;
// An item's level, flags and the two counts: no item takes fewer bytes.
constexpr qsizetype kSmallestItem = 4 + 1 + 4 + 4;
constexpr quint8 kExpandedFlag = 1;
constexpr bool kLittleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;

AppError Damaged() {
    return AppError(QStringLiteral("クリップボードの項目を読み取れません。データが壊れています。"));
}

void AppendNumber(QByteArray& out, quint32 number) {
    const quint32 little = qToLittleEndian(number);
    out.append(reinterpret_cast<const char*>(&little), sizeof little);
}

// Reads the own form from the front; every read is checked against the bytes left.
class Reader {
  public:
    explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype Left() const { return bytes_.size() - at_; }

    QByteArrayView Take(qsizetype count) {
        if (count < 0 || count > Left()) throw Damaged();
        const QByteArrayView taken = bytes_.sliced(at_, count);
        at_ += count;
        return taken;
    }
    quint8 Byte() { return static_cast<quint8>(Take(1)[0]); }
    quint32 Number() { return qFromLittleEndian<quint32>(Take(4).data()); }
    QString String() {
        const quint32 units = Number();
        if (units > static_cast<quint64>(Left()) / 2) throw Damaged();
        const QByteArrayView data = Take(static_cast<qsizetype>(units) * 2);
        QString string(static_cast<qsizetype>(units), Qt::Uninitialized);
        if constexpr (kLittleEndian)
            std::memcpy(string.data(), data.data(), data.size());
        else
            qFromLittleEndian<quint16>(data.data(), units, string.data());
        return string;
    }

  private:
    QByteArrayView bytes_;
    qsizetype at_ = 0;
};

}  // namespace

TItemClip TItemClip::FromBlocks(const std::vector<TOutlineItem*>& blocks,
                                const TOutlineEntryList::TextOf& textOf) {
    TItemClip clip;
    std::vector<const TOutlineItem*> items;
    clip.Entries = TOutlineEntryList::FromSubtrees({blocks.begin(), blocks.end()}, textOf, &items);
    clip.Expanded.reserve(clip.Entries.size());
    for (const TOutlineItem* item : items) clip.Expanded.append(item->Expanded());
    return clip;
}

void TItemClip::AppendString(QByteArray& out, const QString& string) {
    AppendNumber(out, static_cast<quint32>(string.size()));
    if constexpr (kLittleEndian) {
        out.append(reinterpret_cast<const char*>(string.utf16()), string.size() * 2);
    } else {
        const qsizetype at = out.size();
        out.resize(at + string.size() * 2);
        qToLittleEndian<quint16>(string.utf16(), string.size(), out.data() + at);
    }
}

QByteArray TItemClip::Encode() const {
    qsizetype size = kMagic.size() + 8;
    for (const TOutlineEntry& entry : Entries)
        size += kSmallestItem + 2 * (entry.label.size() + entry.text.size());
    QByteArray out;
    out.reserve(size);
    out.append(kMagic);
    AppendNumber(out, kVersion);
    AppendNumber(out, static_cast<quint32>(Entries.size()));
    for (qsizetype i = 0; i < Entries.size(); ++i) {
        AppendNumber(out, static_cast<quint32>(Entries[i].level));
        out.append(static_cast<char>(Expanded.value(i) ? kExpandedFlag : 0));
        AppendString(out, Entries[i].label);
        AppendString(out, Entries[i].text);
    }
    return out;
}

TItemClip TItemClip::Decode(QByteArrayView bytes) {
    Reader reader(bytes);
    if (reader.Left() < kMagic.size() || reader.Take(kMagic.size()) != kMagic) throw Damaged();
    if (reader.Number() != kVersion)
        throw AppError(QStringLiteral(
            "クリップボードの項目は、このプログラムでは読めない版の形式で書かれています。"));
    const quint32 count = reader.Number();
    // The count cannot claim more items than the bytes could hold.
    if (count == 0 || count > static_cast<quint64>(reader.Left()) / kSmallestItem) throw Damaged();
    TItemClip clip;
    clip.Entries.reserve(count);
    clip.Expanded.reserve(count);
    int previous = 0;
    for (quint32 i = 0; i < count; ++i) {
        const quint32 level = reader.Number();
        const quint8 flags = reader.Byte();
        if (level < 1 || level > static_cast<quint32>(previous) + 1 || (flags & ~kExpandedFlag))
            throw Damaged();
        TOutlineEntry entry{static_cast<int>(level), reader.String(), reader.String()};
        if (entry.label.contains(u'\n') || entry.label.contains(u'\r')) throw Damaged();
        previous = entry.level;
        clip.Entries.append(std::move(entry));
        clip.Expanded.append(flags & kExpandedFlag);
    }
    if (reader.Left() != 0) throw Damaged();
    return clip;
}

QByteArray TItemClip::PlainText() const {
    QByteArray text = THierarchicalText::Write(Entries, THierarchicalText::Encoding::Utf8).bytes;
    return text.replace("\r\n", "\n");
}

QByteArray TItemClip::Opml() const {
    return TOpmlOutline::Write(Entries, Entries.isEmpty() ? QString() : Entries.first().label)
        .bytes;
}

std::optional<TImportFormat> TItemClip::OutlineFormatOf(QByteArrayView text) {
    const TImportFormat format = TFormatRecognizer::Recognize(text, QString());
    if (format == TImportFormat::HierarchicalText || format == TImportFormat::Opml) return format;
    return std::nullopt;
}
