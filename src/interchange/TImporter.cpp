#include "interchange/TImporter.h"

#include "interchange/TCherryTreeImport.h"
#include "interchange/THierarchicalText.h"
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
