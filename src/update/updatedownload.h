#pragma once
// One GET for the update, on a request of its own, that keeps going only
// while `keepGoing` says so (the user has not cancelled) and gives up on an
// answer larger than the limit. The window stays responsive meanwhile.
#include <QByteArray>
#include <QString>
#include <functional>

class QNetworkAccessManager;

class UpdateDownload final {
public:
    struct Result {
        bool cancelled = false;
        int status = 0;        // final HTTP status; 0: no HTTP answer
        QByteArray body;       // empty unless the whole answer arrived
    };

    UpdateDownload(QNetworkAccessManager *network, qint64 maxBytes);
    Result get(const QString &address, const std::function<bool()> &keepGoing) const;

private:
    QNetworkAccessManager *m_network;
    qint64 m_maxBytes;
};
