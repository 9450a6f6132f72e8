// The rules of the result-page tools that need no page: which element is a
// listing picture, the zoom mapping, what an item's API answer puts into the
// preview labels (also when the answer is broken), the next-listing walk and
// the forum's day colours.
#include "buyer/resultpage/forumcolours.h"
#include "buyer/resultpage/nextlisting.h"
#include "buyer/resultpage/picturepreview.h"
#include "buyer/resultpage/smallpictures.h"
#include "client/jsonscan.h"
#include <QtTest>

namespace {
// An item answer the way the API writes it: the seller's address comes
// before the seller's name under the same member name.
QString itemAnswer(const QString &bidders, const QString &delivery)
{
    QString text = QStringLiteral(
        "{\"links\":{\"self\":\"http:\\/\\/api.vasaro.test\\/1.1\\/items\\/31000101\","
        "\"seller\":\"http:\\/\\/api.vasaro.test\\/1.1\\/users\\/1234\"},\"id\":31000101,"
        "\"title\":\"Vanha \\\"Fiskars\\\" kirves\",\"subCategory\":{\"id\":12,\"name\":\"K\\u00e4sity\\u00f6kalut\","
        "\"links\":{\"self\":\"x\"}},\"seller\":\"M\\u00f6kkimyyj\\u00e4\",\"postalCode\":\"00100\","
        "\"location\":\"Helsinki\",\"bidderCount\":%1,%2"
        "\"images\":[{\"links\":{\"thumbnail\":\"http:\\/\\/kuvat.vasaro.test\\/31000101-t.jpg\","
        "\"medium\":\"http:\\/\\/kuvat.vasaro.test\\/31000101-m.jpg\"}}]}");
    return text.arg(bidders, delivery.isEmpty() ? QString() : QStringLiteral("\"deliveryPrice\":%1,").arg(delivery));
}
} // namespace

class TestResultPageRules : public QObject {
    Q_OBJECT
private slots:
    void listingPicture_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("picture");
        QTest::newRow("small picture") << "<img src=\"http://kuvat.vasaro.test/1-S.JPG\">" << true;
        QTest::newRow("no picture") << "<img src=\"/img/eikuvaa_140.png\">" << true;
        QTest::newRow("title link") << "<a href=\"/kohteet/x/31000101\">Kohde</a>" << false;
        QTest::newRow("medium picture") << "<img src=\"http://kuvat.vasaro.test/1-m.jpg\">" << false;
        QTest::newRow("whole card") << "<div class=\"row-fluid item\"><img src=\"1-s.jpg\"></div>" << false;
        QTest::newRow("picture in a div") << "<span><div><img src=\"1-s.jpg\"></div></span>" << false;
    }
    void listingPicture()
    {
        QFETCH(QString, html);
        QFETCH(bool, picture);
        QCOMPARE(PicturePreview::isListingPicture(html), picture);
    }

    void zoom_data()
    {
        QTest::addColumn<QPoint>("client");
        QTest::addColumn<double>("zoom");
        QTest::addColumn<QPoint>("page");
        QTest::newRow("100 %") << QPoint(300, 200) << 100.0 << QPoint(300, 200);
        QTest::newRow("200 %: half") << QPoint(300, 200) << 200.0 << QPoint(150, 100);
        QTest::newRow("50 %: double") << QPoint(300, 200) << 50.0 << QPoint(600, 400);
        QTest::newRow("below 1 counts as 100") << QPoint(300, 200) << 0.0 << QPoint(300, 200);
    }
    void zoom()
    {
        QFETCH(QPoint, client);
        QFETCH(double, zoom);
        QFETCH(QPoint, page);
        QCOMPARE(PicturePreview::pagePoint(client, zoom), page);
    }

    void onPage_data()
    {
        QTest::addColumn<QPoint>("client");
        QTest::addColumn<bool>("on");
        QTest::newRow("inside") << QPoint(10, 10) << true;
        QTest::newRow("left edge") << QPoint(0, 0) << true;
        QTest::newRow("scroll bar") << QPoint(981, 10) << false;
        QTest::newRow("just before the scroll bar") << QPoint(980, 10) << true;
        QTest::newRow("above") << QPoint(10, -1) << false;
        QTest::newRow("bottom edge") << QPoint(10, 700) << false;
    }
    void onPage()
    {
        QFETCH(QPoint, client);
        QFETCH(bool, on);
        QCOMPARE(PicturePreview::onPage(client, QSize(1000, 700)), on);
    }

    void pictureAddress_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("has");
        QTest::addColumn<QString>("address");
        QTest::newRow("medium picture") << "{\"t\":\"x-t.jpg\",\"m\":\"http://kuvat.vasaro.test/1-m.jpg\"}" << true
                                        << "http://kuvat.vasaro.test/1-m.jpg";
        QTest::newRow("https becomes http") << "\"m\":\"https://kuvat.x/2-m.jpg\"," << true << "http://kuvat.x/2-m.jpg";
        QTest::newRow("last of several") << "\"a\":\"http://kuvat.x/1-m.jpg\",\"b\":\"http://kuvat.x/2-m.jpg\"}" << true
                                         << "http://kuvat.x/2-m.jpg";
        QTest::newRow("other host") << "\"m\":\"http://muualla.test/1-m.jpg\"" << true << "";
        QTest::newRow("at the very end") << "\"m\":\"http://kuvat.x/3-m.jpg" << true << "http://kuvat.x/3-m.jpg";
        QTest::newRow("none") << "{\"id\":1}" << false << "";
    }
    void pictureAddress()
    {
        QFETCH(QString, answer);
        QFETCH(bool, has);
        QFETCH(QString, address);
        bool found = !has;
        QCOMPARE(PicturePreview::pictureAddress(answer, &found), address);
        QCOMPARE(found, has);
    }

    void sellerRename_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("seller");
        QTest::newRow("address first") << "{\"links\":{\"seller\":\"http://a/users/1\"},\"seller\":\"Myyja\",\"x\":1}"
                                       << "Myyja";
        QTest::newRow("address in capitals") << "{\"SELLER\":\"http://a\",\"seller\":\"Myyja\",\"x\":1}" << "Myyja";
        QTest::newRow("only once stays") << "{\"seller\":\"Ainoa\",\"x\":1}" << "Ainoa";
    }
    void sellerRename()
    {
        QFETCH(QString, answer);
        QFETCH(QString, seller);
        QCOMPARE(JsonScan::avaajson(PicturePreview::renameSellerAddress(answer), QStringLiteral("seller")), seller);
    }

    // Each row: the answer, whether the panel opens, the four labels and
    // whether the latest bidder was asked.
    void labels_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("bidderAsked");
        const QString seller = QStringLiteral("Myyjä: Mökkimyyjä   00100 Helsinki");
        const QString category = QStringLiteral("Osasto: Käsityökalut");
        QTest::newRow("bids, delivery 5")
            << itemAnswer("2", "5") << true
            << QStringList{seller, "Toimituskulut: 5.00", category, "Huutaja: Huutaja Ääni"} << true;
        QTest::newRow("no bids: no request")
            << itemAnswer("0", "5.9") << true
            << QStringList{seller, "Toimituskulut: 5.90", category, "Huutaja: -"} << false;
        QTest::newRow("no delivery price")
            << itemAnswer("0", "null") << true
            << QStringList{seller, "Toimituskulut: -", category, "Huutaja: -"} << false;
        QTest::newRow("count closing its object")
            << QStringLiteral("{\"bidderCount\":0}") << false
            << QStringList{"Myyjä:     ", "Toimituskulut: -", "Osasto: ", "Huutaja: -"} << false;
        const QString full = itemAnswer("0", "5");
        QTest::newRow("truncated after the picture")
            << full.left(full.indexOf("-m.jpg") + 6) << true
            << QStringList{seller, "Toimituskulut: 5.00", category, "Huutaja: -"} << false;
        QTest::newRow("truncated before the picture")
            << full.left(full.indexOf("\"postalCode\"")) << false
            << QStringList{"Myyjä: Mökkimyyjä    ", "Toimituskulut: -", category, "Huutaja: Huutaja Ääni"} << true;
        QTest::newRow("not JSON")
            << QStringLiteral("<html><body>Palvelu ei ole käytettävissä</body></html>") << false
            << QStringList{"Myyjä:     ", "Toimituskulut: -", "Osasto: ", "Huutaja: Huutaja Ääni"} << true;
    }
    void labels()
    {
        QFETCH(QString, answer);
        QFETCH(bool, opens);
        QFETCH(QStringList, texts);
        QFETCH(bool, bidderAsked);
        bool asked = false;
        const PicturePreview::Info info =
            PicturePreview::fromAnswer(JsonScan::JsonUnescapeCp1252(answer), [&asked] {
                asked = true;
                return QStringLiteral("Huutaja Ääni");
            });
        QCOMPARE(info.hasPicture, opens);
        QCOMPARE((QStringList{info.ek1, info.ek3, info.ek4, info.ek5}), texts);
        QCOMPARE(asked, bidderAsked);
        if (opens)
            QCOMPARE(info.pictureUrl, QStringLiteral("http://kuvat.vasaro.test/31000101-m.jpg"));
    }

    // Presses of "-> Seuraava kohde" over a list where every listing occurs
    // twice (picture and title link). Each step: the page the address box
    // shows before the press (or "=" for the one opened by the last press,
    // as the pipeline selects it), then the listing expected to open.
    void nextListing_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("opened");
        const QStringList pairs{"h/kohteet/a/1", "h/kohteet/a/1", "h/kohteet/b/2", "h/kohteet/b/2",
                                "h/kohteet/c/3", "h/kohteet/c/3"};
        QTest::newRow("from the result page through to the end")
            << pairs << QStringList{"h/haku", "=", "=", "="}
            << QStringList{"h/kohteet/a/1", "h/kohteet/b/2", "h/kohteet/c/3", "h/kohteet/c/3"};
        QTest::newRow("address box in other case")
            << pairs << QStringList{"h/haku", "H/KOHTEET/A/1", "H/KOHTEET/B/2"}
            << QStringList{"h/kohteet/a/1", "h/kohteet/b/2", "h/kohteet/c/3"};
        QTest::newRow("address box spelling the address differently")
            << QStringList{"http://v.test/kohteet/%C3%A4/1", "http://v.test/kohteet/%C3%A4/1", "http://v.test/kohteet/b/2"}
            << QStringList{"http://v.test/haku", "http://v.test/kohteet/ä/1"}
            << QStringList{"http://v.test/kohteet/%C3%A4/1", "http://v.test/kohteet/b/2"};
        QTest::newRow("address box matches nothing")
            << pairs << QStringList{"h/haku", "muu", "muu"}
            << QStringList{"h/kohteet/a/1", "h/kohteet/b/2", "h/kohteet/c/3"};
        QTest::newRow("on an item in the middle")
            << pairs << QStringList{"h/kohteet/b/2"} << QStringList{"h/kohteet/c/3"};
        QTest::newRow("single entry") << QStringList{"h/kohteet/a/1"} << QStringList{"h/haku", "="}
                                      << QStringList{"h/kohteet/a/1", "h/kohteet/a/1"};
    }
    void nextListing()
    {
        QFETCH(QStringList, list);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, opened);
        NextListing links;
        links.linkit(list);
        QString last;
        for (int i = 0; i < steps.size(); ++i) {
            const QString box = steps.at(i) == QLatin1String("=") ? last : steps.at(i);
            if (steps.at(i) == QLatin1String("="))
                links.selectEqual(last);
            const QString next = links.seuraava(box);
            QCOMPARE(next, opened.at(i));
            QVERIFY2(next != box || i == steps.size() - 1 || box == opened.last(), "the same listing again");
            last = next;
        }
    }

    void linkList()
    {
        NextListing links;
        links.linkit({"http://v.test/kohteet/a/1", "http://v.test/kayttaja/5", "http://v.test/KOHTEET/b/2", ""});
        QCOMPARE(links.entries(), (QStringList{"http://v.test/kohteet/a/1", "http://v.test/KOHTEET/b/2"}));
        QCOMPARE(links.selected(), -1);
        NextListing empty;
        QCOMPARE(empty.seuraava(QStringLiteral("x")), QString());
    }

    void forumDays_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QString>("todayText");
        QTest::addColumn<QString>("yesterdayText");
        QTest::newRow("ordinary") << QDate(2022, 3, 4) << "04.03" << "03.03";
        QTest::newRow("first of the month") << QDate(2022, 3, 1) << "01.03" << "28.02";
        QTest::newRow("new year") << QDate(2023, 1, 1) << "01.01" << "31.12";
    }
    void forumDays()
    {
        QFETCH(QDate, today);
        QFETCH(QString, todayText);
        QFETCH(QString, yesterdayText);
        const ForumColours::Days d = ForumColours::days(today);
        QCOMPARE(d.today, todayText);
        QCOMPARE(d.yesterday, yesterdayText);
    }

    void forumColours_data()
    {
        QTest::addColumn<QString>("inner");
        QTest::addColumn<QString>("outer");
        QTest::addColumn<QString>("newInner");
        QTest::addColumn<QString>("newOuter");
        QTest::newRow("header today") << "Kirjoitettu: 04.03.2022" << "<div>Kirjoitettu: 04.03.2022</div>"
                                      << "<font color=\"GREEN\">Kirjoitettu: 04.03.2022</font>" << "";
        QTest::newRow("header yesterday") << "KIRJOITETTU: 03.03.2022" << "<div>x</div>"
                                          << "<font color=\"OLIVE\">KIRJOITETTU: 03.03.2022</font>" << "";
        QTest::newRow("header older") << "Kirjoitettu: 02.03.2022" << "<div>x</div>" << "" << "";
        QTest::newRow("no header word") << "04.03.2022" << "<div>04.03.2022</div>" << "" << "";
        QTest::newRow("time today") << "04.03.2022 10:15" << "<div class=\"message-time\">04.03.2022 10:15</div>" << ""
                                    << "<div class=\"message-time\"><b><font color=\"GREEN\">04.03</font></b>.2022 10:15</div>";
        QTest::newRow("time yesterday") << "x" << "<div class=\"Message-Time\">03.03.2022</div>" << ""
                                        << "<div class=\"Message-Time\"><b><font color=\"OLIVE\">03.03</font></b>.2022</div>";
        QTest::newRow("time older") << "x" << "<div class=\"message-time\">02.03.2022</div>" << "" << "";
    }
    void forumColours()
    {
        QFETCH(QString, inner);
        QFETCH(QString, outer);
        QFETCH(QString, newInner);
        QFETCH(QString, newOuter);
        const ForumColours::Days d = ForumColours::days(QDate(2022, 3, 4));
        QCOMPARE(ForumColours::colouredHeader(inner, d), newInner);
        QCOMPARE(ForumColours::colouredTime(outer, d), newOuter);
    }

    void smallPicture_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("shrunk");
        QTest::newRow("picture host") << "<img src=\"http://KUVAT.vasaro.test/1-s.jpg\">" << true;
        QTest::newRow("no picture") << "<img src=\"/img/eikuvaa_140.png\">" << true;
        QTest::newRow("logo") << "<img src=\"/img/logo.png\">" << false;
    }
    void smallPicture()
    {
        QFETCH(QString, html);
        QFETCH(bool, shrunk);
        QCOMPARE(SmallPictures::isListingImage(html), shrunk);
    }
};

QTEST_GUILESS_MAIN(TestResultPageRules)
#include "tst_resultpagerules.moc"
