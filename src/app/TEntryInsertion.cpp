#include "app/TEntryInsertion.h"

#include <QPlainTextEdit>
#include <algorithm>
#include <vector>

#include "app/TDocumentSession.h"
#include "app/TItemTextBinding.h"
#include "document/TOutlineItemModel.h"
#include "document/TOutlineStep.h"
#include "interchange/TEntryTree.h"

TEntryInsertion::TEntryInsertion(TDocumentSession& session, TItemTextBinding& texts,
                                 QPlainTextEdit* editor)
    : session_(session), texts_(texts), editor_(editor) {}

QList<std::vector<int>> TEntryInsertion::StoreTexts(const QList<TOutlineEntries>& lists) {
    const QSet<int> existing = session_.Store.ExistingNumbers();
    QList<std::vector<int>> numbers;
    std::vector<TItemTextStore::TNewText> texts;
    for (const TOutlineEntries& entries : lists) {
        std::vector<int>& made = numbers.emplace_back();
        made.reserve(entries.size());
        for (const TOutlineEntry& entry : entries) {
            made.push_back(session_.AllocateItemNumber(existing));
            texts.push_back({made.back(), entry.text,
                             entry.fileText ? entry.fileText->Bytes() : QByteArrayView(),
                             entry.fileText ? entry.fileText->file : QByteArray()});
        }
    }
    session_.Store.StoreBehind(texts);
    return numbers;
}

QList<TOutlineItem*> TEntryInsertion::Insert(const QList<TOutlineEntries>& lists,
                                             TOutlineItem* parent, int row) {
    // A text that cannot be stored stops it here, before the outline changes.
    const QList<std::vector<int>> numbers = StoreTexts(lists);

    TOutline& outline = session_.Outline();
    const bool wasEmpty = outline.IsEmpty();
    if (wasEmpty) editor_->clear();  // the notice of the empty outline goes
    const TOutlineItem* current = session_.ItemAtCurrentIndex();
    const int selectedBefore = outline.AbsoluteIndexOf(texts_.SelectedItem());
    const TBitList expandedBefore = outline.ExpandedFlags();
    std::vector<TOutlineStep> steps;
    QList<TOutlineItem*> allTops;
    for (qsizetype list = 0; list < lists.size(); ++list) {
        const TOutlineEntries& entries = lists[list];
        const int count = static_cast<int>(
            std::count_if(entries.begin(), entries.end(),
                          [](const TOutlineEntry& entry) { return entry.level == 1; }));
        QList<TOutlineItem*> tops;
        // One insertion for the views however many items the list holds.
        session_.TreeModel->InsertRows(parent, row, count, [&](TOutline& into) {
            std::size_t next = 0;
            tops = TEntryTree::Build(
                entries, parent, row, [&](TOutlineItem* under, int at, const TOutlineEntry& entry) {
                    return into.Insert(under, at, entry.label, numbers[list][next++]);
                });
        });
        for (TOutlineItem* top : tops)
            steps.push_back(TOutlineStep::Inserted(outline, top, selectedBefore, expandedBefore));
        row += count;
        allTops += tops;
    }
    session_.History.Add(TOutlineStep::Group(std::move(steps)));
    session_.Modified = true;
    // Items inserted before the editor's item move it on: its text stays bound to it.
    if (current) session_.CurrentItemIndex = outline.AbsoluteIndexOf(current);
    // The selection change shows no text while the outline holds a single item.
    if (wasEmpty && !allTops.isEmpty()) texts_.ShowItemText(allTops.first());
    return allTops;
}
