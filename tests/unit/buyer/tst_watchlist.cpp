// The watch list and the e-mail reminder as logic: reading the watch-list
// page, the reminder's hour rules, 8-hour rule, fields and encoding, and every
// step and message of ordering a reminder against scripted API answers.
#include "browser/policy/contextmenupolicy.h"
#include "buyer/watchlist/reminderrules.h"
#include "buyer/watchlist/watchlistpage.h"
#include "buyer/watchlist/watchlisttool.h"
#include "client/apisession.h"
#include "client/httpapi.h"
#include "core/cp1252.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "client/stopflag.h"
#include "scriptedprompts.h"
#include <QUrlQuery>
#include <QtTest>

namespace {
const QString kWeb = QStringLiteral("http://www.vasaro.test/");
const QString kApi = QStringLiteral("http://api.vasaro.test/1.1/");
const QString kService = QStringLiteral("http://www.vsselain.test/ajastus/add.php");
const QString kItemPage = QStringLiteral("http://www.vasaro.test/kohteet/tuoli/12345678");

QString loginAnswer()
{
    return QStringLiteral("{\"authentication\":{\"token\":{\"id\":\"0123456789abcdef0123456789abcdef\"}},"
                          "\"links\":{\"user\":\"http:\\/\\/api.vasaro.test\\/1.1\\/users\\/7654321\"}}");
}
QString itemAnswer(const QString &closing, const QString &title = QStringLiteral("Tuoli"))
{
    return QStringLiteral("{\"id\":12345678,\"title\":\"%1\",\"closingTime\":\"%2\",\"seller\":\"x\"}").arg(title, closing);
}
QString userAnswer(const QString &email = QStringLiteral("matti@example.test"),
                   const QString &name = QStringLiteral("Testaaja"))
{
    return QStringLiteral("{\"id\":7654321,\"username\":\"%1\",\"email\":\"%2\"}").arg(name, email);
}

// Answers by the first registered part of the address; records each request.
class ScriptedHttp final : public HttpApi {
public:
    struct Reply {
        QString text;
        int status = 200;
        bool failed = false;   // no answer at all (time-out, refused)
    };
    struct Call {
        QString method;
        Object object;
        QString url;
        QByteArray body;
        int timeoutMs;
        QStringList names, values;
    };
    QList<QPair<QString, Reply>> replies;
    QList<Call> calls;
    bool lookupBusy = false;

    void on(const QString &part, const QString &text, int status = 200, bool failed = false)
    {
        replies.prepend({part, {text, status, failed}});
    }
    QString xmlhttpget(Object object, const QString &url, int timeoutMs) override
    {
        const Reply r = answer(object, QStringLiteral("GET"), url, {}, timeoutMs, {}, {});
        return r.status == 200 ? r.text : QString();
    }
    QString xmlhttppost(Object object, const QString &url, const QByteArray &body, int timeoutMs,
                        const QStringList &names, const QStringList &values) override
    {
        return answer(object, QStringLiteral("POST"), url, body, timeoutMs, names, values).text;
    }
    QByteArray xmlhttpgetBytes(const QString &url, const QStringList &names, const QStringList &values,
                               int timeoutMs) override
    {
        const Reply r = answer(General, QStringLiteral("GET"), url, {}, timeoutMs, names, values);
        return r.status == 200 ? Cp1252::encode(r.text) : QByteArray();
    }
    bool lastRequestFailed(Object object) const override { return m_failed[object]; }
    int lastStatus(Object object) const override { return m_status[object]; }
    bool busy(Object object) const override { return object == Lookup && lookupBusy; }

    QList<Call> to(const QString &part) const
    {
        QList<Call> out;
        for (const Call &c : calls)
            if (c.url.contains(part))
                out << c;
        return out;
    }

private:
    Reply answer(Object object, const QString &method, const QString &url, const QByteArray &body, int timeoutMs,
                 const QStringList &names, const QStringList &values)
    {
        calls.append({method, object, url, body, timeoutMs, names, values});
        Reply r{QString(), 404, false};
        for (const auto &entry : replies)
            if (url.contains(entry.first)) {
                r = entry.second;
                break;
            }
        m_failed[object] = r.failed;
        m_status[object] = r.failed ? 0 : r.status;
        if (r.failed)
            r.text.clear();
        return r;
    }
    bool m_failed[3] = {false, false, false};
    int m_status[3] = {0, 0, 0};
};

class RecordingHost final : public WatchListHost {
public:
    QStringList panel, alerts;
    void naytapaneeli(const QString &text, int ticks) override { panel << text + u'/' + QString::number(ticks); }
    void showWatchListAlert(const QString &text) override { alerts << text; }
};

QDateTime at(const QString &text)
{
    return QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd hh:mm"));
}
} // namespace

class TestWatchList : public QObject {
    Q_OBJECT

    ScriptedHttp m_http;
    StopFlag m_stop;
    Settings m_settings;
    qint64 m_tick = 0;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<ApiSession> m_api;
    ScriptedPrompts m_prompts;
    RecordingHost m_host;
    std::unique_ptr<WatchListTool> m_tool;

    void signIn() { QVERIFY(m_api->captureLogin("userid=Testaaja&password=salasana&toiminto=kirjaudu")); }
    void press() { m_tool->postiaClick(kItemPage, kItemPage); }
    QUrlQuery sentForm() const
    {
        const auto posts = m_http.to(kService);
        return posts.isEmpty() ? QUrlQuery() : QUrlQuery(QString::fromLatin1(posts.last().body).replace(u'+', u' '));
    }

private slots:
    void init()
    {
        m_http = ScriptedHttp();
        m_prompts = ScriptedPrompts();
        m_host = RecordingHost();
        m_settings.vasaroaika = false;
        m_tick = 0;
        m_clock = std::make_unique<ProgramClock>([this] { return m_tick; }, at(QStringLiteral("2022-03-04 12:00")));
        m_api = std::make_unique<ApiSession>(m_http, m_stop, *m_clock, m_settings, kApi, [this] { return m_tick; });
        WatchListTool::Parts parts;
        parts.http = &m_http;
        parts.api = m_api.get();
        parts.clock = m_clock.get();
        parts.prompts = &m_prompts;
        parts.host = &m_host;
        parts.webBase = kWeb;
        parts.apiBase = kApi;
        parts.reminderService = kService;
        m_tool = std::make_unique<WatchListTool>(parts);
        m_http.on(QStringLiteral("authentication/"), loginAnswer());
        m_http.on(QStringLiteral("users/7654321"), userAnswer());
        m_http.on(kService, QStringLiteral("OK"));
    }

    // ---- the watch-list page -------------------------------------------------

    void closingTime_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("expected");
        const QString row = QStringLiteral("<tr><td class=\"sulkeutumisaika\"><span>%1</span></td>"
                                           "<td class=\"%2\">%3</td></tr>");
        QTest::newRow("closing") << row.arg("11.3.2022 20:15", "closing", "Sulkeutuu pian") << "11.3.2022 20:15";
        QTest::newRow("none closing") << row.arg("11.3.2022 20:15", "open", "Auki") << "";
        QTest::newRow("first closing, its own time")
            << row.arg("10.3.2022 10:00", "open", "x") + row.arg("11.3.2022 11:00", "closing", "x")
                   + row.arg("12.3.2022 12:00", "closing", "x")
            << "11.3.2022 11:00";
        QTest::newRow("single quotes, tabs and breaks go")
            << "<td class='sulkeutumisaika'>\r\n\t<b>1.4.2022 9:05</b></td><td class='closing'>x</td>"
            << "1.4.2022 9:05";
        QTest::newRow("no time before the mark") << "<td class=\"closing\">x</td><td class=\"sulkeutumisaika\">"
                                                    "<b>1.4.2022</b></td>" << "";
        QTest::newRow("empty time") << row.arg("", "closing", "x") << "";
        // The table's heading row names the columns with their classes; the
        // state column's heading is styled "closing". It is no listing.
        const QString heading = QStringLiteral("<tr><th class=\"kohde\">Kohde</th><th class=\"sulkeutumisaika\">"
                                               "<span>Sulkeutumisaika</span></th><th class=\"closing\">Tila</th></tr>");
        QTest::newRow("heading row only") << heading << "";
        QTest::newRow("heading row in thead") << "<table><thead>" + heading + "</thead><tbody></tbody></table>" << "";
        QTest::newRow("heading, then a closing row")
            << "<table><thead>" + heading + "</thead><tbody>" + row.arg("10.3.2022 10:00", "open", "x")
                   + row.arg("11.3.2022 11:00", "closing", "x") + "</tbody></table>"
            << "11.3.2022 11:00";
        QTest::newRow("heading in td cells") << row.arg("Sulkeutumisaika", "closing", "Tila") << "";
        QTest::newRow("empty page") << "" << "";
    }
    void closingTime()
    {
        QFETCH(QString, html);
        QFETCH(QString, expected);
        QCOMPARE(WatchListPage::closingTime(html), expected);
        m_tool->katsotaanmuistilista(html);
        QCOMPARE(m_host.alerts, expected.isEmpty() ? QStringList()
                                                   : QStringList{"Muistilistassa oleva kohde sulkeutuu " + expected});
    }

    void periodicCheckOnlyWhenSignedIn()
    {
        m_http.on(QStringLiteral("omasivu/muistilista"),
                  QStringLiteral("<td class=sulkeutumisaika><i>5.3.2022 01:00</i></td><td class=closing>"));
        m_tool->Timer2Timer();
        QVERIFY(m_http.calls.isEmpty());
        signIn();
        m_tool->Timer2Timer();
        QCOMPARE(m_http.calls.size(), 1);
        QCOMPARE(m_http.calls.at(0).url, kWeb + QStringLiteral("omasivu/muistilista"));
        QCOMPARE(m_http.calls.at(0).object, HttpApi::Lookup);
        QCOMPARE(m_http.calls.at(0).timeoutMs, 20000);
        QCOMPARE(m_host.alerts, QStringList{"Muistilistassa oleva kohde sulkeutuu 5.3.2022 01:00"});
    }

    // ---- adding from the link menu ------------------------------------------

    void addToWatchList_data()
    {
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("remembered");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("requested");   // "" = nothing sent
        QTest::addColumn<QStringList>("panel");
        const QStringList added{"Odota../3", "Lisätty muistilistalle!/3"};
        QTest::newRow("status bar link") << "http://www.vasaro.test/kohteet/tuoli/12345678" << ""
                                         << "{\"message\":\"Kohde lisätty muistilistalle\"}" << "12345678" << added;
        QTest::newRow("remembered link") << "Valmis" << "http://www.vasaro.test/kohteet/x/87654321"
                                         << "lisätty muistilistalle" << "87654321" << added;
        QTest::newRow("other answer") << "http://www.vasaro.test/kohteet/tuoli/12345678" << ""
                                      << "{\"error\":\"Kirjaudu\"}" << "12345678" << QStringList{"Odota../3"};
        QTest::newRow("seven digits") << "http://www.vasaro.test/kohteet/tuoli/1234567" << "" << "muistilistalle"
                                      << "" << QStringList();
        QTest::newRow("no item") << "http://www.vasaro.test/haku?q=1" << "" << "muistilistalle" << ""
                                 << QStringList();
    }
    void addToWatchList()
    {
        QFETCH(QString, status);
        QFETCH(QString, remembered);
        QFETCH(QString, answer);
        QFETCH(QString, requested);
        QFETCH(QStringList, panel);
        m_http.on(QStringLiteral("add-ajax"), answer);
        m_tool->Liskirjanmerkkeihin1Click(ContextMenuPolicy::linkCommandAddress(status, remembered));
        QCOMPARE(m_host.panel, panel);
        if (requested.isEmpty()) {
            QVERIFY(m_http.calls.isEmpty());
            return;
        }
        QCOMPARE(m_http.calls.size(), 1);
        QCOMPARE(m_http.calls.at(0).url, kWeb + QStringLiteral("omasivu/muistilista/add-ajax/item/") + requested);
        QCOMPARE(m_http.calls.at(0).object, HttpApi::Lookup);
    }

    void addWhileLookupBusyDoesNothing()
    {
        m_http.lookupBusy = true;
        m_tool->Liskirjanmerkkeihin1Click(QStringLiteral("http://www.vasaro.test/kohteet/a/12345678"));
        QVERIFY(m_http.calls.isEmpty());
        QVERIFY(m_host.panel.isEmpty());
    }

    // ---- the reminder's rules -------------------------------------------------

    void hourRules_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("field");
        QTest::newRow("20:00 -> 14") << "2022-03-11T20:00:00+02:00" << "2022031114";
        QTest::newRow("08:00 -> 02 -> 23 the day before -> 21") << "2022-03-11T08:00:00+02:00" << "2022031021";
        QTest::newRow("05:30 -> 23:30 the day before -> 21") << "2022-03-11T05:30:00+02:00" << "2022031021";
        QTest::newRow("09:00 -> 03 stays") << "2022-03-11T09:00:00+02:00" << "2022031103";
        QTest::newRow("08:59 -> 02:59 -> 23:59 -> 21") << "2022-03-11T08:59:59+02:00" << "2022031021";
        QTest::newRow("03:00 on the 1st -> 21:00 the month before") << "2022-03-01T03:00:00+02:00" << "2022022821";
        QTest::newRow("year turns") << "2023-01-01T07:00:00+02:00" << "2022123121";
        QTest::newRow("23:59 -> 17") << "2022-03-11T23:59:00Z" << "2022031117";
    }
    void hourRules()
    {
        QFETCH(QString, closing);
        QFETCH(QString, field);
        const std::optional<QDateTime> c = ReminderRules::closingTime(closing);
        QVERIFY(c);
        QCOMPARE(ReminderRules::timeField(ReminderRules::reminderTime(*c)), field);
    }

    void eightHourRule_data()
    {
        QTest::addColumn<int>("minutesLeft");
        QTest::addColumn<bool>("refused");
        QTest::newRow("9 hours") << 9 * 60 << false;
        QTest::newRow("exactly 8 hours") << 8 * 60 << false;
        QTest::newRow("7 h 59 min") << 8 * 60 - 1 << true;
        QTest::newRow("7 hours") << 7 * 60 << true;
        QTest::newRow("closed") << -5 << true;
    }
    void eightHourRule()
    {
        QFETCH(int, minutesLeft);
        QFETCH(bool, refused);
        const QDateTime now = at(QStringLiteral("2022-03-04 12:00"));
        const QDateTime closing = ReminderRules::wallClock(now).addSecs(minutesLeft * 60);
        QCOMPARE(ReminderRules::tooLate(now, ReminderRules::reminderTime(closing)), refused);
    }

    void unreadableClosingTimes_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << "";
        QTest::newRow("cut short") << "2022-03-11T20:15";
        QTest::newRow("letters") << "2022-O3-11T20:15:00";
        QTest::newRow("no such day") << "2022-02-30T20:15:00";
        QTest::newRow("hour 24") << "2022-03-11T24:00:00";
        QTest::newRow("sign") << "-022-03-11T20:15:00";
    }
    void unreadableClosingTimes()
    {
        QFETCH(QString, value);
        QVERIFY(!ReminderRules::closingTime(value));
    }

    void userNumberIsStable()
    {
        // FNV-1a of "testaaja": the same in every run and on every machine.
        QCOMPARE(ReminderRules::userNumber(QStringLiteral("Testaaja")), QStringLiteral("2689037970"));
        QCOMPARE(ReminderRules::userNumber(QStringLiteral(" TESTAAJA ")), QStringLiteral("2689037970"));
        QVERIFY(ReminderRules::userNumber(QStringLiteral("Testaaja2")) != QStringLiteral("2689037970"));
        QCOMPARE(ReminderRules::userNumber(QStringLiteral("Mökkimyyjä")),
                 ReminderRules::userNumber(QStringLiteral("mökkimyyjä")));
    }

    void bodyEncodesEveryValue()
    {
        ReminderRules::Fields f;
        f.itemId = QStringLiteral("12345678");
        f.userId = QStringLiteral("2689037970");
        f.title = QStringLiteral("Tuoli & pöytä = 2 + 50% \"ale\"");
        f.email = QStringLiteral("matti+vasaro@example.test");
        f.time = QStringLiteral("2022031021");
        f.closingTime = QStringLiteral("05:30:00");
        const QByteArray body = ReminderRules::requestBody(f);
        QCOMPARE(body, QByteArray("itemid=12345678&userid=2689037970"
                                  "&title=Tuoli+%26+p%c3%b6yt%c3%a4+%3d+2+%2b+50%25+%22ale%22"
                                  "&email=matti%2bvasaro@example.test&aika=2022031021&closingtime=05%3a30%3a00"));
        // What the service reads back is what was meant.
        const QUrlQuery q(QString::fromLatin1(body).replace(u'+', u' '));
        QCOMPARE(q.queryItemValue(QStringLiteral("title"), QUrl::FullyDecoded), f.title);
        QCOMPARE(q.queryItemValue(QStringLiteral("email"), QUrl::FullyDecoded), f.email);
    }

    // ---- ordering a reminder ----------------------------------------------------

    void reminderIsSent()
    {
        signIn();
        m_http.on(QStringLiteral("items/12345678"), itemAnswer(QStringLiteral("2022-03-11T05:30:00+02:00"),
                                                               QStringLiteral("Tuoli & p\\u00f6yt\\u00e4 = 2")));
        press();
        QCOMPARE(m_prompts.asked, QStringList{"information: Muistutus lisätty!"});
        const QList<ScriptedHttp::Call> item = m_http.to(QStringLiteral("items/"));
        QCOMPARE(item.size(), 1);
        QCOMPARE(item.at(0).object, HttpApi::General);
        QCOMPARE(item.at(0).timeoutMs, 20000);
        const QList<ScriptedHttp::Call> user = m_http.to(QStringLiteral("users/7654321"));
        QCOMPARE(user.size(), 1);
        QCOMPARE(user.at(0).timeoutMs, 30000);
        QCOMPARE(user.at(0).names, (QStringList{"Content-Type", "X-VasaroApiToken"}));
        QCOMPARE(user.at(0).values, (QStringList{"text/xml", "0123456789abcdef0123456789abcdef"}));
        const ScriptedHttp::Call post = m_http.to(kService).value(0);
        QCOMPARE(post.timeoutMs, 20000);
        QCOMPARE(post.names, QStringList{"Content-Type"});
        QCOMPARE(post.values, QStringList{"application/x-www-form-urlencoded"});
        const QUrlQuery q = sentForm();
        const auto value = [&q](const char *key) { return q.queryItemValue(QLatin1String(key), QUrl::FullyDecoded); };
        QCOMPARE(value("itemid"), QStringLiteral("12345678"));
        QCOMPARE(value("userid"), QStringLiteral("2689037970"));
        QCOMPARE(value("title"), QStringLiteral("Tuoli & pöytä = 2"));
        QCOMPARE(value("email"), QStringLiteral("matti@example.test"));
        QCOMPARE(value("aika"), QStringLiteral("2022031021"));
        QCOMPARE(value("closingtime"), QStringLiteral("05:30:00"));
    }

    // Each failing step ends with its message and sends nothing further.
    void reminderFailures_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("userStatus");
        QTest::addColumn<int>("serviceStatus");
        QTest::addColumn<bool>("serviceSilent");
        QTest::addColumn<bool>("signedIn");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("posted");
        const QString ok = itemAnswer(QStringLiteral("2022-03-11T20:00:00+02:00"));
        const QString u = userAnswer();
        QTest::newRow("no item answer") << "" << u << 200 << 200 << false << true
                                        << "Kohteen tietojen haku epäonnistui.." << false;
        QTest::newRow("not JSON") << "<html>virhe</html>" << u << 200 << 200 << false << true
                                  << "Kohteen tietojen haku epäonnistui.." << false;
        QTest::newRow("truncated closing time") << "{\"closingTime\":\"2022-03-1" << u << 200 << 200 << false << true
                                                << "Toiminto epäonnistui!" << false;
        QTest::newRow("closing time null") << "{\"closingTime\":null}" << u << 200 << 200 << false << true
                                           << "Toiminto epäonnistui!" << false;
        QTest::newRow("7 hours left") << itemAnswer(QStringLiteral("2022-03-04T19:00:00+02:00")) << u << 200 << 200
                                      << false << true
                                      << "Muistutusta ei voi asettaa, jos kohteen sulkeutumiseen alle 8 tuntia"
                                      << false;
        QTest::newRow("not signed in") << ok << u << 200 << 200 << false << false
                                       << "Tarvittavia tietoja ei voitu hakea!" << false;
        QTest::newRow("user refused") << ok << u << 401 << 200 << false << true
                                      << "Tarvittavia tietoja ei voitu hakea!" << false;
        QTest::newRow("no @ in e-mail") << ok << userAnswer(QStringLiteral("matti.example.test")) << 200 << 200
                                        << false << true << "Tarvittavia tietoja ei voitu hakea!" << false;
        QTest::newRow("no user name") << ok << userAnswer(QStringLiteral("m@example.test"), QString()) << 200 << 200
                                      << false << true << "Tarvittavia tietoja ei voitu hakea!" << false;
        QTest::newRow("service error") << ok << u << 200 << 500 << false << true
                                       << "Muistutuksen lisääminen epäonnistui!" << true;
        QTest::newRow("service silent") << ok << u << 200 << 200 << true << true
                                        << "Muistutuksen lisääminen epäonnistui!" << true;
    }
    void reminderFailures()
    {
        QFETCH(QString, item);
        QFETCH(QString, user);
        QFETCH(int, userStatus);
        QFETCH(int, serviceStatus);
        QFETCH(bool, serviceSilent);
        QFETCH(bool, signedIn);
        QFETCH(QString, message);
        QFETCH(bool, posted);
        if (signedIn)
            signIn();
        m_http.on(QStringLiteral("items/12345678"), item);
        m_http.on(QStringLiteral("users/7654321"), user, userStatus);
        m_http.on(kService, QStringLiteral("OK"), serviceStatus, serviceSilent);
        press();
        QCOMPARE(m_prompts.asked, QStringList{"information: " + message});
        QCOMPARE(m_http.to(kService).size(), posted ? 1 : 0);
    }

    void onlyOnItemPages()
    {
        signIn();
        m_tool->postiaClick(QStringLiteral("http://www.vasaro.test/haku?q=tuoli"), kItemPage);
        QVERIFY(m_http.calls.isEmpty());
        QVERIFY(m_prompts.asked.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestWatchList)
#include "tst_watchlist.moc"
