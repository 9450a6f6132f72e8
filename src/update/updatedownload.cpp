#include "update/updatedownload.h"
#include "core/waitfor.h"
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <climits>
#include <memory>

UpdateDownload::UpdateDownload(QNetworkAccessManager *network, qint64 maxBytes)
    : m_network(network), m_maxBytes(maxBytes)
{
}

UpdateDownload::Result UpdateDownload::get(const QString &address, const std::function<bool()> &keepGoing) const
{
    Result result;
    if (!m_network)
        return result;
    QNetworkRequest request{QUrl(address)};
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    std::unique_ptr<QNetworkReply, void (*)(QNetworkReply *)> reply(
        m_network->get(request), [](QNetworkReply *r) { r->deleteLater(); });
    bool tooLarge = false;
    QObject::connect(reply.get(), &QNetworkReply::downloadProgress, reply.get(), [&](qint64 received, qint64) {
        if (received > m_maxBytes) {
            tooLarge = true;
            reply->abort();
        }
    });
    // The download has no time limit of its own: "Peruuta" ends it.
    waitFor([&] { return reply->isFinished() || !keepGoing(); }, INT_MAX);
    if (!reply->isFinished()) {
        reply->abort();
        result.cancelled = true;
        return result;
    }
    if (tooLarge || reply->error() != QNetworkReply::NoError) {
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        return result;
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = reply->readAll();
    return result;
}
