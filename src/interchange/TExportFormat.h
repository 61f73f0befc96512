#pragma once

// The formats the outline can be written in.
enum class TExportFormat {
    HierarchicalText,  // Shift-JIS
    HierarchicalTextUtf8,
    Markdown,
    Opml,
    Html,
};
