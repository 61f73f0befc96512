#include "app/TItemClipboardCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <memory>
#include <optional>

#include "app/TDocumentSession.h"
#include "app/TErrorBox.h"
#include "app/TItemCommands.h"
#include "app/TItemTextBinding.h"
#include "app/TOutlineView.h"
#include "document/TOutline.h"
#include "interchange/TImporter.h"
#include "interchange/TItemClip.h"
#include "interchange/TOpmlOutline.h"
#include "platform/TMessageBoxes.h"

namespace {

using Kind = TMessageBoxes::Kind;
using Answer = TMessageBoxes::Answer;

}  // namespace

TItemClipboardCommands::TItemClipboardCommands(TDocumentSession& session, TItemTextBinding& texts,
                                               TOutlineView* tree, QPlainTextEdit* editor,
                                               TItemCommands& items, TMessageBoxes& boxes,
                                               TErrorBox& errors)
    : session_(session),
      texts_(texts),
      tree_(tree),
      items_(items),
      boxes_(boxes),
      errors_(errors),
      insertion_(session, texts, editor) {}

std::vector<TOutlineItem*> TItemClipboardCommands::Blocks() const {
    if (tree_->EditingLabel() || session_.Outline().IsEmpty()) return {};
    return texts_.SelectedBlocks();
}

void TItemClipboardCommands::Copy() {
    const std::vector<TOutlineItem*> blocks = Blocks();
    if (!blocks.empty()) errors_.Run([&] { CopyBlocks(blocks); });
}

void TItemClipboardCommands::Cut() {
    const std::vector<TOutlineItem*> blocks = Blocks();
    if (blocks.empty()) return;
    if (session_.Outline().AbsoluteIndexOf(blocks.front()) == 0) {
        boxes_.Ask(Kind::Warning,
                   QStringLiteral("一番上の項目は、切り取れません。切り取りたい場合は項目を「down」"
                                  "ボタンで移動してから実行してください。"),
                   TMessageBoxes::Buttons::Ok);
        return;
    }
    // Nothing is lost, so nothing is asked: the items are on the clipboard, and the
    // removal is taken back by undo.
    errors_.Run([&] {
        CopyBlocks(blocks);
        items_.RemoveBlocks(blocks);
    });
}

void TItemClipboardCommands::CopyBlocks(const std::vector<TOutlineItem*>& blocks) {
    // The editor's item goes with the text the editor holds, perhaps newer than its file.
    const TOutlineItem* current = session_.ItemAtCurrentIndex();
    const std::optional<QString> editorText =
        current ? texts_.TextNotInFile(current) : std::nullopt;
    const TItemTextStore& store = session_.Store;
    const TItemClip clip = TItemClip::FromBlocks(blocks, [&](const TOutlineItem& item) {
        return &item == current && editorText ? *editorText : store.Load(item.ItemNumber);
    });
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QString::fromLatin1(TItemClip::kItemsType), clip.Encode());
    mime->setData(QString::fromLatin1(TItemClip::kTextType), clip.PlainText());
    mime->setData(QString::fromLatin1(TItemClip::kOpmlType), clip.Opml());
    QGuiApplication::clipboard()->setMimeData(mime.release());
}

void TItemClipboardCommands::Paste() {
    if (tree_->EditingLabel()) return;
    if (const QMimeData* mime = QGuiApplication::clipboard()->mimeData()) PasteFrom(*mime, false);
}

void TItemClipboardCommands::PasteAsChildren() {
    if (tree_->EditingLabel()) return;
    if (const QMimeData* mime = QGuiApplication::clipboard()->mimeData()) PasteFrom(*mime, true);
}

void TItemClipboardCommands::PasteFrom(const QMimeData& mime, bool asChildren) {
    const QString items = QString::fromLatin1(TItemClip::kItemsType);
    const QString opml = QString::fromLatin1(TItemClip::kOpmlType);
    if (mime.hasFormat(items)) {
        errors_.Run([&] { Insert(TItemClip::Decode(mime.data(items)), asChildren); });
    } else if (mime.hasFormat(opml)) {  // another outliner's items
        errors_.Run([&] {
            TItemClip clip;
            clip.Entries = TOpmlOutline::Read(mime.data(opml));
            Insert(clip, asChildren);
        });
    } else {
        PasteText(mime.text(), asChildren);
    }
}

void TItemClipboardCommands::PasteText(const QString& text, bool asChildren) {
    if (text.isEmpty()) return;
    const QByteArray bytes = text.toUtf8();
    if (const std::optional<TImportFormat> format = TItemClip::OutlineFormatOf(bytes)) {
        const Answer answer =
            boxes_.Ask(Kind::Confirmation,
                       QStringLiteral("クリップボードの文章を、項目として張り付けますか？"),
                       TMessageBoxes::Buttons::YesNoCancel);
        if (answer == Answer::Cancel) return;
        if (answer == Answer::Yes) {
            errors_.Run([&] {
                TItemClip clip;
                clip.Entries = TImporter::Read(*format, bytes);
                Insert(clip, asChildren);
            });
            return;
        }
    }
    // Into an empty outline even a child goes to the top.
    if (asChildren && texts_.SelectedItem())
        items_.AddChildItemText();
    else
        items_.AddItemText();
}

void TItemClipboardCommands::Insert(const TItemClip& clip, bool asChildren) {
    TOutline& outline = session_.Outline();
    TOutlineItem* selected = outline.IsEmpty() ? nullptr : texts_.SelectedItem();
    TOutlineItem* parent = outline.Root();
    int row = parent->ChildCount();
    if (selected && asChildren) {
        parent = selected;
        row = selected->ChildCount();
    } else if (selected) {  // right after the selected item's subtree
        parent = selected->Parent();
        row = selected->Row() + 1;
    }
    const QList<TOutlineItem*> tops = insertion_.Insert({clip.Entries}, parent, row);
    ApplyExpanded(tops, clip.Expanded);
    if (StartRedrawTimer) StartRedrawTimer();
    texts_.SelectItems({tops.begin(), tops.end()}, tops.first());
}

// The items open as they were copied; expanded holds a flag for each item in
// depth-first order.
void TItemClipboardCommands::ApplyExpanded(const QList<TOutlineItem*>& tops,
                                           const QList<bool>& expanded) {
    if (!expanded.contains(true)) return;
    tree_->DeferLayout();
    std::vector<TOutlineItem*> stack(tops.rbegin(), tops.rend());
    for (qsizetype index = 0; !stack.empty(); ++index) {
        TOutlineItem* item = stack.back();
        stack.pop_back();
        if (expanded.value(index)) texts_.SetExpanded(item, true);
        for (int row = item->ChildCount() - 1; row >= 0; --row) stack.push_back(item->Child(row));
    }
}
