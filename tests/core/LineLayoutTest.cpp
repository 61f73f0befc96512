#include <gtest/gtest.h>

#include "layout/TCountSum.h"
#include "layout/TGridSize.h"
#include "layout/TLineLayout.h"
#include "layout/TTextCounter.h"

namespace {

QString Repeat(const QString& text, int times) { return text.repeated(times); }

// The grid lines of text on 20 × 20 as the characters they hold.
QStringList Lines(const QString& text, TLayoutOptions options = {}) {
    QStringList lines;
    for (const TParagraphLayout& paragraph : TLineLayout(options).LayOut(text))
        for (const TGridLine& line : paragraph.lines) {
            QString shown;
            for (const TGridCell& cell : line.cells) shown += text.mid(cell.offset, cell.length);
            lines << shown;
        }
    return lines;
}

qint64 Characters(const QString& text, bool countRuby = false) {
    return TLineLayout({{20, 20}, countRuby}).Count(text).characters;
}

const QString k19 = Repeat(QStringLiteral("あ"), 19);
const QString k20 = Repeat(QStringLiteral("あ"), 20);

TEST(LineLayout, PunctuationAndClosingBracketsHangInTheLastCell) {
    EXPECT_EQ(Lines(k20 + "、"), QStringList{k20 + "、"});
    EXPECT_EQ(Lines(k20 + "」い"), (QStringList{k20 + "」", "い"}));
    const auto cells = TLineLayout().LayOut(k20 + "。")[0].lines[0].cells;
    ASSERT_EQ(cells.size(), 21u);
    EXPECT_TRUE(cells[20].hanging);
    EXPECT_FALSE(cells[19].hanging);
    // Only one character hangs: the pair goes down with the character before it.
    EXPECT_EQ(Lines(k20 + "。」"), (QStringList{k19, "あ。」"}));
}

TEST(LineLayout, OtherNoStartCharactersTakeThePreviousCharacterAlong) {
    EXPECT_EQ(Lines(k19 + "カー"), (QStringList{k19, "カー"}));
    EXPECT_EQ(Lines(k19 + "あっ"), (QStringList{k19, "あっ"}));
    EXPECT_EQ(Lines(k19 + "あ？"), (QStringList{k19, "あ？"}));
    // A run of them goes down together with the character before the run.
    EXPECT_EQ(Lines(Repeat("あ", 18) + "カッー"), (QStringList{Repeat("あ", 18), "カッー"}));
}

TEST(LineLayout, OpeningBracketsNeverEndALine) {
    EXPECT_EQ(Lines(k19 + "「い」"), (QStringList{k19, "「い」"}));
    EXPECT_EQ(Lines(Repeat("あ", 18) + "「『い"), (QStringList{Repeat("あ", 18), "「『い"}));
}

TEST(LineLayout, EveryParagraphBeginsAGridLineAndAnEmptyOneTakesALine) {
    // A full line followed by a line break takes no empty line after it.
    EXPECT_EQ(Lines(k20 + "\nい"), (QStringList{k20, "い"}));
    const TTextCounts full = TLineLayout().Count(k20 + "\nい");
    EXPECT_EQ(full.gridLines, 2);
    EXPECT_EQ(full.lines, 2);
    const TTextCounts empty = TLineLayout().Count(QStringLiteral("あ\n\nい"));
    EXPECT_EQ(empty.gridLines, 3);
    EXPECT_EQ(empty.lines, 3);
    EXPECT_EQ(empty.characters, 2);
    // Empty lines at the end take grid lines but reach no page.
    const TTextCounts trailing = TLineLayout().Count(Repeat("あ", 400) + "\n\n\n");
    EXPECT_EQ(trailing.gridLines, 23);
    EXPECT_EQ(trailing.usedGridLines, 20);
    EXPECT_EQ(trailing.Pages(20), 1);
    EXPECT_EQ(TLineLayout().Count(QString()), TTextCounts{});
    // CR LF, a lone CR and the editor's separators break lines alike.
    EXPECT_EQ(TLineLayout().Count(u"あ\r\nい\rう\u2028え\u2029お").lines, 5);
}

TEST(LineLayout, CharactersAreGraphemeClusters) {
    EXPECT_EQ(Characters(QStringLiteral("𠮷野家")), 3) << "a surrogate pair";
    EXPECT_EQ(Characters(QStringLiteral("e\u0301te\u0301")), 3) << "combining marks";
    EXPECT_EQ(Characters(QStringLiteral("か\u3099")), 1) << "a combining voiced mark";
    EXPECT_EQ(Characters(QStringLiteral("ｶﾞｲﾄﾞ")), 3) << "half-width kana and voiced marks";
    EXPECT_EQ(Characters(QStringLiteral("👨‍👩‍👧🇯🇵👍🏽")), 3)
        << "emoji sequences";
    const TTextCounts blanks = TLineLayout().Count(u"a b\u3000c\td");
    EXPECT_EQ(blanks.characters, 7);
    EXPECT_EQ(blanks.nonBlank, 4);
    // A cluster takes one cell and keeps its code units together.
    EXPECT_EQ(Lines(Repeat("ｶﾞ", 21)), (QStringList{Repeat("ｶﾞ", 20), "ｶﾞ"}));
}

TEST(LineLayout, RubyNotationCountsItsBaseAndOptionallyItsReading) {
    EXPECT_EQ(Characters(QStringLiteral("｜親文字《おやもじ》")), 3);
    EXPECT_EQ(Characters(QStringLiteral("|親文字《おやもじ》")), 3);
    EXPECT_EQ(Characters(QStringLiteral("｜親文字《おやもじ》"), true), 7);
    EXPECT_EQ(Characters(QStringLiteral("あの漢字《かんじ》です")), 6) << "the kanji before 《";
    EXPECT_EQ(Characters(QStringLiteral("佐々木《ささき》")), 3);
    EXPECT_EQ(Characters(QStringLiteral("《《強調》》する")), 4) << "emphasis";
    EXPECT_EQ(Characters(QStringLiteral("｜《あ》")), 3) << "a bar before 《 makes it plain";
    EXPECT_EQ(Characters(QStringLiteral("ひらがな《よみ》")), 8) << "no kanji: as typed";
    EXPECT_EQ(Characters(QStringLiteral("漢字《かん")), 5) << "unclosed: as typed";
    EXPECT_EQ(Characters(QStringLiteral("｜親文字")), 4) << "a bar alone is typed";

    const std::vector<TParagraphLayout> laid = TLineLayout().LayOut(u"前\nあの漢字《かんじ》");
    ASSERT_EQ(laid[1].ruby.size(), 1u);
    EXPECT_EQ(laid[1].ruby[0].baseBegin, 4);
    EXPECT_EQ(laid[1].ruby[0].readingBegin, 7);
    EXPECT_EQ(laid[1].lines[0].cells.size(), 4u);
}

TEST(LineLayout, ShortNumbersAndMarkPairsTakeOneCell) {
    // 縦中横: one or two half-width digits, "!?", "!!", "?!" share a cell; the
    // characters still count one by one.
    EXPECT_EQ(Lines(k19 + "12あ"), (QStringList{k19 + "12", "あ"}));
    EXPECT_EQ(Lines(k19 + "!?"), QStringList{k19 + "!?"});
    EXPECT_EQ(Lines(k19 + "！？"), QStringList{k19 + "！？"});
    EXPECT_EQ(Lines(k19 + "?!"), QStringList{k19 + "?!"});
    EXPECT_EQ(Lines(k19 + "123"), (QStringList{k19 + "1", "23"})) << "three digits: a cell each";
    EXPECT_EQ(Lines(k19 + "??"), (QStringList{k19 + "?", "?"}));
    EXPECT_EQ(Characters(QStringLiteral("第12話!?")), 6);
    EXPECT_EQ(TLineLayout().Count(u"12 34").nonBlank, 4);
}

TEST(LineLayout, ARubyBaseStaysInOneLine) {
    EXPECT_EQ(Lines(Repeat("あ", 18) + "｜親文字《おやもじ》い"),
              (QStringList{Repeat("あ", 18), "親文字い"}));
    EXPECT_EQ(Lines(Repeat("あ", 19) + "漢字《かんじ》"), (QStringList{k19, "漢字"}));
    // Emphasis is per character and may be split.
    EXPECT_EQ(Lines(k19 + "《《強調》》"), (QStringList{k19 + "強", "調"}));
    // A base longer than a line is cut.
    EXPECT_EQ(Lines("｜" + Repeat("漢", 21) + "《かん》").size(), 2);
}

// Paragraphs of a story as writers write them: dialogue, narration, punctuation.
QString Story() {
    const QStringList paragraphs = {
        QStringLiteral("「ねえ、本当に行くの？」"),
        QStringLiteral("　姉はそう言って、窓の外を見た。雨はまだ止まない。遠くで電車の音がして、"
                       "それが消えると、部屋の中はすっかり静かになった。"),
        QStringLiteral("「行くよ。約束したんだ」"),
        QStringLiteral(
            "　僕は鞄を持ち上げ、玄関へ向かった。靴紐を結びながら、ふと、"
            "子供のころに聞いた話を思い出していた。それは、ちょっとした冒険の話だった。"),
        QStringLiteral("　――それから、三年が経った。"),
    };
    return paragraphs.join(u'\n').append(u'\n').repeated(60).chopped(1);
}

TEST(LineLayout, PagesOfALongTextFollowTheLinesNotTheCharacterCount) {
    const QString story = Story();
    const TTextCounts counts = TLineLayout().Count(story);
    const qint64 naive = (counts.characters + 399) / 400;
    // Each paragraph takes at least its characters ÷ 21 lines (one may hang) and at most
    // ÷ 18 (the rules push at most two characters down in these paragraphs).
    qint64 fewest = 0, most = 0;
    for (const QString& paragraph : story.split(u'\n')) {
        fewest += (paragraph.size() + 20) / 21;
        most += (paragraph.size() + 17) / 18;
    }
    EXPECT_GT(counts.Pages(20), naive);
    EXPECT_GE(counts.gridLines, fewest);
    EXPECT_LE(counts.gridLines, most);
    EXPECT_EQ(counts.Pages(20), (counts.gridLines + 19) / 20);
}

TEST(CountSum, EveryItemBeginsAPage) {
    TCountSum sum(20);
    TTextCounts first;
    first.characters = 800;
    first.usedGridLines = first.gridLines = 45;
    TTextCounts empty;
    TTextCounts last;
    last.characters = 100;
    last.usedGridLines = last.gridLines = 10;
    sum.Add(first);
    sum.Add(last);
    sum.Add(empty);
    EXPECT_EQ(sum.Pages(), 4);
    EXPECT_EQ(sum.Characters(), 900);
    EXPECT_EQ(sum.SheetsAndLines(), QStringLiteral("3枚10行"));
    EXPECT_EQ(first.SheetsAndLines(20), QStringLiteral("2枚5行"));
    TCountSum before(20), after(20);
    before.Add(first);
    after.Add(last);
    before += after;
    EXPECT_EQ(before.SheetsAndLines(), sum.SheetsAndLines());
}

TEST(TextCounter, LaysOutOnlyTheParagraphsThatChanged) {
    const QString story = Story();
    TTextCounter counter;
    EXPECT_EQ(counter.Count(story), TLineLayout().Count(story));
    const qint64 before = counter.LaidOut();
    QString edited = story;
    edited.insert(story.indexOf(u'姉'), u'X');
    EXPECT_EQ(counter.Count(edited), TLineLayout().Count(edited));
    EXPECT_EQ(counter.LaidOut() - before, 1);
    // Other options count everything anew.
    counter.SetOptions({{40, 30}, false});
    EXPECT_EQ(counter.Count(edited), TLineLayout({{40, 30}, false}).Count(edited));
}

TEST(GridSize, ReadsColumnsByRows) {
    EXPECT_EQ(TGridSize::Parse(u"42x34"), (TGridSize{42, 34}));
    EXPECT_EQ(TGridSize::Parse(u"20×10"), (TGridSize{20, 10}));
    EXPECT_EQ(TGridSize::Parse(u"0x20"), std::nullopt);
    EXPECT_EQ(TGridSize::Parse(u"20"), std::nullopt);
    EXPECT_EQ((TGridSize{40, 30}).ToString(), QStringLiteral("40x30"));
}

}  // namespace
