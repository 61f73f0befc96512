#pragma once

// The formats a file can be imported from.
enum class TImportFormat {
    HierarchicalText,
    Markdown,
    Opml,
    CherryTree,
    TreeLine,
    IndentedText,
    PlainText,
};
