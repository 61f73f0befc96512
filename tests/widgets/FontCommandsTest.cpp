#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "platform/TFontSubstitutes.h"
#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TFontColorDialog.h"
#include "ui/TFontCommands.h"
#include "ui/TFontPicker.h"
#include "ui/TQtFontPicker.h"

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

// The commands with the real font dialog, which the test answers as its user would.
class FontCommandsDialogTest : public FontCommandsTest {
  protected:
    static void SetUpTestSuite() { TFontSubstitutes::Install(); }

    // Answers the font dialog that opens next; a dialog still open afterwards is cancelled.
    static void WhenDialogOpens(std::function<void(TFontColorDialog&)> answer) {
        QTimer::singleShot(0, [answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<TFontColorDialog*>(widget);
                if (!dialog || !dialog->isVisible()) continue;
                answer(*dialog);
                if (dialog->isVisible()) dialog->reject();
                return;
            }
            ADD_FAILURE() << "no font dialog";
        });
    }

    static void PressOk(QDialog& dialog) {
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    }

    static QStringList Items(const QListView* list) {
        QStringList items;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            items << list->model()->index(row, 0).data().toString();
        return items;
    }

    static QString Current(const QListView* list) { return list->currentIndex().data().toString(); }

    static void Select(QListView* list, const QString& item) {
        const int row = static_cast<int>(Items(list).indexOf(item));
        ASSERT_GE(row, 0) << item.toStdString();
        list->setCurrentIndex(list->model()->index(row, 0));
    }

    // The text as the font draws it, black on white.
    static QImage Drawn(const QFont& font) {
        QImage image(200, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(4, 28, QStringLiteral("見出しの文字 Outline"));
        return image;
    }

    static int Ink(const QFont& font) {
        const QImage image = Drawn(font);
        int dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) dark += qGray(image.pixel(x, y)) < 128;
        return dark;
    }

    TQtFontPicker dialogPicker{nullptr};
    TFontCommands dialogCommands{dialogPicker, settings};
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

TEST_F(FontCommandsDialogTest, OpensOnTheFaceShownAndOkWithoutAChangeChangesNothing) {
    QFont underlined = editor.font();
    underlined.setUnderline(true);
    editor.setFont(underlined);
    const QStringList before = settings.Lines();
    const QFont treeFont = tree.font();
    QFont treeOffered, editorOffered;
    QString treeListed;
    QColor treeColour;
    WhenDialogOpens([&](TFontColorDialog& dialog) {
        treeOffered = dialog.currentFont();
        treeListed = Current(dialog.FamilyList);
        treeColour = dialog.Color();
        PressOk(dialog);
    });
    EXPECT_FALSE(dialogCommands.TreeFontMenuClick(tree));
    WhenDialogOpens([&](TFontColorDialog& dialog) {
        editorOffered = dialog.currentFont();
        PressOk(dialog);
    });
    EXPECT_FALSE(dialogCommands.EditorFontMenuClick(editor));

    EXPECT_EQ(treeListed, "IPAPGothic");
    EXPECT_EQ(treeOffered.family(), "IPAPGothic");
    EXPECT_EQ(treeOffered.pointSize(), 9);
    EXPECT_EQ(treeColour, QColor(128, 128, 128));
    EXPECT_EQ(editorOffered.family(), "IPAPMincho");
    EXPECT_EQ(editorOffered.pointSize(), 14);
    EXPECT_TRUE(editorOffered.underline());
    EXPECT_EQ(settings.Lines(), before);
    EXPECT_EQ(settings.Value(u"TreeFontName"), "nil");
    EXPECT_EQ(tree.font(), treeFont);
    EXPECT_EQ(editor.font(), underlined);
    EXPECT_EQ(tree.palette().color(QPalette::Text), QColor(128, 128, 128));
}

TEST_F(FontCommandsDialogTest, EscapeCancelsTheDialog) {
    const QStringList before = settings.Lines();
    bool closed = false;
    WhenDialogOpens([&](TFontColorDialog& dialog) {
        QTest::keyClick(dialog.focusWidget() ? dialog.focusWidget() : &dialog, Qt::Key_Escape);
        closed = !dialog.isVisible();
    });
    EXPECT_FALSE(dialogCommands.TreeFontMenuClick(tree));
    EXPECT_TRUE(closed);
    EXPECT_EQ(settings.Lines(), before);
}

TEST_F(FontCommandsDialogTest, BoldAndItalicAreDrawnForAFaceWithoutThem) {
    QStringList styles;
    WhenDialogOpens([&](TFontColorDialog& dialog) {
        styles = Items(dialog.StyleList);
        EXPECT_FALSE(dialog.BoldBox->isChecked());
        dialog.BoldBox->click();
        dialog.ItalicBox->click();
        EXPECT_TRUE(dialog.currentFont().bold());
        EXPECT_TRUE(dialog.currentFont().italic());
        EXPECT_EQ(dialog.currentFont().pointSize(), 9);
        PressOk(dialog);
    });
    EXPECT_TRUE(dialogCommands.TreeFontMenuClick(tree));
    EXPECT_EQ(styles, QStringList{"Regular"});
    EXPECT_EQ(settings.Value(u"TreeFontName"), "IPAPGothic");
    EXPECT_EQ(settings.Value(u"TreeFontSize"), "9");
    EXPECT_EQ(settings.Value(u"TreeFontStyle"), "1100");
    QFont upright = tree.font();
    upright.setItalic(false);
    QFont regular = upright;
    regular.setBold(false);
    EXPECT_GT(Ink(upright), Ink(regular) * 5 / 4);
    EXPECT_NE(Drawn(tree.font()), Drawn(upright));

    // The dialog reopens on them; another face keeps them, in its own styles where it
    // has them.
    const QStringList stored = settings.Lines();
    QStringList seen;
    const auto see = [&](TFontColorDialog& dialog) {
        const QFont font = dialog.currentFont();
        seen << QStringLiteral("%1 %2 %3%4%5%6")
                    .arg(Current(dialog.StyleList))
                    .arg(font.pointSize())
                    .arg(dialog.BoldBox->isChecked())
                    .arg(dialog.ItalicBox->isChecked())
                    .arg(font.bold())
                    .arg(font.italic());
    };
    WhenDialogOpens([&](TFontColorDialog& dialog) {
        see(dialog);
        Select(dialog.FamilyList, "DejaVu Serif");
        see(dialog);
        Select(dialog.FamilyList, "IPAPMincho");
        see(dialog);
        Select(dialog.FamilyList, "IPAPGothic");
        PressOk(dialog);
    });
    EXPECT_FALSE(dialogCommands.TreeFontMenuClick(tree));
    EXPECT_EQ(seen, (QStringList{"Regular 9 1111", "Bold Italic 9 1111", "Regular 9 1111"}));
    EXPECT_EQ(settings.Lines(), stored);
}
