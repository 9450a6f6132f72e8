#include "seller/automation/relisting.h"
#include "client/httpapi.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "core/prompts.h"
#include "core/settings.h"

Relisting::Relisting(const Settings &settings, const UrlScheme &urls, HttpApi &http, Prompts &prompts,
                     RelistHost &host)
    : m_settings(settings), m_urls(urls), m_http(http), m_prompts(prompts), m_host(host)
{
}

QString Relisting::relistAddress(const QString &webBase, const QString &itemNumber, Kind kind)
{
    QString address = UrlScheme::relistForm(webBase, itemNumber);
    if (kind == Kind::Send)
        address += u'/' + PathWord::uudelleen;
    else if (kind == Kind::SendApprove)
        address += u'/' + PathWord::uudelleen12;
    return address;
}

void Relisting::huutouudelleenClick(Kind kind)
{
    const int previous = m_host.activeTabIndex();
    const QString number = StrUtil::palautaitemid(m_host.takeLink());
    const QString address = relistAddress(m_urls.webBase(), number, kind);
    // The form is filled with the closing time chosen as of now.
    if (address.contains(QLatin1String("uudelleen")))
        m_host.refreshClosingTime();
    m_host.openInNewTab(address);
    if (kind == Kind::SendApprove) {
        m_host.statusNotice(QStringLiteral("Avataan ") + number, 30);
        m_host.restoreTab(previous);
    }
    if (!m_settings.siirry)
        m_host.restoreTab(previous);
}

void Relisting::lopetahuutoClick()
{
    const QString link = m_host.takeLink();
    const QString number = StrUtil::palautaitemid(link);
    if (!StrUtil::validitemid(number))
        return;
    if (m_prompts.confirm(QStringLiteral("Suljetaan kohde %1").arg(number), true) != Prompts::Answer::Yes)
        return;
    const QString answer = m_http.xmlhttpget(HttpApi::Closing, link + QStringLiteral("/close"), kCloseTimeoutMs);
    if (!answer.isEmpty())
        m_host.naytapaneeli(QStringLiteral("Kohde on suljettu!"), 3);
}
