#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program away from the item text files of a running one.
// The single-instance guard lives in the temporary folder, which depends on the user
// and the environment; this lock lives in the folder the item text files are in, so a
// copy started with another temporary folder (or by another user) still finds it.
class TFolderGuard {
  public:
    enum class State {
        Taken,      // this process holds the folder now
        InUse,      // a running process holds it: its files must not be touched
        Unguarded,  // the lock cannot be made there (a missing or read-only folder)
    };

    // folder: the item text folder, ending with a path separator.
    explicit TFolderGuard(const QString& folder);

    State Take();

    static QString InUseText();

  private:
    QLockFile lock_;
};
