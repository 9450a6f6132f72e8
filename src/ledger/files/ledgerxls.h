#pragma once
// The ledger's Excel worksheet (".xls", "Excel 2.1 Worksheet"): a BIFF4
// worksheet stream of a fixed prologue, one COLINFO per column, a fixed
// DIMENSIONS + ROW block, one LABEL per cell (empty cells included) and a
// fixed epilogue. The reader understands only this layout.
#include "ledger/model/ledgersheet.h"
#include <QByteArray>
#include <QString>
#include <QVector>

class LedgerTable;

namespace LedgerXls {

constexpr int PrologueSize = 1709;
constexpr int FixedBlockSize = 34;
constexpr int EpilogueSize = 89;
// Rows and columns of a worksheet are 16-bit numbers.
constexpr int MaxRows = 65536;
// Columns of the sheet the reader fills; later columns are not used.
constexpr int ReadColumns = 20;

QByteArray prologue();
QByteArray epilogue();

// The worksheet of `grid`. viewWidths: the ledger view's width of each column
// in pixels; a width that is not positive (a hidden column) counts as 100.
// Empty when the grid has more rows than a worksheet holds.
QByteArray worksheetBytes(const LedgerTable &grid, const QVector<int> &viewWidths);
// Writes atomically; on failure returns false with a Finnish message.
bool kirjoitaxls(const LedgerTable &grid, const QVector<int> &viewWidths, const QString &path,
                 QString *error = nullptr);

// Reads the cells of a worksheet of this layout into a sheet of 20 columns.
// A file of 1832 bytes or fewer holds no cells (Nothing). A file that ends
// inside a record, or in which no cell is found, fails.
LedgerReadResult parseWorksheet(const QByteArray &bytes);
LedgerReadResult lueXls(const QString &path);

}
