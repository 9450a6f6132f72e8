#include "fakemarketplace.h"
#include "core/waitfor.h"
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>

namespace {
// Generous: the server and its answers are on loopback, and only a machine
// busy with other work makes them slow; a dead server ends the wait at once.
constexpr int kServerLimitMs = 60000;
}

FakeMarketplace::FakeMarketplace() = default;

FakeMarketplace::~FakeMarketplace()
{
    if (m_proc.state() != QProcess::NotRunning) {
        m_proc.kill();
        m_proc.waitForFinished(3000);
    }
}

QString FakeMarketplace::proxyUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_port);
}

QString FakeMarketplace::dataDir() const { return m_dir.path() + QStringLiteral("/data"); }
QString FakeMarketplace::endpointsFile() const { return m_dir.path() + QStringLiteral("/endpoints.ini"); }

bool FakeMarketplace::start()
{
    const QString portFile = m_dir.path() + QStringLiteral("/port");
    m_proc.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_proc.start(QStringLiteral("python3"),
                 {QStringLiteral(VS_MARKETPLACE_DIR "/server.py"), QStringLiteral("--port-file"), portFile});
    if (!m_proc.waitForStarted(kServerLimitMs))
        return false;
    // The server writes the file whole (renamed into place) once it listens;
    // on a busy machine loading its routes takes a while.
    QFile f(portFile);
    waitFor([&] { return f.exists() || m_proc.state() == QProcess::NotRunning; }, kServerLimitMs);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    m_port = f.readAll().trimmed().toInt();
    if (m_port <= 0)
        return false;

    QDir().mkpath(dataDir());
    QFile ini(endpointsFile());
    if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QHash<QString, QString> keys = {
        {QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/")},
        {QStringLiteral("domain"), QStringLiteral("vasaro.test")},
        {QStringLiteral("api_base"), QStringLiteral("http://api.vasaro.test/1.1/")},
        {QStringLiteral("proxy"), proxyUrl()},
    };
    for (auto it = m_extra.cbegin(); it != m_extra.cend(); ++it)
        keys.insert(it.key(), it.value());
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        ini.write((it.key() + u'=' + it.value() + u'\n').toUtf8());
    ini.close();
    qputenv("VSSELAIN_ENDPOINTS", endpointsFile().toUtf8());
    qputenv("VSSELAIN_DATA_DIR", dataDir().toUtf8());
    // The program puts back the tabs of its last run: every test window
    // starts on the home page unless its test turns that on.
    QFile session(QDir(dataDir()).filePath(QStringLiteral("istunto.dat")));
    if (!session.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    session.write("VSselain-istunto 1\npalauta=0\n");
    session.close();
    session.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return true;
}

QByteArray FakeMarketplace::control(const QByteArray &method, const QString &path) const
{
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest req(QUrl(proxyUrl() + path));
    QNetworkReply *reply = nam.sendCustomRequest(req, method);
    waitFor([reply] { return reply->isFinished(); }, kServerLimitMs);
    const QByteArray data = reply->readAll();
    reply->deleteLater();
    return data;
}

QJsonArray FakeMarketplace::log() const
{
    return QJsonDocument::fromJson(control("GET", QStringLiteral("/__log"))).array();
}

QList<QJsonObject> FakeMarketplace::requests(const QString &host, const QString &pathPart) const
{
    QList<QJsonObject> out;
    const QJsonArray all = log();
    for (const auto &v : all) {
        const QJsonObject o = v.toObject();
        if (o.value(QStringLiteral("host")).toString().contains(host)
            && o.value(QStringLiteral("path")).toString().contains(pathPart))
            out << o;
    }
    return out;
}

QByteArray FakeMarketplace::body(const QJsonObject &request)
{
    return QByteArray::fromBase64(request.value(QStringLiteral("body_b64")).toString().toLatin1());
}

void FakeMarketplace::clear() { control("POST", QStringLiteral("/__clear")); }

void FakeMarketplace::setState(const QString &key, const QString &value)
{
    control("POST", QStringLiteral("/__state?") + QString::fromUtf8(QUrl::toPercentEncoding(key)) + u'='
                        + QString::fromUtf8(QUrl::toPercentEncoding(value)));
}
