// The watch list and the e-mail reminder in the assembled main window, with
// the real engine against the fake marketplace: the check after a sign-in,
// on the watch-list page and every `Timer2` tick, the alert `XiPanel3` and its
// desktop notification, "Lisää muistilistaan" from the link menu, and the
// reminder ordered with the `postia` button from an item page.
#include "app/tform1.h"
#include "app/tform3.h"
#include "browser/engine/document.h"
#include "browser/policy/contextmenus.h"
#include "buyer/watchlist/watchlistnotice.h"
#include "tabsfixture.h"
#include "marketwindow.h"
#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrlQuery>
#include <QtTest>

namespace {
const QString kBase = QStringLiteral("http://www.vasaro.test/");
const QString kService = QStringLiteral("http://www.vsselain.test/ajastus/add.php");
const QString kAlert = QStringLiteral("Muistilistassa oleva kohde sulkeutuu ");
const QString kAdded = QStringLiteral("information: Muistutus lisätty!");

QString itemJson(const QString &number, const QString &title, const QString &closing)
{
    return QStringLiteral("{\"id\":%1,\"title\":\"%2\",\"seller\":\"Myyj\\u00e4\",\"closingTime\":\"%3\"}")
        .arg(number, title, closing);
}
} // namespace

class TestWatchListWeb : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    QLabel *alert() { return m_w->findChild<QLabel *>(QStringLiteral("XiPanel3")); }
    QLabel *paneeli() { return m_w->findChild<QLabel *>(QStringLiteral("paneeli")); }
    QAbstractButton *postia() { return m_w->findChild<QAbstractButton *>(QStringLiteral("postia")); }
    QTimer *timer2() { return m_w->findChild<QTimer *>(QStringLiteral("Timer2")); }
    WatchListNotice *notice() { return m_w->findChild<WatchListNotice *>(QStringLiteral("muistilistailmoitus")); }
    int watchListFetches() { return m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/omasivu/muistilista")).size(); }

    // Navigates the active tab and waits for the page to complete.
    bool open(const QString &path, const QString &title)
    {
        QSignalSpy complete(active()->vasaroPage(), &VasaroPage::documentComplete);
        m_w->aktiivisivu_navigate(kBase + path);
        return complete.wait(15000)
            && waitFor([&] { return active()->title() == title && !active()->vasaroPage()->Busy(); }, 15000);
    }
    // Ten minutes in a few hundred milliseconds, then the normal period:
    // at least `fetches` more reads of the watch list (none: none at all).
    void tickTimer2(int fetches)
    {
        const int before = watchListFetches();
        timer2()->start(200);
        if (fetches == 0) {
            waitMs(800);
            QCOMPARE(watchListFetches(), before);
        } else {
            QVERIFY(TabsTest::requestsSeen(m_market, QStringLiteral("www.vasaro.test"),
                                           QStringLiteral("/omasivu/muistilista"), before + fetches) >= before + fetches);
        }
        timer2()->start(600000);
    }
    void activateWindow()
    {
        m_w->activateWindow();
        QVERIFY(waitFor([this] { return m_w->isActiveWindow(); }, 3000));
    }
    // Opens an item page whose API answer is `json` and presses `postia`
    // with the mouse.
    void pressReminder(const QString &number, const QString &json)
    {
        m_market.setState(QStringLiteral("api_item_") + number, json);
        QVERIFY(open(QStringLiteral("kohteet/kohde/") + number, QStringLiteral("Kohde ") + number));
        QVERIFY(waitFor([this] { return postia()->isVisible() && postia()->isEnabled(); }, 5000));
        m_prompts.asked.clear();
        QTest::mouseClick(postia(), Qt::LeftButton, {}, postia()->rect().center());
    }
    QUrlQuery lastReminder()
    {
        const QList<QJsonObject> posts = m_market.requests(QStringLiteral("www.vsselain.test"), QStringLiteral("/ajastus/add.php"));
        if (posts.isEmpty())
            return {};
        return QUrlQuery(QString::fromLatin1(FakeMarketplace::body(posts.last())).replace(u'+', u' '));
    }
    int reminders() { return m_market.requests(QStringLiteral("www.vsselain.test"), QStringLiteral("/ajastus/add.php")).size(); }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemesRegistered);
        m_market.setEndpoint(QStringLiteral("reminder_service"), kService);
        QVERIFY(m_market.start());
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QStringLiteral("11.3.2022 20:15"));
        m_w = MarketWindow::open(&m_prompts);
        QVERIFY(m_w);
        QVERIFY(timer2()->isActive());
        QCOMPARE(timer2()->interval(), 600000);
    }
    void cleanupTestCase()
    {
        m_market.setState(QStringLiteral("muistutus_tila"), QString());
        if (m_w)
            m_w->close();
        m_w.reset();
    }

    // Before a sign-in the tick asks nothing; the sign-in reads the watch
    // list with the marketplace session and alerts of the closing listing.
    void signInChecksTheWatchList()
    {
        tickTimer2(0);
        QVERIFY(!postia()->isEnabled());

        QVERIFY(open(QStringLiteral("kirjaudu"), QStringLiteral("Kirjaudu")));
        Document &doc = active()->document();
        doc.getElementById(QStringLiteral("userid")).setValue(QStringLiteral("Testaaja"));
        doc.getElementById(QStringLiteral("password")).setValue(QStringLiteral("salasana"));
        doc.getElementById(QStringLiteral("kirjaudunappi")).click();
        QVERIFY(waitFor([this] { return alert()->isVisible(); }, 15000));
        QCOMPARE(alert()->text(), kAlert + QStringLiteral("11.3.2022 20:15"));
        const QJsonObject fetch = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/omasivu/muistilista")).last();
        QVERIFY(fetch.value(QStringLiteral("headers")).toObject().value(QStringLiteral("Cookie")).toString()
                    .contains(QLatin1String("VASAROSESSIO=")));
        QVERIFY(postia()->isEnabled());
        // The user is looking at the window: no desktop notification.
        QCOMPARE(notice()->lastOutcome(), WatchListNotice::Outcome::WindowActive);
    }

    void clickHidesTheAlert()
    {
        QVERIFY(alert()->isVisible());
        const QPoint global = alert()->mapToGlobal(alert()->rect().center());
        QWidget *target = QApplication::widgetAt(global);
        QCOMPARE(target, alert());
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFromGlobal(global));
        QVERIFY(!alert()->isVisible());
    }

    // A list that marks no listing as closing never alerts; one that does
    // alerts at the next tick.
    void timerChecksTheList()
    {
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QString());
        m_market.setState(QStringLiteral("muistilista_kohteet"), QStringLiteral("12345678,23456789"));
        tickTimer2(2);
        QVERIFY(!alert()->isVisible());
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QStringLiteral("5.3.2022 01:00"));
        tickTimer2(1);
        QVERIFY(waitFor([this] { return alert()->isVisible(); }, 3000));
        QCOMPARE(alert()->text(), kAlert + QStringLiteral("5.3.2022 01:00"));
        alert()->hide();
    }

    // A list holding only its table's heading row (whose state column is
    // styled "closing", after the "Sulkeutumisaika" heading) alerts neither
    // at the tick nor when the page is opened: the heading once read as a
    // closing time ("… sulkeutuu Sulkeutumisaika").
    void headingOnlyListNeverAlerts()
    {
        alert()->hide();
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QString());
        m_market.setState(QStringLiteral("muistilista_kohteet"), QString());
        tickTimer2(1);
        waitMs(300);
        QVERIFY2(!alert()->isVisible(), qPrintable(alert()->text()));
        QVERIFY(open(QStringLiteral("omasivu/muistilista"), QStringLiteral("Muistilista")));
        waitMs(300);
        QVERIFY2(!alert()->isVisible(), qPrintable(alert()->text()));
        // Behind the heading, a closing listing still alerts.
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QStringLiteral("9.3.2022 19:45"));
        tickTimer2(1);
        QVERIFY(waitFor([this] { return alert()->isVisible(); }, 3000));
        QCOMPARE(alert()->text(), kAlert + QStringLiteral("9.3.2022 19:45"));
        alert()->hide();
    }

    // The program still holds the sign-in but the marketplace has ended the
    // session: the list cannot be read and nothing is shown.
    void endedSessionShowsNothing()
    {
        const QString cookie = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/omasivu/muistilista"))
                                   .last().value(QStringLiteral("headers")).toObject()
                                   .value(QStringLiteral("Cookie")).toString();
        const QString session = cookie.section(QStringLiteral("VASAROSESSIO="), 1).section(u';', 0, 0);
        QVERIFY(!session.isEmpty());
        m_market.setState(QStringLiteral("session_") + session, QString());
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QStringLiteral("8.3.2022 08:00"));
        tickTimer2(1);
        waitMs(300);
        QVERIFY(!alert()->isVisible());
        m_market.setState(QStringLiteral("session_") + session, QStringLiteral("Testaaja"));
    }

    // The watch-list page itself is checked when it completes, unless the
    // setting has switched the check off.
    void watchListPageIsChecked()
    {
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QStringLiteral("6.3.2022 10:30"));
        m_w->settings().Timer2 = false;
        QVERIFY(open(QStringLiteral("omasivu/muistilista"), QStringLiteral("Muistilista")));
        waitMs(300);
        QVERIFY(!alert()->isVisible());
        m_w->settings().Timer2 = true;
        QVERIFY(open(QStringLiteral("omasivu/muistilista"), QStringLiteral("Muistilista")));
        QVERIFY(waitFor([this] { return alert()->isVisible(); }, 5000));
        QCOMPARE(alert()->text(), kAlert + QStringLiteral("6.3.2022 10:30"));
    }

    // The setting "Ilmoita muistilistan kohteista" stops and restarts the
    // ten-minute check; while it is off the watch-list page is not checked.
    void settingSwitchesTheCheck()
    {
        const auto toggleInDialog = [this] {
            m_w->findChild<QAction *>(QStringLiteral("Yleisetasetukset1"))->trigger();
            TForm3 *dialog = m_w->settingsDialog();
            QVERIFY(waitFor([dialog] { return dialog->isVisible(); }, 3000));
            auto *box = dialog->findChild<QCheckBox *>(QStringLiteral("muistutakirjanmerkeista"));
            auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("XiButton1"));
            QVERIFY(box && box->isVisible() && ok);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
            QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
            QVERIFY(!dialog->isVisible());
        };
        alert()->hide();
        toggleInDialog();
        QVERIFY(!m_w->settings().Timer2);
        QVERIFY(!timer2()->isActive());
        QVERIFY(open(QStringLiteral("omasivu/muistilista"), QStringLiteral("Muistilista")));
        waitMs(300);
        QVERIFY(!alert()->isVisible());
        toggleInDialog();
        QVERIFY(m_w->settings().Timer2);
        QVERIFY(timer2()->isActive());
        QCOMPARE(timer2()->interval(), 600000);
        activateWindow();
    }

    // With the user elsewhere the alert also goes to the desktop; offscreen
    // there is no tray, which must not fail. A click on the notification
    // brings the window forward on the watch list.
    void inactiveWindowGetsANotification()
    {
        alert()->hide();
        QWidget other;
        other.resize(200, 100);
        other.show();
        other.activateWindow();
        QVERIFY(waitFor([this] { return !m_w->isActiveWindow(); }, 3000));
        m_market.setState(QStringLiteral("muistilista_sulkeutuva"), QStringLiteral("7.3.2022 09:00"));
        tickTimer2(1);
        QVERIFY(waitFor([this] { return alert()->isVisible(); }, 3000));
        QCOMPARE(notice()->lastOutcome(), QSystemTrayIcon::isSystemTrayAvailable() ? WatchListNotice::Outcome::Shown
                                                                     : WatchListNotice::Outcome::NoTray);
        QVERIFY(open(QString(), QStringLiteral("Vasaro - etusivu")));
        notice()->messageClicked();
        QVERIFY(waitFor([this] { return m_w->isActiveWindow(); }, 3000));
        QVERIFY(waitFor([this] { return active()->url().path() == QLatin1String("/omasivu/muistilista"); }, 10000));
        other.hide();
        activateWindow();
    }

    // "Lisää muistilistaan" on a listing link, picked from the link menu
    // with the mouse; a link whose item number is too short asks nothing.
    void linkMenuAddsToTheWatchList_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("added");
        QTest::newRow("eight digits") << "34567890" << true;
        QTest::newRow("seven digits") << "3456789" << false;
    }
    void linkMenuAddsToTheWatchList()
    {
        QFETCH(QString, item);
        QFETCH(bool, added);
        m_market.setState(QStringLiteral("muistilista_kohteet"), item);
        QVERIFY(open(QStringLiteral("omasivu/muistilista"), QStringLiteral("Muistilista")));
        ContextMenus *menus = m_w->tabs().contextMenus();
        QVERIFY(TabsTest::rightClickUntil(active(), QStringLiteral("kohde") + item,
                                          [&] { return menus->PopupMenu2()->isVisible(); }));
        QAction *add = menus->linkItem(8);
        QCOMPARE(add->objectName(), QStringLiteral("Lisaamuistilistaan1"));
        QVERIFY(add->isVisible() && add->isEnabled());
        const int before = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/add-ajax/")).size();
        paneeli()->hide();
        QTest::mouseClick(menus->PopupMenu2(), Qt::LeftButton, {}, menus->PopupMenu2()->actionGeometry(add).center());
        if (added) {
            QVERIFY(waitFor([this] {
                return paneeli()->isVisible() && paneeli()->text() == QStringLiteral("Lisätty muistilistalle!");
            }, 5000));
            const QList<QJsonObject> calls = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/add-ajax/"));
            QCOMPARE(calls.size(), before + 1);
            QCOMPARE(calls.last().value(QStringLiteral("path")).toString(),
                     QStringLiteral("/omasivu/muistilista/add-ajax/item/") + item);
        } else {
            waitMs(500);
            QVERIFY(!paneeli()->isVisible());
            QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/add-ajax/")).size(), before);
        }
    }

    // The reminder's hour and fields reach the service intact.
    void reminderIsSent_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<QString>("aika");
        QTest::addColumn<QString>("closingField");
        QTest::newRow("05:30 -> 21 the day before") << "2022-03-11T05:30:00+02:00" << "2022031021" << "05:30:00";
        QTest::newRow("08:00 -> 21 the day before") << "2022-03-11T08:00:00+02:00" << "2022031021" << "08:00:00";
        QTest::newRow("20:00 -> 14") << "2022-03-11T20:00:00+02:00" << "2022031114" << "20:00:00";
        QTest::newRow("9 hours from now -> 6 hours before") << "2022-03-04T21:00:00+02:00" << "2022030415" << "21:00:00";
    }
    void reminderIsSent()
    {
        QFETCH(QString, closing);
        QFETCH(QString, aika);
        QFETCH(QString, closingField);
        const int before = reminders();
        m_w->clock().asetakello(QDateTime(QDate(2022, 3, 4), QTime(12, 0)));
        pressReminder(QStringLiteral("45678901"),
                      itemJson(QStringLiteral("45678901"), QStringLiteral("Tuoli & p\\u00f6yt\\u00e4 = 2"), closing));
        QVERIFY(waitFor([this] { return !m_prompts.asked.isEmpty(); }, 30000));
        QCOMPARE(m_prompts.asked, QStringList{kAdded});
        QCOMPARE(reminders(), before + 1);
        const QUrlQuery q = lastReminder();
        const auto value = [&q](const char *key) { return q.queryItemValue(QLatin1String(key), QUrl::FullyDecoded); };
        QCOMPARE(value("itemid"), QStringLiteral("45678901"));
        QCOMPARE(value("title"), QStringLiteral("Tuoli & pöytä = 2"));
        QCOMPARE(value("email"), QStringLiteral("matti7654321@example.test"));
        QCOMPARE(value("userid"), QStringLiteral("2689037970"));   // "testaaja", see the README
        QCOMPARE(value("aika"), aika);
        QCOMPARE(value("closingtime"), closingField);
        const QJsonObject headers = m_market.requests(QStringLiteral("www.vsselain.test")).last()
                                        .value(QStringLiteral("headers")).toObject();
        QCOMPARE(headers.value(QStringLiteral("Content-Type")).toString(), QStringLiteral("application/x-www-form-urlencoded"));
    }

    void reminderRefused_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("7 hours from now") << itemJson("56789012", "Lamppu", "2022-03-04T19:00:00+02:00")
                                          << "Muistutusta ei voi asettaa, jos kohteen sulkeutumiseen alle 8 tuntia";
        QTest::newRow("no closing time") << "{\"id\":56789012,\"title\":\"Lamppu\"}"
                                         << "Kohteen tietojen haku epäonnistui..";
        QTest::newRow("not JSON") << "<html>Huolto</html>" << "Kohteen tietojen haku epäonnistui..";
        QTest::newRow("closing time garbled") << itemJson("56789012", "Lamppu", "pian")
                                              << "Toiminto epäonnistui!";
    }
    void reminderRefused()
    {
        QFETCH(QString, json);
        QFETCH(QString, message);
        const int before = reminders();
        m_w->clock().asetakello(QDateTime(QDate(2022, 3, 4), QTime(12, 0)));
        pressReminder(QStringLiteral("56789012"), json);
        QVERIFY(waitFor([this] { return !m_prompts.asked.isEmpty(); }, 30000));
        QCOMPARE(m_prompts.asked, QStringList{"information: " + message});
        QCOMPARE(reminders(), before);
    }

    // A service that never answers: the request is given up after 20 s with
    // the failure message, and meanwhile the window keeps working.
    void silentServiceTimesOut()
    {
        const int before = reminders();
        m_market.setState(QStringLiteral("muistutus_tila"), QStringLiteral("hiljaa"));
        int probes = 0;
        bool panelHidden = false;
        bool alertHidden = false;
        bool waiting = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            ++probes;
            if (probes == 8)                         // 4 s: the request is under way
                m_w->naytapaneeli(QStringLiteral("Kello käy"), 2);
            if (probes == 16) {                      // 8 s: the clock counted the notice down
                panelHidden = !paneeli()->isVisible();
                waiting = m_prompts.asked.isEmpty() && reminders() == before + 1;
            }
            if (probes == 10) {                      // a click on the alert is handled at once
                const QPoint global = alert()->mapToGlobal(alert()->rect().center());
                if (QWidget *w = QApplication::widgetAt(global))
                    QTest::mouseClick(w, Qt::LeftButton, {}, w->mapFromGlobal(global));
                alertHidden = !alert()->isVisible();
            }
        });
        alert()->show();
        QVERIFY(waitFor([this] { return alert()->isVisible() && QApplication::widgetAt(alert()->mapToGlobal(alert()->rect().center())) == alert(); }, 3000));
        probe.start(500);
        QElapsedTimer clock;
        clock.start();
        pressReminder(QStringLiteral("45678901"),
                      itemJson(QStringLiteral("45678901"), QStringLiteral("Tuoli"), QStringLiteral("2022-03-11T20:00:00+02:00")));
        QVERIFY(waitFor([this] { return !m_prompts.asked.isEmpty(); }, 40000));
        const qint64 waited = clock.elapsed();
        probe.stop();
        m_market.setState(QStringLiteral("muistutus_tila"), QString());
        QCOMPARE(m_prompts.asked, QStringList{"information: Muistutuksen lisääminen epäonnistui!"});
        QVERIFY2(waited >= 19000 && waited < 30000, qPrintable(QString::number(waited)));
        QVERIFY(probes >= 30);
        QVERIFY(waiting);
        QVERIFY(panelHidden);
        QVERIFY(alertHidden);
    }
};

QTEST_MAIN(TestWatchListWeb)
#include "tst_watchlistweb.moc"
