#pragma once
// `TreeView1`: the category tree of the search form. Read-only; Ctrl + left
// click adds nodes to the selection. The selection is kept in the order the
// nodes were selected (the search lists categories in that order), and it
// stays painted in the highlight colour when the tree has no focus.
#include "buyer/searchform/osastolista.h"
#include <QList>
#include <QStringList>
#include <QTreeWidget>

class CategoryTree final : public QTreeWidget {
    Q_OBJECT
public:
    explicit CategoryTree(QWidget *parent = nullptr);

    // Replaces all nodes; each node carries its category number.
    void luo_puu(const QList<CategoryNode> &tree);
    // Selects every node whose number, written in decimal, equals `number`,
    // expanding its parents; nodes already selected stay where they are in
    // the selection order.
    void aseta(const QString &number);
    // Numbers of the selected nodes in selection order.
    QStringList selectedNumbers() const;
    static int number(const QTreeWidgetItem *item);

protected:
    void changeEvent(QEvent *event) override;

private:
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    void keepSelectionVisible();
    void addNodes(QTreeWidgetItem *parent, const QList<CategoryNode> &nodes);

    QList<QTreeWidgetItem *> m_order;
    bool m_paletteBusy = false;
};
