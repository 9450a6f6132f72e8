// The ".ilm" template file: the exact bytes written, the reading rules, and
// files that are not (whole) templates.
#include "seller/templates/listingtemplate.h"
#include <QTemporaryDir>
#include <QtTest>

class TstListingTemplate final : public QObject {
    Q_OBJECT
private slots:
    void writesExactBytes();
    void vatLineOnlyWhenSet();
    void encodesBreaks_data();
    void encodesBreaks();
    void readRules_data();
    void readRules();
    void termsKeepTheirLinesThroughAFile();
    void badFiles_data();
    void badFiles();
    void truncatedFileFillsWhatItHas();

private:
    static TListingTemplate sample();
};

TListingTemplate TstListingTemplate::sample()
{
    TListingTemplate t;
    t.quantity = "2";
    t.sellstyle = "1";
    t.title = QStringLiteral("Äänilevy \"Öisin\"");
    t.mainCategory = "10";
    t.subCategory = "1020";
    t.category = "102030";
    t.description = QStringLiteral("<p>Hyvä kunto</p>\r\n<p>Toinen rivi</p>");
    t.zipcode = "00100";
    t.foreign = true;
    t.minimumFeedback = "5";
    t.startprice = "1.50";
    t.price = "20";
    t.increase = "0.50";
    t.deliveryPrice = "4,90";
    t.deliveryTerms = QStringLiteral("Posti\r\nNouto");
    t.paymentTerms = QStringLiteral("Tilisiirto");
    t.classification = "3";
    t.paymentMethod3 = true;
    t.deliveryMethod1 = true;
    t.republish = true;
    t.marginalTax = true;
    t.vat = "24";
    return t;
}

void TstListingTemplate::writesExactBytes()
{
    const QByteArray expected =
        "Quantity:2\r\n"
        "Sellstyle:1\r\n"
        "Title:\xC4\xE4nilevy \"\xD6isin\"\r\n"
        "Maincategory:10\r\n"
        "Subcategory:1020\r\n"
        "Category:102030\r\n"
        "Description:<p>Hyv\xE4 kunto</p><RV><p>Toinen rivi</p>\r\n"
        "Zipcode:00100\r\n"
        "Ulkomaat:1\r\n"
        "Minfbvalue:5\r\n"
        "Startprice:1.50\r\n"
        "Price:20\r\n"
        "Increase:0.50\r\n"
        "Deliveryprice:4,90\r\n"
        "deliveryTerms:Posti<RV>Nouto\r\n"
        "paymentTerms:Tilisiirto\r\n"
        "Classification:3\r\n"
        "Buystyle1:0\r\n"
        "Buystyle2:0\r\n"
        "Buystyle6:1\r\n"
        "Deliverystyle1:1\r\n"
        "Deliverystyle2:0\r\n"
        "Useauth:0\r\n"
        "Republish:1\r\n"
        "Hintaehdotus:0\r\n"
        "Marginaltax:1\r\n"
        "Alv:24\r\n";
    QCOMPARE(TemplateFile::write(sample()), expected);
}

void TstListingTemplate::vatLineOnlyWhenSet()
{
    TListingTemplate t = sample();
    t.vat.clear();
    const QByteArray bytes = TemplateFile::write(t);
    QVERIFY(!bytes.contains("Alv:"));
    QVERIFY(bytes.endsWith("Marginaltax:1\r\n"));
    QCOMPARE(bytes.count("\r\n"), 26);
}

void TstListingTemplate::encodesBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("CR LF") << "a\r\nb" << "a<RV>b";
    QTest::newRow("LF of a browser text field") << "a\nb\n" << "a<RV>b<RV>";
    QTest::newRow("CR") << "a\rb" << "a<RV>b";
    QTest::newRow("blank line") << "a\r\n\r\nb" << "a<RV><RV>b";
    QTest::newRow("nothing else escaped") << "<RV>\"x\"" << "<RV>\"x\"";
}

void TstListingTemplate::encodesBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(TemplateFile::encodeBreaks(text), encoded);
}

void TstListingTemplate::readRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first comma of a price") << QByteArray("Startprice:12,50\r\n") << "startprice" << "12.50";
    QTest::newRow("only the first comma") << QByteArray("Startprice:1,234,50\r\n") << "startprice" << "1.234,50";
    QTest::newRow("comma in vat") << QByteArray("Alv:25,5\r\n") << "vat" << "25.5";
    QTest::newRow("comma of the zip code stays") << QByteArray("Zipcode:00,1\r\n") << "zipcode" << "00,1";
    QTest::newRow("description breaks removed, quotes made apostrophes")
        << QByteArray("Description:<b>\"A\"</b><RV>B\r\n") << "description" << "<b>'A'</b>B";
    QTest::newRow("terms breaks back") << QByteArray("paymentTerms:a<RV>b\r\n") << "paymentTerms" << "a\r\nb";
    QTest::newRow("old delivery key") << QByteArray("Deliveryother:vanha\r\n") << "deliveryTerms" << "vanha";
    QTest::newRow("later delivery line wins")
        << QByteArray("Deliveryother:vanha\r\nTitle:x\r\ndeliveryTerms:uusi\r\n") << "deliveryTerms" << "uusi";
    QTest::newRow("later old line wins too")
        << QByteArray("deliveryTerms:uusi\r\nDeliveryother:vanha\r\n") << "deliveryTerms" << "vanha";
    QTest::newRow("key case matters") << QByteArray("DeliveryTerms:x\r\ntitle:y\r\n") << "deliveryTerms" << "";
    QTest::newRow("shifted category: Subcategory") << QByteArray("Subcategory:77\r\n") << "subCategory" << "77";
    QTest::newRow("shifted category: Category") << QByteArray("Category:88\r\n") << "category" << "88";
    QTest::newRow("any order, unknown lines skipped")
        << QByteArray("Outo:1\r\nPrice:5\r\nQuantity:3\r\n") << "quantity" << "3";
    QTest::newRow("LF-only lines") << QByteArray("Title:a\nPrice:7\n") << "price" << "7";
    QTest::newRow("Windows-1252 letters") << QByteArray("Title:\xE4\xF6\x80\r\n") << "title"
                                          << QStringLiteral("äö€");
    QTest::newRow("flag 1 then blank") << QByteArray("Republish:1 \r\n") << "republish" << "1";
    QTest::newRow("flag true is off") << QByteArray("Republish:true\r\n") << "republish" << "0";
    QTest::newRow("flag 0 is off") << QByteArray("Republish:0\r\n") << "republish" << "0";
    QTest::newRow("payment method 3 under six") << QByteArray("Buystyle6:1\r\n") << "paymentMethod3" << "1";
    QTest::newRow("Buystyle3 is not a key") << QByteArray("Buystyle3:1\r\n") << "paymentMethod3" << "0";
    QTest::newRow("foreign flag") << QByteArray("Ulkomaat:1\r\n") << "foreign" << "1";
}

void TstListingTemplate::readRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    const TListingTemplate t = TemplateFile::read(file);
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    const QHash<QString, QString> values{
        {"startprice", t.startprice}, {"vat", t.vat}, {"zipcode", t.zipcode},
        {"description", t.description}, {"paymentTerms", t.paymentTerms},
        {"deliveryTerms", t.deliveryTerms}, {"subCategory", t.subCategory}, {"category", t.category},
        {"quantity", t.quantity}, {"price", t.price}, {"title", t.title},
        {"republish", flag(t.republish)}, {"paymentMethod3", flag(t.paymentMethod3)},
        {"foreign", flag(t.foreign)},
    };
    QVERIFY2(values.contains(field), qPrintable(field));
    QCOMPARE(values.value(field), expected);
}

void TstListingTemplate::termsKeepTheirLinesThroughAFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("Kamera.ilm");
    QString error;
    QVERIFY(TemplateFile::save(path, sample(), &error));
    TListingTemplate back;
    QVERIFY(TemplateFile::load(path, &back, &error));
    QCOMPARE(back.deliveryTerms, sample().deliveryTerms);
    // The description loses its bare line breaks and its quotes.
    QCOMPARE(back.description, QStringLiteral("<p>Hyvä kunto</p><p>Toinen rivi</p>"));
    QCOMPARE(back.title, sample().title);
    QCOMPARE(back.deliveryPrice, QStringLiteral("4.90"));
    QVERIFY(back.republish && back.marginalTax && back.foreign && !back.paymentMethod1);
}

void TstListingTemplate::badFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("missing");
    QTest::newRow("missing file") << QByteArray() << true;
    QTest::newRow("over a megabyte") << QByteArray("Title:x\r\n") + QByteArray(TemplateFile::kMaxBytes, 'a') << false;
    QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18) << false;
}

void TstListingTemplate::badFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, missing);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ilm");
    if (!missing) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    TListingTemplate t;
    t.title = "ennallaan";
    QString error;
    QVERIFY(!TemplateFile::load(path, &t, &error));
    QVERIFY(error.contains(path));
    QCOMPARE(t.title, QStringLiteral("ennallaan"));
}

void TstListingTemplate::truncatedFileFillsWhatItHas()
{
    QByteArray bytes = TemplateFile::write(sample());
    bytes.truncate(bytes.indexOf("Zipcode:") + 5);
    QTemporaryDir dir;
    const QString path = dir.filePath("x.ilm");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    f.close();
    TListingTemplate t;
    QString error;
    QVERIFY(TemplateFile::load(path, &t, &error));
    QCOMPARE(t.category, QStringLiteral("102030"));
    QCOMPARE(t.zipcode, QString());
    QVERIFY(!t.republish);
}

QTEST_GUILESS_MAIN(TstListingTemplate)
#include "tst_listingtemplate.moc"
