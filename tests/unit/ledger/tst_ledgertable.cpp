#include "core/cp1252.h"
#include "ledger/model/ledgercodec.h"
#include "ledger/model/ledgertable.h"
#include <QRandomGenerator>
#include <QtTest>

class TestLedgerTable : public QObject {
    Q_OBJECT
private slots:
    void tunnusavain_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("name with id") << QStringLiteral("Matti M/1234") << QStringLiteral("mattim");
        QTest::newRow("blanks and capitals") << QStringLiteral(" Ab\tÄC ") << QStringLiteral("abäc");
        QTest::newRow("first slash cuts") << QStringLiteral("x/y/z") << QStringLiteral("x");
        QTest::newRow("empty") << QString() << QString();
    }
    void tunnusavain()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(Ledger::tunnusavain(text), key);
    }

    void kokonaisluvuksi_data()
    {
        QTest::addColumn<QString>("price");
        QTest::addColumn<int>("cents");
        QTest::newRow("two decimals") << QStringLiteral("12.50") << 1250;
        QTest::newRow("small") << QStringLiteral("0.05") << 5;
        QTest::newRow("one decimal counts as tenths") << QStringLiteral("12.5") << 1250;
        QTest::newRow("third decimal dropped") << QStringLiteral("1.239") << 123;
        QTest::newRow("no point read whole") << QStringLiteral("12") << 12;
        QTest::newRow("negative") << QStringLiteral("-3.00") << -300;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("word") << QStringLiteral("abc") << 0;
        QTest::newRow("letter in decimals") << QStringLiteral("12.5x") << 0;
        QTest::newRow("comma") << QStringLiteral("12,50") << 0;
        QTest::newRow("too large") << QStringLiteral("99999999.99") << 0;
    }
    void kokonaisluvuksi()
    {
        QFETCH(QString, price);
        QFETCH(int, cents);
        QCOMPARE(Ledger::kokonaisluvuksi(price), cents);
    }

    void desimaalit_data()
    {
        QTest::addColumn<qint64>("cents");
        QTest::addColumn<QString>("text");
        QTest::newRow("5") << qint64(5) << QStringLiteral("0.05");
        QTest::newRow("1250") << qint64(1250) << QStringLiteral("12.50");
        QTest::newRow("0") << qint64(0) << QStringLiteral("0.00");
        QTest::newRow("100") << qint64(100) << QStringLiteral("1.00");
        QTest::newRow("large") << qint64(12345678901) << QStringLiteral("123456789.01");
        QTest::newRow("negative") << qint64(-5) << QStringLiteral("-0.05");
    }
    void desimaalit()
    {
        QFETCH(qint64, cents);
        QFETCH(QString, text);
        QCOMPARE(Ledger::desimaalit(cents), text);
    }

    void isoalkukirjaimet_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("result");
        QTest::newRow("address") << QStringLiteral("matti meikäläinen\r\nkatu 1\r\n00100 helsinki\r\n")
                                 << QStringLiteral("Matti Meikäläinen\r\nKatu 1\r\n00100 Helsinki");
        QTest::newRow("others kept") << QStringLiteral("mATTI\r\n") << QStringLiteral("MATTI");
        QTest::newRow("finnish first letter") << QStringLiteral("äänekoski  ööö\r\n")
                                              << QStringLiteral("Äänekoski Ööö");
        QTest::newRow("triple space one pass") << QStringLiteral("a   b\r\n") << QStringLiteral("A  B");
        QTest::newRow("last two always dropped") << QStringLiteral("abc") << QStringLiteral("A");
        QTest::newRow("short") << QStringLiteral("ab") << QString();
    }
    void isoalkukirjaimet()
    {
        QFETCH(QString, text);
        QFETCH(QString, result);
        QCOMPARE(Ledger::isoalkukirjaimet(text), result);
    }

    void marks()
    {
        QVERIFY(!Ledger::merkittu(QString()));
        QVERIFY(!Ledger::merkittu(QStringLiteral(" ")));
        QVERIFY(Ledger::merkittu(QStringLiteral("x")));
        QVERIFY(Ledger::merkittu(QStringLiteral("5.3.2022")));
        QVERIFY(Ledger::merkittu(QStringLiteral("  ")));
    }

    void headersOfModes()
    {
        const QStringList sold = LedgerTable::headers(LedgerMode::Sold);
        const QStringList bought = LedgerTable::headers(LedgerMode::Bought);
        QCOMPARE(sold.size(), 10);
        QCOMPARE(sold.at(7), QStringLiteral("Lähetetty"));
        QCOMPARE(sold.at(8), QStringLiteral("Ostaja"));
        QCOMPARE(bought.at(7), QStringLiteral("Saatu"));
        QCOMPARE(bought.at(8), QStringLiteral("Myyjä"));
        QCOMPARE(LedgerTable::headers(LedgerMode::None), sold);
        LedgerTable t(LedgerMode::Bought);
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.row(0), bought);
        QVERIFY(t.isEmpty());
    }

    void cellsOutsideAreIgnored()
    {
        LedgerTable t;
        t.setCell(10, 1, QStringLiteral("x"));
        t.setCell(0, 2, QStringLiteral("x"));
        t.setCell(-1, 1, QStringLiteral("x"));
        QVERIFY(t.isEmpty());
        QCOMPARE(t.cell(3, 99), QString());
        t.setRowCount(0);
        QCOMPARE(t.rowCount(), 2);
    }

    // The ledger's bulk encoder gives the bytes of the program's code page.
    void codecAgreesWithCodePage()
    {
        QRandomGenerator rng(11);
        const char16_t pool[] = {u'a', u'Z', u'\r', u'\n', 0x80, 0x81, 0x9F, 0xA0, 0xE4, 0xFF, 0x20AC,
                                 0x0160, 0x2122, 0x0416, 0xD83D, 0xDE00, 0xFFFD, 0};
        for (int round = 0; round < 2000; ++round) {
            QString text;
            const int n = rng.bounded(12);
            for (int i = 0; i < n; ++i)
                text.append(QChar(pool[rng.bounded(int(std::size(pool)))]));
            QByteArray bulk("prefix");
            LedgerCodec::appendCp1252(bulk, text);
            QCOMPARE(bulk, QByteArray("prefix") + Cp1252::encode(text));
        }
    }

    void itemOnList()
    {
        LedgerTable t;
        t.setCell(1, 1, QStringLiteral("3001"));
        QVERIFY(Ledger::onjolistalla(t, QStringLiteral("3001")));
        QVERIFY(!Ledger::onjolistalla(t, QStringLiteral("300")));
        QVERIFY(Ledger::onjolistalla(t, QStringLiteral("Kohde")));   // the header row counts too
    }

    void deleteRow_data()
    {
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("items");   // column 1 of rows 1.. after
        QTest::newRow("middle") << 4 << 2 << QStringList{"1", "3"};
        QTest::newRow("first") << 4 << 1 << QStringList{"2", "3"};
        QTest::newRow("last") << 4 << 3 << QStringList{"1", "2"};
        QTest::newRow("only row empties it") << 2 << 1 << QStringList{""};
        QTest::newRow("header is not a data row") << 3 << 0 << QStringList{"1", "2"};
        QTest::newRow("outside") << 3 << 5 << QStringList{"1", "2"};
    }
    void deleteRow()
    {
        QFETCH(int, rows);
        QFETCH(int, index);
        QFETCH(QStringList, items);
        LedgerTable t;
        t.setRowCount(rows);
        for (int r = 1; r < rows; ++r) {
            t.setCell(1, r, QString::number(r));
            t.setCell(9, r, QStringLiteral("user%1").arg(r));
        }
        Ledger::DeleteRow(t, index);
        QCOMPARE(t.rowCount(), items.size() + 1);
        QCOMPARE(t.cell(1, 0), QStringLiteral("Kohde"));
        for (int r = 1; r < t.rowCount(); ++r) {
            QCOMPARE(t.cell(1, r), items.at(r - 1));
            QCOMPARE(t.cell(9, r), items.at(r - 1).isEmpty()
                                       ? QString() : QStringLiteral("user") + items.at(r - 1));
        }
    }
};

QTEST_GUILESS_MAIN(TestLedgerTable)
#include "tst_ledgertable.moc"
