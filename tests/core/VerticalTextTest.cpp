#include <gtest/gtest.h>

#include "layout/TLineLayout.h"
#include "typeset/TVerticalPages.h"
#include "typeset/TVerticalText.h"

namespace {

// The text of a laid-out line, cell by cell.
QStringList CellsOf(const TVerticalText& laid, int line) {
    QStringList shown;
    for (const TVerticalCell& cell : laid.CellsOfLine(line))
        shown << laid.Text().mid(cell.offset, cell.length);
    return shown;
}

TGlyphChoice GlyphOf(const QString& text, int index = 0) {
    const TVerticalText laid(text, {});
    return laid.CellsOfLine(0)[static_cast<std::size_t>(index)].glyph;
}

QString Reading(const TVerticalText& laid, const TVerticalMark& mark) {
    return laid.Text().mid(mark.readingBegin, mark.readingEnd - mark.readingBegin);
}

const QString k18 = QStringLiteral("あ").repeated(18);
const QString k20 = QStringLiteral("あ").repeated(20);

TEST(VerticalText, EveryCharacterTakesTheCellOfTheEngine) {
    const TVerticalText laid(QStringLiteral("あい\n\n") + k20 + QStringLiteral("う"), {});
    ASSERT_EQ(laid.Lines(), 4);
    EXPECT_EQ(CellsOf(laid, 0), (QStringList{"あ", "い"}));
    EXPECT_TRUE(CellsOf(laid, 1).isEmpty()) << "an empty paragraph takes a line";
    EXPECT_EQ(laid.CellsOfLine(2)[19].cell, 19);
    EXPECT_EQ(CellsOf(laid, 3), QStringList{"う"});
    EXPECT_EQ(laid.Pages(), 1);
}

TEST(VerticalText, EachCharacterGetsItsVerticalForm) {
    EXPECT_EQ(GlyphOf("、").form, TGlyphForm::Corner);
    EXPECT_EQ(GlyphOf("。").form, TGlyphForm::Corner);
    EXPECT_EQ(GlyphOf("．").form, TGlyphForm::Corner);
    EXPECT_EQ(GlyphOf("「"), (TGlyphChoice{TGlyphForm::Turned, u'\uFE41'}));
    EXPECT_EQ(GlyphOf("（"), (TGlyphChoice{TGlyphForm::Turned, u'\uFE35'}));
    EXPECT_EQ(GlyphOf("…"), (TGlyphChoice{TGlyphForm::Turned, u'\uFE19'}));
    EXPECT_EQ(GlyphOf("ー"), (TGlyphChoice{TGlyphForm::Turned, 0}));
    EXPECT_EQ(GlyphOf("〜").form, TGlyphForm::Turned);
    EXPECT_EQ(GlyphOf("＝").form, TGlyphForm::Turned);
    EXPECT_EQ(GlyphOf("―").form, TGlyphForm::Turned);
    EXPECT_EQ(GlyphOf("ょ").form, TGlyphForm::Small);
    EXPECT_EQ(GlyphOf("ッ").form, TGlyphForm::Small);
    EXPECT_EQ(GlyphOf("Ａ").form, TGlyphForm::Upright) << "full-width letters stand";
    EXPECT_EQ(GlyphOf("１").form, TGlyphForm::Upright);
    EXPECT_EQ(GlyphOf("　").form, TGlyphForm::Blank);
    EXPECT_EQ(GlyphOf("漢").form, TGlyphForm::Upright);
    EXPECT_EQ(GlyphOf("Qt", 1).form, TGlyphForm::Sideways) << "half-width letters lie";
    EXPECT_EQ(GlyphOf("2026年", 1).form, TGlyphForm::Sideways) << "a long number lies";
}

TEST(VerticalText, ShortNumbersAndMarkPairsSitAcrossOneCell) {
    const TVerticalText laid(QStringLiteral("第12話!?5月"), {});
    EXPECT_EQ(CellsOf(laid, 0), (QStringList{"第", "12", "話", "!?", "5", "月"}));
    for (int i : {1, 3, 4})
        EXPECT_EQ(laid.CellsOfLine(0)[static_cast<std::size_t>(i)].glyph.form,
                  TGlyphForm::AcrossLine);
    EXPECT_EQ(GlyphOf("?!").form, TGlyphForm::AcrossLine);
    EXPECT_EQ(GlyphOf("！！").form, TGlyphForm::AcrossLine);
}

TEST(VerticalText, RubyAndEmphasisGoBesideTheirBase) {
    const TVerticalText bar(QStringLiteral("あ｜親文字《おやもじ》と|彼《かれ》"), {});
    EXPECT_EQ(CellsOf(bar, 0), (QStringList{"あ", "親", "文", "字", "と", "彼"}));
    ASSERT_EQ(bar.Marks().size(), 2u);
    EXPECT_EQ(bar.Marks()[0].firstCell, 1);
    EXPECT_EQ(bar.Marks()[0].lastCell, 3);
    EXPECT_EQ(Reading(bar, bar.Marks()[0]), QStringLiteral("おやもじ"));
    EXPECT_EQ(bar.Marks()[1].firstCell, 5);
    EXPECT_EQ(Reading(bar, bar.Marks()[1]), QStringLiteral("かれ"));

    const TVerticalText kanji(QStringLiteral("その佐々木《ささき》"), {});
    ASSERT_EQ(kanji.Marks().size(), 1u);
    EXPECT_EQ(kanji.Marks()[0].firstCell, 2) << "the kanji with 々 before 《";
    EXPECT_EQ(kanji.Marks()[0].lastCell, 4);

    const TVerticalText dots(QStringLiteral("《《語る》》な"), {});
    EXPECT_EQ(CellsOf(dots, 0), (QStringList{"語", "る", "な"}));
    ASSERT_EQ(dots.Marks().size(), 2u);
    EXPECT_TRUE(dots.Marks()[1].emphasis);
    EXPECT_EQ(dots.Marks()[1].firstCell, 1);

    EXPECT_EQ(CellsOf(TVerticalText(QStringLiteral("漢字《かん"), {}), 0).join(""),
              QStringLiteral("漢字《かん"))
        << "unclosed: as typed";
    EXPECT_EQ(CellsOf(TVerticalText(QStringLiteral("｜《あ》"), {}), 0).join(""),
              QStringLiteral("《あ》"));
    EXPECT_TRUE(TVerticalText(QStringLiteral("｜《あ》"), {}).Marks().empty());
}

TEST(VerticalText, KinsokuAndRubyBasesShapeTheLines) {
    const TVerticalText hanging(k20 + QStringLiteral("、い"), {});
    EXPECT_EQ(hanging.CellsOfLine(0)[20].cell, 20) << "、 hangs below the last cell";
    EXPECT_EQ(CellsOf(hanging, 1), QStringList{"い"});

    const TVerticalText ruby(k18 + QStringLiteral("｜親文字《おやもじ》"), {});
    EXPECT_EQ(CellsOf(ruby, 1), (QStringList{"親", "文", "字"}));
    ASSERT_EQ(ruby.Marks().size(), 1u);
    EXPECT_EQ(ruby.Marks()[0].line, 1);
    EXPECT_EQ(ruby.Marks()[0].firstCell, 0);
}

TEST(VerticalText, CaretAndCellsMapBothWays) {
    const QString text = QStringLiteral("あい\n\n") + k20 + QStringLiteral("う");
    const TVerticalText laid(text, {});
    EXPECT_EQ(laid.PlaceOf(1), (TCellPlace{0, 1}));
    EXPECT_EQ(laid.PlaceOf(2), (TCellPlace{0, 2})) << "the end of a paragraph";
    EXPECT_EQ(laid.PlaceOf(3), (TCellPlace{1, 0}));
    EXPECT_EQ(laid.PlaceOf(24), (TCellPlace{3, 0}));
    EXPECT_EQ(laid.OffsetAt({2, 5}), 9);
    EXPECT_EQ(laid.OffsetAt({0, 7}), 2) << "after the characters: the line's end";
    EXPECT_EQ(laid.OffsetAt({1, 0}), 3);
}

// Everything a drawing reads of a laid-out text, as one string.
QString Dump(const TVerticalText& laid) {
    QString dump = QStringLiteral("pages %1\n").arg(laid.Pages());
    for (int line = 0; line < laid.Lines(); ++line) {
        for (const TVerticalCell& cell : laid.CellsOfLine(line))
            dump += QStringLiteral("%1:%2+%3@%4.%5 ")
                        .arg(int(cell.glyph.form))
                        .arg(cell.offset)
                        .arg(cell.length)
                        .arg(cell.line)
                        .arg(cell.cell);
        dump += QStringLiteral("| %1\n").arg(laid.OffsetAt({line, 99}));
    }
    for (const TVerticalMark& mark : laid.Marks())
        dump += QStringLiteral("mark %1 %2-%3 %4 %5\n")
                    .arg(mark.line)
                    .arg(mark.firstCell)
                    .arg(mark.lastCell)
                    .arg(Reading(laid, mark))
                    .arg(mark.emphasis);
    return dump;
}

TEST(VerticalText, AnEditLaysOutAsTheWholeTextWould) {
    QString text = QStringLiteral("第一行、｜親文字《おやもじ》と《《強調》》。\n\n") + k20 +
                   QStringLiteral("」12!?\nQt の本\n");
    TVerticalText edited(text, {});
    // Typing, a line break typed and taken back, a paragraph pasted, a ruby closed,
    // everything deleted and typed anew.
    const struct {
        qsizetype at;
        qsizetype removed;
        const char* typed;
    } edits[] = {{3, 0, "あ"},  {0, 0, "「"},         {10, 0, "\n"},   {10, 1, ""},
                 {29, 0, "い"}, {5, 3, "漢字《か\n"}, {14, 0, "ん》"}, {40, 0, "x\ny\n\n"},
                 {0, 5, ""},    {2, 30, ""}};
    for (const auto& edit : edits) {
        text.replace(edit.at, edit.removed, QString::fromUtf8(edit.typed));
        edited.Edit(text);
        ASSERT_EQ(Dump(edited), Dump(TVerticalText(text, {}))) << edit.at << " " << edit.typed;
    }
    text.clear();
    edited.Edit(text);
    EXPECT_EQ(edited.Lines(), 0);
    text = QStringLiteral("あ");
    edited.Edit(text);
    EXPECT_EQ(edited.Pages(), 1);
}

TEST(VerticalText, CountedReadingsTakeCellsAfterTheirBase) {
    TLayoutOptions options;
    options.countRuby = true;
    const QString text = k18 + QStringLiteral("｜親《おや》と《《傍点》》");
    const TVerticalText laid(text, options);
    EXPECT_EQ(CellsOf(laid, 0).mid(18), (QStringList{"親", "お"}));
    ASSERT_EQ(laid.Marks().size(), 2u) << "only the emphasis dots go beside";
    EXPECT_TRUE(laid.Marks()[0].emphasis);
    EXPECT_EQ(laid.Pages(), TLineLayout(options).Count(text).Pages(20));
}

TEST(VerticalPages, EachItemBeginsAPageAndThePagesAreTheCountedOnes) {
    const QString story =
        QStringLiteral("「ねえ、本当に12回も行くの!?」\n　姉は《《そう》》言った。\n").repeated(40);
    TVerticalPages pages;
    pages.Add(QStringLiteral("一"), story);
    pages.Add(QStringLiteral("空"), QString());
    pages.Add(QStringLiteral("二"), QStringLiteral("あ"));
    const qint64 counted = TLineLayout().Count(story).Pages(20);
    EXPECT_EQ(pages.Count(), counted + 1);
    EXPECT_EQ(pages.Page(static_cast<int>(counted)).item, 2);
    EXPECT_EQ(pages.Page(1).pageOfItem, 1);
    EXPECT_EQ(pages.FirstLineOf(1), 20);
    EXPECT_EQ(pages.PageOf(0, {25, 0}), 1);
    pages.Replace(2, QStringLiteral("あ\n").repeated(30));
    EXPECT_EQ(pages.Count(), counted + 2);
}

}  // namespace
