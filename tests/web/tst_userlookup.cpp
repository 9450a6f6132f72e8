// The user-id lookup and the quick user search through the real transport
// against the fake marketplace's search form.
#include "client/http.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include <QTcpServer>
#include <QtTest>
#include <memory>

class TestUserLookup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_market.start());
        m_endpoints = Endpoints::fromEnvironment();
        m_http = std::make_unique<Http>(m_endpoints);
    }
    void init() { m_market.clear(); }

    void lookup_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("userId");
        QTest::newRow("plain name") << "Testaaja" << "7654321";
        QTest::newRow("Finnish letters and a blank reach the form as UTF-8") << "Matti Myyjä" << "23456789";
        QTest::newRow("name beginning with Ä") << "äänimies" << "12345678";
        QTest::newRow("longer id is cut to eight digits") << "pitkatunnus" << "12345678";
        QTest::newRow("unknown name") << "Tuntematon" << "";
    }
    void lookup()
    {
        QFETCH(QString, name);
        QFETCH(QString, userId);
        const QuickSearch search(UrlScheme(m_endpoints), *m_http);
        QCOMPARE(search.kayttajanId(name), userId);
    }

    void lookupSendsTheSellerSearchForm()
    {
        const QuickSearch search(UrlScheme(m_endpoints), *m_http);
        search.kayttajanId(QStringLiteral("Matti Myyjä"));
        const QList<QJsonObject> posts = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku"));
        QCOMPARE(posts.size(), 1);
        QCOMPARE(posts.first().value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
        QCOMPARE(posts.first().value(QStringLiteral("path")).toString(), QStringLiteral("/haku"));
        const QJsonObject headers = posts.first().value(QStringLiteral("headers")).toObject();
        QString contentType;
        for (auto it = headers.begin(); it != headers.end(); ++it) {
            if (it.key().compare(QStringLiteral("Content-Type"), Qt::CaseInsensitive) == 0)
                contentType = it.value().toString();
        }
        QCOMPARE(contentType, QStringLiteral("application/x-www-form-urlencoded"));
        QCOMPARE(FakeMarketplace::body(posts.first()),
                 QByteArray("areabase=&price_min=&price_max=&seller_type=C&bidder=&wordsfrom=&status=N"
                            "&addtime=0&closingtime=0&words=&seller=Matti+Myyj%c3%a4"));
    }

    void quickUserSearchOpensTheProfile()
    {
        ScriptedPrompts prompts;
        prompts.inputs.enqueue(QStringLiteral("Matti Myyjä"));
        const QuickSearch search(UrlScheme(m_endpoints), *m_http);
        QCOMPARE(search.Kyttjhaku1Click(prompts), QStringLiteral("http://www.vasaro.test/kayttaja/23456789"));
        QCOMPARE(prompts.asked, QStringList{QStringLiteral("input: Anna käyttäjän tunnus?")});
    }

    void quickUserSearchReportsAnUnknownName()
    {
        ScriptedPrompts prompts;
        prompts.inputs.enqueue(QStringLiteral("Ei Ketaan"));
        const QuickSearch search(UrlScheme(m_endpoints), *m_http);
        QCOMPARE(search.Kyttjhaku1Click(prompts), QString());
        QCOMPARE(prompts.asked, (QStringList{QStringLiteral("input: Anna käyttäjän tunnus?"),
                                             QStringLiteral("information: Käyttäjää ei löytynyt!")}));
    }

    void refusedConnectionIsNotAnUnknownUser_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("message");
        QTest::newRow("connection refused") << true << QStringLiteral("information: Yhteys Vasaroon epäonnistui.");
        QTest::newRow("answer without the user") << false << QStringLiteral("information: Käyttäjää ei löytynyt!");
    }
    void refusedConnectionIsNotAnUnknownUser()
    {
        QFETCH(bool, refused);
        QFETCH(QString, message);
        Endpoints endpoints = m_endpoints;
        if (refused) {
            // A loopback port that nobody listens on.
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            const quint16 port = closed.serverPort();
            closed.close();
            endpoints.set(QStringLiteral("proxy"), QStringLiteral("http://127.0.0.1:%1").arg(port));
        }
        Http http(endpoints);
        const QuickSearch search(UrlScheme(endpoints), http);
        bool failed = !refused;
        QCOMPARE(search.kayttajanId(QStringLiteral("Tuntematon"), &failed), QString());
        QCOMPARE(failed, refused);
        ScriptedPrompts prompts;
        prompts.inputs.enqueue(QStringLiteral("Tuntematon"));
        QCOMPARE(search.Kyttjhaku1Click(prompts), QString());
        QCOMPARE(prompts.asked, (QStringList{QStringLiteral("input: Anna käyttäjän tunnus?"), message}));
    }

private:
    FakeMarketplace m_market;
    Endpoints m_endpoints;
    std::unique_ptr<Http> m_http;
};

QTEST_GUILESS_MAIN(TestUserLookup)
#include "tst_userlookup.moc"
