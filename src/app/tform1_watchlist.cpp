// The main window's watch list and e-mail reminder: the alert `XiPanel3` in
// the tool bar with its desktop notification, the ten-minute check of
// `Timer2`, the link menu item "Lisää muistilistaan" and the button `postia`.
#include "tform1.h"
#include "widgets/featurerow.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/watchlist/watchlistalert.h"
#include "buyer/watchlist/watchlistnotice.h"
#include "buyer/watchlist/watchlisttool.h"
#include "client/apisession.h"
#include "client/http.h"
#include <QAbstractButton>
#include <QAction>
#include <QHBoxLayout>
#include <QTimer>

namespace {
// Link menu item 8, "Lisää muistilistaan".
constexpr int kLinkMenuWatchListItem = 8;

// Owns the tool; an alert that is new also goes to the desktop.
class MainWindowWatchListHost final : public QObject, public WatchListHost {
public:
    MainWindowWatchListHost(TForm1 *window, WatchListAlert *alert, WatchListNotice *notice,
                            WatchListTool::Parts parts)
        : QObject(window), m_window(window), m_alert(alert), m_notice(notice)
    {
        parts.host = this;
        m_tool = std::make_unique<WatchListTool>(parts);
    }
    WatchListTool *tool() const { return m_tool.get(); }

    void naytapaneeli(const QString &text, int ticks) override { m_window->naytapaneeli(text, ticks); }
    void naytaMuistilistaHalytys(const QString &text) override
    {
        if (m_alert->naytaHalytys(text))
            m_notice->notify(text);
    }

private:
    TForm1 *m_window;
    WatchListAlert *m_alert;
    WatchListNotice *m_notice;
    std::unique_ptr<WatchListTool> m_tool;
};
}

void TForm1::buildWatchList()
{
    m_watchAlert = new WatchListAlert(m_toolbar);
    m_featureRow->addFeature(m_watchAlert);
    registerControl(m_watchAlert);
    m_watchNotice = new WatchListNotice(this, [this] { m_tabs->Selain_kirjanmerkitClick(); });

    WatchListTool::Parts parts;
    parts.http = m_http;
    parts.api = m_api;
    parts.clock = &m_clock;
    parts.prompts = m_prompts;
    parts.webBase = m_endpoints.webBase();
    parts.apiBase = m_endpoints.apiBase();
    parts.reminderService = m_endpoints.reminderService();
    m_watchList = (new MainWindowWatchListHost(this, m_watchAlert, m_watchNotice, parts))->tool();
    m_pipeline->features().watchList = m_watchList;

    connect(m_timer2, &QTimer::timeout, this, [this] { m_watchList->Timer2Timer(); });
    if (auto *mail = qobject_cast<QAbstractButton *>(m_controls.value(QStringLiteral("postia")))) {
        connect(mail, &QAbstractButton::clicked, this, [this] {
            const TVasaroselain *active = m_tabs->activeBrowser();
            m_watchList->postiaClick(addressText(), active ? active->locationUrl() : QString());
        });
    }
    ContextMenus *menus = m_tabs->contextMenus();
    connect(menus->linkItem(kLinkMenuWatchListItem), &QAction::triggered, this, [this] {
        const QString remembered = m_tabs->linkAddress();
        m_tabs->setLinkAddress(QString());
        m_watchList->Liskirjanmerkkeihin1Click(statusText(), remembered);
    });
    menus->setLinkItemAvailable(kLinkMenuWatchListItem, true);
}
