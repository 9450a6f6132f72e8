#include "ledger/model/ledgerviewmodel.h"
#include "ledger/model/ledgerview.h"
#include <QFont>

LedgerViewModel::LedgerViewModel(const LedgerView &view, QObject *parent)
    : QAbstractTableModel(parent), m_view(view)
{
}

int LedgerViewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_view.rowCount() - 1;
}

int LedgerViewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : LedgerView::ColumnCount;
}

QVariant LedgerViewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return m_view.displayText(column, row);
    case CellTextRole:
        return m_view.cell(column, row);
    case Qt::BackgroundRole:
        return m_view.cellStyle(column, row, m_selectedRow).background;
    case Qt::ForegroundRole:
        return m_view.cellStyle(column, row, m_selectedRow).text;
    case Qt::FontRole: {
        if (!m_view.cellStyle(column, row, m_selectedRow).bold)
            return {};
        QFont f;
        f.setBold(true);
        return f;
    }
    default:
        return {};
    }
}

QVariant LedgerViewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::DisplayRole || role == CellTextRole)
        return m_view.cell(section, 0);
    if (role == Qt::BackgroundRole)
        return m_view.cellStyle(section, 0, m_selectedRow).background;
    return {};
}

void LedgerViewModel::reload()
{
    beginResetModel();
    endResetModel();
}

void LedgerViewModel::refresh()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void LedgerViewModel::refreshHeaders()
{
    emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

void LedgerViewModel::setSelectedRow(int gridRow)
{
    m_selectedRow = gridRow;
    refresh();
}
