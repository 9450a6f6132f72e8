// The page event pipeline in the real browser on fake-marketplace pages:
// which step runs on which page, in which order, early or at completion.
#include "browsertestkit.h"
#include "fakemarketplace.h"
#include "fakeshellhost.h"
#include "featurestubs.h"
#include "browser/features/sellerfilterfeature.h"
#include "scriptedprompts.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/shellhost.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include <QtTest>
#include <memory>

class TestPipeline final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void sellerFilterRunsOnce_data();
    void sellerFilterRunsOnce();
    void sellerFilterPlugsIn_data();
    void sellerFilterPlugsIn();
    void earlyProcessingAtDomContentLoaded();
    void earlyFilterHidesCardsWhileLoading();
    void categoryTweak_data();
    void categoryTweak();
    void frameCompletionRunsNoStep();
    void advancedSearchOpensSearchForm();
    void legacySearchLinks_data();
    void legacySearchLinks();
    void signInCaptureAndSignOut();
    void formBodyReachesProgram();
    void marketplaceClock_data();
    void marketplaceClock();
    void activeTabControls();
    void pageOutsideMarketplace();
    void listingFormTweaksAndRelistStop();
    void forumAndScrollbarSteps();
    void updateCheckOncePerRun();
    void statusText_data();
    void statusText();
    void hoveredLinkReachesStatusBar();
    void leavingLinkKeepsNotice();
    void navigationBarFollowsScroll();

private:
    QString url(const QString &path) const { return QStringLiteral("http://www.vasaro.test") + path; }

    FakeMarketplace m_market;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    FakeShellHost m_shell;
    qint64 m_ticks = 0;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<PagePipeline> m_pipeline;
    std::unique_ptr<FeatureStubs> m_stubs;
    std::unique_ptr<TestTab> m_tab;
    QStringList m_events;
};

void TestPipeline::initTestCase()
{
    QVERIFY(m_market.start());
    m_profile = std::make_unique<BrowserProfile>(&m_settings, Endpoints::fromEnvironment());
    m_tab = std::make_unique<TestTab>(m_profile.get(), &m_prompts);
}

void TestPipeline::cleanupTestCase()
{
    m_tab.reset();
    m_pipeline.reset();
    m_profile.reset();
}

void TestPipeline::init()
{
    m_settings = Settings();
    m_settings.paivitysStored = QStringLiteral("x");   // no update check unless a test wants one
    m_settings.paivitysCurrent = QStringLiteral("x");
    m_shell = FakeShellHost();
    m_events.clear();
    m_ticks = 0;
    m_clock = std::make_unique<ProgramClock>([this] { return m_ticks; }, QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
    m_pipeline = std::make_unique<PagePipeline>(&m_shell, &m_settings, Endpoints::fromEnvironment(), m_clock.get(),
                                                &m_profile->hostPolicy());
    m_tab->state = TabState();
    m_tab->active = true;
    m_tab->page->setPipeline(m_pipeline.get(), m_tab.get());
    m_stubs = std::make_unique<FeatureStubs>();
    m_pipeline->features() = m_stubs->pipelineFeatures();
    m_stubs->onCaptions = [this] { m_events << QStringLiteral("complete"); };
    m_stubs->onSuodata = [this](PipelineTab &t) {
        m_events << QStringLiteral("suodata early=%1").arg(t.tabState().processedEarly ? 0 : t.tabState().filteredEarly);
    };
    m_profile->update_dloption(m_tab->page);
    m_market.clear();
}

void TestPipeline::sellerFilterRunsOnce_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("events");
    const QString early = QStringLiteral("suodata early=1"), late = QStringLiteral("suodata early=0");
    const QString done = QStringLiteral("complete");
    QTest::newRow("ad frames: early") << "/haku/sanat/x?kortit=8" << QStringList{early, done};
    QTest::newRow("no ad frames: at completion") << "/haku/sanat/x?kortit=8&mainokset=0" << QStringList{done, late};
    QTest::newRow("category with slash") << "/osasto/koti/123/?mainokset=0" << QStringList{done, late};
    QTest::newRow("category without slash") << "/osasto/koti/123?mainokset=0" << QStringList{done};
    QTest::newRow("item page with ads") << "/kohteet/a/12345678" << QStringList{done};
}

void TestPipeline::sellerFilterRunsOnce()
{
    QFETCH(QString, path);
    QFETCH(QStringList, events);
    QVERIFY(m_tab->load(url(path)));
    waitMs(100);
    QCOMPARE(m_events, events);
    // Completion consumed the early flags.
    QVERIFY(!m_tab->state.filteredEarly && !m_tab->state.processedEarly && !m_tab->state.categoryEditedEarly);
}

namespace {
// The seller filter as a feature of its own: records how the pipeline calls it.
class RecordingSellerFilter final : public SellerFilterFeature {
public:
    struct Call {
        PipelineTab *tab;
        QString readyState;
        bool filteredEarly;
    };
    void WBsuodata(PipelineTab &tab) override
    {
        calls.append({&tab, tab.document().evaluate(QStringLiteral("document.readyState")).toString(),
                      tab.tabState().filteredEarly});
    }
    QList<Call> calls;
};
}

void TestPipeline::sellerFilterPlugsIn_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("approval");
    QTest::addColumn<bool>("early");   // the filter runs while the page still loads
    QTest::newRow("ad frames: early processing") << "/haku/sanat/x?kortit=60" << "" << true;
    QTest::newRow("category, ad frames: early") << "/osasto/koti/123/?kortit=60" << "" << true;
    QTest::newRow("no ad frames: document complete") << "/haku/sanat/x?kortit=60&mainokset=0" << "" << false;
    QTest::newRow("approval holds early processing back") << "/haku/sanat/x?kortit=60" << "Hyvaksy" << false;
}

void TestPipeline::sellerFilterPlugsIn()
{
    QFETCH(QString, path);
    QFETCH(QString, approval);
    QFETCH(bool, early);
    // Only the seller filter is plugged in: every other feature is missing.
    RecordingSellerFilter filter;
    m_pipeline->features() = PipelineFeatures();
    m_pipeline->features().sellerFilter = &filter;
    m_tab->state.approval = approval;
    QVERIFY(m_tab->load(url(path)));
    waitMs(100);
    QCOMPARE(filter.calls.size(), 1);
    const RecordingSellerFilter::Call &call = filter.calls.first();
    QCOMPARE(call.tab, static_cast<PipelineTab *>(m_tab.get()));
    QCOMPARE(call.readyState == QLatin1String("complete"), !early);
    QCOMPARE(call.filteredEarly, early);
    // A page that is no listing page is left alone, early or not.
    QVERIFY(m_tab->load(url("/kohteet/a/12345678")));
    waitMs(100);
    QCOMPARE(filter.calls.size(), 1);
    m_pipeline->features() = PipelineFeatures();
}

void TestPipeline::earlyProcessingAtDomContentLoaded()
{
    // A page whose advertisement frame was already known when the document
    // became ready: early processing runs then, and only once.
    QVERIFY(m_tab->load(url("/haku/sanat/x?kortit=4&mainokset=0")));
    m_events.clear();
    m_pipeline->domContentLoaded(*m_tab, {QStringLiteral("http://www.vasaro.test/x"),
                                          QStringLiteral("http://ads.admeta.com/banneri")});
    QCOMPARE(m_events, QStringList{QStringLiteral("suodata early=1")});
    QVERIFY(m_tab->state.processedEarly);
    m_pipeline->domContentLoaded(*m_tab, {QStringLiteral("http://ads.admeta.com/banneri")});
    QCOMPARE(m_events.size(), 1);
    // Frames without advertising do not trigger it.
    m_tab->state = TabState();
    m_pipeline->domContentLoaded(*m_tab, {QStringLiteral("http://www.vasaro.test/x")});
    QCOMPARE(m_events.size(), 1);
}

void TestPipeline::earlyFilterHidesCardsWhileLoading()
{
    // A stand-in seller filter over the Document seam: one snapshot of the
    // cards, one call hiding those of a seller.
    QString readyState;
    m_stubs->onSuodata = [&](PipelineTab &t) {
        Document &doc = t.document();
        readyState = doc.evaluate(QStringLiteral("document.readyState")).toString();
        QList<Element> hide;
        for (const Element &card : doc.getElementsByTagName(QStringLiteral("div"), Document::OuterHtml))
            if (card.data().outerHTML.startsWith(QLatin1String("<div class=\"item-card\""))
                && card.data().outerHTML.contains(QLatin1String(">myyja3<")))
                hide << card;
        doc.setStyleAll(hide, QStringLiteral("display"), QStringLiteral("none"));
    };
    QVERIFY(m_tab->load(url("/haku/sanat/x?kortit=60")));
    QVERIFY2(readyState != QLatin1String("complete"), qPrintable(readyState));
    const QVariant hidden = m_tab->document().evaluate(QStringLiteral(
        "Array.prototype.filter.call(document.querySelectorAll('.item-card'),"
        " function (c) { return c.style.display === 'none'; }).length"));
    QCOMPARE(hidden.toInt(), 9);   // cards 3, 10, 17, ... 59 belong to myyja3
}

void TestPipeline::categoryTweak_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("naytakuvat");
    QTest::addColumn<bool>("pienet");
    QTest::addColumn<QStringList>("events");
    const QString tweak = QStringLiteral("tweak");
    const QString done = QStringLiteral("complete");
    QTest::newRow("pictures on, small off: never") << "/osasto/koti/1/" << true << false << QStringList{done};
    QTest::newRow("small pictures, early") << "/osasto/koti/1/" << true << true << QStringList{tweak, done};
    QTest::newRow("pictures off, no ads: at completion") << "/osasto/koti/1/?mainokset=0" << false << false
                                                         << QStringList{done, tweak};
    QTest::newRow("no slash: never") << "/osasto/koti/1" << true << true << QStringList{done};
}

void TestPipeline::categoryTweak()
{
    QFETCH(QString, path);
    QFETCH(bool, naytakuvat);
    QFETCH(bool, pienet);
    QFETCH(QStringList, events);
    m_settings.naytakuvat = naytakuvat;
    m_settings.pienet_kuvat = pienet;
    m_stubs->onSuodata = {};
    m_stubs->onOsastolista = [this](PipelineTab &) {
        m_events << QStringLiteral("tweak");
        return true;
    };
    QVERIFY(m_tab->load(url(path)));
    waitMs(100);
    QCOMPARE(m_events, events);
}

void TestPipeline::frameCompletionRunsNoStep()
{
    QSignalSpy complete(m_tab->page, &VasaroPage::documentComplete);
    QVERIFY(m_tab->load(url("/testit/sisakehys")));
    waitMs(300);
    QCOMPARE(complete.size(), 1);
    QCOMPARE(m_events, QStringList{QStringLiteral("complete")});
    QCOMPARE(m_shell.address, url("/testit/sisakehys"));
}

void TestPipeline::advancedSearchOpensSearchForm()
{
    int opened = 0;
    m_stubs->onHaku = [&] { ++opened; };
    QVERIFY(m_tab->load(url("/testit/divit?n=2")));
    m_events.clear();
    QSignalSpy complete(m_tab->page, &VasaroPage::documentComplete);
    m_tab->document().execScript(QStringLiteral("location.href = '/haku/advanced/'"));
    QTRY_COMPARE(opened, 1);
    // The cancelled navigation's failed load is no completed document.
    waitMs(400);
    QCOMPARE(complete.size(), 0);
    QVERIFY(m_events.isEmpty());
    QCOMPARE(m_tab->page->LocationURL(), url("/testit/divit?n=2"));
    QVERIFY(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/advanced")).isEmpty());
    // The tab still navigates normally afterwards.
    QVERIFY(m_tab->load(url("/testit/divit?n=1")));
}

void TestPipeline::legacySearchLinks_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("command");
    QTest::newRow("user search") << "/cgi/kayttajahaku.php3?tunnus=x" << "kayttajahaku";
    QTest::newRow("item search") << "/cgi/KohdenumerollaHaku.php3?nro=1" << "kohdehaku";
}

void TestPipeline::legacySearchLinks()
{
    QFETCH(QString, link);
    QFETCH(QString, command);
    QVERIFY(m_tab->load(url("/testit/divit?n=2")));
    m_tab->document().execScript(QStringLiteral("location.href = '") + link + u'\'');
    QTRY_COMPARE(m_shell.commands, QStringList{command});
    waitMs(300);
    QCOMPARE(m_tab->page->LocationURL(), url("/testit/divit?n=2"));
}

void TestPipeline::signInCaptureAndSignOut()
{
    QByteArray captured;
    int fetched = 0, signedOut = 0;
    m_stubs->onCapture = [&](const QByteArray &body) {
        captured = body;
        return body.contains("userid=") && body.contains("password=");
    };
    m_stubs->onLataa = [&] { ++fetched; };
    m_stubs->onSignOut = [&] { ++signedOut; };
    QVERIFY(m_tab->load(url("/kirjaudu")));
    Document &doc = m_tab->document();
    doc.getElementById(QStringLiteral("userid")).setValue(QStringLiteral("testi käyttäjä"));
    doc.getElementById(QStringLiteral("password")).setValue(QStringLiteral("sala&sana"));
    QSignalSpy complete(m_tab->page, &VasaroPage::documentComplete);
    doc.getElementById(QStringLiteral("kirjaudunappi")).click();
    QVERIFY(complete.wait(10000));
    QCOMPARE(captured, QByteArray("userid=testi+k%C3%A4ytt%C3%A4j%C3%A4&password=sala%26sana&toiminto=kirjaudu"));
    QVERIFY(!m_pipeline->watchListCheckPending());   // consumed by that completion
    QCOMPARE(fetched, 1);
    QCOMPARE(signedOut, 0);

    QVERIFY(m_tab->load(url("/kirjaudu-ulos")));
    QCOMPARE(signedOut, 1);
}

void TestPipeline::formBodyReachesProgram()
{
    QList<NavigationArgs> navigations;
    connect(m_tab->page, &VasaroPage::beforeNavigate2, this,
            [&](VasaroPage *, NavigationArgs *a) { navigations << *a; });
    QVERIFY(m_tab->load(url("/testit/lomake")));
    QSignalSpy complete(m_tab->page, &VasaroPage::documentComplete);
    m_tab->document().getElementById(QStringLiteral("laheta")).click();
    QVERIFY(complete.wait(10000));
    m_tab->page->disconnect(this);
    const QByteArray body("tunnus=matti+meik%C3%A4l%C3%A4inen&salasana=s%26s%3D1");
    // The body goes out once, with the navigation that sends it.
    QList<NavigationArgs> posts;
    for (const NavigationArgs &a : navigations)
        if (!a.postData.isEmpty())
            posts << a;
    QCOMPARE(posts.size(), 1);
    QCOMPARE(posts.first().url, QUrl(url("/testit/vastaanota")));
    const NavigationArgs &post = navigations.last();
    QCOMPARE(post.kind, NavigationArgs::FormSubmitted);
    QCOMPARE(post.postData, body);
    QVERIFY(!post.headers.isEmpty());
    // What the server received is what the program was told.
    QCOMPARE(FakeMarketplace::body(m_market.requests(QStringLiteral("www.vasaro.test"),
                                                     QStringLiteral("/testit/vastaanota")).first()),
             body);
}

void TestPipeline::marketplaceClock_data()
{
    QTest::addColumn<QString>("clockText");
    QTest::addColumn<bool>("vasaroaika");
    QTest::addColumn<QDateTime>("expected");
    QTest::addColumn<QString>("suffix");
    const QString market = QStringLiteral(" (Vasaron aikaa)"), system = QStringLiteral(" (Järjestelmän aikaa)");
    const QDateTime start(QDate(2026, 1, 2), QTime(8, 0));
    QTest::newRow("full time") << "4.3.2022 12:34:56" << true << QDateTime(QDate(2022, 3, 4), QTime(12, 34, 56))
                               << market;
    QTest::newRow("no colon: midnight") << "4.3.2022" << true << QDateTime(QDate(2022, 3, 4), QTime(0, 0)) << market;
    QTest::newRow("setting off") << "4.3.2022 12:34:56" << false << start << system;
    QTest::newRow("unreadable") << "31.2.2022 12:34:56" << true << start << system;
}

void TestPipeline::marketplaceClock()
{
    QFETCH(QString, clockText);
    QFETCH(bool, vasaroaika);
    QFETCH(QDateTime, expected);
    QFETCH(QString, suffix);
    m_settings.vasaroaika = vasaroaika;
    m_market.setState(QStringLiteral("clock"), clockText);
    QVERIFY(m_tab->load(url("/omasivu/")));
    QCOMPARE(m_clock->kellonaika(), expected);
    QCOMPARE(m_clock->sourceSuffix(), suffix);
    m_ticks += 5000;   // and it runs on from there
    QCOMPARE(m_clock->kellonaika(), expected.addSecs(5));
}

void TestPipeline::activeTabControls()
{
    int selected = 0;
    m_stubs->signedIn = true;
    m_stubs->nextItems = 2;
    m_stubs->onSelectNext = [&](const QString &) { ++selected; };
    QVERIFY(m_tab->load(url("/kohteet/lamppu/12345678")));
    QCOMPARE(m_shell.captions.value(QStringLiteral("XiButton14")), QStringLiteral("Lisää suosikkimyyjiin"));
    QVERIFY(m_shell.visible.value(QStringLiteral("XiButton14")));
    QVERIFY(m_shell.visible.value(QStringLiteral("postia")));
    QVERIFY(m_shell.visible.value(QStringLiteral("seur")));
    QCOMPARE(selected, 1);
    QCOMPARE(m_shell.address, url("/kohteet/lamppu/12345678"));
    QVERIFY(m_tab->focused > 0);

    m_stubs->nextItems = 0;
    QVERIFY(m_tab->load(url("/haku/sanat/x?mainokset=0")));
    QCOMPARE(m_shell.captions.value(QStringLiteral("XiButton14")), QStringLiteral("Lisää suosikkihakuihin"));
    QVERIFY(!m_shell.visible.value(QStringLiteral("seur")));

    // A background tab leaves the address box and the buttons alone.
    m_tab->active = false;
    m_shell.address.clear();
    QVERIFY(m_tab->load(url("/kohteet/lamppu/12345678")));
    QCOMPARE(m_shell.address, QString());
    QCOMPARE(m_shell.captions.value(QStringLiteral("XiButton14")), QStringLiteral("Lisää suosikkihakuihin"));
}

void TestPipeline::pageOutsideMarketplace()
{
    int filtered = 0;
    m_stubs->onSuodata = [&](PipelineTab &) { ++filtered; };
    m_shell.visible[QStringLiteral("postia")] = true;
    m_shell.visible[QStringLiteral("seur")] = true;
    QVERIFY(m_tab->load(QStringLiteral("http://www.esimerkki.test/haku/x")));
    QCOMPARE(m_shell.address, QStringLiteral("http://www.esimerkki.test/haku/x"));
    QVERIFY(!m_shell.visible.value(QStringLiteral("postia")));
    QVERIFY(!m_shell.visible.value(QStringLiteral("seur")));
    QCOMPARE(filtered, 0);
}

void TestPipeline::listingFormTweaksAndRelistStop()
{
    QStringList approvals;
    m_stubs->onApprove = [&](PipelineTab &, const QString &a) {
        approvals << a;
        return false;
    };
    QVERIFY(m_tab->load(url("/testit/uusi-ilmoitus")));
    Document &doc = m_tab->document();
    QCOMPARE(doc.getElementById(QStringLiteral("deliveryother")).getAttribute(QStringLiteral("rows")),
             QStringLiteral("7"));
    QVERIFY(doc.execScript(QStringLiteral(
        "var c = CKEDITOR.instances.description.config;"
        "if (c.height !== '450px' || c.enterMode !== 2 || c.shiftEnterMode !== 1 || c.image_previewText !== ' ')"
        " throw 1;")));
    QVERIFY(m_shell.visible.value(QStringLiteral("aukiolopaneeli")));
    QVERIFY(m_shell.visible.value(QStringLiteral("ppohjat")));

    // A re-list form stops after the approval step.
    m_shell.visible.clear();
    QVERIFY(m_tab->load(url("/testit/uusi-ilmoitus/uudelleen/1")));
    QCOMPARE(doc.getElementById(QStringLiteral("deliveryother")).getAttribute(QStringLiteral("rows")),
             QStringLiteral("3"));
    QVERIFY(!m_shell.visible.value(QStringLiteral("aukiolopaneeli")));
    QCOMPARE(approvals, QStringList({url("/testit/uusi-ilmoitus"), url("/testit/uusi-ilmoitus/uudelleen/1")}));
}

void TestPipeline::forumAndScrollbarSteps()
{
    QStringList colours;
    m_stubs->onKeskustelu = [&](PipelineTab &t) {
        colours << (t.tabState().processedEarly ? QStringLiteral("early") : QStringLiteral("late"));
    };
    QVERIFY(m_tab->load(url("/keskustelu/yleinen/show/5")));
    QCOMPARE(colours, QStringList{QStringLiteral("early")});
    QCOMPARE(m_tab->document().body().style(QStringLiteral("overflowX")), QStringLiteral("hidden"));

    // An approval in progress holds early processing back to completion.
    colours.clear();
    m_tab->state.approval = QStringLiteral("Hyvaksy");
    QVERIFY(m_tab->load(url("/keskustelu/yleinen/show/6")));
    QCOMPARE(colours, QStringList{QStringLiteral("late")});

    m_tab->state.approval.clear();
    m_settings.xpalkki = false;
    QVERIFY(m_tab->load(url("/keskustelu/yleinen/show/7")));
    QCOMPARE(m_tab->document().body().style(QStringLiteral("overflowX")), QString());
}

void TestPipeline::updateCheckOncePerRun()
{
    int checks = 0;
    m_stubs->onPaivita = [&] { ++checks; };
    m_settings.paivitysCurrent.clear();
    m_settings.paivitysStored = QStringLiteral("1");
    QVERIFY(m_tab->load(url("/testit/divit?n=1")));
    QCOMPARE(m_settings.paivitysCurrent, QStringLiteral("2"));   // the program clock's day
    QVERIFY(m_tab->load(url("/testit/divit?n=2")));
    QCOMPARE(checks, 1);

    // Checked already today: nothing.
    m_settings.paivitysCurrent.clear();
    m_settings.paivitysStored = QStringLiteral("2");
    QVERIFY(m_tab->load(url("/testit/divit?n=1")));
    QCOMPARE(checks, 1);
}

void TestPipeline::statusText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain link") << "http://www.vasaro.test/ohje?Sivu=1" << true << "http://www.vasaro.test/ohje?Sivu=1";
    QTest::newRow("shortcut to item") << "Shortcut to /Kohteet/Lamppu/12345678." << true
                                      << "http://www.vasaro.test/Kohteet/Lamppu/12345678";
    QTest::newRow("pikakuvake elsewhere") << "Pikakuvake /ohje" << true << "ennen";
    QTest::newRow("shortcut without item") << "shortcut to x" << true << "shortcut to x";
    QTest::newRow("background tab") << "http://www.vasaro.test/x" << false << "ennen";
    QTest::newRow("no link keeps a notice") << "" << true << "ennen";
}

void TestPipeline::statusText()
{
    QFETCH(QString, text);
    QFETCH(bool, active);
    QFETCH(QString, shown);
    m_shell.status = QStringLiteral("ennen");
    m_tab->active = active;
    m_pipeline->WBStatusTextChange(*m_tab, text);
    QCOMPARE(m_shell.status, shown);
}

void TestPipeline::hoveredLinkReachesStatusBar()
{
    QVERIFY(m_tab->load(url("/kohteet/lamppu/12345678")));
    const QVariantList at = m_tab->document().evaluate(QStringLiteral(
        "(function(){var r=document.getElementById('toinen').getBoundingClientRect();"
        "return [r.left + 3, r.top + 3];})()")).toList();
    QCOMPARE(at.size(), 2);
    QWidget *target = m_tab->view.focusProxy() ? m_tab->view.focusProxy() : &m_tab->view;
    QTest::mouseMove(target, QPoint(at.at(0).toInt(), at.at(1).toInt()));
    QTRY_COMPARE(m_shell.status, url("/kohteet/toinen/12345678"));
}

// Leaving a link clears the link it showed; a notice shown after it (a
// refused page, whose error page reports "no link") stays.
void TestPipeline::leavingLinkKeepsNotice()
{
    m_tab->active = true;
    const QString link = url("/kohteet/toinen/12345678");
    m_pipeline->WBStatusTextChange(*m_tab, link);
    QCOMPARE(m_shell.status, link);
    m_pipeline->WBStatusTextChange(*m_tab, QString());
    QCOMPARE(m_shell.status, QString());
    m_pipeline->WBStatusTextChange(*m_tab, link);
    m_shell.status = QStringLiteral("Sivua ei avattu.");
    m_pipeline->WBStatusTextChange(*m_tab, QString());
    QCOMPARE(m_shell.status, QStringLiteral("Sivua ei avattu."));
}

void TestPipeline::navigationBarFollowsScroll()
{
    QVERIFY(m_tab->load(url("/haku/sanat/x?kortit=30&mainokset=0")));
    Document &doc = m_tab->document();
    const Element bar = doc.getElementById(QStringLiteral("navigation"));
    m_pipeline->navigationBarTask(&doc);
    QCOMPARE(bar.style(QStringLiteral("display")), QString());
    doc.setScrollTop(200);
    QTRY_VERIFY(doc.scrollTop() > 0);
    m_pipeline->navigationBarTask(&doc);
    QCOMPARE(bar.style(QStringLiteral("display")), QStringLiteral("none"));
    QVERIFY(m_pipeline->navigationBarHidden());
    doc.setScrollTop(0);
    QTRY_COMPARE(doc.scrollTop(), 0);
    m_pipeline->navigationBarTask(&doc);
    QCOMPARE(bar.style(QStringLiteral("display")), QString());
    QVERIFY(!m_pipeline->navigationBarHidden());

    // With piilotapalkki off only listing pages are watched.
    m_settings.piilotapalkki = false;
    m_shell.address = url("/kohteet/a/12345678");
    doc.setScrollTop(200);
    QTRY_VERIFY(doc.scrollTop() > 0);
    m_pipeline->navigationBarTask(&doc);
    QCOMPARE(bar.style(QStringLiteral("display")), QString());
}

QTEST_MAIN(TestPipeline)
#include "tst_pipeline.moc"
