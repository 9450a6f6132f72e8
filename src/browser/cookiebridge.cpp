#include "cookiebridge.h"
#include "client/cookiejar.h"
#include <QDateTime>
#include <QWebEngineCookieStore>

CookieBridge::CookieBridge(QWebEngineCookieStore *store, CookieJar *jar, const QString &domain,
                           QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_jar(jar)
    , m_domain(domain.toLower())
{
    connect(store, &QWebEngineCookieStore::cookieAdded, this, &CookieBridge::browserCookieAdded);
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, &CookieBridge::browserCookieRemoved);
    connect(jar, &CookieJar::cookiesReceived, this, &CookieBridge::answerSetCookies);
    store->loadAllCookies();   // the stored ones arrive through cookieAdded
}

void CookieBridge::browserCookieAdded(const QNetworkCookie &cookie)
{
    m_jar->put(cookie);
}

void CookieBridge::browserCookieRemoved(const QNetworkCookie &cookie)
{
    m_jar->drop(cookie);
}

void CookieBridge::answerSetCookies(const QList<QNetworkCookie> &cookies, const QUrl &url)
{
    const QString host = url.host().toLower();
    if (!m_domain.isEmpty() && host != m_domain && !host.endsWith(u'.' + m_domain))
        return;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QNetworkCookie &cookie : cookies) {
        // An expiry in the past is how a server deletes a cookie.
        if (!cookie.isSessionCookie() && cookie.expirationDate() <= now)
            m_store->deleteCookie(cookie, url);
        else
            m_store->setCookie(cookie, url);
    }
}
