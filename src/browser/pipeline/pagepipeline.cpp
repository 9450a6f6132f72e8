#include "browser/pipeline/pagepipeline.h"
#include "browser/engine/document.h"
#include "browser/tabs/tabrules.h"
#include "browser/features/listingautomationfeature.h"
#include "browser/features/resultpagetoolsfeature.h"
#include "browser/features/searchformfeature.h"
#include "browser/features/sellerfilterfeature.h"
#include "browser/features/signinfeature.h"
#include "browser/features/tabcaptions.h"
#include "browser/features/updatecheckfeature.h"
#include "browser/features/watchlistfeature.h"
#include "browser/policy/hostpolicy.h"
#include "browser/pipeline/pipelinetab.h"
#include "browser/engine/scriptsource.h"
#include "browser/shellhost.h"
#include "browser/pipeline/vasaroaika.h"
#include "client/urlscheme.h"
#include "core/programclock.h"
#include "core/settings.h"
#include <QPointer>
#include <QTimer>

namespace {
// Advertisement-frame markers: the news publisher's static-content host, the
// advertisement network and the replacement page.
const char *const kAdFrameMarkers[] = {"static.ilcdn.fi", ".admeta", "about:-"};

bool contains(const QString &text, const char *part)
{
    return text.contains(QLatin1String(part));
}
}

PagePipeline::PagePipeline(ShellHost *shell, Settings *settings, Endpoints endpoints, ProgramClock *clock,
                           const HostPolicy *policy, QObject *parent)
    : QObject(parent),
      m_shell(shell),
      m_settings(settings),
      m_endpoints(std::move(endpoints)),
      m_clock(clock),
      m_policy(policy),
      m_urls(m_endpoints),
      m_domain(m_endpoints.domain().toLower())
{
}

bool PagePipeline::isAdvertisementFrame(const QString &url) const
{
    const QString u = url.toLower();
    for (const char *marker : kAdFrameMarkers)
        if (contains(u, marker))
            return true;
    // The platform rewrote replaced addresses to "about:-" before the frame's
    // navigation event; here the event carries the original address.
    return m_policy && m_policy->replaces(url);
}

bool PagePipeline::takeOpenInOwnWindow()
{
    const bool was = m_openInOwnWindow;
    m_openInOwnWindow = false;
    return was;
}

// ---- BeforeNavigate2 -------------------------------------------------------

void PagePipeline::later(const std::function<void()> &work)
{
    // The engine's navigation callback must return before any feature may run
    // a script or wait (an answer started there never arrives). A timer, not
    // a queued call: see VasaroPage::afterEngineCallback.
    QTimer::singleShot(1, this, work);
}

void PagePipeline::WBBeforeNavigate2(PipelineTab &tab, NavigationArgs &args)
{
    const QString url = args.url.toString().toLower();
    const bool marketplace = m_urls.isMarketplace(url);

    // 1. The marketplace's advanced search opens the program's search form.
    if (UrlScheme::isAdvancedSearch(url) && marketplace) {
        args.cancel = true;
        later([this] {
            if (m_features.searchForm)
                m_features.searchForm->HakuClick();
        });
        return;
    }
    // 2.
    if (marketplace)
        tab.tabState().processedEarly = false;
    // 3. Sign-in capture: only a form of a marketplace page posted in the
    // main frame to the marketplace's sign-in address. Any other site could
    // otherwise sign the program in as someone else, or hand its own users'
    // passwords to the marketplace's API.
    if (m_shell->signedInUser().isEmpty() && args.mainFrame && args.kind == NavigationArgs::FormSubmitted
        && UrlScheme::isSignInTarget(args.url, m_domain)
        && UrlScheme::isMarketplaceHost(QUrl(tab.locationUrl()), m_domain)
        && !args.headers.isEmpty() && !args.postData.isEmpty()
        && m_features.signIn && m_features.signIn->captureSignIn(args.postData))
        m_watchListPending = true;
    // 4. Sign-out.
    if (UrlScheme::isLogout(url) && UrlScheme::mentionsMarketplace(url) && m_features.signIn)
        later([this] {
            if (m_features.signIn)
                m_features.signIn->signOut();
        });
    // 5. The preview belongs to the page the active tab leaves.
    if (tab.isActiveTab() && m_features.resultPageTools && m_features.resultPageTools->previewVisible())
        later([this] {
            if (m_features.resultPageTools)
                m_features.resultPageTools->closePreview();
        });
    // 6. Early processing on the first advertisement-frame navigation.
    if (isAdvertisementFrame(url) && earlyConditionsHold(tab)) {
        scheduleEarly(tab);
        return;
    }
    // 7, 8. Legacy quick-search links of the marketplace become the
    // program's own commands (other sites cannot open its dialogs).
    const QString legacyCommand = UrlScheme::legacyQuickSearchCommand(args.url, m_domain);
    if (!legacyCommand.isEmpty()) {
        args.cancel = true;
        m_shell->queueCommand(legacyCommand);
        return;
    }
    // 9.
    if (url.contains(QLatin1String("javascript:")) && url.contains(QLatin1String("newwindow"))) {
        m_openInOwnWindow = true;
        return;
    }
    // 10. A top-level navigation of the active tab.
    if (tab.isActiveTab() && args.mainFrame) {
        addressBoxUpdate(args.url.toString());
        PageState leaving;
        leaving.moment = PageState::Moment::Leaving;
        leaving.address = args.url.toString();
        leaving.kind = PageState::kindOf(leaving.address.toLower());
        m_shell->pageChanged(leaving);
    }
}

bool PagePipeline::earlyConditionsHold(PipelineTab &tab) const
{
    const QString address = tab.locationUrl().toLower();
    const TabState &state = tab.tabState();
    return !UrlScheme::isRelistStep12(address) && state.approval != QLatin1String("Hyvaksy")
        && !state.processedEarly;
}

void PagePipeline::scheduleEarly(PipelineTab &tab)
{
    // Scripts cannot run inside the engine's navigation callback: run right
    // after it returns (on a timer, see later()), unless the document
    // completes first.
    PipelineTab *target = &tab;
    const quint64 generation = m_generation.value(target);
    QTimer::singleShot(1, this, [this, target, generation] {
        if (!m_generation.contains(target) && generation != 0)
            return;
        if (m_generation.value(target) != generation || !earlyConditionsHold(*target))
            return;
        runEarly(*target);
    });
}

void PagePipeline::domContentLoaded(PipelineTab &tab, const QStringList &frameSources)
{
    for (const QString &source : frameSources) {
        if (isAdvertisementFrame(source)) {
            if (earlyConditionsHold(tab) && m_urls.isMarketplace(tab.locationUrl()))
                runEarly(tab);
            return;
        }
    }
}

void PagePipeline::runEarly(PipelineTab &tab)
{
    // The steps wait for the page, so the page's completion may arrive in
    // between: it is handled once the early steps are through. So may the
    // next advertisement frame: the steps already under way cover it.
    if (m_earlyRunning.contains(&tab))
        return;
    m_earlyRunning.insert(&tab);
    runEarlySteps(tab);
    m_earlyRunning.remove(&tab);
    if (m_completeAfterEarly.remove(&tab))
        WBDocumentComplete(tab, QUrl(tab.locationUrl()));
}

void PagePipeline::runEarlySteps(PipelineTab &tab)
{
    TabState &state = tab.tabState();
    const QString address = tab.locationUrl().toLower();
    const bool listing = UrlScheme::isListingPage(address);
    // 6.1 - 6.2
    if (listing) {
        state.filteredEarly = true;
        if (m_features.sellerFilter)
            m_features.sellerFilter->WBsuodata(tab);
    }
    state.processedEarly = true;
    // 6.3 - 6.5
    if (m_settings->xpalkki)
        hideHorizontalScroll(tab.document());
    ResultPageToolsFeature *tools = m_features.resultPageTools;
    if (UrlScheme::isForumThread(address) && tools)
        tools->keskustelupalsta(tab);
    if (listing && (m_settings->pienet_kuvat || !m_settings->naytakuvat))
        state.categoryEditedEarly = tools && tools->osastolistanmuokkaus(tab);
}

void PagePipeline::hideHorizontalScroll(Document &document)
{
    const Element body = document.body();
    if (!body.isNull())
        body.setStyle(QStringLiteral("overflowX"), QStringLiteral("hidden"));
}

// ---- DocumentComplete ------------------------------------------------------

void PagePipeline::WBDocumentComplete(PipelineTab &tab, const QUrl &)
{
    if (m_earlyRunning.contains(&tab)) {
        m_completeAfterEarly.insert(&tab);
        return;
    }
    // Early work scheduled for the page that has now completed is dropped.
    // The steps below may wait for the page or the network; a page that
    // completes in the tab meanwhile makes this pass stale, and a stale pass
    // must not set the controls for the page the tab has already left.
    const quint64 generation = ++m_generation[&tab];
    const auto stale = [this, &tab, generation] { return m_generation.value(&tab) != generation; };
    // A load frees much of what it allocated: handed back once things are quiet.
    m_heapTrim.workDone();

    // 1.
    TabState &state = tab.tabState();
    const bool filteredEarly = state.filteredEarly;
    const bool processedEarly = state.processedEarly;
    const bool categoryEditedEarly = state.categoryEditedEarly;
    state.filteredEarly = state.processedEarly = state.categoryEditedEarly = false;

    // 2. Watch-list check after a sign-in.
    if (m_watchListPending) {
        m_watchListPending = false;
        if (m_settings->Timer2 && m_features.watchList)
            m_features.watchList->ladataanmuistilista();
    }
    // 3.
    if (m_features.captions)
        m_features.captions->updateCaptions();
    const QString address = tab.locationUrl().toLower();
    const bool active = tab.isActiveTab();

    // 4. Pages outside the marketplace.
    if (!m_urls.isMarketplace(address)) {
        if (active) {
            m_shell->pageChanged(completed(address, PageState::Kind::Outside, true));
            addressBoxUpdate(tab.locationUrl());
            if (!TabRules::isBlank(tab.locationUrl()))
                tab.focusBrowser();
        }
        return;
    }
    Document &document = tab.document();
    // 5. Approval step of the listing automation.
    ListingAutomationFeature *listing = m_features.listingAutomation;
    const bool stop = listing && listing->approve_step(tab, address);
    if (stop || UrlScheme::isRelistForm(address) || stale())
        return;
    // 6.
    if (active && (UrlScheme::isNewListingForm(address) || UrlScheme::isEditListingForm(address)))
        listingPageTweaks(document);
    // 7.
    if (UrlScheme::isWatchList(address) && m_settings->Timer2 && m_features.watchList)
        m_features.watchList->katsotaanmuistilista(document.body(Document::OuterHtml).data().outerHTML);
    // 8. Marketplace time from the user's own pages.
    if (UrlScheme::isOwnPage(address) && m_settings->vasaroaika && m_clock) {
        bool found = false;
        const QDateTime time = VasaroAika::vasaroaikasivulta(document, *m_clock, &found);
        if (found)
            m_clock->setFromMarketplace(time);
    }
    // 9.
    ResultPageToolsFeature *tools = m_features.resultPageTools;
    if (!processedEarly) {
        if (UrlScheme::isForumThread(address) && tools)
            tools->keskustelupalsta(tab);
        if (m_settings->xpalkki)
            hideHorizontalScroll(document);
    }
    // 10.
    updateCheck();
    if (stale())
        return;
    // 11.
    if (UrlScheme::isListingPage(address)) {
        if (!categoryEditedEarly && (m_settings->pienet_kuvat || !m_settings->naytakuvat) && tools)
            tools->osastolistanmuokkaus(tab);
        if (!filteredEarly && m_features.sellerFilter)
            m_features.sellerFilter->WBsuodata(tab);
    }
    if (stale())
        return;
    // 12.
    if (active)
        activeTabControls(tab, address);
    // 13. The modules' controls follow the page.
    m_shell->pageChanged(completed(address, PageState::kindOf(address), active));
}

PageState PagePipeline::completed(const QString &address, PageState::Kind kind, bool active) const
{
    PageState state;
    state.moment = PageState::Moment::Completed;
    state.kind = kind;
    state.address = address;
    state.activeTab = active;
    state.signedIn = m_features.signIn && m_features.signIn->capturedSignIn();
    state.nextItems = nextItemCount();
    return state;
}

void PagePipeline::listingPageTweaks(Document &document)
{
    if (!document.getElementById(QStringLiteral("quantity")).isNull())
        document.execScript(ScriptSource::load(QStringLiteral("listingtweaks.js")));
    const Element other = document.getElementById(QStringLiteral("deliveryother"));
    if (!other.isNull())
        other.setAttribute(QStringLiteral("rows"), QStringLiteral("7"));
}

void PagePipeline::updateCheck()
{
    if (!m_settings->paivitysCurrent.isEmpty() || !m_clock)
        return;
    m_settings->paivitysCurrent = QString::number(m_clock->kellonaika().date().day());
    // The check asks over the network and may ask the user: it runs once
    // this page's own steps are done.
    if (m_settings->paivitysCurrent != m_settings->paivitysStored && m_features.updateCheck)
        QTimer::singleShot(0, this, [this] {
            if (m_features.updateCheck)
                m_features.updateCheck->Paivita1Click();
        });
}

void PagePipeline::activeTabControls(PipelineTab &tab, const QString &address)
{
    // 12.1 New-listing form (its panels show once the page is told).
    ListingAutomationFeature *listing = m_features.listingAutomation;
    if (UrlScheme::isNewListingFormShown(address) && listing) {
        listing->vakiopohjat();
        if (listing->openingButtonEnabled() && listing->automaticOpening() && tab.document().isHtml())
            listing->saika(tab);
    }
    // 12.2
    ResultPageToolsFeature *tools = m_features.resultPageTools;
    if (UrlScheme::isListingPage(address) && tools)
        tools->linkit(tab);
    // 12.3 - 12.4 (the favourite and e-mail buttons follow the page at 13)
    if (UrlScheme::isItemPage(address) && nextItemCount() > 1)
        tools->selectNextItem(address);
    // 12.5 A blank tab keeps the focus in the empty box it was opened with.
    if (TabRules::isBlank(tab.locationUrl()))
        return;
    addressBoxUpdate(tab.locationUrl());
    tab.focusBrowser();
}

int PagePipeline::nextItemCount() const
{
    return m_features.resultPageTools ? m_features.resultPageTools->nextItemCount() : 0;
}

// The box shows the page's own address: paths and queries are case
// sensitive, and refresh navigates to the box's text again.
void PagePipeline::addressBoxUpdate(const QString &url)
{
    // A blank tab keeps the empty box the user types the address into.
    if (TabRules::isBlank(url))
        return;
    if (!url.toLower().startsWith(QLatin1String("javascript")))
        m_shell->setAddressText(url);
}

// ---- StatusTextChange and the navigation bar -------------------------------

void PagePipeline::WBStatusTextChange(PipelineTab &tab, const QString &text)
{
    if (!tab.isActiveTab())
        return;
    // Leaving a link takes back only the link it showed: a notice put up
    // meanwhile (a refused page, a finished download) stays to be read. The
    // engine also reports "no link" when a page (an error page) replaces
    // the one under the mouse.
    if (text.isEmpty()) {
        if (m_shell->statusText() == m_hoveredText)
            m_shell->setStatusText(QString());
        m_hoveredText.clear();
        return;
    }
    const QString lower = text.toLower();
    const bool shortcut = (lower.startsWith(QLatin1String("shortcut")) && UrlScheme::isItemPage(lower))
        || lower.startsWith(QLatin1String("pikakuvake"));
    if (!shortcut) {
        showHovered(text);
        return;
    }
    const QString item = UrlScheme::fromItemWord(text);
    if (!item.isEmpty())
        showHovered(m_urls.web(item.chopped(1)));
}

void PagePipeline::showHovered(const QString &text)
{
    m_hoveredText = text;
    m_shell->setStatusText(text);
}

void PagePipeline::navigationBarTask(Document *activeDocument)
{
    if (!activeDocument)
        return;
    const QString address = m_shell->addressText();
    const bool run = m_settings->piilotapalkki ? m_urls.isMarketplace(address) : UrlScheme::isListingPage(address);
    if (!run)
        return;
    const int top = activeDocument->scrollTop();
    if (top > 0) {
        const Element bar = activeDocument->getElementById(QStringLiteral("navigation"));
        if (!bar.isNull() && bar.style(QStringLiteral("display")) != QLatin1String("none")) {
            bar.setStyle(QStringLiteral("display"), QStringLiteral("none"));
            m_navBarHidden = true;
        }
    } else if (top == 0 && m_navBarHidden) {
        const Element bar = activeDocument->getElementById(QStringLiteral("navigation"));
        if (!bar.isNull() && bar.style(QStringLiteral("display")) == QLatin1String("none")) {
            bar.setStyle(QStringLiteral("display"), QString());
            m_navBarHidden = false;
        }
    }
}
