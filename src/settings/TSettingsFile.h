#pragma once

#include <QStringList>

// The settings file on disk: code page 932, one entry a line, CR LF after every
// line. A file with a value code page 932 cannot hold exactly (a folder named with an
// emoji or a wave dash) is written as UTF-8 behind a byte order mark, like item texts,
// so that the path still names its file when read back.
class TSettingsFile {
  public:
    // Throws AppError when the file exists but cannot be read or is no regular file (a
    // pipe would block the start).
    static QStringList Read(const QString& path);
    // Replaces the file. Throws AppError when it cannot be written; the old file is
    // then left as it was.
    static void Write(const QString& path, const QStringList& lines);

    static QStringList Parse(const QByteArray& bytes);
    static QByteArray Format(const QStringList& lines);
};
