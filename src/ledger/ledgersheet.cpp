#include "ledgersheet.h"
#include <QSet>
#include <utility>

QString LedgerSheet::cell(int column, int row) const
{
    return m_cells.value(keyOf(column, row));
}

void LedgerSheet::setCell(int column, int row, const QString &text)
{
    if (!inside(column, row))
        return;
    if (text.isEmpty())
        m_cells.remove(keyOf(column, row));
    else
        m_cells.insert(keyOf(column, row), text);
}

void LedgerSheet::appendToCell(int column, int row, const QString &text)
{
    if (inside(column, row) && !text.isEmpty())
        m_cells[keyOf(column, row)].append(text);
}

LedgerMode LedgerSheet::recogniseMode() const
{
    LedgerMode mode = LedgerMode::None;
    for (int c = 0; c < m_columns; ++c) {
        const QString header = cell(c, 0).toLower();
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
    QHash<int, int> target;
    for (int m = 0; m < LedgerTable::ColumnCount && m < headers.size(); ++m) {
        const QString &h = headers.at(m);
        if (h.isEmpty())
            continue;
        for (int c = 0; c < m_columns; ++c) {
            if (cell(c, 0) == h) {
                target.insert(c, m);
                break;
            }
        }
    }
    LedgerTable out;
    out.setRowCount(m_rows);
    out.setRow(0, headers);
    for (auto it = m_cells.cbegin(); it != m_cells.cend(); ++it) {
        const int row = int(it.key() >> 32);
        const int column = int(it.key() & 0xffffffffu);
        if (row < 1)
            continue;
        const auto t = target.constFind(column);
        if (t != target.cend())
            out.setCell(t.value(), row, it.value());
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
