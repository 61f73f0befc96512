#pragma once

#include <QByteArray>
#include <optional>

#include "interchange/TOutlineEntry.h"

// Markdown (see TMarkdownOutline) read for the store: each text is turned from UTF-8 into
// the Shift-JIS of its item file on the way, without a string between, and only the
// headings go through the parser.
//
// Reads only what TMarkdownOutline::Read reads the same way: UTF-8 with LF line ends and
// without a byte order mark, end of file mark or control character Read refuses, made of
// nothing but ATX headings without indent, paragraphs and blank lines, and the level
// comments of our own export. Such a document defines no link reference and has no block
// that could hide a heading or make one of other lines, so its headings are just the lines
// that open one. For any other file there is nothing, and TMarkdownOutline::Read reads it
// (or says why it cannot). A text with an escaped line or a character without an exact
// Shift-JIS code is decoded and unescaped as Read does it.
class TMarkdownBytes {
  public:
    static std::optional<TOutlineEntries> Read(const QByteArray& file);
};
