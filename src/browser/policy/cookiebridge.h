#pragma once
// Shares the marketplace login between the browser tabs and the program's own
// requests: every cookie of the browser profile (HttpOnly ones included) is
// copied into the transport's cookie jar as it appears or goes, and cookies
// that marketplace answers to the program's own requests set are handed back
// to the browser profile.
//
// Create it before the first page loads. The engine (Qt 6.4) reports a cookie
// to the store's listeners only when it is set or removed during this run, so
// cookies it kept on disk from an earlier run never reach the jar that way.
// keepSavedCookies() closes that gap: the bridge keeps the marketplace's
// lasting cookies in a file of its own (browser/cookiefile.h) and puts them
// into the jar at start, so a user who stays signed in between runs finds the
// program's own requests signed in too.
#include <QHash>
#include <QList>
#include <QNetworkCookie>
#include <QObject>
#include <QString>
#include <QUrl>

class CookieJar;
class QTimer;
class QWebEngineCookieStore;

class CookieBridge final : public QObject {
    Q_OBJECT
public:
    // `domain` limits the way back to answers from hosts ending in it (the
    // marketplace domain), and the kept cookies to cookies of that domain;
    // empty means every host.
    CookieBridge(QWebEngineCookieStore *store, CookieJar *jar, const QString &domain = QString(),
                 QObject *parent = nullptr);
    ~CookieBridge() override;   // writes a change not yet saved

    // Loads the cookies kept in `path` by an earlier run into the jar now
    // (call it before the first request), then rewrites the file, owner-only
    // and atomically, whenever the marketplace's lasting cookies change.
    void keepSavedCookies(const QString &path);

private:
    void browserCookieAdded(const QNetworkCookie &cookie);
    void browserCookieRemoved(const QNetworkCookie &cookie);
    void answerSetCookies(const QList<QNetworkCookie> &cookies, const QUrl &url);
    bool ofMarketplace(const QString &host) const;
    void remember(const QNetworkCookie &cookie, bool present);
    void saveKeptCookies();

    QWebEngineCookieStore *m_store;
    CookieJar *m_jar;
    QString m_domain;
    QString m_keptFile;
    QHash<QByteArray, QNetworkCookie> m_kept;   // by name, domain and path
    QTimer *m_saveTimer = nullptr;
};
