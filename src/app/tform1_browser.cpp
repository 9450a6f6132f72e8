// The main window's browser: profile, tabs, navigation bar, page pipeline and
// page tools, and the menu items that reach them.
#include "tform1.h"
#include "apisignin.h"
#include "mainmenu.h"
#include "browser/engine/browserprofile.h"
#include "browser/browsershell.h"
#include "browser/findbar/findbar.h"
#include "browser/policy/cookiebridge.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tools/pagetools.h"
#include "browser/tools/progresspanel.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/tools/zoomrule.h"
#include "client/apisession.h"
#include "client/http.h"
#include "widgets/qtprompts.h"
#include "update/updatecheck.h"
#include <QAction>
#include <QVBoxLayout>
#include <QWebEngineProfile>

void TForm1::buildBrowser(QWidget *central)
{
    BrowserShell::Parts parts;
    parts.settings = &m_settings;
    parts.endpoints = m_endpoints;
    parts.host = this;
    parts.prompts = m_prompts;
    parts.clock = &m_clock;
    parts.dataFolder = m_dataFolder;
    parts.sharedHttp = m_http;
    if (m_start == Start::HomePageFirst)
        parts.firstPage = homePageAhead();
    m_browser = new BrowserShell(parts, central);
    m_profile = m_browser->profile();
    m_toolbar = m_browser->toolbar();
    m_tabs = m_browser->tabs();
    m_pipeline = m_browser->pipeline();
    m_cookies = m_browser->cookies();
    m_pageTools = m_browser->buildPageTools(this);
    m_progress = m_browser->progress();
    connect(this, &TForm1::downloadOptionsChanged, m_profile, &BrowserProfile::updatedloptions);
    wireFeatures();
}

// The sign-in the pipeline captures; the modules plug in later
// (buildModules).
void TForm1::wireFeatures()
{
    m_signIn = std::make_unique<ApiSignIn>(m_api);
}

void TForm1::wireBrowserMenus()
{
    // "Uusi välilehti", "Tallenna sivu..", "Etsi tekstiä..", "Etsi ja "Highlight"",
    // "Sivun lähdekoodi", "Kokoruututila", "Tyhjennä IE:n välimuisti"
    onMenu(QStringLiteral("MenuItem2"), [this] { m_tabs->MenuItem2Click(); });
    onMenu(QStringLiteral("MenuItem3"), [this] { m_pageTools->MenuItem3Click(); });
    onMenu(QStringLiteral("Tulostasivu1"), [this] { m_pageTools->Tulostasivu1Click(); });
    onMenu(QStringLiteral("MenuItem7"), [this] { m_findBar->F3(false); });
    onMenu(QStringLiteral("MenuItem8"), [this] { m_pageTools->MenuItem8Click(); });
    onMenu(QStringLiteral("MenuItem10"), [this] { m_pageTools->MenuItem10Click(); });
    onMenu(QStringLiteral("MenuItem11"), [this] { m_pageTools->MenuItem11Click(); });
    onMenu(QStringLiteral("MenuItem28"), [this] { m_pageTools->MenuItem28Click(); });
    onMenu(QStringLiteral("LuoPikakuvake1"), [this] { m_pageTools->LuoPikakuvake1Click(); });
    onMenu(QStringLiteral("Suosikit1"), [this] { m_pageTools->Suosikit1Click(); });
    const ZoomRule::Step steps[] = {ZoomRule::Step::Normal, ZoomRule::Step::Larger, ZoomRule::Step::Smaller};
    for (int i = 0; i < 3; ++i) {
        const ZoomRule::Step step = steps[i];
        onMenu(m_menu->zoomActions().at(i)->objectName(), [this, step] {
            m_pageTools->zpnClick(step);
            updateZoomLabel();
        });
    }
}
