#include "ledger/model/ledgersheet.h"
#include <QSet>
#include <utility>

void LedgerSheet::setCell(int column, int row, const QString &text)
{
    if (inside(column, row))
        m_cells.append({column, row, false, text});
}

void LedgerSheet::appendToCell(int column, int row, const QString &text)
{
    if (inside(column, row))
        m_cells.append({column, row, true, text});
}

QHash<int, QString> LedgerSheet::headerRow() const
{
    QHash<int, QString> headers;
    for (const Cell &c : m_cells) {
        if (c.row != 0)
            continue;
        if (c.append)
            headers[c.column].append(c.text);
        else
            headers[c.column] = c.text;
    }
    return headers;
}

LedgerMode LedgerSheet::recogniseMode() const
{
    const QHash<int, QString> headers = headerRow();
    LedgerMode mode = LedgerMode::None;
    for (int c = 0; c < m_columns; ++c) {
        const QString header = headers.value(c).toLower();
        if (header.startsWith(QLatin1String("ostaja")))
            mode = LedgerMode::Sold;
        else if (header.startsWith(QStringLiteral("myyj")))
            mode = LedgerMode::Bought;
    }
    return mode;
}

LedgerTable LedgerSheet::matchColumns(const QStringList &headers) const
{
    // sheet column -> master column; master headers differ from each other,
    // so one sheet column feeds at most one master column.
    const QHash<int, QString> sheetHeaders = headerRow();
    QHash<int, int> target;
    for (int m = 0; m < LedgerTable::ColumnCount && m < headers.size(); ++m) {
        const QString &h = headers.at(m);
        if (h.isEmpty())
            continue;
        for (int c = 0; c < m_columns; ++c) {
            if (sheetHeaders.value(c) == h) {
                target.insert(c, m);
                break;
            }
        }
    }
    LedgerTable out;
    out.setRowCount(m_rows);
    out.setRow(0, headers);
    for (const Cell &c : m_cells) {
        if (c.row < 1)
            continue;
        const auto t = target.constFind(c.column);
        if (t == target.cend())
            continue;
        out.setCell(t.value(), c.row, c.append ? out.cell(t.value(), c.row) + c.text : c.text);
    }
    return out;
}

namespace Ledger {

int mergeRows(LedgerTable &master, const LedgerTable &read)
{
    QSet<std::pair<QString, QString>> present;
    present.reserve(master.rowCount() + read.rowCount());
    for (int r = 0; r < master.rowCount(); ++r) {
        present.insert({master.cell(LedgerColumn::Kohde, r),
                        tunnusavain(master.cell(LedgerColumn::Tunnus, r))});
    }
    int added = 0;
    for (int r = 0; r < read.rowCount(); ++r) {
        const QString item = read.cell(LedgerColumn::Kohde, r);
        if (item.isEmpty())
            continue;
        const std::pair<QString, QString> id{item, tunnusavain(read.cell(LedgerColumn::Tunnus, r))};
        if (present.contains(id))
            continue;
        present.insert(id);
        master.appendRow(read.row(r));
        ++added;
    }
    return added;
}

void replaceRows(LedgerTable &master, const LedgerTable &read)
{
    const QStringList headers = master.row(0);
    master = read;
    master.setRow(0, headers);
}

}
