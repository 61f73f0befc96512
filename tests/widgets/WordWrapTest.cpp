#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "settings/TSettingsList.h"
#include "support/Printers.h"
#include "ui/TWordWrapCommand.h"

namespace {

class WordWrapTest : public testing::Test {
  protected:
    WordWrapTest() {
        editor.setLineWrapMode(QPlainTextEdit::WidgetWidth);
        editor.setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        editor.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        editor.setPlainText(QString(400, u'あ'));
        editor.resize(200, 100);
        // Every change of the editor's text marks the document modified.
        QObject::connect(&editor, &QPlainTextEdit::textChanged, [this] { modified = true; });
        modified = false;
    }

    QPlainTextEdit editor;
    TSettingsList settings{QStringList{"EditorWordWrap=1"}};
    bool modified = false;
};

}  // namespace

TEST_F(WordWrapTest, ToggleTwiceReturnsToTheFirstState) {
    TWordWrapCommand::Toggle(editor, settings, modified);
    EXPECT_EQ(editor.lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(settings.Value(u"EditorWordWrap"), "0");
    TWordWrapCommand::Toggle(editor, settings, modified);
    EXPECT_EQ(editor.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(settings.Value(u"EditorWordWrap"), "1");
}

TEST_F(WordWrapTest, UnchangedDocumentStaysUnchanged) {
    const QString text = editor.toPlainText();
    TWordWrapCommand::Toggle(editor, settings, modified);
    EXPECT_FALSE(modified);
    EXPECT_EQ(editor.toPlainText(), text);
}

TEST_F(WordWrapTest, ChangedDocumentStaysChanged) {
    modified = true;
    TWordWrapCommand::Toggle(editor, settings, modified);
    EXPECT_TRUE(modified);
}

TEST_F(WordWrapTest, FollowsTheEditorNotTheStoredValue) {
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    TWordWrapCommand::Toggle(editor, settings, modified);
    EXPECT_EQ(editor.lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(settings.Value(u"EditorWordWrap"), "1");
}

TEST_F(WordWrapTest, ScrollBarsAreLeftAlone) {
    TWordWrapCommand::Toggle(editor, settings, modified);
    EXPECT_EQ(editor.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(editor.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}
