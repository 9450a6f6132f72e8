#include "client/jsonscan.h"
#include <QtTest>

using namespace JsonScan;

class TestJsonScan : public QObject {
    Q_OBJECT
private slots:
    void unescape_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QStringLiteral("abc") << QStringLiteral("abc");
        QTest::newRow("slashes") << QStringLiteral("http:\\/\\/a\\/1.1\\/users\\/12")
                                 << QStringLiteral("http://a/1.1/users/12");
        QTest::newRow("backslash") << QStringLiteral("a\\\\b") << QStringLiteral("a\\b");
        QTest::newRow("quote becomes placeholder")
            << QStringLiteral("\"t\":\"Vanha \\\"Fiskars\\\"\"")
            << QStringLiteral("\"t\":\"Vanha \x1b" "Fiskars\x1b\"");
        QTest::newRow("controls") << QStringLiteral("a\\r\\n\\tb") << QStringLiteral("a\r\n\tb");
        QTest::newRow("unicode") << QStringLiteral("hyv\\u00e4 \\u00C4") << QStringLiteral("hyvä Ä");
        QTest::newRow("unicode outside cp1252") << QStringLiteral("\\u2013\\u0416") << QStringLiteral("–Ж");
        QTest::newRow("u with bad digits") << QStringLiteral("\\u00g4x") << QStringLiteral("\\u00g4x");
        QTest::newRow("u with three digits at end") << QStringLiteral("\\u0e4") << QStringLiteral("\\u0e4");
        QTest::newRow("u with exactly four at end") << QStringLiteral("\\u00e4") << QStringLiteral("ä");
        QTest::newRow("unknown escape keeps backslash") << QStringLiteral("\\x") << QStringLiteral("\\x");
        QTest::newRow("backslash before escape") << QStringLiteral("\\q\\n") << QStringLiteral("\\q\n");
        QTest::newRow("trailing backslash") << QStringLiteral("ab\\") << QStringLiteral("ab\\");
        QTest::newRow("latin letters pass") << QStringLiteral("äö€") << QStringLiteral("äö€");
    }
    void unescape()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(JsonUnescape(text), expected);
    }

    void unescapeCp1252ReplacesMissingCharacters()
    {
        QCOMPARE(JsonUnescapeCp1252(QStringLiteral("\\u20ac \\u2013 \\u0416 \\ud83d\\ude00")),
                 QStringLiteral("€ – ? ?"));
        // Half of a surrogate pair alone is a character the code page lacks too.
        QCOMPARE(JsonUnescapeCp1252(QStringLiteral("\\ud83dX \\ude00Y Z\\ud83d")), QStringLiteral("?X ?Y Z?"));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("expected");
        const QString auth = QStringLiteral("{\"token\":{\"ID\":\"abc\",\"x\":1}}");
        QTest::newRow("capital key found") << auth << QStringLiteral("\"id\":\"") << QStringLiteral("\"")
                                           << QStringLiteral("abc");
        QTest::newRow("value keeps case") << QStringLiteral("\"Title\":\"AbC\"") << QStringLiteral("\"title\":\"")
                                          << QStringLiteral("\"") << QStringLiteral("AbC");
        QTest::newRow("end found without case") << QStringLiteral("xSTARTabcENDq") << QStringLiteral("start")
                                                << QStringLiteral("end") << QStringLiteral("abc");
        QTest::newRow("no start") << auth << QStringLiteral("\"nope\":") << QStringLiteral("\"") << QString();
        QTest::newRow("no end") << QStringLiteral("\"id\":\"abc") << QStringLiteral("\"id\":\"")
                                << QStringLiteral("\"") << QString();
        QTest::newRow("users link") << QStringLiteral("\"buyer\":\"http://a/1.1/users/5551234\",")
                                    << QStringLiteral("/users/") << QStringLiteral("\"")
                                    << QStringLiteral("5551234");
        QTest::newRow("letter whose lower case is longer")
            << QStringLiteral("İİ\"id\":\"x\"") << QStringLiteral("\"id\":\"") << QStringLiteral("\"")
            << QStringLiteral("x");
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, expected);
        QCOMPARE(JsonParse(text, start, end), expected);
    }

    void avaajson_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const QString item = JsonUnescape(QStringLiteral(
            "{\"links\":{\"seller\":\"http:\\/\\/a\\/users\\/1\"},\"id\":12345678,"
            "\"title\":\"Vanha \\\"Fiskars\\\" kirves \\u2013 hyv\\u00e4\",\"seller\":\"Myyj\\u00e4\","
            "\"subCategory\":{\"id\":12,\"name\":\"Ty\\u00f6kalut\"},\"buyNowPrice\":null,"
            "\"tags\":[\"a\",\"b\"],\"minimumIncrease\":1,\"bidderCount\":2,\"deliveryPrice\":5.9}"));
        QTest::newRow("title with escaped quotes")
            << item << QStringLiteral("title") << QStringLiteral("Vanha \"Fiskars\" kirves – hyvä");
        QTest::newRow("number followed by comma") << item << QStringLiteral("id") << QStringLiteral("12345678");
        QTest::newRow("number closing its object")
            << QStringLiteral("{\"a\":{\"n\":5},\"b\":1}") << QStringLiteral("n") << QStringLiteral("5}");
        QTest::newRow("number closing the whole text") << item << QStringLiteral("deliveryPrice")
                                                    << QStringLiteral("5");
        QTest::newRow("number at very end") << QStringLiteral("\"price\":12.5") << QStringLiteral("price")
                                            << QStringLiteral("1");
        QTest::newRow("string without end quote") << QStringLiteral("\"t\":\"abc") << QStringLiteral("t")
                                                  << QStringLiteral("a");
        QTest::newRow("object loses bracket") << item << QStringLiteral("subCategory")
                                              << QStringLiteral("\"id\":12,\"name\":\"Työkalut\"");
        QTest::newRow("nested lookup") << QStringLiteral("\"id\":12,\"name\":\"Työkalut\"")
                                       << QStringLiteral("name") << QStringLiteral("Työkalut");
        QTest::newRow("array") << item << QStringLiteral("tags") << QStringLiteral("\"a\",\"b\"");
        QTest::newRow("first of two members") << item << QStringLiteral("seller")
                                              << QStringLiteral("http://a/users/1");
        QTest::newRow("key is case-sensitive") << item << QStringLiteral("Title") << QString();
        QTest::newRow("missing key") << item << QStringLiteral("nothing") << QString();
        QTest::newRow("nothing after colon") << QStringLiteral("{\"a\":") << QStringLiteral("a") << QString();
        QTest::newRow("null") << QStringLiteral("\"x\":null,") << QStringLiteral("x") << QString();
        QTest::newRow("minimumIncrease above 0") << item << QStringLiteral("minimumIncrease") << QStringLiteral("1");
        QTest::newRow("buyNowPrice null") << item << QStringLiteral("buyNowPrice") << QString();
        QTest::newRow("buyNowPrice 0") << QStringLiteral("\"buyNowPrice\":0,") << QStringLiteral("buyNowPrice") << QString();
        QTest::newRow("buyNowPrice negative") << QStringLiteral("\"buyNowPrice\":-5,")
                                              << QStringLiteral("buyNowPrice") << QString();
        QTest::newRow("buyNowPrice text") << QStringLiteral("\"buyNowPrice\":\"abc\",")
                                          << QStringLiteral("buyNowPrice") << QString();
        QTest::newRow("buyNowPrice 25.5") << QStringLiteral("\"buyNowPrice\":25.5,")
                                          << QStringLiteral("buyNowPrice") << QStringLiteral("25.5");
        QTest::newRow("minimumIncrease 0") << QStringLiteral("\"minimumIncrease\":0,")
                                           << QStringLiteral("minimumIncrease") << QString();
        QTest::newRow("other key 0 kept") << QStringLiteral("\"bidderCount\":0,")
                                          << QStringLiteral("bidderCount") << QStringLiteral("0");
    }
    void avaajson()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QCOMPARE(JsonScan::avaajson(text, key), expected);
    }

    void decimals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("7") << QStringLiteral("7") << QStringLiteral("7.00");
        QTest::newRow("12") << QStringLiteral("12") << QStringLiteral("12.00");
        QTest::newRow("12.5") << QStringLiteral("12.5") << QStringLiteral("12.50");
        QTest::newRow(".5") << QStringLiteral(".5") << QStringLiteral("0.50");
        QTest::newRow("12.345") << QStringLiteral("12.345") << QStringLiteral("12.345");
        QTest::newRow("12.50") << QStringLiteral("12.50") << QStringLiteral("12.50");
    }
    void decimals()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(lisaa_desimaalit(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestJsonScan)
#include "tst_jsonscan.moc"
