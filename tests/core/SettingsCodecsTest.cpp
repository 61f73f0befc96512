#include <gtest/gtest.h>

#include "app/TStartupSettings.h"
#include "settings/TColorCodec.h"
#include "settings/TFontStyle.h"
#include "support/Printers.h"

namespace {

TEST(ColorCodec, NamesReadWithoutRegardToCase) {
    EXPECT_EQ(TColorCodec::Read("clgray"), TColorCodec::Read("clGray"));
    EXPECT_EQ(TColorCodec::Read("CLGRAY"), 0x808080u);
    EXPECT_EQ(TColorCodec::Read("clNone"), TColorCodec::kNone);
    EXPECT_EQ(TColorCodec::Read("clWindowText"), 0x80000008u);
    EXPECT_EQ(TColorCodec::Read("clInfoBk"), 0x80000018u);
}

TEST(ColorCodec, OtherTextsReadAsIntegers) {
    EXPECT_EQ(TColorCodec::Read("$000080FF"), 0x000080FFu);
    EXPECT_EQ(TColorCodec::Read("$80ff"), 0x80FFu);
    EXPECT_EQ(TColorCodec::Read("255"), 255u);
    EXPECT_EQ(TColorCodec::Read("-2147483648"), 0x80000000u);
    EXPECT_EQ(TColorCodec::Read("nil"), std::nullopt);
    EXPECT_EQ(TColorCodec::Read("$"), std::nullopt);
    EXPECT_EQ(TColorCodec::Read(""), std::nullopt);
    EXPECT_EQ(TColorCodec::Read("12abc"), std::nullopt);
}

TEST(ColorCodec, WritesTheFirstMatchingNameElseEightHexDigits) {
    EXPECT_EQ(TColorCodec::Write(0x000080FF), "$000080FF");
    EXPECT_EQ(TColorCodec::Write(0x00ABCDEF), "$00ABCDEF");
    EXPECT_EQ(TColorCodec::Write(0), "clBlack");
    EXPECT_EQ(TColorCodec::Write(0x808080), "clGray");
    EXPECT_EQ(TColorCodec::Write(0x0000FF), "clRed");  // red is the low byte
    EXPECT_EQ(TColorCodec::Write(0xFFFFFF), "clWhite");
    EXPECT_EQ(TColorCodec::Write(0x80000005), "clWindow");
    EXPECT_EQ(TColorCodec::Write(TColorCodec::kNone), "clNone");
    for (quint32 value : {0x000080FFu, 0x808080u, 0x80000011u, 0x12345678u})
        EXPECT_EQ(TColorCodec::Read(TColorCodec::Write(value)), value);
}

TEST(ColorCodec, ConvertsToAndFromColours) {
    EXPECT_EQ(TColorCodec::ToColor(0x000080FF), QColor(255, 128, 0));
    EXPECT_EQ(TColorCodec::FromColor(QColor(255, 128, 0)), 0x000080FFu);
    EXPECT_FALSE(TColorCodec::ToColor(TColorCodec::kNone).isValid());
    EXPECT_TRUE(TColorCodec::ToColor(0x80000008).isValid());
}

TEST(FontStyle, ReadsFourFlagsAndMissingOnesCountAsZero) {
    EXPECT_EQ(TFontStyle::Read(u"1010"), (TFontStyle{true, false, true, false}));
    EXPECT_EQ(TFontStyle::Read(u"01"), (TFontStyle{false, true, false, false}));
    EXPECT_EQ(TFontStyle::Read(u"nil"), TFontStyle{});
    EXPECT_EQ((TFontStyle{false, true, true, true}).Write(), "0111");
}

TEST(FontStyle, BoldInPlaceOneReplacesTheStyleTheOthersAdd) {
    QFont font;
    font.setItalic(true);
    TFontStyle::Read(u"1000").ApplyTo(font);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());

    QFont plain;
    TFontStyle::Read(u"0110").ApplyTo(plain);
    EXPECT_FALSE(plain.bold());
    EXPECT_TRUE(plain.italic());
    EXPECT_TRUE(plain.underline());
    EXPECT_FALSE(plain.strikeOut());
}

TEST(StartupSettings, OnlyVersion106IsCurrent) {
    EXPECT_TRUE(TStartupSettings::IsCurrent(TSettingsList({"iniFileVer=1.06"})));
    EXPECT_TRUE(TStartupSettings::IsCurrent(TSettingsList({"INIFILEVER=1.06"})));
    EXPECT_FALSE(TStartupSettings::IsCurrent(TSettingsList({"iniFileVer=1.07"})));
    EXPECT_FALSE(TStartupSettings::IsCurrent(TSettingsList({"iniFileVer=1.06 "})));
    EXPECT_FALSE(TStartupSettings::IsCurrent(TSettingsList()));
}

TEST(StartupSettings, UpgradeFillsOnlyTheEmptySwitches) {
    TSettingsList settings({"Version=0.9", "# comment", "AutoSave=1", "FormTop=5"});
    TStartupSettings::Upgrade(settings);
    EXPECT_EQ(settings.Lines(),
              QStringList({"Version=0.9", "# comment", "AutoSave=1", "FormTop=5", "iniFileVer=1.06",
                           "EditorWordWrap=1", "AutoLoad=1", "AutoBackup=1", "AutoNodeName=1",
                           "NodeNameLimitter=0", "NodeNameLimitterCount=40"}));
    TSettingsList noVersion({"iniFileVer=2.00"});
    TStartupSettings::Upgrade(noVersion);
    EXPECT_EQ(noVersion.Value(u"Version"), "1.08");
    EXPECT_EQ(noVersion.Value(u"iniFileVer"), "1.06");
    EXPECT_EQ(noVersion.Value(u"TreeWidth"), "");
}

TEST(StartupSettings, ReadsTheValuesAndListsTheOnesThatDoNotRead) {
    const TStartupSettings::Values values = TStartupSettings::Read(TSettingsList(
        {"FormTop=10", "FormLeft=20", "FormHeight=700", "FormWidth=wide", "TreeWidth=250",
         "EditorWordWrap=0", "EditFile=/home/user/docs/memo.qlo", "TreeFontName=IPAPGothic",
         "TreeFontColor=clgray", "TreeFontSize=11", "TreeFontStyle=0110", "EditorFontName=nil"}));
    EXPECT_EQ(values.top, 10);
    EXPECT_EQ(values.left, 20);
    EXPECT_EQ(values.height, 700);
    EXPECT_EQ(values.width, std::nullopt);
    EXPECT_EQ(values.treeWidth, 250);
    EXPECT_TRUE(values.wordWrapOff);
    EXPECT_EQ(values.dialogFolder, "/home/user/docs/");
    ASSERT_TRUE(values.treeFont);
    EXPECT_EQ(values.treeFont->family, "IPAPGothic");
    EXPECT_EQ(values.treeFont->color, QColor(128, 128, 128));
    EXPECT_EQ(values.treeFont->pointSize, 11);
    EXPECT_EQ(values.treeFont->style, (TFontStyle{false, true, true, false}));
    EXPECT_FALSE(values.editorFont);
    EXPECT_EQ(values.badValues, QStringList({"wide"}));

    EXPECT_FALSE(TStartupSettings::Read(TSettingsList({"TreeFontName="})).treeFont)
        << "an empty name is no font";
    EXPECT_FALSE(TStartupSettings::Read(TSettingsList()).editorFont) << "neither is an absent one";
}

TEST(StartupSettings, FolderPartEndsAtTheLastSeparatorOrColon) {
    EXPECT_EQ(TStartupSettings::FolderOf("C:\\docs\\memo.qlo"), "C:\\docs\\");
    EXPECT_EQ(TStartupSettings::FolderOf("C:memo.qlo"), "C:");
    EXPECT_EQ(TStartupSettings::FolderOf("/a/b.qlo"), "/a/");
    EXPECT_EQ(TStartupSettings::FolderOf("memo.qlo"), "");
}

}  // namespace
