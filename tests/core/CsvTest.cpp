#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>

#include "document/csvu.h"

namespace {

using Fields = QList<QByteArray>;

Fields Split(csv& splitter, const QByteArray& text) {
    splitter.text = text;
    splitter.split();
    return splitter.items;
}

Fields Split(const QByteArray& text) {
    csv splitter;
    return Split(splitter, text);
}

Fields SplitBlocked(const QByteArray& text) {
    csv splitter;
    splitter.blockflg = true;
    return Split(splitter, text);
}

}  // namespace

TEST(CsvTest, ConstructorValues) {
    csv splitter;
    EXPECT_TRUE(splitter.text.isEmpty());
    EXPECT_EQ(splitter.tokns, QByteArray(","));
    EXPECT_EQ(splitter.stokns, QByteArray("\""));
    EXPECT_TRUE(splitter.strflg);
    EXPECT_TRUE(splitter.items.isEmpty());
    EXPECT_FALSE(splitter.blockflg);
}

TEST(CsvTest, ExamplesWithDefaultConfiguration) {
    EXPECT_EQ(Split("a,b,c"), (Fields{"a", "b", "c"}));
    EXPECT_EQ(Split("a,,c"), (Fields{"a", "", "c"}));
    EXPECT_EQ(Split("a,b,"), (Fields{"a", "b", ""}));
    EXPECT_EQ(Split(",a"), (Fields{"", "a"}));
    EXPECT_EQ(Split(","), (Fields{"", ""}));
    EXPECT_EQ(Split(",,"), (Fields{"", "", ""}));
    EXPECT_EQ(Split("a"), (Fields{"a"}));
    EXPECT_EQ(Split(""), Fields{});
    EXPECT_EQ(Split("Tree=2,0=3,1=0"), (Fields{"Tree=2", "0=3", "1=0"}));
}

TEST(CsvTest, QuotesStayInFieldsAndProtectSeparators) {
    EXPECT_EQ(Split("\"x,y\",z"), (Fields{"\"x,y\"", "z"}));
    EXPECT_EQ(Split("a\"b,c\"d,e"), (Fields{"a\"b,c\"d", "e"}));
    // A doubled quote flips twice: no escape, the separator after it splits.
    EXPECT_EQ(Split("a\"\",b"), (Fields{"a\"\"", "b"}));
}

TEST(CsvTest, UnclosedQuoteSwallowsTheRestOfTheLine) {
    EXPECT_EQ(Split("a,\"b,c,d"), (Fields{"a", "\"b,c,d"}));
    EXPECT_EQ(Split("\"a,b,"), (Fields{"\"a,b,"}));
}

TEST(CsvTest, WithoutQuoteHandlingSeparatorsSplitEverywhereButQuotesStay) {
    csv splitter;
    splitter.strflg = false;
    EXPECT_EQ(Split(splitter, "\"x,y\",z"), (Fields{"\"x", "y\"", "z"}));
}

TEST(CsvTest, QuoteCharacterIsNeverASeparator) {
    csv splitter;
    splitter.tokns = ",\"";  // the quote set is checked first
    EXPECT_EQ(Split(splitter, "a\"b"), (Fields{"a\"b"}));
}

TEST(CsvTest, FieldsAreNotTrimmed) { EXPECT_EQ(Split(" a , b "), (Fields{" a ", " b "})); }

TEST(CsvTest, RunsOfSeparatorsWithBlockFlag) {
    EXPECT_EQ(SplitBlocked("a,,,b"), (Fields{"a", "b"}));
    EXPECT_EQ(SplitBlocked("a,,,"), (Fields{"a", ""}));
    EXPECT_EQ(SplitBlocked("a,"), (Fields{"a", ""}));
    EXPECT_EQ(SplitBlocked(",,a"), (Fields{"", "a"}));
    EXPECT_EQ(SplitBlocked(",,,"), (Fields{"", ""}));
    EXPECT_EQ(SplitBlocked("a,b,,c,,"), (Fields{"a", "b", "c", ""}));
    EXPECT_EQ(SplitBlocked("a,,\"x,,y\",,"), (Fields{"a", "\"x,,y\"", ""}));
}

TEST(CsvTest, TrailingSeparatorGivesEmptyLastFieldWithOrWithoutBlockFlag) {
    EXPECT_EQ(Split("x,").size(), 2);
    EXPECT_EQ(Split("x,").last(), QByteArray());
    EXPECT_EQ(SplitBlocked("x,").last(), QByteArray());
}

TEST(CsvTest, SeveralSeparatorCharacters) {
    csv splitter;
    splitter.tokns = ",;";
    EXPECT_EQ(Split(splitter, "a;b,c;"), (Fields{"a", "b", "c", ""}));
    splitter.blockflg = true;
    EXPECT_EQ(Split(splitter, "a;,;b"), (Fields{"a", "b"}));
}

TEST(CsvTest, EmptySeparatorSetNeverSplits) {
    csv splitter;
    splitter.tokns = "";
    EXPECT_EQ(Split(splitter, "a,b:c"), (Fields{"a,b:c"}));
    EXPECT_EQ(Split(splitter, ""), Fields{});
}

TEST(CsvTest, EmptyQuoteSetMeansNoQuotes) {
    csv splitter;
    splitter.stokns = "";
    EXPECT_EQ(Split(splitter, "\"x,y\""), (Fields{"\"x", "y\""}));
}

TEST(CsvTest, ItemLinesWithColon) {
    csv splitter;
    splitter.tokns = ":";
    // nil:計画:1 in code page 932
    EXPECT_EQ(Split(splitter, "nil:\x8C\x76\x89\xE6:1"), (Fields{"nil", "\x8C\x76\x89\xE6", "1"}));
    EXPECT_EQ(Split(splitter, "nil:a:b:1"), (Fields{"nil", "a", "b", "1"}));
}

TEST(CsvTest, SplitsBytesNotCharacters) {
    // ソ is 83 5C in code page 932: its second byte is the backslash.
    csv splitter;
    splitter.tokns = "\\";
    EXPECT_EQ(Split(splitter, "\x83\x5C"), (Fields{"\x83", ""}));
}

TEST(CsvTest, EachSplitReplacesTheItems) {
    csv splitter;
    EXPECT_EQ(Split(splitter, "a,b").size(), 2);
    splitter.split();
    EXPECT_EQ(splitter.items, (Fields{"a", "b"}));
    EXPECT_EQ(Split(splitter, ""), Fields{});
}

TEST(CsvTest, TextConversionUsesCodePage932) {
    csv splitter;
    splitter.tokns = ":";
    splitter.SetText(u"0:見出し:0");
    EXPECT_EQ(splitter.text, QByteArray("0:\x8C\xA9\x8F\x6F\x82\xB5:0"));
    splitter.split();
    EXPECT_EQ(splitter.Fields(),
              (QStringList{QStringLiteral("0"), QStringLiteral("見出し"), QStringLiteral("0")}));
    EXPECT_EQ(splitter.Field(1), QStringLiteral("見出し"));
}

TEST(CsvTest, LongRunOfSeparatorsIsLinear) {
    csv splitter;
    splitter.blockflg = true;
    splitter.text = "a" + QByteArray(2'000'000, ',') + "b";
    splitter.split();
    EXPECT_EQ(splitter.items, (Fields{"a", "b"}));
}
