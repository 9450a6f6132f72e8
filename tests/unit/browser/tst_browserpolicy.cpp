// Decision logic of the browser host and the page pipeline: blocking and
// replacement lists, script messages, download options, context menus,
// address tests and the marketplace clock text.
#include "browser/policy/contextmenupolicy.h"
#include "browser/policy/hostpolicy.h"
#include "client/urlscheme.h"
#include "browser/pipeline/vasaroaika.h"
#include "core/settings.h"
#include <QtTest>

using namespace ContextMenuPolicy;

class TestBrowserPolicy final : public QObject {
    Q_OBJECT
private slots:
    void blocking_data();
    void blocking();
    void replacement_data();
    void replacement();
    void scriptMessages_data();
    void scriptMessages();
    void downloadOptions_data();
    void downloadOptions();
    void contextMenu_data();
    void contextMenu();
    void contextMenuAsksDocumentOnlyWhenNeeded();
    void contextMenuHidesUnbuiltItems();
    void pagePointRemovesZoom();
    void listingPage_data();
    void listingPage();
    void marketplaceClock_data();
    void marketplaceClock();
};

void TestBrowserPolicy::blocking_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("ads");
    QTest::addColumn<bool>("fb");
    QTest::addColumn<bool>("blocked");
    QTest::newRow("A host, ads on") << "https://www.google-analytics.com/analytics.js" << true << false << true;
    QTest::newRow("A host, ads off") << "https://www.google-analytics.com/analytics.js" << false << false << false;
    QTest::newRow("A path /ads/ on the marketplace") << "https://www.vasaro.fi/ads/x.gif" << true << false << true;
    QTest::newRow("A path /ads/ ads off") << "https://www.vasaro.fi/ads/x.gif" << false << false << false;
    QTest::newRow("A path tmv11") << "https://cdn.x.fi/vasaro/tmv11.js" << true << false << true;
    QTest::newRow("A path /static.") << "http://static.example.com/a.js" << true << false << true;
    QTest::newRow("A is case-sensitive") << "https://www.vasaro.fi/ADS/x.gif" << true << false << false;
    QTest::newRow("B with fb on") << "https://connect.facebook.net/fi_FI/sdk.js" << false << true << true;
    QTest::newRow("B with fb off") << "https://connect.facebook.net/fi_FI/sdk.js" << true << false << false;
    QTest::newRow("C always") << "https://widgets.outbrain.com/outbrain.js" << false << false << true;
    QTest::newRow("C survey") << "https://www.surveymonkey.com/s/x" << false << false << true;
    QTest::newRow("marketplace page") << "https://www.vasaro.fi/haku/sanat/lamppu" << true << true << false;
    // The entries are substrings of the whole address, not host names.
    QTest::newRow("A entry in the query") << "https://www.vasaro.fi/haku?q=doubleclick.net" << true << false << true;
    QTest::newRow("B is case-sensitive") << "https://CONNECT.FACEBOOK.NET/fi_FI/sdk.js" << false << true << false;
    QTest::newRow("C path under its host") << "https://cdn.viglink.com/api/vglnk.js" << false << false << true;
    QTest::newRow("A after a letter beyond ASCII") << QStringLiteral("https://www.vasaro.fi/\u00e4/ads/x.gif") << true
                                                   << false << true;
    QTest::newRow("near miss of A") << "https://www.vasaro.fi/ad/s/doubleclick.ne" << true << true << false;
}

void TestBrowserPolicy::blocking()
{
    QFETCH(QString, url);
    QFETCH(bool, ads);
    QFETCH(bool, fb);
    QFETCH(bool, blocked);
    Settings s;
    s.poistamainokset = ads;
    s.poistafb = fb;
    const HostPolicy policy(&s, QStringLiteral("vasaro.fi"), QStringLiteral("www.vasaro.fi"));
    QCOMPARE(policy.blocks(url), blocked);
}

void TestBrowserPolicy::replacement_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("ads");
    QTest::addColumn<bool>("news");
    QTest::addColumn<bool>("fb");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("ad network, any case") << "http://ADS.ADMETA.com/b" << true << false << false << true;
    QTest::newRow("ad network, ads off") << "http://ads.admeta.com/b" << false << true << true << false;
    QTest::newRow("promobox") << "https://www.vasaro.fi/PromoBox/1" << false << true << false << true;
    QTest::newRow("news static host") << "http://static.ilcdn.fi/x.html" << false << true << false << true;
    QTest::newRow("news off") << "http://static.ilcdn.fi/x.html" << true << false << false << false;
    QTest::newRow("fb plugin with domain") << "https://www.facebook.com/plugins/like.php?href=https%3A%2F%2Fwww.vasaro.fi%2F"
                                           << false << false << true << true;
    QTest::newRow("fb plugin elsewhere") << "https://www.facebook.com/plugins/like.php?href=x.com" << false << false
                                         << true << false;
    QTest::newRow("+1 button on www host") << "https://plusone.google.com/_/b?url=www.vasaro.fi" << false << false
                                           << true << true;
    QTest::newRow("microblog widget") << "https://platform.twitter.com/widgets/tweet_button.html" << false << false
                                      << true << true;
    QTest::newRow("fb off") << "https://platform.twitter.com/widgets/tweet_button.html" << true << true << false
                            << false;
    QTest::newRow("news host in capitals") << "HTTP://STATIC.ILCDN.FI/X" << false << true << false << true;
    QTest::newRow("+1 button elsewhere") << "https://plusone.google.com/_/b?url=x.com" << false << false << true
                                         << false;
    QTest::newRow("fb plugin, domain in capitals") << "https://www.facebook.com/plugins/like.php?href=VASARO.FI"
                                                   << false << false << true << true;
    // Lower case of the Kelvin sign is "k".
    QTest::newRow("fb plugin, Kelvin sign") << QStringLiteral("https://www.faceboo\u212a.com/plugins/x?href=vasaro.fi")
                                            << false << false << true << true;
    QTest::newRow("ad network beyond ASCII") << QStringLiteral("http://\u00e4.admeta.com/b") << true << false << false
                                             << true;
}

void TestBrowserPolicy::replacement()
{
    QFETCH(QString, url);
    QFETCH(bool, ads);
    QFETCH(bool, news);
    QFETCH(bool, fb);
    QFETCH(bool, replaced);
    Settings s;
    s.poistamainokset = ads;
    s.poistauutiset = news;
    s.poistafb = fb;
    const HostPolicy policy(&s, QStringLiteral("vasaro.fi"), QStringLiteral("www.vasaro.fi"));
    QCOMPARE(policy.replaces(url), replaced);
    QVERIFY(HostPolicy::replacementUrl().toString().contains(QStringLiteral("about:-")));
}

void TestBrowserPolicy::scriptMessages_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("swallowed");
    const int alert = int(HostPolicy::MessageKind::Alert);
    const int confirm = int(HostPolicy::MessageKind::Confirm);
    QTest::newRow("publish confirm") << "Kohde lähetetään JULKAISTAVAKSI" << confirm << true;
    QTest::newRow("publish alert") << "julkaistavaksi" << alert << true;
    QTest::newRow("activex alert") << "ActiveX puuttuu" << alert << true;
    QTest::newRow("activex confirm is shown") << "ActiveX puuttuu" << confirm << false;
    QTest::newRow("plain alert") << "Tervetuloa" << alert << false;
}

void TestBrowserPolicy::scriptMessages()
{
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(bool, swallowed);
    QCOMPARE(HostPolicy::swallowsMessage(text, HostPolicy::MessageKind(kind)), swallowed);
}

void TestBrowserPolicy::downloadOptions_data()
{
    QTest::addColumn<bool>("images");
    QTest::addColumn<bool>("activex");
    QTest::addColumn<bool>("scripts");
    QTest::addColumn<bool>("approve");
    QTest::addColumn<int>("flags");
    QTest::newRow("defaults") << true << false << true << false << (0x10 | 0x660);
    QTest::newRow("all on") << true << true << true << false << (0x10 | 0x60);
    QTest::newRow("no images") << false << false << true << false << (0x4000 | 0x660);
    QTest::newRow("no scripts") << true << true << false << false << (0x10 | 0x60 | 0x80);
    QTest::newRow("approve mode") << true << true << true << true << (0x4000 | 0x660 | 0x80);
}

void TestBrowserPolicy::downloadOptions()
{
    QFETCH(bool, images);
    QFETCH(bool, activex);
    QFETCH(bool, scripts);
    QFETCH(bool, approve);
    QFETCH(int, flags);
    Settings s;
    s.naytakuvat = images;
    s.Activex = activex;
    s.skripti = scripts;
    const HostPolicy::DownloadOptions o = HostPolicy::downloadOptions(s, approve);
    QCOMPARE(o.flags, flags);
    QCOMPARE(o.images, bool(flags & 0x10));
    QCOMPARE(o.scripts, !(flags & 0x80));
    QCOMPARE(o.plugins, (flags & 0x600) == 0);
    QCOMPARE(HostPolicy::auxiliaryOptions().flags, 22400);
    QVERIFY(!HostPolicy::auxiliaryOptions().scripts && !HostPolicy::auxiliaryOptions().images);
}

void TestBrowserPolicy::contextMenu_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("body");        // body HTML, or the link's parent HTML on the sales page
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<bool>("templateSaved");
    QTest::addColumn<int>("menu");
    QTest::addColumn<QString>("visible");     // item numbers
    QTest::addColumn<QString>("link");
    const int std = int(Menu::Standard), page = int(Menu::Page), link = int(Menu::Link);
    const QString item = QStringLiteral("https://www.vasaro.fi/kohteet/lamppu/12345678");
    QTest::newRow("own item field") << 2 << "" << item << "<a href=/muokkaa-ilmoitusta/1>" << false << false << page
                                    << "6 7 8 9 10 11 12 13 14 15 16" << "";
    QTest::newRow("other's item field") << 2 << "" << item << "<p>kohde</p>" << false << false << std << "" << "";
    QTest::newRow("plain link") << 5 << "https://www.vasaro.fi/ohje" << "https://www.vasaro.fi/haku/x" << ""
                                << true << false << std << "" << "";
    QTest::newRow("item link on search page") << 5 << "https://www.vasaro.fi/Kohteet/A/12345678"
                                              << "https://www.vasaro.fi/haku/sanat/x" << "" << false << false
                                              << link << "0 1 3" << "https://www.vasaro.fi/Kohteet/A/12345678";
    QTest::newRow("item link signed in") << 5 << item << "https://www.vasaro.fi/osasto/koti/12/" << "" << true
                                         << false << link << "0 1 3 8" << item;
    QTest::newRow("item link on category without slash") << 5 << item << "https://www.vasaro.fi/osasto/koti/12"
                                                         << "" << true << false << link << "0 1 8" << item;
    QTest::newRow("item link elsewhere") << 5 << item << "https://www.vasaro.fi/" << "" << false << false << link
                                         << "0 1" << item;
    QTest::newRow("sales: published") << 5 << item << "https://www.vasaro.fi/omasivu/myynnit"
                                      << "<div><a href=x>T</a> <span>Julkaistu</span></div>" << true << false
                                      << link << "0 1 4" << "https://www.vasaro.fi/kohteet/kohde/91111111";
    QTest::newRow("sales: sold") << 5 << item << "https://www.vasaro.fi/omasivu/myynnit"
                                 << "<div><a>T</a>\r\n\t<span> Myyty</span></div>" << true << false << link
                                 << "0 1 2 5 6" << "https://www.vasaro.fi/kohteet/kohde/91111111";
    QTest::newRow("sales: not sold") << 5 << item << "https://www.vasaro.fi/omasivu/myynnit"
                                     << "<td><a>T</a><b>Ei myyty</b></td>" << true << false << link << "0 1 2 5 6"
                                     << "https://www.vasaro.fi/kohteet/kohde/91111111";
    QTest::newRow("new listing form") << 0 << "" << "https://www.vasaro.fi/uusi-ilmoitus" << "" << false << false
                                      << page << "1 2 3 5 6 7 8 9 10 11 12 13 14 15 16" << "";
    QTest::newRow("edit form after template save") << 2 << "" << "https://www.vasaro.fi/muokkaa-ilmoitusta/1" << ""
                                                   << false << true << page
                                                   << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16" << "";
}

void TestBrowserPolicy::contextMenu()
{
    QFETCH(int, kind);
    QFETCH(QString, status);
    QFETCH(QString, address);
    QFETCH(QString, body);
    QFETCH(bool, signedIn);
    QFETCH(bool, templateSaved);
    QFETCH(int, menu);
    QFETCH(QString, visible);
    QFETCH(QString, link);
    Input in;
    in.kind = kind;
    in.statusText = status;
    in.addressText = address;
    in.signedIn = signedIn;
    in.templateSaved = templateSaved;
    in.bodyHtml = [body] { return body; };
    in.linkUnderMouse = [body] {
        return LinkUnderMouse{QStringLiteral("https://www.vasaro.fi/kohteet/kohde/91111111"), body};
    };
    const Decision d = decide(in);
    QCOMPARE(int(d.menu), menu);
    QStringList items;
    for (int i = 0; i < 17; ++i)
        if (d.isVisible(i))
            items << QString::number(i);
    QCOMPARE(items.join(u' '), visible);
    QCOMPARE(d.linkAddress, link);
    QCOMPARE(d.restoreAfter, menu == int(Menu::Page));
}

void TestBrowserPolicy::contextMenuAsksDocumentOnlyWhenNeeded()
{
    int bodyAsked = 0, linkAsked = 0;
    Input in;
    in.kind = KindLink;
    in.statusText = QStringLiteral("https://www.vasaro.fi/kohteet/a/12345678");
    in.addressText = QStringLiteral("https://www.vasaro.fi/haku");
    in.bodyHtml = [&] { ++bodyAsked; return QString(); };
    in.linkUnderMouse = [&] { ++linkAsked; return LinkUnderMouse(); };
    decide(in);
    QCOMPARE(bodyAsked + linkAsked, 0);
    // On the sales page a click beside any link takes the status text.
    in.addressText = QStringLiteral("https://www.vasaro.fi/omasivu/myynnit");
    const Decision d = decide(in);
    QCOMPARE(linkAsked, 1);
    QCOMPARE(d.linkAddress, in.statusText.toLower());
    QVERIFY(!d.isVisible(2) && !d.isVisible(4) && !d.isVisible(3) && !d.isVisible(8));
}

void TestBrowserPolicy::contextMenuHidesUnbuiltItems()
{
    Input in;
    in.kind = KindLink;
    in.statusText = QStringLiteral("https://www.vasaro.fi/kohteet/a/12345678");
    in.addressText = QStringLiteral("https://www.vasaro.fi/haku");
    in.signedIn = true;
    in.linkItemsAvailable = 0x3;   // only "Avaa uuteen välilehteen" and its separator
    QCOMPARE(decide(in).visible, 0x3u);
    in.addressText = QStringLiteral("https://www.vasaro.fi/uusi-ilmoitus");
    in.pageItemsAvailable = 0x1 | (1u << 5) | (1u << 6) | (1u << 7);
    QCOMPARE(decide(in).visible, (1u << 5) | (1u << 6) | (1u << 7));
}

void TestBrowserPolicy::pagePointRemovesZoom()
{
    QCOMPARE(pagePoint(QPoint(300, 150), 150), QPoint(200, 100));
    QCOMPARE(pagePoint(QPoint(300, 150), 100), QPoint(300, 150));
    QCOMPARE(pagePoint(QPoint(30, 15), 0), QPoint(30, 15));
}

void TestBrowserPolicy::listingPage_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("listing");
    QTest::newRow("search") << "https://www.vasaro.fi/haku/sanat/lamppu" << true;
    QTest::newRow("search upper") << "https://www.vasaro.fi/HAKU?x" << true;
    QTest::newRow("category") << "https://www.vasaro.fi/osasto/koti/123/" << true;
    QTest::newRow("category page 2") << "https://www.vasaro.fi/osasto/koti/123/sivu/2" << true;
    QTest::newRow("category no slash") << "https://www.vasaro.fi/osasto/koti/123" << false;
    QTest::newRow("category root") << "https://www.vasaro.fi/osasto/" << false;
    QTest::newRow("item") << "https://www.vasaro.fi/kohteet/a/12345678" << false;
}

void TestBrowserPolicy::listingPage()
{
    QFETCH(QString, address);
    QFETCH(bool, listing);
    QCOMPARE(UrlScheme::isListingPage(address), listing);
}

void TestBrowserPolicy::marketplaceClock_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QDateTime>("expected");   // invalid = no time on the page
    const QDate d(2022, 3, 4);
    QTest::newRow("span right after tag") << "<body><span class=\"clock_alt\">4.3.2022 12:34:56</span></body>"
                                          << QDateTime(d, QTime(12, 34, 56));
    QTest::newRow("space before day") << "<body><div id='CLOCK_ALT'> 14.11.2021 klo 9:05:07</div>"
                                      << QDateTime(QDate(2021, 11, 14), QTime(9, 5, 7));
    QTest::newRow("no colon: midnight") << "<span class=clock_alt>4.3.2022</span>" << QDateTime(d, QTime(0, 0));
    QTest::newRow("no marker: from the start") << "<p>4.3.2022 01:02:03</p>" << QDateTime(d, QTime(1, 2, 3));
    QTest::newRow("impossible date") << "<span class=clock_alt>31.2.2022 12:00:00</span>" << QDateTime();
    QTest::newRow("impossible time") << "<span class=clock_alt>4.3.2022 25:00:00</span>" << QDateTime();
    QTest::newRow("not numeric") << "<span class=clock_alt>x.y.zzzz</span>" << QDateTime();
    QTest::newRow("no dots") << "<span class=clock_alt>ei aikaa</span>" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
}

void TestBrowserPolicy::marketplaceClock()
{
    QFETCH(QString, html);
    QFETCH(QDateTime, expected);
    const std::optional<QDateTime> got = VasaroAika::parse(html);
    QCOMPARE(got.has_value(), expected.isValid());
    if (got)
        QCOMPARE(*got, expected);
}

QTEST_GUILESS_MAIN(TestBrowserPolicy)
#include "tst_browserpolicy.moc"
