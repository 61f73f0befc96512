#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <functional>
#include <utility>

#include "platform/TWholeFile.h"

// Every file the program writes over is replaced the same way, so that a full disk, a
// crash or a power cut at any moment leaves either the old file or the new one, each
// whole: the bytes go to a temporary file in the same folder, which takes the file's
// name only when completely written (and synced, where asked), with the old file kept as
// a backup where asked.
class TSafeFile {
  public:
    struct Options {
        // Where the bytes go first. Empty: a file without a name where the file system
        // has them (Linux: ext4, XFS, Btrfs, tmpfs), so that a write ended half way leaves
        // nothing behind; such a file always reaches the disk before it takes the name.
        // Otherwise the file named path + pendingSuffix, a name the program recognises
        // and clears away when a crash left it.
        QString pendingSuffix;
        // For a named temporary file only: whether it reaches the disk first.
        TWholeFile::Durability durability = TWholeFile::Durability::OnDisk;
        // Whether the previous file is kept as path + "~" (an older backup of that name
        // is replaced). A backup that cannot be made does not stop the write.
        bool keepBackup = false;
        // Whether missing folders on the way to path are made.
        bool makeFolders = false;

        static Options KeepingBackup(bool keep) {
            Options options;
            options.keepBackup = keep;
            return options;
        }
        static Options MakingFolders() {
            Options options;
            options.makeFolders = true;
            return options;
        }
        static Options ThroughNamedFile(QString suffix, TWholeFile::Durability durability) {
            Options options;
            options.pendingSuffix = std::move(suffix);
            options.durability = durability;
            return options;
        }
    };

    // Replaces the file at path with the pieces, one after the other. Returns 0, or the
    // system's error number (TWholeFile::kNoReason when it gave none); the old file and
    // the old backup are then untouched. A file reached through a symbolic link is
    // written into the link's target. A backup left half made by a write that was ended
    // half way (path + "~.part") goes with the next successful write.
    static int TryReplace(const QString& path, const QList<QByteArrayView>& pieces,
                          const Options& options);
    // The same, throwing AppError ("ファイル … を作成できません" with the system's
    // reason on its second line when there is one) when it fails.
    static void Replace(const QString& path, const QList<QByteArrayView>& pieces,
                        const Options& options);

    // Takes the next piece of the file's bytes.
    using Append = std::function<void(QByteArrayView piece)>;
    // Replaces the file at path as Replace does, with the pieces produce hands to append,
    // in order, as it makes them: the first are on their way to the disk while the rest
    // are made. When produce returns false (a write called off), nothing is written and
    // the result is false. Throws as Replace does, and passes on what produce throws;
    // either way the old file and the old backup are untouched.
    static bool ReplaceAsMade(const QString& path,
                              const std::function<bool(const Append& append)>& produce,
                              const Options& options);
};
