#pragma once
// Folder browser/tabs: tabs and navigation.
//   tabmanager.h, tabrules.h, tabstate.h  tabs and their rules
//   pagecontrol.h, tabstrip.h             the tab control and its strip
//   navigationbar.h, addressbox.h         the navigation bar and address box
//   typedurls.h                           the typed-address history file
//   browserkeys.h                         the browser's own keys
//
// The tabs of the main window (`PageControl1`): created on demand, hidden on
// close and reused, never destroyed, so a browser's page index (its creation
// order, TVasaroselain::pageIndex) is stable for the whole run. The user may
// drag tabs to a new order, so an `index` below is the tab's place in the
// strip now: map a kept page index with indexOfPage. The first tab is page 0
// and always the first in the strip. New-window requests become tabs, the
// toolbar buttons and the address box act on the active tab, and the
// travel-log menu `Historia` lists its history.
#include "browser/features/browserfeatures.h"
#include "browser/features/tabcaptions.h"
#include "core/endpoints.h"
#include <QObject>
#include <QPointer>
#include <QWebEnginePage>

class BrowserProfile;
class ContextMenus;
class NavigationBar;
class PageControl;
class PagePipeline;
class Prompts;
class QMenu;
class ShellHost;
class TVasaroselain;
struct Settings;

class TabManager final : public QObject, public TabCaptions {
    Q_OBJECT
public:
    static constexpr int kHistoryMenuItems = 10;
    static constexpr int kClosedTabsKept = 10;

    // `bar` may be null (no toolbar). The page control is created as a child
    // of `parentWidget`; the main window places it with pageControl().
    TabManager(BrowserProfile *profile, Settings *settings, const Endpoints &endpoints, ShellHost *shell,
               Prompts *prompts, NavigationBar *bar, QWidget *parentWidget);
    ~TabManager() override;

    PageControl *pageControl() const { return m_pages; }
    QMenu *historyMenu() const { return m_historyMenu; }
    // `PopupMenu1` and `PopupMenu2`: the main window connects the items of
    // the other features and marks them available.
    ContextMenus *contextMenus() const { return m_menus; }
    // The features the tab change calls.
    TabFeatures &features() { return m_features; }
    // Routes every tab's events (also of tabs created later) to the pipeline.
    void setPipeline(PagePipeline *pipeline);

    int count() const;
    TVasaroselain *browser(int index) const;
    // The place in the strip of the browser with that page index; -1: none.
    int indexOfPage(int pageIndex) const;
    TVasaroselain *activeBrowser() const;
    int activeIndex() const;
    bool isTabShown(int index) const;
    QString caption(int index) const;
    // Makes a tab active without the tab-change handling (as a program does).
    void activate(int index);

    // Link address of the link pop-up menu (set by the context menu).
    QString linkAddress() const;
    void setLinkAddress(const QString &address);

    // The first tab's browser, made before the rest of the window: its page
    // starts its renderer process at once, and the home page loads in it.
    // The first CreateNewTabBrowser takes it.
    static TVasaroselain *prepareFirstBrowser(BrowserProfile *profile, Prompts *prompts, QWidget *parent);
    // `requested`: the address the prepared browser was asked to load ahead
    // of the first tab, in this same turn of the event loop (invalid: none).
    // The first tab keeps that load when its address and download options
    // are the same and nothing of the load has been handled yet.
    void setPreparedBrowser(TVasaroselain *view, const QUrl &requested = QUrl());

public slots:
    TVasaroselain *CreateNewTabBrowser(bool first);
    void uuteenikkunaan(const QString &url);
    void suljesivu(int index);
    void Suljepois();
    void vaihto();
    void MenuItem2Click();   // "Uusi välilehti     Ctrl+T"
    void Avaauuteenikkunaan1Click();
    // Ctrl+Shift+T: the last closed tab comes back at its address with its
    // back and forward history (the last ten closed are kept).
    void reopenClosedTab();

    void aktiivisivu_navigate(const QString &url);
    QString aktiivisivu_locationurl() const;
    QString aktiivisivu_locationname() const;
    // Address-box update: never a "javascript" address.
    void naytaosoite(const QString &url);
    // Captions of every shown tab from their page titles.
    void updateCaptions() override;

    void Selain_taakseClick();
    void Selain_eteenClick();
    void Selain_stopClick();
    void Selain_refreshClick();
    void Selain_kotiinClick();
    void Selain_kirjanmerkitClick();
    // Mouse-down other than the left button on back (forward false) or
    // forward: the travel-log menu at a global point.
    void Selain_eteenMouseDown(bool forward, const QPoint &at);

    // Shut-down: every shown tab, last to first, goes blank (2000 ms each).
    void suljeKaikkiSivut();

signals:
    // A tab was created and is in place (the first tab already loads its
    // home page; others are navigated by the caller).
    void tabCreated(int index);

public:
    // NewWindow2: the page that takes a new window (never refused).
    QWebEnginePage *WBNewWindow2(QWebEnginePage::WebWindowType type);
    // WindowClosing: a page may never close its tab.
    void WBWindowClosing();

private:
    void TravelLog1Entry(const QString &title, const QString &url, int steps, bool forward);
    void connectBrowser(TVasaroselain *view);
    bool takePrepared(TVasaroselain *view, bool first);
    void restoreTab(int previous);
    void revealTab(int index, bool settle);
    void discardTab(int index);
    void wakeTab(int index, bool settle);
    QWebEnginePage *ownWindow();
    int nearestShownLeftOf(int index) const;
    void rememberClosed(int index);
    void closeFromTabMenu();

    struct ClosedTab {
        QUrl url;
        QByteArray history;   // QWebEngineHistory as its stream operator writes it
    };

    BrowserProfile *m_profile;
    Settings *m_settings;
    Endpoints m_endpoints;
    ShellHost *m_shell;
    Prompts *m_prompts;
    NavigationBar *m_bar;
    PageControl *m_pages;
    QMenu *m_historyMenu;
    ContextMenus *m_menus;
    PagePipeline *m_pipeline = nullptr;
    TabFeatures m_features;
    int m_switching = 0;      // >0 while the program changes the active tab
    int m_menuTab = -1;       // the tab the strip's menu was opened over
    QList<ClosedTab> m_closed;   // newest last
    QPointer<TVasaroselain> m_prepared;   // the first tab's browser until it is taken
    QUrl m_preparedAddress;               // what it was asked to load ahead
    bool m_preparedStarted = false;       // the engine has reported that load
    QMetaObject::Connection m_preparedWatch;
};
