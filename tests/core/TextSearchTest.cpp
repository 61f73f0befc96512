#include <gtest/gtest.h>

#include "support/Printers.h"
#include "ui/TTextSearch.h"

namespace {

// An editor's text and selection, driven the way the dialogs drive the editor.
struct Editor {
    QString text;
    TTextSelection selection;  // length 0: the caret at start

    bool FindNext(const QString& what) {
        const auto found = TTextSearch::FindNext(text, selection, what);
        if (found) selection = *found;
        return found.has_value();
    }
    void Replace(const QString& what, const QString& with) {
        auto result = TTextSearch::Replace(text, selection, what, with);
        if (result.edit) {
            EXPECT_EQ(result.edit->AppliedTo(text), result.text);
            selection = TTextSelection{result.caret, 0};
        }
        text = result.text;
        if (result.found) selection = *result.found;
    }
    qsizetype ReplaceAll(const QString& what, const QString& with) {
        const auto result = TTextSearch::ReplaceAll(text, selection, what, with);
        if (result.count > 0) {
            text = result.edit.AppliedTo(text);
            selection = TTextSelection{result.caret, 0};
        }
        return result.count;
    }
    QString Selected() const { return text.mid(selection.start, selection.length); }
};

TTextSelection Sel(qsizetype start, qsizetype length) { return TTextSelection{start, length}; }

// Replace all exactly as the dialog runs it: Replace, then replace and search from the
// beginning as long as the selection is an occurrence. A search takes only occurrences
// that were in the text when replace all began: characters of the old text, still side
// by side (never inserted text, never old characters brought together by a replacement).
// Quadratic, but obviously right; the linear version must agree with it.
QString SlowReplaceAll(QString text, TTextSelection selection, const QString& what,
                       const QString& with, qsizetype* caret) {
    std::vector<qsizetype> origin(text.size());  // index in the old text, -1: inserted
    for (qsizetype i = 0; i < text.size(); ++i) origin[i] = i;
    auto replaceSelection = [&] {
        text.replace(selection.start, selection.length, with);
        origin.erase(origin.begin() + selection.start, origin.begin() + selection.End());
        origin.insert(origin.begin() + selection.start, with.size(), -1);
        *caret = selection.start + with.size();
        selection = Sel(*caret, 0);
    };
    auto findNext = [&] {
        for (qsizetype p = text.indexOf(what, TTextSearch::StartOf(selection)); p >= 0;
             p = text.indexOf(what, p + 1)) {
            bool old = origin[p] >= 0;
            for (qsizetype i = p + 1; i < p + what.size(); ++i)
                old = old && origin[i] == origin[i - 1] + 1;
            if (old) {
                selection = Sel(p, what.size());
                return true;
            }
        }
        return false;
    };
    if (TTextSearch::IsOccurrence(text, selection, what)) replaceSelection();
    findNext();
    while (TTextSearch::IsOccurrence(text, selection, what)) {
        replaceSelection();
        if (!findNext()) break;
    }
    return text;
}

TEST(TextSearch, FindNextWalksThroughTheOccurrencesAndStopsAtTheLast) {
    Editor editor{"abcabc", Sel(6, 0)};  // caret at the end, nothing selected
    EXPECT_TRUE(editor.FindNext("abc"));
    EXPECT_EQ(editor.selection, Sel(0, 3));
    EXPECT_TRUE(editor.FindNext("abc"));
    EXPECT_EQ(editor.selection, Sel(3, 3));
    EXPECT_FALSE(editor.FindNext("abc"));
    EXPECT_EQ(editor.selection, Sel(3, 3));
}

TEST(TextSearch, TheCaretAloneDoesNotMoveTheStart) {
    for (qsizetype caret : {0, 1, 3, 5, 6}) {
        Editor editor{"abcabc", Sel(caret, 0)};
        EXPECT_TRUE(editor.FindNext("abc"));
        EXPECT_EQ(editor.selection, Sel(0, 3)) << caret;
    }
}

TEST(TextSearch, SearchingStartsBehindTheSelection) {
    Editor editor{"xabcab abc", Sel(1, 2)};  // "ab" selected: the "abc" it begins is skipped
    EXPECT_TRUE(editor.FindNext("abc"));
    EXPECT_EQ(editor.selection, Sel(7, 3));
}

TEST(TextSearch, SearchIsCaseSensitive) {
    Editor editor{"abc", Sel(0, 0)};
    EXPECT_FALSE(editor.FindNext("ABC"));
    EXPECT_EQ(editor.selection, Sel(0, 0));
    EXPECT_FALSE(TTextSearch::FindNext(u"ABC", Sel(0, 0), u"abc"));
}

TEST(TextSearch, SearchIsNotRestrictedToWholeWords) {
    Editor editor{"concatenate", Sel(0, 0)};
    EXPECT_TRUE(editor.FindNext("cat"));
    EXPECT_EQ(editor.selection, Sel(3, 3));
}

TEST(TextSearch, SearchNeverWrapsAround) {
    Editor editor{"abc xyz", Sel(4, 3)};
    EXPECT_FALSE(editor.FindNext("abc"));
    EXPECT_EQ(editor.selection, Sel(4, 3));
}

TEST(TextSearch, AnEmptySearchTextIsNeverFound) {
    EXPECT_FALSE(TTextSearch::FindNext(u"abc", Sel(0, 0), u""));
    EXPECT_EQ(TTextSearch::Replace(u"abc", Sel(0, 0), u"", u"x").edit, std::nullopt);
    EXPECT_EQ(TTextSearch::ReplaceAll(u"abc", Sel(0, 0), u"", u"x").count, 0);
}

TEST(TextSearch, JapaneseAndSurrogatePairsAreMatchedExactly) {
    Editor editor{QString::fromUtf16(u"日本語😀と😀"), Sel(0, 0)};
    EXPECT_TRUE(editor.FindNext(QString::fromUtf16(u"😀")));
    EXPECT_EQ(editor.selection, Sel(3, 2));
    EXPECT_TRUE(editor.FindNext(QString::fromUtf16(u"😀")));
    EXPECT_EQ(editor.selection, Sel(6, 2));
}

TEST(TextSearch, ReplacePressedThreeTimesInAXa) {
    Editor editor{"aXa", Sel(3, 0)};
    editor.Replace("a", "b");  // only finds
    EXPECT_EQ(editor.text, QString("aXa"));
    EXPECT_EQ(editor.selection, Sel(0, 1));
    editor.Replace("a", "b");
    EXPECT_EQ(editor.text, QString("bXa"));
    EXPECT_EQ(editor.selection, Sel(2, 1));
    editor.Replace("a", "b");
    EXPECT_EQ(editor.text, QString("bXb"));
    EXPECT_EQ(editor.selection, Sel(3, 0));  // nothing selected, caret behind the b
}

TEST(TextSearch, ReplaceSearchesFromTheBeginningAfterAReplacement) {
    Editor editor{"a1 a2 a3", Sel(3, 1)};  // the middle "a" is selected
    editor.Replace("a", "b");
    EXPECT_EQ(editor.text, QString("a1 b2 a3"));
    EXPECT_EQ(editor.selection, Sel(0, 1));  // the first remaining one, not the next
}

TEST(TextSearch, ReplaceLeavesASelectionThatIsNotAnOccurrence) {
    Editor editor{"Abc abc", Sel(0, 3)};  // "Abc": differs in case
    editor.Replace("abc", "x");
    EXPECT_EQ(editor.text, QString("Abc abc"));
    EXPECT_EQ(editor.selection, Sel(4, 3));
}

TEST(TextSearch, ReplaceWithEmptyTextDeletesTheOccurrence) {
    Editor editor{"xay", Sel(1, 1)};
    editor.Replace("a", "");
    EXPECT_EQ(editor.text, QString("xy"));
    EXPECT_EQ(editor.selection, Sel(1, 0));
}

TEST(TextSearch, ReplaceAllInAXaFromAnyCaret) {
    for (qsizetype caret = 0; caret <= 3; ++caret) {
        Editor editor{"aXa", Sel(caret, 0)};
        EXPECT_EQ(editor.ReplaceAll("a", "b"), 2);
        EXPECT_EQ(editor.text, QString("bXb")) << caret;
        EXPECT_EQ(editor.selection, Sel(3, 0)) << caret;
    }
}

TEST(TextSearch, ReplaceAllAlsoReplacesOccurrencesInFrontOfTheSelection) {
    Editor editor{"aXaXa", Sel(2, 1)};  // the middle one selected
    EXPECT_EQ(editor.ReplaceAll("a", "bb"), 3);
    EXPECT_EQ(editor.text, QString("bbXbbXbb"));
    EXPECT_EQ(editor.selection, Sel(8, 0));
}

TEST(TextSearch, ReplaceAllEndsBehindTheReplacementMadeLast) {
    // The selected last "a" goes first, then the walk from the beginning takes the first.
    Editor editor{"aXa", Sel(2, 1)};
    EXPECT_EQ(editor.ReplaceAll("a", "bb"), 2);
    EXPECT_EQ(editor.text, QString("bbXbb"));
    EXPECT_EQ(editor.selection, Sel(2, 0));
}

TEST(TextSearch, ReplaceAllWhereTheReplacementContainsTheSearchText) {
    Editor editor{"a", Sel(0, 0)};
    EXPECT_EQ(editor.ReplaceAll("a", "aa"), 1);
    EXPECT_EQ(editor.text, QString("aa"));
    EXPECT_EQ(editor.selection, Sel(2, 0));

    Editor more{"a-a", Sel(0, 0)};
    EXPECT_EQ(more.ReplaceAll("a", "xax"), 2);
    EXPECT_EQ(more.text, QString("xax-xax"));
}

TEST(TextSearch, ReplaceAllDoesNotReplaceOccurrencesMadeByJoiningTexts) {
    Editor editor{"abb", Sel(0, 0)};
    EXPECT_EQ(editor.ReplaceAll("ab", "xa"), 1);
    EXPECT_EQ(editor.text, QString("xab"));

    Editor deleting{"aaaa", Sel(1, 2)};  // deleting the middle "aa" brings two "a" together
    EXPECT_EQ(deleting.ReplaceAll("aa", ""), 1);
    EXPECT_EQ(deleting.text, QString("aa"));
    EXPECT_EQ(deleting.selection, Sel(1, 0));
}

TEST(TextSearch, ReplaceAllNeverChangesOtherText) {
    Editor editor{"Abc abc ab-c abcd", Sel(0, 0)};
    EXPECT_EQ(editor.ReplaceAll("abc", "Z"), 2);
    EXPECT_EQ(editor.text, QString("Abc Z ab-c Zd"));
}

// Replace finds nothing behind such a selection, so it stays, and replace all runs only
// while the selection is an occurrence.
TEST(TextSearch, ReplaceAllNeverReplacesASelectionThatIsNotAnOccurrence) {
    Editor editor{"ab a ba", Sel(5, 2)};  // "ba" selected, search "ab"
    EXPECT_EQ(editor.ReplaceAll("ab", "X"), 0);
    EXPECT_EQ(editor.text, QString("ab a ba"));

    Editor larger{"xabcx", Sel(0, 5)};  // contains an occurrence but is none
    EXPECT_EQ(larger.ReplaceAll("abc", "Y"), 0);
    EXPECT_EQ(larger.text, QString("xabcx"));

    Editor before{"ab a ba", Sel(2, 1)};  // " " selected, occurrences behind it
    EXPECT_EQ(before.ReplaceAll("a", "X"), 3);
    EXPECT_EQ(before.text, QString("Xb X bX"));
}

TEST(TextSearch, ReplaceAllWithNothingToReplaceChangesNothing) {
    Editor editor{"hello", Sel(1, 2)};
    EXPECT_EQ(editor.ReplaceAll("z", "y"), 0);
    EXPECT_EQ(editor.text, QString("hello"));
    EXPECT_EQ(editor.selection, Sel(1, 2));
}

TEST(TextSearch, ReplaceAllTouchesOnlyTheRangeItChanges) {
    const auto result = TTextSearch::ReplaceAll(u"xyz a mid a zyx", Sel(0, 0), u"a", u"bc");
    EXPECT_EQ(result.count, 2);
    EXPECT_EQ(result.edit.start, 4);
    EXPECT_EQ(result.edit.length, 7);
    EXPECT_EQ(result.edit.text, QString("bc mid bc"));
    EXPECT_EQ(result.caret, 13);
}

TEST(TextSearch, ReplaceAllWithOverlappingOccurrencesTakesThemFromTheLeft) {
    Editor editor{"aaaaa", Sel(0, 0)};
    EXPECT_EQ(editor.ReplaceAll("aa", "b"), 2);
    EXPECT_EQ(editor.text, QString("bba"));

    Editor selected{"aaaa", Sel(1, 2)};  // the selected occurrence goes first
    EXPECT_EQ(selected.ReplaceAll("aa", "b"), 1);
    EXPECT_EQ(selected.text, QString("aba"));
}

TEST(TextSearch, ReplaceAllAgreesWithTheStepByStepLoop) {
    const QStringList texts = {"", "a", "aXa", "aaaa", "abab a ba", "ab\nab\n\nba", "xaax aa a"};
    const QStringList whats = {"a", "aa", "ab", "ba", "\n", "x"};
    const QStringList withs = {"", "b", "a", "aa", "xa", "ab"};
    for (const QString& text : texts)
        for (const QString& what : whats)
            for (const QString& with : withs)
                for (qsizetype start = 0; start <= text.size(); ++start)
                    for (qsizetype length = 0; start + length <= text.size(); ++length) {
                        Editor editor{text, Sel(start, length)};
                        qsizetype caret = -1;
                        const QString expected =
                            SlowReplaceAll(text, Sel(start, length), what, with, &caret);
                        const qsizetype count = editor.ReplaceAll(what, with);
                        const auto trace = testing::Message()
                                           << text.toStdString() << " / " << what.toStdString()
                                           << " -> " << with.toStdString() << " at " << start << "+"
                                           << length;
                        EXPECT_EQ(editor.text, expected) << trace;
                        if (count > 0)
                            EXPECT_EQ(editor.selection, Sel(caret, 0)) << trace;
                        else
                            EXPECT_EQ(editor.selection, Sel(start, length)) << trace;
                    }
}

}  // namespace
