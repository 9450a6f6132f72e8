#pragma once
// The transport's cookie jar. It is filled from the browser profile's cookie
// store (browser/cookiebridge) so the program's own requests carry the user's
// marketplace login, and it reports the cookies that answers set so they can
// be handed back to the browsers.
#include <QList>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QUrl>

class CookieJar final : public QNetworkCookieJar {
    Q_OBJECT
public:
    explicit CookieJar(QObject *parent = nullptr);

    // Stores or replaces a cookie (same name, domain and path).
    void put(const QNetworkCookie &cookie);
    void drop(const QNetworkCookie &cookie);
    QList<QNetworkCookie> cookies() const { return allCookies(); }

    bool setCookiesFromUrl(const QList<QNetworkCookie> &cookieList, const QUrl &url) override;

signals:
    // Cookies set by an answer to one of the program's own requests.
    void cookiesReceived(const QList<QNetworkCookie> &cookies, const QUrl &url);
};
