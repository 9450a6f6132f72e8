#pragma once
// Starts tests/marketplace/server.py for one test program and points the
// program at it: an endpoints file (web_base http://www.vasaro.test/ and
// friends, proxy = the server) in $VSSELAIN_ENDPOINTS and a fresh data folder
// in $VSSELAIN_DATA_DIR. Call start() before creating a QApplication-level
// object that reads the endpoints (the browser profile reads the proxy).
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

class FakeMarketplace final {
public:
    FakeMarketplace();
    ~FakeMarketplace();

    bool start();                   // false when the server did not come up
    int port() const { return m_port; }
    QString proxyUrl() const;       // "http://127.0.0.1:<port>"
    QString dataDir() const;        // the test's data folder
    QString endpointsFile() const;

    QJsonArray log() const;         // every request recorded so far
    // Requests whose host and path contain the given texts.
    QList<QJsonObject> requests(const QString &host, const QString &pathPart = QString()) const;
    static QByteArray body(const QJsonObject &request);   // decoded body bytes
    void clear();                   // forget requests and route state
    void setState(const QString &key, const QString &value);

    // Extra endpoint keys written into the endpoints file by start().
    void setEndpoint(const QString &key, const QString &value) { m_extra.insert(key, value); }

private:
    QByteArray control(const QByteArray &method, const QString &path) const;

    QProcess m_proc;
    QTemporaryDir m_dir;
    int m_port = 0;
    QHash<QString, QString> m_extra;
};
