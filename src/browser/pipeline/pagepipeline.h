#pragma once
// Folder browser/pipeline: the page event pipeline.
//   pagepipeline.h    which feature runs on which page event
//   pipelinetab.h     one tab as the pipeline sees it
//   navigationargs.h  one navigation event
//   vasaroaika.h      the marketplace clock read from own pages
//
// Decides which feature runs on which page: BeforeNavigate2, DocumentComplete
// and StatusTextChange of every tab browser, early processing of marketplace
// pages while they still load, and the navigation-bar task of the clock tick.
// Talks to the main window through ShellHost and to the features through
// their interfaces (a null feature = that feature is not built).
#include "browser/features/browserfeatures.h"
#include "browser/features/pagestate.h"
#include "browser/pipeline/navigationargs.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include "core/heaptrim.h"
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

class PagePipeline final : public QObject {
    Q_OBJECT
public:
    PagePipeline(ShellHost *shell, Settings *settings, Endpoints endpoints, ProgramClock *clock,
                 const HostPolicy *policy, QObject *parent = nullptr);

    // The features the steps call; set them before the first page loads.
    PipelineFeatures &features() { return m_features; }

    void WBBeforeNavigate2(PipelineTab &tab, NavigationArgs &args);
    void WBDocumentComplete(PipelineTab &tab, const QUrl &url);
    void WBStatusTextChange(PipelineTab &tab, const QString &text);
    // DOMContentLoaded of a tab's top document with the sources of its frames.
    void domContentLoaded(PipelineTab &tab, const QStringList &frameSources);
    // Every clock tick: hides the marketplace's navigation bar while the
    // active page is scrolled down.
    void navigationBarTask(Document *activeDocument);

    // Process-wide one-shot flags.
    bool watchListCheckPending() const { return m_watchListPending; }
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
    void showHovered(const QString &text);
    int nextItemCount() const;
    PageState completed(const QString &address, PageState::Kind kind, bool active) const;

    ShellHost *m_shell;
    Settings *m_settings;
    Endpoints m_endpoints;
    ProgramClock *m_clock;
    const HostPolicy *m_policy;
    PipelineFeatures m_features;
    UrlScheme m_urls;
    QString m_domain;
    QString m_hoveredText;   // the link the status bar shows, while it shows one
    QHash<PipelineTab *, quint64> m_generation;   // per tab: bumped at DocumentComplete
    QSet<PipelineTab *> m_earlyRunning;           // early steps in progress (they wait)
    QSet<PipelineTab *> m_completeAfterEarly;     // completion arrived meanwhile

    HeapTrim m_heapTrim{&HeapTrim::releaseFreedPages};   // after a page's load and its steps

    bool m_watchListPending = false;
    bool m_openInOwnWindow = false;
    bool m_navBarHidden = false;
};
