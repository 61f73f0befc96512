#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>
#include <functional>

#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TDropDownMenus.h"
#include "ui/TMenuHost.h"
#include "ui/TSystemMenuForm.h"

namespace {

// The window the menus hang from, recording what the menus ask of it.
class FakeMenuHost : public TMenuHost {
  public:
    FakeMenuHost() {
        window.setGeometry(100, 100, 800, 600);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window, 2000);
    }

    void RunMenuCommand(TMenuCommand command) override {
        commands << command;
        menuShownDuringCommand << (menus && menus->MenuVisible());
        if (onCommand) onCommand(command);
    }
    void HintOut(const QString& text) override { hints << text; }
    const TSettingsList& MenuSettings() const override { return settings; }
    QWidget* MenuOwnerWindow() override { return &window; }

    QWidget window;
    TSettingsList settings{QStringList{"AutoLoad=1", "AutoSave=0", "AutoBackup=1",
                                       "EditorWordWrap=1", "RecentFile1=C:\\doc\\memo.qlo",
                                       "RecentFile2=nil", "RecentFile3=nil", "RecentFile4=nil",
                                       "RecentFile5=nil"}};
    QList<TMenuCommand> commands;
    QList<bool> menuShownDuringCommand;
    QStringList hints;
    std::function<void(TMenuCommand)> onCommand;
    const TDropDownMenus* menus = nullptr;
};

// Text is smoothed: its pixels are mixtures of its colour with the white panel.
bool IsRed(QRgb pixel) { return qRed(pixel) > qGreen(pixel) + 80 && qGreen(pixel) == qBlue(pixel); }
bool IsGrey(QRgb pixel) {
    return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) >= 100 &&
           qRed(pixel) <= 220;
}

// A pointer move as the window system delivers it.
void MoveTo(TSystemMenuForm& form, const QPoint& point) {
    QTest::mouseMove(form.windowHandle(), point);
}

int CountPixels(const QImage& image, const QRect& area, bool (*match)(QRgb)) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (match(image.pixel(x, y))) ++count;
    return count;
}

QRect Band(const TSystemMenuForm& form, int y) { return QRect(4, y, form.width() - 8, 15); }

class SystemMenuFormTest : public testing::Test {
  protected:
    TSystemMenuForm& Open(int menuNumber) {
        TSystemMenuForm* form = menus.Open(menuNumber);
        (void)QTest::qWaitForWindowExposed(form, 2000);
        return *form;
    }
    static QImage Shot(TSystemMenuForm& form) {
        return form.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    FakeMenuHost host;
    TDropDownMenus menus{host};
    void SetUp() override { host.menus = &menus; }
};

}  // namespace

TEST_F(SystemMenuFormTest, OpensUnderItsTitleAsTheCurrentMenu) {
    TSystemMenuForm& form = Open(2);
    EXPECT_EQ(menus.Current(), &form);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.isWindow());
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(form.MenuNumber(), 2);
    EXPECT_EQ(form.HoverCode(), TMenuCommand::None);
    EXPECT_EQ(form.geometry(), QRect(host.window.mapToGlobal(QPoint(84, 60)), QSize(140, 460)));
}

TEST_F(SystemMenuFormTest, FileMenuSizeFollowsTheRecentFiles) {
    TSystemMenuForm& form = Open(1);
    EXPECT_EQ(form.RecentFileCount(), 1);
    EXPECT_EQ(form.size(), QSize(120, 300));
    EXPECT_EQ(form.pos(), host.window.mapToGlobal(QPoint(30, 60)));
}

TEST_F(SystemMenuFormTest, DrawsAWhitePanelWithAThickBlackFrame) {
    TSystemMenuForm& form = Open(2);
    const QImage image = Shot(form);
    const int w = form.width(), h = form.height();
    for (int x : {1, 2, 3, w - 3, w - 2, w - 1}) EXPECT_EQ(image.pixel(x, 70), qRgb(0, 0, 0)) << x;
    for (int y : {1, 2, 3, h - 3, h - 2, h - 1}) EXPECT_EQ(image.pixel(70, y), qRgb(0, 0, 0)) << y;
    EXPECT_EQ(image.pixel(4, 70), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(w - 4, 70), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(70, 4), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(70, h - 4), qRgb(255, 255, 255));
    EXPECT_EQ(CountPixels(image, image.rect(), IsRed), 0);
}

TEST_F(SystemMenuFormTest, DrawsGreyCaptionsAndSeparators) {
    TSystemMenuForm& form = Open(2);
    const QImage image = Shot(form);
    for (int y : {75, 135, 235}) {
        EXPECT_EQ(image.pixel(9, y), qRgb(255, 255, 255)) << y;
        EXPECT_EQ(image.pixel(10, y), qRgb(128, 128, 128)) << y;
        EXPECT_EQ(image.pixel(129, y), qRgb(128, 128, 128)) << y;
        EXPECT_EQ(image.pixel(130, y), qRgb(255, 255, 255)) << y;
    }
    for (int y : {10, 30, 50, 90, 110, 150, 170, 190, 210})
        EXPECT_GT(CountPixels(image, Band(form, y), IsGrey), 5) << y;
    EXPECT_EQ(CountPixels(image, QRect(4, 4, 6, 230), IsGrey), 0);  // nothing left of x = 10
}

TEST_F(SystemMenuFormTest, HoverTurnsTheEntryRedAndShowsItsHint) {
    TSystemMenuForm& form = Open(2);
    MoveTo(form, QPoint(50, 15));
    EXPECT_EQ(form.HoverCode(), TMenuCommand::AddItem);
    ASSERT_FALSE(host.hints.isEmpty());
    EXPECT_EQ(host.hints.last(), "現在選択している項目と同じ階層に、新しい項目を追加します。");
    QImage image = Shot(form);
    EXPECT_GT(CountPixels(image, Band(form, 10), IsRed), 5);
    EXPECT_EQ(CountPixels(image, Band(form, 30), IsRed), 0);

    MoveTo(form, QPoint(50, 35));
    EXPECT_EQ(form.HoverCode(), TMenuCommand::AddChildItem);
    EXPECT_EQ(host.hints.last(), "現在選択している項目の下の階層に、新しい項目を追加します。");
    image = Shot(form);
    EXPECT_EQ(CountPixels(image, Band(form, 10), IsRed), 0);
    EXPECT_GT(CountPixels(image, Band(form, 10), IsGrey), 5);
    EXPECT_GT(CountPixels(image, Band(form, 30), IsRed), 5);
}

TEST_F(SystemMenuFormTest, GapsAndMarginsHighlightNothingAndClearTheHint) {
    TSystemMenuForm& form = Open(2);
    for (QPoint gap : {QPoint(50, 27), QPoint(5, 15), QPoint(135, 15), QPoint(50, 80)}) {
        form.FormMouseMove({50, 15});
        ASSERT_EQ(form.HoverCode(), TMenuCommand::AddItem);
        form.FormMouseMove(gap);
        EXPECT_EQ(form.HoverCode(), TMenuCommand::None) << gap.x() << "," << gap.y();
        EXPECT_EQ(host.hints.last(), "");
        EXPECT_EQ(CountPixels(Shot(form), form.rect(), IsRed), 0);
    }
}

TEST_F(SystemMenuFormTest, EntriesWithoutHintLeaveTheHintLineAlone) {
    TSystemMenuForm& form = Open(1);
    form.FormMouseMove({50, 35});
    EXPECT_EQ(host.hints.last(), "文章を開きます。");
    const qsizetype written = host.hints.size();
    form.FormMouseMove({50, 135});  // the recent file
    EXPECT_EQ(form.HoverCode(), TMenuCommand::RecentFile1);
    form.FormMouseMove({50, 175});  // "終了" at 150 + 20
    EXPECT_EQ(form.HoverCode(), TMenuCommand::Exit);
    EXPECT_EQ(host.hints.size(), written);
}

TEST_F(SystemMenuFormTest, ToggleKeepsItsMarkWhenLeft) {
    TSystemMenuForm& form = Open(4);
    const QImage before = Shot(form);
    form.FormMouseMove({50, 15});
    form.FormMouseMove({50, 35});
    const QImage after = Shot(form);
    EXPECT_EQ(after.copy(Band(form, 10)), before.copy(Band(form, 10)));
}

TEST_F(SystemMenuFormTest, PressWithoutHighlightDoesNothing) {
    TSystemMenuForm& form = Open(2);
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(50, 27));
    EXPECT_TRUE(host.commands.isEmpty());
    EXPECT_TRUE(form.isVisible());
}

TEST_F(SystemMenuFormTest, ChoosingRunsTheCommandWithTheMenuShownThenCloses) {
    TSystemMenuForm& form = Open(2);
    MoveTo(form, QPoint(50, 95));
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(50, 95));
    ASSERT_EQ(host.commands, QList<TMenuCommand>{TMenuCommand::AddItemText});
    EXPECT_TRUE(host.menuShownDuringCommand.first());
    EXPECT_FALSE(form.isVisible());
}

TEST_F(SystemMenuFormTest, EveryButtonChooses) {
    TSystemMenuForm& form = Open(5);
    form.FormMouseMove({50, 35});
    QTest::mouseClick(&form, Qt::RightButton, {}, QPoint(50, 35));
    EXPECT_EQ(host.commands, QList<TMenuCommand>{TMenuCommand::Version});
    EXPECT_FALSE(form.isVisible());
}

TEST_F(SystemMenuFormTest, OpenAndSaveAsHideTheMenuBeforeTheirDialog) {
    for (auto [y, command] :
         {std::pair{35, TMenuCommand::OpenFile}, std::pair{95, TMenuCommand::SaveFileAs}}) {
        TSystemMenuForm& form = Open(1);
        form.FormMouseMove({50, y});
        form.FormMouseDown();
        EXPECT_EQ(host.commands.last(), command);
        EXPECT_FALSE(host.menuShownDuringCommand.last());
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(SystemMenuFormTest, FindAndReplaceHideTheMenu) {
    for (auto [y, command] :
         {std::pair{15, TMenuCommand::Find}, std::pair{35, TMenuCommand::Replace}}) {
        TSystemMenuForm& form = Open(3);
        form.FormMouseMove({50, y});
        form.FormMouseDown();
        EXPECT_EQ(host.commands.last(), command);
        EXPECT_FALSE(host.menuShownDuringCommand.last());
        EXPECT_FALSE(form.isVisible());
    }
}

TEST_F(SystemMenuFormTest, EveryEntryRunsItsOwnCommand) {
    for (int menu = 1; menu <= 5; ++menu) {
        const TMenuTable table = menus.Open(menu)->Table();
        for (const TMenuEntry& entry : table.Entries) {
            TSystemMenuForm& form = Open(menu);
            form.FormMouseMove({20, entry.Y + 7});
            form.FormMouseDown();
            EXPECT_EQ(host.commands.last(), entry.Command);
        }
    }
}

TEST_F(SystemMenuFormTest, ClosesWhenTheMainWindowIsActivated) {
    TSystemMenuForm& form = Open(2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 2000));
    host.window.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 2000));
    EXPECT_FALSE(menus.MenuVisible());
}

TEST_F(SystemMenuFormTest, ClosesWhenAnotherWindowIsActivated) {
    TSystemMenuForm& form = Open(2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 2000));
    QWidget other;
    other.setGeometry(0, 0, 100, 100);
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !form.isVisible(); }, 2000));
}

TEST_F(SystemMenuFormTest, ADialogOfTheCommandClosesTheMenu) {
    QDialog dialog(&host.window);
    bool closedDuringDialog = false;
    host.onCommand = [&](TMenuCommand) {
        dialog.show();
        dialog.activateWindow();
        closedDuringDialog = QTest::qWaitFor([this] { return !menus.MenuVisible(); }, 2000);
        EXPECT_TRUE(dialog.isVisible());
    };
    TSystemMenuForm& form = Open(5);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form, 2000));
    form.FormMouseMove({50, 15});
    form.FormMouseDown();
    EXPECT_EQ(host.commands, QList<TMenuCommand>{TMenuCommand::OpenHelp});
    EXPECT_TRUE(closedDuringDialog);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(SystemMenuFormTest, OnlyOneMenuIsEverVisible) {
    const QPointer<TSystemMenuForm> first = &Open(1);
    TSystemMenuForm& second = Open(4);
    EXPECT_TRUE(!first || !first->isVisible());
    EXPECT_TRUE(second.isVisible());
    EXPECT_EQ(menus.Current(), &second);
    EXPECT_EQ(second.HoverCode(), TMenuCommand::None);
}

TEST_F(SystemMenuFormTest, MenuFollowsThePointerAlongTheTitles) {
    using S = SkinCode;
    EXPECT_FALSE(menus.FollowPointer(S::None, S::MenuFile));  // no menu shown
    const QPointer<TSystemMenuForm> file = &Open(1);
    EXPECT_FALSE(menus.FollowPointer(S::MenuFile, S::MenuFile));  // same title
    EXPECT_FALSE(menus.FollowPointer(S::MenuFile, S::None));      // not a title
    EXPECT_FALSE(menus.FollowPointer(S::MenuFile, S::Minimize));
    EXPECT_EQ(menus.Current(), file.data());
    EXPECT_TRUE(menus.FollowPointer(S::MenuFile, S::MenuOption));
    EXPECT_TRUE(!file || !file->isVisible());
    ASSERT_TRUE(menus.Current());
    EXPECT_EQ(menus.Current()->MenuNumber(), 4);
    EXPECT_TRUE(menus.Current()->isVisible());
    EXPECT_TRUE(menus.FollowPointer(S::None, S::MenuHelp));
    EXPECT_EQ(menus.Current()->MenuNumber(), 5);
}

namespace {

// The keys reach the menu window as the window system delivers them.
void Press(const TDropDownMenus& menus, Qt::Key key) {
    ASSERT_TRUE(menus.Current());
    QTest::keyClick(menus.Current(), key);
}

TEST_F(SystemMenuFormTest, KeyboardWalksTheEntriesAndTheMenus) {
    TSystemMenuForm& edit = Open(2);
    Press(menus, Qt::Key_Down);
    EXPECT_EQ(edit.HoverCode(), TMenuCommand::AddItem)
        << "the first Down highlights the first entry";
    EXPECT_EQ(host.hints.last(), "現在選択している項目と同じ階層に、新しい項目を追加します。");
    EXPECT_GT(CountPixels(Shot(edit), Band(edit, 10), IsRed), 5);
    for (int i = 0; i < 3; ++i) Press(menus, Qt::Key_Down);
    EXPECT_EQ(edit.HoverCode(), TMenuCommand::AddItemText) << "the separator is skipped";
    QImage image = Shot(edit);
    EXPECT_GT(CountPixels(image, Band(edit, 90), IsRed), 5);
    EXPECT_EQ(CountPixels(image, Band(edit, 50), IsRed), 0) << "the entry left is grey again";
    EXPECT_EQ(CountPixels(image, edit.rect(), IsRed), CountPixels(image, Band(edit, 90), IsRed));
    Press(menus, Qt::Key_Up);
    Press(menus, Qt::Key_Up);
    Press(menus, Qt::Key_Up);
    Press(menus, Qt::Key_Up);
    EXPECT_EQ(edit.HoverCode(), TMenuCommand::JoinItems) << "from the first entry up to the last";
    Press(menus, Qt::Key_Down);
    EXPECT_EQ(edit.HoverCode(), TMenuCommand::AddItem) << "and from the last down to the first";

    Press(menus, Qt::Key_Right);
    ASSERT_EQ(menus.Current()->MenuNumber(), 3);
    EXPECT_FALSE(edit.isVisible());
    EXPECT_EQ(menus.Current()->HoverCode(), TMenuCommand::None);
    Press(menus, Qt::Key_Right);
    Press(menus, Qt::Key_Right);
    Press(menus, Qt::Key_Right);
    EXPECT_EQ(menus.Current()->MenuNumber(), 1) << "from help round to file";
    Press(menus, Qt::Key_Left);
    EXPECT_EQ(menus.Current()->MenuNumber(), 5) << "and back";
    EXPECT_TRUE(host.commands.isEmpty());

    Press(menus, Qt::Key_Return);
    EXPECT_TRUE(menus.Current()->isVisible()) << "Enter without a highlight does nothing";
    Press(menus, Qt::Key_Down);
    Press(menus, Qt::Key_Down);
    Press(menus, Qt::Key_Return);
    EXPECT_EQ(host.commands, QList<TMenuCommand>{TMenuCommand::Version});
    EXPECT_TRUE(host.menuShownDuringCommand.last());
    EXPECT_FALSE(menus.MenuVisible());

    TSystemMenuForm& file = Open(1);
    Press(menus, Qt::Key_Up);
    EXPECT_EQ(file.HoverCode(), TMenuCommand::ExportPdf) << "from no entry up to the last";
    for (int i = 0; i < 4; ++i) Press(menus, Qt::Key_Up);
    EXPECT_EQ(file.HoverCode(), TMenuCommand::Exit);
    Press(menus, Qt::Key_Up);
    Press(menus, Qt::Key_Up);
    EXPECT_EQ(file.HoverCode(), TMenuCommand::SaveFileAs)
        << "over the recent file and the separators";
    Press(menus, Qt::Key_Enter);  // the keypad's
    EXPECT_EQ(host.commands.last(), TMenuCommand::SaveFileAs);
    EXPECT_FALSE(host.menuShownDuringCommand.last())
        << "hidden before its dialog, as with the pointer";

    TSystemMenuForm& view = Open(3);
    Press(menus, Qt::Key_Down);
    Press(menus, Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(host.commands.size(), 2);
}

}  // namespace
