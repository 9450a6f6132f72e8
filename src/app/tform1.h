#pragma once
// The main window: the window, the menu bar, the clock caption, and the
// composition of the browser shell and the feature modules (buildModules),
// which plug themselves in through the FeatureRegistry.
#include "apisignin.h"
#include "browser/shellhost.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "browser/features/featureregistry.h"
#include <QDateTime>
#include <QMainWindow>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <functional>
#include <memory>

class QComboBox;
class QuickSearch;
class SearchFormModule;
class SellerFilterModule;
class SellerFilterTool;
class ClosingTimePanel;
class FavouritesModule;
class ResultPageModule;
class TemplatesModule;
class AutomationModule;
class PicturesModule;
class WatchListModule;
class UpdateModule;
struct ModuleContext;
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
class TForm8;
class AppHook;
class BrowserProfile;
class BrowserShell;
class CookieBridge;
class FeatureRow;
class NavigationBar;
class PagePipeline;
class PageTools;
class ProgressPanel;
class TabManager;
class UpdateCheck;
class FindBar;
class SessionKeeper;
class DownloadList;
class DownloadTracker;
class DownloadsWindow;
class HistoryStore;
class HistoryWindow;

class TForm1 final : public QMainWindow, public ShellHost {
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
    void pageChanged(const PageState &state) override;
    void naytapaneeli(const QString &text, int ticks) override;
    void statusNotice(const QString &text, int ticks) override;
    void queueCommand(const QString &word) override;
    QString signedInUser() const override;

    Settings &settings() { return m_settings; }
    Prompts &prompts();
    // The settings dialog is built when it is first needed.
    TForm3 *settingsDialog() const;
    SellerFilterTool &sellerFilterTool();
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
    UpdateCheck &updateCheck();
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
    void MenuItem5Click();   // "Lopeta"
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
    void buildStatusBar();
    void buildHiddenPanels();
    void wireMenu();
    void onMenu(const QString &name, std::function<void()> handler);
    void vakioasetukset();
    void applyStartupSettings(Settings &s) const;
    QUrl homePageAhead() const;
    void sizeFromScreen();
    void refreshCaption();
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
    void buildModules();
    void buildSellerModules(const ModuleContext &context);
    void plugInModules();
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
    FeatureRegistry m_registry;
    // The feature modules (children of this window).
    SearchFormModule *m_searchForm = nullptr;
    SellerFilterModule *m_sellerFilter = nullptr;
    FavouritesModule *m_favourites = nullptr;
    ResultPageModule *m_resultPage = nullptr;
    TemplatesModule *m_templates = nullptr;
    AutomationModule *m_automation = nullptr;
    PicturesModule *m_pictures = nullptr;
    WatchListModule *m_watchList = nullptr;
    std::unique_ptr<UpdateModule> m_update;

    BrowserShell *m_browser = nullptr;
    BrowserProfile *m_profile = nullptr;
    CookieBridge *m_cookies = nullptr;
    NavigationBar *m_toolbar = nullptr;   // XiPanel9 with the address box Ieaddress1
    FeatureRow *m_featureRow = nullptr;   // the features' controls, under the toolbar
    TabManager *m_tabs = nullptr;
    PagePipeline *m_pipeline = nullptr;
    PageTools *m_pageTools = nullptr;
    ProgressPanel *m_progress = nullptr;  // XiPanel8
    AppHook *m_hook = nullptr;
    QLabel *m_status = nullptr;         // statusbar1
    QLabel *m_panel3 = nullptr;         // Panel3
    MessagePanel *m_paneeli = nullptr;
    MessagePanel *m_xipanel6 = nullptr;
    QSet<QString> m_wiredMenu;

    QTimer *m_timer1;
    QTimer *m_timer2;
    QTimer *m_timer3;
    QString m_pendingCommand;

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
