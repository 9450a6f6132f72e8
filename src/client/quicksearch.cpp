#include "quicksearch.h"
#include "client/httpapi.h"
#include "client/httputil.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "core/prompts.h"

namespace {
// A seller search with every other field empty or neutral.
constexpr char kSellerSearch[] =
    "areabase=&price_min=&price_max=&seller_type=C&bidder=&wordsfrom=&status=N&addtime=0"
    "&closingtime=0&words=&seller=";
constexpr int kLookupTimeoutMs = 20000;
constexpr int kUserIdMaxDigits = 8;
} // namespace

QuickSearch::QuickSearch(const UrlScheme &urls, HttpApi &http) : m_urls(urls), m_http(http) {}

QString QuickSearch::tunnuksestaid(const QString &encodedName, bool *connectionFailed) const
{
    const QByteArray body = QByteArray(kSellerSearch) + encodedName.toLatin1();
    const QString answer = m_http.xmlhttppost(
        HttpApi::Lookup, m_urls.hakulomake(), body, kLookupTimeoutMs,
        {QStringLiteral("Content-Type")}, {QStringLiteral("application/x-www-form-urlencoded")});
    if (connectionFailed)
        *connectionFailed = m_http.lastRequestFailed(HttpApi::Lookup);
    const int at = answer.indexOf(PathWord::myyjanKohteet);
    if (at < 0)
        return QString();
    return StrUtil::leadingDigits(answer.mid(at + PathWord::myyjanKohteet.size(), kUserIdMaxDigits));
}

QString QuickSearch::kayttajanId(const QString &name, bool *connectionFailed) const
{
    return tunnuksestaid(HttpUtil::HTTPEncode(name), connectionFailed);
}

QString QuickSearch::KohdenumerollahakuClick(Prompts &prompts) const
{
    const auto number = prompts.input(QStringLiteral("Kohdenumerolla haku"), QStringLiteral("Anna kohteen numero?"));
    if (!number || number->isEmpty())
        return QString();
    return m_urls.kohde(*number);
}

QString QuickSearch::Kyttjhaku1Click(Prompts &prompts) const
{
    const auto name = prompts.input(QStringLiteral("Käyttäjähaku"), QStringLiteral("Anna käyttäjän tunnus?"));
    if (!name || name->isEmpty())
        return QString();
    return profileOf(*name, prompts);
}

QString QuickSearch::XiButton2Click(const QString &haku_kohde) const
{
    return haku_kohde.isEmpty() ? QString() : m_urls.kohde(haku_kohde);
}

QString QuickSearch::XiButton6Click(const QString &haku_kayttaja, Prompts &prompts) const
{
    // An empty seller field would make the marketplace list every seller and
    // the lookup pick an arbitrary one, so an empty edit opens nothing.
    if (haku_kayttaja.isEmpty())
        return QString();
    return profileOf(haku_kayttaja, prompts);
}

QString QuickSearch::profileOf(const QString &name, Prompts &prompts) const
{
    bool failed = false;
    const QString userId = kayttajanId(name, &failed);
    if (userId.isEmpty()) {
        prompts.information(failed ? HttpApi::connectionFailedText() : QStringLiteral("Käyttäjää ei löytynyt!"));
        return QString();
    }
    return m_urls.kayttaja(userId);
}
