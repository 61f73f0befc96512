#include <QApplication>
#include <QFontMetrics>

#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TDropDownMenus.h"
#include "ui/TMenuGeometry.h"
#include "ui/TMenuTables.h"
#include "ui/TSystemMenuForm.h"

namespace {

// The outline's context menu in the main window, driven as the window system drives it:
// keys go to the window that has the keyboard.
class OutlineContextMenu : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "EditFile=nil", "FormTop=0", "FormLeft=0",
                       "FormHeight=600", "FormWidth=800"});
    }
    void TearDown() override {
        if (form && Menus().Current()) Menus().Current()->CloseMenu();
        MainFormFixture::TearDown();
    }

    TDropDownMenus& Menus() const { return Probe(*form).Menus(); }
    bool ContextMenuShown() const {
        return Menus().MenuVisible() && Menus().Current()->MenuNumber() == TMenuTables::kContext;
    }
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        ASSERT_NE(QGuiApplication::focusWindow(), nullptr) << "no window has the keyboard";
        QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
    }
    bool OutlineGetsTheKeyboardBack() const {
        return QTest::qWaitFor(
            [this] {
                return QGuiApplication::focusWindow() == form->windowHandle() &&
                       form->Tree->hasFocus();
            },
            2000);
    }
    QModelIndex Row(int row) const { return form->TreeModel->index(row, 0); }
};

TEST_F(OutlineContextMenu, TheKeyboardOpensItChoosesAndClosesItAndTheOutlineKeepsTheKeys) {
    TMainForm& main = StartShown();
    AddTopLevelItem(QStringLiteral("B"));
    main.Tree->setFocus();
    main.Tree->setCurrentIndex(Row(0));

    Press(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(ContextMenuShown());
    TSystemMenuForm& menu = *Menus().Current();
    EXPECT_TRUE(main.Tree->rect().contains(main.Tree->mapFromGlobal(menu.pos())))
        << "it hangs from the current row";
    const QFontMetrics metrics(menu.font());
    for (const TMenuEntry& entry : menu.Table().Entries)
        EXPECT_LE(TMenuGeometry::kCaptionX + metrics.horizontalAdvance(entry.Text),
                  menu.width() - TMenuGeometry::kMargin)
            << entry.Text.toStdString();
    Press(Qt::Key_Right);
    EXPECT_TRUE(ContextMenuShown()) << "no neighbouring menu";
    Press(Qt::Key_Escape);
    EXPECT_FALSE(Menus().MenuVisible());
    ASSERT_TRUE(OutlineGetsTheKeyboardBack());
    Press(Qt::Key_Down);
    EXPECT_EQ(main.Tree->currentIndex(), Row(1));

    Press(Qt::Key_Menu);
    ASSERT_TRUE(ContextMenuShown());
    Press(Qt::Key_Down);
    EXPECT_EQ(Menus().Current()->HoverCode(), TMenuCommand::AddItem);
    Press(Qt::Key_Return);
    EXPECT_FALSE(Menus().MenuVisible());
    ASSERT_EQ(Outline().Count(), 3);
    EXPECT_EQ(main.Tree->currentIndex(), Row(2)) << "the new item is selected";
    EXPECT_EQ(main.Tree->selectionModel()->selectedRows(), QModelIndexList{Row(2)});
    EXPECT_TRUE(OutlineGetsTheKeyboardBack());
}

TEST_F(OutlineContextMenu, ARightClickOnASelectedItemKeepsTheSelection) {
    TMainForm& main = StartShown();
    AddTopLevelItem(QStringLiteral("B"));
    main.Tree->setCurrentIndex(Row(0));
    main.Tree->selectionModel()->select(Row(1), QItemSelectionModel::Select);
    QTest::mouseClick(main.Tree->viewport(), Qt::RightButton, {},
                      main.Tree->visualRect(Row(1)).center());
    EXPECT_TRUE(ContextMenuShown());
    EXPECT_EQ(main.Tree->selectionModel()->selectedRows().size(), 2);
    EXPECT_FALSE(Probe(main).Frame().MenuOpen()) << "the menu band has no menu open";
}

}  // namespace
