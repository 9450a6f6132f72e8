#pragma once
// The find bar at the bottom of the page, as browsers have it (F3): the page
// is searched as the user types, the bar counts the matches ("3/17"), Enter
// or F3 goes to the next match, Shift+Enter or Shift+F3 to the previous one,
// "Ei löytynyt" (and a tinted field) says there is none, and Esc closes the
// bar and clears the page's selection. It always searches the active tab.
#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QToolButton;
class QWebEngineFindTextResult;
class QWebEnginePage;
class TabManager;

class FindBar final : public QWidget {
    Q_OBJECT
public:
    explicit FindBar(TabManager *tabs, QWidget *parent = nullptr);

    // F3: opens the bar with the focus in its field; on an open bar with a
    // text, the next match (the previous one with `backward`).
    void F3(bool backward);
    void findNext();
    void findPrevious();
    void closeBar();

    QLineEdit *field() const { return m_field; }
    QString countText() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void search(bool backward);
    void showResult(const QWebEngineFindTextResult &result);
    void clearPage();
    void activeTabChanged();
    QWebEnginePage *activePage() const;

    QPointer<TabManager> m_tabs;   // the window may take it down first
    QLineEdit *m_field;
    QLabel *m_count;
    QToolButton *m_previous;
    QToolButton *m_next;
    QToolButton *m_close;
    QPointer<QWebEnginePage> m_searched;   // the page the last search ran on
};
