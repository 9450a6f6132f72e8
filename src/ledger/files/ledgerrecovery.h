#pragma once
// The list the program could not ask about: when the program is told to end
// (a logout, `kill`) while the ledger's list is unsaved, nobody is there to
// answer the close question, so the list goes into a recovery file of the
// data folder instead, and the next opening of the ledger offers it back.
//
// The file is a list file (ledgerfiles.h) readable by its owner only: it
// holds the counterparties' names and addresses.
#include <QString>

class LedgerTable;

namespace LedgerRecovery {

// The recovery file of a data folder (given with its trailing "/").
QString path(const QString &dataFolder);
// Replaces the file atomically with the list, owner-only (0600). False on
// any failure, the old file then left as it was.
bool write(const LedgerTable &list, const QString &path);

}
