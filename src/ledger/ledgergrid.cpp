#include "ledgergrid.h"
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>

LedgerGrid::LedgerGrid(QWidget *parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::NoContextMenu);   // the right button sets marks
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setMinimumSectionSize(18);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: #A2B3CB; color: black; "
        "border: 0px; border-right: 1px solid #7F8EA6; border-bottom: 1px solid #7F8EA6; "
        "padding-left: 2px; }"));
}

void LedgerGrid::mousePressEvent(QMouseEvent *event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid())
        m_lastColumn = index.column();
    QTableView::mousePressEvent(event);
    if (!index.isValid())
        return;
    if (currentIndex().row() != index.row())
        setCurrentIndex(index);
    emit cellMouseDown(index.row(), index.column(), event->button(), event->modifiers(),
                       event->globalPosition().toPoint());
}

void LedgerGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The base class would replay a press here, setting a mark twice.
    const QModelIndex index = indexAt(event->position().toPoint());
    event->accept();
    if (!index.isValid())
        return;
    m_lastColumn = index.column();
    if (currentIndex() != index)
        setCurrentIndex(index);
    emit cellDoubleClicked();
}

QColor LedgerGrid::currentRowFrame()
{
    return QColor(0x1F, 0x3F, 0x7F);
}

QRect LedgerGrid::rowRect(int row) const
{
    if (!model() || row < 0)
        return QRect();
    QRect r;
    for (int c = 0; c < model()->columnCount(); ++c) {
        if (!isColumnHidden(c))
            r = r.united(visualRect(model()->index(row, c)));
    }
    return r;
}

void LedgerGrid::paintEvent(QPaintEvent *event)
{
    QTableView::paintEvent(event);
    const QRect r = rowRect(currentIndex().row());
    if (r.isEmpty())
        return;
    QPainter p(viewport());
    p.setPen(QPen(currentRowFrame(), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void LedgerGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QTableView::currentChanged(current, previous);
    // The frame spans the whole row: both rows are repainted whole.
    viewport()->update(rowRect(previous.row()));
    viewport()->update(rowRect(current.row()));
}
