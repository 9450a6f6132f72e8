#pragma once
// "Historia" (Ctrl+Shift+H): the visited pages, newest first, filtered as
// the user types a word of the title or address; a double click opens the
// page in the active tab; "Tyhjennä historia" asks first.
#include <QWidget>

class HistoryStore;
class Prompts;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class HistoryWindow final : public QWidget {
    Q_OBJECT
public:
    HistoryWindow(HistoryStore *store, Prompts *prompts, QWidget *parent = nullptr);

    QLineEdit *filterField() const { return m_filter; }
    QTreeWidget *list() const { return m_list; }
    // Shows the window with the focus in the filter field.
    void open();

signals:
    void openRequested(const QString &url);

private:
    void refill();
    void askClear();

    HistoryStore *m_store;
    Prompts *m_prompts;
    QLineEdit *m_filter;
    QTreeWidget *m_list;
    QPushButton *m_clear;
};
