// The main window's search form: the panel `hakulomake` over the tabs, opened
// from the menu item "Haku" and by the page pipeline when a page follows the
// marketplace's own advanced-search link.
#include "tform1.h"
#include "browser/pipeline/pagepipeline.h"
#include "buyer/searchform/searchformhost.h"
#include "buyer/searchform/searchformpanel.h"
#include "core/paths.h"

void TForm1::buildSearchForm()
{
    m_searchFormTabs = std::make_unique<SearchFormTabs>(*this, *m_tabs);
    m_searchForm = new SearchFormPanel(*m_searchFormTabs, *m_urls, *m_quick, *m_prompts, Paths::shippedDataFolder(),
                                       this);
    registerControl(m_searchForm);
    m_pipeline->features().searchForm = m_searchForm;
    onMenu(QStringLiteral("Haku"), [this] { m_searchForm->HakuClick(); });
}
