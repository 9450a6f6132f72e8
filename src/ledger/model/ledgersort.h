#pragma once
// Sorting the ledger's master list on one column (`lajittele`).
//
// The order is that of a bubble sort that never swaps two equal rows and
// never moves a row whose key is empty (text columns) or whose price cannot be
// read (column 4): such rows stay where they are and the rows between them
// are ordered on their own. Computed with a stable sort of each run.
class LedgerTable;

namespace LedgerSort {

// The sort choices of the combo box `huutaja`, item 0..7.
int columnOfItem(int item);        // 8, 8, 3, 4, 4, 2, 2, 1; -1 outside 0..7
bool ascendingItem(int item);      // items 0, 4 and 5 sort ascending

// Sorts the data rows (1..rowCount-1) on `column`; columns 1..9 move with
// their row, column 0 stays. Column 3 sorts on the closing time, column 4 on
// the price, every other column on the lower-cased text compared as
// Windows-1252 bytes.
void lajittele(LedgerTable &grid, int column, bool ascending);

// lajittele with the column and order of a sort choice; items outside 0..7
// do nothing.
void lajitteleValinnalla(LedgerTable &grid, int item);

}
