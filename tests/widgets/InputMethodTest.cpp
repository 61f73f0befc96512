// Typing through an input method: the composition (preedit) is shown where it is typed
// but is no text yet; the committed string is an ordinary edit.
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>

#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"
#include "ui/TFindDialog.h"
#include "ui/TReplaceDialog.h"

namespace {

const QString kReading = QString::fromUtf16(u"にほんご");
const QString kWord = QString::fromUtf16(u"日本語");
// 日本語 in code page 932.
const QByteArray kWordBytes("\x93\xfa\x96\x7b\x8c\xea");

// What an input method sends while the reading is being typed: the preedit with its
// caret at the end.
void Compose(QWidget* target, const QString& preedit) {
    QList<QInputMethodEvent::Attribute> attributes;
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, int(preedit.size()), 1);
    QTextCharFormat underline;
    underline.setFontUnderline(true);
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, 0,
                                               int(preedit.size()), underline);
    QInputMethodEvent event(preedit, attributes);
    QCoreApplication::sendEvent(target, &event);
}

// What it sends when the conversion is confirmed: the result, and no preedit any more.
void Commit(QWidget* target, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QCoreApplication::sendEvent(target, &event);
}

class InputMethod : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "AutoSave=0"});
    }

    QString EditorPreedit() const {
        return form->Editor->textCursor().block().layout()->preeditAreaText();
    }

    // The in-place editor of the selected item's label, opened with F2.
    QLineEdit* OpenLabelEditor() {
        form->Tree->setFocus();
        QTest::keyClick(form->Tree, Qt::Key_F2);
        for (QLineEdit* editor : form->Tree->findChildren<QLineEdit*>())
            if (editor->isVisible()) return editor;
        return nullptr;
    }
};

TEST_F(InputMethod, EditorShowsThePreeditButHoldsOnlyCommittedText) {
    TMainForm& main = StartShown();
    main.Editor->setFocus();
    ASSERT_TRUE(main.Editor->testAttribute(Qt::WA_InputMethodEnabled));
    Probe(main).Session().Modified = false;

    Compose(main.Editor, kReading);
    EXPECT_EQ(EditorPreedit(), kReading);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString());
    EXPECT_FALSE(Probe(main).Session().Modified);

    Commit(main.Editor, kWord);
    EXPECT_EQ(EditorPreedit(), QString());
    EXPECT_EQ(Probe(main).Texts().EditorText(), kWord);
    EXPECT_TRUE(Probe(main).Session().Modified);
}

// A composition that is cancelled (Escape in the input method) leaves nothing behind.
TEST_F(InputMethod, CancelledPreeditChangesNothing) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("abc");
    Probe(main).Session().Modified = false;
    main.Editor->setFocus();
    main.Editor->moveCursor(QTextCursor::End);

    Compose(main.Editor, kReading);
    Compose(main.Editor, QString());
    EXPECT_EQ(EditorPreedit(), QString());
    EXPECT_EQ(Probe(main).Texts().EditorText(), QStringLiteral("abc"));
    EXPECT_FALSE(Probe(main).Session().Modified);
}

// A composition typed over a selection removes the selected text: that is an edit.
TEST_F(InputMethod, PreeditOverASelectionIsAnEdit) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText("abc");
    Probe(main).Session().Modified = false;
    main.Editor->setFocus();
    main.Editor->selectAll();

    Compose(main.Editor, kReading);
    Compose(main.Editor, QString());
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString());
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(InputMethod, CommittedTextReachesTheItemFileAndTheSavedDocument) {
    TMainForm& main = StartShown();
    TOutlineItem* second = AddTopLevelItem("second");
    Probe(main).Session().Modified = false;
    main.Editor->setFocus();
    Compose(main.Editor, kReading);
    Commit(main.Editor, kWord);

    Probe(main).Texts().SelectItem(second);
    EXPECT_EQ(dir.Read("Data/0.tmp"), kWordBytes + "\r\n");
    EXPECT_TRUE(Probe(main).Session().Modified);

    dialogs.Choose(dir.File("memo.qlo"));
    ASSERT_TRUE(Probe(main).Documents().SaveAsMenuClick());
    EXPECT_TRUE(dir.Read("memo.qlo").contains(kWordBytes));
    EXPECT_FALSE(Probe(main).Session().Modified);
}

TEST_F(InputMethod, LabelEditorTakesTheCommittedWord) {
    TMainForm& main = StartShown();
    Probe(main).Session().Modified = false;
    QLineEdit* editor = OpenLabelEditor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->hasFocus());
    EXPECT_EQ(editor->selectedText(), QStringLiteral("新規"));

    // The composition types over the selected label; the item keeps its label.
    Compose(editor, kReading);
    EXPECT_EQ(editor->text(), QString());
    EXPECT_EQ(Outline().First()->Label, QStringLiteral("新規"));
    EXPECT_FALSE(Probe(main).Session().Modified);

    Commit(editor, kWord);
    EXPECT_EQ(editor->text(), kWord);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view closes its editor through a queued call
    EXPECT_EQ(Outline().First()->Label, kWord);
    EXPECT_TRUE(Probe(main).Session().Modified);
}

TEST_F(InputMethod, FindDialogSearchesForTheCommittedWord) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText(QString::fromUtf16(u"これは日本語です"));
    main.Commands().Run(TCommand::Find);
    auto* dialog = main.findChild<TFindDialog*>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());

    Compose(dialog->FindEdit, kReading);
    EXPECT_EQ(dialog->FindText(), QString());
    EXPECT_FALSE(dialog->FindNextButton->isEnabled());

    Commit(dialog->FindEdit, kWord);
    EXPECT_EQ(dialog->FindText(), kWord);
    ASSERT_TRUE(dialog->FindNextButton->isEnabled());
    QTest::keyClick(dialog->FindEdit, Qt::Key_Return);  // the default button, pressed for a moment
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return main.Editor->textCursor().selectedText() == kWord; }, 2000));
}

TEST_F(InputMethod, ReplaceDialogTakesCommittedWordsInBothFields) {
    TMainForm& main = StartShown();
    Probe(main).Texts().SetEditorText(QString::fromUtf16(u"にほんご、にほんご"));
    Probe(main).Session().Modified = false;
    main.Commands().Run(TCommand::Replace);
    auto* dialog = main.findChild<TReplaceDialog*>();
    ASSERT_NE(dialog, nullptr);

    Compose(dialog->FindEdit, kReading);
    Commit(dialog->FindEdit, kReading);
    dialog->ReplaceEdit->setFocus();
    Compose(dialog->ReplaceEdit, kReading);
    EXPECT_EQ(dialog->ReplaceText(), QString());
    Commit(dialog->ReplaceEdit, kWord);
    EXPECT_EQ(dialog->FindText(), kReading);
    EXPECT_EQ(dialog->ReplaceText(), kWord);

    QTest::mouseClick(dialog->ReplaceAllButton, Qt::LeftButton);
    EXPECT_EQ(Probe(main).Texts().EditorText(), QString::fromUtf16(u"日本語、日本語"));
    EXPECT_TRUE(Probe(main).Session().Modified);
}

}  // namespace
