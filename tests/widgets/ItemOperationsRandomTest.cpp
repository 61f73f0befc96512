#include <QClipboard>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <map>

#include "document/TItemTextStore.h"
#include "support/MainFormFixture.h"
#include "support/TMainFormProbe.h"

namespace {

using Answer = TMessageBoxes::Answer;

// Random sequences of item operations, checking after every step that each item
// still has its own text: the editor holds the selected item's text, every other
// item's file holds its text, and CurrentItemIndex names the selected item.
class ItemOperationsRandom : public MainFormFixture {
  protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        WriteSettings({"iniFileVer=1.06", "AutoLoad=0", "AutoNodeName=1", "NodeNameLimitter=0"});
    }

    void TypeSomething(int step) {
        const QString text = QStringLiteral("step %1 テキスト\n第二行").arg(step);
        Probe(*form).Texts().SetEditorText(text);
        expected[Probe(*form).Texts().SelectedItem()->ItemNumber] = text;
    }

    void CheckBinding(int step) {
        TOutlineItem* selected = Probe(*form).Texts().SelectedItem();
        ASSERT_NE(selected, nullptr) << "step " << step;
        ASSERT_EQ(Probe(*form).Session().CurrentItemIndex, Outline().AbsoluteIndexOf(selected))
            << "step " << step;
        ASSERT_EQ(Probe(*form).Texts().EditorText(), expected[selected->ItemNumber])
            << "step " << step;
        const TItemTextStore store(dir.File("Data/"));
        Outline().ForEach([&](TOutlineItem* item) {
            if (item == selected) return;
            ASSERT_EQ(store.Load(item->ItemNumber), expected[item->ItemNumber])
                << "step " << step << " item " << item->Label.toStdString();
        });
    }

    TOutlineItem* RandomItem() {
        return Outline().ItemAt(
            static_cast<int>(random.bounded(static_cast<quint32>(Outline().Count()))));
    }

    void RandomStep(int step) {
        switch (random.bounded(11)) {
            case 0: Probe(*form).Items().AddItem(); break;
            case 1: Probe(*form).Items().AddChildItem(); break;
            case 2:
                boxes.Answer(Answer::Yes);
                boxes.Answer(Answer::Ok);
                Probe(*form).Items().DeleteItem();
                break;
            case 3: Probe(*form).Items().MoveUpItem(); break;
            case 4: Probe(*form).Items().MoveDownItem(); break;
            case 5: Probe(*form).Items().MoveLeftItem(); break;
            case 6: Probe(*form).Items().MoveRightItem(); break;
            case 7: Probe(*form).Texts().SelectItem(RandomItem()); break;
            case 8: {
                TOutlineItem* target = RandomItem();
                Probe(*form).Texts().SelectItem(target);  // visible, so that its row can be hit
                Probe(*form).Texts().SelectItem(RandomItem());
                before = Shape();  // selecting is no change of the outline
                const QRect row = form->Tree->visualRect(form->TreeModel->IndexOf(target));
                Probe(*form).Items().TreeDragDrop(
                    row.topLeft() + QPoint(static_cast<int>(random.bounded(60)) - 20, 3));
                break;
            }
            default: TypeSomething(step); break;
        }
    }

    // The outline as undo must bring it back: every item's depth, label, number and
    // expanded flag in display order.
    QStringList Shape() {
        QStringList shape;
        Outline().ForEach([&](TOutlineItem* item) {
            int depth = 0;
            for (TOutlineItem* p = item->Parent(); p != Outline().Root(); p = p->Parent()) ++depth;
            shape << QStringLiteral("%1 %2 #%3 %4")
                         .arg(depth)
                         .arg(item->Label)
                         .arg(item->ItemNumber)
                         .arg(item->Expanded() ? "+" : "-");
        });
        return shape;
    }

    // Random operations, label edits and pastes as items, each change of the outline
    // noted with the outline as it was before; undo and redo must bring back the noted
    // outlines in turn, every item with its text.
    void StepWithHistory(int step) {
        TOutlineHistory& history = Probe(*form).Session().History;
        before = Shape();
        const int changes = history.UndoCount();
        switch (random.bounded(16)) {
            case 0:
            case 1:
            case 2: Reverse(true, step); return;
            case 3: Reverse(false, step); return;
            case 4: {
                TOutlineItem* item = Probe(*form).Texts().SelectedItem();
                if (!item) return;
                form->TreeModel->setData(form->TreeModel->IndexOf(item),
                                         QStringLiteral("見出し%1").arg(step));
                break;
            }
            case 5: {
                const QString text = QStringLiteral("貼り付け %1\n二行目").arg(step);
                QGuiApplication::clipboard()->setText(text);
                Probe(*form).Items().AddItemText();
                expected[Probe(*form).Texts().SelectedItem()->ItemNumber] = text;
                break;
            }
            default: RandomStep(step); break;
        }
        if (history.UndoCount() == changes + 1) {
            undone.push_back(before);
            redone.clear();
        }
    }

    void Reverse(bool undo, int step) {
        std::vector<QStringList>& from = undo ? undone : redone;
        std::vector<QStringList>& to = undo ? redone : undone;
        Probe(*form).Session().Modified = false;
        if (undo)
            Probe(*form).Items().Undo();
        else
            Probe(*form).Items().Redo();
        if (from.empty()) {
            ASSERT_EQ(Shape(), before) << "step " << step;
            return;
        }
        ASSERT_EQ(Shape(), from.back()) << "step " << step << (undo ? " undo" : " redo");
        ASSERT_TRUE(Probe(*form).Session().Modified) << "step " << step;
        from.pop_back();
        to.push_back(before);
        ++reversed;
    }

    QStringList before;  // the outline before the step's change
    std::vector<QStringList> undone;
    std::vector<QStringList> redone;
    int reversed = 0;  // undos and redos that changed the outline

    // A fixed sequence; HEDGEROW_SEED explores others.
    QRandomGenerator random{
        qEnvironmentVariableIsSet("HEDGEROW_SEED")
            ? static_cast<quint32>(qEnvironmentVariableIntValue("HEDGEROW_SEED"))
            : 20261207u};
    std::map<int, QString> expected;
};

TEST_F(ItemOperationsRandom, EveryTextStaysWithItsItem) {
    StartShown();
    form->Tree->resize(300, 2000);
    TypeSomething(0);
    for (int step = 1; step <= 400; ++step) {
        RandomStep(step);
        CheckBinding(step);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(Outline().Count(), 3);
}

TEST_F(ItemOperationsRandom, UndoAndRedoBringBackEveryOutlineWithItsTexts) {
    StartShown();
    form->Tree->resize(300, 2000);
    TypeSomething(0);
    for (int step = 1; step <= 600; ++step) {
        StepWithHistory(step);
        if (HasFatalFailure()) return;
        CheckBinding(step);
        if (HasFatalFailure()) return;
    }
    EXPECT_GT(Outline().Count(), 3);
    EXPECT_GT(reversed, 50);
}

}  // namespace
