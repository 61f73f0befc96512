// Item text files on arbitrary bytes: decoding never fails, and a decoded text stored
// again decodes to itself (nothing typed is lost).
#include "FuzzSupport.h"
#include "document/TItemTextStore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = TItemTextStore::Decode(FuzzBytes(data, size));
    const QByteArray stored = TItemTextStore::Encode(text);
    FUZZ_CHECK(TItemTextStore::Decode(stored) == text);
    return 0;
}
