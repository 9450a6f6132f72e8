#include "ledgercelldelegate.h"
#include <QPainter>

LedgerCellDelegate::LedgerCellDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

void LedgerCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    painter->save();
    const QVariant background = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect, background.isValid() ? background.value<QColor>()
                                                        : QColor(Qt::white));
    const QVariant font = index.data(Qt::FontRole);
    const QVariant colour = index.data(Qt::ForegroundRole);
    painter->setFont(font.isValid() ? font.value<QFont>() : option.font);
    painter->setPen(colour.isValid() ? colour.value<QColor>() : QColor(Qt::black));
    const QRect textRect = option.rect.adjusted(2, 0, 0, 0);
    painter->setClipRect(option.rect);
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}
