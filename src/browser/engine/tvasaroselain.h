#pragma once
// The browser of one tab: a Qt WebEngine view over a VasaroPage. It keeps
// the tab's state (early flags, zoom percent, approval state), shows the
// program's context menus and gives access to the travel log.
#include "browser/pipeline/pipelinetab.h"
#include "browser/tabs/tabstate.h"
#include <QList>
#include <QWebEngineHistoryItem>
#include <QWebEngineView>
#include <functional>

class BrowserProfile;
class Prompts;
class QWebEngineContextMenuRequest;
class VasaroPage;

class TVasaroselain final : public QWebEngineView, public PipelineTab {
    Q_OBJECT
public:
    // `pageIndex` is the tab's stable index (0 = the first tab); -1 for a
    // browser in a window of its own.
    TVasaroselain(BrowserProfile *profile, Prompts *prompts, int pageIndex, QWidget *parent = nullptr);
    ~TVasaroselain() override;

    VasaroPage *vasaroPage() const { return m_page; }

    // Answers isActiveTab(); set by the tab manager.
    void setActiveTest(std::function<bool()> test) { m_activeTest = std::move(test); }
    // Shows the program's menu for a context-menu request at a global point;
    // returns false to let the engine show its standard menu.
    using ContextMenuHandler =
        std::function<bool(TVasaroselain *, const QWebEngineContextMenuRequest &, const QPoint &)>;
    void setContextMenuHandler(ContextMenuHandler handler) { m_menuHandler = std::move(handler); }

    // Zoom (ExecWB 63): only on an HTML document; a percent outside 10-1000
    // becomes 100. The percent is the tab's zoom level; the engine gets it
    // clamped to what it accepts. False when nothing was done.
    bool asetaZoom(int percent);
    int zoomPercent() const { return m_state.zoom; }

    // Travel log: entries behind (forward false) or ahead of the current page,
    // nearest first, at most `max`.
    QList<QWebEngineHistoryItem> travelLog(bool forward, int max) const;
    // Travels `steps` entries back or forward.
    void travel(bool forward, int steps);

    // PipelineTab
    TabState &tabState() override { return m_state; }
    Document &document() override;
    QString locationUrl() const override;
    bool isActiveTab() const override;
    int pageIndex() const override { return m_pageIndex; }
    void focusBrowser() override;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    // The engine's input widget is a child made later: the page hears of
    // the user's clicks and keys through it (see VasaroPage::noteUserInput).
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    VasaroPage *m_page;
    int m_pageIndex;
    TabState m_state;
    std::function<bool()> m_activeTest;
    ContextMenuHandler m_menuHandler;
};
