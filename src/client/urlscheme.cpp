#include "urlscheme.h"

namespace {
bool has(const QString &url, QLatin1String word)
{
    return url.contains(word, Qt::CaseInsensitive);
}
} // namespace

UrlScheme::UrlScheme(const Endpoints &endpoints)
    : m_webBase(endpoints.webBase()), m_domain(endpoints.domain()), m_apiBase(endpoints.apiBase())
{
}

QString UrlScheme::kohde(const QString &itemNumber) const
{
    return kohde(m_webBase, itemNumber);
}

QString UrlScheme::kayttaja(const QString &userId) const
{
    return m_webBase + PathWord::kayttaja + userId;
}

QString UrlScheme::hakulomake() const
{
    return m_webBase + PathWord::haku;
}

QString UrlScheme::myyjanKohteet(const QString &userId) const
{
    return myyjanKohteet(m_webBase, userId);
}

QString UrlScheme::myyjanKohteetSivu(const QString &userId, int page) const
{
    return myyjanKohteetSivu(m_webBase, userId, page);
}

QString UrlScheme::haku(const QString &segments) const
{
    return m_webBase + PathWord::rakenteinenHaku + segments;
}

QString UrlScheme::muistilista() const
{
    return muistilista(m_webBase);
}

QString UrlScheme::omasivu() const
{
    return m_webBase + PathWord::omasivuOsoite;
}

QString UrlScheme::muistilistaanLisays(const QString &itemNumber) const
{
    return muistilistaanLisays(m_webBase, itemNumber);
}

QString UrlScheme::kohde(const QString &webBase, const QString &itemNumber)
{
    return webBase + PathWord::kohteet + itemNumber;
}

QString UrlScheme::myyjanKohteet(const QString &webBase, const QString &userId)
{
    return webBase + PathWord::myyjanKohteetOsoite + userId;
}

QString UrlScheme::myyjanKohteetSivu(const QString &webBase, const QString &userId, int page)
{
    return myyjanKohteet(webBase, userId) + PathWord::sivu + QString::number(page);
}

QString UrlScheme::muistilista(const QString &webBase)
{
    return webBase + PathWord::muistilista;
}

QString UrlScheme::muistilistaanLisays(const QString &webBase, const QString &itemNumber)
{
    return webBase + PathWord::muistilistaanLisays + itemNumber;
}

QString UrlScheme::relistForm(const QString &webBase, const QString &itemNumber)
{
    return webBase + PathWord::uusiIlmoitus + u'/' + itemNumber + PathWord::uudelleenlistaus;
}

QString UrlScheme::apiItem(const QString &apiBase, const QString &itemNumber)
{
    return apiBase + PathWord::apiKohde + itemNumber;
}

QString UrlScheme::apiItemPurchases(const QString &apiBase, const QString &itemNumber)
{
    return apiItem(apiBase, itemNumber) + QLatin1String("/purchases");
}

QString UrlScheme::apiLatestBid(const QString &apiBase, const QString &itemNumber)
{
    return apiItem(apiBase, itemNumber) + QLatin1String("/bids?&num=1");
}

QString UrlScheme::apiUser(const QString &apiBase, const QString &userId)
{
    return apiBase + PathWord::apiKayttaja + userId;
}

bool UrlScheme::isMarketplace(const QString &url) const
{
    return !m_domain.isEmpty() && url.contains(m_domain, Qt::CaseInsensitive);
}

bool UrlScheme::mentionsMarketplace(const QString &url)
{
    return url.contains(marketplaceWord(), Qt::CaseInsensitive);
}

bool UrlScheme::isItemPage(const QString &url) { return has(url, PathWord::kohdesivu); }
bool UrlScheme::isSearchResult(const QString &url) { return has(url, PathWord::hakutulos); }
bool UrlScheme::isAdvancedSearch(const QString &url) { return has(url, PathWord::tarkennettuHaku); }
bool UrlScheme::isReadableSearchResult(const QString &url) { return has(url, PathWord::luettavaHakutulos); }
bool UrlScheme::isCategoryPage(const QString &url) { return has(url, PathWord::osasto); }
bool UrlScheme::isNewListingForm(const QString &url) { return has(url, PathWord::uusiIlmoitus); }
bool UrlScheme::isRelistStep12(const QString &url) { return has(url, PathWord::uudelleen12); }
bool UrlScheme::isOwnSales(const QString &url) { return has(url, PathWord::omatMyynnit); }

bool UrlScheme::isNewListingFormShown(const QString &url)
{
    return isNewListingForm(url) && !isPreviewPage(url);
}

bool UrlScheme::isRelistForm(const QString &url)
{
    return has(url, PathWord::uudelleen) && isNewListingForm(url);
}

bool UrlScheme::isListingPage(const QString &url)
{
    if (isSearchResult(url))
        return true;
    const int at = url.indexOf(PathWord::osasto, 0, Qt::CaseInsensitive);
    if (at < 0)
        return false;
    const int slash = url.indexOf(u'/', at + PathWord::osasto.size());
    return slash >= 0 && url.indexOf(u'/', slash + 1) > slash;
}
bool UrlScheme::isEditListingForm(const QString &url) { return has(url, PathWord::muokkaaIlmoitusta); }
bool UrlScheme::isPreviewPage(const QString &url) { return has(url, PathWord::esikatselu); }
bool UrlScheme::isWatchList(const QString &url) { return has(url, PathWord::muistilista); }
bool UrlScheme::isOwnPage(const QString &url) { return has(url, PathWord::omasivu); }
bool UrlScheme::isLogin(const QString &url) { return has(url, PathWord::kirjaudu); }
bool UrlScheme::isLogout(const QString &url) { return has(url, PathWord::kirjauduUlos); }

bool UrlScheme::isForumThread(const QString &url)
{
    return has(url, PathWord::keskustelu) && has(url, PathWord::keskusteluketju);
}

QString UrlScheme::fromItemWord(const QString &text)
{
    if (!has(text, PathWord::kohdesivu))
        return QString();
    return text.mid(text.indexOf(PathWord::kohteet, 0, Qt::CaseInsensitive));
}

QString UrlScheme::legacyQuickSearchCommand(const QUrl &url, const QString &domain)
{
    return isMarketplaceHost(url, domain) ? legacyQuickSearchCommand(url.path()) : QString();
}

bool UrlScheme::isMarketplaceHost(const QUrl &url, const QString &domain)
{
    const QString scheme = url.scheme().toLower();
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        return false;
    QString d = domain.trimmed().toLower();
    if (d.endsWith(u'.'))
        d.chop(1);
    QString host = url.host().toLower();
    if (host.endsWith(u'.'))
        host.chop(1);
    return !d.isEmpty() && (host == d || host.endsWith(u'.' + d));
}

bool UrlScheme::isSignInTarget(const QUrl &url, const QString &domain)
{
    return isMarketplaceHost(url, domain) && has(url.path(), PathWord::kirjaudu);
}

QString UrlScheme::legacyQuickSearchCommand(const QString &url)
{
    if (has(url, PathWord::vanhaKayttajahaku))
        return QStringLiteral("kayttajahaku");
    if (has(url, PathWord::vanhaKohdehaku))
        return QStringLiteral("kohdehaku");
    return QString();
}

QString UrlScheme::palauta_tunnus(const QList<Link> &links)
{
    for (const Link &link : links) {
        if (!has(link.outerHtml, PathWord::kayttajalinkki))
            continue;
        return link.innerText.startsWith(u' ') ? link.innerText.mid(1) : link.innerText;
    }
    return QString();
}
