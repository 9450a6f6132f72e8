// The transport against the fake marketplace over loopback: real sockets,
// real proxying, real misbehaving answers.
#include "client/http.h"
#include "client/uploadbody.h"
#include "core/endpoints.h"
#include "fakemarketplace.h"
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {
const QString kBad = QStringLiteral("http://www.vasaro.test/huono/");
const QString kOther = QStringLiteral("http://kuvat.example.test/huono/");

QString hexUrl(const QString &base, const QByteArray &bytes, const QString &ct = QString())
{
    QString url = base + QStringLiteral("tavut?hex=") + QString::fromLatin1(bytes.toHex());
    if (!ct.isEmpty())
        url += QStringLiteral("&ct=") + QString::fromLatin1(QUrl::toPercentEncoding(ct));
    return url;
}

// Counts timer ticks while a wait runs: the window's events keep flowing.
class TickCounter final {
public:
    TickCounter()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { ++ticks; });
        m_timer.start(20);
    }
    int ticks = 0;

private:
    QTimer m_timer;
};
} // namespace

class TestHttp : public QObject {
    Q_OBJECT

    FakeMarketplace m_server;
    std::unique_ptr<Http> m_http;

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        m_http = std::make_unique<Http>(Endpoints::fromEnvironment());
    }
    void init()
    {
        m_http->setUserAgent(QString());
        m_http->setMaxAnswerBytes(64LL * 1024 * 1024);
        m_http->stopFlag().clear();
    }

    void get_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        QTest::newRow("utf-8 text") << kBad + QStringLiteral("teksti?t=Hyv%C3%A4+p%C3%A4iv%C3%A4")
                                    << QStringLiteral("Hyvä päivä");
        QTest::newRow("letters outside cp1252 become ?")
            << kBad + QStringLiteral("teksti?t=%D0%96%E2%82%AC") << QStringLiteral("?€");
        QTest::newRow("404") << kBad + QStringLiteral("tila?s=404&t=Ei+ole") << QString();
        QTest::newRow("500") << kBad + QStringLiteral("500") << QString();
        QTest::newRow("201 is not 200") << kBad + QStringLiteral("tila?s=201&t=luotu") << QString();
        QTest::newRow("redirect followed") << kBad + QStringLiteral("uudelleen") << QStringLiteral("Perillä");
        QTest::newRow("redirect loop") << kBad + QStringLiteral("kehae") << QString();
        QTest::newRow("redirect to 404") << kBad + QStringLiteral("uudelleen404") << QString();
        QTest::newRow("latin-1 without charset") << kBad + QStringLiteral("latin1") << QStringLiteral("Päivää öljy");
        QTest::newRow("latin-1 declared utf-8") << kBad + QStringLiteral("latin1utf8")
                                                << QStringLiteral("Päivää öljy");
        QTest::newRow("latin-1 declared") << hexUrl(kBad, "P\xe4iv\x80", QStringLiteral("text/html; charset=ISO-8859-1"))
                                          << QStringLiteral("Päiv€");
        QTest::newRow("utf-8 byte order mark") << hexUrl(kBad, "\xef\xbb\xbf\xc3\xa4") << QStringLiteral("ä");
        QTest::newRow("truncated answer") << kBad + QStringLiteral("katkaistu") << QString();
        QTest::newRow("connection closed") << kBad + QStringLiteral("sulje") << QString();
        QTest::newRow("not an address") << QStringLiteral("::::") << QString();
    }
    void get()
    {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(m_http->xmlhttpget(HttpApi::Lookup, url, 10000), expected);
        QVERIFY(!m_http->busy(HttpApi::Lookup));
    }

    void garbledAnswerIsJustText()
    {
        const QString text = m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("sotku"), 10000);
        QCOMPARE(text.size(), 65536);   // one character per byte, nothing lost or crashed
    }

    void hugeAnswer()
    {
        QElapsedTimer t;
        t.start();
        const QString text = m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("valtava?mb=10"), 20000);
        QVERIFY2(text.size() > 9 * 1000 * 1000, qPrintable(QString::number(text.size())));
        QVERIFY(text.startsWith(QStringLiteral("Valtava vastaus äö")));
        QVERIFY(t.elapsed() < 20000);

        m_http->setMaxAnswerBytes(1024 * 1024);
        t.restart();
        QCOMPARE(m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("valtava?mb=10"), 20000), QString());
        QCOMPARE(m_http->xmlhttppost(HttpApi::General, kBad + QStringLiteral("valtava?mb=10"), "x", 20000, {}, {}),
                 QString());
        QVERIFY(t.elapsed() < 5000);
        QCOMPARE(m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("teksti?t=ok"), 5000),
                 QStringLiteral("ok"));
    }

    void postReturnsAnyStatus_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("expected");
        QTest::newRow("404 page") << kBad + QStringLiteral("tila?s=404&t=Ei+l%C3%B6ydy") << QStringLiteral("Ei löydy");
        QTest::newRow("401 page") << kBad + QStringLiteral("tila?s=401&t=Kirjaudu") << QStringLiteral("Kirjaudu");
        QTest::newRow("500 page") << kBad + QStringLiteral("500") << QStringLiteral("<html><body>Palvelinvirhe</body></html>");
        QTest::newRow("200") << kBad + QStringLiteral("vastaanota") << QStringLiteral("vastaanotettu 5 tavua");
        QTest::newRow("truncated") << kBad + QStringLiteral("katkaistu") << QString();
        QTest::newRow("closed") << kBad + QStringLiteral("sulje") << QString();
    }
    void postReturnsAnyStatus()
    {
        QFETCH(QString, url);
        QFETCH(QString, expected);
        QCOMPARE(m_http->xmlhttppost(HttpApi::General, url, "a=b&c", 10000,
                                     {QStringLiteral("Content-Type")},
                                     {QStringLiteral("application/x-www-form-urlencoded")}),
                 expected);
    }

    void headersInOrderWithUserAgent()
    {
        m_http->setUserAgent(QStringLiteral("VSselain-testi/4.05"));
        const QString echo = m_http->xmlhttppost(
            HttpApi::Closing, kBad + QStringLiteral("otsakkeet"), QByteArray("x\0y", 3), 10000,
            {QStringLiteral("X-Toka"), QStringLiteral("X-Eka"), QStringLiteral("Content-Type")},
            {QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("text/xml")});
        const QStringList lines = echo.split(u'\n');
        const int toka = int(lines.indexOf(QStringLiteral("X-Toka: 2")));
        const int eka = int(lines.indexOf(QStringLiteral("X-Eka: 1")));
        QVERIFY2(toka >= 0 && eka > toka, qPrintable(echo));
        QVERIFY2(lines.contains(QStringLiteral("Content-Type: text/xml")), qPrintable(echo));
        QVERIFY2(lines.contains(QStringLiteral("User-Agent: VSselain-testi/4.05")), qPrintable(echo));
        QVERIFY2(lines.contains(QStringLiteral("Content-Length: 3")), qPrintable(echo));

        const QString get = m_http->xmlhttpget(HttpApi::Lookup, kBad + QStringLiteral("otsakkeet"), 10000);
        QVERIFY2(get.contains(QStringLiteral("Content-Type: text/html\n")), qPrintable(get));
        QVERIFY2(get.contains(QStringLiteral("User-Agent: VSselain-testi/4.05\n")), qPrintable(get));

        const QByteArray bytes = m_http->xmlhttpgetBytes(kOther + QStringLiteral("otsakkeet"),
                                                         {QStringLiteral("X-VasaroApiToken")},
                                                         {QStringLiteral("abc")}, 10000);
        QVERIFY2(bytes.contains("X-VasaroApiToken: abc\n"), bytes.constData());
        QVERIFY2(bytes.contains("User-Agent: VSselain-testi/4.05\n"), bytes.constData());
    }

    void timeOutAbortsAndLeavesObjectReady()
    {
        TickCounter ticks;
        QElapsedTimer t;
        t.start();
        // The server stays silent far longer than the wait: ending before
        // it speaks is the time-out's doing, however busy the machine.
        QCOMPARE(m_http->xmlhttpget(HttpApi::Closing, kBad + QStringLiteral("hiljaa?s=15"), 400), QString());
        QVERIFY2(t.elapsed() >= 400 && t.elapsed() < 15000, qPrintable(QString::number(t.elapsed())));
        QVERIFY2(ticks.ticks >= 10, "the window's events did not run during the wait");
        QVERIFY(!m_http->busy(HttpApi::Closing));
        QCOMPARE(m_http->xmlhttppost(HttpApi::Closing, kBad + QStringLiteral("hiljaa?s=3"), "a", 300, {}, {}),
                 QString());
        QCOMPARE(m_http->xmlhttpget(HttpApi::Closing, kBad + QStringLiteral("teksti?t=valmis"), 5000),
                 QStringLiteral("valmis"));
    }

    // An upload waits a minute for the host's answer; a host that takes the
    // upload and never answers ends it with the empty answer once the wait is
    // over, the window's events running meanwhile.
    void uploadGivesUpAfterItsWait()
    {
        QCOMPARE(Http(Endpoints()).uploadTimeoutMs(), 60000);
        m_http->setUploadTimeoutMs(500);
        TickCounter ticks;
        QElapsedTimer t;
        t.start();
        QCOMPARE(m_http->UploadHttpPost(kBad + QStringLiteral("hiljaa?s=15"), QString(), {}, {},
                                        {QStringLiteral("x")}, {QStringLiteral("title")}),
                 QString());
        m_http->setUploadTimeoutMs(Http::kUploadTimeoutMs);
        QVERIFY2(t.elapsed() >= 500 && t.elapsed() < 15000, qPrintable(QString::number(t.elapsed())));
        QVERIFY2(ticks.ticks >= 10, "the window's events did not run during the wait");
        QVERIFY(!m_http->busy(HttpApi::General));
        QVERIFY(m_http->lastRequestFailed(HttpApi::General));
    }

    void unreachableProxyFailsQuietly()
    {
        Endpoints dead;
        dead.set(QStringLiteral("proxy"), QStringLiteral("http://127.0.0.1:9"));
        Http http(dead);
        QElapsedTimer t;
        t.start();
        QCOMPARE(http.xmlhttpget(HttpApi::General, kBad + QStringLiteral("teksti?t=x"), 5000), QString());
        QCOMPARE(http.xmlhttppost(HttpApi::General, kBad + QStringLiteral("teksti"), "x", 5000, {}, {}), QString());
        QCOMPARE(http.xmlhttpgetBytes(kBad + QStringLiteral("teksti?t=x"), {}, {}, 5000), QByteArray());
        QVERIFY(t.elapsed() < 5000);
    }

    // An empty result from a failed connection is told apart from an empty
    // or error answer that did arrive.
    void failureToldApartFromEmptyAnswer_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("timeoutMs");
        QTest::addColumn<bool>("failed");
        QTest::newRow("GET, empty answer") << "GET" << "teksti?t=" << 5000 << false;
        QTest::newRow("GET, status 404") << "GET" << "tila?s=404&t=ei" << 5000 << false;
        QTest::newRow("POST, status 500") << "POST" << "500" << 5000 << false;
        QTest::newRow("GET, connection closed unanswered") << "GET" << "sulje" << 5000 << true;
        QTest::newRow("POST, answer cut short") << "POST" << "katkaistu" << 5000 << true;
        QTest::newRow("GET, no answer in time") << "GET" << "hiljaa?s=3" << 300 << true;
        QTest::newRow("bytes, connection closed") << "BYTES" << "sulje" << 5000 << true;
    }
    void failureToldApartFromEmptyAnswer()
    {
        QFETCH(QString, method);
        QFETCH(QString, path);
        QFETCH(int, timeoutMs);
        QFETCH(bool, failed);
        const QString url = kBad + path;
        const HttpApi::Object object = method == QLatin1String("BYTES") ? HttpApi::General : HttpApi::Lookup;
        if (method == QLatin1String("GET"))
            m_http->xmlhttpget(object, url, timeoutMs);
        else if (method == QLatin1String("POST"))
            m_http->xmlhttppost(object, url, "x", timeoutMs, {}, {});
        else
            m_http->xmlhttpgetBytes(url, {}, {}, timeoutMs);
        QCOMPARE(m_http->lastRequestFailed(object), failed);
        // The next request that gets an answer clears it.
        m_http->xmlhttpget(object, kBad + QStringLiteral("teksti?t=ok"), 5000);
        QVERIFY(!m_http->lastRequestFailed(object));
    }

    void unreachableProxyIsAFailedConnection()
    {
        Endpoints dead;
        dead.set(QStringLiteral("proxy"), QStringLiteral("http://127.0.0.1:9"));
        Http http(dead);
        QCOMPARE(http.xmlhttppost(HttpApi::Lookup, kBad + QStringLiteral("teksti"), "x", 5000, {}, {}), QString());
        QVERIFY(http.lastRequestFailed(HttpApi::Lookup));
        QVERIFY(!http.lastRequestFailed(HttpApi::General));    // each object keeps its own
    }

    void proxyWrittenWithoutScheme()
    {
        Endpoints endpoints;
        endpoints.set(QStringLiteral("proxy"), QStringLiteral("127.0.0.1:%1").arg(m_server.port()));
        Http http(endpoints);
        QCOMPARE(http.xmlhttpget(HttpApi::General, kBad + QStringLiteral("teksti?t=ok"), 5000), QStringLiteral("ok"));
    }

    // A handler re-entered during a wait starts a request on the same object:
    // both callers get their own answers.
    void requestOnBusyObjectKeepsAnswersApart()
    {
        QString inner;
        bool busyDuring = false;
        QTimer::singleShot(100, [&] {
            busyDuring = m_http->busy(HttpApi::General);
            inner = m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("teksti?t=toka"), 5000);
        });
        const QString outer = m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("hidas?ms=700&t=eka"), 5000);
        QVERIFY(busyDuring);
        QCOMPARE(inner, QStringLiteral("toka"));
        QCOMPARE(outer, QStringLiteral("eka"));
        QVERIFY(!m_http->busy(HttpApi::General));
    }

    void byteExactGet_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray odd("\xc3\xa4\xff\x00\xc2\x80\r\n", 8);
        QTest::newRow("other host: bytes exactly") << hexUrl(kOther, odd) << odd;
        QTest::newRow("marketplace: utf-8 letter") << hexUrl(kBad, "P\xc3\xa4iv\xc3\xa4") << QByteArray("P\xe4iv\xe4");
        QTest::newRow("marketplace: euro outside cp1252 range")
            << hexUrl(kBad, "\xe2\x82\xac \xd0\x96") << QByteArray("\x80 ?");
        QTest::newRow("marketplace: double-encoded euro") << hexUrl(kBad, "\xc2\x80x") << QByteArray("\x80x");
        QTest::newRow("marketplace: not utf-8 gets letter repair")
            << hexUrl(kBad, "\xc3\xa4\xff\xc3\x96\xc2") << QByteArray("\xe4\xff\xd6");
        QTest::newRow("api host is marketplace") << QStringLiteral("http://api.vasaro.test/1.1/items/12345678/bids?&num=1")
                                                 << QByteArray("{\"totalCount\":2,");
        QTest::newRow("404") << kBad + QStringLiteral("tila?s=404&t=x") << QByteArray();
        QTest::newRow("500") << kBad + QStringLiteral("500") << QByteArray();
        QTest::newRow("empty body") << hexUrl(kOther, QByteArray()) << QByteArray();
        QTest::newRow("truncated") << kOther + QStringLiteral("katkaistu") << QByteArray();
        QTest::newRow("redirect") << kBad + QStringLiteral("uudelleen") << QByteArray("Perill\xe4");
    }
    void byteExactGet()
    {
        QFETCH(QString, url);
        QFETCH(QByteArray, expected);
        const QByteArray got = m_http->xmlhttpgetBytes(url, {}, {}, 10000);
        if (url.contains(QStringLiteral("/items/")))
            QVERIFY2(got.startsWith(expected), got.constData());
        else
            QCOMPARE(got, expected);
    }

    void byteExactGetOfLocalFileHasStatusZero()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("versio.txt")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("4.06\r\n\xff");
        f.close();
        QCOMPARE(m_http->xmlhttpgetBytes(QUrl::fromLocalFile(f.fileName()).toString(), {}, {}, 5000),
                 QByteArray("4.06\r\n\xff"));
    }

    void stopFlagAbandonsByteExactGet()
    {
        QTimer::singleShot(150, [this] { m_http->stopFlag().set(); });
        QElapsedTimer t;
        t.start();
        QCOMPARE(m_http->xmlhttpgetBytes(kBad + QStringLiteral("hidas?ms=3000&t=x"), {}, {}, 10000), QByteArray());
        QVERIFY(t.elapsed() < 2000);
        QVERIFY(!m_http->busy(HttpApi::General));
        // The plain GET does not look at the flag.
        QCOMPARE(m_http->xmlhttpget(HttpApi::General, kBad + QStringLiteral("hidas?ms=300&t=y"), 5000),
                 QStringLiteral("y"));
    }

    void cookiesFromAnswersAreKeptAndReported()
    {
        QSignalSpy received(m_http->cookieJar(), &CookieJar::cookiesReceived);
        QVERIFY(!m_http->xmlhttpget(HttpApi::General,
                                    QStringLiteral("http://www.vasaro.test/asetakeksi?nimi=koe&arvo=42"), 5000)
                     .isEmpty());
        QCOMPARE(received.count(), 1);
        const auto cookies = received.at(0).at(0).value<QList<QNetworkCookie>>();
        QCOMPARE(cookies.size(), 1);
        QCOMPARE(cookies.first().name(), QByteArray("koe"));
        const QString whoami = m_http->xmlhttpget(HttpApi::Lookup, QStringLiteral("http://www.vasaro.test/whoami"), 5000);
        QVERIFY2(whoami.contains(QStringLiteral("koe=42")), qPrintable(whoami));
    }

    void multipartBodyIsByteExact()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("Vss1.jpg"));
        const QString second = dir.filePath(QStringLiteral("Vss2.jpg"));
        const QByteArray firstBytes("\xff\xd8\x00\r\n--x\xff\xd9", 10);
        const QByteArray secondBytes("\xff\xd8second\xff\xd9");
        for (const auto &[path, bytes] : {std::pair{first, firstBytes}, std::pair{second, secondBytes}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        m_server.clear();
        const QString answer = m_http->UploadHttpPost(
            kOther + QStringLiteral("vastaanota"), QStringLiteral("http://kuvat.example.test/lataa.php"),
            {first, second}, {QStringLiteral("file1"), QStringLiteral("file2")},
            {QStringLiteral("Kesä")}, {QStringLiteral("title")});
        QVERIFY2(answer.startsWith(QStringLiteral("vastaanotettu")), qPrintable(answer));

        const QByteArray B = "---------------------------7d84e31803b4";
        const QByteArray expected =
            "--" + B + "\r\n" "Content-Disposition: form-data; name=\"title\"\r\n\r\n" "Kes\xe4\r\n"
            "--" + B + "\r\n" "Content-Disposition: form-data; name=\"file1\"; filename=\"" + first.toUtf8() + "\"\r\n"
            "Content-Type: image/pjpeg\r\n\r\n" + firstBytes + "\r\n"
            "--" + B + "\r\n"   // a file part that is not the last ends with the boundary line
            "--" + B + "\r\n" "Content-Disposition: form-data; name=\"file2\"; filename=\"" + second.toUtf8() + "\"\r\n"
            "Content-Type: image/pjpeg\r\n\r\n" + secondBytes + "\r\n"
            "--" + B + "--\r\n";
        const auto requests = m_server.requests(QStringLiteral("kuvat.example.test"), QStringLiteral("/vastaanota"));
        QCOMPARE(requests.size(), 1);
        const QByteArray sent = FakeMarketplace::body(requests.first());
        int diff = 0;
        while (diff < sent.size() && diff < expected.size() && sent.at(diff) == expected.at(diff))
            ++diff;
        QVERIFY2(sent == expected, (sent.mid(diff).toHex(' ') + " | expected " + expected.mid(diff).toHex(' ')).constData());
        const QJsonObject headers = requests.first().value(QStringLiteral("headers")).toObject();
        QCOMPARE(headers.value(QStringLiteral("Referer")).toString(), QStringLiteral("http://kuvat.example.test/lataa.php"));
        QCOMPARE(headers.value(QStringLiteral("Content-Type")).toString(),
                 QStringLiteral("multipart/form-data; boundary=") + QString::fromLatin1(B));
        QCOMPARE(requests.first().value(QStringLiteral("method")).toString(), QStringLiteral("POST"));
    }

    void multipartLayouts_data()
    {
        QTest::addColumn<QStringList>("paths");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray B = UploadBody::boundary();
        QTest::newRow("one text field, no file")
            << QStringList() << QStringList()
            << QByteArray("--" + B + "\r\nContent-Disposition: form-data; name=\"title\"\r\n\r\nx\r\n--" + B + "--\r\n");
        QTest::newRow("empty path is an empty binary part")
            << QStringList{QString()} << QStringList{QStringLiteral("file")}
            << QByteArray("--" + B + "\r\nContent-Disposition: form-data; name=\"title\"\r\n\r\nx\r\n"
                          "--" + B + "\r\nContent-Disposition: form-data; name=\"file\"; filename=\"\"\r\n"
                          "Content-Transfer-Encoding: binary\r\n\r\n--" + B + "--\r\n");
    }
    void multipartLayouts()
    {
        QFETCH(QStringList, paths);
        QFETCH(QStringList, fields);
        QFETCH(QByteArray, expected);
        QCOMPARE(UploadBody::boundary(), QByteArray(27, '-') + "7d84e31803b4");
        QCOMPARE(UploadBody::build(paths, fields, {QStringLiteral("x")}, {QStringLiteral("title")}).value(), expected);
    }

    void unreadableFileSendsNothing()
    {
        m_server.clear();
        QString unreadable;
        const QString missing = QStringLiteral("/nonexistent/Vss9.jpg");
        QCOMPARE(m_http->UploadHttpPost(kOther + QStringLiteral("vastaanota"), QString(), {missing},
                                        {QStringLiteral("file")}, {}, {}, &unreadable),
                 QString());
        QCOMPARE(unreadable, missing);
        QVERIFY(m_server.requests(QStringLiteral("kuvat.example.test")).isEmpty());
    }

    void uploadFieldList()
    {
        UploadFields &fields = m_http->uploadFields();
        fields.add(QStringLiteral("from"), QStringLiteral("etu"));
        fields.clear();
        fields.add(QStringLiteral("title"), QString());
        fields.add(QString(), QStringLiteral("ignored"));
        fields.add(QStringLiteral("fselectos"), QStringLiteral("-"));
        QCOMPARE(fields.names(), (QStringList{QStringLiteral("title"), QStringLiteral("fselectos")}));
        QCOMPARE(fields.values(), (QStringList{QString(), QStringLiteral("-")}));
    }
};

QTEST_GUILESS_MAIN(TestHttp)
#include "tst_http.moc"
