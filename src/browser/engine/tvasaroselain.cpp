#include "browser/engine/tvasaroselain.h"
#include "browser/engine/document.h"
#include "browser/engine/vasaropage.h"
#include "browser/tools/zoomrule.h"
#include <QChildEvent>
#include <QContextMenuEvent>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>
#include <algorithm>

TVasaroselain::TVasaroselain(BrowserProfile *profile, Prompts *prompts, int pageIndex, QWidget *parent)
    : QWebEngineView(parent), m_page(new VasaroPage(profile, prompts, VasaroPage::Role::Tab, this)),
      m_pageIndex(pageIndex)
{
    setObjectName(QStringLiteral("TVasaroselain%1").arg(pageIndex));
    setPage(m_page);
}

TVasaroselain::~TVasaroselain() = default;

Document &TVasaroselain::document()
{
    return m_page->document();
}

QString TVasaroselain::locationUrl() const
{
    return m_page->LocationURL();
}

bool TVasaroselain::isActiveTab() const
{
    return m_activeTest && m_activeTest();
}

void TVasaroselain::focusBrowser()
{
    setFocus(Qt::OtherFocusReason);
}

bool TVasaroselain::asetaZoom(int percent)
{
    if (!document().isHtml())
        return false;
    percent = ZoomRule::normalised(percent);
    setZoomFactor(ZoomRule::engineFactor(percent));
    m_state.zoom = percent;
    return true;
}

QList<QWebEngineHistoryItem> TVasaroselain::travelLog(bool forward, int max) const
{
    QWebEngineHistory *h = m_page->history();
    QList<QWebEngineHistoryItem> items = forward ? h->forwardItems(max) : h->backItems(max);
    if (!forward)
        std::reverse(items.begin(), items.end());   // backItems lists the oldest first
    return items;
}

void TVasaroselain::travel(bool forward, int steps)
{
    const QList<QWebEngineHistoryItem> items = travelLog(forward, steps);
    if (items.size() >= steps && steps > 0)
        m_page->history()->goToItem(items.at(steps - 1));
}

void TVasaroselain::contextMenuEvent(QContextMenuEvent *event)
{
    const QWebEngineContextMenuRequest *request = lastContextMenuRequest();
    if (request && m_menuHandler && m_menuHandler(this, *request, event->globalPos())) {
        event->accept();
        return;
    }
    QWebEngineView::contextMenuEvent(event);
}

bool TVasaroselain::event(QEvent *event)
{
    if (event->type() == QEvent::ChildPolished) {
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            child->installEventFilter(this);
    }
    return QWebEngineView::event(event);
}

bool TVasaroselain::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        m_page->noteUserInput();
        break;
    default:
        break;
    }
    return QWebEngineView::eventFilter(watched, event);
}
