// The ledger's list file (".vss"/".vso") through `luelista`'s open and merge
// paths, with the list written back and read again.
#include "ledger/files/ledgerfiles.h"
#include "ledgerfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::checkLedgerReader(Fuzz::raw(data, size), false, [](const LedgerTable &t, const QString &path) {
        return LedgerFiles::kirjoitalista(t, path);
    });
    return 0;
}
