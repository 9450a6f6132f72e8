// The "Ohje" and "Linkkejä" items open their pages in the active tab at the
// addresses the endpoints file gives, chosen with the mouse from the menus.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/tabs/tabmanager.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

QAction *actionNamed(const QList<QAction *> &actions, const QString &text)
{
    for (QAction *a : actions) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// Clicks through the menu bar and its drop-down menus as a user does: each
// click goes to the widget under the item.
bool clickMenuPath(QMainWindow &w, const QStringList &path)
{
    QMenuBar *bar = w.menuBar();
    QAction *top = actionNamed(bar->actions(), path.first());
    if (!top || !top->menu())
        return false;
    const QPoint barPoint = bar->actionGeometry(top).center();
    if (QApplication::widgetAt(bar->mapToGlobal(barPoint)) != bar)
        return false;
    QTest::mouseClick(bar, Qt::LeftButton, {}, barPoint);
    QMenu *menu = top->menu();
    for (int i = 1; i < path.size(); ++i) {
        if (!QTest::qWaitFor([menu] { return menu->isVisible(); }, 3000))
            return false;
        QAction *item = actionNamed(menu->actions(), path.at(i));
        if (!item)
            return false;
        const QPoint point = menu->actionGeometry(item).center();
        QWidget *under = QApplication::widgetAt(menu->mapToGlobal(point));
        if (under != menu)
            return false;
        QTest::mouseMove(menu, point);
        QTest::mouseClick(menu, Qt::LeftButton, {}, point);
        if (item->menu())
            menu = item->menu();
    }
    return true;
}
}

class TestMenuLinks : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_window;

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        // Without a trailing "/": the maker's pages still lie under it.
        m_market.setEndpoint(QStringLiteral("maker_web"), QStringLiteral("http://www.tekija.test/selain"));
        m_market.setEndpoint(QStringLiteral("posti_prices"), QStringLiteral("http://www.posti.test/hinnasto"));
        m_market.setEndpoint(QStringLiteral("posti_tracking"), QStringLiteral("http://www.posti.test/jaljitys"));
        m_market.setEndpoint(QStringLiteral("matkahuolto"), QStringLiteral("http://www.mh.test/paketit"));
        m_market.setEndpoint(QStringLiteral("auction_myyjaosta"), QStringLiteral("http://myyjaosta.test/"));
        m_market.setEndpoint(QStringLiteral("auction_systeemi"), QStringLiteral("http://systeemi.test/"));
        m_market.setEndpoint(QStringLiteral("auction_tradera"), QStringLiteral("http://tradera.test/se"));
        m_market.setEndpoint(QStringLiteral("auction_ebay"), QStringLiteral("http://ebay.test/de"));
        QVERIFY(m_market.start());
        m_window = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->tabs().aktiivisivu_locationurl(),
                                  QStringLiteral("http://www.vasaro.test/"), 15000);
    }

    void cleanupTestCase()
    {
        m_window.reset();
    }

    void itemOpensItsAddress_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("address");
        const QString ohje = QStringLiteral("Ohje");
        const QString links = QStringLiteral("Linkkejä");
        const QString posti = QStringLiteral("Posti ym..");
        const QString others = QStringLiteral("Muita huutokauppoja");
        QTest::newRow("browser info") << QStringList{ohje, "Tietoa selaimesta"}
                                      << "http://www.tekija.test/selain/selain.html";
        QTest::newRow("counter info") << QStringList{ohje, "Kävijälaskuri..", "Tietoa laskurista"}
                                      << "http://www.tekija.test/selain/laskuri.html";
        QTest::newRow("change log") << QStringList{ohje, "Viimeisimmät muutokset"}
                                    << "http://www.tekija.test/selain/muutokset.html";
        QTest::newRow("feedback") << QStringList{ohje, "Palautetta"} << "http://www.tekija.test/selain/palaute.html";
        QTest::newRow("listing tool") << QStringList{links, "VSilmoittaja"}
                                      << "http://www.tekija.test/selain/vsilmoittaja.html";
        QTest::newRow("post prices") << QStringList{links, posti, "Postin hinnat"} << "http://www.posti.test/hinnasto";
        QTest::newRow("tracking") << QStringList{links, posti, "Lähetysten seuranta"}
                                  << "http://www.posti.test/jaljitys";
        QTest::newRow("matkahuolto") << QStringList{links, posti, "Matkahuolto paketit"} << "http://www.mh.test/paketit";
        QTest::newRow("myyjaosta") << QStringList{links, others, "Myyjaosta"} << "http://myyjaosta.test/";
        QTest::newRow("systeemi") << QStringList{links, others, "Systeemi"} << "http://systeemi.test/";
        QTest::newRow("tradera") << QStringList{links, others, "Tradera"} << "http://tradera.test/se";
        QTest::newRow("ebay") << QStringList{links, others, "eBay"} << "http://ebay.test/de";
    }
    void itemOpensItsAddress()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, address);
        m_market.clear();
        QVERIFY(clickMenuPath(*m_window, path));
        QTRY_COMPARE_WITH_TIMEOUT(m_window->tabs().aktiivisivu_locationurl(), address, 10000);
        const QUrl url(address);
        QTRY_VERIFY_WITH_TIMEOUT(!m_market.requests(url.host(), url.path()).isEmpty(), 5000);
    }
};

QTEST_MAIN(TestMenuLinks)
#include "tst_menulinks.moc"
