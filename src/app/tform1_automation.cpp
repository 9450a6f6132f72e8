// The main window's listing automation: the own-sales page's re-list and
// close commands, the approval sequence of the page pipeline, the
// closing-time panel's apply, the description snippets of the editor menu,
// and the editor menu itself over the listing's text editor.
#include "tform1.h"
#include "messagepanel.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/policy/contextmenupolicy.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "client/apisession.h"
#include "client/http.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "seller/automation/approvestep.h"
#include "seller/templates/closingtimepanel.h"
#include "seller/automation/listingformfeature.h"
#include "seller/templates/listingtemplates.h"
#include "seller/automation/relisting.h"
#include "seller/automation/snippets.h"
#include <QAction>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTimer>

namespace {
// PopupMenu2 items.
constexpr int kRelistItem = 2;
constexpr int kCloseItem = 4;
constexpr int kRelistSendItem = 5;
constexpr int kRelistApproveItem = 6;
// PopupMenu1 items.
constexpr int kOtherListingsItem = 14;
constexpr int kSameCategoryItem = 15;
constexpr int kCounterItem = 16;
}

// The main window as the automation's commands see it; owns them.
class MainWindowAutomation final : public QObject, public ApprovalHost, public RelistHost, public SnippetHost {
public:
    MainWindowAutomation(TForm1 *window, MessagePanel *status, ClosingTimePanel *panel, ListingTemplates *templates,
                         QuickSearch *quick)
        : QObject(window),
          m_window(window),
          m_status(status),
          m_panel(panel),
          m_templates(templates),
          m_quick(quick),
          approval(window->settings(), *this, this),
          relisting(window->settings(), window->urls(), window->http(), window->prompts(), *this),
          snippets(window->settings(), window->endpoints().webBase(),
                   window->endpoints().value(QStringLiteral("maker_web")), *this)
    {
    }

    // ApprovalHost
    void setApproveMode(PipelineTab &tab, bool on) override
    {
        auto *view = dynamic_cast<TVasaroselain *>(&tab);
        m_window->browserProfile().setApproveMode(on);
        if (view)
            m_window->browserProfile().update_dloption(view->vasaroPage());
    }
    void statusNotice(const QString &text, int seconds) override { m_status->naytapaneeli(text, seconds); }
    void closeTab(int pageIndex) override
    {
        // After the page's handling: closing waits for the page to go blank.
        // The tab may have been dragged to another place meanwhile.
        QTimer::singleShot(0, m_window, [this, pageIndex] {
            m_window->tabs().suljesivu(m_window->tabs().indexOfPage(pageIndex));
        });
    }

    // RelistHost
    QString takeLink() override
    {
        const QString status = m_window->statusText();
        const QString link = status.contains(u'/') ? status : m_window->tabs().linkAddress();
        m_window->tabs().setLinkAddress(QString());
        return link;
    }
    int activeTabIndex() const override { return m_window->tabs().activeIndex(); }
    void openInNewTab(const QString &address) override { m_window->tabs().uuteenikkunaan(address); }
    void restoreTab(int index) override
    {
        TabManager &tabs = m_window->tabs();
        tabs.activate(index);
        if (TVasaroselain *view = tabs.browser(index))
            tabs.naytaosoite(view->locationUrl());
    }
    void naytapaneeli(const QString &text, int seconds) override { m_window->naytapaneeli(text, seconds); }
    void refreshClosingTime() override { m_panel->paivita_aukiolo(m_window->clock().kellonaika()); }

    // SnippetHost
    Document *activeDocument() override
    {
        TVasaroselain *view = m_window->tabs().activeBrowser();
        return view ? &view->document() : nullptr;
    }
    QString signedInUser() const override { return m_window->signedInUser(); }
    QString lookUpUserId(const QString &userName) override { return m_quick->kayttajanId(userName); }
    void insert_into_description(const QString &snippet) override { m_templates->insert_into_description(snippet); }
    int random(int bound) override { return int(QRandomGenerator::global()->bounded(bound)); }

private:
    TForm1 *m_window;
    MessagePanel *m_status;
    ClosingTimePanel *m_panel;
    ListingTemplates *m_templates;
    QuickSearch *m_quick;

public:
    ApproveStep approval;
    Relisting relisting;
    SnippetCommands snippets;
};

void TForm1::buildListingAutomation()
{
    m_automation = new MainWindowAutomation(this, m_xipanel6, m_aukiolo, m_templates, m_quick.get());
    m_listingForm = dynamic_cast<ListingFormFeature *>(m_pipeline->features().listingAutomation);
    if (m_listingForm) {
        m_listingForm->setApproval(&m_automation->approval);
        m_listingForm->setClosingTime(m_aukiolo, &m_clock);
    }
    wireRelistMenu();
    wireClosingTimePanel();
    ContextMenus *menus = m_tabs->contextMenus();
    const auto snippet = [menus](int item, std::function<void()> command) {
        connect(menus->pageItem(item), &QAction::triggered, menus, std::move(command));
        menus->setPageItemAvailable(item, true);
    };
    snippet(kOtherListingsItem, [this] { m_automation->snippets.muutkohteet1Click(false); });
    snippet(kSameCategoryItem, [this] { m_automation->snippets.muutkohteet1Click(true); });
    snippet(kCounterItem, [this] { m_automation->snippets.lisaalaskuriClick(); });
    connect(m_api, &ApiSession::signedInChanged, m_automation, [this](bool signedIn) {
        if (!signedIn)
            m_automation->snippets.forgetSellerNumber();
    });
}

void TForm1::wireRelistMenu()
{
    ContextMenus *menus = m_tabs->contextMenus();
    const auto item = [menus](int index, std::function<void()> command) {
        connect(menus->linkItem(index), &QAction::triggered, menus, std::move(command));
        menus->setLinkItemAvailable(index, true);
    };
    using Kind = Relisting::Kind;
    item(kRelistItem, [this] { m_automation->relisting.huutouudelleenClick(Kind::Open); });
    item(kRelistSendItem, [this] { m_automation->relisting.huutouudelleenClick(Kind::Send); });
    item(kRelistApproveItem, [this] { m_automation->relisting.huutouudelleenClick(Kind::SendApprove); });
    item(kCloseItem, [this] { m_automation->relisting.lopetahuutoClick(); });
}

void TForm1::wireClosingTimePanel()
{
    connect(m_aukiolo, &ClosingTimePanel::applyClicked, this, [this] {
        if (TVasaroselain *view = m_tabs->activeBrowser(); view && m_listingForm)
            m_listingForm->saika(view->document());
    });
    // After the clock tick: writing the form waits for the page, and a page
    // held by its own dialog must not hold the clock.
    connect(
        m_aukiolo, &ClosingTimePanel::automaticApply, this,
        [this] {
            TVasaroselain *view = m_tabs->activeBrowser();
            if (view && m_listingForm && UrlScheme::isNewListingForm(view->locationUrl().toLower()))
                m_listingForm->saika(view->document());
        },
        Qt::QueuedConnection);
    connect(m_aukiolo, &ClosingTimePanel::dayChanged, this, [this] { m_sellerTool->filter().asetaPaivaleima(); });
    connect(m_aukiolo, &ClosingTimePanel::timeChecked, this, &TForm1::Timer);
}

// A right click over the listing's text editor on the new-listing or
// edit-listing form opens the program's editor menu, marked so that a
// snippet goes to the editor's caret, instead of the page's own menu.
bool TForm1::editorMenuClick(QObject *target, QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() != QEvent::MouseButtonPress || mouse->button() != Qt::RightButton)
        return false;
    const QString address = addressText().toLower();
    if (!UrlScheme::isNewListingForm(address) && !UrlScheme::isEditListingForm(address))
        return false;
    TVasaroselain *view = m_tabs->activeBrowser();
    auto *widget = qobject_cast<QWidget *>(target);
    if (!view || !widget || (widget != view && !view->isAncestorOf(widget)))
        return false;
    const QPoint global = mouse->globalPosition().toPoint();
    const int zoom = view->zoomPercent() < 1 ? 100 : view->zoomPercent();
    const QPoint at = ContextMenuPolicy::pagePoint(view->mapFromGlobal(global), zoom);
    const Element under = view->document().elementFromPoint(at.x(), at.y(), Document::OuterHtml);
    if (under.isNull() || !ContextMenuPolicy::isListingEditor(under.data().outerHTML))
        return false;
    m_templates->setEditorMenuMark(true);
    m_tabs->contextMenus()->showEditorMenu(global);
    return true;
}
