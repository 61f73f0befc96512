#include "interchange/TExporter.h"

#include "interchange/THierarchicalText.h"
#include "interchange/THtmlOutline.h"
#include "interchange/TMarkdownOutline.h"
#include "interchange/TOpmlOutline.h"
#include "platform/TSafeFile.h"

TExport TExporter::Write(TExportFormat format, const TOutlineEntries& entries, const QString& title,
                         const TExportStream& stream) {
    using Encoding = THierarchicalText::Encoding;
    switch (format) {
        case TExportFormat::HierarchicalText:
            return THierarchicalText::Write(entries, Encoding::ShiftJis, stream);
        case TExportFormat::HierarchicalTextUtf8:
            return THierarchicalText::Write(entries, Encoding::Utf8, stream);
        case TExportFormat::Markdown: return TMarkdownOutline::Write(entries, stream);
        case TExportFormat::Opml: return TOpmlOutline::Write(entries, title, stream);
        case TExportFormat::Html: return THtmlOutline::Write(entries, title, stream);
    }
    return {};
}

bool TExporter::WriteFile(const QString& path, TExportFormat format, const TOutlineEntries& entries,
                          const QString& title,
                          const std::function<bool(const TExport& exported)>& accept,
                          const std::function<void(qsizetype begin, qsizetype end)>& prepare) {
    return TSafeFile::ReplaceAsMade(
        path,
        [&](const TSafeFile::Append& append) {
            return accept(Write(format, entries, title, TExportStream{prepare, append}));
        },
        {});
}

QString TExporter::Extension(TExportFormat format) {
    switch (format) {
        case TExportFormat::HierarchicalText:
        case TExportFormat::HierarchicalTextUtf8: return QStringLiteral("txt");
        case TExportFormat::Markdown: return QStringLiteral("md");
        case TExportFormat::Opml: return QStringLiteral("opml");
        case TExportFormat::Html: return QStringLiteral("html");
    }
    return {};
}

std::optional<TExportFormat> TExporter::FromName(const QString& name, bool utf8) {
    if (name == u"hier")
        return utf8 ? TExportFormat::HierarchicalTextUtf8 : TExportFormat::HierarchicalText;
    if (name == u"md") return TExportFormat::Markdown;
    if (name == u"opml") return TExportFormat::Opml;
    if (name == u"html") return TExportFormat::Html;
    return std::nullopt;
}

TOutlineEntries TExporter::Subtree(const TOutlineEntries& entries, qsizetype index) {
    TOutlineEntries subtree;
    if (index < 0 || index >= entries.size()) return subtree;
    const int lift = entries[index].level - 1;
    subtree.append(entries[index]);
    for (qsizetype i = index + 1; i < entries.size() && entries[i].level > entries[index].level;
         ++i)
        subtree.append(entries[i]);
    for (TOutlineEntry& entry : subtree) entry.level -= lift;
    return subtree;
}
