#pragma once
// Shares the marketplace login between the browser tabs and the program's own
// requests: every cookie of the browser profile (HttpOnly ones included) is
// copied into the transport's cookie jar as it appears or goes, and cookies
// that marketplace answers to the program's own requests set are handed back
// to the browser profile.
//
// Create it before the first page loads: the engine (Qt 6.4) reports a cookie
// to the store's listeners only when it is set or removed during this run, so
// cookies kept on disk from an earlier run are not copied until the
// marketplace sets them again (it does at every sign-in).
#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QString>
#include <QUrl>

class CookieJar;
class QWebEngineCookieStore;

class CookieBridge final : public QObject {
    Q_OBJECT
public:
    // `domain` limits the way back to answers from hosts ending in it (the
    // marketplace domain); empty hands back every answer's cookies.
    CookieBridge(QWebEngineCookieStore *store, CookieJar *jar, const QString &domain = QString(),
                 QObject *parent = nullptr);

private:
    void browserCookieAdded(const QNetworkCookie &cookie);
    void browserCookieRemoved(const QNetworkCookie &cookie);
    void answerSetCookies(const QList<QNetworkCookie> &cookies, const QUrl &url);

    QWebEngineCookieStore *m_store;
    CookieJar *m_jar;
    QString m_domain;
};
