// The ledger's Excel worksheet through `luelista`'s open and merge paths,
// with the list written back and read again.
#include "ledger/files/ledgerxls.h"
#include "ledgerfuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::checkLedgerReader(Fuzz::raw(data, size), true, [](const LedgerTable &t, const QString &path) {
        return LedgerXls::kirjoitaxls(t, QVector<int>(LedgerTable::ColumnCount, 80), path);
    });
    return 0;
}
