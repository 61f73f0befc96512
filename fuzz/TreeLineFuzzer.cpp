// The TreeLine importer on arbitrary bytes: AppError or a well-formed list.
#include "InterchangeFuzzing.h"
#include "interchange/TTreeLineImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ImportChecked(TTreeLineImport::Read, FuzzBytes(data, size));
    return 0;
}
