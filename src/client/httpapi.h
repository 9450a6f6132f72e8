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
// Every failure (network error, time-out, abort) yields the empty text.
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
};
