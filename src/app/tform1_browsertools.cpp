// The browser's everyday tools in the main window: the find bar, the tabs
// kept between runs, the downloads list, the history and the zoom level in
// the status line.
#include "tform1.h"
#include "mainmenu.h"
#include "browser/downloads/downloadlist.h"
#include "browser/downloads/downloadswindow.h"
#include "browser/downloads/downloadtracker.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/findbar/findbar.h"
#include "browser/history/historyrecorder.h"
#include "browser/history/historystore.h"
#include "browser/history/historywindow.h"
#include "browser/policy/downloadmanager.h"
#include "browser/session/sessionkeeper.h"
#include "browser/tabs/browserkeys.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tools/pagetools.h"
#include <QBoxLayout>
#include <QFileInfo>
#include <QLabel>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

void TForm1::buildBrowserTools()
{
    // The find bar sits at the bottom of the page, above the status line.
    m_findBar = new FindBar(m_tabs, centralWidget());
    auto *column = static_cast<QBoxLayout *>(centralWidget()->layout());
    column->insertWidget(column->count() - 1, m_findBar);
    m_zoomLabel = new QLabel(m_status->parentWidget());
    m_zoomLabel->setObjectName(QStringLiteral("zoomaustaso"));
    m_zoomLabel->hide();
    static_cast<QBoxLayout *>(m_status->parentWidget()->layout())->insertWidget(1, m_zoomLabel);
    // In the tab manager's care: the tabs may go before this window's members.
    connect(m_tabs->pageControl(), &QTabWidget::currentChanged, m_tabs, [this] { updateZoomLabel(); });

    m_session = new SessionKeeper(m_dataFolder, m_tabs, this, this);
    m_history = new HistoryStore(m_dataFolder, this);
    new HistoryRecorder(m_tabs, m_history, this);

    DownloadManager *downloads = m_pageTools->downloads();
    m_downloadList = new DownloadList(this);
    m_downloadTracker = new DownloadTracker(downloads, m_downloadList, this);
    connect(m_downloadTracker, &DownloadTracker::downloadDone, this, [this](const QString &path) {
        setStatusText(QStringLiteral("Lataus valmis: ") + QFileInfo(path).fileName());
    });
    // A link answered with a file leaves its page where it was: while the
    // save dialog is open the address box shows the page, not the file.
    connect(m_profile->profile(), &QWebEngineProfile::downloadRequested, this,
            [this](QWebEngineDownloadRequest *download) {
                TVasaroselain *active = m_tabs->activeBrowser();
                if (active && download->page() == active->page())
                    m_tabs->naytaosoite(active->locationUrl());
            });

    onMenu(QStringLiteral("Lataukset1"), [this] { showToolWindow(downloadsWindow()); });
    onMenu(QStringLiteral("Historia1"), [this] { historyWindow()->open(); });
}

// A tool window opens over the main window the first time, not wherever
// the window manager finds room (at 1024 x 768 that was half off the screen).
void TForm1::showToolWindow(QWidget *window)
{
    if (!window->isVisible() && !window->property("vsPlaced").toBool()) {
        window->move(geometry().center() - window->rect().center());
        window->setProperty("vsPlaced", true);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

DownloadsWindow *TForm1::downloadsWindow()
{
    if (!m_downloadsWindow)
        m_downloadsWindow = new DownloadsWindow(m_downloadList, m_downloadTracker, this);
    return m_downloadsWindow;
}

HistoryWindow *TForm1::historyWindow()
{
    if (!m_historyWindow) {
        m_historyWindow = new HistoryWindow(m_history, m_prompts, this);
        connect(m_historyWindow, &HistoryWindow::openRequested, this, &TForm1::aktiivisivu_navigate);
    }
    return m_historyWindow;
}

void TForm1::updateZoomLabel()
{
    TVasaroselain *view = m_tabs->activeBrowser();
    const int percent = view ? view->zoomPercent() : 100;
    m_zoomLabel->setText(QStringLiteral("Zoomaus %1 %").arg(percent));
    m_zoomLabel->setVisible(percent != 100);
}

// The browser keys that open the everyday tools.
void TForm1::browserToolKey(int action)
{
    switch (BrowserKeys::Action(action)) {
    case BrowserKeys::Action::CloseTab:
        m_tabs->Suljepois();
        break;
    case BrowserKeys::Action::ReopenTab:
        m_tabs->reopenClosedTab();
        break;
    case BrowserKeys::Action::ZoomReset:
        m_pageTools->zpnClick(ZoomRule::Step::Normal);
        updateZoomLabel();
        break;
    case BrowserKeys::Action::Downloads:
        showToolWindow(downloadsWindow());
        break;
    case BrowserKeys::Action::History:
        historyWindow()->open();
        break;
    case BrowserKeys::Action::Print:
        m_pageTools->Tulostasivu1Click();
        break;
    default:
        break;
    }
}
