// The Document seam over the real Qt WebEngine, reading fake-marketplace pages
// loaded through the proxy.
#include "browsertestkit.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include <QtTest>
#include <memory>

class TestDocument final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void readsPageThroughProxy();
    void collectionSnapshotCarriesRequestedFields();
    void elementReadsAndWrites();
    void formControls();
    void elementAtPoint();
    void textRangeHighlightsEveryOccurrence();
    void selectionHtml();
    void scriptsInBothWorlds();
    void writeAndCloseReplaceTheDocument();
    void staleElementsOfAReplacedDocumentAreInert();
    void styleWritesArriveInOrder();
    void scrollTop();
    void userAgentCarriesProgramVersion();
    void waitHonoursLimit();
    void noDocumentBeforeFirstPage();

private:
    QString url(const QString &path) const { return QStringLiteral("http://www.vasaro.test") + path; }

    FakeMarketplace m_market;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TestTab> m_tab;
};

void TestDocument::initTestCase()
{
    QVERIFY(m_market.start());
    m_profile = std::make_unique<BrowserProfile>(&m_settings, Endpoints::fromEnvironment());
    m_tab = std::make_unique<TestTab>(m_profile.get(), &m_prompts);
}

void TestDocument::cleanupTestCase()
{
    m_tab.reset();
    m_profile.reset();
}

void TestDocument::readsPageThroughProxy()
{
    m_market.clear();
    QVERIFY(m_tab->load(url("/haku/sanat/lamppu?kortit=5&mainokset=0")));
    Document &doc = m_tab->document();
    QVERIFY(doc.isHtml());
    QCOMPARE(doc.title(), QStringLiteral("Hakutulokset"));
    QCOMPARE(doc.getElementById(QStringLiteral("kortti3")).tagName(), QStringLiteral("DIV"));
    QVERIFY(doc.getElementById(QStringLiteral("kortti3")).innerText().contains(QStringLiteral("Kohde 3")));
    QVERIFY(doc.getElementById(QStringLiteral("eiole")).isNull());
    // The page came from the fake marketplace, reached as a proxy.
    QCOMPARE(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/sanat/lamppu")).size(), 1);
}

void TestDocument::collectionSnapshotCarriesRequestedFields()
{
    QVERIFY(m_tab->load(url("/haku?kortit=6&mainokset=0")));
    Document &doc = m_tab->document();
    const QList<Element> links = doc.getElementsByTagName(QStringLiteral("a"), Document::Href | Document::OuterHtml
                                                                                    | Document::ClassName);
    QCOMPARE(links.size(), 18);   // picture, title and seller link of each card
    QCOMPARE(links.at(0).data().href, url("/kohteet/kohde-0/30000000"));
    QCOMPARE(links.at(0).data().className, QStringLiteral("kuva"));
    QVERIFY(links.at(1).data().outerHTML.startsWith(QStringLiteral("<a class=\"otsikko\"")));
    QVERIFY(links.at(0).data().innerText.isEmpty());   // not asked for

    const QList<Element> cards = doc.getElementsByTagName(QStringLiteral("div"), Document::Id);
    int cardCount = 0;
    for (const Element &e : cards)
        cardCount += e.data().id.startsWith(QStringLiteral("kortti"));
    QCOMPARE(cardCount, 6);
    QVERIFY(doc.all().size() > 18 + 6);
    QCOMPARE(doc.getElementsByName(QStringLiteral("eiole")).size(), 0);

    // One call hides many elements.
    QList<Element> hide;
    for (const Element &e : cards)
        if (e.data().id == QLatin1String("kortti1") || e.data().id == QLatin1String("kortti4"))
            hide << e;
    doc.setStyleAll(hide, QStringLiteral("display"), QStringLiteral("none"));
    QCOMPARE(doc.getElementById(QStringLiteral("kortti4")).style(QStringLiteral("display")), QStringLiteral("none"));
    QCOMPARE(doc.getElementById(QStringLiteral("kortti2")).style(QStringLiteral("display")), QString());
}

void TestDocument::elementReadsAndWrites()
{
    QVERIFY(m_tab->load(url("/kohteet/lamppu/12345678")));
    Document &doc = m_tab->document();
    const Element title = doc.getElementById(QStringLiteral("otsikko"));
    QCOMPARE(title.innerHTML(), QStringLiteral("Kohde 12345678"));
    QCOMPARE(title.outerHTML(), QStringLiteral("<h1 id=\"otsikko\">Kohde 12345678</h1>"));
    title.setInnerHTML(QStringLiteral("Uusi <i>otsikko</i>"));
    QCOMPARE(title.innerText(), QStringLiteral("Uusi otsikko"));
    title.setAttribute(QStringLiteral("data-x"), QStringLiteral("ä\"1"));
    QCOMPARE(title.getAttribute(QStringLiteral("data-x")), QStringLiteral("ä\"1"));
    QCOMPARE(title.getAttribute(QStringLiteral("puuttuu")), QString());
    title.setStyle(QStringLiteral("visibility"), QStringLiteral("hidden"));
    QCOMPARE(title.style(QStringLiteral("visibility")), QStringLiteral("hidden"));

    QCOMPARE(title.parentElement().tagName(), QStringLiteral("BODY"));
    const Element seller = title.nextElementSibling();
    QCOMPARE(seller.getAttribute(QStringLiteral("class")), QStringLiteral("myyja"));
    const Element link = doc.getElementById(QStringLiteral("toinen"));
    QCOMPARE(link.href(), url("/kohteet/toinen/12345678"));   // absolute, as the browser resolves it

    seller.setOuterHTML(QStringLiteral("<p id='korvattu'>x</p>"));
    QCOMPARE(doc.getElementById(QStringLiteral("korvattu")).innerText(), QStringLiteral("x"));
    QCOMPARE(doc.body().getAttribute(QStringLiteral("id")), QString());
    QCOMPARE(doc.documentElement().tagName(), QStringLiteral("HTML"));
}

void TestDocument::formControls()
{
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    Document &doc = m_tab->document();
    QVERIFY(doc.execScript(QStringLiteral(
        "document.body.insertAdjacentHTML('beforeend', \"<select id='s'><option>a<option>b<option>c</select>"
        "<input type='checkbox' id='c'><input id='t' value='alku'>\")")));
    const Element select = doc.getElementById(QStringLiteral("s"));
    QCOMPARE(select.selectedIndex(), 0);
    select.setSelectedIndex(2);
    QCOMPARE(select.value(), QStringLiteral("c"));
    const Element box = doc.getElementById(QStringLiteral("c"));
    QVERIFY(!box.checked());
    box.setChecked(true);
    QVERIFY(box.checked());
    const Element text = doc.getElementById(QStringLiteral("t"));
    QCOMPARE(text.value(), QStringLiteral("alku"));
    text.setValue(QStringLiteral("loppu"));
    QCOMPARE(doc.getElementsByTagName(QStringLiteral("input"), Document::Value).last().data().value,
             QStringLiteral("loppu"));
    text.focus();
    QCOMPARE(doc.evaluate(QStringLiteral("document.activeElement.id")).toString(), QStringLiteral("t"));
    QCOMPARE(doc.getElementById(QStringLiteral("varoitus")).selectedIndex(), -1);

    // A click runs the page's own handler (in the page's script world).
    doc.getElementById(QStringLiteral("kysymys")).click();
    QVERIFY(m_prompts.asked.contains(QStringLiteral("confirm: Haluatko jatkaa?")));
    QCOMPARE(doc.getElementById(QStringLiteral("tulos")).innerText(), QStringLiteral("true"));
}

void TestDocument::elementAtPoint()
{
    QVERIFY(m_tab->load(url("/omasivu/myynnit")));
    Document &doc = m_tab->document();
    const QVariantList rect = doc.evaluate(QStringLiteral(
        "(function(){var r=document.getElementById('linkki92222222').getBoundingClientRect();"
        "return [r.left + 3, r.top + 3];})()")).toList();
    QCOMPARE(rect.size(), 2);
    const Element hit = doc.elementFromPoint(rect.at(0).toInt(), rect.at(1).toInt(), Document::Href);
    QCOMPARE(hit.tagName(), QStringLiteral("A"));
    QCOMPARE(hit.data().href, url("/kohteet/kohde/92222222"));
    QVERIFY(hit.parentElement().outerHTML().contains(QStringLiteral(">Myyty<")));
    QVERIFY(doc.elementFromPoint(-10, -10).isNull());
}

void TestDocument::textRangeHighlightsEveryOccurrence()
{
    QVERIFY(m_tab->load(url("/testit/divit?n=4")));
    Document &doc = m_tab->document();
    const TextRange range = doc.bodyTextRange();
    QVERIFY(!range.isNull());
    int found = 0;
    while (doc.findText(range, QStringLiteral("RIVI")) && found < 10) {   // case-insensitive
        const QString html = doc.htmlText(range);
        QCOMPARE(html, QStringLiteral("Rivi"));
        doc.pasteHTML(range, QStringLiteral("<span style=\"background-color: Lime; font-weight: bolder;\">") + html
                                 + QStringLiteral("</span>"));
        doc.scrollIntoView(range, true);
        ++found;
    }
    QCOMPARE(found, 4);
    QCOMPARE(doc.getElementsByTagName(QStringLiteral("span")).size(), 4);
    // A match across element boundaries: "Rivi 2 tekstiä" spans the <b>.
    const TextRange again = doc.bodyTextRange();
    QVERIFY(doc.findText(again, QStringLiteral("2 tekst")));
    QCOMPARE(doc.htmlText(again), QStringLiteral("<b>2</b> tekst"));
    QVERIFY(!doc.findText(doc.bodyTextRange(), QStringLiteral("ei löydy")));
}

void TestDocument::selectionHtml()
{
    QVERIFY(m_tab->load(url("/haku?kortit=3&mainokset=0")));
    Document &doc = m_tab->document();
    QCOMPARE(doc.selectionHtml(), QString());
    doc.evaluate(QStringLiteral(
        "(function(){var r=document.createRange();r.selectNodeContents(document.getElementById('tulokset'));"
        "var s=getSelection();s.removeAllRanges();s.addRange(r);})()"));
    const QString html = doc.selectionHtml();
    QVERIFY(html.contains(QStringLiteral("/kohteet/kohde-0/30000000")));
    QVERIFY(html.contains(QStringLiteral("/kohteet/kohde-2/30000002")));
}

void TestDocument::scriptsInBothWorlds()
{
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    Document &doc = m_tab->document();
    QVERIFY(doc.execScript(QStringLiteral("window.sivunMuuttuja = 42; // kommentti")));
    QVERIFY(!doc.execScript(QStringLiteral("eiOlemassa.kutsu();")));
    QVERIFY(!doc.execScript(QStringLiteral("syntaksi virhe (")));
    // The page's objects are visible to execScript, not to isolated reads.
    QVERIFY(doc.execScript(QStringLiteral("if (window.sivunMuuttuja !== 42) throw 1;")));
    QCOMPARE(doc.evaluate(QStringLiteral("typeof window.sivunMuuttuja")).toString(), QStringLiteral("undefined"));
    QVERIFY(!doc.evaluate(QStringLiteral("throw new Error('x')")).isValid());

    // With scripts switched off the isolated reads still work.
    m_settings.skripti = false;
    m_profile->update_dloption(m_tab->page);
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    QVERIFY(!doc.execScript(QStringLiteral("1")));
    QCOMPARE(doc.getElementById(QStringLiteral("otsikko")).innerText(), QStringLiteral("Dialogit"));
    m_settings.skripti = true;
    m_profile->update_dloption(m_tab->page);
}

void TestDocument::writeAndCloseReplaceTheDocument()
{
    QVERIFY(m_tab->load(url("/testit/dialogit")));
    m_tab->page->WBLoadHTML(QStringLiteral("<html><body><p id='esikatselu'>Esikatselu ä</p></body></html>"));
    Document &doc = m_tab->document();
    QCOMPARE(doc.getElementById(QStringLiteral("esikatselu")).innerText(), QStringLiteral("Esikatselu ä"));
    QVERIFY(doc.getElementById(QStringLiteral("otsikko")).isNull());
    QCOMPARE(m_tab->page->LocationURL(), QStringLiteral("about:blank"));
}

void TestDocument::staleElementsOfAReplacedDocumentAreInert()
{
    QVERIFY(m_tab->load(url("/testit/divit?n=5")));
    Document &doc = m_tab->document();
    const Element old = doc.getElementById(QStringLiteral("d1"));
    QCOMPARE(old.innerText(), QStringLiteral("Rivi 1 tekstiä"));
    QVERIFY(m_tab->load(url("/testit/divit?n=5")));
    QCOMPARE(doc.getElementsByTagName(QStringLiteral("div")).size(), 5);
    QCOMPARE(old.innerText(), QString());
    old.setInnerHTML(QStringLiteral("ei saa näkyä"));
    QCOMPARE(doc.body(Document::InnerText).data().innerText.contains(QStringLiteral("ei saa")), false);
}

// Style writes are sent without waiting for their answer: every later call
// still sees them, in the order they were made, and a write to an element of
// the previous document stays inert on a new one.
void TestDocument::styleWritesArriveInOrder()
{
    QVERIFY(m_tab->load(url("/testit/divit?n=5")));
    Document &doc = m_tab->document();
    const Element old = doc.getElementById(QStringLiteral("d1"));
    QVERIFY(!old.isNull());
    QVERIFY(m_tab->load(url("/testit/divit?n=5")));
    old.setStyle(QStringLiteral("display"), QStringLiteral("none"));   // the new document's first call
    const QList<Element> divs = doc.getElementsByTagName(QStringLiteral("div"));
    QCOMPARE(divs.size(), 5);
    QCOMPARE(divs.first().style(QStringLiteral("display")), QString());
    for (const char *value : {"none", "block", "inline", "none"})
        divs.first().setStyle(QStringLiteral("display"), QLatin1String(value));
    doc.setStyleAll(divs.mid(1), QStringLiteral("visibility"), QStringLiteral("hidden"));
    doc.setStyleAll(divs.mid(3), QStringLiteral("visibility"), QStringLiteral("visible"));
    QCOMPARE(divs.first().style(QStringLiteral("display")), QStringLiteral("none"));
    const QStringList expected{QString(), QStringLiteral("hidden"), QStringLiteral("hidden"), QStringLiteral("visible"),
                               QStringLiteral("visible")};
    for (int i = 0; i < divs.size(); ++i)
        QCOMPARE(divs.at(i).style(QStringLiteral("visibility")), expected.at(i));
}

void TestDocument::scrollTop()
{
    QVERIFY(m_tab->load(url("/haku?kortit=40&mainokset=0")));
    Document &doc = m_tab->document();
    QCOMPARE(doc.scrollTop(), 0);
    doc.setScrollTop(300);
    QTRY_COMPARE(doc.scrollTop(), 300);
    doc.setScrollTop(0);
}

void TestDocument::userAgentCarriesProgramVersion()
{
    const QString agent = m_profile->userAgent();
    QVERIFY2(agent.contains(QStringLiteral("; VSselain4.05)")), qPrintable(agent));
    QCOMPARE(agent.count(QStringLiteral("VSselain")), 1);
    QCOMPARE(BrowserProfile::agentWithVersion(QStringLiteral("Moz (X11; Linux) Tail (y)")),
             QStringLiteral("Moz (X11; Linux; VSselain4.05) Tail (y)"));
    QCOMPARE(BrowserProfile::agentWithVersion(QStringLiteral("ilman sulkuja")), QStringLiteral("ilman sulkuja"));

    m_market.clear();
    QVERIFY(m_tab->load(url("/testit/divit?n=1")));
    QCOMPARE(m_tab->document().evaluate(QStringLiteral("navigator.userAgent")).toString(), agent);
    const auto got = m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/testit/divit"));
    QCOMPARE(got.size(), 1);
    QCOMPARE(got.first().value(QStringLiteral("headers")).toObject().value(QStringLiteral("User-Agent")).toString(),
             agent);
}

void TestDocument::waitHonoursLimit()
{
    m_tab->page->Navigate(QUrl(url("/testi/hidas?ms=1500")));
    QVERIFY(m_tab->page->Busy());
    QVERIFY(!m_tab->page->browser_wait(200));
    QVERIFY(m_tab->page->browser_wait2(10000));
    QCOMPARE(m_tab->page->ReadyState(), 4);
    QCOMPARE(m_tab->page->LocationName(), QStringLiteral("Hidas"));
}

void TestDocument::noDocumentBeforeFirstPage()
{
    ScriptedPrompts prompts;
    TestTab fresh(m_profile.get(), &prompts, 1);
    QVERIFY(!fresh.document().isHtml());
    QVERIFY(fresh.document().body().isNull());
    QVERIFY(fresh.document().getElementsByTagName(QStringLiteral("div")).isEmpty());
    QVERIFY(!fresh.page->browser_wait(100));
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
