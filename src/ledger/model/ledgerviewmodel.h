#pragma once
// Table model of the ledger view `sg2`: the grid's header row is the model's
// horizontal header, grid row r (r >= 1) is model row r - 1. All 11 columns
// are present; the window hides the notes and link columns.
#include <QAbstractTableModel>

class LedgerView;

class LedgerViewModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // The raw cell text, where DisplayRole gives what the grid draws.
    static constexpr int CellTextRole = Qt::UserRole + 1;

    explicit LedgerViewModel(const LedgerView &view, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The view was rebuilt or resized.
    void reload();
    // Cells of the view changed in place.
    void refresh();
    void refreshHeaders();
    // The grid row whose counterparty the drawing highlights.
    void setSelectedRow(int gridRow);
    int selectedRow() const { return m_selectedRow; }

private:
    const LedgerView &m_view;
    int m_selectedRow = 1;
};
