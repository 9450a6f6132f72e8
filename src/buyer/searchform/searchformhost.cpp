#include "buyer/searchform/searchformhost.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"

QString SearchFormTabs::addressText() const
{
    return m_shell.addressText();
}

Document *SearchFormTabs::activeDocument()
{
    TVasaroselain *browser = m_tabs.activeBrowser();
    return browser ? &browser->document() : nullptr;
}

void SearchFormTabs::aktiivisivu_navigate(const QString &url)
{
    m_tabs.aktiivisivu_navigate(url);
}
