#include <gtest/gtest.h>

#include "settings/TRecentFiles.h"
#include "settings/TSettingsList.h"
#include "support/Printers.h"

namespace {

QStringList Recent(const TSettingsList& settings) {
    QStringList values;
    for (int n = 1; n <= TRecentFiles::kCount; ++n) values << settings.Value(TRecentFiles::Key(n));
    return values;
}

TEST(RecentFiles, FoundEntriesMoveToTheTopAndNewOnesPushTheOldestOut) {
    TSettingsList settings(
        {"RecentFile1=a", "RecentFile2=b", "RecentFile3=c", "RecentFile4=nil", "RecentFile5=nil"});
    TRecentFiles::Add(settings, "c");
    EXPECT_EQ(Recent(settings), QStringList({"c", "a", "b", "nil", "nil"}));
    TRecentFiles::Add(settings, "d");
    EXPECT_EQ(Recent(settings), QStringList({"d", "c", "a", "b", "nil"}));
    TRecentFiles::Add(settings, "d");
    EXPECT_EQ(Recent(settings), QStringList({"d", "c", "a", "b", "nil"}));
    TRecentFiles::Add(settings, "e");
    TRecentFiles::Add(settings, "f");
    EXPECT_EQ(Recent(settings), QStringList({"f", "e", "d", "c", "a"}));
    TRecentFiles::Add(settings, "a");
    EXPECT_EQ(Recent(settings), QStringList({"a", "f", "e", "d", "c"}));
}

TEST(RecentFiles, PathsCompareWithLetterCase) {
    TSettingsList settings({"RecentFile1=/x/A.qlo", "RecentFile2=nil", "RecentFile3=nil",
                            "RecentFile4=nil", "RecentFile5=nil"});
    TRecentFiles::Add(settings, "/x/a.qlo");
    EXPECT_EQ(Recent(settings), QStringList({"/x/a.qlo", "/x/A.qlo", "nil", "nil", "nil"}));
}

}  // namespace
