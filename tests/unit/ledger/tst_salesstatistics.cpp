// The figures of the ledger's statistics: prices in whole cents, quantities
// from the titles, months, weekdays and hours of closing, the paid and sent
// sums, the best counterparties, the rows left out, and the texts.
#include "ledger/statistics/partytally.h"
#include "ledger/statistics/salesstatistics.h"
#include "ledger/statistics/statisticstext.h"
#include <QtTest>

namespace {
QStringList row(const QString &item, const QString &title, const QString &closing, const QString &price, const QString &party,
    const QString &paid = QString(), const QString &sent = QString())
{
    return {QString(), item, title, closing, price, QString(), paid, sent, QString(), party};
}

LedgerTable table(const QVector<QStringList> &rows)
{
    LedgerTable t;
    t.setRowCount(int(rows.size()) + 1);
    for (int i = 0; i < rows.size(); ++i)
        t.setRow(i + 1, rows.at(i));
    return t;
}

const LedgerDateRange kAll {20070101, 20261231};

QStringList monthLabels(const SalesSummary &s)
{
    QStringList out;
    for (const MonthSum &m : s.months)
        out << StatisticsText::monthLabel(m.year, m.month);
    return out;
}

QVector<qint64> monthCents(const SalesSummary &s)
{
    QVector<qint64> out;
    for (const MonthSum &m : s.months)
        out << m.sum.cents;
    return out;
}
}   // namespace

class TestSalesStatistics : public QObject {
    Q_OBJECT
private slots:
    void priceCents_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("cents");   // -1: cannot be read
        QTest::newRow("two decimals") << "12.50" << qint64(1250);
        QTest::newRow("ten cents") << "0.10" << qint64(10);
        QTest::newRow("five cents") << "0.05" << qint64(5);
        QTest::newRow("one decimal is tenths") << "12.5" << qint64(1250);
        QTest::newRow("whole euros") << "12" << qint64(1200);
        QTest::newRow("spaces around") << " 3.00 " << qint64(300);
        QTest::newRow("nine digits of euros") << "999999999.99" << qint64(99999999999);
        QTest::newRow("ten digits") << "9999999999" << qint64(-1);
        QTest::newRow("comma") << "12,50" << qint64(-1);
        QTest::newRow("three decimals") << "12.505" << qint64(-1);
        QTest::newRow("point at the end") << "12." << qint64(-1);
        QTest::newRow("point only") << "." << qint64(-1);
        QTest::newRow("two points") << "1.2.3" << qint64(-1);
        QTest::newRow("negative") << "-1.00" << qint64(-1);
        QTest::newRow("euro sign") << "12.50€" << qint64(-1);
        QTest::newRow("empty") << "" << qint64(-1);
        QTest::newRow("text") << "abc" << qint64(-1);
    }
    void priceCents()
    {
        QFETCH(QString, text);
        QFETCH(qint64, cents);
        QCOMPARE(SalesStatistics::priceCents(text).value_or(-1), cents);
    }

    void quantity_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<qint64>("pieces");
        QTest::newRow("three pieces") << "Lamppu (3 KPL)" << qint64(3);
        QTest::newRow("twelve pieces") << "Ruuvi M6 (12 KPL)" << qint64(12);
        QTest::newRow("plain title") << "Lamppu" << qint64(1);
        QTest::newRow("empty title") << "" << qint64(1);
        QTest::newRow("no number") << "Lamppu ( KPL)" << qint64(1);
        QTest::newRow("no space before the bracket") << "Lamppu(3 KPL)" << qint64(1);
        QTest::newRow("zero") << "Lamppu (0 KPL)" << qint64(1);
        QTest::newRow("not at the end") << "Lamppu (3 KPL) ja johto" << qint64(1);
        QTest::newRow("lower case") << "Lamppu (3 kpl)" << qint64(1);
        QTest::newRow("bracket inside the title") << "Sarja (osa 2) (4 KPL)" << qint64(4);
    }
    void quantity()
    {
        QFETCH(QString, title);
        QFETCH(qint64, pieces);
        QCOMPARE(SalesStatistics::quantity(title), pieces);
    }

    void closingTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("weekday");
        QTest::addColumn<int>("hour");
        QTest::newRow("monday morning") << "15.12.2025 10:05:00" << true << 12 << 1 << 10;
        QTest::newRow("sunday midnight") << "01.03.2026 00:00:01" << true << 3 << 7 << 0;
        QTest::newRow("last hour") << "28.02.2026 23:59:59" << true << 2 << 6 << 23;
        QTest::newRow("no such day: no weekday") << "31.02.2026 12:00:00" << true << 2 << 0 << 12;
        QTest::newRow("time unreadable") << "31.01.2026 xx:00:00" << true << 1 << 6 << -1;
        QTest::newRow("hour 24") << "31.01.2026 24:00:00" << true << 1 << 6 << -1;
        QTest::newRow("date only (never in the date range)") << "01.01.2021" << false << 0 << 0 << 0;
        QTest::newRow("month 13") << "01.13.2021 10:00:00" << false << 0 << 0 << 0;
        QTest::newRow("empty") << "" << false << 0 << 0 << 0;
        QTest::newRow("fetch without a closing time") << "..  " << false << 0 << 0 << 0;
    }
    void closingTime()
    {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        const auto c = SalesStatistics::readClosing(text);
        QCOMPARE(c.has_value(), readable);
        if (!c)
            return;
        QFETCH(int, month);
        QFETCH(int, weekday);
        QFETCH(int, hour);
        QCOMPARE(c->month, month);
        QCOMPARE(c->weekday, weekday);
        QCOMPARE(c->hour, hour);
    }

    // Months run from the first to the last trade, across the turn of the
    // year, with the empty months between them.
    void monthsAcrossTheYear()
    {
        const SalesSummary s = SalesStatistics::summarize(
            table({row("1", "A", "15.12.2025 10:00:00", "10.00", "a/1"), row("2", "B", "03.02.2026 10:00:00", "2.50", "b/2"),
                row("3", "C", "31.12.2025 23:59:59", "1.00", "a/1"), row("4", "D", "28.02.2026 08:00:00", "0.01", "c/3")}),
            kAll);
        QCOMPARE(monthLabels(s), QStringList({"joulu 2025", "tammi 2026", "helmi 2026"}));
        QCOMPARE(monthCents(s), QVector<qint64>({1100, 0, 251}));
        QCOMPARE(s.months.at(0).sum.trades, 2);
        QCOMPARE(s.months.at(1).sum.trades, 0);
        QCOMPARE(s.total.cents, qint64(1351));
        QCOMPARE(s.total.trades, 4);
    }

    void dateRangeOfTheLedger()
    {
        const LedgerTable t
            = table({row("1", "A", "31.12.2025 10:00:00", "10.00", "a/1"), row("2", "B", "01.01.2026 10:00:00", "2.00", "a/1"),
                row("3", "C", "31.01.2026 10:00:00", "3.00", "a/1"), row("4", "D", "01.02.2026 10:00:00", "4.00", "a/1"),
                // out of the range, so not even counted as left out
                row("", "E", "01.02.2026 10:00:00", "zz", "a/1")});
        const SalesSummary s = SalesStatistics::summarize(t, LedgerDateRange {20260101, 20260131});
        QCOMPARE(monthLabels(s), QStringList({"tammi 2026"}));
        QCOMPARE(s.total.cents, qint64(500));
        QCOMPARE(s.skipped, 0);
    }

    // 0.10 + 0.20 is 0.30 exactly; so are a thousand times one cent.
    void centsAreExact()
    {
        QVector<QStringList> rows {
            row("1", "A", "01.01.2026 10:00:00", "0.10", "a/1"), row("2", "B", "01.01.2026 11:00:00", "0.20", "a/1")};
        SalesSummary s = SalesStatistics::summarize(table(rows), kAll);
        QCOMPARE(s.total.cents, qint64(30));
        QCOMPARE(StatisticsText::euros(s.total.cents), QStringLiteral("0.30 €"));
        QCOMPARE(StatisticsText::euros(s.bestParties.at(0).cents), QStringLiteral("0.30 €"));
        rows.clear();
        for (int i = 0; i < 1000; ++i)
            rows << row(QString::number(100 + i), "A", "02.01.2026 10:00:00", "0.01", "a/1");
        s = SalesStatistics::summarize(table(rows), kAll);
        QCOMPARE(s.total.cents, qint64(1000));
        QCOMPARE(StatisticsText::sheetNumber(s.total.cents), QStringLiteral("10,00"));
    }

    void piecesFromTitles()
    {
        const SalesSummary s = SalesStatistics::summarize(table({row("1", "Lamppu (3 KPL)", "01.01.2026 10:00:00", "6.00", "a/1"),
                                                              row("2", "Tuoli", "02.01.2026 10:00:00", "5.00", "b/2"),
                                                              row("3", "Ruuvi (12 KPL)", "02.02.2026 10:00:00", "1.00", "b/2")}),
            kAll);
        QCOMPARE(s.total.trades, 3);
        QCOMPARE(s.total.pieces, qint64(16));
        QCOMPARE(s.months.at(0).sum.pieces, qint64(4));
        QCOMPARE(s.months.at(1).sum.pieces, qint64(12));
    }

    void skippedRows_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<int>("skipped");
        QTest::newRow("no item number") << row("", "A", "01.01.2026 10:00:00", "1.00", "a/1") << 1;
        QTest::newRow("unreadable price") << row("1", "A", "01.01.2026 10:00:00", "1,00", "a/1") << 1;
        QTest::newRow("empty price") << row("1", "A", "01.01.2026 10:00:00", "", "a/1") << 1;
        QTest::newRow("date only") << row("1", "A", "01.01.2021", "1.00", "a/1") << 1;
        QTest::newRow("no closing time") << row("1", "A", "..  ", "1.00", "a/1") << 1;
        QTest::newRow("an empty grid row") << QStringList(10) << 0;
        QTest::newRow("only a note") << QStringList {"", "", "", "", "", "muista", "", "", "", ""} << 1;
    }
    void skippedRows()
    {
        QFETCH(QStringList, cells);
        QFETCH(int, skipped);
        const SalesSummary s
            = SalesStatistics::summarize(table({row("9", "Hyvä", "01.01.2026 10:00:00", "2.00", "a/1"), cells}), kAll);
        QCOMPARE(s.skipped, skipped);
        QCOMPARE(s.total.trades, 1);
        QCOMPARE(s.total.cents, qint64(200));
    }

    void bucketsAndMarks()
    {
        const SalesSummary s
            = SalesStatistics::summarize(table({row("1", "A", "15.12.2025 10:05:00", "1.00", "a/1", "x", "x"),   // Mon
                                             row("2", "B", "20.12.2025 18:30:00", "2.00", "a/1", "", "x"),   // Sat
                                             row("3", "C", "03.02.2026 20:00:00", "4.00", "b/2", "5.3.2026", ""),   // Tue
                                             row("4", "D", "28.02.2026 20:45:00", "8.00", "c/3", "x", " "),   // Sat
                                             row("5", "E", "01.03.2026 09:00:00", "16.00", "b/2", " ", "")}),   // Sun
                kAll);
        QCOMPARE(s.weekdays[0].trades, 1);
        QCOMPARE(s.weekdays[1].trades, 1);
        QCOMPARE(s.weekdays[5].trades, 2);
        QCOMPARE(s.weekdays[5].cents, qint64(1000));
        QCOMPARE(s.weekdays[6].trades, 1);
        QCOMPARE(s.hours[20].trades, 2);
        QCOMPARE(s.hours[9].cents, qint64(1600));
        QCOMPARE(s.hours[10].trades, 1);
        // A mark is set unless empty or a single space.
        QCOMPARE(s.paid.cents, qint64(100 + 400 + 800));
        QCOMPARE(s.unpaid.cents, qint64(200 + 1600));
        QCOMPARE(s.sent.cents, qint64(100 + 200));
        QCOMPARE(s.unsent.cents, qint64(400 + 800 + 1600));
        QCOMPARE(s.paid.trades + s.unpaid.trades, 5);
    }

    // The ledger's counterparty key: spaces, capitals and the id after "/"
    // do not matter; rows without a counterparty count for nobody.
    void bestCounterparties()
    {
        QVector<QStringList> rows {row("1", "A", "01.01.2026 10:00:00", "5.00", "Matti M/12"),
            row("2", "B", "01.01.2026 10:00:00", "5.00", "mattim/99"), row("3", "C", "01.01.2026 10:00:00", "9.00", "Liisa/13"),
            row("4", "D", "01.01.2026 10:00:00", "10.00", " "), row("5", "E", "01.01.2026 10:00:00", "10.00", "")};
        // Twelve small buyers after them: only ten places in all.
        for (int i = 0; i < 12; ++i)
            rows << row(QString::number(100 + i), "F", "02.01.2026 10:00:00", "0.0" + QString::number(i % 9 + 1),
                QStringLiteral("pieni%1/%1").arg(i, 2, 10, QLatin1Char('0')));
        const SalesSummary s = SalesStatistics::summarize(table(rows), kAll);
        QCOMPARE(s.bestParties.size(), SalesStatistics::BestPartyCount);
        QCOMPARE(s.bestParties.at(0).key, QStringLiteral("mattim"));
        QCOMPARE(s.bestParties.at(0).trades, 2);
        QCOMPARE(s.bestParties.at(0).cents, qint64(1000));
        QCOMPARE(s.bestParties.at(1).key, QStringLiteral("liisa"));
        QCOMPARE(s.bestParties.at(2).key, QStringLiteral("pieni08"));
        QCOMPARE(s.bestParties.at(3).key, QStringLiteral("pieni07"));
        // Equal sums and counts: the key decides, never the hash order.
        QCOMPARE(s.bestParties.at(8).key, QStringLiteral("pieni02"));
        QCOMPARE(s.bestParties.at(9).key, QStringLiteral("pieni11"));
        QCOMPARE(s.total.cents, qint64(3900 + 1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 1 + 2 + 3));
    }

    // The tally grows far past its first size and still finds every key.
    void manyCounterparties()
    {
        PartyTally tally;
        for (int round = 0; round < 3; ++round) {
            for (int i = 0; i < 5000; ++i)
                tally.add(QStringLiteral("Osta Ja%1/%2").arg(i).arg(round), i == 4321 ? 100000 : 1);
        }
        QCOMPARE(tally.size(), 5000);
        const QVector<PartySum> best = tally.best(2);
        QCOMPARE(best.at(0).key, QStringLiteral("ostaja4321"));
        QCOMPARE(best.at(0).trades, 3);
        QCOMPARE(best.at(0).cents, qint64(300000));
        QCOMPARE(best.at(1).cents, qint64(3));
        QCOMPARE(tally.best(0).size(), 0);
    }

    void texts()
    {
        QCOMPARE(StatisticsText::monthLabel(2026, 1), QStringLiteral("tammi 2026"));
        QCOMPARE(StatisticsText::monthLabel(2025, 6), QStringLiteral("kesä 2025"));
        QCOMPARE(StatisticsText::monthLabel(2025, 12), QStringLiteral("joulu 2025"));
        QCOMPARE(StatisticsText::weekdayLabels(), QStringList({"ma", "ti", "ke", "to", "pe", "la", "su"}));
        QCOMPARE(StatisticsText::hourLabels().first(), QStringLiteral("00"));
        QCOMPARE(StatisticsText::hourLabels().size(), 24);
        QCOMPARE(StatisticsText::skippedLine(3), QStringLiteral("3 riviä ohitettiin"));
        QCOMPARE(StatisticsText::skippedLine(1), QStringLiteral("1 rivi ohitettiin"));
        QCOMPARE(StatisticsText::skippedLine(0), QString());
        QCOMPARE(StatisticsText::euros(123456), QStringLiteral("1234.56 €"));
        QCOMPARE(StatisticsText::euros(5), QStringLiteral("0.05 €"));
        TradeSum total;
        total.add(3, 1250);
        QCOMPARE(StatisticsText::summaryLine(LedgerMode::Bought, LedgerDateRange {20250105, 20261231}, total),
            QStringLiteral("Ostetut kohteet 5.1.2025–31.12.2026: 1 kauppa, 3 kpl, yhteensä 12.50 €"));
    }

    // Tabs between cells, CR LF after each line, decimal commas: a
    // spreadsheet in Finnish takes the figures as numbers.
    void monthTableText()
    {
        const SalesSummary s = SalesStatistics::summarize(table({row("1", "A (2 KPL)", "15.12.2025 10:00:00", "0.10", "a/1"),
                                                              row("2", "B", "03.02.2026 10:00:00", "1234.5", "b/2")}),
            kAll);
        QCOMPARE(StatisticsText::monthTable(s),
            QStringLiteral("Kuukausi\tKauppoja\tKpl\tYhteensä €\r\n"
                           "joulu 2025\t1\t2\t0,10\r\n"
                           "tammi 2026\t0\t0\t0,00\r\n"
                           "helmi 2026\t1\t1\t1234,50\r\n"
                           "Yhteensä\t2\t3\t1234,60\r\n"));
    }

    void emptyList()
    {
        const SalesSummary s = SalesStatistics::summarize(LedgerTable(), kAll);
        QVERIFY(s.months.isEmpty());
        QVERIFY(s.bestParties.isEmpty());
        QCOMPARE(s.skipped, 0);
        QCOMPARE(
            StatisticsText::monthTable(s), QStringLiteral("Kuukausi\tKauppoja\tKpl\tYhteensä €\r\nYhteensä\t0\t0\t0,00\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSalesStatistics)
#include "tst_salesstatistics.moc"
