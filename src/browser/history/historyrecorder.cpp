#include "browser/history/historyrecorder.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/history/historystore.h"
#include "browser/tabs/tabmanager.h"
#include <QWebEnginePage>

HistoryRecorder::HistoryRecorder(TabManager *tabs, HistoryStore *store, QObject *parent)
    : QObject(parent), m_tabs(tabs), m_store(store)
{
    for (int i = 0; i < tabs->count(); ++i)
        watch(i);
    connect(tabs, &TabManager::tabCreated, this, &HistoryRecorder::watch);
}

void HistoryRecorder::watch(int index)
{
    TVasaroselain *view = m_tabs->browser(index);
    if (!view)
        return;
    QWebEnginePage *page = view->page();
    connect(page, &QWebEnginePage::loadFinished, this, [this, page](bool ok) {
        if (ok)
            m_store->visited(page->url().toString(), page->title(), QDateTime::currentDateTime());
    });
    connect(page, &QWebEnginePage::titleChanged, this,
            [this, page](const QString &title) { m_store->titleChanged(page->url().toString(), title); });
}
