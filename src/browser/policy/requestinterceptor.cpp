#include "browser/policy/requestinterceptor.h"
#include "browser/policy/hostpolicy.h"

RequestInterceptor::RequestInterceptor(const HostPolicy *policy, QObject *parent)
    : QWebEngineUrlRequestInterceptor(parent), m_policy(policy)
{
}

void RequestInterceptor::interceptRequest(QWebEngineUrlRequestInfo &info)
{
    const QUrl requested = info.requestUrl();
    if (requested.scheme() == HostPolicy::replacementScheme())
        return;
    // One pass over the address for each test; no list is walked.
    const QString url = requested.toString();
    // Address replacement applies to navigations (pages and frames), as the
    // platform's address translation did; blocking to every resource.
    const auto type = info.resourceType();
    const bool navigation = type == QWebEngineUrlRequestInfo::ResourceTypeMainFrame
        || type == QWebEngineUrlRequestInfo::ResourceTypeSubFrame;
    if (navigation && m_policy->replaces(url)) {
        info.redirect(HostPolicy::replacementUrl());
        return;
    }
    if (m_policy->blocks(url))
        info.block(true);
}
