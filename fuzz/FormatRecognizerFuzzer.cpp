// Recognising the format of arbitrary bytes, then importing them as that format: AppError
// or a well-formed list.
#include "InterchangeFuzzing.h"
#include "interchange/TFormatRecognizer.h"
#include "interchange/TImporter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    const TImportFormat format = TFormatRecognizer::Recognize(bytes, QStringLiteral("file.txt"));
    ImportChecked([format](const QByteArray& b) { return TImporter::Read(format, b); }, bytes);
    return 0;
}
