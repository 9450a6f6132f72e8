// The assembled main window against the fake marketplace: the home page in
// the first tab through the proxy, the caption, and the clock taken from the
// user's own page.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "core/paths.h"
#include "core/settingsfile.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "stillafter.h"
#include <QFile>
#include <QToolButton>
#include <QtTest>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

QString activeTitle(TForm1 &w)
{
    TVasaroselain *b = w.tabs().activeBrowser();
    return b ? b->title() : QString();
}

// Requests for exactly `path` (the log matches path parts).
int requestsFor(const FakeMarketplace &market, const QString &path)
{
    int n = 0;
    for (const QJsonObject &r : market.requests(QStringLiteral("www.vasaro.test"), path))
        n += r.value(QStringLiteral("path")).toString() == path;
    return n;
}
}

class TestMainWindow : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
    }

    void homePageOpensThroughTheMarketplaceProxy_data()
    {
        QTest::addColumn<int>("start");
        QTest::newRow("when shown") << int(TForm1::Start::WindowFirst);
        QTest::newRow("before the window is built") << int(TForm1::Start::HomePageFirst);
    }
    void homePageOpensThroughTheMarketplaceProxy()
    {
        QFETCH(int, start);
        m_market.clear();
        TForm1 w(Endpoints::fromEnvironment(), nullptr, nullptr, TForm1::Start(start));
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Vasaro - etusivu"), 15000);
        QCOMPARE(w.addressText(), QStringLiteral("http://www.vasaro.test/"));
        QCOMPARE(w.tabs().count(), 1);
        // Asked for once: the page started ahead is the first tab's.
        QCOMPARE(requestsFor(m_market, QStringLiteral("/")), 1);
        const auto requests = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/"));
        QVERIFY(!requests.isEmpty());
        const QString agent = requests.first().value(QStringLiteral("headers")).toObject()
                                  .value(QStringLiteral("User-Agent")).toString();
        QVERIFY2(agent.contains(QStringLiteral("; VSselain4.05)")), qPrintable(agent));
        QVERIFY(w.windowTitle().startsWith(QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : ")));
        QVERIFY(w.windowTitle().endsWith(QStringLiteral(" (Järjestelmän aikaa)")));
        w.close();
    }

    // The settings file changes between the start and the window being
    // shown: the first tab goes to the home page the window reads.
    void homePageChangedBeforeTheWindowIsShown()
    {
        const QString file = Paths::dataFolder() + SettingsFile::fileName();
        QFile::remove(file);
        m_market.clear();
        TForm1 w(Endpoints::fromEnvironment(), nullptr, nullptr, TForm1::Start::HomePageFirst);
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Kotisivu:http://www.vasaro.test/testi/otsikko?t=Koti\r\n");
        }
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Koti"), 15000);
        QCOMPARE(w.addressText(), QStringLiteral("http://www.vasaro.test/testi/otsikko?t=Koti"));
        QCOMPARE(w.tabs().count(), 1);
        QCOMPARE(requestsFor(m_market, QStringLiteral("/testi/otsikko")), 1);
        w.close();
        QFile::remove(file);
    }

    void ownPageSetsTheClock_data()
    {
        QTest::addColumn<bool>("vasaroaika");
        QTest::addColumn<QString>("pageClock");
        QTest::addColumn<QString>("expected");   // start of the caption's time, empty = system time
        QTest::newRow("marketplace time") << true << "4.3.2022 12:34:56" << "perjantai 4.3. 12:3";
        QTest::newRow("no colon is midnight") << true << "4.3.2022" << "perjantai 4.3. 0:0";
        QTest::newRow("setting off keeps system time") << false << "4.3.2022 12:34:56" << "";
    }
    void ownPageSetsTheClock()
    {
        QFETCH(bool, vasaroaika);
        QFETCH(QString, pageClock);
        QFETCH(QString, expected);
        m_market.setState(QStringLiteral("clock"), pageClock);
        TForm1 w(Endpoints::fromEnvironment());
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Vasaro - etusivu"), 15000);
        w.settings().vasaroaika = vasaroaika;
        w.Omasivu1Click();
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Oma sivu"), 15000);
        const QString prefix = QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : ");
        if (expected.isEmpty()) {
            // The caption is redrawn every second: after a tick it still
            // shows the system's time, not the page's.
            QTRY_VERIFY_WITH_TIMEOUT(w.windowTitle().endsWith(QStringLiteral(" (Järjestelmän aikaa)")), 5000);
            QVERIFY(stillAfter(1100, [&] { return w.windowTitle().endsWith(QStringLiteral(" (Järjestelmän aikaa)")); }));
            QCOMPARE(w.clock().kellonaika().date(), QDate::currentDate());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(w.windowTitle().endsWith(QStringLiteral(" (Vasaron aikaa)")), 15000);
            QVERIFY2(w.windowTitle().startsWith(prefix + expected), qPrintable(w.windowTitle()));
            // The clock runs on from the page's time.
            const QDateTime first = w.clock().kellonaika();
            QTRY_VERIFY_WITH_TIMEOUT(w.clock().kellonaika() > first, 5000);
            QCOMPARE(w.clock().kellonaika().date(), QDate(2022, 3, 4));
        }
        w.close();
    }

    // The favourite button shows on item and search pages with the caption
    // of the page, ready for its click.
    void favouriteButtonOnItemAndSearchPages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("item page") << "testi/kohteet/12345678" << "Kohde 12345678" << "Lisää suosikkimyyjiin";
        QTest::newRow("search page") << "testi/haku" << "Haku" << "Lisää suosikkihakuihin";
    }
    void favouriteButtonOnItemAndSearchPages()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Vasaro - etusivu"), 15000);
        w.aktiivisivu_navigate(QStringLiteral("http://www.vasaro.test/") + path);
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), title, 15000);
        auto *button = w.findChild<QToolButton *>(QStringLiteral("XiButton14"));
        QVERIFY(button);
        QTRY_VERIFY_WITH_TIMEOUT(button->isVisible(), 15000);
        QCOMPARE(button->text(), caption);
        QVERIFY(button->isEnabled());
        w.close();
    }

    // Old quick-search links of the marketplace open the program's own dialogs.
    void legacyQuickSearchLinks_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("opened");
        QTest::newRow("user search") << "kh" << "Testaaja" << "input: Anna käyttäjän tunnus?"
                                     << "http://www.vasaro.test/kayttaja/7654321";
        QTest::newRow("item search") << "kn" << "12345678" << "input: Anna kohteen numero?"
                                     << "http://www.vasaro.test/kohteet/12345678";
    }
    void legacyQuickSearchLinks()
    {
        QFETCH(QString, link);
        QFETCH(QString, answer);
        QFETCH(QString, asked);
        QFETCH(QString, opened);
        ScriptedPrompts prompts;
        prompts.inputs.enqueue(answer);
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Vasaro - etusivu"), 15000);
        w.aktiivisivu_navigate(QStringLiteral("http://www.vasaro.test/vanhatlinkit/"));
        QTRY_COMPARE_WITH_TIMEOUT(activeTitle(w), QStringLiteral("Vanhat linkit"), 15000);
        w.tabs().activeBrowser()->page()->runJavaScript(
            QStringLiteral("document.getElementById('%1').click()").arg(link));
        QTRY_VERIFY_WITH_TIMEOUT(prompts.asked.contains(asked), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(w.tabs().aktiivisivu_locationurl(), opened, 10000);
        w.close();
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
