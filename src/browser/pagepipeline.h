#pragma once
// Decides which feature runs on which page: BeforeNavigate2, DocumentComplete
// and StatusTextChange of every tab browser, early processing of marketplace
// pages while they still load, and the navigation-bar task of the clock tick.
// Talks to the main window through ShellHost and to features of other parts
// through the named hooks (an empty hook = that feature is not built yet).
#include "browser/navigationargs.h"
#include "core/endpoints.h"
#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QObject>
#include <QStringList>
#include <functional>

class Document;
class HostPolicy;
class PipelineTab;
class ProgramClock;
class ShellHost;
struct Settings;

// Hooks called from BeforeNavigate2 run inside the engine's navigation
// callback: captureSignIn and previewVisible must answer at once without
// scripts or waits; HakuClick, signOut and closePreview run right after the
// callback has returned.
struct PipelineHooks {
    // Seller filter on the tab's document (WBsuodata).
    std::function<void(PipelineTab &)> WBsuodata;
    // Category-page picture tweak; true when it changed the page.
    std::function<bool(PipelineTab &)> osastolistanmuokkaus;
    // Colours the messages of a forum thread.
    std::function<void(PipelineTab &)> keskustelupalsta;
    // Approval step of the listing automation (address lower-cased); true
    // stops the pipeline.
    std::function<bool(PipelineTab &, const QString &address)> approve_step;
    // Collects the listing links for the next-listing button.
    std::function<void(PipelineTab &)> linkit;
    // Watch list: fetch "omasivu/muistilista" over HTTP and check it, or check
    // the given page HTML.
    std::function<void()> ladataanmuistilista;
    std::function<void(const QString &pageHtml)> katsotaanmuistilista;
    // Recomputes the captions of all visible tabs.
    std::function<void()> updateTabCaptions;
    // Opens the program's search form instead of the marketplace's advanced search.
    std::function<void()> HakuClick;
    // Starts the update check.
    std::function<void()> Paivita1Click;
    // Preview panel of the result-page tools.
    std::function<bool()> previewVisible;
    std::function<void()> closePreview;
    // Sign-in capture from a login POST body; true when it held user name and
    // password. signOut forgets the sign-in and the API session and disables
    // `postia`. capturedSignIn tells whether a captured sign-in exists.
    std::function<bool(const QByteArray &postData)> captureSignIn;
    std::function<void()> signOut;
    std::function<bool()> capturedSignIn;
    // New-listing form: refresh the template list; run `saika` when
    // `XiButton3` is enabled and `CheckBox1` is on.
    std::function<void()> vakiopohjat;
    std::function<void(PipelineTab &)> saika;
    // Next-listing list `ListBox1`: its item count, and selecting the item
    // equal to the address.
    std::function<int()> nextItemCount;
    std::function<void(const QString &address)> selectNextItem;
};

class PagePipeline final : public QObject {
    Q_OBJECT
public:
    PagePipeline(ShellHost *shell, Settings *settings, Endpoints endpoints, ProgramClock *clock,
                 const HostPolicy *policy, QObject *parent = nullptr);

    PipelineHooks &hooks() { return m_hooks; }

    void WBBeforeNavigate2(PipelineTab &tab, NavigationArgs &args);
    void WBDocumentComplete(PipelineTab &tab, const QUrl &url);
    void WBStatusTextChange(PipelineTab &tab, const QString &text);
    // DOMContentLoaded of a tab's top document with the sources of its frames.
    void domContentLoaded(PipelineTab &tab, const QStringList &frameSources);
    // Every clock tick: hides the marketplace's navigation bar while the
    // active page is scrolled down.
    void navigationBarTask(Document *activeDocument);
    // A tab object is going away: drop pending work for it.
    void forgetTab(PipelineTab *tab);

    // Process-wide one-shot flags.
    bool watchListCheckPending() const { return m_watchListPending; }
    void setWatchListCheckPending(bool on) { m_watchListPending = on; }
    // Open-in-own-window: the next new-window request gets a window of its own.
    bool takeOpenInOwnWindow();
    bool openInOwnWindow() const { return m_openInOwnWindow; }
    bool navigationBarHidden() const { return m_navBarHidden; }

    // One of the advertisement-frame markers (or a replaced address).
    bool isAdvertisementFrame(const QString &url) const;

private:
    void later(const std::function<void()> &work);
    bool earlyConditionsHold(PipelineTab &tab) const;
    void scheduleEarly(PipelineTab &tab);
    void runEarly(PipelineTab &tab);
    void runEarlySteps(PipelineTab &tab);
    void hideHorizontalScroll(Document &document);
    void listingPageTweaks(Document &document);
    void updateCheck();
    void activeTabControls(PipelineTab &tab, const QString &address);
    void addressBoxUpdate(const QString &url);
    int nextItemCount() const;

    ShellHost *m_shell;
    Settings *m_settings;
    Endpoints m_endpoints;
    ProgramClock *m_clock;
    const HostPolicy *m_policy;
    PipelineHooks m_hooks;
    QString m_domain;
    QHash<PipelineTab *, quint64> m_generation;   // per tab: bumped at DocumentComplete
    QSet<PipelineTab *> m_earlyRunning;           // early steps in progress (they wait)
    QSet<PipelineTab *> m_completeAfterEarly;     // completion arrived meanwhile

    bool m_watchListPending = false;
    bool m_openInOwnWindow = false;
    bool m_navBarHidden = false;
};
