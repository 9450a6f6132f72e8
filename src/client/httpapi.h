#pragma once
// The requests the program itself sends (as opposed to the pages the browsers
// load). Logic depends on this interface; the transport over
// QNetworkAccessManager implements it, tests substitute a fake.
//
// Three request objects keep the main groups of callers apart:
//   General - API login, uploads, ledger requests, bid lookups, hover preview,
//             e-mail reminder, update check
//   Lookup  - user-id lookup, watch list
//   Closing - closing a listing
// Every failure (network error, time-out, abort) yields the empty text;
// lastRequestFailed tells such a failure apart from an empty answer.
#include <QByteArray>
#include <QString>
#include <QStringList>

class HttpApi {
public:
    virtual ~HttpApi() = default;

    enum Object { General, Lookup, Closing };

    // GET; the response text when the final status is 200, otherwise empty.
    virtual QString xmlhttpget(Object object, const QString &url, int timeoutMs) = 0;
    // POST of the body bytes with the extra headers (names[i] = values[i]);
    // the response text whatever the status.
    virtual QString xmlhttppost(Object object, const QString &url, const QByteArray &body,
                                int timeoutMs, const QStringList &headerNames,
                                const QStringList &headerValues) = 0;

    // True when the request that finished last on this object got no HTTP
    // answer at all (connection refused or lost, certificate refused, no
    // answer in time, stopped): its empty result means "no connection", not
    // "nothing there". Read it right after the call has returned.
    virtual bool lastRequestFailed(Object object) const
    {
        Q_UNUSED(object)
        return false;
    }
    // The HTTP status of the answer that finished last on this object (0 when
    // none arrived). Read it right after the call has returned.
    virtual int lastStatus(Object object) const
    {
        Q_UNUSED(object)
        return 0;
    }
    // True while a request on this object waits for its answer.
    virtual bool busy(Object object) const
    {
        Q_UNUSED(object)
        return false;
    }
    // What the user is told then.
    static QString connectionFailedText() { return QStringLiteral("Yhteys Vasaroon epäonnistui."); }

    // Byte-exact GET on the general object with extra headers: status 200 (or
    // 0 for non-HTTP addresses) required. For marketplace addresses the answer
    // is repaired and returned as Windows-1252 bytes, other answers exactly as
    // received. The stop flag abandons the wait.
    virtual QByteArray xmlhttpgetBytes(const QString &url, const QStringList &headerNames,
                                       const QStringList &headerValues, int timeoutMs)
    {
        Q_UNUSED(url) Q_UNUSED(headerNames) Q_UNUSED(headerValues) Q_UNUSED(timeoutMs)
        return {};
    }
    // Multipart picture upload on the general object (60 s), see UploadBody.
    virtual QString UploadHttpPost(const QString &address, const QString &referer,
                                   const QStringList &filePaths, const QStringList &fileFields,
                                   const QStringList &textValues, const QStringList &textNames)
    {
        Q_UNUSED(address) Q_UNUSED(referer) Q_UNUSED(filePaths) Q_UNUSED(fileFields)
        Q_UNUSED(textValues) Q_UNUSED(textNames)
        return {};
    }
};
