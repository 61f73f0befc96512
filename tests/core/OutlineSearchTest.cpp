#include <gtest/gtest.h>

#include "document/TItemTextStore.h"
#include "document/TOutline.h"
#include "support/TempDir.h"
#include "ui/TOutlineSearch.h"
#include "ui/TTextMatcher.h"

namespace {

QString Found(const QString& text, const QString& what, TSearchOptions options,
              qsizetype from = 0) {
    const auto found = TTextMatcher(what, options).FindFrom(text, from);
    return found ? text.mid(found->start, found->length) : QStringLiteral("<none>");
}

TEST(TextMatcher, OptionsMatchOtherFormsAndSelectExactlyTheOriginalCharacters) {
    const TSearchOptions exact, ignoreCase{true, false}, ignoreWidth{false, true}, both{true, true};
    EXPECT_EQ(Found("abc", "ABC", exact), "<none>");
    EXPECT_EQ(Found("xAbCx", "abc", ignoreCase), "AbC");
    EXPECT_EQ(Found("ＡＢＣ abc", "abc", ignoreWidth), "abc") << "width alone keeps the case";
    EXPECT_EQ(Found("ＡＢＣ abc", "ABC", ignoreWidth), "ＡＢＣ");
    EXPECT_EQ(Found("ａｂｃ", "ABC", both), "ａｂｃ");
    EXPECT_EQ(Found("ｶﾀｶﾅ", "カタカナ", ignoreWidth), "ｶﾀｶﾅ");
    // A half-width kana and its voiced mark are one character: the match covers both,
    // and positions behind the composition still select the right characters.
    EXPECT_EQ(Found("ﾃﾞｰﾀﾍﾞｰｽの ｶﾞｲﾄﾞ", "ガイド", ignoreWidth), "ｶﾞｲﾄﾞ");
    EXPECT_EQ(Found("ﾊﾟﾊﾟ ＡＢ", "パ", ignoreWidth, 1), "ﾊﾟ");
    EXPECT_EQ(Found("ﾊﾟﾊﾟ ＡＢ", "ab", both), "ＡＢ");
    EXPECT_EQ(Found("ｶﾞ", "ｶ", ignoreWidth), "<none>") << "ガ is not カ";
    EXPECT_EQ(Found("全角　空白", " ", ignoreWidth), "　");
    EXPECT_EQ(Found("abc", "", both), "<none>");

    const auto matches =
        TTextMatcher(QStringLiteral("aa"), ignoreCase).Scan(QStringLiteral("xAAAaa"));
    EXPECT_EQ(matches.count, 2) << "matches do not overlap";
    EXPECT_EQ(matches.first->start, 1);
}

class OutlineSearchTest : public testing::Test {
  protected:
    TOutlineItem* Add(TOutlineItem* parent, const QString& label, const QString& text) {
        TOutlineItem* item =
            outline.Insert(parent ? parent : outline.Root(),
                           (parent ? parent : outline.Root())->ChildCount(), label, next);
        store.Store(next++, text);
        return item;
    }
    TOutlineSearch::TResult Run(const QString& what, TSearchOptions options = {},
                                const TOutlineItem* shown = nullptr,
                                const QString& shownText = {}) {
        const auto snapshot = TOutlineSearch::Snapshot(outline, store, shown, shownText);
        std::atomic<bool> cancel{false};
        return TOutlineSearch::Run(snapshot, TTextMatcher(what, options), cancel);
    }

    TempDir dir;
    TItemTextStore store{dir.Path()};
    TOutline outline;
    int next = 0;
};

TEST_F(OutlineSearchTest, ListsEveryItemHoldingTheTextWithItsPathLineAndCount) {
    TOutlineItem* parent = Add(nullptr, "親", "first line\nthe word here, word again");
    TOutlineItem* child = Add(parent, "子 word", "nothing");
    Add(child, "孫", "line one\n" + QString(100, u'x') + "word" + QString(300, u'y'));
    Add(nullptr, "other", "no match");

    const auto result = Run("word");
    ASSERT_EQ(result.hits.size(), 3u);
    EXPECT_EQ(result.matchCount, 4);
    EXPECT_EQ(result.hits[0].path, "親");
    EXPECT_EQ(result.hits[0].line, "the word here, word again");
    EXPECT_EQ(result.hits[0].count, 2);
    EXPECT_EQ(result.hits[0].line.mid(result.hits[0].markStart, result.hits[0].markLength), "word");
    EXPECT_EQ(result.hits[1].path, "親 › 子 word");
    EXPECT_FALSE(result.hits[1].inText) << "only the label holds it";
    EXPECT_EQ(result.hits[1].line, "子 word");
    const auto& deep = result.hits[2];
    EXPECT_EQ(deep.path, "親 › 子 word › 孫");
    EXPECT_TRUE(deep.line.startsWith(u'…') && deep.line.endsWith(u'…'))
        << "a long line is cut around the match";
    EXPECT_LE(deep.line.size(), TOutlineSearch::kContextBefore + TOutlineSearch::kLineLength + 2);
    EXPECT_EQ(deep.line.mid(deep.markStart, deep.markLength), "word");

    // The text the editor shows counts, not its file.
    const auto shown = Run("new", {}, child, "brand new text");
    ASSERT_EQ(shown.hits.size(), 1u);
    EXPECT_EQ(shown.hits[0].itemNumber, child->ItemNumber);

    std::atomic<bool> cancel{true};
    const auto snapshot = TOutlineSearch::Snapshot(outline, store, nullptr, {});
    EXPECT_TRUE(TOutlineSearch::Run(snapshot, TTextMatcher(u"word", {}), cancel).cancelled);
}

}  // namespace
