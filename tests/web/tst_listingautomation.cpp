// The listing automation in the assembled main window against the fake
// marketplace: "HK uudelleen + lähetä + hyväksy" from the own-sales page's
// link menu publishes the listing in a background tab and closes it, a
// preview that never comes back stops the approval, "Lopeta huutokauppa"
// asks and closes the listing, the closing-time panel
// writes the start and end into the new-listing form, and a right click over
// the listing editor opens the editor menu whose entries insert snippets.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "core/clockformat.h"
#include "core/waitfor.h"
#include "editorcaret.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "seller/pageaccess.h"
#include "webinput.h"
#include "stillafter.h"
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QUrlQuery>
#include <QWebEngineSettings>
#include <QtTest>
#include <memory>

namespace {
using WebTest::clickAt;
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kWeb = QStringLiteral("http://www.vasaro.test");
}

class TestListingAutomation final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void relistSendApprovePublishesAndCloses();
    void relistTabMovedMeanwhileIsTheOneClosed();
    void previewNeverComingBackStopsTheApproval();
    void closeAsksAndCloses();
    void closingTimePanelWritesTheForm();
    void editorMenuOverTheEditorInsertsAtTheCaret();

private:
    TVasaroselain *active() const { return m_w->tabs().activeBrowser(); }
    bool open(const QString &path, const QString &title);
    // The centre of the first element matching the selector, in the view's
    // pixels (the page's zoom applied); (-1, -1) when there is none.
    QPoint centreOf(TVasaroselain *view, const QString &selector);
    // Scrolls the element to the middle of the view and clicks its centre.
    bool clickElement(TVasaroselain *view, const QString &selector, Qt::MouseButton button = Qt::LeftButton);
    void linkMenuEntry(const QString &row, const QString &entry);
    int publishes() const { return m_market.requests(QStringLiteral("www.vasaro.test"), "/julkaise/").size(); }
    QString notice() const { return m_w->findChild<QLabel *>(QStringLiteral("Xipanel6"))->text(); }

    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;
};

void TestListingAutomation::initTestCase()
{
    Q_UNUSED(kSchemes);
    QVERIFY(m_market.start());
}

void TestListingAutomation::init()
{
    m_market.clear();
    m_prompts = ScriptedPrompts();
    m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
    m_w->show();
    QApplication::setActiveWindow(m_w.get());
    QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
    QVERIFY(waitFor([&] { return active() && active()->focusProxy(); }, 15000));
}

void TestListingAutomation::cleanup()
{
    if (m_w)
        m_w->close();
    m_w.reset();
}

bool TestListingAutomation::open(const QString &path, const QString &title)
{
    TVasaroselain *view = active();
    m_w->aktiivisivu_navigate(kWeb + path);
    return waitFor([&] {
        return view->title() == title
            && view->document().evaluate(QStringLiteral("document.readyState")).toString()
                   == QLatin1String("complete");
    }, 15000);
}

QPoint TestListingAutomation::centreOf(TVasaroselain *view, const QString &selector)
{
    const QVariantList r = view->document()
                               .evaluate(QStringLiteral("(function(){var e=document.querySelector('%1');if(!e)"
                                                        "return [];var r=e.getBoundingClientRect();"
                                                        "return [r.left+r.width/2,r.top+r.height/2];})()")
                                             .arg(selector))
                               .toList();
    if (r.size() != 2)
        return {-1, -1};
    const qreal zoom = view->zoomFactor();
    return QPoint(int(r.at(0).toDouble() * zoom), int(r.at(1).toDouble() * zoom));
}

bool TestListingAutomation::clickElement(TVasaroselain *view, const QString &selector, Qt::MouseButton button)
{
    // The page may still move while its editor sets itself up: click once
    // the element's centre, scrolled into view, reads the same twice running.
    QPoint last(-1, -1);
    QPoint at;
    const bool settled = waitFor([&] {
        view->document().evaluate(
            QStringLiteral("document.querySelector('%1').scrollIntoView({block: 'center'})").arg(selector));
        at = centreOf(view, selector);
        const bool same = at == last && view->rect().contains(at);
        last = at;
        return same;
    }, 5000);
    return settled && clickAt(view, at, button);
}

// A right click on the row's link and a click on the link menu's entry.
void TestListingAutomation::linkMenuEntry(const QString &row, const QString &entry)
{
    QVERIFY(open(QStringLiteral("/omasivu/myynnit"), QStringLiteral("Myynnit")));
    TVasaroselain *view = active();
    const QPoint link = centreOf(view, QStringLiteral("#linkki") + row);
    QVERIFY(link.x() >= 0);
    QMenu *menu = m_w->tabs().contextMenus()->PopupMenu2();
    for (int attempt = 0; attempt < 5 && !menu->isVisible(); ++attempt) {
        QVERIFY(clickAt(view, link, Qt::RightButton));
        waitFor([&] { return menu->isVisible(); }, 2000);
    }
    QVERIFY(menu->isVisible());
    QAction *item = nullptr;
    for (QAction *a : menu->actions())
        if (a->text() == entry)
            item = a;
    QStringList shown;
    for (QAction *a : menu->actions())
        if (a->isVisible())
            shown << a->text();
    QVERIFY2(item && item->isVisible(), qPrintable(shown.join(u'|')));
    QVERIFY(clickAt(menu, menu->actionGeometry(item).center()));
    QTRY_VERIFY(!menu->isVisible());
}

void TestListingAutomation::relistSendApprovePublishesAndCloses()
{
    m_w->settings().suljelehti = true;
    linkMenuEntry(QStringLiteral("92222222"), QStringLiteral("HK uudelleen + lähetä + hyväksy"));
    if (QTest::currentTestFailed())
        return;
    // The sales page stays in front while the new tab works.
    TabManager &tabs = m_w->tabs();
    QCOMPARE(tabs.activeIndex(), 0);
    QVERIFY(tabs.count() >= 2);
    QTRY_COMPARE_WITH_TIMEOUT(publishes(), 1, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!tabs.isTabShown(1), 15000);
    QTRY_COMPARE(notice(), QStringLiteral("Hyväksytty 95000001"));
    QVERIFY(tabs.isTabShown(0));
    QCOMPARE(tabs.activeIndex(), 0);
    QCOMPARE(active()->title(), QStringLiteral("Myynnit"));
    // One re-list form, one preview with the listing's title, one publish.
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), "/92222222/republish/uudelleen/12").size(), 1);
    const QList<QJsonObject> previews = m_market.requests(QStringLiteral("www.vasaro.test"), "/esikatsele/");
    QCOMPARE(previews.size(), 1);
    const QUrlQuery form(QString::fromUtf8(FakeMarketplace::body(previews.first())));
    QCOMPARE(form.queryItemValue(QStringLiteral("title"), QUrl::FullyDecoded).replace(u'+', u' '),
             QStringLiteral("Myyty tuoli"));
    // The form's own timers have run out by then: nothing is published twice.
    QVERIFY(stillAfter(1500, [this] { return publishes() == 1; }));
    QVERIFY(tabs.browser(1)->tabState().approval.isEmpty());
}

// The user drags the re-list's tab to another place while it works: the tab
// closed after publishing is that one, not the tab now where it was.
void TestListingAutomation::relistTabMovedMeanwhileIsTheOneClosed()
{
    m_w->settings().suljelehti = true;
    m_market.setState(QStringLiteral("esikatselu_viive"), QStringLiteral("3"));
    TabManager &tabs = m_w->tabs();
    tabs.uuteenikkunaan(kWeb + QStringLiteral("/testit/lomake"));
    tabs.uuteenikkunaan(kWeb + QStringLiteral("/testit/lomake"));
    tabs.activate(0);
    linkMenuEntry(QStringLiteral("92222222"), QStringLiteral("HK uudelleen + lähetä + hyväksy"));
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(tabs.count(), 4);
    TVasaroselain *relist = tabs.browser(3);
    TVasaroselain *formerlySecond = tabs.browser(1);
    // The preview's answer is held back 3 s: time to move the tab.
    QTRY_COMPARE_WITH_TIMEOUT(m_market.requests(QStringLiteral("www.vasaro.test"), "/esikatsele/").size(), 1, 20000);
    QCOMPARE(publishes(), 0);
    tabs.pageControl()->moveTab(3, 1);
    QCOMPARE(tabs.browser(1), relist);
    QTRY_COMPARE_WITH_TIMEOUT(publishes(), 1, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(!tabs.isTabShown(tabs.indexOfPage(relist->pageIndex())), 15000);
    QVERIFY(tabs.isTabShown(tabs.indexOfPage(formerlySecond->pageIndex())));
    QCOMPARE(tabs.browser(3)->pageIndex(), 2);
    QVERIFY(tabs.isTabShown(3));
}

void TestListingAutomation::previewNeverComingBackStopsTheApproval()
{
    m_market.setState(QStringLiteral("esikatselu_viive"), QStringLiteral("60"));
    linkMenuEntry(QStringLiteral("93333333"), QStringLiteral("HK uudelleen + lähetä + hyväksy"));
    if (QTest::currentTestFailed())
        return;
    TabManager &tabs = m_w->tabs();
    QTRY_COMPARE_WITH_TIMEOUT(m_market.requests(QStringLiteral("www.vasaro.test"), "/esikatsele/").size(), 1, 20000);
    TVasaroselain *background = tabs.browser(1);
    QCOMPARE(background->tabState().approval, QStringLiteral("Hyvaksy"));
    // While the preview loads the tab runs lean, without scripts.
    QVERIFY(!background->page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    QTRY_COMPARE_WITH_TIMEOUT(notice(), QStringLiteral("Hyväksyntä keskeytetty 93333333"), 40000);
    QVERIFY(background->tabState().approval.isEmpty());
    QVERIFY(background->page()->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    QVERIFY(tabs.isTabShown(1));
    // The tab is usable: it opens a page with its scripts on.
    tabs.activate(1);
    QVERIFY(open(QStringLiteral("/testit/lomake"), QStringLiteral("Lomake")));
    QCOMPARE(background->document().evaluate(QStringLiteral("1+1")).toInt(), 2);
    QCOMPARE(publishes(), 0);
}

void TestListingAutomation::closeAsksAndCloses()
{
    m_prompts.answers << Prompts::Answer::Yes;
    linkMenuEntry(QStringLiteral("91111111"), QStringLiteral("Lopeta huutokauppa"));
    if (QTest::currentTestFailed())
        return;
    QTRY_COMPARE(m_w->findChild<QLabel *>(QStringLiteral("paneeli"))->text(), QStringLiteral("Kohde on suljettu!"));
    QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("confirm: Suljetaan kohde 91111111")});
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), "/kohteet/kohde/91111111/close").size(), 1);
    QCOMPARE(m_w->tabs().activeIndex(), 0);
}

void TestListingAutomation::closingTimePanelWritesTheForm()
{
    QVERIFY(open(QStringLiteral("/uusi-ilmoitus"), QStringLiteral("Ilmoita uusi kohde")));
    auto *panel = m_w->findChild<QWidget *>(QStringLiteral("aukiolopaneeli"));
    QTRY_VERIFY(panel->isVisible());
    auto *days = panel->findChild<QComboBox *>(QStringLiteral("Cb"));
    days->setCurrentIndex(5);
    panel->findChild<QLineEdit *>(QStringLiteral("e1"))->setText(QStringLiteral("21"));
    panel->findChild<QLineEdit *>(QStringLiteral("e2"))->setText(QStringLiteral("07"));
    auto *apply = panel->findChild<QAbstractButton *>(QStringLiteral("XiButton3"));
    QTRY_VERIFY(apply->isEnabled() && !apply->text().isEmpty());
    const QDateTime before = m_w->clock().kellonaika();
    // Nothing covers the button.
    QCOMPARE(QApplication::widgetAt(apply->mapToGlobal(apply->rect().center())), apply);
    QVERIFY(clickAt(apply, apply->rect().center()));
    PageAccess page(active()->document(), nullptr);
    QTRY_VERIFY(!page.get_field_value(QStringLiteral("end_time")).isEmpty());
    const QDateTime after = m_w->clock().kellonaika();
    const QString endDate = ClockFormat::wwwdate(before, 5 * 86400, 0, 7, 21, 2);
    QCOMPARE(page.get_field_value(QStringLiteral("end_date")), endDate);
    QCOMPARE(page.get_field_value(QStringLiteral("end_time")), QStringLiteral("21:07"));
    const QString start = page.get_field_value(QStringLiteral("start_time"));
    QVERIFY2(start == ClockFormat::wwwtimenow(before) || start == ClockFormat::wwwtimenow(after), qPrintable(start));
    QCOMPARE(page.get_field_value(QStringLiteral("open_daysmuu")), QStringLiteral("muu"));
    const QString startDate = page.get_field_value(QStringLiteral("start_date"));
    QVERIFY(startDate == ClockFormat::wwwdatenow(before) || startDate == ClockFormat::wwwdatenow(after));
    // The form sends them.
    QVERIFY(clickElement(active(), QStringLiteral("#esikatseluun")));
    QTRY_COMPARE_WITH_TIMEOUT(m_market.requests(QStringLiteral("www.vasaro.test"), "/esikatsele/").size(), 1, 15000);
    const QUrlQuery form(QString::fromUtf8(
        FakeMarketplace::body(m_market.requests(QStringLiteral("www.vasaro.test"), "/esikatsele/").first())));
    QCOMPARE(form.queryItemValue(QStringLiteral("end_date")), endDate);
    QCOMPARE(form.queryItemValue(QStringLiteral("end_time"), QUrl::FullyDecoded), QStringLiteral("21:07"));
    QCOMPARE(form.queryItemValue(QStringLiteral("start_date")), startDate);
    QCOMPARE(form.queryItemValue(QStringLiteral("start_time"), QUrl::FullyDecoded), start);
}

void TestListingAutomation::editorMenuOverTheEditorInsertsAtTheCaret()
{
    QVERIFY(open(QStringLiteral("/uusi-ilmoitus"), QStringLiteral("Ilmoita uusi kohde")));
    TVasaroselain *view = active();
    // The editor is ready with two paragraphs and the caret after "Alku".
    QVERIFY(EditorCaret::setTextWithCaretAfterFirst(view, QStringLiteral("<p>Alku</p><p>Loppu</p>")));
    // At 150 % the hit test divides the mouse position by the zoom.
    QVERIFY(view->asetaZoom(150));
    QTRY_COMPARE(view->zoomFactor(), 1.5);
    QMenu *menu = m_w->tabs().contextMenus()->PopupMenu1();
    QVERIFY(clickElement(view, QStringLiteral("iframe.cke_wysiwyg_frame"), Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    ContextMenus *menus = m_w->tabs().contextMenus();
    QVERIFY(!menus->pageItem(0)->isVisible());
    QVERIFY(menus->pageItem(14)->isVisible());
    QVERIFY(menus->pageItem(16)->isVisible());
    QVERIFY(clickAt(menu, menu->actionGeometry(menus->pageItem(14)).center()));
    QTRY_VERIFY(!menu->isVisible());
    // The snippet went to the caret, between the paragraphs, not at the end.
    QString data;
    QVERIFY(waitFor([&] {
        view->document().execScript(QStringLiteral(
            "document.body.dataset.kuvaus = CKEDITOR.instances.description.getData();"));
        data = view->document().evaluate(QStringLiteral("document.body.dataset.kuvaus")).toString();
        return data.contains(QLatin1String("Muut kohteeni"));
    }, 5000));
    QVERIFY2(data.indexOf(QLatin1String("Muut kohteeni")) < data.indexOf(QLatin1String("Loppu")), qPrintable(data));
    // Afterwards the page menu is back to its between-uses state.
    QVERIFY(menus->pageItem(0)->isVisible());
    QVERIFY(!menus->pageItem(14)->isVisible());
}

QTEST_MAIN(TestListingAutomation)
#include "tst_listingautomation.moc"
