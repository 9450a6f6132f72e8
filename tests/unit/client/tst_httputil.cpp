#include "client/httputil.h"
#include <QtTest>

using namespace HttpUtil;

class TestHttpUtil : public QObject {
    Q_OBJECT
private slots:
    void encodeBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("letters, space, ampersand, UTF-8 of ä") << QByteArray("a b&\xC3\xA4") << "a+b%26%c3%a4";
        QTest::newRow("characters copied as they are")
            << QByteArray("AZaz09!$'()*-.@_") << "AZaz09!$'()*-.@_";
        QTest::newRow("reserved characters")
            << QByteArray("/?=#%+:;,\"<>~") << "%2f%3f%3d%23%25%2b%3a%3b%2c%22%3c%3e%7e";
        QTest::newRow("control bytes and NUL") << QByteArray("\r\n\t\0", 4) << "%0d%0a%09%00";
        QTest::newRow("Windows-1252 byte above 127") << QByteArray("\xE4\xFF\x80") << "%e4%ff%80";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void encodeBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(HTTPEncodeBytes(bytes), expected);
    }

    void encodeTextGoesThroughUtf8_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("user name with ä and blank") << "Mä ja sä" << "M%c3%a4+ja+s%c3%a4";
        QTest::newRow("euro sign") << "5 €" << "5+%e2%82%ac";
        QTest::newRow("ascii") << "matti_m" << "matti_m";
    }
    void encodeTextGoesThroughUtf8()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(HTTPEncode(text), expected);
    }

    void nocacheIsTwoNumbersBelow30000()
    {
        // The value must split into two decimal numbers, each below 30000.
        const auto splits = [](const QString &v) {
            const auto number = [](const QString &part) {
                bool ok = false;
                const int n = part.toInt(&ok);
                return ok && n < 30000 && QString::number(n) == part;
            };
            for (int i = 1; i < v.size(); ++i) {
                if (number(v.left(i)) && number(v.mid(i)))
                    return true;
            }
            return false;
        };
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) {
            const QString v = nocache();
            QVERIFY2(splits(v), qPrintable(v));
            seen.insert(v);
        }
        QVERIFY2(seen.size() > 150, "values should differ from call to call");
    }

    void korjaautf8_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("C2 80 becomes the euro sign") << QByteArray("5 \xC2\x80") << QByteArray("5 \xE2\x82\xAC");
        QTest::newRow("C2 96 becomes an en dash") << QByteArray("a\xC2\x96" "b") << QByteArray("a\xE2\x80\x93" "b");
        QTest::newRow("C2 A0..BF stay") << QByteArray("\xC2\xA0\xC2\xBF") << QByteArray("\xC2\xA0\xC2\xBF");
        QTest::newRow("unassigned 81 stays a control") << QByteArray("\xC2\x81") << QByteArray("\xC2\x81");
        QTest::newRow("C2 before ASCII is dropped") << QByteArray("\xC2" "A") << QByteArray("A");
        QTest::newRow("trailing C2 kept") << QByteArray("ab\xC2") << QByteArray("ab\xC2");
        QTest::newRow("C2 C2 80: the second C2 is the consumed byte")
            << QByteArray("\xC2\xC2\x80") << QByteArray("\xC3\x82\x80");
        QTest::newRow("other bytes copied") << QByteArray("\xC3\xA4x") << QByteArray("\xC3\xA4x");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void korjaautf8()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, expected);
        QCOMPARE(HttpUtil::korjaautf8(bytes), expected);
    }

    void korjaaaakkoset_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("all six letters")
            << QByteArray("\xC3\xA4\xC3\x84\xC3\xB6\xC3\x96\xC3\x85\xC3\xA5") << QByteArray("\xE4\xC4\xF6\xD6\xC5\xE5");
        QTest::newRow("among Windows-1252 bytes")
            << QByteArray("K\xE4yt\xC3\xB6s \x80") << QByteArray("K\xE4yt\xF6s \x80");
        QTest::newRow("every C2 deleted") << QByteArray("a\xC2\xA0" "b\xC2") << QByteArray("a\xA0" "b");
        QTest::newRow("other UTF-8 pairs stay") << QByteArray("\xC3\xA9") << QByteArray("\xC3\xA9");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void korjaaaakkoset()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, expected);
        QCOMPARE(HttpUtil::korjaaaakkoset(bytes), expected);
    }

    void marketplaceText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("UTF-8 ä") << QByteArray("\xC3\xA4") << "ä";
        QTest::newRow("UTF-8 text") << QByteArray("Hyv\xC3\xA4 p\xC3\xA4iv\xC3\xA4 \xE2\x82\xAC") << "Hyvä päivä €";
        QTest::newRow("double-encoded euro") << QByteArray("5 \xC2\x80") << "5 €";
        QTest::newRow("double-encoded quotes")
            << QByteArray("\xC2\x93hi\xC2\x94") << QString::fromUtf8("\u201Chi\u201D");
        QTest::newRow("no-break space stays") << QByteArray("a\xC2\xA0" "b") << QString::fromUtf8("a\u00A0b");
        QTest::newRow("not UTF-8: Windows-1252 bytes") << QByteArray("K\xE4yt\xF6") << "Käytö";
        QTest::newRow("not UTF-8: mixed, letter repair")
            << QByteArray("\xC3\xA4iti \xE4") << "äiti ä";
        QTest::newRow("cut UTF-8 sequence at the end is not UTF-8")
            << QByteArray("ab\xC3") << QString::fromUtf8("ab\u00C3");
        QTest::newRow("ascii") << QByteArray("{\"id\":\"x\"}") << "{\"id\":\"x\"}";
    }
    void marketplaceText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(HttpUtil::marketplaceText(bytes), expected);
    }
};

QTEST_GUILESS_MAIN(TestHttpUtil)
#include "tst_httputil.moc"
