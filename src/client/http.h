#pragma once
// The program's own HTTP requests over QNetworkAccessManager.
//
// Every operation waits for its answer with waitFor (the window stays
// responsive), gives up after the caller's time-out and reports every failure
// (network error, closed connection, redirect loop, time-out, an answer larger
// than maxAnswerBytes) as the empty result. Redirects are followed; the status
// that counts is the final one.
//
// The three request objects keep the main groups of callers apart. Each
// request gets its own reply, so a request started on an object that is still
// waiting (a handler re-entered during a wait) never disturbs the pending one:
// both callers get their own answers. busy() tells whether an object has a
// request in flight.
#include "client/cookiejar.h"
#include "client/httpapi.h"
#include "client/stopflag.h"
#include "client/uploadfields.h"
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

class Endpoints;
class QNetworkAccessManager;
class QNetworkRequest;

class Http final : public QObject, public HttpApi {
    Q_OBJECT
public:
    // Uses the endpoints' "proxy" (http://host:port) when it is set.
    explicit Http(const Endpoints &endpoints, QObject *parent = nullptr);
    ~Http() override;

    QString xmlhttpget(Object object, const QString &url, int timeoutMs) override;
    QString xmlhttppost(Object object, const QString &url, const QByteArray &body, int timeoutMs,
                        const QStringList &headerNames, const QStringList &headerValues) override;
    QByteArray xmlhttpgetBytes(const QString &url, const QStringList &headerNames,
                               const QStringList &headerValues, int timeoutMs) override;
    QString UploadHttpPost(const QString &address, const QString &referer,
                           const QStringList &filePaths, const QStringList &fileFields,
                           const QStringList &textValues, const QStringList &textNames) override;
    // The same, reporting a file that could not be read (nothing is sent then).
    QString UploadHttpPost(const QString &address, const QString &referer,
                           const QStringList &filePaths, const QStringList &fileFields,
                           const QStringList &textValues, const QStringList &textNames,
                           QString *unreadableFile);

    // The User-Agent every request carries; nothing is set while it is empty.
    void setUserAgent(const QString &userAgent) { m_userAgent = userAgent; }
    QString userAgent() const { return m_userAgent; }

    bool lastRequestFailed(Object object) const override { return m_failed[object]; }
    int lastStatus(Object object) const override { return m_status[object]; }

    bool busy(Object object) const override;
    StopFlag &stopFlag() { return m_stop; }
    UploadFields &uploadFields() { return m_uploadFields; }
    CookieJar *cookieJar() const { return m_jar; }
    QNetworkAccessManager *network() const { return m_nam; }

    // Answers above this size are abandoned (empty result). 64 MB by default.
    void setMaxAnswerBytes(qint64 bytes) { m_maxAnswer = bytes; }

    // How long an upload waits for the picture host's answer.
    static constexpr int kUploadTimeoutMs = 60000;
    int uploadTimeoutMs() const { return m_uploadTimeoutMs; }
    // For tests only: a shorter wait, so a host that never answers need not
    // be waited for a whole minute. The program always keeps the default.
    void setUploadTimeoutMs(int ms) { m_uploadTimeoutMs = ms; }

private:
    struct Answer {
        bool ok = false;          // an HTTP answer (any status) arrived whole
        int status = 0;           // 0 for non-HTTP addresses
        QByteArray body;
        QByteArray contentType;
    };
    // run(), noting whether the request failed on the network.
    Answer exchange(Object object, const QByteArray &method, const QString &url,
                    const QByteArray &body, const QStringList &headerNames,
                    const QStringList &headerValues, int timeoutMs, bool watchStop);
    Answer run(Object object, const QByteArray &method, const QString &url,
               const QByteArray &body, const QStringList &headerNames,
               const QStringList &headerValues, int timeoutMs, bool watchStop);
    void addHeaders(QNetworkRequest &request, const QStringList &names,
                    const QStringList &values) const;

    QNetworkAccessManager *m_nam;
    CookieJar *m_jar;
    QString m_userAgent;
    StopFlag m_stop;
    UploadFields m_uploadFields;
    int m_inFlight[3] = {0, 0, 0};
    bool m_failed[3] = {false, false, false};
    int m_status[3] = {0, 0, 0};
    qint64 m_maxAnswer = 64LL * 1024 * 1024;
    int m_uploadTimeoutMs = kUploadTimeoutMs;
};
