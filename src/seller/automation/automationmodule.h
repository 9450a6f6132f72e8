#pragma once
// Listing automation as a feature module: the own-sales page's re-list and
// close commands of the link menu, the approval sequence of the page
// pipeline, the scheduled-opening panel `aukiolopaneeli` in the toolbar row,
// the description snippets of the editor menu, and the editor menu itself
// over the listing's text editor.
#include "browser/features/modulecontext.h"
#include "browser/policy/contextmenus.h"
#include "seller/automation/approvestep.h"
#include "seller/automation/relisting.h"
#include "seller/automation/snippets.h"
#include <QObject>

class ApiSession;
class BrowserProfile;
class ClosingTimePanel;
class Http;
class QEvent;
class QuickSearch;
class TemplatesModule;
class UrlScheme;

class AutomationModule final : public QObject, public ApprovalHost, public RelistHost, public SnippetHost {
public:
    AutomationModule(const ModuleContext &context, const UrlScheme &urls, Http &http, ApiSession &api,
                     BrowserProfile &profile, QuickSearch &quick, TemplatesModule &templates);

    ClosingTimePanel *closingTime() const { return m_panel; }

    // ApprovalHost
    void setApproveMode(PipelineTab &tab, bool on) override;
    void statusNotice(const QString &text, int seconds) override { m_shell.statusNotice(text, seconds); }
    void closeTab(int pageIndex) override;
    // RelistHost
    QString takeLink() override { return std::exchange(m_link, QString()); }
    int activeTabIndex() const override;
    void openInNewTab(const QString &address) override;
    void restoreTab(int index) override;
    void naytapaneeli(const QString &text, int seconds) override { m_shell.naytapaneeli(text, seconds); }
    void refreshClosingTime() override;
    // SnippetHost
    Document *activeDocument() override;
    QString signedInUser() const override { return m_shell.signedInUser(); }
    QString lookUpUserId(const QString &userName) override;
    void insert_into_description(const QString &snippet) override;
    int random(int bound) override;

private:
    void plugIn(const ModuleContext &context);
    void wireClosingTimePanel();
    void relistCommand(ContextMenus &menus, ContextMenus::LinkItem item, std::function<void()> command);
    bool editorMenuClick(QObject *target, QEvent *event);

    ShellHost &m_shell;
    TabManager &m_tabs;
    ContextMenus &m_menus;
    ProgramClock &m_clock;
    BrowserProfile &m_profile;
    QuickSearch &m_quick;
    TemplatesModule &m_templates;
    ClosingTimePanel *m_panel;   // aukiolopaneeli
    QString m_link;              // the link of the running re-list command
    ApproveStep m_approval;
    Relisting m_relisting;
    SnippetCommands m_snippets;
};
