#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabstrip.h"

PageControl::PageControl(QWidget *parent) : QTabWidget(parent), m_strip(new TabStrip(this))
{
    setObjectName(QStringLiteral("PageControl1"));
    setTabBar(m_strip);
    setDocumentMode(true);
    setMovable(false);
    setTabsClosable(false);
}
