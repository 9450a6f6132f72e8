#pragma once
// The bar "Sivu ei vastaa" over the tabs: shown while the active tab's page
// does not answer (HangWatch), without a modal question, so the window and
// the other tabs stay usable.
//   "Sulje"  ends the page's renderer process and closes the tab (the first
//            tab, which is never closed, goes blank). Marketplace tabs share
//            one renderer: the other tabs that ran in it load their pages
//            again in a new one.
//   "Odota"  hides the bar; a page still silent is reported again after
//            another full limit.
#include "browser/engine/hangwatch.h"
#include <QFrame>

class QLabel;
class QPushButton;
class QWebEnginePage;
class TabManager;

class HungPageBar final : public QFrame {
    Q_OBJECT
public:
    explicit HungPageBar(TabManager *tabs, QWidget *parent = nullptr,
                         int limitMs = HangWatch::kDefaultLimitMs);

    HangWatch &watch() { return m_watch; }
    // "Sulje" and "Odota".
    void closeHungPage();
    void keepWaiting();

private:
    void followActiveTab();
    void onUnresponsive(QWebEnginePage *page);
    int tabIndexOf(const QWebEnginePage *page) const;
    void leave(int index);
    void reloadWhenEnded(QWebEnginePage *page);

    TabManager *m_tabs;
    HangWatch m_watch;
    QLabel *m_text;
    QPushButton *m_close;
    QPushButton *m_wait;
};
