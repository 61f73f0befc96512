#pragma once

#include <QString>

class TAssociation;
class TMessageBoxes;

// The bodies of the option menu's association commands.
class TAssociationCommands {
  public:
    static QString AssociatedText() { return QStringLiteral("qloの拡張子の関連づけをしました。"); }
    static QString RemovedText() { return QStringLiteral("全てのレジストリ情報を削除しました。"); }

    // Registers the association, then reports it in an information box. A failed
    // write throws AppError before any message; what was written before stays.
    static void Associate(TAssociation& association, TMessageBoxes& messageBoxes);

    // Removes the association and reports it, also when nothing was registered.
    // Never fails.
    static void DeleteRegistry(TAssociation& association, TMessageBoxes& messageBoxes);
};
