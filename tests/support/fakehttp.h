#pragma once
// HttpApi for tests: records every request and answers it with a set text.
// Header-only: the client library is linked only by the tests that use it.
#include "client/httpapi.h"
#include <QList>
#include <QStringList>
#include <functional>

class FakeHttp final : public HttpApi {
public:
    struct Call {
        QString method;     // "GET" or "POST"
        Object object;
        QString url;
        QByteArray body;
        int timeoutMs;
        QStringList names, values;
    };
    QList<Call> calls;
    QString getAnswer, postAnswer;
    bool unreachable = false;           // every request fails on the network
    std::function<void()> duringPost;   // runs while a POST waits for its answer

    // The same answer to GETs and POSTs.
    void answerAll(const QString &text) { getAnswer = postAnswer = text; }

    bool lastRequestFailed(Object) const override { return unreachable; }
    QString xmlhttpget(Object object, const QString &url, int timeoutMs) override
    {
        calls.append({QStringLiteral("GET"), object, url, QByteArray(), timeoutMs, {}, {}});
        return getAnswer;
    }
    QString xmlhttppost(Object object, const QString &url, const QByteArray &body, int timeoutMs,
                        const QStringList &names, const QStringList &values) override
    {
        calls.append({QStringLiteral("POST"), object, url, body, timeoutMs, names, values});
        if (duringPost)
            duringPost();
        return postAnswer;
    }
};
