#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

// What a file was like when the program last read or wrote it, to tell whether another
// program has changed it since.
struct TFileFingerprint {
    QString path;  // absolute
    qint64 size = -1;
    // The file's identity and times in nanoseconds: the status change time moves with
    // every write and rename, and no program can set it back.
    quint64 inode = 0;
    qint64 modified = 0;
    qint64 changed = 0;
    quint64 hash = 0;
    // A fingerprint kept from an earlier run has no hash (it is valid within one run
    // only): any change of the status then counts as a change of the file.
    bool hashKnown = true;

    // Whether other names the file this is the fingerprint of.
    bool IsFor(const QString& other) const;

    // The fingerprint of the file at path that holds the pieces, one after the other:
    // just read or just written, so that the bytes need not be read again.
    static TFileFingerprint Of(const QString& path, const QList<QByteArrayView>& pieces);
    // Whether the file the fingerprint names has been changed since. While its size,
    // identity and times agree it has not (nothing is read, so a save stays fast); when
    // one of them differs, its bytes decide, so that a file only touched counts as
    // unchanged. A file that no longer exists, or is no regular file, has nothing another
    // program wrote that a save could lose: it counts as unchanged.
    static bool ChangedSince(const TFileFingerprint& fingerprint);
    // Whether the file the fingerprint names has the size, identity and times it had:
    // nothing is read.
    static bool StatusUnchanged(const TFileFingerprint& fingerprint);
    // A fast non-cryptographic hash of the pieces taken as one run of bytes: the same
    // however the bytes are divided into pieces. Only for comparisons within a run of
    // the program.
    static quint64 ContentHash(const QList<QByteArrayView>& pieces);
};
