#include <gtest/gtest.h>

#include "document/TTextLines.h"

namespace {

TEST(TextLines, EveryFileLineEndsWithCrLf) {
    EXPECT_EQ(TTextLines::ToFile(u""), QString());
    EXPECT_EQ(TTextLines::ToFile(u"a"), QString("a\r\n"));
    EXPECT_EQ(TTextLines::ToFile(u"a\nb"), QString("a\r\nb\r\n"));
    EXPECT_EQ(TTextLines::ToFile(u"a\n"), QString("a\r\n\r\n"));
}

TEST(TextLines, ReadingAcceptsEveryLineBreakAndStopsAtNul) {
    EXPECT_EQ(TTextLines::FromFile(u"a\r\nb\rc\nd"), QString("a\nb\nc\nd"));
    EXPECT_EQ(TTextLines::FromFile(u"a\r\n"), QString("a"));
    EXPECT_EQ(TTextLines::FromFile(u"a\r\n\r\n"), QString("a\n"));
    EXPECT_EQ(TTextLines::FromFile(QStringView(u"ab\0cd", 5)), QString("ab"));
    EXPECT_EQ(TTextLines::FromFile(u"\r\n"), QString(""));
}

TEST(TextLines, EditorTextsRoundTripWithoutGrowingOrLosingLines) {
    for (const char* text : {"", "a", "a\n", "\n", "\n\n", "a\nb", "a\n\nb\n", "  trailing  "}) {
        const QString original = QString::fromUtf8(text);
        EXPECT_EQ(TTextLines::FromFile(TTextLines::ToFile(original)), original) << text;
        EXPECT_EQ(TTextLines::LineCount(original),
                  TTextLines::ToFile(original).count(QStringLiteral("\r\n")));
    }
}

}  // namespace
