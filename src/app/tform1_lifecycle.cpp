// Start-up and shut-down of the main window.
#include "tform1.h"
#include "messagepanel.h"
#include "seller/templates/closingtimepanel.h"
#include "windowsizing.h"
#include "core/clockformat.h"
#include "apphook.h"
#include "tform3.h"
#include "ledger/tform8.h"
#include "core/atomicfile.h"
#include "core/paths.h"
#include "core/settingsdefaults.h"
#include "core/settingsfile.h"
#include "widgets/qtprompts.h"
#include <QRandomGenerator>
#include <QCloseEvent>
#include <QComboBox>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include "browser/tools/progresspanel.h"
#include "browser/tabs/tabmanager.h"
#include "browser/session/sessionkeeper.h"
#include "buyer/sellerfilter/filterfile.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "ledger/files/ledgerrecovery.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "seller/automation/automationmodule.h"
#include "update/updatemodule.h"
#include "update/programrestart.h"
#include "update/updatecheck.h"

void TForm1::FormCreate()
{
    m_clock.asetakello(QDateTime::currentDateTime());
    // scripts/run.sh --demo: the caption says the marketplace is the fake one.
    const QString demo = qEnvironmentVariableIsEmpty("VSSELAIN_DEMO")
                             ? QString()
                             : QStringLiteral(" – ESITTELY, ei oikea Vasaro");
    m_captionPrefix = QStringLiteral("*** Vasaro selain ") + QLatin1String(kVersion) + demo
                      + QStringLiteral(" *** Tänään on : ");
}

void TForm1::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TForm1::sizeFromScreen()
{
    const QScreen *screen = this->screen();
    const QSize size = mainWindowClientSize(screen ? screen->size() : QSize(782, 611));
    // The client area (toolbar, tabs and the bottom panel) gets the size;
    // the menu bar comes on top of it.
    resize(size.width(), size.height() + menuBar()->height());
    if (screen)
        move(screen->availableGeometry().center() - rect().center());
}

void TForm1::vakioasetukset()
{
    m_dataFolder = Paths::dataFolder();
    m_tempFolder = Paths::tempFolder();
    applyStartupSettings(m_settings);
    m_filterUnchanged = true;
    m_restartAfterUpdate = false;
}

void TForm1::applyStartupSettings(Settings &s) const
{
    SettingsDefaults::applyStartupDefaults(s, Paths::programFolder());
    if (s.kotisivu.isEmpty())
        s.kotisivu = m_endpoints.webBase();
}

// The home page FormShow will find: the same defaults and settings file,
// read into a copy. FormShow reads them again for real; should the home page
// differ by then, the first tab goes there instead.
QUrl TForm1::homePageAhead() const
{
    Settings s = m_settings;
    applyStartupSettings(s);
    SettingsFile::lataa_asetukset(s, Paths::dataFolder(), Paths::programFolder(), {});
    if (s.kotisivu.toLower().startsWith(QStringLiteral("javascript")))
        return {};
    return QUrl::fromUserInput(s.kotisivu);
}

void TForm1::FormShow()
{
    m_hook = new AppHook(this);
    m_hook->setMouseHandler([this](QObject *target, QEvent *event) { return hiiri_viestit(target, event); });
    m_hook->setKeyboardHandler([this](QObject *target, QEvent *event) { return nappaimisto_viestit(target, event); });
    qApp->installEventFilter(m_hook);
    sizeFromScreen();
    m_session->restoreWindow();
    const QDateTime now = m_clock.kellonaika();
    m_startDay = now.date().day();
    vakioasetukset();
    m_dayStamp = ClockFormat::dayStamp(now);
    refreshCaption();
    m_automation->closingTime()->start(now);
    const QString storedClosing = m_settings.sulkeutumisaika;
    sellerFilterTool().filter().setDayStamp();
    SettingsFile::LoadReport report;
    SettingsFile::lataa_asetukset(m_settings, m_dataFolder, Paths::programFolder(),
                                  [this](const QString &path) { sellerFilterTool().filter().lataasuodatin(path); },
                                  &report);
    m_settingsRefused = report.settingsRefused;
    m_sellerNamesRefused = report.sellerNamesRefused;
    startupChecks(report.messages);
    // Told to end while a start-up message was up: the rest of the start
    // is not done (FormTerminate has saved what there was).
    if (m_terminating)
        return;
    if (m_settings.sulkeutumisaika != storedClosing)
        m_automation->closingTime()->restoreStored();
    setTimer2(m_settings.Timer2);
    if (m_form3)
        m_form3->loadFromSettings();

    // The ledger window is built when it is first opened (ledgerWindow()).
    m_tabs->CreateNewTabBrowser(true);
    if (!m_settings.kotisivu.toLower().startsWith(QStringLiteral("javascript")))
        setAddressText(m_settings.kotisivu);
    m_session->restoreTabs();
    m_settings.serveri = SettingsDefaults::counterAddressAtStartup(
        m_settings.serveri, SettingsDefaults::counterAddresses(m_endpoints),
        int(QRandomGenerator::global()->bounded(3)));
    disableMissingFeatures();
    m_timer1->start();
}

// The data folder after the settings are read: what an earlier run left
// half-written goes, a folder the program cannot write to is told about
// (every change of the run would be lost), files too big to use are told
// about, and a filter kept at a termination is offered back.
void TForm1::startupChecks(const QStringList &messages)
{
    QStringList ownFiles{SettingsFile::fileName(), SettingsFile::sellerNamesFileName(),
                         QFileInfo(LedgerRecovery::path(m_dataFolder)).fileName(),
                         QFileInfo(SellerFilter::recoveryPath(m_dataFolder)).fileName(), FilterFile::defaultName()};
    if (Paths::isInDataFolder(m_settings.suodatinPath))
        ownFiles << QFileInfo(m_settings.suodatinPath).fileName();
    AtomicFile::removeLeftovers(m_dataFolder, ownFiles, m_startedAt);
    QTemporaryFile probe(m_dataFolder + QStringLiteral(".kirjoituskoe-XXXXXX"));
    if (!probe.open()) {
        m_prompts->error(QStringLiteral("Tietokansioon ei voi kirjoittaa:\r") + QDir::toNativeSeparators(m_dataFolder)
                         + QStringLiteral("\r\rAsetuksia, suodatinta, suosikkeja ja muita muutoksia ei voida "
                                          "tallentaa tämän käytön aikana."));
        m_dataFolderReadOnly = true;
    }
    for (const QString &message : messages) {
        if (m_terminating)
            return;
        m_prompts->error(message);
    }
    if (!m_terminating && !m_dataFolderReadOnly)
        sellerFilterTool().filter().offerRecovery(m_dataFolder);
}

void TForm1::closeEvent(QCloseEvent *event)
{
    if (!m_closed) {
        // A page's dialog is up: it goes first, and the window is closed
        // once the page's callback has returned.
        if (m_qtPrompts && m_qtPrompts->pageDialogOpen()) {
            m_qtPrompts->closeAfterPageDialogs();
            event->ignore();
            return;
        }
        // An unsaved ledger list is asked about first; Cancel keeps the
        // program running. A ledger window never opened holds no list.
        if (m_form8 && !m_form8->quitQuery()) {
            event->ignore();
            return;
        }
        if (!sellerFilterTool().filter().askSaveAtClose(m_dataFolder)) {
            event->ignore();
            return;
        }
        m_closed = true;
        FormClose();
    }
    event->accept();
}

void TForm1::FormTerminate()
{
    // Told to end (a logout, `kill`): nobody may be there to answer, so
    // nothing asks. Open dialogs are closed, the unsaved ledger list and the
    // changed filter go to their files (or recovery files), the settings are
    // saved. The pages are not navigated away: the caller ends the event
    // loops, and the window goes with the program.
    if (m_terminating)
        return;
    m_terminating = true;
    if (m_qtPrompts)
        m_qtPrompts->endAll();
    if (m_form8 && !m_form8->kirjoitaPalautus())
        std::fputs("VSselain: tallentamatonta listaa ei voitu tallentaa.\n", stderr);
    if (!sellerFilterTool().filter().saveWithoutAsking(m_dataFolder))
        std::fputs("VSselain: suodatinta ei voitu tallentaa.\n", stderr);
    if (!m_closed) {
        m_closed = true;
        if (m_shown)
            saveOnClose();
        removeTemporaryPictures();
    }
    hide();
    if (m_form3)
        m_form3->hide();
    if (m_form8)
        m_form8->hide();
}

void TForm1::saveOnClose()
{
    m_settings.Timer2 = m_timer2->isActive();
    // A file refused at start (too big) is left as it is.
    QString error;
    if (!m_settingsRefused && !SettingsFile::tallenna_asetukset(m_settings, m_dataFolder, &error)) {
        if (m_terminating)
            std::fputs(qPrintable(error + u'\n'), stderr);
        else
            m_prompts->error(error);
    }
    if (!m_sellerNamesRefused && !m_settings.Suodatettavatnimimerkit.isEmpty())
        SettingsFile::saveSellerNames(m_settings, m_dataFolder);
}

void TForm1::FormClose()
{
    if (m_qtPrompts)
        m_qtPrompts->refusePageDialogs();
    // The previous program file an update left behind is no longer needed
    // once the new program closes in the ordinary way.
    if (!m_restartAfterUpdate)
        m_update->check().installer().removeOld();
    m_timer1->stop();
    if (m_form3)
        m_form3->hide();
    if (m_form8)
        m_form8->hide();
    m_progress->Panelsulje();
    saveOnClose();
    m_timer2->stop();
    m_session->finish();   // before the tabs go blank
    m_tabs->suljeKaikkiSivut();
    removeTemporaryPictures();
    // The settings are saved: the updated program takes over.
    if (m_restartAfterUpdate)
        ProgramRestart::start(m_update->check().installer().programFile());
}

// Temporary picture files the upload tools left behind (a run that ended
// mid-upload). The upload removes its own files once sent; a recent file may
// be another running program's upload in progress, and stays.
void TForm1::removeTemporaryPictures()
{
    constexpr qint64 kLeftoverPictureSecs = 60 * 60;   // far beyond any upload's wait
    const QDir temp(m_tempFolder.isEmpty() ? Paths::tempFolder() : m_tempFolder);
    const QDateTime stale = QDateTime::currentDateTime().addSecs(-kLeftoverPictureSecs);
    for (const QFileInfo &file : temp.entryInfoList({QStringLiteral("Vss*.jpg")}, QDir::Files))
        if (file.lastModified() < stale)
            QFile::remove(file.filePath());
}
