#pragma once

#include <QString>
#include <memory>

// The association of the ".qlo" documents with this program in the desktop system, so
// that opening a document from the desktop starts the program with the document's
// path as its first argument.
class TAssociation {
  public:
    virtual ~TAssociation() = default;

    // Makes this program the one that opens ".qlo" documents. Registering again
    // leaves the same association and rewrites the program's path. Throws AppError
    // naming the place that could not be written; what was written before stays.
    virtual void Register() = 0;

    // Removes everything Register() wrote; nothing registered is no error. Never
    // throws and reports nothing.
    virtual void Remove() = 0;

    // The association of the system the program runs on, for the executable at
    // exePath (the running program's full path). installedCopy: the program was
    // installed with its desktop entry, which the association then builds on.
    static std::unique_ptr<TAssociation> ForThisSystem(const QString& exePath,
                                                       bool installedCopy = false);
};
