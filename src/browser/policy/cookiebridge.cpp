#include "browser/policy/cookiebridge.h"
#include "browser/policy/cookiefile.h"
#include "client/cookiejar.h"
#include <QDateTime>
#include <QTimer>
#include <QWebEngineCookieStore>

namespace {
QByteArray keyOf(const QNetworkCookie &cookie)
{
    return cookie.name() + '\n' + cookie.domain().toUtf8() + '\n' + cookie.path().toUtf8();
}
}

CookieBridge::CookieBridge(QWebEngineCookieStore *store, CookieJar *jar, const QString &domain,
                           QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_jar(jar)
    , m_domain(domain.toLower())
{
    // A burst of changes (a sign-in sets several cookies) is written once.
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(0);
    connect(m_saveTimer, &QTimer::timeout, this, &CookieBridge::saveKeptCookies);
    connect(store, &QWebEngineCookieStore::cookieAdded, this, &CookieBridge::browserCookieAdded);
    connect(store, &QWebEngineCookieStore::cookieRemoved, this, &CookieBridge::browserCookieRemoved);
    connect(jar, &CookieJar::cookiesReceived, this, &CookieBridge::answerSetCookies);
    store->loadAllCookies();   // whatever the engine still reports arrives through cookieAdded
}

CookieBridge::~CookieBridge()
{
    if (m_saveTimer->isActive())
        saveKeptCookies();
}

void CookieBridge::keepSavedCookies(const QString &path)
{
    m_keptFile = path;
    const QList<QNetworkCookie> saved = CookieFile::read(path, QDateTime::currentDateTimeUtc());
    for (const QNetworkCookie &cookie : saved) {
        if (!ofMarketplace(cookie.domain()))
            continue;
        m_jar->put(cookie);
        m_kept.insert(keyOf(cookie), cookie);
    }
}

void CookieBridge::browserCookieAdded(const QNetworkCookie &cookie)
{
    m_jar->put(cookie);
    remember(cookie, true);
}

void CookieBridge::browserCookieRemoved(const QNetworkCookie &cookie)
{
    m_jar->drop(cookie);
    remember(cookie, false);
}

bool CookieBridge::ofMarketplace(const QString &host) const
{
    QString h = host.toLower();
    if (h.startsWith(u'.'))
        h.remove(0, 1);
    return m_domain.isEmpty() || h == m_domain || h.endsWith(u'.' + m_domain);
}

// Only what the engine itself keeps between runs is kept: lasting cookies.
void CookieBridge::remember(const QNetworkCookie &cookie, bool present)
{
    if (m_keptFile.isEmpty() || !ofMarketplace(cookie.domain()))
        return;
    const QByteArray key = keyOf(cookie);
    const bool lasting = present && !cookie.isSessionCookie();
    if (lasting)
        m_kept.insert(key, cookie);
    else if (!m_kept.remove(key))
        return;
    m_saveTimer->start();
}

void CookieBridge::saveKeptCookies()
{
    m_saveTimer->stop();
    CookieFile::write(m_keptFile, m_kept.values());
}

void CookieBridge::answerSetCookies(const QList<QNetworkCookie> &cookies, const QUrl &url)
{
    if (!ofMarketplace(url.host()))
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
