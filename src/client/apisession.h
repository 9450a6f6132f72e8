#pragma once
// The REST API sign-in. The user's name and password are picked out of the
// marketplace's own login form when the user signs in inside a browser tab,
// kept in memory only (never written anywhere), and used to log in to the API
// on demand; the token is renewed after 30 minutes. The login answer's
// "updated" time sets the program clock when the user wants marketplace time.
#include "core/programclock.h"
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <optional>

class HttpApi;
class StopFlag;
struct Settings;

class ApiSession final : public QObject {
    Q_OBJECT
public:
    // `ticks` is the millisecond tick source of the token age (monotonic when
    // empty); `apiBase` ends in "/1.1/".
    ApiSession(HttpApi &http, StopFlag &stop, ProgramClock &clock, const Settings &settings,
               const QString &apiBase, ProgramClock::TickSource ticks = {},
               QObject *parent = nullptr);

    static constexpr qint64 kTokenLifetimeMs = 1800000;   // 30 minutes
    static constexpr int kLoginTimeoutMs = 40000;
    static constexpr int kBidderTimeoutMs = 10000;

    // The raw urlencoded login-form body. Ignored (false) while a user is
    // signed in or when the body lacks "userid=" or "password=".
    bool captureLogin(const QByteArray &body);
    // The marketplace's sign-out: forgets the user, password and token.
    void signOut();

    // Makes sure a valid token and user id exist, logging in when there is
    // none or it is 30 minutes old. False on wrong credentials, a failed or
    // timed-out request, or when the stop flag was set meanwhile.
    bool check_api_token();
    // True when the last login of check_api_token got no answer at all (the
    // API could not be reached): the caller then says the connection failed
    // rather than that the sign-in was refused.
    bool connectionFailed() const { return m_connectionFailed; }

    // The user name of the latest bidder of an item, or "Tietoa ei saatu";
    // when the API cannot be reached, the connection-failed text.
    QString latestBidder(const QString &itemNumber);

    bool signedIn() const { return !m_userName.isEmpty(); }
    QString userName() const { return m_userName; }
    QString password() const { return m_password; }
    QString apiToken() const { return m_token; }
    QString userId() const { return m_userId; }
    QString apiBase() const { return m_apiBase; }

    // The headers of requests that need the token: "Content-Type" = "text/xml"
    // and "X-VasaroApiToken" = the token.
    QStringList tokenHeaderNames() const;
    QStringList tokenHeaderValues() const;

signals:
    // Enables (true) or disables (false) the e-mail reminder button `postia`.
    void signedInChanged(bool signedIn);

private:
    void clearToken();
    void setClockFromAnswer(const QString &answer);

    HttpApi &m_http;
    StopFlag &m_stop;
    ProgramClock &m_clock;
    const Settings &m_settings;
    QString m_apiBase;
    ProgramClock::TickSource m_ticks;

    QString m_userName;
    QString m_password;
    QString m_token;
    QString m_userId;
    std::optional<qint64> m_tokenTick;
    bool m_connectionFailed = false;
};
