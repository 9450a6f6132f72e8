#pragma once
// Paints a ledger view cell the way the ledger draws its grid: the model's
// background for the whole cell (the selected counterparty's rows stand out
// by their colour, not by a selection highlight), the text 2 pixels from the
// left edge at the top, in the model's colour and weight.
#include <QStyledItemDelegate>

class LedgerCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit LedgerCellDelegate(QObject *parent = nullptr);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
};
