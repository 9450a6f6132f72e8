// The browser host policy in the real browser: requests that must never reach
// the network, replaced advertisement frames, script dialogs, window closing,
// new windows, download control and the own-sales link menu under zoom.
#include "browsertestkit.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "browser/policy/contextmenupolicy.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include <QtTest>
#include <memory>

class TestHostPolicy final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void blockedRequestsNeverArrive_data();
    void blockedRequestsNeverArrive();
    void replacedFrameIsEmptyAndSeenAsAdvertisement();
    void scriptDialogs();
    void newWindowGoesToFactoryAndCannotCloseItself();
    void downloadControl();
    void ownSalesLinkFoundUnderZoom();
    void auxiliaryBrowserHasFixedOptions();
    void copyCutPaste();

private:
    QString url(const QString &path) const { return QStringLiteral("http://www.vasaro.test") + path; }
    int arrived(const QString &host, const QString &path = QString()) const
    {
        return m_market.requests(host, path).size();
    }

    FakeMarketplace m_market;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TestTab> m_tab;
};

void TestHostPolicy::initTestCase()
{
    QVERIFY(m_market.start());
    m_profile = std::make_unique<BrowserProfile>(&m_settings, Endpoints::fromEnvironment());
    m_tab = std::make_unique<TestTab>(m_profile.get(), &m_prompts);
}

void TestHostPolicy::cleanupTestCase()
{
    m_tab.reset();
    m_profile.reset();
}

void TestHostPolicy::init()
{
    m_settings = Settings();
    m_prompts.asked.clear();
    m_profile->update_dloption(m_tab->page);
    m_market.clear();
}

void TestHostPolicy::blockedRequestsNeverArrive_data()
{
    QTest::addColumn<bool>("ads");
    QTest::addColumn<bool>("news");
    QTest::addColumn<bool>("fb");
    QTest::newRow("defaults") << true << true << false;
    QTest::newRow("everything allowed") << false << false << false;
    QTest::newRow("social blocked only") << false << false << true;
    QTest::newRow("news only") << false << true << false;
}

void TestHostPolicy::blockedRequestsNeverArrive()
{
    QFETCH(bool, ads);
    QFETCH(bool, news);
    QFETCH(bool, fb);
    m_settings.poistamainokset = ads;
    m_settings.poistauutiset = news;
    m_settings.poistafb = fb;
    QVERIFY(m_tab->load(url("/haku/sanat/lamppu?kortit=3")));
    // Frames and scripts have loaded by the time the top document completes;
    // give stray requests a moment anyway.
    waitMs(300);
    QCOMPARE(arrived(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/sanat/lamppu")), 1);
    QCOMPARE(arrived(QStringLiteral("www.google-analytics.com")), ads ? 0 : 1);         // list A host
    QCOMPARE(arrived(QStringLiteral("www.vasaro.test"), QStringLiteral("/ads/")), ads ? 0 : 1);   // list A path
    QCOMPARE(arrived(QStringLiteral("connect.facebook.net")), fb ? 0 : 1);              // list B
    QCOMPARE(arrived(QStringLiteral("widgets.outbrain.com")), 0);                       // list C, always
    QCOMPARE(arrived(QStringLiteral("ads.admeta.com")), ads ? 0 : 1);                   // replaced frame
    // The news box host is replaced by poistauutiset and blocked by "/static.".
    QCOMPARE(arrived(QStringLiteral("static.ilcdn.fi")), (news || ads) ? 0 : 1);
    // The page itself is intact.
    QCOMPARE(m_tab->document().getElementsByTagName(QStringLiteral("iframe")).size(), 2);
}

void TestHostPolicy::replacedFrameIsEmptyAndSeenAsAdvertisement()
{
    QStringList frames;
    const auto c = connect(m_tab->page, &VasaroPage::beforeNavigate2, this, [&](VasaroPage *, NavigationArgs *a) {
        if (!a->mainFrame)
            frames << a->url.toString();
    });
    QVERIFY(m_tab->load(url("/kohteet/lamppu/12345678")));
    disconnect(c);
    QVERIFY2(frames.contains(QStringLiteral("http://ads.admeta.com/banneri?paikka=1")), qPrintable(frames.join(u' ')));
    QCOMPARE(arrived(QStringLiteral("ads.admeta.com")), 0);
    // The frame shows the empty replacement page (its document is not readable
    // across origins, but its size is: an empty body).
    const QVariant height = m_tab->document().evaluate(QStringLiteral(
        "document.getElementById('mainos1').contentWindow.length"));
    QCOMPARE(height.toInt(), 0);
}

void TestHostPolicy::scriptDialogs()
{
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    Document &doc = m_tab->document();
    doc.getElementById(QStringLiteral("julkaisu")).click();
    QCOMPARE(doc.getElementById(QStringLiteral("tulos")).innerText(), QStringLiteral("true"));   // swallowed = OK
    doc.getElementById(QStringLiteral("activex")).click();
    QVERIFY(m_prompts.asked.isEmpty());

    m_prompts.answers.enqueue(Prompts::Answer::No);
    doc.getElementById(QStringLiteral("kysymys")).click();
    QCOMPARE(doc.getElementById(QStringLiteral("tulos")).innerText(), QStringLiteral("false"));
    doc.getElementById(QStringLiteral("varoitus")).click();
    QCOMPARE(m_prompts.asked, QStringList({QStringLiteral("confirm: Haluatko jatkaa?"),
                                           QStringLiteral("message: Tavallinen ilmoitus")}));
}

void TestHostPolicy::newWindowGoesToFactoryAndCannotCloseItself()
{
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    TestTab other(m_profile.get(), &m_prompts, 1);
    QList<QWebEnginePage::WebWindowType> asked;
    m_tab->page->setWindowFactory([&](QWebEnginePage::WebWindowType type) -> QWebEnginePage * {
        asked << type;
        return other.page;
    });
    QSignalSpy loaded(other.page, &VasaroPage::documentComplete);
    m_tab->document().execScript(QStringLiteral("window.open('/testit/divit?n=2')"));
    QVERIFY(loaded.wait(10000));
    QCOMPARE(asked, QList<QWebEnginePage::WebWindowType>({QWebEnginePage::WebBrowserTab}));
    QCOMPARE(other.document().getElementsByTagName(QStringLiteral("div")).size(), 2);
    QCOMPARE(m_tab->document().title(), QStringLiteral("Dialogit"));

    // A script may close the window it opened, but the tab refuses.
    QSignalSpy closing(other.page, &QWebEnginePage::windowCloseRequested);
    QVERIFY(other.document().execScript(QStringLiteral("window.close()")));
    QTRY_COMPARE(closing.size(), 1);
    waitMs(100);
    QCOMPARE(other.document().getElementsByTagName(QStringLiteral("div")).size(), 2);
    QVERIFY(other.view.isVisible());

    // Without a factory the request is refused: nothing is loaded.
    m_tab->page->setWindowFactory({});
    m_market.clear();
    QVERIFY(m_tab->document().execScript(QStringLiteral("window.open('/testit/divit?n=3')")));
    waitMs(300);
    QCOMPARE(arrived(QStringLiteral("www.vasaro.test"), QStringLiteral("/testit/divit")), 0);
    QCOMPARE(m_tab->document().title(), QStringLiteral("Dialogit"));
}

void TestHostPolicy::downloadControl()
{
    m_settings.naytakuvat = false;
    m_profile->updatedloptions();
    QVERIFY(m_tab->load(url("/haku?kortit=4&mainokset=0")));
    QCOMPARE(arrived(QStringLiteral("www.vasaro.test"), QStringLiteral("/kuvat/")), 0);

    m_settings.naytakuvat = true;
    m_profile->setApproveMode(true);
    m_profile->update_dloption(m_tab->page);
    QVERIFY(!m_profile->approveMode());   // one answer long
    QVERIFY(!m_tab->page->downloadOptions().scripts);
    QVERIFY(!m_tab->page->downloadOptions().images);
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    QVERIFY(!m_tab->document().execScript(QStringLiteral("1")));   // page scripts off

    m_profile->update_dloption(m_tab->page);
    QVERIFY(m_tab->page->downloadOptions().images);
    m_market.clear();
    QVERIFY(m_tab->load(url("/haku?kortit=4&mainokset=0")));
    QTRY_COMPARE(arrived(QStringLiteral("www.vasaro.test"), QStringLiteral("/kuvat/")), 4);
    QVERIFY(m_tab->document().execScript(QStringLiteral("1")));
}

void TestHostPolicy::ownSalesLinkFoundUnderZoom()
{
    QVERIFY(m_tab->load(url("/omasivu/myynnit")));
    m_tab->page->setZoomFactor(1.5);
    m_tab->state.zoom = 150;
    Document &doc = m_tab->document();
    QTRY_VERIFY(doc.evaluate(QStringLiteral("window.devicePixelRatio")).toDouble() > 1.4);
    const QVariantList css = doc.evaluate(QStringLiteral(
        "(function(){var r=document.getElementById('linkki92222222').getBoundingClientRect();"
        "return [r.left + 4, r.top + 4];})()")).toList();
    QCOMPARE(css.size(), 2);
    // Where the mouse is in the view: page pixels grown by the zoom.
    const QPoint mouse(qRound(css.at(0).toDouble() * 1.5), qRound(css.at(1).toDouble() * 1.5));

    ContextMenuPolicy::Input in;
    in.kind = ContextMenuPolicy::KindLink;
    in.statusText = url("/kohteet/kohde/92222222");
    in.addressText = url("/omasivu/myynnit");
    in.linkUnderMouse = [&] {
        const QPoint p = ContextMenuPolicy::pagePoint(mouse, m_tab->state.zoom);
        const Element hit = doc.elementFromPoint(p.x(), p.y(), Document::Href);
        ContextMenuPolicy::LinkUnderMouse link;
        if (hit.tagName() == QLatin1String("A")) {
            link.href = hit.data().href;
            link.parentHtml = hit.parentElement().outerHTML();
        }
        return link;
    };
    const ContextMenuPolicy::Decision d = ContextMenuPolicy::decide(in);
    QCOMPARE(d.linkAddress, url("/kohteet/kohde/92222222"));
    QVERIFY(d.isVisible(2) && d.isVisible(5) && d.isVisible(6));
    QVERIFY(!d.isVisible(4));
    m_tab->page->setZoomFactor(1.0);
}

void TestHostPolicy::auxiliaryBrowserHasFixedOptions()
{
    m_profile->setApproveMode(true);
    VasaroPage auxiliary(m_profile.get(), nullptr, VasaroPage::Role::Auxiliary);
    m_profile->updatedloptions();
    QCOMPARE(auxiliary.downloadOptions().flags, 22400);
    QVERIFY(!auxiliary.downloadOptions().scripts);
    QVERIFY(!m_profile->approveMode());           // the tab page took the approve answer
    QVERIFY(!m_tab->page->downloadOptions().scripts);
    m_profile->update_dloption(m_tab->page);
    QVERIFY(m_tab->page->downloadOptions().scripts);
}

void TestHostPolicy::copyCutPaste()
{
    QVERIFY(m_tab->load(url("/kohteet/lamppu/12345678")));
    Document &doc = m_tab->document();
    const Element field = doc.getElementById(QStringLiteral("tarjous"));
    field.setValue(QStringLiteral("125 euroa"));
    m_tab->view.setFocus();
    field.focus();
    doc.evaluate(QStringLiteral("document.getElementById('tarjous').select()"));
    m_tab->page->Copycutpaste(6);   // cut
    QTRY_COMPARE(field.value(), QString());
    m_tab->page->Copycutpaste(7);   // paste
    QTRY_COMPARE(field.value(), QStringLiteral("125 euroa"));
    doc.evaluate(QStringLiteral("document.getElementById('tarjous').select()"));
    m_tab->page->Copycutpaste(5);   // copy leaves the field as it is
    m_tab->page->Copycutpaste(7);
    QTRY_COMPARE(field.value(), QStringLiteral("125 euroa"));
}

QTEST_MAIN(TestHostPolicy)
#include "tst_hostpolicy.moc"
