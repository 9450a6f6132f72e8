#include "browsershell.h"
#include "browser/engine/browserprofile.h"
#include "browser/policy/cookiebridge.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tabs/hungpagebar.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tools/pagetools.h"
#include "browser/tools/progresspanel.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "client/http.h"
#include <QBoxLayout>
#include <QDir>
#include <QWebEngineProfile>

BrowserShell::BrowserShell(const Parts &parts, QWidget *container)
    : m_parts(parts),
      m_profile(parts.profile ? parts.profile : new BrowserProfile(parts.settings, parts.endpoints, this)),
      m_firstBrowser(TabManager::prepareFirstBrowser(m_profile, parts.prompts, container))
{
    startFirstPage();
    m_toolbar = new NavigationBar(QDir(parts.dataFolder).filePath(QStringLiteral("TypedURLs.txt")), container);
    m_tabs = new TabManager(m_profile, parts.settings, parts.endpoints, parts.host, parts.prompts, m_toolbar,
                            container);
    m_pipeline = new PagePipeline(parts.host, parts.settings, parts.endpoints, parts.clock,
                                  &m_profile->hostPolicy(), this);
    m_toolbar->setObjectName(QStringLiteral("XiPanel9"));
    m_tabs->setPipeline(m_pipeline);
    m_tabs->setPreparedBrowser(m_firstBrowser, parts.firstPage);
    plugIn(PipelineFeatures());
    auto *box = qobject_cast<QBoxLayout *>(container->layout());
    if (!box) {
        box = new QVBoxLayout(container);
        box->setContentsMargins(0, 0, 0, 0);
    }
    m_hungBar = new HungPageBar(m_tabs, container);
    box->addWidget(m_toolbar);
    box->addWidget(m_hungBar);
    box->addWidget(m_tabs->pageControl(), 1);
    // Children go in the order they were added: the shell, and the profile it
    // owns, after the tabs' pages made with that profile.
    setParent(container);
}

// The session first: the program's own requests started by the first page
// find the saved login in their jar.
void BrowserShell::startFirstPage()
{
    if (m_parts.sharedHttp) {
        shareSessionWith(m_parts.sharedHttp);
        m_cookies->keepSavedCookies(m_profile->profile()->persistentStoragePath() + QStringLiteral("/keksit.txt"));
    }
    if (m_parts.firstPage.isValid())
        m_firstBrowser->vasaroPage()->Navigate(m_parts.firstPage);
}

BrowserShell::~BrowserShell() = default;

CookieBridge *BrowserShell::shareSessionWith(Http *http)
{
    http->setUserAgent(m_profile->userAgent());
    m_cookies = new CookieBridge(m_profile->profile()->cookieStore(), http->cookieJar(),
                                 m_parts.endpoints.domain(), this);
    return m_cookies;
}

PageTools *BrowserShell::buildPageTools(QWidget *mainWindow)
{
    m_progress = new ProgressPanel(mainWindow);
    m_pageTools = new PageTools(m_tabs, m_profile, m_parts.host, m_parts.prompts, m_progress, mainWindow,
                                QDir(m_parts.dataFolder).filePath(QStringLiteral("Suosikit")), this);
    return m_pageTools;
}

void BrowserShell::plugIn(const PipelineFeatures &features)
{
    PipelineFeatures all = features;
    all.captions = m_tabs;
    m_pipeline->features() = all;
    TabFeatures &tab = m_tabs->features();
    tab.resultPageTools = features.resultPageTools;
    tab.signIn = features.signIn;
    tab.listingAutomation = features.listingAutomation;
}
