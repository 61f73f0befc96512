#include "app/TSplitJoinCommands.h"

#include <QPlainTextEdit>
#include <QStringList>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "document/TBlockMoves.h"
#include "document/TOutlineItemModel.h"
#include "platform/TMessageBoxes.h"
#include "ui/TAutoLabel.h"

namespace {

QString FirstLineNotBlank(const QString& text) {
    for (const QStringView line : QStringView(text).split(u'\n'))
        if (!line.trimmed().isEmpty()) return line.toString();
    return {};
}

}  // namespace

TSplitJoinCommands::TSplitJoinCommands(TDocumentSession& session, TItemTextBinding& texts,
                                       TOutlineView* tree, QPlainTextEdit* editor,
                                       TMessageBoxes& boxes, TErrorBox& errors)
    : session_(session),
      texts_(texts),
      tree_(tree),
      editor_(editor),
      boxes_(boxes),
      errors_(errors) {}

void TSplitJoinCommands::SplitItem() {
    TOutlineItem* item = session_.ItemAtCurrentIndex();
    if (!item || tree_->EditingLabel()) return;
    errors_.Run([&] {
        const QString text = texts_.EditorText();
        const int caret = editor_->textCursor().position();
        if (caret >= text.size()) return;
        // Split at the end of a line, the line break goes: joining gives the text back.
        const int newStart = text.at(caret) == u'\n' ? caret + 1 : caret;
        const std::optional<QString> label =
            TAutoLabel::For(session_.Settings, FirstLineNotBlank(text.mid(newStart)));
        // The whole text stays in the item's present file, for the split to be taken back.
        texts_.StoreEditorText(item);
        const TItemTextStore& store = session_.Store;
        const int keptNumber = session_.AllocateItemNumber();
        store.Store(keptNumber, QStringView(text).left(caret));
        const int newNumber = session_.AllocateItemNumber();
        store.Store(newNumber, QStringView(text).mid(newStart));

        TOutline& outline = session_.Outline();
        TBitList expanded = outline.ExpandedFlags();
        const int index = outline.AbsoluteIndexOf(item);
        std::vector<TOutlineStep> steps;
        const int formerNumber = item->ItemNumber;
        item->ItemNumber = keptNumber;
        steps.push_back(TOutlineStep::Renumbered(outline, item, formerNumber));
        TOutlineItem* added = session_.TreeModel->InsertItem(
            item->Parent(), item->Row() + 1, label.value_or(QStringLiteral("新規")), newNumber);
        steps.push_back(TOutlineStep::Inserted(outline, added, index, std::move(expanded)));
        session_.History.Add(TOutlineStep::Group(std::move(steps)));
        session_.Modified = true;
        texts_.ShowItemText(item);
        editor_->moveCursor(QTextCursor::End);
    });
}

void TSplitJoinCommands::JoinItems() {
    if (tree_->EditingLabel()) return;
    const std::vector<TOutlineItem*> blocks = texts_.SelectedBlocks();
    if (blocks.size() < 2) return;
    if (boxes_.Ask(
            TMessageBoxes::Kind::Confirmation,
            QStringLiteral("選択している %1 個の項目を、最初の項目にまとめます。よろしいですか？")
                .arg(blocks.size()),
            TMessageBoxes::Buttons::YesNo) != TMessageBoxes::Answer::Yes)
        return;
    errors_.Run([&] {
        TOutlineItem* first = blocks.front();
        texts_.SelectItem(first);  // the editor's text reaches its file
        if (texts_.SelectedItem() != first) return;
        QStringList joined;
        for (const TOutlineItem* block : blocks) joined << session_.Store.Load(block->ItemNumber);
        const int number = session_.AllocateItemNumber();
        session_.Store.Store(number, joined.join(u'\n'));

        session_.SelectionSync = false;
        TBlockMoves moves(*session_.TreeModel, [this](TOutlineItem* item, bool expanded) {
            texts_.SetExpanded(item, expanded);
        });
        std::optional<TOutlineStep> step = moves.Join(blocks, number);
        session_.History.Add(std::move(*step));
        session_.Modified = true;
        session_.CurrentItemIndex = session_.Outline().AbsoluteIndexOf(first);
        texts_.ShowItemText(first);
        texts_.SelectItem(first);
        session_.SelectionSync = true;
    });
}
