#pragma once
// Notices a page that stopped answering. Qt WebEngine 6.4 reports no hung
// renderer, so the watch asks the page itself: a tiny script in the isolated
// world, sent without waiting (no nested loop), and a page whose answer has
// not come within the limit is reported unresponsive. The watch keeps asking
// and reports the page responsive again when the answer comes.
//
// A page's own script dialog holds its renderer until it is answered, so
// the time a modal window is open does not count. A load, a new document or
// an ended renderer starts the watch afresh (the question may have been
// lost with the old document).
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWebEnginePage;

class HangWatch final : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultLimitMs = 4000;
    explicit HangWatch(int limitMs = kDefaultLimitMs, QObject *parent = nullptr);

    // Watches `page` from now on (null: nothing).
    void watch(QWebEnginePage *page);
    QWebEnginePage *watched() const { return m_page; }
    bool isUnresponsive() const { return m_reported; }
    // The user chose to wait: a page still silent is reported again after
    // another full limit.
    void keepWaiting();

    // Ends the renderer process of `page` (and so of every page sharing it);
    // the engine then reports renderProcessTerminated for each of them.
    // False when the page has no renderer process of this program's.
    static bool endRenderer(QWebEnginePage *page);

signals:
    void unresponsive(QWebEnginePage *page);
    void responsive(QWebEnginePage *page);

private:
    void check();
    void ask();
    void answered(quint64 question);
    void restart();

    int m_limitMs;
    QTimer m_tick;
    QPointer<QWebEnginePage> m_page;
    QList<QMetaObject::Connection> m_pageConnections;
    quint64 m_asked = 0;       // the question under way (0: none)
    quint64 m_lastQuestion = 0;
    QElapsedTimer m_silent;    // since the question under way was asked
    bool m_reported = false;
};
