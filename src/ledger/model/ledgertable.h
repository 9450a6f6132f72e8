#pragma once
// The ledger's master list `sg`: a plain table of text cells, 10 columns.
//
// Row 0 is the header row (the column captions of the list mode); data rows
// start at 1. The table always has at least 2 rows, so an empty list is the
// header row and one empty data row. Cells are addressed like the string grid
// they replace: cell(column, row).
//
// The view `sg2` (11 columns, link column 10) belongs to the window; it is
// rebuilt from this table and written back into it.
//
// Related headers of the ledger logic:
//   ledgersort.h         lajittele: sorting the data rows on one column
//   ledgerfiles.h        list files ".vss"/".vso": kirjoitalista and the reader
//   ledgerxls.h          the Excel worksheet: kirjoitaxls and its reader
//   ledgerlistcommands.h "Avaa lista", "Lisää listaan", "Tallenna lista" and
//                        luelista, driven through Prompts and a LedgerListHost
//                        that the window implements
#include <QString>
#include <QStringList>
#include <QVector>

// The list mode, as the item index of the combo box `hakutapa`. None is the
// state after opening a file whose header row names no counterparty column:
// no item selected, the captions of the sold mode.
enum class LedgerMode { None = -1, Sold = 0, Bought = 1 };

namespace LedgerColumn {
enum : int {
    Nro = 0,          // empty in data rows; the view draws its row number
    Kohde = 1,        // item number
    Nimi = 2,         // item title
    Sulkeutunut = 3,  // closing time "dd.mm.yyyy hh:mm:ss"
    Hinta = 4,        // price "12.50"
    Lisatiedot = 5,   // notes, line breaks stored as "<BR>"
    Maksettu = 6,     // paid mark
    Lahetetty = 7,    // sent mark (sold) / received mark (bought)
    Osoite = 8,       // counterparty address, lines ended by CR LF
    Tunnus = 9,       // counterparty "name/id"
    Count = 10
};
}

class LedgerTable final {
public:
    static constexpr int ColumnCount = LedgerColumn::Count;
    static constexpr int MinRows = 2;

    // Header row of the given mode, one empty data row.
    explicit LedgerTable(LedgerMode mode = LedgerMode::Sold);

    // The 10 column captions of a mode (None gives those of Sold).
    static QStringList headers(LedgerMode mode);
    void setHeaders(LedgerMode mode);

    int rowCount() const { return m_rows.size(); }
    int columnCount() const { return ColumnCount; }
    // Sets the row count (never below MinRows); new rows are empty.
    void setRowCount(int rows);

    // Out-of-range cells read as empty; writes outside the table are ignored.
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    // Whole rows of ColumnCount texts.
    QStringList row(int row) const;
    void setRow(int row, const QStringList &cells);
    void appendRow(const QStringList &cells);

    // Data row r takes columns 1.. of row from[r] (the rows before the
    // move); column 0 stays in place. from holds rowCount() entries, a
    // permutation of 1..rowCount()-1 at indexes 1..; entry 0 is not used.
    void moveRows(const QVector<int> &from);

    // The clear of "Tyhjennä lista": every cell from row 1 on emptied, row
    // count 2; the header row stays.
    void clearRows();

    // True when no data row holds any text.
    bool isEmpty() const;

    bool operator==(const LedgerTable &other) const;
    bool operator!=(const LedgerTable &other) const { return !(*this == other); }

private:
    // A row is either empty (all cells empty) or holds exactly ColumnCount
    // texts, so a list of many empty rows costs little.
    QVector<QStringList> m_rows;
};

namespace Ledger {

// The grid routine of the main window: every row below `index` moves up by
// one, the last row is emptied, and the row count drops by one unless it is
// MinRows or less. Indexes outside 1..rowCount-1 do nothing.
void DeleteRow(LedgerTable &grid, int index);

// Does any row (header included) hold this item number in column 1?
bool onjolistalla(const LedgerTable &grid, const QString &itemNumber);

// Counterparty key: spaces and tabs removed, lower-cased, cut before the
// first "/".
QString tunnusavain(const QString &text);

// The ledger's price reader (not the general whole-number reader of
// client/): digits before the first "." and two after it read as cents,
// "12.50" -> 1250; a price with one decimal counts it as tenths ("12.5" ->
// 1250); a text without "." is read whole. 0 when unreadable or out of range.
int kokonaisluvuksi(const QString &price);

// Cents as a price text: 5 -> "0.05", 1250 -> "12.50", 0 -> "0.00",
// -5 -> "-0.05".
QString desimaalit(qint64 cents);

// Address capitals: the text without its last two characters (normally the
// closing CR LF), the first character and every one after a space or a line
// feed upper-cased, then each double space replaced by one space.
QString isoalkukirjaimet(const QString &text);

// A mark cell (columns 6 and 7) is set when it is neither empty nor " ".
bool merkittu(const QString &mark);

}
