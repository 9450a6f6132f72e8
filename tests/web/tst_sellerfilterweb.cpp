// The seller filter in the real browser on fake-marketplace result pages:
// the hiding pass during early processing, all listings of a seller through
// the hidden browser, the selection and link commands.
#include "browser/policy/contextmenupolicy.h"
#include "browsertestkit.h"
#include "fakemarketplace.h"
#include "fakeshellhost.h"
#include "scriptedprompts.h"
#include "browser/features/browserfeatures.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/shellhost.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerwalk.h"
#include "client/http.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include <QtTest>
#include <memory>

namespace {
class FakeHost final : public FilterHost {
public:
    QStringList panel, notices;
    std::function<void()> onNotice;
    void naytapaneeli(const QString &text, int) override { panel << text; }
    void statusNotice(const QString &text, int) override
    {
        notices << text;
        if (onNotice)
            onNotice();
    }
    void Edit5Changed() override {}
};

class FakeWalkView final : public SellerWalkView {
public:
    QStringList labels;
    bool visible = false;
    std::function<void(const QString &)> onLabel;
    void showProgress() override { visible = true; }
    void hideProgress() override { visible = false; }
    void setLabel8(const QString &text) override
    {
        labels << text;
        if (onLabel)
            onLabel(text);
    }
    void setProgress(int, int) override {}
};
}

class TestSellerFilterWeb final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void sellerWalkCollectsEveryPage();
    void stopEndsTheWalkBeforeTheNextPage();
    void unknownSellerAddsNothing();
    void sellerWithoutListingsAddsNothing();
    void stopAlsoEndsTheListOfNames();
    void earlyPassHidesBeforeCompletion_data();
    void earlyPassHidesBeforeCompletion();
    void selectionCommandFiltersSelectedListings();
    void linkMenuFiltersOneListing();
    void listingsWithoutPictures();

private:
    QString url(const QString &path) const { return QStringLiteral("http://www.vasaro.test") + path; }
    void walk(const QString &name);
    // Ids of the visible and hidden grid entries of the tab's page.
    QStringList hiddenCards();

    FakeMarketplace m_market;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    FakeShellHost m_shell;
    FakeHost m_host;
    FakeWalkView m_view;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<Http> m_http;
    std::unique_ptr<QuickSearch> m_quick;
    std::unique_ptr<PagePipeline> m_pipeline;
    std::unique_ptr<TestTab> m_tab;
    std::unique_ptr<VasaroPage> m_hidden;   // WB_suodatin
    std::unique_ptr<SellerFilter> m_filter;
    std::unique_ptr<SellerWalk> m_walk;
    PipelineFeatures m_features;
};

void TestSellerFilterWeb::initTestCase()
{
    QVERIFY(m_market.start());
    const Endpoints endpoints = Endpoints::fromEnvironment();
    m_profile = std::make_unique<BrowserProfile>(&m_settings, endpoints);
    m_http = std::make_unique<Http>(endpoints);
    m_quick = std::make_unique<QuickSearch>(UrlScheme(endpoints), *m_http);
    m_tab = std::make_unique<TestTab>(m_profile.get(), &m_prompts);
    m_hidden = std::make_unique<VasaroPage>(m_profile.get(), &m_prompts, VasaroPage::Role::Auxiliary);
    m_clock = std::make_unique<ProgramClock>([] { return qint64(0); }, QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
}

void TestSellerFilterWeb::cleanupTestCase()
{
    m_walk.reset();
    m_filter.reset();
    m_tab.reset();
    m_hidden.reset();
    m_pipeline.reset();
    m_profile.reset();
}

void TestSellerFilterWeb::init()
{
    m_settings = Settings();
    m_settings.paivitysStored = m_settings.paivitysCurrent = QStringLiteral("x");
    m_prompts = ScriptedPrompts();
    m_host = FakeHost();
    m_view = FakeWalkView();
    const Endpoints endpoints = Endpoints::fromEnvironment();
    m_filter = std::make_unique<SellerFilter>(m_settings, *m_clock, m_prompts, m_host);
    m_walk = std::make_unique<SellerWalk>(*m_filter, *m_hidden, m_view, m_host,
                                          [this](const QString &name) { return m_quick->kayttajanId(name); },
                                          endpoints.webBase());
    m_pipeline = std::make_unique<PagePipeline>(&m_shell, &m_settings, endpoints, m_clock.get(),
                                                &m_profile->hostPolicy());
    m_features = PipelineFeatures();
    m_features.sellerFilter = m_filter.get();
    m_pipeline->features() = m_features;
    m_tab->state = TabState();
    m_tab->page->setPipeline(m_pipeline.get(), m_tab.get());
    m_profile->update_dloption(m_tab->page);
    m_market.clear();
}

void TestSellerFilterWeb::walk(const QString &name)
{
    m_prompts.inputs.enqueue(name);
    m_walk->MenuItem35Click(m_prompts);
}

QStringList TestSellerFilterWeb::hiddenCards()
{
    const QVariant ids = m_tab->document().evaluate(QStringLiteral(
        "Array.prototype.filter.call(document.querySelectorAll('div'), function (d) {"
        " return d.style.display === 'none'; }).map(function (d) { return d.id || d.className; })"));
    return ids.toStringList();
}

void TestSellerFilterWeb::sellerWalkCollectsEveryPage()
{
    walk(QStringLiteral("Testaaja"));
    QCOMPARE(m_prompts.asked, QStringList{"input: Anna käyttäjän tunnus?"});
    QCOMPARE(m_view.labels, (QStringList{"Testaaja sivu 1", "Testaaja sivu 2", "Testaaja sivu 3",
                                         "Testaaja sivu 4", "Järjestetään..", ""}));
    QVERIFY(!m_view.visible);
    QCOMPARE(m_host.panel, QStringList{"Lisätty suodattimeen!"});
    QCOMPARE(m_filter->list().size(), 45);
    QVERIFY(m_filter->list().entries().contains(QStringLiteral("myyja321-esine-3030,50:46024")));
    QVERIFY(m_filter->list().entries().contains(QStringLiteral("myyja321-esine-44:46024")));
    QVERIFY(!m_filter->unchanged());
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/sellernro/7654321/page/")).size(),
             4);
    QCOMPARE(m_hidden->LocationURL(), QStringLiteral("about:blank"));
}

void TestSellerFilterWeb::stopEndsTheWalkBeforeTheNextPage()
{
    m_view.onLabel = [this](const QString &text) {
        if (text == QLatin1String("Testaaja sivu 2"))
            m_walk->XiButton11Click();
    };
    walk(QStringLiteral("Testaaja"));
    QCOMPARE(m_filter->list().size(), 20);
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/sellernro/")).size(), 1);
    // The fetch still ends with the clean-up and its notice.
    QCOMPARE(m_host.panel, QStringList{"Lisätty suodattimeen!"});
    QVERIFY(!m_view.visible);
    // A new command starts afresh.
    m_view.onLabel = {};
    walk(QStringLiteral("Matti Myyjä"));
    QCOMPARE(m_filter->list().size(), 25);
}

void TestSellerFilterWeb::unknownSellerAddsNothing()
{
    walk(QStringLiteral("Ei Ketaan"));
    walk(QStringLiteral("ab"));
    QVERIFY(m_filter->list().isEmpty());
    QVERIFY(m_view.labels.contains(QStringLiteral("Järjestetään..")));
    // Nothing was added, and the notice says why (it once said "Lisätty
    // suodattimeen!").
    QCOMPARE(m_host.panel, QStringList(2, QStringLiteral("Käyttäjää ei löytynyt!")));
    QVERIFY(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/sellernro/")).isEmpty());
    // Of a list of names, one that added listings makes it an addition.
    m_host.panel.clear();
    QVERIFY(m_walk->XiButton12Click({QStringLiteral("Ei Ketaan"), QStringLiteral("Matti Myyjä")}, m_prompts));
    QCOMPARE(m_host.panel, QStringList{"Lisätty suodattimeen!"});
    QCOMPARE(m_filter->list().size(), 5);
}

void TestSellerFilterWeb::sellerWithoutListingsAddsNothing()
{
    m_market.setState(QStringLiteral("sellernro_23456789"), QStringLiteral("0"));
    walk(QStringLiteral("Matti Myyjä"));
    QVERIFY(m_filter->list().isEmpty());
    QCOMPARE(m_host.panel, QStringList{"Myyjällä ei ole kohteita."});
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/sellernro/23456789/page/1")).size(),
             1);
    m_market.setState(QStringLiteral("sellernro_23456789"), QString());
}

void TestSellerFilterWeb::stopAlsoEndsTheListOfNames()
{
    QVERIFY(!m_walk->XiButton12Click({}, m_prompts));
    QCOMPARE(m_prompts.asked, QStringList{"information: Lista on tyhjä!"});
    m_view.onLabel = [this](const QString &text) {
        if (text == QLatin1String("Testaaja sivu 2"))
            m_walk->XiButton11Click();
    };
    QVERIFY(m_walk->XiButton12Click({QStringLiteral("Testaaja"), QStringLiteral("Matti Myyjä")}, m_prompts));
    QCOMPARE(m_filter->list().size(), 20);
    // The second name was never looked up.
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku")).size(), 2);
    QCOMPARE(m_host.panel, QStringList{"Lisätty suodattimeen!"});
}

void TestSellerFilterWeb::earlyPassHidesBeforeCompletion_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("count");      // listings hidden, as the notice tells
    QTest::addColumn<int>("elements");   // card elements hidden
    QTest::newRow("one element per card") << "" << 13 << 13;
    // Each listing is two nested card elements: both are hidden, the notice
    // counts listings (it once said 26).
    QTest::newRow("nested card markup") << "&sisakkaiset=1" << 13 << 26;
    QTest::newRow("markup shadowing document methods") << "&varjo=1" << 13 << 13;
}

void TestSellerFilterWeb::earlyPassHidesBeforeCompletion()
{
    QFETCH(QString, query);
    QFETCH(int, count);
    QFETCH(int, elements);
    walk(QStringLiteral("Testaaja"));
    // One listing of another seller, through the link menu's path on a page.
    QVERIFY(m_tab->load(url("/haku/suodatintesti/tuoli?kortit=24&mainokset=0")));
    m_filter->Lissuodattimeen1Click(*m_tab, url("/kohteet/myyja4-esine-11/40000411"));
    m_host.notices.clear();
    QString readyState;
    m_host.onNotice = [&] { readyState = m_tab->document().evaluate(QStringLiteral("document.readyState")).toString(); };
    QVERIFY(m_tab->load(url("/haku/suodatintesti/tuoli?kortit=24&hidas=1500") + query));
    QCOMPARE(m_host.notices, QStringList{QStringLiteral("Suodatettu %1kpl").arg(count)});
    QVERIFY2(readyState != QLatin1String("complete"), qPrintable(readyState));
    const QStringList hidden = hiddenCards();
    QCOMPARE(hidden.size(), elements);
    QVERIFY(hidden.contains(QStringLiteral("kortti-40000411")));
    for (int k = 1; k <= 12; ++k)
        QVERIFY(hidden.contains(QStringLiteral("kortti-%1").arg(40032100 + k)));
}

void TestSellerFilterWeb::selectionCommandFiltersSelectedListings()
{
    QVERIFY(m_tab->load(url("/haku/suodatintesti/tuoli?kortit=6&mainokset=0")));
    // Cards 1 and 2 (listings 40000101 and 40032102), both links of each.
    m_tab->document().evaluate(QStringLiteral(
        "(function(){var r=document.createRange();r.setStartBefore(document.getElementById('kortti-40000101'));"
        "r.setEndAfter(document.getElementById('kortti-40032102'));var s=getSelection();s.removeAllRanges();"
        "s.addRange(r);})()"));
    m_filter->suodatakohde(*m_tab);
    QCOMPARE(m_filter->list().entries(), (QStringList{"myyja1-esine-11,00:46024", "myyja321-esine-2:46024"}));
    QCOMPARE(hiddenCards(), (QStringList{"kortti-40000101", "kortti-40032102"}));
    QCOMPARE(m_host.notices, QStringList{"Suodatettu 2kpl"});
}

void TestSellerFilterWeb::linkMenuFiltersOneListing()
{
    QVERIFY(m_tab->load(url("/haku/suodatintesti/tuoli?kortit=6&mainokset=0")));
    // The status text holds no address: the one remembered for the menu counts.
    m_filter->Lissuodattimeen1Click(
        *m_tab, ContextMenuPolicy::linkCommandAddress(QStringLiteral("Valmis"), url("/kohteet/myyja321-esine-3/40032103")));
    QCOMPARE(hiddenCards(), QStringList{"kortti-40032103"});
    QCOMPARE(m_filter->list().entries(), QStringList{"myyja321-esine-33,50:46024"});
    // Nothing under the mouse and nothing remembered: nothing is added.
    m_filter->Lissuodattimeen1Click(*m_tab, ContextMenuPolicy::linkCommandAddress(QString(), QString()));
    QCOMPARE(m_filter->list().size(), 1);
}

void TestSellerFilterWeb::listingsWithoutPictures()
{
    m_settings.PKK = true;
    QVERIFY(m_tab->load(url("/haku/suodatintesti/tuoli?kortit=24&mainokset=0")));
    waitMs(50);
    // Listings 4 and 9 of seller 321, 9 of seller 1002 and 19 of seller 1005
    // lack a picture.
    QCOMPARE(hiddenCards(),
             (QStringList{"kortti-40032104", "kortti-40000209", "kortti-40032109", "kortti-40000519"}));
    QVERIFY(m_filter->list().isEmpty());
}

QTEST_MAIN(TestSellerFilterWeb)
#include "tst_sellerfilterweb.moc"
