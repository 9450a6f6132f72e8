#include "tform1.h"
#include "browser/features/modulecontext.h"
#include "buyer/favourites/favouritesmodule.h"
#include "buyer/resultpage/resultpagemodule.h"
#include "buyer/searchform/searchformmodule.h"
#include "buyer/sellerfilter/sellerfiltermodule.h"
#include "buyer/watchlist/watchlistmodule.h"
#include "seller/automation/automationmodule.h"
#include "seller/pictures/picturesmodule.h"
#include "seller/templates/templatesmodule.h"
#include "update/updatemodule.h"
#include "browser/policy/contextmenus.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "apphook.h"
#include "links.h"
#include "mainmenu.h"
#include "messagepanel.h"
#include "seller/templates/closingtimepanel.h"
#include "tform3.h"
#include "ledger/files/ledgerrecovery.h"
#include "ledger/tform8.h"
#include "client/apisession.h"
#include "client/http.h"
#include "client/stopflag.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "buyer/searchform/searchformhost.h"
#include "core/clockformat.h"
#include "core/paths.h"
#include "core/privatestorage.h"
#include "core/settingsdefaults.h"
#include "core/settingsfile.h"
#include "widgets/featurerow.h"
#include "widgets/gradientstyle.h"
#include "widgets/qtprompts.h"
#include "update/updatecheck.h"
#include "update/updatekey.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include "browser/tabs/tabmanager.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/tabs/navigationbar.h"
#include "browser/session/sessionkeeper.h"
#include "browser/browsershell.h"
#include "seller/templates/closingtimepanel.h"

TForm1::TForm1(Endpoints endpoints, Prompts *prompts, QWidget *parent, Start start)
    : QMainWindow(parent),
      m_endpoints(std::move(endpoints)),
      m_qtPrompts(prompts ? nullptr : std::make_unique<QtPrompts>(this)),
      m_prompts(prompts ? prompts : m_qtPrompts.get()),
      m_timer1(new QTimer(this)),
      m_timer2(new QTimer(this)),
      m_timer3(new QTimer(this))
{
    setObjectName(QStringLiteral("TForm1"));
    m_start = start;
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(1000);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    m_timer2->setInterval(600000);
    m_timer3->setObjectName(QStringLiteral("Timer3"));
    m_timer3->setInterval(100);
    m_timer3->setSingleShot(true);
    connect(m_timer1, &QTimer::timeout, this, &TForm1::Timer);
    m_dataFolder = Paths::dataFolder();
    // Qt's file dialogs keep their history in the data folder, and files an
    // earlier run left open to others are closed to them.
    PrivateStorage::confineToolkitSettings(m_dataFolder);
    PrivateStorage::tighten(m_dataFolder);
    m_settings = SettingsDefaults::builtIn(m_endpoints, Paths::programFolder());
    m_http = new Http(m_endpoints, this);
    m_api = new ApiSession(*m_http, m_http->stopFlag(), m_clock, m_settings, m_endpoints.apiBase(), {}, this);
    m_urls = std::make_unique<UrlScheme>(m_endpoints);
    m_quick = std::make_unique<QuickSearch>(*m_urls, *m_http);
    connect(m_timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    buildLayout();
    m_menu = std::make_unique<MainMenu>(menuBar());
    wireMenu();
    buildCommandTable();
    buildModules();
    buildBrowserTools();
    FormCreate();
}

// Every feature is one module: created here with the services it needs, it
// plugs its steps, handlers, commands, menu items and controls into the
// registry; then the registry's menu items and toolbar controls take their
// places and the browser shell gets the pipeline steps.
void TForm1::buildModules()
{
    const ModuleContext context{m_registry, *this, *m_tabs, *m_tabs->contextMenus(), m_settings, *m_prompts,
                                m_clock, m_endpoints, this, m_toolbar};
    m_update = std::make_unique<UpdateModule>(context, *m_http, m_progress, [this] {
        m_restartAfterUpdate = true;
        close();
    });
    m_searchForm = new SearchFormModule(context, *m_urls, *m_quick);
    m_sellerFilter = new SellerFilterModule(context, m_profile, *m_quick, m_dataFolder, [this] {
        if (auto *edit = settingsDialog()->findChild<QLineEdit *>(QStringLiteral("Edit5")))
            edit->setText(m_settings.Edit5);
    });
    m_favourites = new FavouritesModule(context, m_profile, *m_quick);
    m_resultPage = new ResultPageModule(context, *m_http, *m_api, m_favourites->preview());
    buildSellerModules(context);
    m_watchList = new WatchListModule(context, *m_http, *m_api, *m_timer2);
    plugInModules();
}

void TForm1::buildSellerModules(const ModuleContext &context)
{
    // "VS asetukset" names the template folder; "Kohteen kuvan asetukset"
    // the listing picture.
    m_templates = new TemplatesModule(context, m_dataFolder, [this] { openSettingsPage(1); });
    m_automation = new AutomationModule(context, *m_urls, *m_http, *m_api, *m_profile, *m_quick, *m_templates);
    const QString temp = m_tempFolder.isEmpty() ? Paths::tempFolder() : m_tempFolder;
    m_pictures = new PicturesModule(
        context, *m_http, *m_templates->templates(), temp, [this] { m_paneeli->hide(); }, [this] { openSettingsPage(2); });
    ClosingTimePanel *closing = m_automation->closingTime();
    connect(closing, &ClosingTimePanel::dayChanged, this, [this] { sellerFilterTool().filter().setDayStamp(); });
    connect(closing, &ClosingTimePanel::timeChecked, this, &TForm1::Timer);
}

void TForm1::plugInModules()
{
    for (QWidget *control : m_registry.toolbarControls())
        m_featureRow->addFeature(control);
    for (const auto &[name, handler] : m_registry.menuItems())
        onMenu(name, handler);
    m_registry.pipelineSteps().signIn = m_signIn.get();
    m_browser->plugIn(m_registry.pipelineSteps());
}

SellerFilterTool &TForm1::sellerFilterTool()
{
    return m_sellerFilter->tool();
}

UpdateCheck &TForm1::updateCheck()
{
    return m_update->check();
}

TForm8 *TForm1::ledgerWindow() const
{
    if (!m_form8)
        const_cast<TForm1 *>(this)->buildLedgerWindow();
    return m_form8;
}

void TForm1::buildLedgerWindow()
{
    m_form8 = new TForm8(m_settings, *m_prompts, m_clock, m_endpoints, this);
    m_form8->setWindowFlag(Qt::Window);
    m_form8->setRecoveryFile(LedgerRecovery::path(m_dataFolder));
    // Closing the ledger window stops whatever it is waiting for.
    connect(m_form8, &TForm8::formClosed, this, [this] { m_http->stopFlag().set(); });
    m_form8->setUserIdLookup([this](const QString &encodedName) { return m_quick->tunnuksestaid(encodedName); });
    m_form8->attachFetch(*m_http, *m_api, m_http->stopFlag());
}

TForm3 *TForm1::settingsDialog() const
{
    if (!m_form3)
        const_cast<TForm1 *>(this)->buildSettingsDialog();
    return m_form3;
}

// The dialog reads the settings as they are when it is built.
void TForm1::buildSettingsDialog()
{
    m_form3 = new TForm3(m_settings, *m_prompts, m_dataFolder, m_endpoints, this);
    connect(m_form3, &TForm3::dialogClosed, this, &TForm1::settingsDialogClosed);
    // Kept in the session file, not in the settings file.
    m_form3->setRestoreTabs(m_session->restoreEnabled());
    connect(m_form3, &TForm3::restoreTabsToggled, m_session, &SessionKeeper::setRestoreEnabled);
}

TForm1::~TForm1()
{
    // The members the hook's handlers use go first.
    if (m_hook)
        qApp->removeEventFilter(m_hook);
}

void TForm1::buildLayout()
{
    setMinimumSize(600, 450);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, GradientStyle::fromColorRef(16769217));
    setPalette(pal);
    setAutoFillBackground(true);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildBrowser(central);
    // Under the toolbar: the address box keeps the toolbar's width.
    m_featureRow = new FeatureRow(central);
    layout->insertWidget(layout->indexOf(m_toolbar) + 1, m_featureRow);
    setCentralWidget(central);
    buildStatusBar();
    buildHiddenPanels();
}

void TForm1::buildStatusBar()
{
    auto *panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(19);
    auto *row = new QHBoxLayout(panel1);
    row->setContentsMargins(4, 0, 4, 0);
    m_status = new QLabel(panel1);
    m_status->setObjectName(QStringLiteral("statusbar1"));
    m_panel3 = new QLabel(panel1);
    m_panel3->setObjectName(QStringLiteral("Panel3"));
    m_panel3->setFixedWidth(284);
    row->addWidget(m_status, 1);
    row->addWidget(m_panel3);
    // Part of the client area, below the tabs: exactly its 19 pixels (a
    // status bar would add its own frame and grip).
    centralWidget()->layout()->addWidget(panel1);
}

void TForm1::buildHiddenPanels()
{
    m_paneeli = new MessagePanel(QStringLiteral("paneeli"), this);
    m_xipanel6 = new MessagePanel(QStringLiteral("Xipanel6"), this);
    m_xipanel6->placeTopRightBelow(m_toolbar);
}

void TForm1::wireMenu()
{
    onMenu(QStringLiteral("MenuItem5"), [this] { MenuItem5Click(); });   // "Lopeta"
    onMenu(QStringLiteral("About1"), [this] { About1Click(); });
    onMenu(QStringLiteral("Omasivu1"), [this] { Omasivu1Click(); });
    onMenu(QStringLiteral("Yleisetasetukset1"), [this] { openSettingsPage(0); });
    onMenu(QStringLiteral("VSasetukset1"), [this] { openSettingsPage(1); });
    onMenu(QStringLiteral("Kohteenkuvanasetukset1"), [this] { openSettingsPage(2); });
    onMenu(QStringLiteral("Laskuriasetukset"), [this] { openSettingsPage(3); });
    onMenu(QStringLiteral("Laskurinserveri1"), [this] { openSettingsPage(3); });
    onMenu(QStringLiteral("Palautaoletukset1"), [this] { Palautaoletukset1Click(); });
    onMenu(QStringLiteral("Kohdenumerollahaku"), [this] { KohdenumerollahakuClick(); });
    onMenu(QStringLiteral("Kyttjhaku1"), [this] { Kyttjhaku1Click(); });
    onMenu(QStringLiteral("Myydytostetutkohteet1"),
           [this] { ledgerWindow()->openIfSignedIn(signedInUser(), *m_prompts); });
    for (QAction *a : m_menu->linkActions())
        onMenu(a->objectName(), [this, a] { muita(a->text()); });
    wireBrowserMenus();
}

void TForm1::onMenu(const QString &name, std::function<void()> handler)
{
    QAction *a = m_menu->action(name);
    if (!a)
        return;
    connect(a, &QAction::triggered, this, std::move(handler));
    m_wiredMenu.insert(name);
}

// Items whose feature is not in this build stay visible but disabled.
void TForm1::disableMissingFeatures()
{
    for (auto it = m_menu->all().cbegin(); it != m_menu->all().cend(); ++it)
        it.value()->setEnabled(m_wiredMenu.contains(it.key()));
}

Prompts &TForm1::prompts()
{
    return *m_prompts;
}

// The dialog is modeless; the main window stays disabled until it closes.
void TForm1::openSettingsPage(int page)
{
    setEnabled(false);
    settingsDialog()->setEnabled(true);
    m_form3->openPage(page);
}

void TForm1::settingsDialogClosed()
{
    setEnabled(true);
    setTimer2(m_settings.Timer2);   // the dialog has stored it from its check box
    emit downloadOptionsChanged();
}

void TForm1::setTimer2(bool on)
{
    if (on)
        m_timer2->start();
    else
        m_timer2->stop();
}

void TForm1::Palautaoletukset1Click()
{
    // The reset overwrites what the user has set: a slip of the mouse must
    // not cost it.
    if (m_prompts->confirm(QStringLiteral("Palautetaanko oletusasetukset?")) != Prompts::Answer::Yes)
        return;
    setWindowState(windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized));
    SettingsDefaults::restoreDefaults(m_settings, m_endpoints, m_dataFolder);
    setTimer2(m_settings.Timer2);
    if (m_form3)
        m_form3->loadFromSettings();
    QString error;
    if (!SettingsFile::tallenna_asetukset(m_settings, m_dataFolder, &error)) {
        m_prompts->error(error);
        return;
    }
    naytapaneeli(QStringLiteral("Asetukset palautettu!"), 3);
}

void TForm1::KohdenumerollahakuClick()
{
    const QString address = m_quick->KohdenumerollahakuClick(*m_prompts);
    if (!address.isEmpty())
        aktiivisivu_navigate(address);
}

void TForm1::Kyttjhaku1Click()
{
    const QString address = m_quick->Kyttjhaku1Click(*m_prompts);
    if (!address.isEmpty())
        aktiivisivu_navigate(address);
}

void TForm1::MenuItem5Click()
{
    close();
}

void TForm1::About1Click()
{
    QString text = QStringLiteral("Vasaro selain\n\nVersio ") + QLatin1String(kVersion) + QStringLiteral("\n\n");
    // Built without the release key: no download can verify.
    if (UpdateKey::isDeveloperBuild())
        text += QStringLiteral("Kehittäjän käännös: ohjelma ei voi päivittää itseään.\n\n");
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vasaro selain"), text + Links::makerContact(),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("AboutBox"));
    QtPrompts::fitCaption(box);
    box.exec();
}

void TForm1::muita(const QString &caption)
{
    const QString address = Links::addressFor(caption, m_endpoints);
    if (!address.isEmpty())
        aktiivisivu_navigate(address);
}

void TForm1::Omasivu1Click()
{
    aktiivisivu_navigate(m_urls->omasivu());
}

void TForm1::aktiivisivu_navigate(const QString &url)
{
    m_tabs->aktiivisivu_navigate(url);
}

void TForm1::Timer()
{
    m_paneeli->tick();
    m_xipanel6->tick();
    refreshCaption();
    m_registry.tick();
    // The navigation-bar check waits for the page's answer, and a page held
    // by its own script dialog (an alert) answers only once it is closed.
    // The check therefore runs after the tick, one at a time, and the clock
    // keeps ticking while it waits.
    if (m_navigationBarCheck)
        return;
    m_navigationBarCheck = true;
    QTimer::singleShot(0, this, [this] {
        if (TVasaroselain *active = m_tabs->activeBrowser())
            m_pipeline->navigationBarTask(&active->document());
        m_navigationBarCheck = false;
    });
}

void TForm1::refreshCaption()
{
    setWindowTitle(ClockFormat::caption(m_captionPrefix, m_clock.kellonaika(), m_clock.sourceSuffix()));
}
