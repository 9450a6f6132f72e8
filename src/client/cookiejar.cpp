#include "cookiejar.h"

CookieJar::CookieJar(QObject *parent)
    : QNetworkCookieJar(parent)
{
}

void CookieJar::put(const QNetworkCookie &cookie)
{
    if (!insertCookie(cookie))
        updateCookie(cookie);
}

void CookieJar::drop(const QNetworkCookie &cookie)
{
    deleteCookie(cookie);
}

bool CookieJar::setCookiesFromUrl(const QList<QNetworkCookie> &cookieList, const QUrl &url)
{
    const bool stored = QNetworkCookieJar::setCookiesFromUrl(cookieList, url);
    if (!cookieList.isEmpty())
        emit cookiesReceived(cookieList, url);
    return stored;
}
