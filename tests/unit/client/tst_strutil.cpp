#include "client/strutil.h"
#include <QtTest>

namespace {
// A text of the given UTF-16 units (NULs and lone surrogates included).
QString chars(std::initializer_list<QChar> units)
{
    return QString(units.begin(), qsizetype(units.size()));
}
} // namespace

using namespace StrUtil;

class TestStrUtil : public QObject {
    Q_OBJECT
private slots:
    void copyfrom_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first position is the whole text") << "abcdef" << 1 << "abcdef";
        QTest::newRow("third position") << "abcdef" << 3 << "cdef";
        QTest::newRow("last position") << "abcdef" << 6 << "f";
        QTest::newRow("just beyond the end") << "abcdef" << 7 << "";
        QTest::newRow("far beyond the end") << "abc" << 100 << "";
        QTest::newRow("zero counts as one") << "abc" << 0 << "abc";
        QTest::newRow("negative counts as one") << "abc" << -5 << "abc";
        QTest::newRow("empty text") << "" << 1 << "";
        QTest::newRow("counts characters, not bytes") << "ääkkönen" << 3 << "kkönen";
    }
    void copyfrom()
    {
        QFETCH(QString, text);
        QFETCH(int, from);
        QFETCH(QString, expected);
        QCOMPARE(StrUtil::copyfrom(text, from), expected);
    }

    void suodatamerkit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("expected");
        QTest::newRow("blanks and tabs") << "Matti Myyjä\t/123" << " \t" << "MattiMyyjä/123";
        QTest::newRow("every occurrence") << "a-b-c--d" << "-" << "abcd";
        QTest::newRow("empty set keeps the text") << "abc" << "" << "abc";
        QTest::newRow("everything removed") << "aaa" << "a" << "";
        QTest::newRow("case matters") << "aAbB" << "ab" << "AB";
        QTest::newRow("line breaks") << "ni\r\nmi" << "\r\n" << "nimi";
    }
    void suodatamerkit()
    {
        QFETCH(QString, text);
        QFETCH(QString, set);
        QFETCH(QString, expected);
        QCOMPARE(StrUtil::suodatamerkit(text, set), expected);
    }

    void ansiposrev_data()
    {
        QTest::addColumn<QString>("sub");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("last of several") << "/" << "a/b/c" << 4;
        QTest::newRow("only one") << "b" << "abc" << 2;
        QTest::newRow("at the start") << "ab" << "abxx" << 1;
        QTest::newRow("at the very end") << "xx" << "abxx" << 3;
        QTest::newRow("overlapping occurrences") << "aa" << "aaa" << 2;
        QTest::newRow("none") << "z" << "abc" << 0;
        QTest::newRow("longer than text") << "abcd" << "abc" << 0;
        QTest::newRow("empty text") << "a" << "" << 0;
        QTest::newRow("empty sub") << "" << "abc" << 0;
        QTest::newRow("case-sensitive") << "A" << "abc" << 0;
        QTest::newRow("one NUL, none in the text") << QString(QChar(0)) << "abc" << 0;
        QTest::newRow("one NUL, in the text") << QString(QChar(0)) << chars({QChar(u'a'), QChar(0), QChar(u'b')}) << 2;
        QTest::newRow("one NUL, empty text") << QString(QChar(0)) << "" << 0;
    }
    void ansiposrev()
    {
        QFETCH(QString, sub);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(StrUtil::ansiposrev(sub, text), expected);
    }

    void kokonaisluvuksi_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << "12" << 12;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("negative") << "-5" << -5;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("surrounding blanks") << " 42 " << 42;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("blank") << "  " << -1;
        QTest::newRow("trailing letter") << "12a" << -1;
        QTest::newRow("decimal") << "1.5" << -1;
        QTest::newRow("decimal comma") << "1,5" << -1;
        QTest::newRow("group separator") << "1,000" << -1;
        QTest::newRow("sign alone") << "-" << -1;
        QTest::newRow("inner blank") << "1 2" << -1;
        QTest::newRow("hex") << "0x1F" << -1;
        QTest::newRow("too large for int") << "99999999999" << -1;
        QTest::newRow("largest int") << "2147483647" << 2147483647;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << -1;
        QTest::newRow("NUL and junk after the digits") << chars({QChar(u'1'), QChar(0), QChar(u'2')}) << -1;
        QTest::newRow("NUL at the end") << chars({QChar(u'4'), QChar(0)}) << -1;
        QTest::newRow("smallest int") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("below the smallest int") << "-2147483649" << -1;
    }
    void kokonaisluvuksi()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        QCOMPARE(StrUtil::kokonaisluvuksi(text), expected);
    }

    void desimaaliluvuksi_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("decimal comma") << "12,50" << 12.5;
        QTest::newRow("decimal point") << "12.50" << 12.5;
        QTest::newRow("whole") << "7" << 7.0;
        QTest::newRow("leading point") << ".5" << 0.5;
        QTest::newRow("zero") << "0" << 0.0;
        QTest::newRow("negative") << "-3,25" << -3.25;
        QTest::newRow("surrounding blanks") << " 0.80 " << 0.8;
        QTest::newRow("word") << "hinta" << -1.0;
        QTest::newRow("empty") << "" << -1.0;
        QTest::newRow("number then word") << "12 e" << -1.0;
        QTest::newRow("two separators") << "1,234.5" << -1.0;
        QTest::newRow("infinity is not a price") << "inf" << -1.0;
        QTest::newRow("not a number") << "nan" << -1.0;
        QTest::newRow("NUL and junk after the number") << chars({QChar(u'1'), QChar(u'2'), QChar(0), QChar(u'5')}) << -1.0;
    }
    void desimaaliluvuksi()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(StrUtil::desimaaliluvuksi(text), expected);
    }

    void desimaaliluvuksiIgnoresTheDefaultLocale()
    {
        // Under the Finnish locale "," is the decimal separator and "." groups
        // thousands; the marketplace's numbers must still read the same.
        const QLocale saved;
        QLocale::setDefault(QLocale(QLocale::Finnish, QLocale::Finland));
        const double price = StrUtil::desimaaliluvuksi(QStringLiteral("1.250"));
        const int whole = StrUtil::kokonaisluvuksi(QStringLiteral("1.250"));
        QLocale::setDefault(saved);
        QCOMPARE(price, 1.25);
        QCOMPARE(whole, -1);
    }

    void palautaitemid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("item address with slug and query")
            << "https://www.vasaro.fi/kohteet/vanha-vasara/12345678?ref=x" << "12345678";
        QTest::newRow("item address without slug") << "https://www.vasaro.fi/kohteet/12345678" << "12345678";
        QTest::newRow("capitals in the marker") << "https://www.vasaro.fi/KOHTEET/Slug/87654321" << "87654321";
        QTest::newRow("id marker, case ignored, case kept")
            << "http://x.fi/vanha.php3/ID/12345678Ab&a=1" << "12345678Ab";
        QTest::newRow("itemid marker") << "/itemid/23456789>rest" << "23456789";
        QTest::newRow("item marker wins over id")
            << "/id/11111111/kohteet/s/22222222" << "22222222";
        QTest::newRow("id wins over itemid") << "/itemid/11111111/id/22222222" << "22222222";
        QTest::newRow("link in a result card")
            << "<a class=\"card\" href=\"/kohteet/hieno-tuoli/34567890\">Hieno tuoli</a>" << "34567890";
        QTest::newRow("slugless link in HTML")
            << "<a href=\"/kohteet/34567890\">Tuoli</a>" << "34567890";
        QTest::newRow("slash only in the query")
            << "/kohteet/34567890?from=/haku/osasto/5" << "34567890";
        QTest::newRow("ampersand ends it") << "/kohteet/s/12345678&x=1" << "12345678";
        QTest::newRow("no marker") << "https://www.vasaro.fi/haku/words/tuoli" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("marker at the end") << "https://www.vasaro.fi/kohteet/" << "";
    }
    void palautaitemid()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(StrUtil::palautaitemid(text), expected);
    }

    void palauta_api_itemid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bids address") << "https://api.vasaro.fi/1.1/items/12345678/bids" << "12345678";
        QTest::newRow("number at the end") << "/items/12345678" << "12345678";
        QTest::newRow("in JSON") << "{\"url\":\"/1.1/items/98765432\",\"x\":1}" << "98765432";
        QTest::newRow("capitals do not match") << "/ITEMS/12345678" << "";
        QTest::newRow("first marker only") << "/items/x/items/12345678" << "";
        QTest::newRow("no digits") << "/items/abc" << "";
        QTest::newRow("absent") << "/users/123" << "";
    }
    void palauta_api_itemid()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(StrUtil::palauta_api_itemid(text), expected);
    }

    void validitemid_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("expected");
        QTest::newRow("eight digits") << "12345678" << true;
        QTest::newRow("ten digits") << "1234567890" << true;
        QTest::newRow("seven digits") << "1234567" << false;
        QTest::newRow("eight digits and a letter") << "12345678a" << false;
        QTest::newRow("letter inside") << "1234a5678" << false;
        QTest::newRow("blank inside") << "1234 5678" << false;
        QTest::newRow("sign") << "-12345678" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("non-ASCII digits")
            << QString::fromUtf8("\u0661\u0662\u0663\u0664\u0665\u0666\u0667\u0668") << false;
    }
    void validitemid()
    {
        QFETCH(QString, text);
        QFETCH(bool, expected);
        QCOMPARE(StrUtil::validitemid(text), expected);
    }
};

QTEST_GUILESS_MAIN(TestStrUtil)
#include "tst_strutil.moc"
