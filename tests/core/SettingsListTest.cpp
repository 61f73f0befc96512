#include <gtest/gtest.h>

#include "settings/TSettingsList.h"

namespace {

TEST(SettingsList, LooksUpTheFirstLineIgnoringLetterCase) {
    TSettingsList settings({"comment line", "autoload=0", "AutoLoad=1", "Empty="});
    EXPECT_EQ(settings.Value(u"AutoLoad"), "0");
    EXPECT_EQ(settings.Value(u"AUTOLOAD"), "0");
    EXPECT_EQ(settings.Value(u"Empty"), "");
    EXPECT_EQ(settings.Value(u"Missing"), "");
    EXPECT_EQ(settings.Value(u"comment line"), "");
}

TEST(SettingsList, ValuesMayContainEqualsSigns) {
    TSettingsList settings({"EditFile=/a=b/c.qlo"});
    EXPECT_EQ(settings.Value(u"EditFile"), "/a=b/c.qlo");
}

TEST(SettingsList, SettingReplacesInPlaceAppendsOrDeletes) {
    TSettingsList settings({"A=1", "# note", "b=2"});
    settings.SetValue(u"B", "3");
    EXPECT_EQ(settings.Lines(), QStringList({"A=1", "# note", "B=3"}));
    settings.SetValue(u"C", "4");
    EXPECT_EQ(settings.Lines(), QStringList({"A=1", "# note", "B=3", "C=4"}));
    settings.SetValue(u"a", "");
    EXPECT_EQ(settings.Lines(), QStringList({"# note", "B=3", "C=4"}));
    settings.SetValue(u"Absent", "");
    EXPECT_EQ(settings.Lines().size(), 3);
}

TEST(SettingsList, DefaultsAreTheThirtyLinesWithTheWindowPlace) {
    const TSettingsList defaults = TSettingsList::Defaults(QRect(10, 20, 800, 775));
    ASSERT_EQ(defaults.Lines().size(), 30);
    EXPECT_EQ(defaults.Lines().first(), "ApplicationName=brisbeck outline editor");
    EXPECT_EQ(defaults.Lines()[4], "FormTop=20");
    EXPECT_EQ(defaults.Lines()[5], "FormLeft=10");
    EXPECT_EQ(defaults.Lines()[6], "FormHeight=775");
    EXPECT_EQ(defaults.Lines()[7], "FormWidth=800");
    EXPECT_EQ(defaults.Lines().last(), "RecentFile5=nil");
    EXPECT_EQ(defaults.Value(u"NodeNameLimitterCount"), "40");
}

}  // namespace
