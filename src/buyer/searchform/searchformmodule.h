#pragma once
// The search form as a feature module: the panel `hakulomake` over the tabs,
// opened from the menu item "Haku" and by the page pipeline when a page
// follows the marketplace's own advanced-search link.
#include "browser/features/modulecontext.h"
#include <QObject>
#include <memory>

class QuickSearch;
class SearchFormPanel;
class SearchFormTabs;
class UrlScheme;

class SearchFormModule final : public QObject {
public:
    SearchFormModule(const ModuleContext &context, const UrlScheme &urls, QuickSearch &quick);
    ~SearchFormModule() override;

    SearchFormPanel *panel() const { return m_panel; }

private:
    std::unique_ptr<SearchFormTabs> m_tabs;
    SearchFormPanel *m_panel;
};
