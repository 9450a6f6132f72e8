#pragma once
// A list host for the ledger benchmarks: the list itself and nothing else.
#include "ledger/files/ledgerlistcommands.h"
#include "ledger/model/ledgertable.h"

namespace bench {

class LedgerHost final : public LedgerListHost {
public:
    LedgerTable table;
    LedgerTable &masterList() override { return table; }
    LedgerMode listMode() const override { return LedgerMode::Sold; }
    void switchListMode(LedgerMode) override {}
    void clearList() override { table.clearRows(); }
    void listLoaded() override {}
    void setUnsaved(bool) override {}
    bool isUnsaved() const override { return false; }
    QVector<int> viewColumnWidths() const override { return {24, 58, 280, 110, 60, 0, 50, 50, 95, 75}; }
};

}
