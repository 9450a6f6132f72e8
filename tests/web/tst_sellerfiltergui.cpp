// The seller filter in the assembled main window: the filter file loaded at
// start-up and applied before a result page completes, Delete on selected
// listings, the link menu item, the seller panel, and the question at close.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/policy/contextmenus.h"
#include "browser/engine/document.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "core/paths.h"
#include "core/settingsdefaults.h"
#include "core/settingsfile.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "tabsfixture.h"
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kQuestion = QStringLiteral("confirm: Suodattimen sisältö on muuttunut, tallennetaanko?");

QString base()
{
    return QStringLiteral("http://www.vasaro.test/");
}

QStringList hiddenCards(TVasaroselain *view)
{
    return view->vasaroPage()->document().evaluate(QStringLiteral(
        "Array.prototype.filter.call(document.querySelectorAll('div'), function (d) {"
        " return d.style.display === 'none'; }).map(function (d) { return d.id || d.className; })"))
        .toStringList();
}
}

class TestSellerFilterGui final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void startUpLoadAndEarlyHiding_data();
    void startUpLoadAndEarlyHiding();
    void deleteFiltersSelectedListings();
    void linkMenuItemFiltersTheListing();
    void sellerPanelWalksEveryName();

private:
    // Shows the window with its home page and makes it the active window.
    bool showWindow(TForm1 &w);
    bool open(TForm1 &w, const QString &path, const QString &title);
    QString filterPath() const { return m_market.dataDir() + QStringLiteral("/suodatin1.txt"); }

    FakeMarketplace m_market;
};

void TestSellerFilterGui::initTestCase()
{
    Q_UNUSED(kSchemes);
    QVERIFY(m_market.start());
}

void TestSellerFilterGui::init()
{
    m_market.clear();
    QFile::remove(filterPath());
    QFile::remove(m_market.dataDir() + u'/' + SettingsFile::fileName());
}

bool TestSellerFilterGui::showWindow(TForm1 &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    if (!QTest::qWaitForWindowActive(&w))
        return false;
    return waitFor([&] { return w.tabs().activeBrowser() && w.tabs().activeBrowser()->title() == QLatin1String("Vasaro - etusivu"); },
                   15000);
}

bool TestSellerFilterGui::open(TForm1 &w, const QString &path, const QString &title)
{
    TVasaroselain *view = w.tabs().activeBrowser();
    if (!view)
        return false;
    w.aktiivisivu_navigate(base() + path);
    return waitFor([&] {
        return view->title() == title
            && view->vasaroPage()->document().evaluate(QStringLiteral("document.readyState")).toString()
                   == QLatin1String("complete");
    }, 15000);
}

void TestSellerFilterGui::startUpLoadAndEarlyHiding_data()
{
    QTest::addColumn<bool>("loadAtStart");
    QTest::newRow("Lataa suodatin on") << true;
    QTest::newRow("Lataa suodatin off") << false;
}

void TestSellerFilterGui::startUpLoadAndEarlyHiding()
{
    QFETCH(bool, loadAtStart);
    // The filter file of an earlier run: every listing of seller 321 on the
    // result page (written without stamps) and one more listing.
    QStringList lines;
    for (int k = 1; k <= 12; ++k)
        lines << QStringLiteral("myyja321-esine-%1%2").arg(k).arg(
            k % 3 == 0 ? QStringLiteral("%1,50").arg(k) : k % 3 == 1 ? QStringLiteral("%1,00").arg(k) : QString());
    lines << QStringLiteral("myyja4-esine-11");
    QFile f(filterPath());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
    f.close();
    Settings stored = SettingsDefaults::builtIn(Endpoints::fromEnvironment(), Paths::programFolder());
    stored.suodatinPath = filterPath();
    stored.LS = loadAtStart;
    QVERIFY(SettingsFile::tallenna_asetukset(stored, m_market.dataDir() + u'/'));

    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    QVERIFY(showWindow(w));
    const SellerFilter &filter = w.sellerFilterTool().filter();
    QCOMPARE(filter.list().size(), loadAtStart ? 13 : 0);
    if (loadAtStart) {
        QVERIFY(filter.list().entries().first().endsWith(filter.paivaleima()));
        QVERIFY(filter.unchanged());
    }
    // The early pass of a result page that completes late.
    QVERIFY(open(w, QStringLiteral("haku/suodatintesti/tuoli?kortit=24&hidas=1000"), QStringLiteral("Hakutulokset")));
    TVasaroselain *view = w.tabs().activeBrowser();
    // The pass may still be finishing its notice when the document reports complete.
    QTRY_COMPARE_WITH_TIMEOUT(hiddenCards(view).size(), loadAtStart ? 13 : 0, 5000);
    auto *notice = w.findChild<QLabel *>(QStringLiteral("Xipanel6"));
    QVERIFY(notice);
    QTRY_COMPARE_WITH_TIMEOUT(notice->isVisible(), loadAtStart, 3000);
    if (loadAtStart)
        QCOMPARE(notice->text(), QStringLiteral("Suodatettu 13kpl"));
    // Meeting the listings again renewed them: the filter has changed.
    prompts.answers.enqueue(Prompts::Answer::No);
    w.close();
    QCOMPARE(prompts.asked.contains(kQuestion), loadAtStart);
}

void TestSellerFilterGui::deleteFiltersSelectedListings()
{
    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    QVERIFY(showWindow(w));
    QVERIFY(open(w, QStringLiteral("haku/suodatintesti/tuoli?kortit=6&mainokset=0"), QStringLiteral("Hakutulokset")));
    TVasaroselain *view = w.tabs().activeBrowser();
    view->vasaroPage()->document().evaluate(QStringLiteral(
        "(function(){var r=document.createRange();r.setStartBefore(document.getElementById('kortti-40000101'));"
        "r.setEndAfter(document.getElementById('kortti-40032102'));var s=getSelection();s.removeAllRanges();"
        "s.addRange(r);})()"));
    view->setFocus();
    QVERIFY(waitFor([] { return QApplication::focusWidget() != nullptr; }, 2000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    const SellerFilter &filter = w.sellerFilterTool().filter();
    QVERIFY(waitFor([&] { return filter.list().size() == 2; }, 3000));
    QCOMPARE(hiddenCards(view), (QStringList{"kortti-40000101", "kortti-40032102"}));
    QVERIFY(!filter.unchanged());
    prompts.answers.enqueue(Prompts::Answer::No);
    w.close();
    QVERIFY(prompts.asked.contains(kQuestion));
}

void TestSellerFilterGui::linkMenuItemFiltersTheListing()
{
    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    QVERIFY(showWindow(w));
    QVERIFY(open(w, QStringLiteral("haku/suodatintesti/tuoli?kortit=6&mainokset=0"), QStringLiteral("Hakutulokset")));
    TVasaroselain *view = w.tabs().activeBrowser();
    ContextMenus *menus = w.tabs().contextMenus();
    QVERIFY(TabsTest::rightClickUntil(view, QStringLiteral("otsikko-40032103"),
                            [&] { return menus->PopupMenu2()->isVisible(); }));
    QAction *item = menus->linkItem(3);
    QCOMPARE(item->objectName(), QStringLiteral("Lissuodattimeen2"));
    QVERIFY(item->isVisible() && item->isEnabled());
    QTest::mouseClick(menus->PopupMenu2(), Qt::LeftButton, {}, menus->PopupMenu2()->actionGeometry(item).center());
    const SellerFilter &filter = w.sellerFilterTool().filter();
    QVERIFY(waitFor([&] { return filter.list().size() == 1; }, 3000));
    QVERIFY(filter.list().entries().first().startsWith(QLatin1String("myyja321-esine-33,50:4")));
    QCOMPARE(hiddenCards(view), QStringList{"kortti-40032103"});
    prompts.answers.enqueue(Prompts::Answer::No);
    w.close();
}

void TestSellerFilterGui::sellerPanelWalksEveryName()
{
    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    QVERIFY(showWindow(w));
    w.sellerFilterTool().Suodatavalitutmyyjt1Click();
    auto *panel = w.findChild<QFrame *>(QStringLiteral("myyjapaneeli"));
    QVERIFY(panel && panel->isVisible());
    auto *run = panel->findChild<QPushButton *>(QStringLiteral("XiButton12"));
    // An empty list keeps the panel open.
    QTest::mouseClick(run, Qt::LeftButton);
    QCOMPARE(prompts.asked.last(), QStringLiteral("information: Lista on tyhjä!"));
    QVERIFY(panel->isVisible());
    // Names typed into the memo, the way the user does.
    auto *memo = panel->findChild<QPlainTextEdit *>(QStringLiteral("Suodatettavatnimimerkit"));
    QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, memo->viewport()->rect().center());
    QVERIFY(waitFor([&] { return QApplication::focusWidget() == memo; }, 2000));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Testaaja"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Matti Myyj"));
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Adiaeresis, QStringLiteral("ä"),
                        Qt::NoModifier);
    QCOMPARE(w.settings().Suodatettavatnimimerkit, (QStringList{"Testaaja", "Matti Myyjä"}));
    QTest::mouseClick(run, Qt::LeftButton);
    QVERIFY(!panel->isVisible());
    QCOMPARE(w.sellerFilterTool().filter().list().size(), 50);
    auto *message = w.findChild<QLabel *>(QStringLiteral("paneeli"));
    QCOMPARE(message->text(), QStringLiteral("Lisätty suodattimeen!"));
    QVERIFY(!w.findChild<QFrame *>(QStringLiteral("suodatinpaneeli"))->isVisible());
    // At close the names are kept beside the settings; the filter is saved on Yes.
    prompts.answers.enqueue(Prompts::Answer::Yes);
    prompts.files.enqueue(m_market.dataDir() + QStringLiteral("/myyjat"));
    w.close();
    QVERIFY(QFileInfo::exists(m_market.dataDir() + QStringLiteral("/myyjat.txt")));
    QFile names(m_market.dataDir() + QStringLiteral("/myyjasuodatin.txt"));
    QVERIFY(names.open(QIODevice::ReadOnly));
    QCOMPARE(names.readAll(), QByteArray("Testaaja\r\nMatti Myyj\xe4\r\n"));
}

QTEST_MAIN(TestSellerFilterGui)
#include "tst_sellerfiltergui.moc"
