#include "app/TDocumentSession.h"

#include <QDir>

#include "document/TOutlineItemModel.h"

TDocumentSession::TDocumentSession(QString exeDir, TOutlineItemModel* model)
    : TreeModel(model),
      ExeDir(std::move(exeDir)),
      Store(ExeDir + QStringLiteral("Data") + QDir::separator()),
      DialogFolder(ExeDir) {}

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
