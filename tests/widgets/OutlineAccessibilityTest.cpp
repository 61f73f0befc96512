// The outline's accessible interface with nothing to point at: an empty outline, no
// current row, a row that went. A screen reader asks exactly then (Qt's own tree
// interface crashed on it).
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleActionInterface>

#include "app/TMainForm.h"
#include "app/TOutlineView.h"
#include "document/TOutlineItemModel.h"
#include "support/MainFormFixture.h"
#include "ui/TAccessibleFactory.h"

TEST(OutlineAccessibility, AnswersOnAnEmptyOutlineWithoutACurrentRowAndAfterARowWent) {
    TAccessibleFactory::Install();
    TOutlineItemModel model;
    TOutlineView view;
    view.setModel(&model);
    view.resize(200, 300);
    view.show();
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(&view);
    ASSERT_TRUE(tree);
    EXPECT_EQ(tree->role(), QAccessible::Tree);
    EXPECT_EQ(tree->text(QAccessible::Name), QStringLiteral("アウトライン"));
    EXPECT_EQ(tree->childCount(), 0);
    EXPECT_EQ(tree->child(0), nullptr);
    EXPECT_EQ(tree->focusChild(), nullptr);
    EXPECT_EQ(
        tree->childAt(view.mapToGlobal(QPoint(10, 10)).x(), view.mapToGlobal(QPoint(10, 10)).y()),
        nullptr);

    TOutlineItem* first = model.InsertItem(nullptr, 0, QStringLiteral("first"), 1);
    model.InsertItem(first, 0, QStringLiteral("child"), 2);
    model.InsertItem(nullptr, 1, QStringLiteral("second"), 3);
    view.setCurrentIndex(QModelIndex());
    EXPECT_EQ(tree->focusChild(), nullptr);
    ASSERT_EQ(tree->childCount(), 2) << "the collapsed item's child is no row";
    QAccessibleInterface* second = tree->child(1);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->text(QAccessible::Name), QStringLiteral("second"));
    EXPECT_EQ(tree->indexOfChild(second), 1);

    view.expandAll();
    EXPECT_EQ(tree->childCount(), 3);
    EXPECT_EQ(tree->child(1)->text(QAccessible::Description), QStringLiteral("レベル 2"));
    model.RemoveItem(model.ItemOf(model.index(1, 0)));
    EXPECT_FALSE(second->isValid());
    EXPECT_EQ(second->text(QAccessible::Name), QString());
    EXPECT_EQ(tree->indexOfChild(second), -1);
    EXPECT_EQ(tree->childCount(), 2);
}

namespace {

class MainWindowAccessibility : public MainFormFixture {
  protected:
    void TearDown() override {
        form.reset();
        QAccessible::setActive(false);
        MainFormFixture::TearDown();
    }
};

}  // namespace

// With a screen reader listening from the start, the drawn buttons are named, have their
// places, and press as clicks do.
TEST_F(MainWindowAccessibility, DrawnButtonsAreNamedAndPressAsClicksDo) {
    QAccessible::setActive(true);
    TMainForm& main = StartShown();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&main);
    ASSERT_TRUE(window);
    QAccessibleInterface* add = nullptr;
    for (int i = 0; i < window->childCount(); ++i)
        if (QAccessibleInterface* child = window->child(i);
            child && child->text(QAccessible::Name) == QStringLiteral("項目を追加"))
            add = child;
    ASSERT_TRUE(add) << "no button named 項目を追加";
    EXPECT_EQ(add->role(), QAccessible::Button);
    EXPECT_FALSE(add->rect().isEmpty());
    const int before = Outline().Count();
    add->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Outline().Count(), before + 1);
}
