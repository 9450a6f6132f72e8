#pragma once
// Notes every page a tab loads (and its title when it arrives) in the
// history store, for the tabs there are now and those made later.
#include <QObject>

class HistoryStore;
class TabManager;

class HistoryRecorder final : public QObject {
    Q_OBJECT
public:
    HistoryRecorder(TabManager *tabs, HistoryStore *store, QObject *parent = nullptr);

private:
    void watch(int index);

    TabManager *m_tabs;
    HistoryStore *m_store;
};
