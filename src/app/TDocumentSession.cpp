#include "app/TDocumentSession.h"

#include "document/TOutlineItemModel.h"

TDocumentSession::TDocumentSession(TProgramFolders folders, TOutlineItemModel* model)
    : TreeModel(model),
      Folders(std::move(folders)),
      Store(Folders.DataFolder()),
      DialogFolder(Folders.DocumentFolder()) {}

TOutline& TDocumentSession::Outline() const { return TreeModel->Outline(); }

TOutlineItem* TDocumentSession::ItemAtCurrentIndex() const {
    return Outline().ItemAt(CurrentItemIndex);
}

int TDocumentSession::AllocateItemNumber() {
    const int number = Store.FirstFreeNumber(NextItemNumber);
    NextItemNumber = number + 1;
    return number;
}

int TDocumentSession::AllocateItemNumber(const QSet<int>& existing) {
    const int number = TItemTextStore::FirstFreeNumber(NextItemNumber, existing);
    NextItemNumber = number + 1;
    return number;
}
