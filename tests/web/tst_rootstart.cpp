// The real program started by root with no sandbox settings at all, as in a
// container: the web engine refuses its sandbox for root, so without care it
// hangs and never shows a page. It must show its home page and say once, on
// stderr, that it runs without the sandbox. The page's title is read through
// the engine's own debugging interface, the way it reached the renderer.
#include "fakemarketplace.h"
#include "core/waitfor.h"
#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QProcess>
#include <QTcpServer>
#include <QtTest>
#include <csignal>
#include <unistd.h>

namespace {
quint16 freeLoopbackPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Titles of the pages the program's engine shows, from its /json list.
QStringList pageTitles(quint16 port)
{
    QNetworkAccessManager nam;
    nam.setProxy(QNetworkProxy::NoProxy);
    QNetworkReply *reply = nam.get(QNetworkRequest(QUrl(QStringLiteral("http://127.0.0.1:%1/json").arg(port))));
    waitFor([reply] { return reply->isFinished(); }, 2000);
    QStringList titles;
    const QJsonArray pages = QJsonDocument::fromJson(reply->readAll()).array();
    for (const auto &page : pages)
        titles << page.toObject().value(QStringLiteral("title")).toString();
    reply->deleteLater();
    return titles;
}
}

class TestRootStart : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;

private slots:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("only root meets the engine's refusal");
        QVERIFY(m_market.start());
    }

    void rootSeesTheHomePage()
    {
        const quint16 debugPort = freeLoopbackPort();
        QVERIFY(debugPort != 0);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"));
        env.insert(QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS"), QStringLiteral("--disable-gpu"));
        env.insert(QStringLiteral("QTWEBENGINE_REMOTE_DEBUGGING"), QStringLiteral("127.0.0.1:%1").arg(debugPort));
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vsselain"), {});
        QVERIFY(app.waitForStarted(10000));

        bool shown = false;
        for (QDeadlineTimer limit(30000); !shown && !limit.hasExpired();) {
            waitMs(200);
            shown = pageTitles(debugPort).contains(QStringLiteral("Vasaro - etusivu"));
        }
        ::kill(pid_t(app.processId()), SIGTERM);
        if (!app.waitForFinished(20000))
            app.kill();
        const QByteArray err = app.readAllStandardError();
        QVERIFY2(shown, err.constData());
        QCOMPARE(err.count("running as root"), 1);
        QVERIFY(err.contains("VSselain: pääkäyttäjänä ilman hiekkalaatikkoa"));
    }
};

QTEST_MAIN(TestRootStart)
#include "tst_rootstart.moc"
