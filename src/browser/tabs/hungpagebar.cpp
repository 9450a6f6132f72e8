#include "browser/tabs/hungpagebar.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

HungPageBar::HungPageBar(TabManager *tabs, QWidget *parent, int limitMs)
    : QFrame(parent),
      m_tabs(tabs),
      m_watch(limitMs, this),
      m_text(new QLabel(QStringLiteral("Sivu ei vastaa"), this)),
      m_close(new QPushButton(QStringLiteral("Sulje"), this)),
      m_wait(new QPushButton(QStringLiteral("Odota"), this))
{
    setObjectName(QStringLiteral("hungPageBar"));
    m_close->setObjectName(QStringLiteral("hungPageClose"));
    m_wait->setObjectName(QStringLiteral("hungPageWait"));
    m_text->setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::StyledPanel);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->addWidget(m_text, 1);
    row->addWidget(m_close);
    row->addWidget(m_wait);
    hide();
    connect(m_close, &QPushButton::clicked, this, &HungPageBar::closeHungPage);
    connect(m_wait, &QPushButton::clicked, this, &HungPageBar::keepWaiting);
    connect(&m_watch, &HangWatch::unresponsive, this, &HungPageBar::onUnresponsive);
    connect(&m_watch, &HangWatch::responsive, this, &QWidget::hide);
    connect(tabs->pageControl(), &QTabWidget::currentChanged, this, &HungPageBar::followActiveTab);
    connect(tabs, &TabManager::tabCreated, this, &HungPageBar::followActiveTab);
}

void HungPageBar::followActiveTab()
{
    TVasaroselain *active = m_tabs->activeBrowser();
    m_watch.watch(active ? active->page() : nullptr);
}

void HungPageBar::onUnresponsive(QWebEnginePage *page)
{
    TVasaroselain *active = m_tabs->activeBrowser();
    if (active && active->page() == page)
        show();
}

void HungPageBar::keepWaiting()
{
    hide();
    m_watch.keepWaiting();
}

int HungPageBar::tabIndexOf(const QWebEnginePage *page) const
{
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->browser(i)->page() == page)
            return i;
    return -1;
}

void HungPageBar::closeHungPage()
{
    hide();
    QWebEnginePage *hung = m_watch.watched();
    if (!hung)
        return;
    const int index = tabIndexOf(hung);
    const qint64 pid = hung->renderProcessPid();
    QList<QWebEnginePage *> sharing;
    for (int i = 0; i < m_tabs->count(); ++i) {
        QWebEnginePage *page = m_tabs->browser(i)->page();
        if (page != hung && pid > 0 && page->renderProcessPid() == pid)
            sharing << page;
    }
    if (!HangWatch::endRenderer(hung)) {
        leave(index);
        return;
    }
    for (QWebEnginePage *page : std::as_const(sharing))
        reloadWhenEnded(page);
    // The tab is closed once the engine has seen its renderer end; a wait
    // started inside the engine's report would hold its answers back.
    connect(
        hung, &QWebEnginePage::renderProcessTerminated, this,
        [this, index] { QTimer::singleShot(1, this, [this, index] { leave(index); }); },
        Qt::SingleShotConnection);
}

void HungPageBar::leave(int index)
{
    if (index > 0)
        m_tabs->suljesivu(index);
    else if (index == 0)
        m_tabs->browser(0)->vasaroPage()->Navigate(QUrl(QStringLiteral("about:blank")));
}

void HungPageBar::reloadWhenEnded(QWebEnginePage *page)
{
    connect(
        page, &QWebEnginePage::renderProcessTerminated, page,
        [page] { QTimer::singleShot(1, page, [page] { page->triggerAction(QWebEnginePage::Reload); }); },
        Qt::SingleShotConnection);
}
