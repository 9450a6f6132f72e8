#include "apisession.h"
#include "client/httpapi.h"
#include "client/httputil.h"
#include "client/jsonscan.h"
#include "client/logincapture.h"
#include "client/stopflag.h"
#include "client/urlscheme.h"
#include "core/settings.h"
#include "core/wholenumber.h"
#include <QElapsedTimer>

namespace {
qint64 monotonicMs()
{
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.elapsed();
}

constexpr int kTokenLength = 32;
const QString kNoBidder = QStringLiteral("Tietoa ei saatu");

// "2022-03-04T12:34:56+02:00": year 1-4, month 6-7, day 9-10, hour 12-13,
// minute 15-16, second 18-19; anything else is not a time.
QDateTime isoTime(const QString &text)
{
    if (text.size() < 19)
        return {};
    bool ok = true;
    auto number = [&text, &ok](int from, int len) {
        const std::optional<int> n = WholeNumber::readDigits(QStringView(text).mid(from, len));
        ok = ok && n;
        return n.value_or(0);
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    const QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!ok || !date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}
} // namespace

ApiSession::ApiSession(HttpApi &http, StopFlag &stop, ProgramClock &clock, const Settings &settings,
                       const QString &apiBase, ProgramClock::TickSource ticks, QObject *parent)
    : QObject(parent)
    , m_http(http)
    , m_stop(stop)
    , m_clock(clock)
    , m_settings(settings)
    , m_apiBase(apiBase)
    , m_ticks(ticks ? std::move(ticks) : ProgramClock::TickSource(monotonicMs))
{
}

bool ApiSession::captureLogin(const QByteArray &body)
{
    if (signedIn())
        return false;
    const auto credentials = LoginCapture::parse(body);
    if (!credentials)
        return false;
    m_userName = credentials->userName;
    m_password = credentials->password;
    clearToken();
    emit signedInChanged(true);
    return true;
}

void ApiSession::signOut()
{
    m_userName.clear();
    m_password.clear();
    clearToken();
    emit signedInChanged(false);
}

void ApiSession::clearToken()
{
    m_token.clear();
    m_userId.clear();
    m_tokenTick.reset();
}

bool ApiSession::check_api_token()
{
    if (!m_token.isEmpty() && m_tokenTick && !m_userId.isEmpty()
        && m_ticks() - *m_tokenTick < kTokenLifetimeMs)
        return true;
    m_stop.clear();
    clearToken();
    m_connectionFailed = false;
    if (m_userName.isEmpty())
        return false;     // nobody has signed in: no point asking the API

    const QByteArray body = "username=" + HttpUtil::HTTPEncode(m_userName).toLatin1()
                            + "&password=" + HttpUtil::HTTPEncode(m_password).toLatin1();
    const QString raw = m_http.xmlhttppost(HttpApi::General, m_apiBase + QStringLiteral("authentication/"),
                                           body, kLoginTimeoutMs, {QStringLiteral("Content-Type")},
                                           {QStringLiteral("application/x-www-form-urlencoded")});
    m_connectionFailed = m_http.lastRequestFailed(HttpApi::General) && !m_stop.isSet();
    const QString answer = JsonScan::JsonUnescapeCp1252(raw);
    static const QString idMarker = QStringLiteral("\"id\":\"");
    const int at = int(answer.indexOf(idMarker));
    if (at < 0 || m_stop.isSet())
        return false;
    const QString token = answer.mid(at + idMarker.size(), kTokenLength);
    static const QString usersMarker = QStringLiteral("/users/");
    const int u = int(answer.indexOf(usersMarker));
    QString userId;
    if (u >= 0) {
        userId = answer.mid(u + usersMarker.size());
        userId.truncate(int(userId.indexOf(u'"')) >= 0 ? int(userId.indexOf(u'"')) : userId.size());
    }
    // A cut-off or garbled answer must not leave a half token for 30 minutes.
    if (token.size() != kTokenLength || token.contains(u'"') || userId.isEmpty())
        return false;
    m_token = token;
    m_userId = userId;
    m_tokenTick = m_ticks();
    if (m_settings.vasaroaika)
        setClockFromAnswer(answer);
    return true;
}

void ApiSession::setClockFromAnswer(const QString &answer)
{
    const QDateTime updated = isoTime(JsonScan::JsonParse(answer, QStringLiteral("\"updated\":\""),
                                                          QStringLiteral("\"")));
    if (updated.isValid())
        m_clock.setFromMarketplace(updated);
}

QString ApiSession::latestBidder(const QString &itemNumber)
{
    const QString answer = m_http.xmlhttpget(
        HttpApi::General, UrlScheme::apiLatestBid(m_apiBase, itemNumber),
        kBidderTimeoutMs);
    if (answer.isEmpty() && m_http.lastRequestFailed(HttpApi::General))
        return HttpApi::connectionFailedText();
    static const QString marker = QStringLiteral(",\"bidder\":\"");
    const int at = int(answer.indexOf(marker));
    if (at < 0)
        return kNoBidder;
    QString name = answer.mid(at + marker.size());
    const int end = int(name.indexOf(QStringLiteral("\",\"")));
    if (end < 0)
        return kNoBidder;
    name.truncate(end);
    // Names arrive with JSON escapes (\u00e4): show the letters.
    return JsonScan::JsonUnescapeCp1252(name).replace(JsonScan::kPlaceholder, u'"');
}

QStringList ApiSession::tokenHeaderNames() const
{
    return {QStringLiteral("Content-Type"), QStringLiteral("X-VasaroApiToken")};
}

QStringList ApiSession::tokenHeaderValues() const
{
    return {QStringLiteral("text/xml"), m_token};
}
