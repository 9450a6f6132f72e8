// The API session over the real transport against the fake REST API.
#include "client/apisession.h"
#include "client/http.h"
#include "client/jsonscan.h"
#include "core/cp1252.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "fakemarketplace.h"
#include <QTimer>
#include <QtTest>

class TestApiLogin : public QObject {
    Q_OBJECT

    FakeMarketplace m_server;
    std::unique_ptr<Http> m_http;
    Settings m_settings;
    qint64 m_now = 0;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<ApiSession> m_session;

    int logins() const
    {
        return int(m_server.requests(QStringLiteral("api.vasaro.test"), QStringLiteral("/authentication")).size());
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_http = std::make_unique<Http>(Endpoints::fromEnvironment());
    }
    void init()
    {
        m_server.clear();
        m_now = 1000;
        m_clock = std::make_unique<ProgramClock>([this] { return m_now; });
        m_session = std::make_unique<ApiSession>(*m_http, m_http->stopFlag(), *m_clock, m_settings,
                                                 Endpoints::fromEnvironment().apiBase(), [this] { return m_now; });
    }

    void loginAndTokenRequests()
    {
        QVERIFY(m_session->captureLogin("userid=Testaaja&password=salasana&toiminto=kirjaudu"));
        QVERIFY(m_session->check_api_token());
        QCOMPARE(logins(), 1);
        QCOMPARE(m_session->userId(), QStringLiteral("7654321"));
        const QString sales = Cp1252::decode(m_http->xmlhttpgetBytes(
            m_session->apiBase() + QStringLiteral("users/7654321/sales?sold=1&status=closed&limit=2&page=2"),
            m_session->tokenHeaderNames(), m_session->tokenHeaderValues(), 30000));
        QVERIFY2(sales.contains(QStringLiteral("\"items\":[{\"links\":")), qPrintable(sales));
        QVERIFY2(sales.contains(QStringLiteral("items\\/30000003")), qPrintable(sales));
        m_now += 29 * 60000;
        QVERIFY(m_session->check_api_token());
        QCOMPARE(logins(), 1);
        m_now += 60000;
        QVERIFY(m_session->check_api_token());
        QCOMPARE(logins(), 2);
    }

    void wrongPasswordFails()
    {
        QVERIFY(m_session->captureLogin("userid=Testaaja&password=vaara"));
        QVERIFY(!m_session->check_api_token());
        QVERIFY(m_session->apiToken().isEmpty());
        // Without a token the user's data stays closed.
        const QByteArray user = m_http->xmlhttpgetBytes(m_session->apiBase() + QStringLiteral("users/7654321"),
                                                        m_session->tokenHeaderNames(),
                                                        m_session->tokenHeaderValues(), 10000);
        QVERIFY(user.isEmpty());
    }

    void stopPressedDuringLoginAnswersNo()
    {
        m_server.setState(QStringLiteral("api_login_delay_ms"), QStringLiteral("600"));
        QVERIFY(m_session->captureLogin("userid=Testaaja&password=salasana"));
        QTimer::singleShot(200, [this] { m_http->stopFlag().set(); });
        QVERIFY(!m_session->check_api_token());
        QCOMPARE(logins(), 1);           // the answer did come
        QVERIFY(m_session->apiToken().isEmpty());
    }

    void latestBidder_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("expected");
        QTest::newRow("with bids") << QStringLiteral("12345678") << QStringLiteral("Huutaja Ääni");
        QTest::newRow("no bids") << QStringLiteral("12345600") << QStringLiteral("Tietoa ei saatu");
    }
    void latestBidder()
    {
        QFETCH(QString, item);
        QFETCH(QString, expected);
        QCOMPARE(m_session->latestBidder(item), expected);
    }

    // The item answer read the way the hover preview reads it.
    void itemValues()
    {
        const QString item = JsonScan::JsonUnescapeCp1252(
            m_http->xmlhttpget(HttpApi::General, m_session->apiBase() + QStringLiteral("items/12345678"), 10000));
        QCOMPARE(JsonScan::avaajson(item, QStringLiteral("title")),
                 QStringLiteral("Vanha \"Fiskars\" kirves – hyvä kunto 12345678"));
        QCOMPARE(JsonScan::avaajson(item, QStringLiteral("buyNowPrice")), QString());
        QCOMPARE(JsonScan::avaajson(item, QStringLiteral("minimumIncrease")), QStringLiteral("1"));
        QCOMPARE(JsonScan::lisaa_desimaalit(JsonScan::avaajson(item, QStringLiteral("deliveryPrice"))),
                 QStringLiteral("5.90"));
        QCOMPARE(JsonScan::avaajson(JsonScan::avaajson(item, QStringLiteral("subCategory")), QStringLiteral("name")),
                 QStringLiteral("Käsityökalut"));
        QCOMPARE(JsonScan::JsonParse(item, QStringLiteral("\"closingtime\":\""), QStringLiteral("\"")),
                 QStringLiteral("2022-03-11T20:15:00+02:00"));
    }
};

QTEST_GUILESS_MAIN(TestApiLogin)
#include "tst_apilogin.moc"
