#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabdrag.h"
#include "browser/tabs/tabstrip.h"
#include <QSignalBlocker>

PageControl::PageControl(QWidget *parent) : QTabWidget(parent), m_strip(new TabStrip(this))
{
    setObjectName(QStringLiteral("PageControl1"));
    setTabBar(m_strip);
    setDocumentMode(true);
    setMovable(false);   // the strip's own drag keeps the first tab first
    setTabsClosable(false);
    connect(m_strip->drag(), &TabDrag::moveRequested, this, &PageControl::moveTab);
}

void PageControl::moveTab(int from, int to)
{
    // The first tab never moves and nothing goes before it.
    if (from <= 0 || to <= 0 || from >= count() || to >= count() || from == to)
        return;
    const QSignalBlocker quiet(this);
    m_strip->moveTab(from, to);
}
