#include "skin/TSkinLayout.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TCommandTable.h"
#include "ui/TDropDownMenus.h"
#include "ui/TMenuCommand.h"
#include "ui/TMenuTables.h"
#include "ui/TSystemMenuForm.h"

namespace {

class MenusInMainForm : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "AutoBackup=1", "EditorWordWrap=1",
                       "FormTop=0", "FormLeft=0", "FormHeight=600", "FormWidth=800"});
    }
    void TearDown() override {
        if (form && Probe(*form).Menus().Current()) Probe(*form).Menus().Current()->close();
        MainFormFixture::TearDown();
    }
    void Click(int x, int y) {
        Probe(*form).Frame().FormMouseMove(x, y);
        Probe(*form).Frame().FormMouseDown(Qt::LeftButton, x, y);
        Probe(*form).Frame().FormMouseUp(Qt::LeftButton);
    }
};

TEST_F(MenusInMainForm, AMenuTitleOpensItsMenuAndTheMenuFollowsAlongTheTitles) {
    TMainForm& main = StartShown();
    Click(45, 45);  // "file"
    ASSERT_TRUE(Probe(main).Menus().MenuVisible());
    EXPECT_EQ(Probe(main).Menus().Current()->MenuNumber(), 1);
    Probe(main).Frame().FormMouseMove(100, 45);  // "edit"
    ASSERT_TRUE(Probe(main).Menus().MenuVisible());
    EXPECT_EQ(Probe(main).Menus().Current()->MenuNumber(), 2);
    Probe(main).Frame().FormMouseMove(400, 300);  // while a menu is open only the titles count
    EXPECT_EQ(Probe(main).Skin().HotElement, SkinCode::None);
    EXPECT_EQ(Probe(main).Menus().Current()->MenuNumber(), 2);
}

TEST_F(MenusInMainForm, MenuCommandsReachTheMainWindowsOperations) {
    TMainForm& main = StartShown();
    main.RunMenuCommand(TMenuCommand::AutoBackup);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"AutoBackup"), "0");
    main.RunMenuCommand(TMenuCommand::AddItem);
    EXPECT_EQ(Outline().Count(), 2);
    Probe(main).Session().Modified = false;
    main.RunMenuCommand(TMenuCommand::EditorWordWrap);
    EXPECT_EQ(main.Editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(Probe(main).Session().Settings.Value(u"EditorWordWrap"), "0");
    EXPECT_FALSE(Probe(main).Session().Modified);
    main.RunMenuCommand(TMenuCommand::HomePage);
    main.RunMenuCommand(TMenuCommand::Associate);
    EXPECT_EQ(shell.opened.size(), 1);
    EXPECT_EQ(association.registered, 1);
}

// One table holds every command: each menu entry and each skin button that runs a
// command reaches a row, and every row is bound to an operation.
TEST_F(MenusInMainForm, EveryEntryButtonAndRowOfTheCommandTableRunsAnOperation) {
    TMainForm& main = StartShown();
    for (const TCommandRow& row : TCommandTable::All())
        EXPECT_TRUE(main.Commands().IsBound(row.Id)) << int(row.Id);
    for (int menu = TMenuTables::kFile; menu <= TMenuTables::kHelp; ++menu)
        for (const TMenuEntry& entry :
             TMenuTables::Build(menu, Probe(main).Session().Settings).Entries)
            EXPECT_TRUE(TCommandTable::OfMenuEntry(entry.Command)) << entry.Text.toStdString();
    for (int number = 1; number <= static_cast<int>(SkinCode::EMail); ++number) {
        const auto code = static_cast<SkinCode>(number);
        const bool frame =
            code == SkinCode::Splitter || (code >= SkinCode::LeftEdge && code <= SkinCode::Caption);
        EXPECT_EQ(TCommandTable::OfButton(code).has_value(), !frame) << number;
    }
}

}  // namespace
