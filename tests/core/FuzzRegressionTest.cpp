// Inputs the fuzz targets of fuzz/ found, kept as regression tests.
#include <gtest/gtest.h>

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

}  // namespace
