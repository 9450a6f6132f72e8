#pragma once
// The ledger's view `sg2`: the rows of the master list `sg` that pass the show
// choice and the date range, in master order, each with a link column (10)
// naming the master row it copies. Changes made in the view go back to the
// master list through that link (`paivita2`).
//
// Also the view's rules that need no window: the totals of the selection
// handler, the address and notes box texts, the row copy for the clipboard,
// and what each cell shows and how it is coloured.
#include "ledger/model/ledgertable.h"
#include <QColor>
#include <QString>
#include <QStringList>
#include <QVector>

// Date-range bounds, each year * 10000 + month * 100 + day (both inclusive).
struct LedgerDateRange {
    int start = 0;
    int end = 0;
};

// Show choices of `ComboBox1`.
enum class LedgerShow { All = 0, Unpaid = 1, Unsent = 2, PaidUnsent = 3 };

struct LedgerTotals {
    int count = 0;          // view rows with a price
    qint64 sum = 0;         // their prices in cents
    int partyCount = 0;     // rows of the selected counterparty
    qint64 partySum = 0;
};

struct LedgerCellStyle {
    QColor background;
    QColor text;
    bool bold = false;
};

class LedgerView final {
public:
    static constexpr int ColumnCount = 11;
    static constexpr int LinkColumn = 10;

    LedgerView();

    // Header row: the master list's 10 captions, the link column's is empty.
    void setHeaders(const QStringList &headers);

    int rowCount() const { return m_rows.size(); }
    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);
    // The master row a view row copies; -1 when its link cell is empty.
    int link(int row) const;

    // Every cell from row 1 on emptied, 2 rows, link of row 1 is 1.
    void clear();

    // Rebuild from the master list (show choice and date range).
    void suodatanakyma(const LedgerTable &sg, LedgerShow show, const LedgerDateRange &range);
    // Write columns 0-9 of every linked view row back into its master row.
    void paivita2(LedgerTable &sg) const;

    static bool admits(LedgerShow show, const QString &paid, const QString &sent);
    // year * 10000 + month * 100 + day of a closing time "dd.mm.yyyy hh:mm:ss";
    // -1 when the text is 10 characters or fewer or not readable.
    static int dateValue(const QString &closing);
    static bool aikavalilla(const QString &closing, const LedgerDateRange &range);
    // Earliest and latest closing date of the master list, for asetaaikavali:
    // the minimum starts at (the year, at least 2022) * 10000 + 1231, the
    // maximum at 0.
    static LedgerDateRange aikavali(const LedgerTable &sg, int currentYear);

    // Totals over the view for the selection of `row`.
    LedgerTotals totals(int row) const;
    // View data rows holding an item number whose counterparty key equals
    // that of `row`, in view order.
    QVector<int> counterpartyRows(int row) const;
    // View data rows (any) whose counterparty key equals that of `row`.
    QVector<int> sameKeyRows(int row) const;
    // The clipboard text of "Kopioi leikepöydälle" for the selection `row`.
    QString copyRowsText(int row) const;

    // Address box lines from a counterparty text (column 8).
    static QStringList addressLines(const QString &counterparty);
    // Notes box text of a column 5 text, and the column 5 text of the box.
    static QString notesText(const QString &notes);
    static QString notesCell(const QString &boxText);
    static QString notesPlaceholder();

    // The sort choice (item of `huutaja`) a click on the header of `column`
    // picks while `currentItem` is chosen; -1 for headers that do not sort.
    static int headerSortChoice(int column, int currentItem);

    // What a cell shows, and its colours with `selectedRow` selected.
    QString displayText(int column, int row) const;
    LedgerCellStyle cellStyle(int column, int row, int selectedRow) const;
    static LedgerCellStyle cellStyle(int column, int row, bool rowHasItem, bool sameParty);

private:
    struct Row {
        QStringList cells;  // 10 texts, or empty when every cell is empty
        int link = -1;
    };
    static QString rowCell(const Row &r, int column);

    QVector<Row> m_rows;
};
