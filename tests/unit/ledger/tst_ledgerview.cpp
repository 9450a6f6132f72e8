// The ledger view's rules without a window: rebuild and write-back through
// the link column, date range, show choices, totals, texts and colours.
#include "ledger/model/ledgertable.h"
#include "ledger/model/ledgerview.h"
#include <QtTest>

namespace {
QStringList row(const QString &item, const QString &title, const QString &closing,
                const QString &price, const QString &party, const QString &paid = QString(),
                const QString &sent = QString(), const QString &address = QString())
{
    return {QString(), item, title, closing, price, QString(), paid, sent, address, party};
}

LedgerTable table(const QVector<QStringList> &rows)
{
    LedgerTable t;
    t.setRowCount(rows.size() + 1);
    for (int i = 0; i < rows.size(); ++i)
        t.setRow(i + 1, rows.at(i));
    return t;
}

const LedgerDateRange everything{20070101, 20991231};

QStringList items(const LedgerView &v)
{
    QStringList out;
    for (int r = 1; r < v.rowCount(); ++r)
        out << v.cell(1, r);
    return out;
}
}

class TestLedgerView : public QObject {
    Q_OBJECT
private slots:
    void dateValue_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<int>("value");
        QTest::newRow("full") << "04.03.2021 12:34:56" << 20210304;
        QTest::newRow("eleven chars") << "31.12.2022 " << 20221231;
        QTest::newRow("ten chars") << "04.03.2021" << -1;
        QTest::newRow("missing closing time") << ".. " << -1;
        QTest::newRow("no leading zeros") << "4.3.2021 12:34:56" << -1;
        QTest::newRow("letters") << "ab.03.2021 12:34:56" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void dateValue()
    {
        QFETCH(QString, closing);
        QFETCH(int, value);
        QCOMPARE(LedgerView::dateValue(closing), value);
    }

    void aikavalilla_data()
    {
        QTest::addColumn<QString>("closing");
        QTest::addColumn<bool>("inside");
        QTest::newRow("start bound inclusive") << "01.02.2021 00:00:00" << true;
        QTest::newRow("end bound inclusive") << "28.02.2021 23:59:59" << true;
        QTest::newRow("day before") << "31.01.2021 23:59:59" << false;
        QTest::newRow("day after") << "01.03.2021 00:00:00" << false;
        QTest::newRow("ten characters never pass") << "15.02.2021" << false;
    }
    void aikavalilla()
    {
        QFETCH(QString, closing);
        QFETCH(bool, inside);
        QCOMPARE(LedgerView::aikavalilla(closing, {20210201, 20210228}), inside);
    }

    void admits_data()
    {
        QTest::addColumn<int>("show");
        QTest::addColumn<QString>("paid");
        QTest::addColumn<QString>("sent");
        QTest::addColumn<bool>("shown");
        QTest::newRow("all") << 0 << "x" << "x" << true;
        QTest::newRow("unpaid, clear") << 1 << "" << "x" << true;
        QTest::newRow("unpaid, space is clear") << 1 << " " << "" << true;
        QTest::newRow("unpaid, dated") << 1 << "5.3.2022" << "" << false;
        QTest::newRow("unsent, set") << 2 << "" << "x" << false;
        QTest::newRow("unsent, clear") << 2 << "x" << "" << true;
        QTest::newRow("paid not sent, sent is space") << 3 << "x" << " " << true;
        QTest::newRow("paid not sent, both set") << 3 << "x" << "x" << false;
        QTest::newRow("paid not sent, unpaid") << 3 << " " << "" << false;
    }
    void admits()
    {
        QFETCH(int, show);
        QFETCH(QString, paid);
        QFETCH(QString, sent);
        QFETCH(bool, shown);
        QCOMPARE(LedgerView::admits(static_cast<LedgerShow>(show), paid, sent), shown);
    }

    void rebuildKeepsMasterOrderAndLinks()
    {
        const LedgerTable sg = table({row("11111111", "a", "01.01.2021 10:00:00", "1.00", "p/1", "x"),
                                      row("22222222", "b", "01.01.2021 10:00:00", "2.00", "p/1"),
                                      row("33333333", "c", "01.01.2021", "3.00", "p/1"),
                                      row("44444444", "d", "01.01.2021 10:00:00", "4.00", "p/1")});
        LedgerView v;
        v.suodatanakyma(sg, LedgerShow::Unpaid, everything);
        QCOMPARE(items(v), QStringList({"22222222", "44444444"}));
        QCOMPARE(v.cell(LedgerView::LinkColumn, 1), QStringLiteral("2"));
        QCOMPARE(v.cell(LedgerView::LinkColumn, 2), QStringLiteral("4"));
        QCOMPARE(v.cell(0, 0), QStringLiteral("Nro"));
        QCOMPARE(v.cell(LedgerView::LinkColumn, 0), QString());
    }

    void emptyViewHasOneEmptyRow()
    {
        const LedgerTable sg = table({row("11111111", "a", "01.01.2021 10:00:00", "1.00", "p/1")});
        LedgerView v;
        v.suodatanakyma(sg, LedgerShow::All, {20220101, 20221231});
        QCOMPARE(v.rowCount(), 2);
        QCOMPARE(v.cell(1, 1), QString());
        QCOMPARE(v.link(1), -1);

        LedgerView cleared;
        cleared.clear();
        QCOMPARE(cleared.rowCount(), 2);
        QCOMPARE(cleared.cell(LedgerView::LinkColumn, 1), QStringLiteral("1"));
    }

    void paivita2WritesThroughTheLink()
    {
        LedgerTable sg = table({row("11111111", "a", "01.01.2021 10:00:00", "1.00", "p/1", "x"),
                                row("22222222", "b", "01.01.2021 10:00:00", "2.00", "p/1")});
        LedgerView v;
        v.suodatanakyma(sg, LedgerShow::Unpaid, everything);
        v.setCell(6, 1, QStringLiteral("5.3.2022"));
        v.paivita2(sg);
        QCOMPARE(sg.cell(6, 2), QStringLiteral("5.3.2022"));
        QCOMPARE(sg.cell(6, 1), QStringLiteral("x"));   // row not in the view is untouched
        QCOMPARE(sg.cell(1, 2), QStringLiteral("22222222"));
    }

    void aikavaliFindsEarliestAndLatest()
    {
        const LedgerTable sg = table({row("1", "a", "15.06.2019 10:00:00", "", ""),
                                      row("2", "b", "02.01.2023 10:00:00", "", ""),
                                      row("3", "c", ".. ", "", ""),
                                      row("4", "d", "2019-01-01", "", "")});
        const LedgerDateRange r = LedgerView::aikavali(sg, 2026);
        QCOMPARE(r.start, 20190615);
        QCOMPARE(r.end, 20230102);

        const LedgerDateRange none = LedgerView::aikavali(LedgerTable(), 2020);
        QCOMPARE(none.start, 20221231);   // never before 2022
        QCOMPARE(none.end, 0);
    }

    void totalsOfSelection()
    {
        const LedgerTable sg = table({row("11111111", "a", "01.01.2021 10:00:00", "10.00", "Matti M/12"),
                                      row("22222222", "b", "01.01.2021 10:00:00", "5.50", "mattim/12"),
                                      row("33333333", "c", "01.01.2021 10:00:00", "2.00", "Liisa/13"),
                                      row("44444444", "d", "01.01.2021 10:00:00", "abc", "matti m")});
        LedgerView v;
        v.suodatanakyma(sg, LedgerShow::All, everything);
        const LedgerTotals t = v.totals(1);
        QCOMPARE(t.count, 3);          // "abc" has no point
        QCOMPARE(t.sum, qint64(1750));
        QCOMPARE(t.partyCount, 3);     // the unreadable price counts as 0
        QCOMPARE(t.partySum, qint64(1550));
        QCOMPARE(v.counterpartyRows(1), QVector<int>({1, 2, 4}));
    }

    void copyRowsText()
    {
        const LedgerTable sg = table(
            {row("11111111", "Kirja", "01.01.2021 10:00:00", "10.00", "matti/12", "x", "x",
                 "Matti\r\nm@x.fi\r\n"),
             row("22222222", "Muu", "01.01.2021 10:00:00", "2.00", "liisa/13"),
             row("33333333", "", "01.01.2021 10:00:00", "", "Matti/12")});
        LedgerView v;
        v.suodatanakyma(sg, LedgerShow::All, everything);
        // Columns 1-5, 8, 9; CR becomes TAB and LF is dropped; an empty cell
        // adds nothing, as no TAB follows a TAB.
        QCOMPARE(v.copyRowsText(1),
                 QStringLiteral("11111111\tKirja\t01.01.2021 10:00:00\t10.00\tMatti\tm@x.fi\t"
                                "matti/12\t\r\n"
                                "33333333\t01.01.2021 10:00:00\tMatti/12\t\r\n"));
    }

    void addressLines_data()
    {
        QTest::addColumn<QString>("counterparty");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("full") << "matti meikäläinen\r\nmatti.m@example.fi\r\nkatu  1 b\r\n00100 helsinki\r\n0401234567\r\n"
                              << QStringList{"Matti Meikäläinen", "matti.m@example.fi", "Katu 1 B",
                                             "00100 Helsinki", "0401234567"};
        QTest::newRow("short lines dropped") << "liisa\r\n\r\nx\r\ntie 2\r\n"
                                             << QStringList{"Liisa", "tie 2"};
        QTest::newRow("no line break") << "pekka pouta" << QStringList{"Pekka Pouta"};
        QTest::newRow("empty") << "" << QStringList{};
    }
    void addressLines()
    {
        QFETCH(QString, counterparty);
        QFETCH(QStringList, lines);
        QCOMPARE(LedgerView::addressLines(counterparty), lines);
    }

    void notes_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("box");
        QTest::newRow("empty") << "" << "Lisätiedot, kirjoita tähän";
        QTest::newRow("space") << " " << "Lisätiedot, kirjoita tähän";
        QTest::newRow("lines") << "Toimituskulut:5.50<BR>soita" << "Toimituskulut:5.50\r\nsoita";
    }
    void notes()
    {
        QFETCH(QString, cell);
        QFETCH(QString, box);
        QCOMPARE(LedgerView::notesText(cell), box);
        QCOMPARE(LedgerView::notesCell(box), cell == QLatin1String(" ") ? QString() : cell);
    }

    void headerSortChoice_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("choice");
        QTest::newRow("item number") << 1 << 2 << 7;
        QTest::newRow("title A-Z") << 2 << 2 << 5;
        QTest::newRow("title again Z-A") << 2 << 5 << 6;
        QTest::newRow("title from Z-A") << 2 << 6 << 5;
        QTest::newRow("closing time") << 3 << 4 << 2;
        QTest::newRow("price highest") << 4 << 2 << 3;
        QTest::newRow("price again lowest") << 4 << 3 << 4;
        QTest::newRow("counterparty A-Z") << 8 << 2 << 0;
        QTest::newRow("counterparty again Z-A") << 8 << 0 << 1;
        QTest::newRow("counterparty from Z-A") << 8 << 1 << 0;
        QTest::newRow("row number") << 0 << 2 << -1;
        QTest::newRow("paid") << 6 << 2 << -1;
        QTest::newRow("user name") << 9 << 2 << -1;
    }
    void headerSortChoice()
    {
        QFETCH(int, column);
        QFETCH(int, current);
        QFETCH(int, choice);
        QCOMPARE(LedgerView::headerSortChoice(column, current), choice);
    }

    void displayText_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("shown");
        QTest::newRow("row number") << 0 << 2 << "2";
        QTest::newRow("no number without item") << 0 << 3 << "";
        QTest::newRow("first address line at CR") << 8 << 1 << "Matti";
        QTest::newRow("first address line at LF") << 8 << 2 << "Liisa";
        QTest::newRow("address without break shown whole") << 8 << 3 << "Pekka Pouta";
        QTest::newRow("counterparty key") << 9 << 1 << "mattim";
        QTest::newRow("header unchanged") << 9 << 0 << "Tunnus";
        QTest::newRow("other cells as they are") << 2 << 1 << "Kirja";
    }
    void displayText()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, shown);
        const LedgerTable sg = table(
            {::row("11111111", "Kirja", "01.01.2021 10:00:00", "1.00", "Matti M/12", "", "",
                   "Matti\r\nm@x.fi\r\n"),
             ::row("22222222", "Muu", "01.01.2021 10:00:00", "1.00", "liisa/1", "", "", "Liisa\nl@x.fi"),
             ::row("", "", "01.01.2021 10:00:00", "", "", "", "", "Pekka Pouta")});
        LedgerView v;
        v.suodatanakyma(sg, LedgerShow::All, everything);
        QCOMPARE(v.displayText(column, row), shown);
    }

    void cellStyle_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("hasItem");
        QTest::addColumn<bool>("sameParty");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<bool>("bold");
        const QColor black(0, 0, 0), green(0, 0x80, 0);
        QTest::newRow("header") << 6 << 0 << false << false << QColor(0xA2, 0xB3, 0xCB) << black << false;
        QTest::newRow("odd row") << 2 << 1 << true << false << QColor(0xEC, 0xF3, 0xFF) << black << false;
        QTest::newRow("even row") << 2 << 2 << true << false << QColor(0xFE, 0xFE, 0xFE) << black << false;
        QTest::newRow("selected counterparty") << 2 << 2 << true << true << QColor(0xA6, 0xCA, 0xF0) << black << false;
        QTest::newRow("same key but no item") << 2 << 3 << false << true << QColor(0xEC, 0xF3, 0xFF) << black << false;
        QTest::newRow("paid mark") << 6 << 1 << true << false << QColor(0xEC, 0xF3, 0xFF) << green << true;
        QTest::newRow("sent mark") << 7 << 4 << true << true << QColor(0xA6, 0xCA, 0xF0) << green << true;
    }
    void cellStyle()
    {
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(bool, hasItem);
        QFETCH(bool, sameParty);
        QFETCH(QColor, background);
        QFETCH(QColor, text);
        QFETCH(bool, bold);
        const LedgerCellStyle s = LedgerView::cellStyle(column, row, hasItem, sameParty);
        QCOMPARE(s.background, background);
        QCOMPARE(s.text, text);
        QCOMPARE(s.bold, bold);
    }
};

QTEST_GUILESS_MAIN(TestLedgerView)
#include "tst_ledgerview.moc"
