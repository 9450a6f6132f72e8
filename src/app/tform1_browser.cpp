// The main window's browser: profile, tabs, navigation bar, page pipeline and
// page tools, and the menu items that reach them.
#include "tform1.h"
#include "apisignin.h"
#include "mainmenu.h"
#include "browser/browserprofile.h"
#include "browser/cookiebridge.h"
#include "browser/favoritesmenu.h"
#include "browser/navigationbar.h"
#include "browser/pagecontrol.h"
#include "browser/pagepipeline.h"
#include "browser/pagetools.h"
#include "browser/progresspanel.h"
#include "browser/tabmanager.h"
#include "browser/tvasaroselain.h"
#include "browser/zoomrule.h"
#include "client/apisession.h"
#include "client/http.h"
#include "widgets/qtprompts.h"
#include <QAction>
#include <QVBoxLayout>
#include <QWebEngineProfile>

void TForm1::buildBrowser(QWidget *central)
{
    m_profile = new BrowserProfile(&m_settings, m_endpoints, this);
    m_http->setUserAgent(m_profile->userAgent());
    // The program's own requests carry the browser's marketplace login.
    m_cookies = new CookieBridge(m_profile->profile()->cookieStore(), m_http->cookieJar(), m_endpoints.domain(),
                                 this);
    m_toolbar = new NavigationBar(m_dataFolder + QStringLiteral("TypedURLs.txt"), central);
    m_toolbar->setObjectName(QStringLiteral("XiPanel9"));
    m_tabs = new TabManager(m_profile, &m_settings, m_endpoints, this, m_prompts, m_toolbar, central);
    m_pipeline = new PagePipeline(this, &m_settings, m_endpoints, &m_clock, &m_profile->hostPolicy(), this);
    m_tabs->setPipeline(m_pipeline);
    auto *layout = static_cast<QVBoxLayout *>(central->layout());
    layout->addWidget(m_toolbar);
    layout->addWidget(m_tabs->pageControl(), 1);

    m_progress = new ProgressPanel(this);
    m_progress->setObjectName(QStringLiteral("XiPanel8"));
    m_progress->hide();
    m_pageTools = new PageTools(m_tabs, m_profile, this, m_prompts, m_progress, this,
                                m_dataFolder + QStringLiteral("Suosikit"), this);
    connect(this, &TForm1::downloadOptionsChanged, m_profile, &BrowserProfile::updatedloptions);
    connect(m_api, &ApiSession::signedInChanged, this, &TForm1::signedInChanged);
    wireFeatures();
}

void TForm1::wireFeatures()
{
    m_signIn = std::make_unique<ApiSignIn>(m_api);
    m_pipeline->features().signIn = m_signIn.get();
    m_tabs->features().signIn = m_signIn.get();
}

// `postia` (the e-mail reminder) works only for a signed-in user.
void TForm1::signedInChanged(bool signedIn)
{
    if (QWidget *mail = m_controls.value(QStringLiteral("postia")))
        mail->setEnabled(signedIn);
}

void TForm1::wireBrowserMenus()
{
    onMenu(QStringLiteral("MenuItem2"), [this] { m_tabs->MenuItem2Click(); });
    onMenu(QStringLiteral("MenuItem3"), [this] { m_pageTools->MenuItem3Click(); });
    onMenu(QStringLiteral("MenuItem7"), [this] { m_pageTools->MenuItem7Click(); });
    onMenu(QStringLiteral("MenuItem8"), [this] { m_pageTools->MenuItem8Click(); });
    onMenu(QStringLiteral("MenuItem10"), [this] { m_pageTools->MenuItem10Click(); });
    onMenu(QStringLiteral("MenuItem11"), [this] { m_pageTools->MenuItem11Click(); });
    onMenu(QStringLiteral("MenuItem28"), [this] { m_pageTools->MenuItem28Click(); });
    onMenu(QStringLiteral("LuoPikakuvake1"), [this] { m_pageTools->LuoPikakuvake1Click(); });
    onMenu(QStringLiteral("Suosikit1"), [this] { m_pageTools->Suosikit1Click(); });
    const ZoomRule::Step steps[] = {ZoomRule::Step::Normal, ZoomRule::Step::Larger, ZoomRule::Step::Smaller};
    for (int i = 0; i < 3; ++i) {
        const ZoomRule::Step step = steps[i];
        onMenu(m_menu->zoomActions().at(i)->objectName(), [this, step] { m_pageTools->zpnClick(step); });
    }
}
