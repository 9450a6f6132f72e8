#pragma once
// A list as read from a file, before its columns are matched to the master
// list by their headers: any column count. The cells are kept as the file
// gave them, in order, so a file claiming millions of rows costs only what it
// really holds.
#include "ledger/model/ledgertable.h"
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class LedgerSheet final {
public:
    LedgerSheet() = default;
    LedgerSheet(int columns, int rows) : m_columns(columns), m_rows(rows) {}

    int columnCount() const { return m_columns; }
    int rowCount() const { return m_rows; }
    void setRowCount(int rows) { m_rows = rows; }

    // Cells outside the size are ignored; a later write to a cell replaces
    // (setCell) or extends (appendToCell) an earlier one.
    void setCell(int column, int row, const QString &text);
    void appendToCell(int column, int row, const QString &text);
    // The header row, column by column.
    QString header(int column) const { return headerRow().value(column); }

    // Mode from the header row: a header beginning with "ostaja" means sold,
    // "myyj" bought (lower-cased); the last such column decides.
    LedgerMode recogniseMode() const;

    // The master list's columns filled from this sheet: the header row is
    // `headers`; each column takes rows 1.. of the first sheet column whose
    // header is exactly its header (an empty header matches nothing); the row
    // count is this sheet's.
    LedgerTable matchColumns(const QStringList &headers) const;

private:
    struct Cell {
        int column;
        int row;
        bool append;
        QString text;
    };
    bool inside(int column, int row) const
    { return column >= 0 && row >= 0 && column < m_columns && row < m_rows; }
    QHash<int, QString> headerRow() const;

    int m_columns = 0;
    int m_rows = 0;
    QVector<Cell> m_cells;
};

// The outcome of reading a list file or a worksheet.
struct LedgerReadResult {
    enum class Status {
        Read,     // `sheet` holds the file
        Nothing,  // a file that holds no list (empty first line, no cells)
        Failed    // `error` says why, in Finnish
    };
    Status status = Status::Failed;
    QString error;
    LedgerSheet sheet;
};

namespace Ledger {
// Appends the rows of `read` that are not yet in `master`: a row is present
// when some master row (header included) has the same column 1 and the same
// counterparty key of column 9. Rows with an empty column 1 are skipped.
// Returns the number of rows appended.
int mergeRows(LedgerTable &master, const LedgerTable &read);
// Replaces the data rows of `master` with those of `read` (headers kept).
void replaceRows(LedgerTable &master, const LedgerTable &read);
}
