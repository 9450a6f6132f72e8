// The ledger fetch against the fake REST API over real HTTP: the user types
// "Alkaen:" and "Määrä:" and presses Enter (or the fetch button) in the shown
// ledger window; the sales or purchases list is paged by 50, and every new
// trade becomes a row read from its three answers. "Pysäytä" and closing the
// window stop it with the rows read so far kept; answers that are empty, cut
// short, not JSON or of the wrong kind leave the list as it was read and say
// what failed.
#include "client/apisession.h"
#include "client/http.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "fakemarketplace.h"
#include "ledger/fetch/ledgerfetch.h"
#include "ledger/tform8.h"
#include "scriptedprompts.h"
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
// The real transport; after the first list page the clock jumps past the
// token's 30 minutes, so the next page needs a new sign-in.
class AgingHttp final : public HttpApi {
public:
    AgingHttp(Http &http, qint64 &tick) : m_http(http), m_tick(tick) {}
    QString xmlhttpget(Object o, const QString &url, int t) override { return m_http.xmlhttpget(o, url, t); }
    QString xmlhttppost(Object o, const QString &url, const QByteArray &body, int t, const QStringList &n,
                        const QStringList &v) override
    {
        return m_http.xmlhttppost(o, url, body, t, n, v);
    }
    QByteArray xmlhttpgetBytes(const QString &url, const QStringList &n, const QStringList &v, int t) override
    {
        const QByteArray answer = m_http.xmlhttpgetBytes(url, n, v, t);
        if (url.contains(QLatin1String("/sales?")))
            m_tick += 31 * 60000;
        return answer;
    }
    bool lastRequestFailed(Object o) const override { return m_http.lastRequestFailed(o); }

private:
    Http &m_http;
    qint64 &m_tick;
};

const QString api = QStringLiteral("api.vasaro.test");
const QString crlf = QStringLiteral("\r\n");

QStringList row(const QString &item, const QString &title, const QString &closing, const QString &price,
                const QString &delivery, const QString &address, const QString &party)
{
    return {QString(), item, title, closing, price, delivery, QString(), QString(), address, party};
}
}

class TestLedgerFetch : public QObject {
    Q_OBJECT

    FakeMarketplace m_server;
    std::unique_ptr<Http> m_http;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    qint64 m_tick = 1000;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<ApiSession> m_session;
    std::unique_ptr<TForm8> m_form;

    template <typename T>
    T *w(const char *name) const
    {
        T *found = m_form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    LedgerTable &sg() const { return m_form->masterList(); }
    QStringList masterRow(const QString &item) const
    {
        for (int r = 1; r < sg().rowCount(); ++r) {
            if (sg().cell(1, r) == item)
                return sg().row(r);
        }
        return {};
    }
    QStringList items() const
    {
        QStringList out;
        for (int r = 1; r < sg().rowCount(); ++r) {
            if (!sg().cell(1, r).isEmpty())
                out << sg().cell(1, r);
        }
        out.sort();
        return out;
    }
    QList<QJsonObject> listRequests(const QString &list = QStringLiteral("/sales")) const
    {
        return m_server.requests(api, list);
    }
    static QString header(const QJsonObject &request, const QString &name)
    {
        const QJsonObject headers = request.value(QStringLiteral("headers")).toObject();
        for (auto it = headers.begin(); it != headers.end(); ++it) {
            if (it.key().compare(name, Qt::CaseInsensitive) == 0)
                return it.value().toString();
        }
        return QString();
    }
    QStringList requestedItems(const QString &tail) const
    {
        QStringList out;
        for (const QJsonObject &r : m_server.requests(api, QStringLiteral("/1.1/items/"))) {
            const QString path = r.value(QStringLiteral("path")).toString();
            if (path.endsWith(tail))
                out << path.mid(11, 8);
        }
        return out;
    }

    // Types into a box the way a user does: a click into it, select all, keys.
    void typeInto(const char *box, const QString &text)
    {
        auto *edit = w<QLineEdit>(box);
        QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    // "Alkaen:", "Määrä:" and Enter; returns when the fetch has ended.
    void fetchByKeys(const QString &start, const QString &count, int limitMs = 60000)
    {
        const int before = m_form->fetch()->runs();
        typeInto("Edit1", start);
        typeInto("Edit2", count);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(m_form->fetch()->runs() == before + 1, limitMs);
    }
    static void clickAt(QWidget *w)
    {
        const QPoint global = w->mapToGlobal(w->rect().center());
        QWidget *under = QApplication::widgetAt(global);
        QVERIFY2(under, "nothing under the pointer");
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFromGlobal(global));
    }
    // Runs `act` once, from the event loop, when `ready` holds (the test's own
    // code waits inside the fetch meanwhile).
    void when(QTimer &poll, std::function<bool()> ready, std::function<void()> act)
    {
        connect(&poll, &QTimer::timeout, this, [&poll, ready, act] {
            if (ready()) {
                poll.stop();
                act();
            }
        });
        poll.start(10);
    }
    void signIn(const char *body = "userid=Testaaja&password=salasana")
    {
        m_session = std::make_unique<ApiSession>(*m_http, m_http->stopFlag(), *m_clock, m_settings,
                                                 Endpoints::fromEnvironment().apiBase(),
                                                 [this] { return m_tick; });
        m_session->captureLogin(body);
        m_form->attachFetch(*m_http, *m_session, m_http->stopFlag());
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
        m_server.setState(QStringLiteral("kaupat"), QStringLiteral("1"));
        m_prompts = ScriptedPrompts();
        m_clock = std::make_unique<ProgramClock>([this] { return m_tick; },
                                                 QDateTime(QDate(2026, 3, 15), QTime(12, 0)));
        m_form = std::make_unique<TForm8>(m_settings, m_prompts, *m_clock, Endpoints::fromEnvironment());
        signIn();
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_form->setUnsaved(false);
        m_form.reset();
        m_session.reset();
    }

    // Start 49, count 2: pages 1 and 2, the 50th and the 51st trade.
    void startAndCountAcrossPages()
    {
        fetchByKeys(QStringLiteral("49"), QStringLiteral("2"));
        QCOMPARE(m_prompts.asked, QStringList());
        const QList<QJsonObject> pages = listRequests();
        QCOMPARE(pages.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const QUrlQuery q(pages.at(i).value(QStringLiteral("query")).toString());
            QCOMPARE(pages.at(i).value(QStringLiteral("path")).toString(), QStringLiteral("/1.1/users/7654321/sales"));
            QCOMPARE(q.queryItemValue(QStringLiteral("sold")), QStringLiteral("1"));
            QCOMPARE(q.queryItemValue(QStringLiteral("status")), QStringLiteral("closed"));
            QCOMPARE(q.queryItemValue(QStringLiteral("limit")), QStringLiteral("50"));
            QCOMPARE(q.queryItemValue(QStringLiteral("sort")), QStringLiteral("closing-time"));
            QCOMPARE(q.queryItemValue(QStringLiteral("page")), QString::number(i + 1));
            QVERIFY(!q.queryItemValue(QStringLiteral("nocache")).isEmpty());
            QCOMPARE(header(pages.at(i), QStringLiteral("X-VasaroApiToken")), m_session->apiToken());
            QCOMPARE(header(pages.at(i), QStringLiteral("Content-Type")), QStringLiteral("text/xml"));
        }
        QCOMPARE(items(), (QStringList{"51000050", "51000051"}));
        QCOMPARE(masterRow("51000050"),
                 row("51000050", "Arabia Paratiisi -kahvikupit 6 kpl #50", "25.02.2022 06:15:00", "7.25",
                     "Toimituskulut:8.90",
                     "Liisa Ääpälä" + crlf + "user6100013@example.test" + crlf + "Kuusikuja 13 A 3" + crlf
                         + "00074 Ähtäri" + crlf + "040 6100013" + crlf,
                     "käyttäjä_6100013/6100013"));
        QCOMPARE(masterRow("51000051"),
                 row("51000051", "Lasten talvihaalari, koko 110 (Reima) #51", "24.02.2022 23:15:00", "0.50",
                     "Toimituskulut:12.00",
                     "Örjan Åberg" + crlf + "user6100014@example.test" + crlf + "Kuusikuja 14 A 3" + crlf
                         + "00075 Närpiö" + crlf + "040 6100014" + crlf,
                     "käyttäjä_6100014/6100014"));
        // Three answers per trade; only the user's carries the token.
        const QList<QJsonObject> users = m_server.requests(api, QStringLiteral("/1.1/users/61"));
        QCOMPARE(users.size(), 2);
        QCOMPARE(header(users.first(), QStringLiteral("X-VasaroApiToken")), m_session->apiToken());
        QCOMPARE(requestedItems(QStringLiteral("/purchases")), (QStringList{"51000050", "51000051"}));
        for (const QJsonObject &r : m_server.requests(api, QStringLiteral("/1.1/items/"))) {
            QVERIFY(header(r, QStringLiteral("X-VasaroApiToken")).isEmpty());
            QCOMPARE(header(r, QStringLiteral("Content-Type")), QStringLiteral("text/xml"));
        }
        // The list is unsaved, sorted, and its first row is selected with its buyer shown.
        QVERIFY(m_form->isUnsaved());
        QVERIFY(!w<QFrame>("progress")->isVisible());
        QCOMPARE(m_form->selectedRow(), 1);
        QVERIFY(w<QPlainTextEdit>("Memo1")->toPlainText().contains(
            m_form->view().cell(1, 1) == "51000050" ? "Liisa Ääpälä" : "Örjan Åberg"));
        QCOMPARE(w<QLabel>("Label5")->text(), QStringLiteral("2kpl yht. 7.75€"));
    }

    // Start 0, count 10 after unreadable box texts: one page, the first 10.
    void boxChecksThenFirstPage()
    {
        fetchByKeys(QStringLiteral("abc"), QStringLiteral("0"));
        QCOMPARE(w<QLineEdit>("Edit1")->text(), QStringLiteral("0"));
        QCOMPARE(w<QLineEdit>("Edit2")->text(), QStringLiteral("10"));
        QCOMPARE(listRequests().size(), 1);
        QCOMPARE(QUrlQuery(listRequests().first().value("query").toString()).queryItemValue("page"), QStringLiteral("1"));
        QStringList expected;
        for (int k = 1; k <= 10; ++k)
            expected << QString::number(51000000 + k);
        QCOMPARE(items(), expected);
    }

    // A trade already listed is passed over but counts towards the count.
    void listedTradeSkippedButCounted()
    {
        sg().setRowCount(2);
        sg().setRow(1, row("51000002", "Oma rivi", "10.03.2022 13:15:00", "1.00", QString(), QString(), "x/1"));
        m_form->listLoaded();
        fetchByKeys(QStringLiteral("0"), QStringLiteral("3"));
        QCOMPARE(requestedItems(QStringLiteral("/purchases")), (QStringList{"51000001", "51000003"}));
        QCOMPARE(items(), (QStringList{"51000001", "51000002", "51000003"}));
        QCOMPARE(masterRow("51000002").at(2), QStringLiteral("Oma rivi"));
    }

    // The field rules on the shapes the marketplace writes.
    void fieldEdges()
    {
        fetchByKeys(QStringLiteral("0"), QStringLiteral("20"));
        QVERIFY(masterRow("51000016").isEmpty());                     // no price: left out
        QCOMPARE(items().size(), 19);
        QCOMPARE(masterRow("51000003").at(2), QStringLiteral("Lasten talvihaalari, koko 110 (Reima) #3 (3 KPL)"));
        QCOMPARE(masterRow("51000007").at(2), QStringLiteral("Äidin perintö: <b>Tuoli</b> & pöytä #7"));
        QCOMPARE(masterRow("51000006").at(2), QStringLiteral("Vanha \"Fiskars\" kirves – hyvä kunto #6"));
        QCOMPARE(masterRow("51000006").at(4), QStringLiteral("12.00"));
        QCOMPARE(masterRow("51000010").at(2), QStringLiteral("Iittala Kartio \\ lasit \"Sininen\" #10"));
        QCOMPARE(masterRow("51000011").at(2), QStringLiteral("Öljylamppu 1800-luvulta <script>alert(1)</script> #11"));
        QCOMPARE(masterRow("51000015").at(5), QStringLiteral("Toimituskulut:"));
        QCOMPARE(masterRow("51000017").at(3), QStringLiteral(".. "));  // no closing time
        QCOMPARE(masterRow("51000019").at(8), QStringLiteral("Pekka <Peksi> Virtanen\r\nuser6100019@example.test\r\n"
                                                             "\r\n00080 Jyväskylä\r\n\r\n"));
        QCOMPARE(masterRow("51000013").at(5), QStringLiteral("Toimituskulut:0.00"));
        // The row without a closing time is kept but not shown.
        for (int r = 1; r < m_form->view().rowCount(); ++r)
            QVERIFY(m_form->view().cell(1, r) != "51000017");
        QCOMPARE(m_form->view().rowCount(), 1 + 18);
    }

    void boughtMode()
    {
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        QCOMPARE(w<QPushButton>("suoritahaku")->text(), QStringLiteral("Hae ostettuja kohteita"));
        const int before = m_form->fetch()->runs();
        typeInto("Edit2", QStringLiteral("2"));
        clickAt(w<QPushButton>("suoritahaku"));
        QTRY_COMPARE_WITH_TIMEOUT(m_form->fetch()->runs(), before + 1, 30000);
        QCOMPARE(listRequests(QStringLiteral("/sales")).size(), 0);
        QVERIFY(m_server.requests(api, QStringLiteral("/1.1/users/7654321/purchases")).size() == 1);
        QCOMPARE(QUrlQuery(m_server.requests(api, QStringLiteral("/1.1/users/7654321/purchases")).first()
                               .value("query").toString()).queryItemValue("won"), QStringLiteral("1"));
        QCOMPARE(items(), (QStringList{"52000001", "52000002"}));
        // The counterparty is the item's seller.
        QCOMPARE(masterRow("52000001").at(9), QStringLiteral("käyttäjä_6200001/6200001"));
        QCOMPARE(masterRow("52000002").at(9), QStringLiteral("käyttäjä_6200002/6200002"));
    }

    // "Pysäytä" while a trade's answer stalls: the rows read so far stay, no
    // second fetch starts meanwhile.
    void stopKeepsRowsRead()
    {
        m_server.setState(QStringLiteral("kaupat_stall_item"), QStringLiteral("51000004"));
        auto *panel = w<QFrame>("progress");
        auto *stop = w<QPushButton>("progressstop");
        bool refused = false, buttonOff = false;
        QString title;
        QPoint centre(100, 100), barAtStop;
        int barAfterStop = -1;
        QTimer poll;
        // Pressed while the fourth trade's answer is awaited.
        when(poll, [this, panel] {
            return panel->isVisible() && items().size() == 3 && m_http->busy(HttpApi::General);
        }, [&] {
            buttonOff = !w<QPushButton>("suoritahaku")->isEnabled() && !w<QComboBox>("hakutapa")->isEnabled();
            refused = !m_form->fetch()->suoritahaku(0, 1);
            title = panel->findChild<QLabel *>("progresstitle")->text();
            centre = panel->geometry().center() - m_form->rect().center();
            // The bar counts the trades to read: the fourth is being read.
            auto *bar = panel->findChild<QProgressBar *>("prog");
            barAtStop = QPoint(bar->value(), bar->maximum());
            clickAt(stop);
            barAfterStop = bar->value();
        });
        QElapsedTimer t;
        t.start();
        fetchByKeys(QStringLiteral("0"), QStringLiteral("10"));
        QVERIFY2(t.elapsed() < 15000, "the stalled answer was waited for");
        QVERIFY(refused);
        QVERIFY(buttonOff);
        QCOMPARE(title, QStringLiteral("Haetaan kohteita.."));
        QVERIFY2(qAbs(centre.x()) <= 1 && qAbs(centre.y()) <= 1, "the panel is not centred in the window");
        QCOMPARE(barAtStop, QPoint(3, 10));
        QCOMPARE(barAfterStop, 0);
        QCOMPARE(listRequests().size(), 1);
        QCOMPARE(items(), (QStringList{"51000001", "51000002", "51000003"}));
        QVERIFY(!panel->isVisible());
        QVERIFY(w<QPushButton>("suoritahaku")->isEnabled());
        QCOMPARE(requestedItems(QStringLiteral("/purchases")).last(), QStringLiteral("51000004"));
        QCOMPARE(m_prompts.asked, QStringList());
    }

    void closingWindowStops()
    {
        m_server.setState(QStringLiteral("kaupat_stall_item"), QStringLiteral("51000003"));
        m_prompts.answers.enqueue(Prompts::Answer::No);   // "Haluatko tallentaa?"
        QTimer poll;
        when(poll, [this] { return items().size() == 2; }, [this] { m_form->close(); });
        QElapsedTimer t;
        t.start();
        fetchByKeys(QStringLiteral("0"), QStringLiteral("10"));
        QVERIFY(t.elapsed() < 15000);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(items(), (QStringList{"51000001", "51000002"}));
    }

    void loginFails()
    {
        signIn("userid=Testaaja&password=vaara");
        fetchByKeys(QStringLiteral("0"), QStringLiteral("10"));
        QCOMPARE(m_prompts.asked, QStringList{"information: Kirjautuminen epäonnistui!"});
        QCOMPARE(listRequests().size(), 0);
        QVERIFY(!w<QFrame>("progress")->isVisible());
    }

    // The sign-in is refused once the token has aged: paging ends with the
    // pages gathered, and the trades are not read with a refused sign-in
    // again and again.
    void signInLostWhilePaging()
    {
        QVERIFY(m_session->check_api_token());
        m_server.setState(QStringLiteral("api_password"), QStringLiteral("vaihdettu"));
        AgingHttp aging(*m_http, m_tick);
        m_form->attachFetch(aging, *m_session, m_http->stopFlag());
        fetchByKeys(QStringLiteral("45"), QStringLiteral("10"));
        QCOMPARE(listRequests().size(), 1);
        QCOMPARE(items(), QStringList());
        // The test's own, the second page's and the first trade's: then it ends.
        QCOMPARE(m_server.requests(api, QStringLiteral("/authentication")).size(), 3);
        QCOMPARE(m_prompts.asked,
                 QStringList{"information: Kohdelistan sivua 2 ei saatu: kirjautuminen epäonnistui.\r\n\r\n"
                             "Kirjautuminen Vasaroon epäonnistui kesken haun: loput kohteet jäivät hakematta."
                             "\r\n\r\nListalle ei lisätty kohteita."});
        m_form->attachFetch(*m_http, *m_session, m_http->stopFlag());
    }

    // A bad second page: the first page's trades are read, the message says
    // which page failed.
    void badListPage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("empty") << "tyhja" << "vastaus oli tyhjä.";
        QTest::newRow("cut short") << "katkennut" << "vastaus oli katkennut tai virheellinen.";
        QTest::newRow("error page") << "html" << "vastaus oli katkennut tai virheellinen.";
        QTest::newRow("wrong types") << "tyypit" << "vastaus oli katkennut tai virheellinen.";
        QTest::newRow("absurd count") << "valtava" << "vastaus oli katkennut tai virheellinen.";
        QTest::newRow("not found") << "puuttuu" << "vastaus oli tyhjä.";
    }
    void badListPage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        m_server.setState(QStringLiteral("kaupat_bad_page_2"), kind);
        fetchByKeys(QStringLiteral("45"), QStringLiteral("10"));
        QCOMPARE(listRequests().size(), 2);
        QCOMPARE(items(), (QStringList{"51000046", "51000047", "51000048", "51000049", "51000050"}));
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("information: Kohdelistan sivua 2 ei saatu: ") + why
                                              + "\r\n\r\nListalle lisättiin 5 kohdetta."});
    }

    // Nothing usable at all: the list stays as it was.
    void badFirstPageKeepsList()
    {
        sg().setRowCount(2);
        sg().setRow(1, row("11111111", "Oma", "10.03.2022 13:15:00", "1.00", QString(), QString(), "x/1"));
        m_form->listLoaded();
        m_server.setState(QStringLiteral("kaupat_bad_page_1"), QStringLiteral("html"));
        fetchByKeys(QStringLiteral("0"), QStringLiteral("10"));
        QCOMPARE(items(), QStringList{"11111111"});
        QCOMPARE(m_prompts.asked.size(), 1);
        QVERIFY(m_prompts.asked.first().startsWith("information: Kohdelistan sivua 1 ei saatu"));
        QVERIFY(!w<QFrame>("progress")->isVisible());
    }

    // Bad answers of single trades: those trades are left out and named.
    void badTradeAnswers_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char *kind : {"tyhja", "katkennut", "html", "tyypit", "valtava", "puuttuu"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void badTradeAnswers()
    {
        QFETCH(QString, kind);
        m_server.setState(QStringLiteral("kaupat_bad_trade_51000002"), kind);
        m_server.setState(QStringLiteral("kaupat_bad_item_51000003"), kind);
        m_server.setState(QStringLiteral("kaupat_bad_user_6100004"), kind);
        fetchByKeys(QStringLiteral("0"), QStringLiteral("5"));
        QCOMPARE(items(), (QStringList{"51000001", "51000005"}));
        QCOMPARE(m_prompts.asked,
                 QStringList{"information: 3 kohteen tietoja ei saatu (vastaus oli tyhjä, katkennut tai "
                             "virheellinen): 51000002, 51000003, 51000004\r\n\r\nListalle lisättiin 2 kohdetta."});
    }
};

QTEST_MAIN(TestLedgerFetch)
#include "tst_ledgerfetch.moc"
