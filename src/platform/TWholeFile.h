#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

// Whole files written and read in one go. Loading a document writes a file for every
// item and saving reads them all, so on POSIX systems this goes without the layers of
// QFile and without a buffer per file.
//
// Every function returns 0 when it succeeded, otherwise the system's error number
// (errno), or -1 when the failure has none.
class TWholeFile {
  public:
    static constexpr int kNoReason = -1;

    enum class Durability {
        Cached,  // the system writes it when it likes; a killed process loses nothing
        OnDisk,  // it has reached the disk when Write returns: a power cut loses nothing
    };

    // Replaces the content of the file at path with the pieces, one after the other.
    static int Write(const QString& path, const QList<QByteArrayView>& pieces,
                     Durability durability = Durability::Cached);
    static int Write(const QString& path, QByteArrayView bytes,
                     Durability durability = Durability::Cached) {
        return Write(path, QList<QByteArrayView>{bytes}, durability);
    }
    // Gives the file at from the name to, replacing the file of that name.
    static int Replace(const QString& from, const QString& to);
    // Appends the whole content of the file at path to out; out stays as it was when the
    // file cannot be opened (ENOENT for a missing one) or read.
    static int Append(const QString& path, QByteArray& out);
};
