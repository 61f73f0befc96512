#pragma once

#include <QString>

#include "platform/TAssociation.h"

// The association in the Windows registry: the four keys of TAssociationTable below
// HKEY_CLASSES_ROOT. Built on Windows only.
class TRegistryAssociation : public TAssociation {
  public:
    // exePath: the program's full path; written with the system's separators.
    explicit TRegistryAssociation(QString exePath);

    // Opens (creating when missing) each key from the root and sets its default
    // value. Throws AppError naming the first key that could not be written.
    void Register() override;

    // Deletes ".qlo" and "qlm outline editor" with all their subkeys, ignoring the
    // outcome.
    void Remove() override;

  private:
    QString exePath_;
};
