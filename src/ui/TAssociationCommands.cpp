#include "ui/TAssociationCommands.h"

#include "platform/TAssociation.h"
#include "platform/TMessageBoxes.h"

void TAssociationCommands::Associate(TAssociation& association, TMessageBoxes& messageBoxes) {
    association.Register();
    messageBoxes.Ask(TMessageBoxes::Kind::Information, AssociatedText(),
                     TMessageBoxes::Buttons::Ok);
}

void TAssociationCommands::DeleteRegistry(TAssociation& association, TMessageBoxes& messageBoxes) {
    association.Remove();
    messageBoxes.Ask(TMessageBoxes::Kind::Information, RemovedText(), TMessageBoxes::Buttons::Ok);
}
