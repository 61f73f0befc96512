#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>

#include "app/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TFontColorDialog.h"
#include "ui/TFontCommands.h"
#include "ui/TFontPicker.h"

namespace {

class FakeFontPicker : public TFontPicker {
public:
    std::optional<TFontChoice> Choose(const TFontChoice& current) override {
        offered.append(current);
        return answer;
    }

    QList<TFontChoice> offered;
    std::optional<TFontChoice> answer;
};

QFont PixelFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    return font;
}

QFont PointFont(const QString& family, int points, bool bold = false, bool italic = false) {
    QFont font(family);
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void SetTextColor(QWidget& control, const QColor& color) {
    QPalette palette = control.palette();
    palette.setColor(QPalette::Text, color);
    control.setPalette(palette);
}

class FontCommandsTest : public testing::Test {
protected:
    FontCommandsTest() {
        tree.setFont(PixelFont("ＭＳ Ｐゴシック", 12));
        SetTextColor(tree, QColor(128, 128, 128));
        editor.setFont(PixelFont("ＭＳ Ｐ明朝", 19));
        SetTextColor(editor, QColor(128, 128, 128));
    }

    QTreeView tree;
    QPlainTextEdit editor;
    TSettingsList settings{TSettingsList::Defaults(QRect(0, 0, 800, 600))};
    FakeFontPicker picker;
    TFontCommands commands{picker, settings};
};

}  // namespace

TEST_F(FontCommandsTest, OutlineFontIsAppliedAndStored) {
    picker.answer = TFontChoice{PointFont("ＭＳ Ｐ明朝", 12, true, true), QColor(255, 0, 0)};
    EXPECT_TRUE(commands.TreeFontMenuClick(tree));
    EXPECT_EQ(settings.Value(u"TreeFontName"), "ＭＳ Ｐ明朝");
    EXPECT_EQ(settings.Value(u"TreeFontColor"), "clRed");
    EXPECT_EQ(settings.Value(u"TreeFontSize"), "12");
    EXPECT_EQ(settings.Value(u"TreeFontStyle"), "1100");
    EXPECT_EQ(tree.font().family(), "ＭＳ Ｐ明朝");
    EXPECT_EQ(tree.font().pointSize(), 12);
    EXPECT_TRUE(tree.font().bold());
    EXPECT_EQ(tree.palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(settings.Value(u"EditorFontName"), "nil");
    EXPECT_EQ(editor.font().family(), "ＭＳ Ｐ明朝");
    EXPECT_EQ(editor.font().pixelSize(), 19);
}

TEST_F(FontCommandsTest, EditorFontWithAColourWithoutName) {
    QFont font = PointFont("IPAPGothic", 10);
    font.setUnderline(true);
    picker.answer = TFontChoice{font, QColor(18, 52, 86)};
    EXPECT_TRUE(commands.EditorFontMenuClick(editor));
    EXPECT_EQ(settings.Value(u"EditorFontName"), "IPAPGothic");
    EXPECT_EQ(settings.Value(u"EditorFontColor"), "$00563412");
    EXPECT_EQ(settings.Value(u"EditorFontSize"), "10");
    EXPECT_EQ(settings.Value(u"EditorFontStyle"), "0010");
    EXPECT_EQ(editor.palette().color(QPalette::Text), QColor(18, 52, 86));
    EXPECT_EQ(settings.Value(u"TreeFontName"), "nil");
}

TEST_F(FontCommandsTest, DialogOpensOnTheFontOfThatControl) {
    picker.answer = TFontChoice{PointFont("IPAPGothic", 20), QColor(0, 0, 255)};
    commands.TreeFontMenuClick(tree);
    picker.answer.reset();
    commands.EditorFontMenuClick(editor);
    commands.TreeFontMenuClick(tree);
    ASSERT_EQ(picker.offered.size(), 3);
    EXPECT_EQ(picker.offered[0].Font.family(), "ＭＳ Ｐゴシック");
    EXPECT_EQ(picker.offered[0].Font.pixelSize(), 12);
    EXPECT_EQ(picker.offered[0].Color, QColor(128, 128, 128));
    EXPECT_EQ(picker.offered[1].Font.family(), "ＭＳ Ｐ明朝");
    EXPECT_EQ(picker.offered[1].Font.pixelSize(), 19);
    EXPECT_EQ(picker.offered[2].Font.family(), "IPAPGothic");
    EXPECT_EQ(picker.offered[2].Font.pointSize(), 20);
    EXPECT_EQ(picker.offered[2].Color, QColor(0, 0, 255));
}

TEST_F(FontCommandsTest, CancelChangesNothing) {
    const QStringList before = settings.Lines();
    const QFont font = tree.font();
    EXPECT_FALSE(commands.TreeFontMenuClick(tree));
    EXPECT_FALSE(commands.EditorFontMenuClick(editor));
    EXPECT_EQ(settings.Lines(), before);
    EXPECT_EQ(tree.font(), font);
    EXPECT_EQ(tree.palette().color(QPalette::Text), QColor(128, 128, 128));
}

TEST(FontColorDialog, OffersTheColourAmongTheEffects) {
    QFont font = PointFont("DejaVu Serif", 14, true);
    TFontColorDialog dialog({font, QColor(18, 52, 86)});
    ASSERT_NE(dialog.ColorButton, nullptr);
    auto* group = qobject_cast<QGroupBox*>(dialog.ColorButton->parentWidget());
    ASSERT_NE(group, nullptr);
    EXPECT_FALSE(group->findChildren<QCheckBox*>().isEmpty());
    EXPECT_EQ(dialog.Color(), QColor(18, 52, 86));
    const TFontChoice choice = dialog.Choice();
    EXPECT_EQ(choice.Font.pointSize(), 14);
    EXPECT_TRUE(choice.Font.bold());
    EXPECT_EQ(choice.Color, QColor(18, 52, 86));
    dialog.SetColor(Qt::red);
    EXPECT_EQ(dialog.Choice().Color, QColor(255, 0, 0));
}

TEST(FontColorDialog, PixelSizedFontOpensInPoints) {
    TFontColorDialog dialog({PixelFont("IPAPGothic", 12), QColor(128, 128, 128)});
    EXPECT_EQ(dialog.Choice().Font.pointSize(), 9);
}
