// The marketplace login shared between a real browser page and the program's
// own requests, and the API sign-in captured from that login form.
#include "browser/engine/browserprofile.h"
#include "browser/policy/cookiebridge.h"
#include "browser/engine/vasaropage.h"
#include "client/apisession.h"
#include "client/http.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include <QDirIterator>
#include <QSignalSpy>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QtTest>

// The replacement page's scheme must exist before the application object.
static const bool kSchemesRegistered = (BrowserProfile::registerSchemes(), true);

namespace {
const QString kWww = QStringLiteral("http://www.vasaro.test/");
const QByteArray kSession("VASAROSESSIO");

QByteArray cookieValue(const CookieJar *jar, const QByteArray &name)
{
    for (const QNetworkCookie &c : jar->cookies()) {
        if (c.name() == name)
            return c.value();
    }
    return {};
}
} // namespace

class TestCookieBridge : public QObject {
    Q_OBJECT

    FakeMarketplace m_server;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<Http> m_http;
    std::unique_ptr<CookieBridge> m_bridge;
    VasaroPage *m_page = nullptr;

    bool load(const QString &url)
    {
        QSignalSpy done(m_page, &QWebEnginePage::loadFinished);
        m_page->load(QUrl(url));
        return done.wait(15000) && done.last().at(0).toBool();
    }

    QString run(const QString &script)
    {
        return WebTest::evaluate(m_page, script).toString();
    }

    // Signs in on the login page the way a user does: type, press the button.
    bool signIn(const QString &user, const QString &password)
    {
        if (!load(kWww + QStringLiteral("kirjaudu")))
            return false;
        run(QStringLiteral("document.getElementById('userid').value = %1;"
                           "document.getElementById('password').value = %2; true")
                .arg(QStringLiteral("'") + user + u'\'', QStringLiteral("'") + password + u'\''));
        QSignalSpy done(m_page, &QWebEnginePage::loadFinished);
        run(QStringLiteral("document.getElementById('kirjaudunappi').click(); true"));
        return done.wait(15000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(kSchemesRegistered);
        QVERIFY(m_server.start());
        const Endpoints endpoints = Endpoints::fromEnvironment();
        m_profile = std::make_unique<BrowserProfile>(&m_settings, endpoints);
        m_http = std::make_unique<Http>(endpoints);
        m_http->setUserAgent(m_profile->userAgent());
        m_bridge = std::make_unique<CookieBridge>(m_profile->profile()->cookieStore(), m_http->cookieJar(),
                                                  endpoints.domain());
        m_page = new VasaroPage(m_profile.get(), &m_prompts);
    }

    void cleanupTestCase()
    {
        m_bridge.reset();
        delete m_page;
        m_page = nullptr;
        m_profile.reset();
    }

    // Sign in in the page; the captured form logs in to the API once, the
    // token is reused at 29 minutes and renewed at 30, and the transport's
    // requests carry the browser's session cookie.
    void loginInPageReachesTransportAndApi()
    {
        m_server.setState(QStringLiteral("api_user"), QStringLiteral("Testaaja Ö"));
        m_server.setState(QStringLiteral("api_password"), QStringLiteral("x&y z+1"));
        qint64 now = 5000;
        StopFlag &stop = m_http->stopFlag();
        ProgramClock clock([&now] { return now; });
        ApiSession session(*m_http, stop, clock, m_settings, Endpoints::fromEnvironment().apiBase(),
                           [&now] { return now; });
        connect(m_page, &VasaroPage::beforeNavigate2, &session, [&session](VasaroPage *, NavigationArgs *a) {
            if (a->url.path().contains(QStringLiteral("/kirjaudu")) && !a->postData.isEmpty())
                session.captureLogin(a->postData);
        });

        QVERIFY(signIn(QStringLiteral("Testaaja Ö"), QStringLiteral("x&y z+1")));
        QCOMPARE(session.userName(), QStringLiteral("Testaaja Ö"));
        QCOMPARE(session.password(), QStringLiteral("x&y z+1"));

        QVERIFY(waitFor([this] { return !cookieValue(m_http->cookieJar(), kSession).isEmpty(); }, 5000));
        const QByteArray value = cookieValue(m_http->cookieJar(), kSession);
        const QString whoami = m_http->xmlhttpget(HttpApi::Lookup, kWww + QStringLiteral("whoami"), 10000);
        QVERIFY2(whoami.contains(QString::fromLatin1(kSession + '=' + value)), qPrintable(whoami));
        QVERIFY2(whoami.contains(QStringLiteral("<p id='kayttaja'>Testaaja Ö</p>")), qPrintable(whoami));

        m_server.clear();
        m_server.setState(QStringLiteral("api_user"), QStringLiteral("Testaaja Ö"));
        m_server.setState(QStringLiteral("api_password"), QStringLiteral("x&y z+1"));
        QVERIFY(session.check_api_token());
        QCOMPARE(session.userId(), QStringLiteral("7654321"));
        QCOMPARE(session.apiToken().size(), 32);
        QCOMPARE(clock.kellonaika(), QDateTime(QDate(2022, 3, 4), QTime(12, 34, 56)));
        QCOMPARE(clock.sourceSuffix(), QStringLiteral(" (Vasaron aikaa)"));
        const QByteArray user = m_http->xmlhttpgetBytes(session.apiBase() + QStringLiteral("users/") + session.userId(),
                                                        session.tokenHeaderNames(), session.tokenHeaderValues(), 30000);
        QVERIFY2(user.contains("\"username\":\"Testaaja \\u00d6\""), user.constData());

        now += 29 * 60000;
        QVERIFY(session.check_api_token());
        QCOMPARE(m_server.requests(QStringLiteral("api.vasaro.test"), QStringLiteral("/authentication")).size(), 1);
        now += 60000;
        QVERIFY(session.check_api_token());
        const auto logins = m_server.requests(QStringLiteral("api.vasaro.test"), QStringLiteral("/authentication"));
        QCOMPARE(logins.size(), 2);
        QCOMPARE(FakeMarketplace::body(logins.last()),
                 QByteArray("username=Testaaja+%c3%96&password=x%26y+z%2b1"));
        QCOMPARE(logins.last().value(QStringLiteral("headers")).toObject().value(QStringLiteral("User-Agent")).toString(),
                 m_profile->userAgent());

        // Nothing the program keeps on disk holds the password.
        waitMs(1500);
        QDirIterator files(m_server.dataDir(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        int scanned = 0;
        while (files.hasNext()) {
            QFile f(files.next());
            ++scanned;
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = f.readAll();
            for (const QByteArray &form : {QByteArray("x&y z+1"), QByteArray("x%26y+z%2B1"), QByteArray("x%26y+z%2b1")})
                QVERIFY2(!bytes.contains(form), qPrintable(f.fileName()));
        }
        QVERIFY(scanned > 0);   // the browser profile did write its files there
    }

    void cookieFromOwnRequestReachesBrowser()
    {
        QVERIFY(!m_http->xmlhttpget(HttpApi::General, kWww + QStringLiteral("asetakeksi?nimi=paluu&arvo=77"), 10000)
                     .isEmpty());
        bool seen = false;
        for (int i = 0; i < 20 && !seen; ++i) {
            QVERIFY(load(kWww + QStringLiteral("whoami")));
            seen = run(QStringLiteral("document.getElementById('keksit').textContent"))
                       .contains(QStringLiteral("paluu=77"));
            if (!seen)
                waitMs(100);
        }
        QVERIFY(seen);
    }

    void cookieFromOtherHostStaysOut()
    {
        QVERIFY(!m_http->xmlhttpget(HttpApi::General,
                                    QStringLiteral("http://kuvat.example.test/huono/teksti?t=x"), 10000)
                     .isEmpty());
        QSignalSpy added(m_profile->profile()->cookieStore(), &QWebEngineCookieStore::cookieAdded);
        // Through a host outside the marketplace domain: not handed back.
        QList<QNetworkCookie> foreign{QNetworkCookie("vieras", "1")};
        m_http->cookieJar()->setCookiesFromUrl(foreign, QUrl(QStringLiteral("http://kuvat.example.test/")));
        waitMs(300);
        QCOMPARE(added.count(), 0);
    }

    void logoutInPageRemovesTransportCookie()
    {
        QVERIFY(!cookieValue(m_http->cookieJar(), kSession).isEmpty());
        QVERIFY(load(kWww + QStringLiteral("kirjaudu-ulos")));
        QVERIFY(waitFor([this] { return cookieValue(m_http->cookieJar(), kSession).isEmpty(); }, 5000));
        const QString whoami = m_http->xmlhttpget(HttpApi::Lookup, kWww + QStringLiteral("whoami"), 10000);
        QVERIFY2(!whoami.contains(QString::fromLatin1(kSession)), qPrintable(whoami));
    }
};

QTEST_MAIN(TestCookieBridge)
#include "tst_cookiebridge.moc"
