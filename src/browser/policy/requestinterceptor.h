#pragma once
// Turns the host policy into block or replace decisions for every request the
// engine makes. Qt 6 calls it on the user-interface thread, so it may read the
// settings directly; it must stay cheap.
#include <QWebEngineUrlRequestInterceptor>

class HostPolicy;

class RequestInterceptor final : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT
public:
    explicit RequestInterceptor(const HostPolicy *policy, QObject *parent = nullptr);
    void interceptRequest(QWebEngineUrlRequestInfo &info) override;

private:
    const HostPolicy *m_policy;
};
