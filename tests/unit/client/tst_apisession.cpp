#include "client/apisession.h"
#include "client/httpapi.h"
#include "client/stopflag.h"
#include "fakehttp.h"
#include "core/settings.h"
#include <QSignalSpy>
#include <QtTest>
#include <functional>

namespace {
const QString kBase = QStringLiteral("http://api.vasaro.test/1.1/");
const QString kToken = QStringLiteral("0123456789abcdef0123456789abcdef");

QString loginAnswer(const QString &token = kToken, const QString &updated = QStringLiteral("2022-03-04T12:34:56+02:00"))
{
    return QStringLiteral("{\"authentication\":{\"token\":{\"id\":\"%1\",\"expires\":\"x\"}},"
                          "\"links\":{\"user\":\"http:\\/\\/api.vasaro.test\\/1.1\\/users\\/7654321\"},"
                          "\"updated\":\"%2\"}").arg(token, updated);
}
} // namespace

class TestApiSession : public QObject {
    Q_OBJECT

    struct Fixture {
        Fixture() { http.postAnswer = loginAnswer(); }
        qint64 now = 1000;
        FakeHttp http;
        StopFlag stop;
        Settings settings;
        ProgramClock clock{[this] { return now; }, QDateTime(QDate(2030, 1, 1), QTime(8, 0))};
        ApiSession session{http, stop, clock, settings, kBase, [this] { return now; }};
    };

private slots:
    void loginSendsCapturedCredentialsOnce()
    {
        Fixture f;
        QSignalSpy signedIn(&f.session, &ApiSession::signedInChanged);
        QVERIFY(f.session.captureLogin("userid=Matti+M%C3%A4&password=x%26y+z&toiminto=kirjaudu"));
        QCOMPARE(signedIn.count(), 1);
        QCOMPARE(signedIn.at(0).at(0).toBool(), true);
        QCOMPARE(f.session.userName(), QStringLiteral("Matti Mä"));
        QVERIFY(f.session.check_api_token());
        QCOMPARE(f.http.calls.size(), 1);
        const auto &c = f.http.calls.first();
        QCOMPARE(c.method, QStringLiteral("POST"));
        QCOMPARE(c.url, kBase + QStringLiteral("authentication/"));
        QCOMPARE(c.body, QByteArray("username=Matti+M%c3%a4&password=x%26y+z"));
        QCOMPARE(c.timeoutMs, 40000);
        QCOMPARE(c.names, QStringList{QStringLiteral("Content-Type")});
        QCOMPARE(c.values, QStringList{QStringLiteral("application/x-www-form-urlencoded")});
        QCOMPARE(f.session.apiToken(), kToken);
        QCOMPARE(f.session.userId(), QStringLiteral("7654321"));
        QCOMPARE(f.session.tokenHeaderNames(),
                 (QStringList{QStringLiteral("Content-Type"), QStringLiteral("X-VasaroApiToken")}));
        QCOMPARE(f.session.tokenHeaderValues(), (QStringList{QStringLiteral("text/xml"), kToken}));
        QVERIFY(f.session.check_api_token());
        QCOMPARE(f.http.calls.size(), 1);
    }

    void tokenAge_data()
    {
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<int>("logins");
        QTest::newRow("29 minutes: reused") << qint64(29 * 60000) << 1;
        QTest::newRow("just under 30: reused") << qint64(1800000 - 1) << 1;
        QTest::newRow("30 minutes: renewed") << qint64(1800000) << 2;
        QTest::newRow("2 hours: renewed") << qint64(7200000) << 2;
    }
    void tokenAge()
    {
        QFETCH(qint64, ageMs);
        QFETCH(int, logins);
        Fixture f;
        f.now = 0;   // a token taken at tick 0 is a real token
        QVERIFY(f.session.captureLogin("userid=a&password=b"));
        QVERIFY(f.session.check_api_token());
        f.now += ageMs;
        f.http.postAnswer = loginAnswer(QStringLiteral("ffffffffffffffffffffffffffffffff"));
        QVERIFY(f.session.check_api_token());
        QCOMPARE(f.http.calls.size(), logins);
        QCOMPARE(f.session.apiToken(), logins == 1 ? kToken : QStringLiteral("ffffffffffffffffffffffffffffffff"));
    }

    void failedLogins_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("unreachable");
        QTest::newRow("empty answer") << QString() << false;
        QTest::newRow("no connection") << QString() << true;
        QTest::newRow("wrong credentials") << QStringLiteral("{\"error\":{\"code\":401,\"message\":\"Virhe\"}}") << false;
        QTest::newRow("cut-off token") << QStringLiteral("{\"token\":{\"id\":\"0123\"}}") << false;
        QTest::newRow("token without user link") << QStringLiteral("{\"token\":{\"id\":\"%1\"}}").arg(kToken) << false;
        QTest::newRow("garbled") << QStringLiteral("\\u\\\"id\\\":\\\"\x01\x02\xff") << false;
    }
    void failedLogins()
    {
        QFETCH(QString, answer);
        QFETCH(bool, unreachable);
        Fixture f;
        f.http.postAnswer = answer;
        f.http.unreachable = unreachable;
        QVERIFY(f.session.captureLogin("userid=a&password=b"));
        QVERIFY(!f.session.check_api_token());
        QVERIFY(f.session.apiToken().isEmpty());
        QVERIFY(f.session.userId().isEmpty());
        QVERIFY(!f.session.check_api_token());
        QCOMPARE(f.http.calls.size(), 2);   // a failure is never taken for a token
        // The caller can tell "no connection" from a refused sign-in.
        QCOMPARE(f.session.connectionFailed(), unreachable);
    }

    void stopFlagDuringLoginAnswersNo()
    {
        Fixture f;
        f.stop.set();   // left over from an earlier fetch: cleared by the login
        QVERIFY(f.session.captureLogin("userid=a&password=b"));
        QVERIFY(f.session.check_api_token());
        QVERIFY(!f.stop.isSet());
        f.now += 1800000;
        f.http.duringPost = [&f] { f.stop.set(); };   // "Pysäytä" while waiting
        QVERIFY(!f.session.check_api_token());
        QVERIFY(f.session.apiToken().isEmpty());
    }

    void nobodySignedInSendsNothing()
    {
        Fixture f;
        QVERIFY(!f.session.check_api_token());
        QVERIFY(f.http.calls.isEmpty());
    }

    void signOutForgetsEverything()
    {
        Fixture f;
        QSignalSpy signedIn(&f.session, &ApiSession::signedInChanged);
        QVERIFY(f.session.captureLogin("userid=a&password=b"));
        QVERIFY(!f.session.captureLogin("userid=other&password=c"));   // first sign-in stays
        QCOMPARE(f.session.userName(), QStringLiteral("a"));
        QVERIFY(f.session.check_api_token());
        f.session.signOut();
        QVERIFY(!f.session.signedIn());
        QVERIFY(f.session.password().isEmpty());
        QVERIFY(f.session.apiToken().isEmpty());
        QVERIFY(f.session.userId().isEmpty());
        QCOMPARE(signedIn.count(), 2);
        QCOMPARE(signedIn.at(1).at(0).toBool(), false);
        QVERIFY(!f.session.check_api_token());
        QVERIFY(f.session.captureLogin("userid=other&password=c"));
        QCOMPARE(f.session.userName(), QStringLiteral("other"));
    }

    void clockFromUpdated_data()
    {
        QTest::addColumn<bool>("vasaroaika");
        QTest::addColumn<QString>("updated");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime start(QDate(2030, 1, 1), QTime(8, 0));
        QTest::newRow("marketplace time") << true << QStringLiteral("2022-03-04T12:34:56+02:00")
                                          << QDateTime(QDate(2022, 3, 4), QTime(12, 34, 56));
        QTest::newRow("space separator") << true << QStringLiteral("2022-03-04 23:59:01")
                                         << QDateTime(QDate(2022, 3, 4), QTime(23, 59, 1));
        QTest::newRow("setting off") << false << QStringLiteral("2022-03-04T12:34:56+02:00") << start;
        QTest::newRow("impossible date") << true << QStringLiteral("2022-02-30T12:34:56") << start;
        QTest::newRow("impossible time") << true << QStringLiteral("2022-02-03T25:34:56") << start;
        QTest::newRow("too short") << true << QStringLiteral("2022-02-03T12:34") << start;
        QTest::newRow("letters") << true << QStringLiteral("yyyy-mm-ddThh:mm:ss") << start;
        QTest::newRow("NUL characters in the year") << true
            << QStringLiteral("20\\u0000\\u0000-03-05T08:09:10+02:00") << start;
        QTest::newRow("signed day") << true << QStringLiteral("2022-03-+5T08:09:10+02:00") << start;
    }
    void clockFromUpdated()
    {
        QFETCH(bool, vasaroaika);
        QFETCH(QString, updated);
        QFETCH(QDateTime, expected);
        Fixture f;
        f.settings.vasaroaika = vasaroaika;
        f.http.postAnswer = loginAnswer(kToken, updated);
        QVERIFY(f.session.captureLogin("userid=a&password=b"));
        QVERIFY(f.session.check_api_token());
        QCOMPARE(f.clock.kellonaika(), expected);
        QCOMPARE(f.clock.marketplaceTime(), expected != QDateTime(QDate(2030, 1, 1), QTime(8, 0)));
    }

    void latestBidder_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("unreachable");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bidder") << QStringLiteral("{\"bids\":[{\"id\":981,\"bidder\":\"Huutaja \\u00c4\\u00e4ni\",\"amount\":12.5}]}")
                                << false << QStringLiteral("Huutaja Ää" "ni");
        QTest::newRow("no bids") << QStringLiteral("{\"totalCount\":0,\"bids\":[]}") << false
                                 << QStringLiteral("Tietoa ei saatu");
        QTest::newRow("no answer") << QString() << false << QStringLiteral("Tietoa ei saatu");
        QTest::newRow("no connection") << QString() << true << QStringLiteral("Yhteys Vasaroon epäonnistui.");
        QTest::newRow("cut off") << QStringLiteral("{\"id\":1,\"bidder\":\"Huu") << false
                                 << QStringLiteral("Tietoa ei saatu");
    }
    void latestBidder()
    {
        QFETCH(QString, answer);
        QFETCH(bool, unreachable);
        QFETCH(QString, expected);
        Fixture f;
        f.http.getAnswer = answer;
        f.http.unreachable = unreachable;
        QCOMPARE(f.session.latestBidder(QStringLiteral("12345678")), expected);
        QCOMPARE(f.http.calls.size(), 1);
        QCOMPARE(f.http.calls.first().url, kBase + QStringLiteral("items/12345678/bids?&num=1"));
        QCOMPARE(f.http.calls.first().timeoutMs, 10000);
    }
};

QTEST_GUILESS_MAIN(TestApiSession)
#include "tst_apisession.moc"
