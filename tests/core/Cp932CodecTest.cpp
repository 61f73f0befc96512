#include <gtest/gtest.h>

#include <QStringEncoder>

#include "platform/Cp932Codec.h"

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> values) {
    QByteArray bytes;
    for (unsigned char v : values) bytes.append(static_cast<char>(v));
    return bytes;
}

TEST(Cp932Codec, EncodesWithMicrosoftMapping) {
    EXPECT_EQ(Cp932Codec::Encode(u"\uFF5E").bytes, Bytes({0x81, 0x60}));
    EXPECT_EQ(Cp932Codec::Encode(u"\uFF3C").bytes, Bytes({0x81, 0x5F}));
    EXPECT_EQ(Cp932Codec::Encode(u"\uFF0D").bytes, Bytes({0x81, 0x7C}));
    EXPECT_EQ(Cp932Codec::Encode(u"①").bytes, Bytes({0x87, 0x40}));
    EXPECT_EQ(Cp932Codec::Encode(u"新規").bytes, Bytes({0x90, 0x56, 0x8B, 0x4B}));
    EXPECT_EQ(Cp932Codec::Encode(u"ｱ").bytes, Bytes({0xB1}));
}

// Every character outside the surrogates encodes, or fails to, as the converter says;
// only the look-alikes are written where the converter has nothing.
TEST(Cp932Codec, EncodesEveryCharacterAsTheConverterDoes) {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c)) continue;
        const QString text(QChar(static_cast<char16_t>(c)));
        QStringEncoder converter("windows-31j", QStringConverter::Flag::Stateless);
        const QByteArray expected = converter.encode(text);
        const Cp932Codec::Encoded encoded = Cp932Codec::Encode(text);
        if (encoded.bestFitUsed) continue;
        ASSERT_EQ(encoded.Complete(), !converter.hasError()) << std::hex << unsigned(c);
        if (encoded.Complete()) {
            ASSERT_EQ(encoded.bytes, expected) << std::hex << unsigned(c);
        }
    }
}

TEST(Cp932Codec, DecodesWithMicrosoftMapping) {
    EXPECT_EQ(Cp932Codec::Decode(Bytes({0x81, 0x60})), QString::fromUtf16(u"\uFF5E"));
    EXPECT_EQ(Cp932Codec::Decode(Bytes({0x81, 0x7C})), QString::fromUtf16(u"\uFF0D"));
    EXPECT_EQ(Cp932Codec::Decode(Bytes({0x87, 0x40})), QString::fromUtf16(u"①"));
    EXPECT_EQ(Cp932Codec::Decode(Bytes({0x5C})), QString::fromUtf16(u"\\"));
}

TEST(Cp932Codec, WritesLookAlikesAsWindowsBestFitDoes) {
    EXPECT_EQ(Cp932Codec::Encode(u"\u301C").bytes, Bytes({0x81, 0x60}));  // wave dash
    EXPECT_EQ(Cp932Codec::Encode(u"\u2212").bytes, Bytes({0x81, 0x7C}));  // minus sign
    EXPECT_EQ(Cp932Codec::Encode(u"\u2016").bytes, Bytes({0x81, 0x61}));
    EXPECT_EQ(Cp932Codec::Encode(u"\u00A2\u00A3\u00AC").bytes,
              Bytes({0x81, 0x91, 0x81, 0x92, 0x81, 0xCA}));
    EXPECT_TRUE(Cp932Codec::Encode(u"a\u301Cb").Complete());
}

TEST(Cp932Codec, ReportsEveryCharacterItCannotEncode) {
    const Cp932Codec::Encoded encoded = Cp932Codec::Encode(u"a😀b𠮷c😀");
    EXPECT_FALSE(encoded.Complete());
    EXPECT_EQ(encoded.unencodable, QString::fromUtf16(u"😀𠮷"));
    EXPECT_FALSE(Cp932Codec::CanEncode(u"😀"));
    EXPECT_TRUE(Cp932Codec::CanEncode(u"日本語テキスト"));
}

TEST(Cp932Codec, BytesThatAreNoCharacterComeBackUnchanged) {
    // Each alone, a lead byte at the end and before a byte that cannot follow it, and
    // an unassigned pair.
    const QByteArray bytes[] = {Bytes({0x80}),           Bytes({0xA0}),      Bytes({0xFD}),
                                Bytes({0xFE}),           Bytes({0xFF}),      Bytes({'a', 0x82}),
                                Bytes({0x82, ' ', 'b'}), Bytes({0x85, 0x40})};
    for (const QByteArray& original : bytes) {
        const Cp932Codec::Encoded encoded = Cp932Codec::Encode(Cp932Codec::Decode(original));
        EXPECT_EQ(encoded.bytes, original) << original.toHex().constData();
        EXPECT_TRUE(encoded.Exact()) << original.toHex().constData();
    }
    // The private use characters code page 932 maps stay characters both ways.
    EXPECT_EQ(Cp932Codec::Decode(Bytes({0xF0, 0x40})), QString(QChar(0xE000)));
    EXPECT_EQ(Cp932Codec::Encode(QString(QChar(0xE000))).bytes, Bytes({0xF0, 0x40}));
}

}  // namespace
