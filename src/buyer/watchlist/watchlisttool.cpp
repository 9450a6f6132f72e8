#include "buyer/watchlist/watchlisttool.h"
#include "buyer/watchlist/watchlistpage.h"
#include "client/apisession.h"
#include "client/httpapi.h"
#include "client/strutil.h"
#include "client/urlscheme.h"

WatchListTool::WatchListTool(const Parts &parts) : m_parts(parts), m_reminder(parts)
{
}

void WatchListTool::ladataanmuistilista()
{
    const QString page = m_parts.http->xmlhttpget(HttpApi::Lookup, UrlScheme::muistilista(m_parts.webBase), kTimeoutMs);
    katsotaanmuistilista(page);
}

void WatchListTool::katsotaanmuistilista(const QString &pageHtml)
{
    const QString closing = WatchListPage::closingTime(pageHtml);
    if (!closing.isEmpty())
        m_parts.host->showWatchListAlert(WatchListPage::alertText(closing));
}

void WatchListTool::Timer2Timer()
{
    if (!m_parts.api->userName().isEmpty())
        ladataanmuistilista();
}

void WatchListTool::Liskirjanmerkkeihin1Click(const QString &linkAddress)
{
    const QString item = StrUtil::palautaitemid(linkAddress);
    if (!StrUtil::validitemid(item))
        return;
    const QString address = UrlScheme::muistilistaanLisays(m_parts.webBase, item);
    HttpApi &http = *m_parts.http;
    if (http.busy(HttpApi::Lookup))
        return;
    m_parts.host->naytapaneeli(QStringLiteral("Odota.."), 3);
    if (http.xmlhttpget(HttpApi::Lookup, address, kTimeoutMs).contains(QLatin1String("muistilistalle")))
        m_parts.host->naytapaneeli(QStringLiteral("Lisätty muistilistalle!"), 3);
}

void WatchListTool::postiaClick(const QString &addressText, const QString &tabAddress)
{
    m_reminder.postiaClick(addressText, tabAddress);
}
