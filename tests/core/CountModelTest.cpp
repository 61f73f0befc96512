#include <gtest/gtest.h>

#include "settings/TCountTargets.h"
#include "settings/TSettingsList.h"
#include "ui/TCountModel.h"

namespace {

using TScope = TCountModel::TScope;

TTextCounts Text(qint64 characters, qint64 gridLines) {
    TTextCounts counts;
    counts.characters = counts.nonBlank = characters;
    counts.lines = 1;
    counts.gridLines = counts.usedGridLines = gridLines;
    return counts;
}

// A chapter (number 1) with two sections (2, 3), then an epilogue (4).
TCountModel Novel() {
    TCountModel model(20);
    model.SetOutline({1, 2, 3, 4}, {1, 2, 2, 1},
                     {Text(10, 1), Text(500, 25), Text(100, 5), Text(40, 2)});
    return model;
}

TEST(CountModel, SumsTheItemItsDescendantsAndTheDocumentWithTheEditorsText) {
    TCountModel model = Novel();
    model.SetCurrentItem(1);
    EXPECT_EQ(model.Sum(TScope::Item)->Characters(), 10);
    EXPECT_EQ(model.Sum(TScope::Subtree)->Characters(), 610);
    EXPECT_EQ(model.Sum(TScope::Subtree)->Pages(), 4);
    EXPECT_EQ(model.Sum(TScope::Document)->Pages(), 5);
    EXPECT_EQ(model.Sum(TScope::Document)->SheetsAndLines(), QStringLiteral("4枚2行"));
    EXPECT_FALSE(model.Sum(TScope::Selection));

    // The editor's text takes the place of the current item's file.
    model.SetCurrentItem(3);
    model.SetEditorCounts(Text(800, 41));
    EXPECT_EQ(model.Sum(TScope::Subtree)->Characters(), 800);
    EXPECT_EQ(model.Sum(TScope::Document)->Characters(), 1350);
    EXPECT_EQ(model.Sum(TScope::Document)->Pages(), 1 + 2 + 3 + 1);

    model.OutlineChanged();
    EXPECT_FALSE(model.Sum(TScope::Document)) << "unknown until counted again";
    EXPECT_EQ(model.Sum(TScope::Item)->Characters(), 800);
}

TEST(CountTargets, AreKeptByDocumentPathAndItemLabels) {
    TSettingsList settings;
    TCountTargets targets(settings);
    const TCountTarget pages{TCountTarget::Unit::Pages, 80};
    const TCountTarget characters{TCountTarget::Unit::Characters, 3000};
    targets.SetDocument("/home/a/小説.qlo", pages);
    targets.SetItem("/home/a/小説.qlo", {"第一章", "一"}, characters);
    EXPECT_EQ(targets.Document("/home/a/小説.qlo"), pages);
    EXPECT_EQ(targets.Item("/home/a/小説.qlo", {"第一章", "一"}), characters);
    EXPECT_FALSE(targets.Item("/home/a/小説.qlo", {"第一章"}).IsSet());
    EXPECT_FALSE(targets.Document("/home/a/other.qlo").IsSet());
    EXPECT_EQ(settings.Lines().size(), 1);
    EXPECT_TRUE(settings.Lines()[0].startsWith("CountTarget"));

    EXPECT_EQ(characters.PerMille(750), 250);
    EXPECT_EQ(characters.Remaining(750), 2250);
    EXPECT_EQ(characters.Remaining(4000), 0);

    targets.SetDocument("/home/a/小説.qlo", {});
    targets.SetItem("/home/a/小説.qlo", {"第一章", "一"}, {});
    EXPECT_TRUE(settings.Lines().isEmpty()) << "no line for a document without targets";
}

}  // namespace
