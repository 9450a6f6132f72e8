// The search form's address in both directions: the segments built from the
// form, and the form read back from a result address.
#include "buyer/searchform/searchform.h"
#include "client/httpapi.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include <QtTest>

Q_DECLARE_METATYPE(SearchCriteria)

namespace {
const QString kBase = QStringLiteral("http://www.vasaro.test/haku/");

Endpoints testEndpoints()
{
    Endpoints e;
    e.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    e.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    return e;
}

// The marketplace's seller search: known names answer a page linking to
// their listings, others a page without such links.
class FakeLookup final : public HttpApi {
public:
    QHash<QString, QString> ids;    // encoded name -> user id
    QList<QByteArray> bodies;

    QString xmlhttpget(Object, const QString &, int) override { return {}; }
    QString xmlhttppost(Object, const QString &, const QByteArray &body, int, const QStringList &,
                        const QStringList &) override
    {
        bodies << body;
        const QString name = QString::fromLatin1(body.mid(body.indexOf("&seller=") + 8));
        const QString id = ids.value(name);
        return id.isEmpty() ? QStringLiteral("<p>Ei tuloksia</p>")
                            : QStringLiteral("<a href=\"/haku/sellernro/%1\">kohteet</a>").arg(id);
    }
};

SearchCriteria example()
{
    SearchCriteria c;
    c.words = QStringLiteral("vanha tuoli");
    c.wordsfrom = 1;
    c.kunto[0] = true;
    c.kunto[2] = true;
    c.sellstyle = 2;
    c.categories = QStringList{QStringLiteral("27")};
    return c;
}
} // namespace

class TestSearchForm : public QObject {
    Q_OBJECT
private slots:
    void address_data()
    {
        QTest::addColumn<SearchCriteria>("criteria");
        QTest::addColumn<QString>("path");   // after "haku/"; "" = nothing opens
        SearchCriteria c;
        QTest::newRow("every control at its default") << c << "";
        QTest::newRow("example") << example()
            << "words/vanha+tuoli/wordsfrom/title/classification/new|good/sellstyle/buy-now/category/27/";
        c = {};
        c.words = QStringLiteral("Äänilevy & 50% alennus");
        QTest::newRow("words in UTF-8, URL-encoded")
            << c << "words/%c3%84%c3%a4nilevy+%26+50%25+alennus/";
        c = {};
        c.words = QStringLiteral("rock'n'roll");
        c.area = QStringLiteral("Kuusamo'");
        QTest::newRow("single quotes encoded, so the address reads back whole")
            << c << "words/rock%27n%27roll/area/Kuusamo%27/";
        c = {};
        c.area = QStringLiteral("Pääkaupunkiseutu");
        c.status = 1;
        QTest::newRow("closed, area") << c << "status/closed/area/P%c3%a4%c3%a4kaupunkiseutu/";
        c = {};
        c.kunto = {true, true, true, true, true};
        QTest::newRow("every condition in order") << c << "classification/new|like-new|good|acceptable|weak/";
        c = {};
        c.sellstyle = 1;
        c.seller_user_type = 1;
        QTest::newRow("auction, companies") << c << "sellstyle/auction/seller_type/company/";
        c.seller_user_type = 2;
        QTest::newRow("private sellers") << c << "sellstyle/auction/seller_type/user/";
        c = {};
        c.price_min = QStringLiteral("1,5");
        c.price_max = QStringLiteral("20");
        QTest::newRow("prices as typed") << c << "price_min/1,5/price_max/20/";
        c = {};
        c.categories = QStringList{QStringLiteral("403"), QStringLiteral("5"), QStringLiteral("27")};
        QTest::newRow("categories in selection order") << c << "category/403-5-27/";
        const char *add[] = {"past-day", "past-2days", "past-5days", "past-week"};
        const char *closing[] = {"next-day", "next-2days", "next-5days", "next-week"};
        for (int i = 1; i <= 4; ++i) {
            c = {};
            c.addtime = i;
            c.closingtime = i;
            QTest::addRow("times %d", i) << c << QStringLiteral("addtime/%1/closingtime/%2/").arg(add[i - 1], closing[i - 1]);
        }
        c = example();
        c.status = 1;
        c.area = QStringLiteral("Oulu");
        c.seller_user_type = 2;
        c.price_min = QStringLiteral("5");
        c.price_max = QStringLiteral("9");
        c.seller = QStringLiteral("Matti Myyjä");
        c.bidder = QStringLiteral("Testaaja");
        c.addtime = 4;
        c.closingtime = 1;
        QTest::newRow("every segment in the fixed order") << c
            << "words/vanha+tuoli/status/closed/area/Oulu/wordsfrom/title/classification/new|good/"
               "sellstyle/buy-now/seller_type/user/price_min/5/price_max/9/sellernro/23456789/"
               "biddernro/7654321/category/27/addtime/past-week/closingtime/next-day/";
        c = {};
        c.seller = QStringLiteral("Tuntematon");
        c.bidder = QStringLiteral("Testaaja");
        QTest::newRow("unknown seller left out") << c << "biddernro/7654321/";
        c.bidder = QStringLiteral("Kukaan");
        QTest::newRow("only unknown names: nothing opens") << c << "";
    }
    void address()
    {
        QFETCH(SearchCriteria, criteria);
        QFETCH(QString, path);
        FakeLookup http;
        http.ids.insert(QStringLiteral("Matti+Myyj%c3%a4"), QStringLiteral("23456789"));
        http.ids.insert(QStringLiteral("Testaaja"), QStringLiteral("7654321"));
        const UrlScheme urls(testEndpoints());
        const QuickSearch quick(urls, http);
        const SearchForm form(urls, quick);
        QCOMPARE(form.tee_hakuClick(criteria), path.isEmpty() ? QString() : kBase + path);
        // A name is looked up only when it is given.
        QCOMPARE(http.bodies.size(), int(!criteria.seller.isEmpty()) + int(!criteria.bidder.isEmpty()));
    }

    void parameter_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        const QString path = kBase + QStringLiteral("words/vanha+tuoli/wordsfrom/title/category/27-5/");
        QTest::newRow("path form") << path << "words" << "vanha tuoli";
        QTest::newRow("last segment") << path << "category" << "27-5";
        QTest::newRow("absent") << path << "area" << "";
        QTest::newRow("name ignores case") << path.toUpper() << "words" << "VANHA TUOLI";
        QTest::newRow("query form") << "http://www.vasaro.test/hakutulos?words=abc&status=closed" << "status"
                                    << "closed";
        QTest::newRow("query value ends at &") << "http://x/hakutulos?words=abc&status=closed" << "words" << "abc";
        QTest::newRow("quote and > end a value") << "<a href=\"/hakutulos?area=Oulu\">" << "area" << "Oulu";
        QTest::newRow("percent-decoded UTF-8") << kBase + "words/%c3%84%C3%A4ni%2fkirja/" << "words" << "Ääni/kirja";
        QTest::newRow("double percent") << kBase + "words/100%%+puuvillaa/" << "words" << "100% puuvillaa";
        QTest::newRow("stray percent kept") << kBase + "words/5%x/" << "words" << "5%x";
        // "words" is a whole parameter name, not the start of "wordsfrom".
        QTest::newRow("no words out of wordsfrom") << kBase + "wordsfrom/title/" << "words" << "";
        QTest::newRow("no area out of areabase") << "http://x/haku?areabase=&area=Turku" << "area" << "Turku";
    }
    void parameter()
    {
        QFETCH(QString, address);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QCOMPARE(SearchForm::parameter(address, name), value);
    }

    void readBack_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<SearchCriteria>("before");
        QTest::addColumn<SearchCriteria>("after");
        SearchCriteria filled = example();
        filled.status = 1;
        filled.seller_user_type = 1;
        filled.addtime = 2;
        filled.closingtime = 3;
        filled.price_min = QStringLiteral("4");
        filled.area = QStringLiteral("Oulu");
        SearchCriteria cleared;
        QTest::newRow("example back") << "words/vanha+tuoli/wordsfrom/title/classification/new|good/sellstyle/"
                                         "buy-now/category/27/"
                                      << filled << example();
        SearchCriteria c;
        c.words = QStringLiteral("rock'n'roll");
        QTest::newRow("encoded single quotes") << "words/rock%27n%27roll/" << cleared << c;
        c = {};
        c.kunto[1] = true;
        QTest::newRow("like-new is not new") << "classification/like-new/" << cleared << c;
        c.kunto[0] = true;
        QTest::newRow("like-new and new") << "classification/like-new|new/" << cleared << c;
        c = {};
        c.kunto = {false, false, true, true, true};
        QTest::newRow("good acceptable weak") << "classification/weak|good|acceptable/" << cleared << c;
        SearchCriteria odd = filled;
        odd.categories.clear();
        odd.kunto = {};
        odd.wordsfrom = 0;
        odd.words.clear();
        odd.area.clear();
        odd.price_min.clear();
        odd.addtime = 0;
        odd.closingtime = 0;
        QTest::newRow("unknown values leave the choice")
            << "status/archived/sellstyle/swap/seller_type/robot/addtime/past-year/closingtime/soon/" << filled << odd;
        c = {};
        QTest::newRow("neutral words are the first item")
            << "status/open/sellstyle/all/seller_type/all/addtime/x/" << filled << c;
        c.status = 1;
        c.sellstyle = 1;
        c.seller_user_type = 2;
        c.addtime = 1;
        c.closingtime = 4;
        QTest::newRow("choices") << "status/closed/sellstyle/auction/seller_type/user/addtime/past-day/"
                                    "closingtime/next-week/" << cleared << c;
        c = {};
        c.categories = QStringList{QStringLiteral("403"), QStringLiteral("5")};
        c.price_min = QStringLiteral("1,5");
        c.price_max = QStringLiteral("20");
        QTest::newRow("categories and prices") << "price_min/1,5/price_max/20/category/403-5/" << cleared << c;
        c = {};
        c.wordsfrom = 1;
        QTest::newRow("wordsfrom without words") << "wordsfrom/title/" << cleared << c;
    }
    void readBack()
    {
        QFETCH(QString, path);
        QFETCH(SearchCriteria, before);
        QFETCH(SearchCriteria, after);
        SearchCriteria c = before;
        c.seller = QStringLiteral("ei osoitteesta");
        after.seller = c.seller;   // the names come from the page, not the address
        SearchForm::lue_osoitteesta(QStringLiteral("http://www.vasaro.test/hakutulos/") + path, c);
        QCOMPARE(c.words, after.words);
        QCOMPARE(c.kunto, after.kunto);
        QCOMPARE(c.status, after.status);
        QCOMPARE(c.sellstyle, after.sellstyle);
        QCOMPARE(c.seller_user_type, after.seller_user_type);
        QCOMPARE(c.addtime, after.addtime);
        QCOMPARE(c.closingtime, after.closingtime);
        QCOMPARE(c.categories, after.categories);
        QVERIFY(c == after);
    }

    // Whatever the form builds, it reads back unchanged (names aside).
    void roundTrip()
    {
        SearchCriteria c = example();
        c.words = QStringLiteral("Äiti & lapsi 100%");
        c.area = QStringLiteral("Hämeenlinna");
        c.status = 1;
        c.seller_user_type = 2;
        c.kunto = {true, true, false, false, true};
        c.price_max = QStringLiteral("30");
        c.addtime = 3;
        c.closingtime = 2;
        c.categories = QStringList{QStringLiteral("5"), QStringLiteral("1117")};
        const QString address = kBase + SearchForm::segments(c, QString(), QString());
        SearchCriteria back;
        SearchForm::lue_osoitteesta(address, back);
        QVERIFY2(back == c, qPrintable(address));
    }

    void clearingKeepsWordsfrom()
    {
        SearchCriteria c = example();
        c.seller = QStringLiteral("x");
        c.bidder = QStringLiteral("y");
        c.area = QStringLiteral("Oulu");
        c.addtime = 2;
        SearchForm::tyhjenna_lomake(c);
        SearchCriteria expected;
        expected.wordsfrom = 1;
        QVERIFY(c == expected);
    }
};

QTEST_GUILESS_MAIN(TestSearchForm)
#include "tst_searchform.moc"
