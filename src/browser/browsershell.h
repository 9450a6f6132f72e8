#pragma once
// The browser part of the main window, built in one place for the program,
// the web tests and the benchmarks: the profile, the navigation bar
// `XiPanel9`, the tabs, the page pipeline and, on request, the cookie bridge
// to the program's own requests and the page tools with their progress panel
// `XiPanel8`. Features plug in through plugIn().
//
// Folders of the browser library: engine/ (the engine and the document
// seam), tabs/ (tabs and navigation), policy/ (what the host allows),
// pipeline/ (page events to features), tools/ (page tools and favourites
// menu), features/ (the interfaces the features implement), js/ (injected
// scripts).
#include "browser/features/browserfeatures.h"
#include "core/endpoints.h"
#include <QObject>
#include <QString>
#include <QUrl>

class BrowserProfile;
class CookieBridge;
class Http;
class HungPageBar;
class NavigationBar;
class PagePipeline;
class PageTools;
class ProgramClock;
class ProgressPanel;
class Prompts;
class QWidget;
class ShellHost;
class TabManager;
class TVasaroselain;
struct Settings;

class BrowserShell final : public QObject {
public:
    struct Parts {
        Settings *settings = nullptr;
        Endpoints endpoints;
        ShellHost *host = nullptr;
        Prompts *prompts = nullptr;
        ProgramClock *clock = nullptr;
        // Holds the typed-address history "TypedURLs.txt" and the favourites
        // folder "Suosikit".
        QString dataFolder;
        // Null: the shell makes the program's profile. Tests share one
        // profile between their windows.
        BrowserProfile *profile = nullptr;
        // Set: the program's own requests share the browser's session from
        // the start (shareSessionWith), and the marketplace's lasting cookies
        // are kept between runs in "keksit.txt" of the profile's folder.
        Http *sharedHttp = nullptr;
        // Valid: the first tab's browser requests it right after the profile
        // and the session are in place, before any widget of the window.
        QUrl firstPage;
    };

    // The navigation bar and the tabs go into `container`'s box layout (one
    // is made when it has none). No tab exists yet: the caller creates the
    // first with tabs()->CreateNewTabBrowser(true). Its browser is made right
    // after the profile, before the widgets, so that its renderer process
    // starts, and `firstPage` loads, while the window is built.
    BrowserShell(const Parts &parts, QWidget *container);
    ~BrowserShell() override;

    // The program's own requests carry the browser's user agent and
    // marketplace login. Call before the first page loads.
    CookieBridge *shareSessionWith(Http *http);
    // Menu commands on the page and the browser; `mainWindow` gets the
    // progress panel and is what full screen toggles.
    PageTools *buildPageTools(QWidget *mainWindow);
    // Hands the features to the pipeline and the tab change; the tab
    // captions are always the tab manager's.
    void plugIn(const PipelineFeatures &features);

    BrowserProfile *profile() const { return m_profile; }
    NavigationBar *toolbar() const { return m_toolbar; }
    TabManager *tabs() const { return m_tabs; }
    PagePipeline *pipeline() const { return m_pipeline; }
    CookieBridge *cookies() const { return m_cookies; }
    PageTools *pageTools() const { return m_pageTools; }
    ProgressPanel *progress() const { return m_progress; }
    // "Sivu ei vastaa": shown while the active tab's page does not answer.
    HungPageBar *hungPageBar() const { return m_hungBar; }

private:
    void startFirstPage();

    Parts m_parts;
    BrowserProfile *m_profile;
    TVasaroselain *m_firstBrowser;   // until the first tab takes it
    NavigationBar *m_toolbar = nullptr;
    TabManager *m_tabs = nullptr;
    PagePipeline *m_pipeline = nullptr;
    CookieBridge *m_cookies = nullptr;
    ProgressPanel *m_progress = nullptr;
    PageTools *m_pageTools = nullptr;
    HungPageBar *m_hungBar = nullptr;
};
