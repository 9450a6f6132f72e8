#pragma once
// The ledger's Excel workbook (".xlsx", "Excel-työkirja"): one sheet with the
// master list's header row and cells as text, the view's column widths and
// wrapped address cells. The reader takes the first sheet of any workbook
// (shared strings, inline strings and numbers) into a sheet whose columns
// `luelista` then matches by their headers.
//
// Line breaks: the ledger ends lines with CR LF, a spreadsheet with LF. CR LF
// is written as LF, and a LF read without a CR before it becomes CR LF, so a
// break typed in a spreadsheet is a ledger break too. Characters XML cannot
// carry (other control characters, lone surrogates) are written in the
// format's own "_xHHHH_" escape, which the reader undoes.
#include "ledger/model/ledgersheet.h"
#include <QByteArray>
#include <QString>
#include <QVector>

class LedgerTable;

namespace LedgerXlsx {

// Rows a workbook may hold for the ledger (the list file's own limit);
// a sheet naming a later row is refused.
constexpr int MaxRows = 1000000;
// Sheet columns the reader keeps; later ones are not used.
constexpr int ReadColumns = 1000;
// A cell holds at most this many characters in the format.
constexpr int MaxCellLength = 32767;

// Cell text to and from the form stored in the workbook.
QString encodeText(const QString &text);
QString decodeText(const QString &stored);

// The workbook of `grid`; viewWidths as for the worksheet (a width that is
// not positive counts as 100 pixels). Empty with a Finnish message on failure.
QByteArray workbookBytes(const LedgerTable &grid, const QVector<int> &viewWidths, QString *error);
// Writes atomically (a temporary file in the same folder, then a rename).
bool kirjoitaxlsx(const LedgerTable &grid, const QVector<int> &viewWidths, const QString &path,
                  QString *error = nullptr);

// The first sheet of a workbook. Fails with a Finnish message when the bytes
// are no workbook, a part is damaged or inflates past XlsxZip::MaxPartSize,
// the sheet names a row past MaxRows, or the sheet holds no cell.
LedgerReadResult parseWorkbook(const QByteArray &bytes);
LedgerReadResult lueXlsx(const QString &path);

}
