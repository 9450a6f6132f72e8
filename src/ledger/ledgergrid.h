#pragma once
// The ledger's view grid: a table view that reports every mouse press with
// its button and modifiers (the paid and sent marks are set by the button
// pressed) and remembers the column clicked last. The current row is framed,
// so it stands out among the highlighted rows of its counterparty.
#include <QTableView>

class LedgerGrid final : public QTableView {
    Q_OBJECT
public:
    explicit LedgerGrid(QWidget *parent = nullptr);

    int lastClickedColumn() const { return m_lastColumn; }

signals:
    // Model row and column (grid row = model row + 1), after the grid has
    // moved its selection to the pressed cell.
    void cellMouseDown(int row, int column, Qt::MouseButton button,
                       Qt::KeyboardModifiers modifiers, const QPoint &globalPos);
    // Any double click on a cell, the press before it having selected the row.
    void cellDoubleClicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

public:
    // The frame of the current row.
    static QColor currentRowFrame();

private:
    QRect rowRect(int row) const;

    int m_lastColumn = -1;
};
