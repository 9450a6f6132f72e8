// Favourite sellers and searches: the two lists with their add and remove
// rules, the labels and HTML of the overview page, the address decoding and
// what the overview's links mean.
#include "buyer/favourites/favourites.h"
#include "buyer/favourites/favouritesoverview.h"
#include "core/settings.h"
#include <QtTest>

using FavouritesOverview::Link;
Q_DECLARE_METATYPE(Link::Kind)

namespace {
// One operation on the lists: "+name" tool bar, "*name" by name,
// "-name" remove seller, "#n" remove search n, "?addr" add search.
QStringList apply(Favourites &f, const QString &op)
{
    const QString arg = op.mid(1);
    bool changed = false;
    switch (op.at(0).unicode()) {
    case '+': changed = f.addSeller(arg); break;
    case '*': changed = f.addSellerByName(arg); break;
    case '-': changed = f.removeSeller(arg); break;
    case '#': changed = f.removeSearchAt(arg.toInt()); break;
    case '?': changed = f.addSearch(arg); break;
    default: break;
    }
    return {changed ? QStringLiteral("1") : QStringLiteral("0")};
}
} // namespace

class TstFavourites : public QObject {
    Q_OBJECT
private slots:
    void lists_data();
    void lists();
    void listReadInFileOrderIsShownSorted();
    void percentDecode_data();
    void percentDecode();
    void labels_data();
    void labels();
    void overviewHtml();
    void overviewHtmlKeepsEntriesInsideTheirMarkup();
    void links_data();
    void links();
};

void TstFavourites::lists_data()
{
    QTest::addColumn<QStringList>("sellers");
    QTest::addColumn<QStringList>("searches");
    QTest::addColumn<QString>("op");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QStringList>("sellersAfter");
    QTest::addColumn<QStringList>("searchesAfter");
    const QStringList none;
    QTest::newRow("tool bar adds in order") << QStringList{"alpo", "Cecilia"} << none << "+Bertta" << true
                                            << QStringList{"alpo", "Bertta", "Cecilia"} << none;
    QTest::newRow("tool bar: same seller twice") << QStringList{"Myyja1"} << none << "+MYYJA1" << false
                                                 << QStringList{"Myyja1"} << none;
    QTest::newRow("tool bar compares whole names") << QStringList{"Matti Myyjä"} << none << "+Matti" << true
                                                   << QStringList{"Matti", "Matti Myyjä"} << none;
    QTest::newRow("by name: beginning of a favourite") << QStringList{"Matti Myyjä"} << none << "*matti" << false
                                                       << QStringList{"Matti Myyjä"} << none;
    QTest::newRow("by name: longer than a favourite") << QStringList{"Matti"} << none << "*Matti Myyjä" << true
                                                      << QStringList{"Matti", "Matti Myyjä"} << none;
    QTest::newRow("remove without regard to case") << QStringList{"a1", "B2", "c3"} << none << "-b2" << true
                                                   << QStringList{"a1", "c3"} << none;
    QTest::newRow("remove a missing seller") << QStringList{"a1"} << none << "-a" << false << QStringList{"a1"}
                                             << none;
    QTest::newRow("search added in order") << none << QStringList{"http://x/haku/a", "http://x/haku/c"}
                                           << "?http://x/haku/B" << true << none
                                           << QStringList{"http://x/haku/a", "http://x/haku/B", "http://x/haku/c"};
    QTest::newRow("same search in capitals") << none << QStringList{"http://x/haku/a"} << "?HTTP://X/HAKU/A"
                                             << false << none << QStringList{"http://x/haku/a"};
    QTest::newRow("delete search 1") << none << QStringList{"u0", "u1", "u2"} << "#1" << true << none
                                     << QStringList{"u0", "u2"};
    QTest::newRow("delete a stale position") << none << QStringList{"u0", "u1"} << "#2" << false << none
                                             << QStringList{"u0", "u1"};
    QTest::newRow("delete a negative position") << none << QStringList{"u0"} << "#-1" << false << none
                                                << QStringList{"u0"};
}

void TstFavourites::lists()
{
    QFETCH(QStringList, sellers);
    QFETCH(QStringList, searches);
    QFETCH(QString, op);
    Settings s;
    s.suosikkimyyjat = sellers;
    s.suosikkihaut = searches;
    Favourites f(s);
    QTEST(apply(f, op).first() == QLatin1String("1"), "changed");
    QTEST(f.sellers(), "sellersAfter");
    QTEST(f.searches(), "searchesAfter");
    // The settings file writes what the lists hold.
    QCOMPARE(s.suosikkimyyjat, f.sellers());
    QCOMPARE(s.suosikkihaut, f.searches());
}

// The file keeps list order; a list edited by hand is still shown sorted and
// the delete positions of the page match the shown order.
void TstFavourites::listReadInFileOrderIsShownSorted()
{
    Settings s;
    s.suosikkihaut = QStringList{"http://x/haku/c", "http://x/haku/A", "http://x/haku/b"};
    Favourites f(s);
    QCOMPARE(f.searches(), (QStringList{"http://x/haku/A", "http://x/haku/b", "http://x/haku/c"}));
    QVERIFY(FavouritesOverview::html({}, f.searches(), "http://w/").contains(
        "<A href=\"http://x/haku/b\" title=\"http://x/haku/b\"><font color=\"black\">Sanat: </font><font "
        "color=\"blue\"></font><font color=\"black\"> Osastot: Kaikki</font></A> <a href=\"poistahauista/1\""));
    QVERIFY(f.removeSearchAt(1));
    QCOMPARE(s.suosikkihaut, (QStringList{"http://x/haku/A", "http://x/haku/c"}));
}

void TstFavourites::percentDecode_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("decoded");
    QTest::newRow("plain") << "http://w/haku/words/x" << "http://w/haku/words/x";
    QTest::newRow("plus is a space") << "haku?words=vanha+tuoli" << "haku?words=vanha tuoli";
    QTest::newRow("two hex digits") << "haku/words/a%2Fb%3d" << "haku/words/a/b=";
    QTest::newRow("double percent") << "haku/words/50%%" << "haku/words/50%";
    QTest::newRow("utf-8 bytes") << "haku/words/p%C3%B6yt%C3%A4" << "haku/words/pöytä";
    QTest::newRow("windows-1252 byte") << "haku/words/p%F6yt%E4" << "haku/words/pöytä";
    QTest::newRow("percent without digits") << "haku/words/%zz%4" << "haku/words/%zz%4";
    QTest::newRow("percent before a letter beyond ascii") << "haku/words/%äa%Ä" << "haku/words/%äa%Ä";
    QTest::newRow("encoded plus stays") << "haku/words/a%2Bb" << "haku/words/a+b";
}

void TstFavourites::percentDecode()
{
    QFETCH(QString, address);
    QTEST(FavouritesOverview::percentDecode(address), "decoded");
}

void TstFavourites::labels_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("categories");
    QTest::newRow("path words and category")
        << "https://www.vasaro.fi/haku/words/vanha tuoli/category/27/" << "vanha tuoli" << "27";
    QTest::newRow("query fields") << "https://www.vasaro.fi/haku?words=Lamppu&category=875-27" << "lamppu"
                                  << "875-27";
    QTest::newRow("no words part") << "https://www.vasaro.fi/haku/category/27" << "" << "27";
    QTest::newRow("neither category nor cat=") << "https://www.vasaro.fi/haku/words/kirja" << "kirja" << "Kaikki";
    QTest::newRow("cat= when category is missing") << "https://www.vasaro.fi/haku?words=a&cat=12&x=1" << "a" << "12";
    QTest::newRow("empty category falls back to cat=") << "https://www.vasaro.fi/haku?category=&cat=5" << ""
                                                       << "5";
    QTest::newRow("empty words") << "https://www.vasaro.fi/haku/words//category/1" << "" << "1";
    QTest::newRow("label of 25 kept") << "https://w/haku/words/abcdefghijklmnopqrstuvwxy" << "abcdefghijklmnopqrstuvwxy"
                                      << "Kaikki";
    QTest::newRow("label of 30 shortened") << "https://w/haku/words/abcdefghijklmnopqrstuvwxyz1234"
                                           << "abcdefghijklmnopqrstuvw.." << "Kaikki";
    QTest::newRow("question mark ends it") << "https://w/haku/words?kirja?x" << "kirja" << "Kaikki";
}

void TstFavourites::labels()
{
    QFETCH(QString, address);
    QTEST(FavouritesOverview::wordsLabel(address), "words");
    QTEST(FavouritesOverview::categoriesLabel(address), "categories");
}

void TstFavourites::overviewHtml()
{
    const QString head = "<TABLE CELLPADDING=\"4\" CELLSPACING=\"0\" BORDER=\"0\" WIDTH=\"100%\" "
                         "BGCOLOR=\"#EEEEEE\"><TR BGCOLOR=\"#CCCFE8\"><TH>";
    const QString u0 = "https://www.vasaro.fi/haku/words/lamppu/category/875";
    const QString u1 = "https://www.vasaro.fi/haku/sellernro/7";
    const QString expected =
        head + "Suosikkimyyjät:</TH></TR><TR><TD>"
        "<A href=\"https://www.vasaro.fi/kayttajatunnus/Matti Myyjä\"><FONT color=\"blue\">Matti Myyjä</FONT></A> "
        "<A href=\"https://www.vasaro.fi/kayttajatunnus/myyja1\"><FONT color=\"blue\">myyja1</FONT></A> "
        "</TD></TR></TABLE>"
        + head + "Suosikkihaut:</TH></TR><TR><TD align=left>"
        "<A href=\"" + u0 + "\" title=\"" + u0 + "\"><font color=\"black\">Sanat: </font><font color=\"blue\">lamppu"
        "</font><font color=\"black\"> Osastot: 875</font></A> <a href=\"poistahauista/0\" title=\"Poista\">"
        "<font color=\"red\">X</font></a><br>"
        "<A href=\"" + u1 + "\" title=\"" + u1 + "\"><font color=\"black\">Sanat: </font><font color=\"blue\">"
        "</font><font color=\"black\"> Osastot: Kaikki</font></A> <a href=\"poistahauista/1\" title=\"Poista\">"
        "<font color=\"red\">X</font></a><br>"
        "</TD></TR></TABLE>";
    QCOMPARE(FavouritesOverview::html({"Matti Myyjä", "myyja1"}, {u0, u1}, "https://www.vasaro.fi/"), expected);
    // Empty lists still give both tables.
    QCOMPARE(FavouritesOverview::html({}, {}, "https://www.vasaro.fi/"),
             head + "Suosikkimyyjät:</TH></TR><TR><TD></TD></TR></TABLE>" + head
                 + "Suosikkihaut:</TH></TR><TR><TD align=left></TD></TR></TABLE>");
}

// A saved address or a name with a quote or markup cannot add elements or
// attributes (such as a script) to the page.
void TstFavourites::overviewHtmlKeepsEntriesInsideTheirMarkup()
{
    const QString html = FavouritesOverview::html({"a\"b<i>"}, {"http://w/haku/words/x\"><script>y</script>"},
                                                  "http://w/");
    QVERIFY(!html.contains("<script>"));
    QVERIFY(!html.contains("<i>"));
    QVERIFY(html.contains("kayttajatunnus/a&quot;b&lt;i&gt;\"><FONT color=\"blue\">a&quot;b&lt;i&gt;</FONT>"));
    QVERIFY(html.contains("title=\"http://w/haku/words/x&quot;&gt;&lt;script&gt;y&lt;/script&gt;\""));
}

void TstFavourites::links_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<Link::Kind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("position");
    QTest::newRow("seller") << "https://www.vasaro.fi/kayttajatunnus/myyja1" << Link::Kind::Seller << "myyja1" << -1;
    QTest::newRow("seller with spaces") << "https://www.vasaro.fi/KayttajaTunnus/Matti%20Myyjä" << Link::Kind::Seller
                                        << "Matti Myyjä" << -1;
    QTest::newRow("seller named haku") << "https://www.vasaro.fi/kayttajatunnus/haku" << Link::Kind::Seller << "haku"
                                       << -1;
    QTest::newRow("delete") << "https://www.vasaro.fi/poistahauista/12" << Link::Kind::DeleteSearch << "" << 12;
    QTest::newRow("delete without a number") << "https://www.vasaro.fi/poistahauista/x" << Link::Kind::DeleteSearch
                                             << "" << -1;
    QTest::newRow("delete, number too large") << "https://w/poistahauista/99999999999" << Link::Kind::DeleteSearch
                                              << "" << -1;
    QTest::newRow("search") << "https://www.vasaro.fi/haku/words/lamppu" << Link::Kind::Search << "" << -1;
    QTest::newRow("other") << "https://www.vasaro.fi/kohteet/x/1" << Link::Kind::Other << "" << -1;
    QTest::newRow("blank page") << "about:blank" << Link::Kind::Other << "" << -1;
}

void TstFavourites::links()
{
    QFETCH(QString, target);
    const Link link = FavouritesOverview::link(target);
    QTEST(link.kind, "kind");
    QTEST(link.name, "name");
    QTEST(link.position, "position");
}

QTEST_GUILESS_MAIN(TstFavourites)
#include "tst_favourites.moc"
