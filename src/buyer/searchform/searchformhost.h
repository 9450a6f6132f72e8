#pragma once
// What the search form needs from the browser around it: the address box
// text, the active tab's document and navigation of the active tab.
// SearchFormTabs provides it over the main window's tabs; tests give a fake.
#include <QString>

class Document;
class ShellHost;
class TabManager;

class SearchFormHost {
public:
    virtual ~SearchFormHost() = default;
    virtual QString addressText() const = 0;
    virtual Document *activeDocument() = 0;   // null when no tab shows a page
    virtual void aktiivisivu_navigate(const QString &url) = 0;
};

class SearchFormTabs final : public SearchFormHost {
public:
    SearchFormTabs(ShellHost &shell, TabManager &tabs) : m_shell(shell), m_tabs(tabs) {}
    QString addressText() const override;
    Document *activeDocument() override;
    void aktiivisivu_navigate(const QString &url) override;

private:
    ShellHost &m_shell;
    TabManager &m_tabs;
};
