#include "core/cp1252.h"
#include "ledger/model/ledgersort.h"
#include "ledger/model/ledgertable.h"
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The ledger's sort written out literally: keys, then a bubble sort over the
// whole grid as many times as it has rows, then the rows rearranged.
struct OracleKey {
    QByteArray text;
    bool readable = false;
    double number = 0;
};

OracleKey oracleKey(const QString &cell, int column)
{
    OracleKey k;
    if (column == 4) {
        const QString s = cell.left(cell.size() - 1).trimmed();
        static const QRegularExpression number(
            QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
        if (number.match(s).hasMatch()) {
            QString plain = s;
            if (plain.endsWith(QLatin1Char('.')) || plain.contains(QStringLiteral(".e"))
                || plain.contains(QStringLiteral(".E")))
                plain.replace(QStringLiteral("."), QStringLiteral(".0"));
            bool ok = false;
            k.number = QLocale::c().toDouble(plain, &ok);
            k.readable = ok && qIsFinite(k.number);
        }
        return k;
    }
    if (column == 3) {
        auto cp = [&](int pos) { return cell.mid(pos - 1, 2); };
        k.text = Cp1252::encode(cp(9) + cp(4) + cp(1) + cp(12) + cp(15) + cp(18));
    } else {
        k.text = Cp1252::encode(cell.toLower());
    }
    return k;
}

void oracleSort(LedgerTable &grid, int column, bool ascending)
{
    const int rows = grid.rowCount();
    QVector<OracleKey> keys(rows);
    QVector<int> from(rows);
    for (int r = 1; r < rows; ++r) {
        keys[r] = oracleKey(grid.cell(column, r), column);
        from[r] = r;
    }
    for (int pass = 0; pass < rows; ++pass) {
        for (int p = 2; p < rows; ++p) {
            const OracleKey &a = keys[p - 1];
            const OracleKey &b = keys[p];
            bool swap = false;
            if (column == 4) {
                const double x = a.readable && b.readable ? a.number : 0;
                const double y = a.readable && b.readable ? b.number : 0;
                swap = ascending ? y < x : y > x;
            } else if (!a.text.isEmpty() && !b.text.isEmpty()) {
                swap = ascending ? b.text < a.text : a.text < b.text;
            }
            if (swap) {
                std::swap(keys[p - 1], keys[p]);
                std::swap(from[p - 1], from[p]);
            }
        }
    }
    LedgerTable before = grid;
    for (int r = 1; r < rows; ++r) {
        for (int c = 1; c < LedgerTable::ColumnCount; ++c)
            grid.setCell(c, r, before.cell(c, from[r]));
    }
}

QString pick(QRandomGenerator &rng, const QStringList &pool)
{
    return pool.at(rng.bounded(pool.size()));
}

LedgerTable randomTable(QRandomGenerator &rng)
{
    static const QStringList names{"", "matti", "Matti", "ärrä", "zeta", "Åke", "öljy", "€uro",
                                   "a", "A b", "b", " ", "z", "ß", "ÿ"};
    static const QStringList dates{"", "05.03.2022 12:00:00", "05.03.2022 11:59:59",
                                   "31.12.2021 23:59:59", "01.01.2023 00:00:00", "5.3.2022",
                                   "05.03.2022", "05.03.2022 12:00:00", "xx"};
    static const QStringList prices{"", "12.50", "12.59", "12.51", "0.00", "1.00", "100.00",
                                    "x", "12,50", "abc", "-1.00", "7", "1e3x", "nan0", "inf0",
                                    " 3.00", ".50"};
    static const QStringList items{"", "3001", "3002", "12345678", "999", "3001"};
    LedgerTable t;
    const int rows = 2 + rng.bounded(40);
    t.setRowCount(rows);
    for (int r = 1; r < rows; ++r) {
        t.setCell(0, r, QStringLiteral("n%1").arg(r));
        t.setCell(1, r, pick(rng, items));
        t.setCell(2, r, pick(rng, names));
        t.setCell(3, r, pick(rng, dates));
        t.setCell(4, r, pick(rng, prices));
        t.setCell(5, r, QStringLiteral("row %1").arg(r));   // identifies the row
        t.setCell(8, r, pick(rng, names) + QStringLiteral("\r\n"));
        t.setCell(9, r, pick(rng, names));
    }
    return t;
}

QStringList column(const LedgerTable &t, int c)
{
    QStringList out;
    for (int r = 1; r < t.rowCount(); ++r)
        out << t.cell(c, r);
    return out;
}

}

class TestLedgerSort : public QObject {
    Q_OBJECT
private slots:
    void itemsChooseColumnAndOrder()
    {
        const int columns[8] = {8, 8, 3, 4, 4, 2, 2, 1};
        for (int item = 0; item < 8; ++item) {
            QCOMPARE(LedgerSort::columnOfItem(item), columns[item]);
            QCOMPARE(LedgerSort::ascendingItem(item), item == 0 || item == 4 || item == 5);
        }
        QCOMPARE(LedgerSort::columnOfItem(8), -1);
        QCOMPARE(LedgerSort::columnOfItem(-1), -1);
    }

    // The fast sort gives exactly the bubble sort's order on random tables
    // full of ties, empty texts and unreadable prices.
    void matchesBubbleSort()
    {
        QRandomGenerator rng(20221205);
        for (int round = 0; round < 400; ++round) {
            const LedgerTable table = randomTable(rng);
            for (int item = 0; item < 8; ++item) {
                LedgerTable expected = table;
                oracleSort(expected, LedgerSort::columnOfItem(item), LedgerSort::ascendingItem(item));
                LedgerTable actual = table;
                LedgerSort::lajitteleValinnalla(actual, item);
                if (actual != expected) {
                    qWarning() << "item" << item << "column" << LedgerSort::columnOfItem(item);
                    qWarning() << "input   " << column(table, LedgerSort::columnOfItem(item));
                    qWarning() << "expected" << column(expected, 5);
                    qWarning() << "actual  " << column(actual, 5);
                    QFAIL("sort differs from the bubble sort");
                }
            }
        }
    }

    void examples_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("cells");      // the sort column, rows 1..
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("price keeps equal first decimals in order")
            << 3 << QStringList{"12.51", "12.59", "13.00"} << QStringList{"13.00", "12.51", "12.59"};
        QTest::newRow("lowest price first")
            << 4 << QStringList{"2.00", "10.00", "1.50"} << QStringList{"1.50", "2.00", "10.00"};
        QTest::newRow("unreadable price stays and splits")
            << 4 << QStringList{"3.00", "2.00", "?", "1.00", "0.50"}
            << QStringList{"2.00", "3.00", "?", "0.50", "1.00"};
        QTest::newRow("a with umlaut after z")
            << 5 << QStringList{"ääni", "Zeta", "auto"} << QStringList{"auto", "Zeta", "ääni"};
        QTest::newRow("empty title stays")
            << 5 << QStringList{"b", "a", "", "d", "c"} << QStringList{"a", "b", "", "c", "d"};
        QTest::newRow("newest first")
            << 2 << QStringList{"31.12.2021 10:00:00", "01.01.2022 09:00:00", "01.01.2022 10:00:00"}
            << QStringList{"01.01.2022 10:00:00", "01.01.2022 09:00:00", "31.12.2021 10:00:00"};
        QTest::newRow("item numbers as text, largest first")
            << 7 << QStringList{"999", "12345678", "3001"} << QStringList{"999", "3001", "12345678"};
    }
    void examples()
    {
        QFETCH(int, item);
        QFETCH(QStringList, cells);
        QFETCH(QStringList, expected);
        const int col = LedgerSort::columnOfItem(item);
        LedgerTable t;
        t.setRowCount(cells.size() + 1);
        for (int r = 1; r <= cells.size(); ++r) {
            t.setCell(0, r, QString::number(r));
            t.setCell(col, r, cells.at(r - 1));
        }
        LedgerSort::lajitteleValinnalla(t, item);
        QCOMPARE(column(t, col), expected);
        // column 0 does not move with the rows
        for (int r = 1; r <= cells.size(); ++r)
            QCOMPARE(t.cell(0, r), QString::number(r));
        QCOMPARE(t.cell(col, 0), LedgerTable().cell(col, 0));
    }

    void rowsMoveWhole()
    {
        LedgerTable t;
        t.setRowCount(3);
        t.setRow(1, {"", "2", "b", "", "1.00", "", "x", "", "addr b\r\n", "bee/2"});
        t.setRow(2, {"", "1", "a", "", "2.00", "note", "", "x", "addr a\r\n", "aa/1"});
        LedgerSort::lajitteleValinnalla(t, 5);
        QCOMPARE(t.row(1), (QStringList{"", "1", "a", "", "2.00", "note", "", "x", "addr a\r\n", "aa/1"}));
        QCOMPARE(t.row(2), (QStringList{"", "2", "b", "", "1.00", "", "x", "", "addr b\r\n", "bee/2"}));
    }
};

QTEST_GUILESS_MAIN(TestLedgerSort)
#include "tst_ledgersort.moc"
