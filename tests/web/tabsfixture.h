#pragma once
// A small stand-in for the main window used by the tab and page-tool tests:
// the toolbar, the tab manager with the real profile and page pipeline, and a
// ShellHost that records what the shell did to the main window's controls.
#include "browser/tabs/addressbox.h"
#include "browser/engine/browserprofile.h"
#include "browser/browsershell.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "webinput.h"
#include "fakeshellhost.h"
#include "featurestubs.h"
#include "scriptedprompts.h"
#include <QHash>
#include <QJsonArray>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QVBoxLayout>
#include <QWebEngineScript>
#include <QWebEngineView>

// The replacement page's scheme must exist before the application object.
inline const bool kSchemesRegistered = (BrowserProfile::registerSchemes(), true);

// One main-window stand-in with its first tab on the home page.
class TabsWindow final {
public:
    TabsWindow(BrowserProfile *profile, Settings *settings, const Endpoints &endpoints, Prompts *prompts,
               const QString &dataDir)
        : window(new QWidget),
          browser(new BrowserShell(parts(profile, settings, endpoints, prompts, dataDir), window)),
          bar(browser->toolbar()),
          pipeline(*browser->pipeline()),
          tabs(browser->tabs())
    {
        shell.box = bar->addressBox();
        // Remember each tab's last completed page (after the pipeline ran).
        QObject::connect(tabs, &TabManager::tabCreated, tabs, [this](int index) {
            VasaroPage *page = tabs->browser(index)->vasaroPage();
            QObject::connect(page, &VasaroPage::documentComplete, page, [page](VasaroPage *, const QUrl &url) {
                page->setProperty("vsCompleted", url.toString());
            });
        });
        window->resize(1000, 760);
        window->show();
        // Key presses reach the page only in the active window.
        window->activateWindow();
        waitFor([this] { return window->isActiveWindow(); }, 2000);
        tabs->CreateNewTabBrowser(true);
    }
    ~TabsWindow() { delete window; }

    FakeShellHost shell;
    FeatureStubs stubs;     // not plugged in unless a test does so
    ProgramClock clock;
    QWidget *window;
    BrowserShell *browser;
    NavigationBar *bar;
    PagePipeline &pipeline;
    TabManager *tabs;

private:
    BrowserShell::Parts parts(BrowserProfile *profile, Settings *settings, const Endpoints &endpoints,
                              Prompts *prompts, const QString &dataDir)
    {
        BrowserShell::Parts p;
        p.settings = settings;
        p.endpoints = endpoints;
        p.host = &shell;
        p.prompts = prompts;
        p.clock = &clock;
        p.dataFolder = dataDir;
        p.profile = profile;
        return p;
    }
};

// QTest's own waits sleep between event batches, which slows every page load
// many times over; these wait in a real event loop.
#define VS_TRY_VERIFY(expr) QVERIFY(waitFor([&] { return bool(expr); }, 10000))
#define VS_TRY_COMPARE(actual, expected)                                          \
    do {                                                                          \
        waitFor([&] { return (actual) == (expected); }, 10000);                   \
        QCOMPARE(actual, expected);                                               \
    } while (false)

namespace TabsTest {
using WebTest::evaluate;

// The tab has finished a page whose address contains `part`, and the page
// pipeline has handled it.
inline bool loaded(TVasaroselain *view, const QString &part, int ms = 10000)
{
    VasaroPage *page = view->vasaroPage();
    return waitFor([&] {
        return page->ReadyState() == 4 && !page->Busy() && page->LocationURL().contains(part)
            && page->property("vsCompleted").toString().contains(part);
    }, ms);
}

// Opens base + path in a new tab; its view once the page has loaded, else null.
inline TVasaroselain *openInNewTab(TabsWindow &w, const QString &base, const QString &path)
{
    w.tabs->uuteenikkunaan(base + path);
    TVasaroselain *view = w.tabs->activeBrowser();
    return loaded(view, path) ? view : nullptr;
}

// Waits until the fake marketplace has seen `count` requests for host and
// path. (Its log is read with a wait of its own, so it cannot be the test of
// another wait.)
inline int requestsSeen(const FakeMarketplace &market, const QString &host, const QString &path, int count,
                        int ms = 10000)
{
    int seen = market.requests(host, path).size();
    for (int waited = 0; seen < count && waited < ms; waited += 50) {
        waitMs(50);
        seen = market.requests(host, path).size();
    }
    return seen;
}

// A real mouse click in the middle of an element of the page. The engine
// drops input until the page's first frames are on screen, so the mouse is
// first moved over the element until the page notices it.
inline bool clickElement(TVasaroselain *view, const QString &id, Qt::MouseButton button = Qt::LeftButton)
{
    const QVariantList r = evaluate(view->page(),
        QStringLiteral("(function(){var e=document.getElementById('%1'); if(!e) return null;"
                       "e.scrollIntoView(); var r=e.getBoundingClientRect();"
                       "window.__vsMoved = false;"
                       "document.addEventListener('mousemove', function(){ window.__vsMoved = true; }, true);"
                       "return [r.left + r.width/2, r.top + r.height/2];})()").arg(id)).toList();
    if (r.size() != 2 || !view->focusProxy())
        return false;
    const double zoom = view->zoomFactor();
    const QPoint pos(int(r[0].toDouble() * zoom), int(r[1].toDouble() * zoom));
    for (int i = 0; i < 100; ++i) {
        QTest::mouseMove(view->focusProxy(), pos + QPoint(i % 2, 0));
        waitMs(20);
        if (evaluate(view->page(), QStringLiteral("window.__vsMoved === true")).toBool())
            break;
    }
    QTest::mouseClick(view->focusProxy(), button, {}, pos);
    return true;
}

// A right click on an element until `shown` holds: the engine now and then
// drops a context-menu click that comes while the page is still settling.
inline bool rightClickUntil(TVasaroselain *view, const QString &id, const std::function<bool()> &shown)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (!clickElement(view, id, Qt::RightButton))
            return false;
        if (waitFor(shown, 1500))
            return true;
    }
    return false;
}
}
