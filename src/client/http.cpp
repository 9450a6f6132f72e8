#include "http.h"
#include "client/httputil.h"
#include "client/uploadbody.h"
#include "client/urlscheme.h"
#include "core/cp1252.h"
#include "core/endpoints.h"
#include "core/waitfor.h"
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QStringDecoder>
#include <QUrl>
#include <memory>

namespace {

// Redirect loops end long before Qt's own limit of 50.
constexpr int kMaxRedirects = 20;

bool isHttpAnswer(QNetworkReply::NetworkError error)
{
    // Error codes of the content (2xx) and server (4xx) groups stand for HTTP
    // error statuses whose page did arrive; the rest are transport failures.
    const int code = int(error);
    if (error == QNetworkReply::ContentReSendError)
        return false;
    return code == 0 || (code > 200 && code < 300) || (code > 400 && code < 500);
}

QByteArray charsetOf(const QByteArray &contentType)
{
    const QByteArray lower = contentType.toLower();
    const int at = lower.indexOf("charset=");
    if (at < 0)
        return {};
    QByteArray cs = lower.mid(at + 8);
    const int semi = cs.indexOf(';');
    if (semi >= 0)
        cs.truncate(semi);
    return cs.replace('"', "").replace('\'', "").trimmed();
}

// The answer as text, decoded the way the program has always read answers: the
// declared character set, a byte-order mark, otherwise UTF-8. Bytes that are
// not valid UTF-8 are read as Windows-1252 (so Latin letters survive) instead
// of turning into replacement characters.
QString answerText(const QByteArray &body, const QByteArray &contentType)
{
    const QByteArray cs = charsetOf(contentType);
    if (cs == "iso-8859-1" || cs == "latin1" || cs == "latin-1" || cs == "windows-1252"
        || cs == "cp1252" || cs == "us-ascii")
        return Cp1252::decode(body);
    if (cs.startsWith("utf-16") || body.startsWith("\xff\xfe") || body.startsWith("\xfe\xff")) {
        if (auto enc = QStringConverter::encodingForData(body)) {
            QStringDecoder dec(*enc);
            return dec.decode(body);
        }
        QStringDecoder dec(QStringDecoder::Utf16LE);
        return dec.decode(body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body.startsWith("\xef\xbb\xbf") ? body.mid(3) : body);
    if (!utf8.hasError())
        return text;
    return Cp1252::decode(body);
}

// Characters Windows-1252 lacks become "?".
QString inCp1252(const QString &text)
{
    return Cp1252::decode(Cp1252::encode(text));
}

} // namespace

Http::Http(const Endpoints &endpoints, QObject *parent)
    : QObject(parent)
    , m_nam(new QNetworkAccessManager(this))
    , m_jar(new CookieJar(this))
{
    m_nam->setCookieJar(m_jar);   // the manager adopts it
    m_nam->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
    QString proxyText = endpoints.proxy().trimmed();
    if (!proxyText.isEmpty() && !proxyText.contains(QStringLiteral("://")))
        proxyText.prepend(QStringLiteral("http://"));   // "host:port" is fine too
    const QUrl proxy(proxyText);
    if (proxy.isValid() && !proxy.host().isEmpty())
        m_nam->setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxy.host(), quint16(proxy.port(8080))));
}

Http::~Http() = default;

bool Http::busy(Object object) const
{
    return m_inFlight[object] > 0;
}

void Http::addHeaders(QNetworkRequest &request, const QStringList &names,
                      const QStringList &values) const
{
    const int n = qMin(names.size(), values.size());
    for (int i = 0; i < n; ++i) {
        if (!names.at(i).isEmpty())
            request.setRawHeader(Cp1252::encode(names.at(i)), Cp1252::encode(values.at(i)));
    }
    if (!m_userAgent.isEmpty())
        request.setRawHeader("User-Agent", Cp1252::encode(m_userAgent));
}

Http::Answer Http::exchange(Object object, const QByteArray &method, const QString &url,
                           const QByteArray &body, const QStringList &headerNames,
                           const QStringList &headerValues, int timeoutMs, bool watchStop)
{
    QPointer<Http> self(this);
    Answer answer = run(object, method, url, body, headerNames, headerValues, timeoutMs, watchStop);
    // Noted after the wait: a request started meanwhile on the same object
    // has already been answered and read by its own caller.
    if (self) {
        m_failed[object] = !answer.ok;
        m_status[object] = answer.ok ? answer.status : 0;
    }
    return answer;
}

Http::Answer Http::run(Object object, const QByteArray &method, const QString &url,
                       const QByteArray &body, const QStringList &headerNames,
                       const QStringList &headerValues, int timeoutMs, bool watchStop)
{
    const QUrl target(url);
    if (!target.isValid() || target.scheme().isEmpty())
        return {};
    QNetworkRequest request(target);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    addHeaders(request, headerNames, headerValues);

    QPointer<Http> self(this);
    QPointer<QNetworkReply> reply = method == "POST" ? m_nam->post(request, body) : m_nam->get(request);
    auto tooBig = std::make_shared<bool>(false);
    const qint64 limit = m_maxAnswer;
    connect(reply, &QNetworkReply::downloadProgress, reply, [tooBig, reply, limit](qint64 got, qint64 total) {
        if (reply && (got > limit || total > limit)) {
            *tooBig = true;
            reply->abort();
        }
    });
    ++m_inFlight[object];
    const bool finished = waitFor([&] {
        return !reply || reply->isFinished() || (watchStop && self && m_stop.isSet());
    }, timeoutMs);
    if (!self)          // the transport went away while we waited
        return {};
    --m_inFlight[object];
    if (!reply)
        return {};
    reply->deleteLater();
    if (!finished || !reply->isFinished()) {   // time-out or stop: leave nothing pending
        reply->abort();
        return {};
    }
    Answer answer;
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    answer.status = status.isValid() ? status.toInt() : 0;
    const bool httpUrl = target.scheme().startsWith(QLatin1String("http"));
    if (*tooBig || !isHttpAnswer(reply->error()) || (httpUrl && !status.isValid()))
        return {};
    answer.ok = true;
    answer.body = reply->readAll();
    answer.contentType = reply->rawHeader("Content-Type");
    return answer;
}

QString Http::xmlhttpget(Object object, const QString &url, int timeoutMs)
{
    const Answer a = exchange(object, "GET", url, {}, {QStringLiteral("Content-Type")},
                         {QStringLiteral("text/html")}, timeoutMs, false);
    if (!a.ok || a.status != 200)
        return {};
    return inCp1252(answerText(a.body, a.contentType));
}

QString Http::xmlhttppost(Object object, const QString &url, const QByteArray &body, int timeoutMs,
                          const QStringList &headerNames, const QStringList &headerValues)
{
    const Answer a = exchange(object, "POST", url, body, headerNames, headerValues, timeoutMs, false);
    if (!a.ok)
        return {};
    return answerText(a.body, a.contentType);
}

QByteArray Http::xmlhttpgetBytes(const QString &url, const QStringList &headerNames,
                                 const QStringList &headerValues, int timeoutMs)
{
    const Answer a = exchange(General, "GET", url, {}, headerNames, headerValues, timeoutMs, true);
    if (!a.ok || (a.status != 200 && a.status != 0) || a.body.isEmpty())
        return {};
    if (!UrlScheme::mentionsMarketplace(url))
        return a.body;
    return Cp1252::encode(HttpUtil::marketplaceText(a.body));
}

QString Http::UploadHttpPost(const QString &address, const QString &referer,
                             const QStringList &filePaths, const QStringList &fileFields,
                             const QStringList &textValues, const QStringList &textNames)
{
    return UploadHttpPost(address, referer, filePaths, fileFields, textValues, textNames, nullptr);
}

QString Http::UploadHttpPost(const QString &address, const QString &referer,
                             const QStringList &filePaths, const QStringList &fileFields,
                             const QStringList &textValues, const QStringList &textNames,
                             QString *unreadableFile)
{
    const auto body = UploadBody::build(filePaths, fileFields, textValues, textNames, unreadableFile);
    if (!body)
        return {};
    return xmlhttppost(General, address, *body, m_uploadTimeoutMs,
                       {QStringLiteral("Referer"), QStringLiteral("Content-Type")},
                       {referer, QString::fromLatin1(UploadBody::contentType())});
}
