#include "seller/automation/automationmodule.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/features/featureregistry.h"
#include "browser/policy/contextmenupolicy.h"
#include "browser/policy/contextmenus.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "client/apisession.h"
#include "client/http.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "core/programclock.h"
#include "seller/automation/listingformfeature.h"
#include "seller/templates/closingtimepanel.h"
#include "seller/templates/listingtemplates.h"
#include "seller/templates/templatesmodule.h"
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTimer>

AutomationModule::AutomationModule(const ModuleContext &context, const UrlScheme &urls, Http &http, ApiSession &api,
                                   BrowserProfile &profile, QuickSearch &quick, TemplatesModule &templates)
    : QObject(context.window),
      m_shell(context.shell),
      m_tabs(context.tabs),
      m_menus(context.menus),
      m_clock(context.clock),
      m_profile(profile),
      m_quick(quick),
      m_templates(templates),
      m_panel(new ClosingTimePanel(&context.settings, context.toolbar)),
      m_approval(context.settings, *this, this),
      m_relisting(context.settings, urls, http, context.prompts, *this),
      m_snippets(context.settings, context.endpoints.webBase(), context.endpoints.value(QStringLiteral("maker_web")),
                 *this)
{
    m_panel->hide();
    templates.listingForm()->setApproval(&m_approval);
    templates.listingForm()->setClosingTime(m_panel, &m_clock);
    connect(&api, &ApiSession::signedInChanged, this, [this](bool signedIn) {
        if (!signedIn)
            m_snippets.forgetSellerNumber();
    });
    wireClosingTimePanel();
    plugIn(context);
}

void AutomationModule::plugIn(const ModuleContext &context)
{
    FeatureRegistry &registry = context.registry;
    registry.addToolbarControl(FeatureRegistry::ToolbarSlot::ClosingTime, m_panel);
    registry.addPageListener([this](const PageState &state) {
        if (const std::optional<bool> shown = PageControls::visible(PageControls::Control::ClosingTime, state))
            m_panel->setVisible(*shown);
    });
    registry.addTick([this] {
        if (m_panel->isVisible())
            m_panel->paivita_aukiolo(m_clock.kellonaika());
    });
    registry.addMouseHandler(FeatureRegistry::InputOrder::EditorMenu,
                             [this](QObject *target, QEvent *event) { return editorMenuClick(target, event); });
    using Kind = Relisting::Kind;
    using Link = ContextMenus::LinkItem;
    relistCommand(m_menus, Link::Relist, [this] { m_relisting.huutouudelleenClick(Kind::Open); });
    relistCommand(m_menus, Link::RelistSend, [this] { m_relisting.huutouudelleenClick(Kind::Send); });
    relistCommand(m_menus, Link::RelistSendApprove, [this] { m_relisting.huutouudelleenClick(Kind::SendApprove); });
    relistCommand(m_menus, Link::CloseListing, [this] { m_relisting.lopetahuutoClick(); });
    using Item = ContextMenus::PageItem;
    m_menus.addPageCommand(Item::OtherListings, [this] { m_snippets.muutkohteet1Click(false); });
    m_menus.addPageCommand(Item::SameCategory, [this] { m_snippets.muutkohteet1Click(true); });
    m_menus.addPageCommand(Item::Counter, [this] { m_snippets.lisaalaskuriClick(); });
}

// The re-list commands read the link through takeLink().
void AutomationModule::relistCommand(ContextMenus &menus, ContextMenus::LinkItem item, std::function<void()> command)
{
    menus.addLinkCommand(item, [this, command = std::move(command)](const QString &address) {
        m_link = address;
        command();
        m_link.clear();
    });
}

void AutomationModule::wireClosingTimePanel()
{
    ListingFormFeature *form = m_templates.listingForm();
    connect(m_panel, &ClosingTimePanel::applyClicked, this, [this, form] {
        if (TVasaroselain *view = m_tabs.activeBrowser())
            form->saika(view->document());
    });
    // After the clock tick: writing the form waits for the page, and a page
    // held by its own dialog must not hold the clock.
    connect(
        m_panel, &ClosingTimePanel::automaticApply, this,
        [this, form] {
            TVasaroselain *view = m_tabs.activeBrowser();
            if (view && UrlScheme::isNewListingForm(view->locationUrl().toLower()))
                form->saika(view->document());
        },
        Qt::QueuedConnection);
}

void AutomationModule::setApproveMode(PipelineTab &tab, bool on)
{
    auto *view = dynamic_cast<TVasaroselain *>(&tab);
    m_profile.setApproveMode(on);
    if (view)
        m_profile.update_dloption(view->vasaroPage());
}

void AutomationModule::closeTab(int pageIndex)
{
    // After the page's handling: closing waits for the page to go blank.
    // The tab may have been dragged to another place meanwhile.
    QTimer::singleShot(0, this, [this, pageIndex] { m_tabs.suljesivu(m_tabs.indexOfPage(pageIndex)); });
}

int AutomationModule::activeTabIndex() const
{
    return m_tabs.activeIndex();
}

void AutomationModule::openInNewTab(const QString &address)
{
    m_tabs.uuteenikkunaan(address);
}

void AutomationModule::restoreTab(int index)
{
    m_tabs.activate(index);
    if (TVasaroselain *view = m_tabs.browser(index))
        m_tabs.naytaosoite(view->locationUrl());
}

void AutomationModule::refreshClosingTime()
{
    m_panel->paivita_aukiolo(m_clock.kellonaika());
}

Document *AutomationModule::activeDocument()
{
    TVasaroselain *view = m_tabs.activeBrowser();
    return view ? &view->document() : nullptr;
}

QString AutomationModule::lookUpUserId(const QString &userName)
{
    return m_quick.kayttajanId(userName);
}

void AutomationModule::insert_into_description(const QString &snippet)
{
    m_templates.templates()->insert_into_description(snippet);
}

int AutomationModule::random(int bound)
{
    return int(QRandomGenerator::global()->bounded(bound));
}

// A right click over the listing's text editor on the new-listing or
// edit-listing form opens the program's editor menu, marked so that a
// snippet goes to the editor's caret, instead of the page's own menu.
bool AutomationModule::editorMenuClick(QObject *target, QEvent *event)
{
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (event->type() != QEvent::MouseButtonPress || mouse->button() != Qt::RightButton)
        return false;
    const QString address = m_shell.addressText().toLower();
    if (!UrlScheme::isNewListingForm(address) && !UrlScheme::isEditListingForm(address))
        return false;
    TVasaroselain *view = m_tabs.activeBrowser();
    auto *widget = qobject_cast<QWidget *>(target);
    if (!view || !widget || (widget != view && !view->isAncestorOf(widget)))
        return false;
    const QPoint global = mouse->globalPosition().toPoint();
    const int zoom = view->zoomPercent() < 1 ? 100 : view->zoomPercent();
    const QPoint at = ContextMenuPolicy::pagePoint(view->mapFromGlobal(global), zoom);
    const Element under = view->document().elementFromPoint(at.x(), at.y(), Document::OuterHtml);
    if (under.isNull() || !ContextMenuPolicy::isListingEditor(under.data().outerHTML))
        return false;
    m_templates.templates()->setEditorMenuMark(true);
    m_menus.showEditorMenu(global);
    return true;
}
