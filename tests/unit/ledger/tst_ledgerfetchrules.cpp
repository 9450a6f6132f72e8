// The rules of the ledger fetch that need no network: the box checks, the
// paging arithmetic, the walk over joined list pages, the field rules of the
// three answers and the row a trade becomes.
#include "client/jsonscan.h"
#include "ledger/fetch/ledgerfetchrules.h"
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace LedgerFetchRules;

namespace {
// One list page as the marketplace writes it, trades first .. last, after
// the escapes are undone.
QString listPage(int first, int last)
{
    QString page = QStringLiteral("{\"totalCount\":120,\"links\":{\"self\":\"http://api/1.1/users/1/sales\"},\"items\":[");
    for (int k = first; k <= last; ++k) {
        if (k > first)
            page += u',';
        page += QStringLiteral("{\"links\":{\"self\":\"http://api/1.1/items/%1\"},\"id\":%1,\"title\":\"T %2\"}")
                    .arg(51000000 + k).arg(k);
    }
    return page + QStringLiteral("]}");
}

QStringList walk(const QString &joined, int start, int count)
{
    TradeWalk w(joined, start, count);
    QStringList items;
    QString trade;
    while (w.next(&trade))
        items << trade.mid(trade.indexOf(QLatin1String("/items/")) + 7, 8);
    return items;
}
}

class TestLedgerFetchRules : public QObject {
    Q_OBJECT
private slots:
    void boxChecks_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("startAfter");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("countAfter");
        QTest::newRow("plain") << "49" << "49" << "2" << "2";
        QTest::newRow("empty") << "" << "0" << "" << "10";
        QTest::newRow("letters") << "abc" << "0" << "x1" << "10";
        QTest::newRow("negative") << "-5" << "0" << "-1" << "10";
        QTest::newRow("zero") << "0" << "0" << "0" << "10";
        QTest::newRow("too many") << "99999" << "99999" << "99999" << "9999";
        QTest::newRow("decimal") << "1.5" << "0" << "2.5" << "10";
    }
    void boxChecks()
    {
        QFETCH(QString, start);
        QFETCH(QString, startAfter);
        QFETCH(QString, count);
        QFETCH(QString, countAfter);
        QCOMPARE(checkStart(start), startAfter);
        QCOMPARE(checkCount(count), countAfter);
    }

    void pages_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("0+10") << 0 << 10 << 1 << 1;
        QTest::newRow("49+2") << 49 << 2 << 1 << 2;
        QTest::newRow("45+10") << 45 << 10 << 1 << 2;
        QTest::newRow("0+50") << 0 << 50 << 1 << 1;
        QTest::newRow("50+50") << 50 << 50 << 2 << 2;
        QTest::newRow("100+1") << 100 << 1 << 3 << 3;
        QTest::newRow("largest") << 99999 << 9999 << 2000 << 2200;
    }
    void pages()
    {
        QFETCH(int, start);
        QFETCH(int, count);
        const Pages p = pagesFor(start, count, kPageSize);
        QTEST(p.first, "first");
        QTEST(p.last, "last");
    }

    void addresses()
    {
        const QString sold = listTemplate(QStringLiteral("https://api/1.1/"), LedgerMode::Sold,
                                          QStringLiteral("7654321"), QStringLiteral("123"));
        QCOMPARE(sold, QStringLiteral("https://api/1.1/users/7654321/sales?sold=1&status=closed&limit="
                                      "sivujenkoko&sort=closing-time&nocache=123&page=sivuindeksi"));
        QCOMPARE(pageAddress(sold, 50, 2),
                 QStringLiteral("https://api/1.1/users/7654321/sales?sold=1&status=closed&limit=50"
                                "&sort=closing-time&nocache=123&page=2"));
        const QString bought = listTemplate(QStringLiteral("https://api/1.1/"), LedgerMode::Bought,
                                            QStringLiteral("1"), QStringLiteral("9"));
        QVERIFY(bought.contains(QLatin1String("users/1/purchases?won=1&status=closed&limit=sivujenkoko")));
        // Only the first of each word, and only in its own spelling.
        QCOMPARE(pageAddress(QStringLiteral("a=sivuindeksi&b=sivuindeksi&c=SIVUJENKOKO"), 50, 3),
                 QStringLiteral("a=3&b=sivuindeksi&c=SIVUJENKOKO"));
    }

    void listPages_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<bool>("sound");
        const QString page = listPage(1, 50);
        QTest::newRow("page of 50") << page << true << true;
        QTest::newRow("empty list") << QStringLiteral("{\"items\":[]}") << true << true;
        QTest::newRow("empty answer") << QString() << false << false;
        QTest::newRow("cut short") << page.left(page.size() / 2) << true << false;
        QTest::newRow("error page") << QStringLiteral("<html>\"items\": poissa</html>") << true << false;
        QTest::newRow("no quotes") << QStringLiteral("{items:[]}") << true << false;
        QTest::newRow("apostrophes") << QStringLiteral("{'items':[]}") << true << false;
        QTest::newRow("other json") << QStringLiteral("{\"error\":{\"code\":401}}") << false << false;
        QTest::newRow("51 trades") << listPage(1, 51) << true << false;
        QTest::newRow("items not a list") << QStringLiteral("{\"items\":{\"links\":\"x\"}}") << true << false;
    }
    void listPages()
    {
        QFETCH(QString, answer);
        QTEST(hasListMarker(answer, QStringLiteral("\"items\":")), "marker");
        QTEST(pageIsSound(answer, QStringLiteral("\"items\":"), kPageSize), "sound");
    }

    void tradeWalk_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("first ten") << 0 << 10
            << QStringList{"51000001", "51000002", "51000003", "51000004", "51000005",
                           "51000006", "51000007", "51000008", "51000009", "51000010"};
        QTest::newRow("across pages") << 49 << 2 << QStringList{"51000050", "51000051"};
        QTest::newRow("last of all") << 59 << 5 << QStringList{"51000060"};
        QTest::newRow("second page") << 50 << 1 << QStringList{"51000051"};
    }
    void tradeWalk()
    {
        // Pages 1 and 2 (start 50 reads page 2 only: its first trade is the 51st).
        QFETCH(int, start);
        QFETCH(int, count);
        const QString joined = start >= 50 ? listPage(51, 60) : listPage(1, 50) + listPage(51, 60);
        QTEST(walk(joined, start, count), "items");
    }

    void walkEdges()
    {
        // The last trade is the rest of the text but its last character.
        TradeWalk last(QStringLiteral("{\"items\":[{\"links\":\"/items/12345678\"}]}"), 0, 5);
        QString trade;
        QVERIFY(last.next(&trade));
        QCOMPARE(trade, QStringLiteral("\"/items/12345678\"}]"));
        QVERIFY(!last.next(&trade));
        // A trade without an item link still counts.
        const QString joined = QStringLiteral("{\"ITEMS\":[{\"links\":{}},{\"links\":\"/items/11111111\"},"
                                              "{\"links\":\"/items/22222222\"}]}");
        QCOMPARE(walk(joined, 0, 2).size(), 2);
        QCOMPARE(walk(joined, 0, 2).last(), QStringLiteral("11111111"));
        QVERIFY(walk(QStringLiteral("<html>ei listaa</html>"), 0, 10).isEmpty());
    }

    void exactValues_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("found");
        QTest::newRow("comma") << "{\"quantity\":3,\"price\":1}" << "3" << true;
        QTest::newRow("brace") << "{\"quantity\":3}],\"x\":1" << "3" << true;
        QTest::newRow("end") << "{\"quantity\":3" << "3" << true;
        QTest::newRow("missing") << "{\"price\":1}" << "" << false;
        QTest::newRow("other capitals") << "{\"Quantity\":3}" << "" << false;
    }
    void exactValues()
    {
        QFETCH(QString, answer);
        bool found = false;
        QTEST(exactValue(answer, QStringLiteral("\"quantity\":"), &found), "value");
        QTEST(found, "found");
    }

    void tradeAnswers_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("reading");
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        const QString links = QStringLiteral("{\"purchases\":[{\"links\":{\"buyer\":\"http://a/1.1/users/6100013\"},");
        QTest::newRow("plain") << links + "\"quantity\":1,\"price\":12.5}]}" << int(Reading::Ok) << "1" << "12.5";
        QTest::newRow("pieces") << links + "\"quantity\":3,\"price\":12}]}" << int(Reading::Ok) << "3" << "12";
        QTest::newRow("no quantity") << links + "\"price\":12}]}" << int(Reading::Ok) << "1" << "12";
        QTest::newRow("null quantity") << links + "\"quantity\":null,\"price\":12}]}" << int(Reading::Ok) << "1" << "12";
        QTest::newRow("no price") << links + "\"quantity\":1}]}" << int(Reading::NoPrice) << "1" << "";
        QTest::newRow("null price") << links + "\"quantity\":1,\"price\":null}]}" << int(Reading::NoPrice) << "1" << "";
        QTest::newRow("price as text") << links + "\"price\":\"12,50\"}]}" << int(Reading::Faulty) << "1" << "\"12";
        QTest::newRow("absurd price") << links + "\"price\":1e300}]}" << int(Reading::Faulty) << "1" << "1e300";
        QTest::newRow("absurd quantity") << links + "\"quantity\":1000000000000000,\"price\":1}]}"
                                         << int(Reading::Faulty) << "1000000000000000" << "1";
        QTest::newRow("zero pieces") << links + "\"quantity\":0,\"price\":1}]}" << int(Reading::Faulty) << "0" << "1";
        QTest::newRow("object price") << links + "\"price\":{\"eur\":1}}]}" << int(Reading::Faulty) << "1" << "{\"eur\":1";
    }
    void tradeAnswers()
    {
        QFETCH(QString, answer);
        TradeFields f;
        QTEST(int(readTrade(answer, LedgerMode::Sold, &f)), "reading");
        QTEST(f.quantity, "quantity");
        QTEST(f.price, "price");
        QCOMPARE(f.counterpartyId, QStringLiteral("6100013"));
        TradeFields bought;
        readTrade(answer, LedgerMode::Bought, &bought);
        QVERIFY(bought.counterpartyId.isEmpty());
    }

    void itemAndUserAnswers()
    {
        const QString item = JsonScan::JsonUnescape(QStringLiteral(
            "{\"links\":{\"self\":\"http:\\/\\/a\\/1.1\\/items\\/51000001\",\"seller\":\"http:\\/\\/a\\/1.1\\/users\\/6200001\"},"
            "\"title\":\"Vanha \\\"Fiskars\\\" kirves \\u2013 hyv\\u00e4 <b>x</b>\",\"CLOSINGTIME\":\"2021-03-04T12:34:56+02:00\","
            "\"deliveryPrice\":5.5}"));
        TradeFields f;
        QCOMPARE(int(readItem(item, LedgerMode::Bought, &f)), int(Reading::Ok));
        QCOMPARE(f.counterpartyId, QStringLiteral("6200001"));
        // The escaped quotes come back as quotes, not as the scanner's placeholder.
        QCOMPARE(f.title, QStringLiteral("Vanha \"Fiskars\" kirves \u2013 hyvä <b>x</b>"));
        QCOMPARE(f.closingTime, QStringLiteral("2021-03-04T12:34:56+02:00"));
        QCOMPARE(f.deliveryPrice, QStringLiteral("5.5"));

        TradeFields bare;
        QCOMPARE(int(readItem(QStringLiteral("{\"deliveryPrice\":null}"), LedgerMode::Sold, &bare)), int(Reading::Ok));
        QVERIFY(bare.deliveryPrice.isEmpty() && bare.title.isEmpty() && bare.counterpartyId.isEmpty());
        QCOMPARE(int(readItem(QStringLiteral("{\"deliveryPrice\":\"ilmainen\"}"), LedgerMode::Sold, &bare)),
                 int(Reading::Faulty));

        TradeFields u;
        readUser(QStringLiteral("{\"username\":\"käyttäjä_1\",\"fullname\":\"Örjan Åberg\",\"email\":\"a@b\","
                                "\"zip\":\"00100\",\"town\":\"Ähtäri\",\"telephone\":\"09\"}"), &u);
        QCOMPARE(u.userName, QStringLiteral("käyttäjä_1"));
        QCOMPARE(u.fullName, QStringLiteral("Örjan Åberg"));
        QVERIFY(u.street.isEmpty() && u.mobile.isEmpty());
    }

    void closingCells_data()
    {
        QTest::addColumn<QString>("iso");
        QTest::addColumn<QString>("cell");
        QTest::newRow("iso") << "2021-03-04T12:34:56+02:00" << "04.03.2021 12:34:56";
        QTest::newRow("missing") << "" << ".. ";
    }
    void closingCells()
    {
        QFETCH(QString, iso);
        QTEST(closingCell(iso), "cell");
    }

    void rows()
    {
        TradeFields f;
        f.itemNumber = QStringLiteral("51000003");
        f.counterpartyId = QStringLiteral("6100003");
        f.quantity = QStringLiteral("3");
        f.price = QStringLiteral("12");
        f.title = QStringLiteral("Tuoli");
        f.closingTime = QStringLiteral("2021-03-04T12:34:56+02:00");
        f.deliveryPrice = QStringLiteral("5.5");
        f.fullName = QStringLiteral("Liisa Ääpälä");
        f.userName = QStringLiteral("liisa");
        f.email = QStringLiteral("l@x.fi");
        f.street = QStringLiteral("Kuja 1");
        f.zip = QStringLiteral("00100");
        f.town = QStringLiteral("Helsinki");
        f.mobile = QStringLiteral("040");
        QCOMPARE(rowOf(f), (QStringList{QString(), "51000003", "Tuoli (3 KPL)", "04.03.2021 12:34:56", "12.00",
                                        "Toimituskulut:5.50", QString(), QString(),
                                        "Liisa Ääpälä\r\nl@x.fi\r\nKuja 1\r\n00100 Helsinki\r\n040\r\n",
                                        "liisa/6100003"}));
        f.quantity = QStringLiteral("1");
        f.deliveryPrice.clear();
        f.price = QStringLiteral(".5");
        const QStringList one = rowOf(f);
        QCOMPARE(one.at(2), QStringLiteral("Tuoli"));
        QCOMPARE(one.at(4), QStringLiteral("0.50"));
        QCOMPARE(one.at(5), QStringLiteral("Toimituskulut:"));
        QCOMPARE(TradeFields().quantity, QStringLiteral("1"));
        QCOMPARE(rowOf(TradeFields()).at(8), QStringLiteral("\r\n\r\n\r\n \r\n\r\n"));
    }

    void textFields_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ok");
        QTest::newRow("texts") << "{\"username\":\"a\",\"mobile\":null,\"id\":5}" << true;
        QTest::newRow("number") << "{\"username\":12345}" << false;
        QTest::newRow("other capitals") << "{\"closingTime\":[1]}" << false;
        QTest::newRow("object") << "{\"title\":{\"fi\":\"x\"}}" << false;
    }
    void textFields()
    {
        QFETCH(QString, answer);
        const QJsonObject object = QJsonDocument::fromJson(answer.toUtf8()).object();
        QTEST(textFieldsOk(object, {"username", "mobile", "closingtime", "title"}), "ok");
    }

    void userIds_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<bool>("ok");
        QTest::newRow("digits") << "6100013" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("path") << "1/../../x" << false;
        QTest::newRow("query") << "12?a=1" << false;
        QTest::newRow("long") << "1234567890123" << false;
    }
    void userIds()
    {
        QFETCH(QString, id);
        QTEST(isUserId(id), "ok");
    }
};

QTEST_APPLESS_MAIN(TestLedgerFetchRules)
#include "tst_ledgerfetchrules.moc"
