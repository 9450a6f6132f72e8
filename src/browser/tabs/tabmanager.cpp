#include "browser/tabs/tabmanager.h"
#include "browser/engine/browserprofile.h"
#include "browser/policy/contextmenus.h"
#include "browser/engine/document.h"
#include "browser/features/listingautomationfeature.h"
#include "browser/features/resultpagetoolsfeature.h"
#include "browser/features/signinfeature.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tabs/tabrules.h"
#include "client/urlscheme.h"
#include "browser/tabs/tabstrip.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tools/zoomrule.h"
#include "browser/shellhost.h"
#include "core/settings.h"
#include "browser/tabs/addressbox.h"
#include <QDataStream>
#include <QIODevice>
#include <QMenu>
#include <QTimer>
#include <QWebEngineHistory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {
const QString kOpeningCaption = QStringLiteral("Avataan..");
const QString kNewTab = QStringLiteral("Uusi välilehti");
const QUrl kBlank(QStringLiteral("about:blank"));
constexpr int kCloseWaitMs = 3000;
constexpr int kShutdownWaitMs = 2000;
constexpr int kTrimDelayMs = 2000;

// Holds the "program is switching tabs" mark for a scope.
struct Switching {
    explicit Switching(int &n) : count(n) { ++count; }
    ~Switching() { --count; }
    int &count;
};
}

TabManager::TabManager(BrowserProfile *profile, Settings *settings, const Endpoints &endpoints, ShellHost *shell,
                       Prompts *prompts, NavigationBar *bar, QWidget *parentWidget)
    : QObject(parentWidget),
      m_profile(profile),
      m_settings(settings),
      m_endpoints(endpoints),
      m_shell(shell),
      m_prompts(prompts),
      m_bar(bar),
      m_pages(new PageControl(parentWidget)),
      m_historyMenu(new QMenu(m_pages)),
      m_menus(new ContextMenus(shell, m_pages))
{
    m_historyMenu->setObjectName(QStringLiteral("Historia"));
    m_historyMenu->setToolTipsVisible(true);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int) {
        if (m_switching == 0)
            vaihto();
    });
    // A middle click and the tab menu's "Sulje" close the tab under the
    // mouse: the active one may be another page the user still wants.
    connect(m_pages->strip(), &TabStrip::middleClicked, this, &TabManager::suljesivu);
    connect(m_pages->strip(), &TabStrip::closeRequested, this, &TabManager::suljesivu);
    connect(m_pages->strip(), &TabStrip::newTabRequested, this, &TabManager::MenuItem2Click);
    m_pages->strip()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_pages->strip(), &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        m_menuTab = m_pages->strip()->tabAt(pos);
        m_menus->showForTabStrip(m_pages->strip()->mapToGlobal(pos));
    });
    connect(m_menus->pageItem(ContextMenus::PageItem::Close), &QAction::triggered, this, &TabManager::closeFromTabMenu);
    // "Kopioi", "Leikkaa", "Liitä": the page's edit command of the same number.
    for (int item : {5, 6, 7}) {
        connect(m_menus->pageItem(item), &QAction::triggered, this, [this, item] {
            if (TVasaroselain *view = activeBrowser())
                view->vasaroPage()->Copycutpaste(item);
        });
    }
    connect(m_menus->linkItem(ContextMenus::LinkItem::OpenInNewTab), &QAction::triggered, this,
            &TabManager::Avaauuteenikkunaan1Click);
    if (bar) {
        connect(bar, &NavigationBar::backClicked, this, &TabManager::Selain_taakseClick);
        connect(bar, &NavigationBar::forwardClicked, this, &TabManager::Selain_eteenClick);
        connect(bar, &NavigationBar::refreshClicked, this, &TabManager::Selain_refreshClick);
        connect(bar, &NavigationBar::stopClicked, this, &TabManager::Selain_stopClick);
        connect(bar, &NavigationBar::homeClicked, this, &TabManager::Selain_kotiinClick);
        connect(bar, &NavigationBar::bookmarksClicked, this, &TabManager::Selain_kirjanmerkitClick);
        connect(bar, &NavigationBar::historyMenuRequested, this, &TabManager::Selain_eteenMouseDown);
        connect(bar, &NavigationBar::navigateRequested, this, &TabManager::aktiivisivu_navigate);
    }
}

TabManager::~TabManager() = default;

QString TabManager::linkAddress() const
{
    return m_menus->linkAddress();
}

void TabManager::setLinkAddress(const QString &address)
{
    m_menus->setLinkAddress(address);
}

void TabManager::setPipeline(PagePipeline *pipeline)
{
    m_pipeline = pipeline;
    for (int i = 0; i < count(); ++i)
        browser(i)->vasaroPage()->setPipeline(pipeline, browser(i));
}

int TabManager::count() const
{
    return m_pages->count();
}

TVasaroselain *TabManager::browser(int index) const
{
    return qobject_cast<TVasaroselain *>(m_pages->widget(index));
}

int TabManager::indexOfPage(int pageIndex) const
{
    for (int i = 0; i < count(); ++i) {
        if (browser(i)->pageIndex() == pageIndex)
            return i;
    }
    return -1;
}

TVasaroselain *TabManager::activeBrowser() const
{
    return qobject_cast<TVasaroselain *>(m_pages->currentWidget());
}

int TabManager::activeIndex() const
{
    return m_pages->currentIndex();
}

bool TabManager::isTabShown(int index) const
{
    return index >= 0 && index < count() && m_pages->isTabVisible(index);
}

QString TabManager::caption(int index) const
{
    return m_pages->tabText(index);
}

void TabManager::activate(int index)
{
    if (index < 0 || index >= count())
        return;
    Switching mark(m_switching);
    m_pages->setCurrentIndex(index);
}

// ---- creating, opening, closing ---------------------------------------------

TVasaroselain *TabManager::prepareFirstBrowser(BrowserProfile *profile, Prompts *prompts, QWidget *parent)
{
    auto *view = new TVasaroselain(profile, prompts, 0, parent);
    view->hide();
    // Any action makes the engine set up the page and start its renderer for
    // the empty document; the first address then loads in that process.
    view->page()->triggerAction(QWebEnginePage::Stop);
    return view;
}

void TabManager::setPreparedBrowser(TVasaroselain *view, const QUrl &requested)
{
    m_prepared = view;
    if (!view || !requested.isValid())
        return;
    // The engine reports the load from the event loop, which has not run
    // since the request: the watch sees it from its start.
    m_preparedAddress = requested;
    m_preparedWatch = connect(view->vasaroPage(), &QWebEnginePage::loadStarted, this,
                              [this] { m_preparedStarted = true; });
}

// The prepared browser for the first tab: its download options follow the
// settings as they are now. True when the load started ahead of the tab
// can stay.
bool TabManager::takePrepared(TVasaroselain *view, bool first)
{
    m_prepared = nullptr;
    disconnect(m_preparedWatch);
    const int options = view->vasaroPage()->downloadOptions().flags;
    m_profile->update_dloption(view->vasaroPage());
    return first && m_preparedAddress.isValid() && !m_preparedStarted
        && m_preparedAddress == QUrl::fromUserInput(m_settings->kotisivu)
        && options == view->vasaroPage()->downloadOptions().flags;
}

TVasaroselain *TabManager::CreateNewTabBrowser(bool first)
{
    const int index = count();
    TVasaroselain *view = index == 0 ? m_prepared.data() : nullptr;
    bool loading = false;
    if (view)
        loading = takePrepared(view, first);
    else
        view = new TVasaroselain(m_profile, m_prompts, index);
    connectBrowser(view);
    // The engine answers the navigation from the event loop, after the tab is
    // in place and active; starting it first lets the page load while the
    // widgets are laid out.
    if (first && !loading)
        view->vasaroPage()->Navigate(QUrl::fromUserInput(m_settings->kotisivu));
    {
        Switching mark(m_switching);
        m_pages->addTab(view, kOpeningCaption);
    }
    activate(index);
    emit tabCreated(index);
    return view;
}

void TabManager::connectBrowser(TVasaroselain *view)
{
    VasaroPage *page = view->vasaroPage();
    view->setActiveTest([this, view] { return activeBrowser() == view; });
    view->setContextMenuHandler([this](TVasaroselain *v, const QWebEngineContextMenuRequest &request,
                                       const QPoint &at) { return m_menus->showFor(v, request, at); });
    page->setWindowFactory([this](QWebEnginePage::WebWindowType type) { return WBNewWindow2(type); });
    connect(page, &QWebEnginePage::windowCloseRequested, this, &TabManager::WBWindowClosing);
    // Captions follow every completed page, also when no pipeline is wired.
    connect(page, &VasaroPage::documentComplete, this, &TabManager::updateCaptions);
    connect(page, &VasaroPage::certificateRefused, this, [this](const QUrl &url) {
        m_shell->setStatusText(QStringLiteral("Sivua ei avattu: palvelimen %1 varmenne ei kelpaa.").arg(url.host()));
    });
    if (m_pipeline)
        page->setPipeline(m_pipeline, view);
}

void TabManager::revealTab(int index, bool settle)
{
    wakeTab(index, settle);
    m_pages->setTabText(index, kOpeningCaption);
    {
        Switching mark(m_switching);
        m_pages->setTabVisible(index, true);
    }
    activate(index);
}

void TabManager::uuteenikkunaan(const QString &url)
{
    for (int i = 1; i < count(); ++i) {
        if (!isTabShown(i) && browser(i)->vasaroPage()->ReadyState() == 4) {
            revealTab(i, true);
            browser(i)->vasaroPage()->Navigate(QUrl::fromUserInput(url));
            return;
        }
    }
    CreateNewTabBrowser(false);
    browser(count() - 1)->vasaroPage()->Navigate(QUrl::fromUserInput(url));
}

int TabManager::nearestShownLeftOf(int index) const
{
    for (int i = index - 1; i > 0; --i) {
        if (isTabShown(i))
            return i;
    }
    return 0;
}

void TabManager::suljesivu(int index)
{
    // The first tab stays for the whole run.
    if (index <= 0 || index >= count())
        return;
    bool changed = false;
    if (index == activeIndex()) {
        activate(nearestShownLeftOf(index));
        changed = true;
    }
    rememberClosed(index);
    TVasaroselain *view = browser(index);
    VasaroPage *page = view->vasaroPage();
    page->Stop();
    page->Navigate(kBlank, true);
    page->browser_wait(kCloseWaitMs);
    view->tabState().approval.clear();
    if (page->document().isHtml())
        page->history()->clear();
    {
        Switching mark(m_switching);
        m_pages->setTabVisible(index, false);
    }
    discardTab(index);
    if (changed)
        vaihto();
}

// A closed tab keeps its view, index and state but lets the engine end its
// renderer process; the page comes back on reuse. The engine refuses to
// discard a page still on screen or still loading.
void TabManager::discardTab(int index)
{
    TVasaroselain *view = browser(index);
    QWebEnginePage *page = view->page();
    if (view->isVisible() || view->vasaroPage()->Busy()
        || page->lifecycleState() == QWebEnginePage::LifecycleState::Discarded)
        return;
    page->setLifecycleState(QWebEnginePage::LifecycleState::Discarded);
    // The engine frees the page's parts in the next moments; the C library
    // keeps freed memory for itself unless asked to give it back.
#ifdef __GLIBC__
    QTimer::singleShot(kTrimDelayMs, this, [] { malloc_trim(0); });
#endif
}

// Brings a closed tab's page back. A page opened from the program lets the
// engine's reload of the blank page end first; a new window's page is
// replaced by the engine and need not wait.
void TabManager::wakeTab(int index, bool settle)
{
    TVasaroselain *view = browser(index);
    QWebEnginePage *page = view->page();
    if (page->lifecycleState() == QWebEnginePage::LifecycleState::Active)
        return;
    if (settle)
        view->vasaroPage()->wakeUp();
    else
        page->setLifecycleState(QWebEnginePage::LifecycleState::Active);
    view->setZoomFactor(ZoomRule::engineFactor(view->zoomPercent()));
}

void TabManager::closeFromTabMenu()
{
    const int index = m_menuTab >= 0 ? m_menuTab : activeIndex();
    m_menuTab = -1;
    suljesivu(index);
}

void TabManager::rememberClosed(int index)
{
    QWebEnginePage *page = browser(index)->page();
    if (page->url().isEmpty() || page->url() == kBlank)
        return;
    ClosedTab closed;
    closed.url = page->url();
    QDataStream out(&closed.history, QIODevice::WriteOnly);
    out << *page->history();
    m_closed << closed;
    while (m_closed.size() > kClosedTabsKept)
        m_closed.removeFirst();
}

void TabManager::reopenClosedTab()
{
    if (m_closed.isEmpty())
        return;
    const ClosedTab closed = m_closed.takeLast();
    int index = -1;
    for (int i = 1; i < count() && index < 0; ++i) {
        if (!isTabShown(i) && browser(i)->vasaroPage()->ReadyState() == 4)
            index = i;
    }
    if (index > 0)
        revealTab(index, true);
    else
        CreateNewTabBrowser(false);
    VasaroPage *page = activeBrowser()->vasaroPage();
    QDataStream in(closed.history);
    in >> *page->history();
    // The stream loads the entry that was current; without it, the address.
    if (in.status() != QDataStream::Ok || page->history()->count() == 0)
        page->Navigate(closed.url);
    naytaosoite(closed.url.toString());
}

void TabManager::Suljepois()
{
    const int index = activeIndex();
    if (index > 0)
        suljesivu(index);
}

void TabManager::vaihto()
{
    TVasaroselain *view = activeBrowser();
    if (!view)
        return;
    if (m_features.resultPageTools && m_features.resultPageTools->previewVisible())
        m_features.resultPageTools->closePreview();
    const QString address = view->locationUrl();
    naytaosoite(address);
    if (TabRules::isBlank(address)) {
        if (m_bar)
            m_bar->addressBox()->setFocus(Qt::OtherFocusReason);
    } else if (view->document().isHtml()) {
        view->focusBrowser();
    }
    PageState state;
    state.moment = PageState::Moment::TabChanged;
    state.address = address;
    state.kind = PageState::kindOf(address);
    state.signedIn = m_features.signIn && m_features.signIn->capturedSignIn();
    m_shell->pageChanged(state);
    const bool listingForm = state.kind == PageState::Kind::NewListingForm;
    ListingAutomationFeature *listing = m_features.listingAutomation;
    if (listingForm && listing) {
        listing->vakiopohjat();
        // A tab change applies the closing time whether or not it is in reach.
        if (listing->automaticOpening())
            listing->saika(*view);
    }
}

// ---- new windows -------------------------------------------------------------

QWebEnginePage *TabManager::WBNewWindow2(QWebEnginePage::WebWindowType type)
{
    Q_UNUSED(type)
    if (m_pipeline && m_pipeline->takeOpenInOwnWindow())
        return ownWindow();
    const int previous = activeIndex();
    int index = -1;
    for (int i = 1; i < count(); ++i) {
        if (!isTabShown(i)) {
            index = i;
            break;
        }
    }
    TVasaroselain *view = nullptr;
    if (index > 0) {
        revealTab(index, false);
        view = browser(index);
    } else {
        view = CreateNewTabBrowser(false);
    }
    if (!m_settings->siirry)
        restoreTab(previous);
    return view->vasaroPage();
}

QWebEnginePage *TabManager::ownWindow()
{
    // A browser window of its own, outside the tabs.
    auto *view = new TVasaroselain(m_profile, m_prompts, -1);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->resize(800, 600);
    view->vasaroPage()->setWindowFactory([this](QWebEnginePage::WebWindowType t) { return WBNewWindow2(t); });
    connect(view->vasaroPage(), &QWebEnginePage::windowCloseRequested, view, &QWidget::close);
    view->show();
    return view->vasaroPage();
}

void TabManager::WBWindowClosing()
{
    // Refused: the request is left unanswered and the tab stays.
}

void TabManager::restoreTab(int previous)
{
    activate(previous);
    if (TVasaroselain *view = browser(previous))
        naytaosoite(view->locationUrl());
}

// A new blank tab waits for an address: the box is empty and has the
// focus, and the tab is captioned as new rather than as loading.
void TabManager::MenuItem2Click()
{
    const int previous = activeIndex();
    uuteenikkunaan(QStringLiteral("about:blank"));
    m_pages->setTabText(activeIndex(), kNewTab);
    if (!m_settings->siirry) {
        restoreTab(previous);
        return;
    }
    m_shell->setAddressText(QString());
    if (m_bar)
        m_bar->addressBox()->setFocus(Qt::ShortcutFocusReason);
}

void TabManager::Avaauuteenikkunaan1Click()
{
    const QString address = m_menus->takeLinkAddress();
    const int previous = activeIndex();
    uuteenikkunaan(address);
    if (!m_settings->siirry)
        restoreTab(previous);
}

// ---- the active tab -------------------------------------------------------------

void TabManager::aktiivisivu_navigate(const QString &url)
{
    TVasaroselain *view = activeBrowser();
    if (!view || url.trimmed().isEmpty())
        return;
    view->vasaroPage()->Navigate(QUrl::fromUserInput(url.trimmed()));
}

QString TabManager::aktiivisivu_locationurl() const
{
    TVasaroselain *view = activeBrowser();
    return view ? view->locationUrl() : QString();
}

QString TabManager::aktiivisivu_locationname() const
{
    TVasaroselain *view = activeBrowser();
    return view ? view->vasaroPage()->LocationName() : QString();
}

void TabManager::naytaosoite(const QString &url)
{
    if (TabRules::isBlank(url))
        m_shell->setAddressText(QString());   // a blank tab waits for an address
    else if (TabRules::addressBoxAccepts(url))
        m_shell->setAddressText(url);
}

void TabManager::updateCaptions()
{
    for (int i = 0; i < count(); ++i) {
        if (!isTabShown(i))
            continue;
        VasaroPage *page = browser(i)->vasaroPage();
        // A tab kept from the last run waits, unloaded, until it is shown:
        // it keeps the caption it was given.
        if (page->url().isEmpty())
            continue;
        const QString caption = TabRules::isBlank(page->LocationURL()) ? kNewTab
                                                                      : TabRules::captionFor(page->LocationName());
        if (m_pages->tabText(i) != caption)
            m_pages->setTabText(i, caption);
    }
}

// ---- toolbar ------------------------------------------------------------------------

void TabManager::Selain_taakseClick()
{
    if (TVasaroselain *view = activeBrowser())
        view->vasaroPage()->GoBack();   // without history nothing happens
}

void TabManager::Selain_eteenClick()
{
    if (TVasaroselain *view = activeBrowser())
        view->vasaroPage()->GoForward();
}

void TabManager::Selain_stopClick()
{
    if (TVasaroselain *view = activeBrowser())
        view->vasaroPage()->Stop();
}

void TabManager::Selain_refreshClick()
{
    const QString text = m_shell->addressText();
    if (TabRules::refreshNavigatesAgain(text, m_endpoints.domain())) {
        aktiivisivu_navigate(text);
        return;
    }
    if (TVasaroselain *view = activeBrowser())
        view->vasaroPage()->Refresh();
}

void TabManager::Selain_kotiinClick()
{
    aktiivisivu_navigate(m_endpoints.webBase());
}

void TabManager::Selain_kirjanmerkitClick()
{
    aktiivisivu_navigate(UrlScheme(m_endpoints).muistilista());
}

void TabManager::Selain_eteenMouseDown(bool forward, const QPoint &at)
{
    TVasaroselain *view = activeBrowser();
    if (!view || !view->document().isHtml())
        return;
    m_historyMenu->clear();
    const QList<QWebEngineHistoryItem> items = view->travelLog(forward, kHistoryMenuItems);
    for (int i = 0; i < items.size(); ++i) {
        const QWebEngineHistoryItem &item = items.at(i);
        if (!item.isValid() || !item.url().isValid())
            continue;
        TravelLog1Entry(item.title(), item.url().toString(), i + 1, forward);
    }
    if (!m_historyMenu->isEmpty())
        m_historyMenu->popup(at);
}

void TabManager::TravelLog1Entry(const QString &title, const QString &url, int steps, bool forward)
{
    QAction *a = m_historyMenu->addAction(title.isEmpty() ? url : title);
    a->setToolTip(url);
    a->setStatusTip(url);
    connect(a, &QAction::triggered, this, [this, steps, forward] {
        if (TVasaroselain *view = activeBrowser())
            view->travel(forward, steps);
    });
}

void TabManager::suljeKaikkiSivut()
{
    for (int i = count() - 1; i >= 0; --i) {
        if (!isTabShown(i))
            continue;
        VasaroPage *page = browser(i)->vasaroPage();
        page->Navigate(kBlank);
        page->browser_wait2(kShutdownWaitMs);
    }
}
