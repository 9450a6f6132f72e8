#include "client/httpapi.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include "core/prompts.h"
#include "fakehttp.h"
#include "scriptedprompts.h"
#include <QtTest>
#include <optional>

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
const QString kSellerSearch = QStringLiteral(
    "areabase=&price_min=&price_max=&seller_type=C&bidder=&wordsfrom=&status=N&addtime=0"
    "&closingtime=0&words=&seller=");

Endpoints testEndpoints()
{
    Endpoints e;
    e.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    e.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    e.set(QStringLiteral("api_base"), QStringLiteral("http://api.vasaro.test/1.1/"));
    return e;
}

const QString kItemQuestion = QStringLiteral("input: Kohdenumerolla haku|Anna kohteen numero?");
const QString kUserQuestion = QStringLiteral("input: Käyttäjähaku|Anna käyttäjän tunnus?");
const QString kNotFound = QStringLiteral("information: Käyttäjää ei löytynyt!");
const QString kFoundPage = QStringLiteral("<a href=\"/haku/sellernro/23456789\">Myyjän kohteet</a>");

} // namespace

class TestUrlScheme : public QObject {
    Q_OBJECT
private slots:
    void builtInBaseAddresses()
    {
        const UrlScheme urls{Endpoints()};
        QVERIFY(urls.webBase().startsWith(QStringLiteral("https://www.")));
        QVERIFY(urls.webBase().endsWith(u'/'));
        QVERIFY(urls.webBase().contains(urls.domain()));
        QVERIFY(!urls.domain().startsWith(QStringLiteral("www.")));
        QVERIFY(urls.apiBase().startsWith(QStringLiteral("https://")));
        QVERIFY(urls.apiBase().endsWith(QStringLiteral("/1.1/")));
        QCOMPARE(UrlScheme::marketplaceWord(), QStringLiteral("vasaro"));
    }

    void builders()
    {
        const UrlScheme urls(testEndpoints());
        QCOMPARE(urls.kohde(QStringLiteral("12345678")), QStringLiteral("http://www.vasaro.test/kohteet/12345678"));
        QCOMPARE(urls.kayttaja(QStringLiteral("7654321")), QStringLiteral("http://www.vasaro.test/kayttaja/7654321"));
        QCOMPARE(urls.hakulomake(), QStringLiteral("http://www.vasaro.test/haku"));
        QCOMPARE(urls.myyjanKohteet(QStringLiteral("7654321")),
                 QStringLiteral("http://www.vasaro.test/haku/sellernro/7654321"));
        QCOMPARE(urls.myyjanKohteetSivu(QStringLiteral("7654321"), 3),
                 QStringLiteral("http://www.vasaro.test/haku/sellernro/7654321/page/3"));
        QCOMPARE(urls.haku(QStringLiteral("words/tuoli/")), QStringLiteral("http://www.vasaro.test/haku/words/tuoli/"));
        QCOMPARE(urls.muistilista(), QStringLiteral("http://www.vasaro.test/omasivu/muistilista"));
        QCOMPARE(urls.omasivu(), QStringLiteral("http://www.vasaro.test/omasivu"));
        QCOMPARE(urls.muistilistaanLisays(QStringLiteral("12345678")),
                 QStringLiteral("http://www.vasaro.test/omasivu/muistilista/add-ajax/item/12345678"));
        QCOMPARE(urls.api(QStringLiteral("authentication/")), QStringLiteral("http://api.vasaro.test/1.1/authentication/"));
        // From a base address alone, as the features given only one build them.
        const QString web = urls.webBase();
        const QString api = urls.apiBase();
        QCOMPARE(UrlScheme::kohde(web, QStringLiteral("1")), urls.kohde(QStringLiteral("1")));
        QCOMPARE(UrlScheme::myyjanKohteetSivu(web, QStringLiteral("7"), 2), urls.myyjanKohteetSivu(QStringLiteral("7"), 2));
        QCOMPARE(UrlScheme::relistForm(web, QStringLiteral("12345678")),
                 QStringLiteral("http://www.vasaro.test/uusi-ilmoitus/12345678/republish"));
        QCOMPARE(UrlScheme::apiItem(api, QStringLiteral("12345678")), QStringLiteral("http://api.vasaro.test/1.1/items/12345678"));
        QCOMPARE(UrlScheme::apiItemPurchases(api, QStringLiteral("12345678")),
                 QStringLiteral("http://api.vasaro.test/1.1/items/12345678/purchases"));
        QCOMPARE(UrlScheme::apiLatestBid(api, QStringLiteral("12345678")),
                 QStringLiteral("http://api.vasaro.test/1.1/items/12345678/bids?&num=1"));
        QCOMPARE(UrlScheme::apiUser(api, QStringLiteral("7654321")), QStringLiteral("http://api.vasaro.test/1.1/users/7654321"));
    }

    void classifiers_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QStringList>("expected");
        const auto l = [](const char *names) { return QString::fromLatin1(names).split(u' ', Qt::SkipEmptyParts); };
        QTest::newRow("item page") << "http://www.vasaro.test/kohteet/tuoli/12345678" << l("market word item");
        QTest::newRow("capitals") << "HTTP://WWW.VASARO.TEST/KOHTEET/12345678" << l("market word item");
        QTest::newRow("other marketplace host") << "https://kuvat.vasaro.fi/x.jpg" << l("word");
        QTest::newRow("search result") << "http://www.vasaro.test/haku/words/tuoli/"
                                       << l("market word search listing");
        QTest::newRow("readable search result")
            << "http://www.vasaro.test/hakutulos/words/tuoli" << l("market word search readable listing");
        QTest::newRow("advanced search")
            << "http://www.vasaro.test/haku/advanced/" << l("market word search advanced listing");
        QTest::newRow("category page") << "http://www.vasaro.test/osasto/123/kalusteet" << l("market word category");
        QTest::newRow("category listing")
            << "http://www.vasaro.test/osasto/koti/123/" << l("market word category listing");
        QTest::newRow("category listing, page 2")
            << "http://www.vasaro.test/OSASTO/koti/123/sivu/2" << l("market word category listing");
        QTest::newRow("category without the last slash")
            << "http://www.vasaro.test/osasto/koti/123" << l("market word category");
        QTest::newRow("category root") << "http://www.vasaro.test/osasto/" << l("market word category");
        QTest::newRow("new listing") << "http://www.vasaro.test/omasivu/uusi-ilmoitus"
                                     << l("market word own newlisting formshown");
        QTest::newRow("new listing's preview") << "http://www.vasaro.test/omasivu/uusi-ilmoitus/esikatsele/5"
                                               << l("market word own newlisting preview");
        QTest::newRow("re-list form") << "http://www.vasaro.test/omasivu/uusi-ilmoitus/uudelleen/1345"
                                      << l("market word own newlisting formshown relist");
        QTest::newRow("re-list step 12") << "http://www.vasaro.test/omasivu/uusi-ilmoitus/uudelleen/12345"
                                         << l("market word own newlisting formshown relist relist12");
        QTest::newRow("re-list word without the form") << "http://www.vasaro.test/uudelleen/1" << l("market word");
        QTest::newRow("own sales") << "http://www.vasaro.test/omasivu/myynnit" << l("market word own ownsales");
        QTest::newRow("edit listing") << "http://www.vasaro.test/omasivu/muokkaa-ilmoitusta/12345678"
                                      << l("market word own editlisting");
        QTest::newRow("preview") << "http://www.vasaro.test/esikatsele/12345678" << l("market word preview");
        QTest::newRow("watch list") << "http://www.vasaro.test/omasivu/muistilista" << l("market word own watch");
        QTest::newRow("login") << "http://www.vasaro.test/kirjaudu" << l("market word login");
        QTest::newRow("logout") << "http://www.vasaro.test/kirjaudu-ulos" << l("market word login logout");
        QTest::newRow("forum thread") << "http://www.vasaro.test/keskustelu/aihe/show/55" << l("market word forum");
        QTest::newRow("forum without show") << "http://www.vasaro.test/keskustelu/aihe" << l("market word");
        QTest::newRow("foreign site") << "https://example.org/haku?q=vasara" << l("search listing");
    }
    void classifiers()
    {
        QFETCH(QString, url);
        QFETCH(QStringList, expected);
        const UrlScheme urls(testEndpoints());
        const QList<QPair<const char *, bool>> all = {
            {"market", urls.isMarketplace(url)},
            {"word", UrlScheme::mentionsMarketplace(url)},
            {"item", UrlScheme::isItemPage(url)},
            {"search", UrlScheme::isSearchResult(url)},
            {"readable", UrlScheme::isReadableSearchResult(url)},
            {"advanced", UrlScheme::isAdvancedSearch(url)},
            {"category", UrlScheme::isCategoryPage(url)},
            {"listing", UrlScheme::isListingPage(url)},
            {"formshown", UrlScheme::isNewListingFormShown(url)},
            {"relist", UrlScheme::isRelistForm(url)},
            {"relist12", UrlScheme::isRelistStep12(url)},
            {"ownsales", UrlScheme::isOwnSales(url)},
            {"newlisting", UrlScheme::isNewListingForm(url)},
            {"editlisting", UrlScheme::isEditListingForm(url)},
            {"preview", UrlScheme::isPreviewPage(url)},
            {"watch", UrlScheme::isWatchList(url)},
            {"own", UrlScheme::isOwnPage(url)},
            {"login", UrlScheme::isLogin(url)},
            {"logout", UrlScheme::isLogout(url)},
            {"forum", UrlScheme::isForumThread(url)},
        };
        QStringList got;
        for (const auto &c : all) {
            if (c.second)
                got << QString::fromLatin1(c.first);
        }
        std::sort(got.begin(), got.end());
        std::sort(expected.begin(), expected.end());
        QCOMPARE(got, expected);
    }

    void fromItemWord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shortcut text") << "Shortcut to /Kohteet/Lamppu/12345678." << "Kohteet/Lamppu/12345678.";
        QTest::newRow("full address") << "http://www.vasaro.test/kohteet/1" << "kohteet/1";
        QTest::newRow("first item word wins") << "a/xkohteet/b/kohteet/1" << "kohteet/b/kohteet/1";
        QTest::newRow("word without its slash") << "kohteet/12345678" << "";
        QTest::newRow("no item") << "http://www.vasaro.test/haku" << "";
    }
    void fromItemWord()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(UrlScheme::fromItemWord(text), expected);
    }

    void legacyQuickSearchLinks_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("command");
        QTest::newRow("item search") << "http://www.vasaro.fi/kohdenumerollahaku.php3" << "kohdehaku";
        QTest::newRow("user search, capitals") << "http://WWW.VASARO.FI/KayttajaHaku.php3?x=1" << "kayttajahaku";
        QTest::newRow("other php page") << "http://www.vasaro.fi/haku.php3" << "";
        QTest::newRow("modern item page") << "http://www.vasaro.fi/kohteet/12345678" << "";
        QTest::newRow("another site's link") << "http://evil.test/kayttajahaku.php3" << "";
        QTest::newRow("the marketplace named in another site's path")
            << "http://evil.test/www.vasaro.fi/kohdenumerollahaku.php3" << "";
    }
    void legacyQuickSearchLinks()
    {
        QFETCH(QString, url);
        QFETCH(QString, command);
        // Only links to the marketplace open the program's dialogs.
        QCOMPARE(UrlScheme::legacyQuickSearchCommand(QUrl(url), QStringLiteral("vasaro.fi")), command);
    }

    void marketplaceHostAndSignIn_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("marketplaceHost");
        QTest::addColumn<bool>("signIn");
        QTest::newRow("sign-in form target") << "https://www.vasaro.fi/kirjaudu" << true << true;
        QTest::newRow("the domain itself, http") << "http://vasaro.fi/kirjaudu?x=1" << true << true;
        QTest::newRow("capitals") << "HTTPS://WWW.VASARO.FI/Kirjaudu/" << true << true;
        QTest::newRow("deeper subdomain") << "https://kirjautuminen.www.vasaro.fi/kirjaudu" << true << true;
        QTest::newRow("other marketplace page") << "https://www.vasaro.fi/kohteet/12345678" << true << false;
        QTest::newRow("sign-in word only in the query") << "https://www.vasaro.fi/haku?q=/kirjaudu" << true << false;
        QTest::newRow("another host, path naming the marketplace")
            << "http://evil.test/kirjaudu/vasaro-post" << false << false;
        QTest::newRow("another host beginning with the domain")
            << "https://www.vasaro.fi.evil.test/kirjaudu" << false << false;
        QTest::newRow("another host ending like the domain") << "https://notvasaro.fi/kirjaudu" << false << false;
        QTest::newRow("domain as user name") << "https://vasaro.fi@evil.test/kirjaudu" << false << false;
        QTest::newRow("not http") << "ftp://www.vasaro.fi/kirjaudu" << false << false;
        QTest::newRow("file") << "file:///www.vasaro.fi/kirjaudu" << false << false;
    }
    void marketplaceHostAndSignIn()
    {
        QFETCH(QString, url);
        QFETCH(bool, marketplaceHost);
        QFETCH(bool, signIn);
        const QString domain = QStringLiteral("vasaro.fi");
        QCOMPARE(UrlScheme::isMarketplaceHost(QUrl(url), domain), marketplaceHost);
        QCOMPARE(UrlScheme::isSignInTarget(QUrl(url), domain), signIn);
        QVERIFY(!UrlScheme::isMarketplaceHost(QUrl(url), QString()));
    }

    void palauta_tunnus_data()
    {
        using Links = QList<UrlScheme::Link>;
        QTest::addColumn<Links>("links");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first profile link wins")
            << Links{{"<a href=\"/haku/words/x\">Haku</a>", "Haku"},
                     {"<a href=\"/kayttaja/7654321\"> Testaaja</a>", " Testaaja"},
                     {"<a href=\"/kayttaja/1\">Toinen</a>", "Toinen"}}
            << "Testaaja";
        QTest::newRow("marker found without regard to case")
            << Links{{"<A HREF=\"/KAYTTAJA/1\">Matti</A>", "Matti"}} << "Matti";
        QTest::newRow("only one leading space removed")
            << Links{{"<a href=\"/kayttaja/1\">  Matti</a>", "  Matti"}} << " Matti";
        QTest::newRow("trailing space kept") << Links{{"<a href=\"/kayttaja/1\">Matti </a>", "Matti "}} << "Matti ";
        QTest::newRow("no profile link") << Links{{"<a href=\"/kohteet/1\">x</a>", "x"}} << "";
        QTest::newRow("no document") << Links{} << "";
    }
    void palauta_tunnus()
    {
        QFETCH(QList<UrlScheme::Link>, links);
        QFETCH(QString, expected);
        QCOMPARE(UrlScheme::palauta_tunnus(links), expected);
    }

    void tunnuksestaid_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("expected");
        QTest::newRow("seven digits") << "<a href=\"/haku/sellernro/7654321\">" << "7654321";
        QTest::newRow("nine digits: the first eight")
            << "<a href=\"/haku/sellernro/123456789\">" << "12345678";
        QTest::newRow("12ab gives 12") << "x/haku/sellernro/12ab" << "12";
        QTest::newRow("first marker wins")
            << "/haku/sellernro/111/x/haku/sellernro/222" << "111";
        QTest::newRow("marker at the very end") << "...x/haku/sellernro/" << "";
        QTest::newRow("no digits after the marker") << "/haku/sellernro/abc" << "";
        QTest::newRow("marker is case-sensitive") << "/HAKU/SELLERNRO/123" << "";
        QTest::newRow("page without seller links") << "<p>Ei hakutuloksia.</p>" << "";
        QTest::newRow("failed request") << "" << "";
        QTest::newRow("error page still read")
            << "<h1>500</h1><a href='/haku/sellernro/42'>" << "42";
    }
    void tunnuksestaid()
    {
        QFETCH(QString, answer);
        QFETCH(QString, expected);
        FakeHttp http;
        http.answerAll(answer);
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        QCOMPARE(search.tunnuksestaid(QStringLiteral("testaaja")), expected);
    }

    void tunnuksestaidPostsTheSellerSearch()
    {
        FakeHttp http;
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        search.tunnuksestaid(QStringLiteral("M%c3%a4tti+M"));
        QCOMPARE(http.calls.size(), 1);
        const FakeHttp::Call &call = http.calls.first();
        QCOMPARE(call.object, HttpApi::Lookup);
        QCOMPARE(call.url, QStringLiteral("http://www.vasaro.test/haku"));
        QCOMPARE(call.body, (kSellerSearch + QStringLiteral("M%c3%a4tti+M")).toLatin1());
        QCOMPARE(call.timeoutMs, 20000);
        QCOMPARE(call.names, QStringList{QStringLiteral("Content-Type")});
        QCOMPARE(call.values, QStringList{QStringLiteral("application/x-www-form-urlencoded")});
    }

    void kayttajanIdEncodesTheName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sent");
        QTest::newRow("Finnish letters and blank") << "Matti Myyjä" << "Matti+Myyj%c3%a4";
        QTest::newRow("form delimiters cannot add fields") << "a&status=X" << "a%26status%3dX";
        QTest::newRow("empty") << "" << "";
    }
    void kayttajanIdEncodesTheName()
    {
        QFETCH(QString, name);
        QFETCH(QString, sent);
        FakeHttp http;
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        search.kayttajanId(name);
        QCOMPARE(http.calls.size(), 1);
        QCOMPARE(http.calls.first().body, (kSellerSearch + sent).toLatin1());
    }

    void quickItemSearch_data()
    {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QString>("address");
        QTest::newRow("number") << std::optional<QString>(QStringLiteral("12345678"))
                                << "http://www.vasaro.test/kohteet/12345678";
        QTest::newRow("sent as typed, spaces included")
            << std::optional<QString>(QStringLiteral(" 1234 5678")) << "http://www.vasaro.test/kohteet/ 1234 5678";
        QTest::newRow("not checked") << std::optional<QString>(QStringLiteral("abc"))
                                     << "http://www.vasaro.test/kohteet/abc";
        QTest::newRow("empty") << std::optional<QString>(QString()) << "";
        QTest::newRow("cancelled") << std::optional<QString>() << "";
    }
    void quickItemSearch()
    {
        QFETCH(std::optional<QString>, typed);
        QFETCH(QString, address);
        FakeHttp http;
        ScriptedPrompts prompts;
        prompts.withCaptions = true;
        prompts.inputs << typed;
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        QCOMPARE(search.KohdenumerollahakuClick(prompts), address);
        QCOMPARE(prompts.asked, QStringList{kItemQuestion});
        QVERIFY(http.calls.isEmpty());
    }

    void quickUserSearch_data()
    {
        QTest::addColumn<std::optional<QString>>("typed");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QByteArray>("sentName");   // "-" when nothing is sent
        QTest::newRow("found") << std::optional<QString>(QStringLiteral("Matti Myyjä")) << kFoundPage
                               << "http://www.vasaro.test/kayttaja/23456789" << QStringList{kUserQuestion}
                               << QByteArray("Matti+Myyj%c3%a4");
        QTest::newRow("not found") << std::optional<QString>(QStringLiteral("Tuntematon"))
                                   << "<p>Ei hakutuloksia.</p>" << "" << QStringList{kUserQuestion, kNotFound}
                                   << QByteArray("Tuntematon");
        QTest::newRow("request failed") << std::optional<QString>(QStringLiteral("x")) << "" << ""
                                        << QStringList{kUserQuestion, kNotFound} << QByteArray("x");
        QTest::newRow("empty") << std::optional<QString>(QString()) << kFoundPage << ""
                               << QStringList{kUserQuestion} << QByteArray("-");
        QTest::newRow("cancelled") << std::optional<QString>() << kFoundPage << ""
                                   << QStringList{kUserQuestion} << QByteArray("-");
    }
    void quickUserSearch()
    {
        QFETCH(std::optional<QString>, typed);
        QFETCH(QString, answer);
        QFETCH(QString, address);
        QFETCH(QStringList, shown);
        QFETCH(QByteArray, sentName);
        FakeHttp http;
        http.answerAll(answer);
        ScriptedPrompts prompts;
        prompts.withCaptions = true;
        prompts.inputs << typed;
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        QCOMPARE(search.Kyttjhaku1Click(prompts), address);
        QCOMPARE(prompts.asked, shown);
        if (sentName == "-") {
            QVERIFY(http.calls.isEmpty());
        } else {
            QCOMPARE(http.calls.size(), 1);
            QCOMPARE(http.calls.first().body, kSellerSearch.toLatin1() + sentName);
        }
    }

    void searchPanelItemField()
    {
        FakeHttp http;
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        QCOMPARE(search.XiButton2Click(QStringLiteral("12345678")), QStringLiteral("http://www.vasaro.test/kohteet/12345678"));
        QCOMPARE(search.XiButton2Click(QString()), QString());
        QVERIFY(http.calls.isEmpty());
    }

    void searchPanelUserField_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("requests");
        QTest::newRow("found") << "Matti Myyjä" << kFoundPage << "http://www.vasaro.test/kayttaja/23456789"
                               << QStringList() << 1;
        QTest::newRow("not found") << "Tuntematon" << "" << "" << QStringList{kNotFound} << 1;
        // An empty seller field would list every seller's cards: no lookup.
        QTest::newRow("empty edit opens nothing") << "" << kFoundPage << "" << QStringList() << 0;
    }
    void searchPanelUserField()
    {
        QFETCH(QString, edit);
        QFETCH(QString, answer);
        QFETCH(QString, address);
        QFETCH(QStringList, shown);
        QFETCH(int, requests);
        FakeHttp http;
        http.answerAll(answer);
        ScriptedPrompts prompts;
        prompts.withCaptions = true;
        const QuickSearch search(UrlScheme(testEndpoints()), http);
        QCOMPARE(search.XiButton6Click(edit, prompts), address);
        QCOMPARE(prompts.asked, shown);
        QCOMPARE(http.calls.size(), requests);
    }
};

QTEST_GUILESS_MAIN(TestUrlScheme)
#include "tst_urlscheme.moc"
