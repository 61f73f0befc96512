// The CSV tokenizer on arbitrary lines and separator sets. The first byte chooses the
// flags, the next two bytes are the separator and the quote character, the rest is
// the line.
#include "FuzzSupport.h"
#include "document/csvu.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    csv tokenizer;
    tokenizer.strflg = data[0] & 1;
    tokenizer.blockflg = data[0] & 2;
    if (data[0] & 4) tokenizer.tokns = QByteArray(1, char(data[1]));
    if (data[0] & 8) tokenizer.tokns += ',';
    if (data[0] & 16)
        tokenizer.stokns = QByteArray(1, char(data[2]));
    else if (data[0] & 32)
        tokenizer.stokns.clear();
    tokenizer.text = FuzzBytes(data + 3, size - 3);
    tokenizer.split();

    // Fields are pieces of the line in order; without merged runs, the fields and one
    // separator between each two neighbours make up the whole line.
    qsizetype total = 0;
    for (const QByteArray& field : tokenizer.items) {
        FUZZ_CHECK(tokenizer.text.contains(field));
        total += field.size();
    }
    FUZZ_CHECK(total <= tokenizer.text.size());
    if (tokenizer.text.isEmpty()) FUZZ_CHECK(tokenizer.items.isEmpty());
    if (tokenizer.tokns.isEmpty() && !tokenizer.text.isEmpty())
        FUZZ_CHECK(tokenizer.items.size() == 1 && tokenizer.items[0] == tokenizer.text);
    if (!tokenizer.blockflg && !tokenizer.text.isEmpty())
        FUZZ_CHECK(total + tokenizer.items.size() - 1 == tokenizer.text.size());

    // The text interface gives the same number of fields.
    FUZZ_CHECK(tokenizer.Fields().size() == tokenizer.items.size());

    // A line given as text splits like its bytes.
    csv again;
    again.tokns = tokenizer.tokns;
    again.stokns = tokenizer.stokns;
    again.strflg = tokenizer.strflg;
    again.blockflg = tokenizer.blockflg;
    again.SetText(QString::fromLatin1(tokenizer.text));
    again.split();
    return 0;
}
