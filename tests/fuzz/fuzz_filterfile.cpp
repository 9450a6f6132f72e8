// The seller-filter file. Any file reads as entries of one line without
// control characters, and the entries written back read again the same.
#include "buyer/sellerfilter/filterfile.h"
#include "fuzzsupport.h"
#include "ledgerfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = Fuzz::scratch() + QStringLiteral("suodatin1.txt");
    Fuzz::writeBytes(path, Fuzz::raw(data, size));
    const FilterFile::ReadResult read = FilterFile::read(path);
    FUZZ_CHECK(read.ok);
    for (const QString &entry : read.lines) {
        FUZZ_CHECK(!entry.isEmpty() && entry.size() <= FilterFile::kMaxLineLength);
        for (const QChar c : entry)
            FUZZ_CHECK(c.unicode() >= 0x20 && c.unicode() != 0x7F);
    }
    FUZZ_CHECK(FilterFile::write(path, read.lines));
    const FilterFile::ReadResult again = FilterFile::read(path);
    FUZZ_CHECK(again.ok && again.lines == read.lines);
    return 0;
}
