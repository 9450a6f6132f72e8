// The file that carries the marketplace's lasting cookies from one run to the
// next: what comes back, what is left out, who may read it.
#include "browser/policy/cookiefile.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QNetworkCookie cookie(const QByteArray &name, const QByteArray &value, const QString &domain,
                      const QDateTime &expires, bool httpOnly = false)
{
    QNetworkCookie c(name, value);
    c.setDomain(domain);
    c.setPath(QStringLiteral("/"));
    c.setExpirationDate(expires);
    c.setHttpOnly(httpOnly);
    return c;
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}
}

class TestCookieFile : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    const QDateTime m_now = QDateTime::currentDateTimeUtc();

    QString path() const { return m_dir.filePath(QStringLiteral("profiili/keksit.txt")); }

private slots:
    void init()
    {
        QFile::remove(path());
    }

    // Host-only and domain cookies come back exactly: a host-only cookie read
    // back as a domain cookie would sit in the jar next to the engine's copy.
    void cookiesComeBackExactly_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("httpOnly");
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("host-only") << "www.vasaro.test" << false << QByteArray("abc123");
        QTest::newRow("domain cookie") << ".vasaro.test" << false << QByteArray("abc123");
        QTest::newRow("HttpOnly session login") << "www.vasaro.test" << true << QByteArray("f00d");
        QTest::newRow("value with = and /") << "www.vasaro.test" << false << QByteArray("a=b/c");
    }
    void cookiesComeBackExactly()
    {
        QFETCH(QString, domain);
        QFETCH(bool, httpOnly);
        QFETCH(QByteArray, value);
        const QNetworkCookie written = cookie("VASAROSESSIO", value, domain, m_now.addDays(30), httpOnly);
        QVERIFY(CookieFile::write(path(), {written}));
        const QList<QNetworkCookie> read = CookieFile::read(path(), m_now);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().name(), written.name());
        QCOMPARE(read.first().value(), value);
        QCOMPARE(read.first().domain(), domain);
        QCOMPARE(read.first().path(), QStringLiteral("/"));
        QCOMPARE(read.first().isHttpOnly(), httpOnly);
        QCOMPARE(read.first().expirationDate().toSecsSinceEpoch(), written.expirationDate().toSecsSinceEpoch());
    }

    // The file holds the user's login: owner-only from the first write on,
    // also when it replaces a file others could read.
    void fileIsOwnerOnly()
    {
        QVERIFY(CookieFile::write(path(), {cookie("a", "1", "www.vasaro.test", m_now.addDays(1))}));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
                                                | QFileDevice::ReadOther | QFileDevice::WriteOther;
        QCOMPARE(QFileInfo(path()).permissions() & others, QFileDevice::Permissions());
        QVERIFY(QFile::setPermissions(path(), QFileInfo(path()).permissions() | QFileDevice::ReadOther));
        QVERIFY(CookieFile::write(path(), {cookie("a", "2", "www.vasaro.test", m_now.addDays(1))}));
        QCOMPARE(QFileInfo(path()).permissions() & others, QFileDevice::Permissions());
        QCOMPARE(CookieFile::read(path(), m_now).value(0).value(), QByteArray("2"));
    }

    // Only what the browser itself keeps between runs comes back.
    void leftOut_data()
    {
        QTest::addColumn<QByteArray>("fileText");
        const QByteArray future = cookie("hyva", "1", "www.vasaro.test", m_now.addDays(1)).toRawForm();
        const QByteArray past = cookie("vanha", "1", "www.vasaro.test", m_now.addSecs(-5)).toRawForm();
        QTest::newRow("expired") << "www.vasaro.test\t" + past + "\n";
        QTest::newRow("session cookie") << QByteArray("www.vasaro.test\tistunto=1; path=/\n");
        QTest::newRow("no domain field") << future + "\n";
        QTest::newRow("empty domain field") << "\t" + future + "\n";
        QTest::newRow("not a cookie") << QByteArray("www.vasaro.test\t;;;\n");
        QTest::newRow("binary junk") << QByteArray("\x01\x02\xff\t\x00\x00=1\n", 9);
        QTest::newRow("domain no host name") << ".vasaro.|est\t" + future + "\n";
        QTest::newRow("domain with a slash") << "/ww.vasaro.test\t" + future + "\n";
        QTest::newRow("domain a lone dot") << ".\t" + future + "\n";
    }
    void leftOut()
    {
        QFETCH(QByteArray, fileText);
        const QByteArray good = "www.vasaro.test\t"
                                + cookie("hyva", "1", "www.vasaro.test", m_now.addDays(1)).toRawForm() + "\n";
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QVERIFY(writeRaw(path(), fileText + good));
        const QList<QNetworkCookie> read = CookieFile::read(path(), m_now);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().name(), QByteArray("hyva"));
    }

    void sessionAndExpiredCookiesAreNotWritten()
    {
        QNetworkCookie session("istunto", "1");
        session.setDomain(QStringLiteral("www.vasaro.test"));
        QVERIFY(CookieFile::write(path(), {session, cookie("vanha", "1", "www.vasaro.test", m_now.addSecs(-60)),
                                           cookie("hyva", "1", "www.vasaro.test", m_now.addDays(1))}));
        QFile f(path());
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(!text.contains("istunto"));
        QVERIFY(!text.contains("vanha"));
        QVERIFY(text.contains("hyva"));
    }

    // A kept line with a lifetime instead of an expiry date (a hand-edited
    // file) reads as whole seconds, and writing it back keeps it exactly.
    void lifetimeReadsAsWholeSeconds()
    {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QVERIFY(writeRaw(path(), "www.vasaro.test\tsid=ab; max-age=3600; path=/\n"));
        const QList<QNetworkCookie> read = CookieFile::read(path(), m_now);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read.first().expirationDate().time().msec(), 0);
        QVERIFY(CookieFile::write(path(), read));
        const QList<QNetworkCookie> again = CookieFile::read(path(), m_now);
        QCOMPARE(again.size(), 1);
        QCOMPARE(again.first().expirationDate(), read.first().expirationDate());
    }

    void missingFileGivesNothing()
    {
        QVERIFY(CookieFile::read(path(), m_now).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCookieFile)
#include "tst_cookiefile.moc"
