#pragma once
// The ledger's three printouts as HTML pages: the list with the columns the
// user picked, address labels for the counterparties of the listed rows, and
// a sheet of 105 labels with the user's own address as sender.
//
// Every page has the same frame. Cell texts come from the marketplace
// (titles, names, addresses), so "&", "<" and ">" are written as entities;
// only the ledger's own line break "<BR>" of the notes stays a line break.
#include <QString>
#include <QStringList>
#include <QVector>

class LedgerTable;
class LedgerView;

// The column choice of the print panel: 4 × 3 cells holding the view's
// header texts of columns 0-9, left to right and top to bottom (the last two
// cells empty), each with a selected flag.
class ColumnChoice final {
public:
    static constexpr int Columns = 4;
    static constexpr int Rows = 3;
    static constexpr int Cells = Columns * Rows;

    ColumnChoice();

    // asetavalinnat: cell texts from the view's headers; with reset, every
    // column selected except the paid and sent/received marks.
    void asetavalinnat(const QStringList &viewHeaders, bool reset);

    QString text(int cell) const { return m_texts.value(cell); }
    bool selected(int cell) const { return cell >= 0 && cell < Cells && m_selected[cell]; }
    // A click on a cell: its flag inverted when it has text.
    void toggle(int cell);

private:
    QStringList m_texts;
    bool m_selected[Cells] = {};
};

namespace PrintPages {

using Grid = QVector<QStringList>;   // rows of cell texts, row 0 the header

// The frame: start (with the table tag of the list or of the labels) and end.
QString alku(bool listTable);
QString loppu();
// A cell text as HTML: entities for "&", "<" and ">", "<BR>" kept as the
// line break it stands for.
QString html(const QString &text);

// The columns of the view (all rows, header included) whose header equals
// a selected cell's text, in the order of the cells.
Grid valitutSarakkeet(const LedgerView &view, const ColumnChoice &choice);
// The list page of a grid; with "Nro" as its top-left header the first
// column shows the row numbers 1., 2., ….
QString CreateHTML(const Grid &grid);
// Labels of the counterparties of every view row, three to a table row.
QString ostajienlaput(const LedgerView &view, const LedgerTable &sg);
// 105 labels (15 rows of 7) of the own-address text.
QString lahettajanlaput(const QString &omaosoite);

}
