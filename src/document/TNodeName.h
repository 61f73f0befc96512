#pragma once

#include <QString>

// Labels made from a pasted text's first line.
class TNodeName {
  public:
    // The longest beginning of line that takes at most maxBytes bytes in code page
    // 932 (a double-byte character counts 2). A character that would be cut in half
    // is left out whole. maxBytes of 0 or less gives an empty label.
    static QString FirstBytes(const QString& line, int maxBytes);

    // The longest label a first line gives at all.
    static constexpr int kMaxLabelBytes = 4096;
};
