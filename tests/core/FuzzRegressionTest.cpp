// Inputs the fuzz targets of fuzz/ found, kept as regression tests.
#include <gtest/gtest.h>

#include "document/TItemTextStore.h"
#include "platform/Cp932Codec.h"

namespace {

// A lone high surrogate at the end of a text used to vanish from the bytes while the
// text was reported as completely encoded.
TEST(FuzzRegression, TrailingLoneHighSurrogateIsReportedAsUnencodable) {
    const QString text(QChar(0xD830));
    const Cp932Codec::Encoded encoded = Cp932Codec::Encode(text);
    EXPECT_FALSE(encoded.Complete());
    EXPECT_EQ(encoded.unencodable, text);
    EXPECT_FALSE(Cp932Codec::CanEncode(QStringLiteral("abc") + QChar(0xD830)));
}

// A text beginning with U+FEFF, stored in the UTF-8 form, lost that character on
// reading: the decoder took it for a second byte order mark.
TEST(FuzzRegression, ATextBeginningWithAByteOrderMarkKeepsIt) {
    const QString text = QString(QChar(0xFEFF)) + QString(QChar(0xFEFF)) + QStringLiteral("x");
    EXPECT_EQ(TItemTextStore::Decode(TItemTextStore::Encode(text)), text);
    const QByteArray found = QByteArray::fromBase64("77u/77u/77u/77u/2nPacwoBBOOA");
    const QString decoded = TItemTextStore::Decode(found);
    EXPECT_EQ(TItemTextStore::Decode(TItemTextStore::Encode(decoded)), decoded);
}

}  // namespace
