#pragma once

#include <QByteArray>
#include <QString>

// An exported file and what it could not hold. The caller asks the user before writing
// bytes that lost anything.
struct TExport {
    QByteArray bytes;
    // UTF-8 files only: how many bytes kept in the text as escapes (see Cp932Codec), and
    // characters the format cannot hold at all (controls in XML), were written as U+FFFD.
    int replacedBytes = 0;
    // Shift-JIS files only: every distinct character code page 932 cannot hold, in order
    // of first appearance; each occurrence was written as "?".
    QString unencodable;

    bool Complete() const { return replacedBytes == 0 && unencodable.isEmpty(); }
};
