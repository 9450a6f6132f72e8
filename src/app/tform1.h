#pragma once
// The main window: owns the tabs, menus, panels and the feature objects, and
// wires menus and events to the handlers of the features.
#include "apisignin.h"
#include "browser/shellhost.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "update/updatehost.h"
#include <QDateTime>
#include <QMainWindow>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

class QComboBox;
class QEvent;
class QFrame;
class QLabel;
class QLineEdit;
class QTimer;
class QUrl;
class MainMenu;
class MessagePanel;
class Prompts;
class QtPrompts;
class TForm3;
class Http;
class ApiSession;
class UrlScheme;
class QuickSearch;
class SearchFormPanel;
class SellerFilterTool;
class FavouritesTool;
class PreviewPanel;
class ResultPageTools;
class ListingTemplates;
class ListingFormFeature;
class MainWindowAutomation;
class SearchFormTabs;
class TForm8;
class AppHook;
class BrowserProfile;
class BrowserShell;
class ClosingTimePanel;
class CookieBridge;
class FeatureRow;
class NavigationBar;
class PagePipeline;
class PageTools;
class ProgressPanel;
class TabManager;
class WatchListAlert;
class WatchListNotice;
class WatchListTool;
class UpdateCheck;
class ProgressPanelView;
class FindBar;
class SessionKeeper;
class DownloadList;
class DownloadTracker;
class DownloadsWindow;
class HistoryStore;
class HistoryWindow;

class TForm1 final : public QMainWindow, public ShellHost, public UpdateHost {
    Q_OBJECT
public:
    static constexpr const char *kVersion = VS_VERSION;

    // HomePageFirst (the program): the home page is read from the settings
    // file and requested as soon as the profile and the session's cookies
    // are in place, before the rest of the window is built. WindowFirst: it
    // is requested when the window is first shown.
    enum class Start { WindowFirst, HomePageFirst };

    // `prompts` replaces the Qt dialogs (tests answer them); null = Qt dialogs.
    explicit TForm1(Endpoints endpoints, Prompts *prompts = nullptr, QWidget *parent = nullptr,
                    Start start = Start::WindowFirst);
    ~TForm1() override;

    // ShellHost
    QString addressText() const override;
    void setAddressText(const QString &text) override;
    QString statusText() const override;
    void setStatusText(const QString &text) override;
    void setControlVisible(const QString &objectName, bool visible) override;
    bool controlVisible(const QString &objectName) const override;
    void setControlCaption(const QString &objectName, const QString &caption) override;
    void naytapaneeli(const QString &text, int ticks) override;
    void queueCommand(const QString &word) override;
    QString signedInUser() const override;

    // UpdateHost
    void restartIntoUpdate() override;

    Settings &settings() { return m_settings; }
    Prompts &prompts();
    // The settings dialog is built when it is first needed.
    TForm3 *settingsDialog() const;
    SellerFilterTool &sellerFilterTool() { return *m_sellerTool; }
    Http &http() { return *m_http; }
    // The ledger window is built when it is first needed.
    TForm8 *ledgerWindow() const;
    ApiSession &api() { return *m_api; }
    const UrlScheme &urls() const { return *m_urls; }
    TabManager &tabs() { return *m_tabs; }
    PagePipeline &pipeline() { return *m_pipeline; }
    BrowserProfile &browserProfile() { return *m_profile; }
    ProgramClock &clock() { return m_clock; }
    const Endpoints &endpoints() const { return m_endpoints; }
    UpdateCheck &updateCheck() { return *m_update; }
    QString dataFolder() const { return m_dataFolder; }
    // The browser's everyday tools: find bar (F3), kept tabs, downloads list
    // (Ctrl+J) and history (Ctrl+Shift+H); the windows are built when first opened.
    FindBar *findBar() const { return m_findBar; }
    SessionKeeper *session() const { return m_session; }
    DownloadsWindow *downloadsWindow();
    HistoryWindow *historyWindow();
    HistoryStore *historyStore() const { return m_history; }
    QLabel *zoomLabel() const { return m_zoomLabel; }
    QString dayStamp() const { return m_dayStamp; }

    // Handlers of this window's own menu items and timers.
    void MenuItem5Click();
    void Paivita1Click();
    // SIGTERM, SIGINT, SIGHUP: saves what "Lopeta" saves without asking
    // anything and hides the windows; the caller then ends the event loops.
    void FormTerminate();
    bool terminating() const { return m_terminating; }
    void KohdenumerollahakuClick();
    void Kyttjhaku1Click();
    void Timer3Timer();
    // The application hook's mouse and keyboard handlers: true = the event
    // is the program's and goes no further.
    bool hiiri_viestit(QObject *target, QEvent *event);
    bool nappaimisto_viestit(QObject *target, QEvent *event);
    void About1Click();
    void muita(const QString &caption);
    void Omasivu1Click();
    void Timer();
    void aktiivisivu_navigate(const QString &url);

signals:
    // The download-control settings changed: open browsers re-read them.
    void downloadOptionsChanged();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose();
    void buildLayout();
    void buildToolbar();
    void buildBrowser(QWidget *central);
    void wireBrowserMenus();
    void wireFeatures();
    void buildUpdateCheck();
    void signedInChanged(bool signedIn);
    void buildStatusBar();
    void buildHiddenPanels();
    void wireMenu();
    void onMenu(const QString &name, std::function<void()> handler);
    void vakioasetukset();
    void applyStartupSettings(Settings &s) const;
    QUrl homePageAhead() const;
    void sizeFromScreen();
    void refreshCaption();
    void registerControl(QWidget *w);
    void disableMissingFeatures();
    void openSettingsPage(int page);
    void settingsDialogClosed();
    void Palautaoletukset1Click();
    void saveOnClose();
    void removeTemporaryPictures();
    void startupChecks(const QStringList &messages);
    void setTimer2(bool on);
    void buildCommandTable();
    void buildLedgerWindow();
    void buildSettingsDialog();
    void buildSearchForm();
    void buildSellerFilter();
    void buildFavourites();
    void buildResultPageTools();
    bool pikkukuvaPress(QObject *target, QEvent *event);
    void buildListingTemplates();
    void buildListingAutomation();
    void wireRelistMenu();
    void wireClosingTimePanel();
    bool editorMenuClick(QObject *target, QEvent *event);
    void buildPictureUpload();
    void buildWatchList();
    void Lissuodattimeen1Click();
    void suodatakohde();
    void switchTab(int step);
    bool browserKey(QEvent *event);
    void browserToolKey(int action);
    void showToolWindow(QWidget *window);
    void buildBrowserTools();
    void updateZoomLabel();

    Endpoints m_endpoints;
    Settings m_settings;
    ProgramClock m_clock;
    std::unique_ptr<QtPrompts> m_qtPrompts;
    Prompts *m_prompts;
    std::unique_ptr<MainMenu> m_menu;   // the actions themselves belong to the menu bar
    TForm3 *m_form3 = nullptr;
    TForm8 *m_form8 = nullptr;
    Http *m_http = nullptr;
    ApiSession *m_api = nullptr;
    std::unique_ptr<ApiSignIn> m_signIn;
    std::unique_ptr<UrlScheme> m_urls;
    std::unique_ptr<QuickSearch> m_quick;
    std::unique_ptr<SearchFormTabs> m_searchFormTabs;
    SearchFormPanel *m_searchForm = nullptr;   // hakulomake
    SellerFilterTool *m_sellerTool = nullptr;  // seller filter, WB_suodatin and its panels
    FavouritesTool *m_favourites = nullptr;    // favourite sellers and searches
    PreviewPanel *m_preview = nullptr;         // esikatselu with WB_preview
    ResultPageTools *m_resultTools = nullptr;  // picture preview, seur and ListBox1, forum colours
    bool m_pictureHitTest = false;             // a press is being tested for a listing picture
    QList<std::pair<QPointer<QObject>, std::shared_ptr<QEvent>>> m_heldMouse;   // meanwhile
    QSet<const QEvent *> m_replayedMouse;      // held events handed on
    ListingTemplates *m_templates = nullptr;   // listing templates and their panel ppohjat
    ListingFormFeature *m_listingForm = nullptr;   // the listing-form steps of the pipeline
    MainWindowAutomation *m_automation = nullptr;  // re-list, close, approval, snippets
    WatchListTool *m_watchList = nullptr;      // watch list and e-mail reminder
    WatchListAlert *m_watchAlert = nullptr;    // XiPanel3
    WatchListNotice *m_watchNotice = nullptr;  // desktop notification of an alert

    BrowserShell *m_browser = nullptr;
    BrowserProfile *m_profile = nullptr;
    CookieBridge *m_cookies = nullptr;
    NavigationBar *m_toolbar = nullptr;   // XiPanel9 with the address box Ieaddress1
    FeatureRow *m_featureRow = nullptr;   // the features' controls, under the toolbar
    TabManager *m_tabs = nullptr;
    PagePipeline *m_pipeline = nullptr;
    PageTools *m_pageTools = nullptr;
    ProgressPanel *m_progress = nullptr;  // XiPanel8
    std::unique_ptr<ProgressPanelView> m_updatePanel;
    std::unique_ptr<UpdateCheck> m_update;
    AppHook *m_hook = nullptr;
    QLabel *m_status = nullptr;         // statusbar1
    QLabel *m_panel3 = nullptr;         // Panel3
    MessagePanel *m_paneeli = nullptr;
    MessagePanel *m_xipanel6 = nullptr;
    ClosingTimePanel *m_aukiolo = nullptr;   // aukiolopaneeli with Cb, e1, e2
    QHash<QString, QWidget *> m_controls;
    QSet<QString> m_wiredMenu;

    QTimer *m_timer1;
    QTimer *m_timer2;
    QTimer *m_timer3;
    QString m_pendingCommand;
    QHash<QString, std::function<void()>> m_commands;   // the words Timer3Timer runs

    QString m_dataFolder;
    QString m_tempFolder;
    QString m_captionPrefix;
    QString m_dayStamp;
    int m_startDay = 0;
    bool m_filterUnchanged = true;
    bool m_restartAfterUpdate = false;
    bool m_shown = false;
    bool m_closed = false;
    bool m_terminating = false;
    bool m_settingsRefused = false;      // the settings file was too big to use
    bool m_sellerNamesRefused = false;   // so was the seller-name list
    bool m_dataFolderReadOnly = false;
    QDateTime m_startedAt = QDateTime::currentDateTime();
    bool m_navigationBarCheck = false;   // the tick's page check is under way
    Start m_start = Start::WindowFirst;

    FindBar *m_findBar = nullptr;
    SessionKeeper *m_session = nullptr;
    DownloadList *m_downloadList = nullptr;
    DownloadTracker *m_downloadTracker = nullptr;
    DownloadsWindow *m_downloadsWindow = nullptr;
    HistoryStore *m_history = nullptr;
    HistoryWindow *m_historyWindow = nullptr;
    QLabel *m_zoomLabel = nullptr;   // the zoom level while it is not 100 %
};
