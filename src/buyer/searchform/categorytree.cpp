#include "buyer/searchform/categorytree.h"
#include <QEvent>
#include <QHeaderView>
#include <QTreeWidgetItemIterator>

CategoryTree::CategoryTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("TreeView1"));
    setHeaderHidden(true);
    setColumnCount(1);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformRowHeights(true);
    keepSelectionVisible();
}

int CategoryTree::number(const QTreeWidgetItem *item)
{
    return item->data(0, Qt::UserRole).toInt();
}

void CategoryTree::luo_puu(const QList<CategoryNode> &tree)
{
    clear();
    m_order.clear();
    addNodes(nullptr, tree);
}

void CategoryTree::addNodes(QTreeWidgetItem *parent, const QList<CategoryNode> &nodes)
{
    for (const CategoryNode &node : nodes) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        item->setText(0, node.name);
        item->setData(0, Qt::UserRole, node.number);
        addNodes(item, node.children);
    }
}

void CategoryTree::aseta(const QString &number)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        QTreeWidgetItem *item = *it;
        if (QString::number(CategoryTree::number(item)) != number)
            continue;
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        if (!item->isSelected())
            item->setSelected(true);
        scrollToItem(item);
    }
}

QStringList CategoryTree::selectedNumbers() const
{
    QStringList numbers;
    for (const QTreeWidgetItem *item : m_order)
        numbers << QString::number(number(item));
    return numbers;
}

void CategoryTree::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeWidget::selectionChanged(selected, deselected);
    for (const QModelIndex &index : deselected.indexes())
        m_order.removeAll(itemFromIndex(index));
    for (const QModelIndex &index : selected.indexes()) {
        QTreeWidgetItem *item = itemFromIndex(index);
        if (item && !m_order.contains(item))
            m_order << item;
    }
}

// A selected node keeps the highlight colour when the tree (or the window)
// loses the focus, so a selection of several categories stays visible.
void CategoryTree::keepSelectionVisible()
{
    m_paletteBusy = true;
    QPalette pal = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
    setPalette(pal);
    m_paletteBusy = false;
}

void CategoryTree::changeEvent(QEvent *event)
{
    QTreeWidget::changeEvent(event);
    if ((event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) && !m_paletteBusy)
        keepSelectionVisible();
}
