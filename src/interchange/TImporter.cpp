#include "interchange/TImporter.h"

#include <QFileInfo>

#include "document/TDocumentReader.h"
#include "interchange/TCherryTreeImport.h"
#include "interchange/TFormatRecognizer.h"
#include "interchange/THierarchicalText.h"
#include "interchange/TImportErrors.h"
#include "interchange/TIndentedText.h"
#include "interchange/TMarkdownOutline.h"
#include "interchange/TOpmlOutline.h"
#include "interchange/TPlainTextImport.h"
#include "interchange/TTreeLineImport.h"

TOutlineEntries TImporter::Read(TImportFormat format, QByteArrayView bytes) {
    switch (format) {
        case TImportFormat::HierarchicalText: return THierarchicalText::Read(bytes);
        case TImportFormat::Markdown: return TMarkdownOutline::Read(bytes);
        case TImportFormat::Opml: return TOpmlOutline::Read(bytes);
        case TImportFormat::CherryTree: return TCherryTreeImport::Read(bytes);
        case TImportFormat::TreeLine: return TTreeLineImport::Read(bytes);
        case TImportFormat::IndentedText: return TIndentedText::Read(bytes);
        case TImportFormat::PlainText: break;
    }
    return TPlainTextImport::Read(bytes);
}

TOutlineEntries TImporter::ReadFile(const QString& path, const std::optional<TImportFormat>& format,
                                    TEntryTexts texts) {
    const QFileInfo info(path);
    // Refused before a byte is read.
    if (info.isFile()) TImportErrors::CheckSize(info.size());
    const QByteArray bytes = TDocumentReader::ReadFile(path);
    const TImportFormat read =
        format ? *format : TFormatRecognizer::Recognize(bytes, info.fileName());
    if (texts == TEntryTexts::AsFileBytes) {
        switch (read) {
            case TImportFormat::HierarchicalText: return THierarchicalText::ReadForStore(bytes);
            case TImportFormat::Markdown: return TMarkdownOutline::ReadForStore(bytes);
            case TImportFormat::Opml: return TOpmlOutline::ReadForStore(bytes);
            default: break;
        }
    }
    return Read(read, bytes);
}
