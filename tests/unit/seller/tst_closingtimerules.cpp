// The closing-time arithmetic: days until the chosen closing, the apply
// button's caption and reach, the selection kept over midnight, and the
// start and end texts written into the form.
#include "seller/templates/closingtimerules.h"
#include <QtTest>

class TstClosingTimeRules final : public QObject {
    Q_OBJECT
private slots:
    void days_data();
    void days();
    void caption_data();
    void caption();
    void selectionAfterDayChange_data();
    void selectionAfterDayChange();
    void formTimes_data();
    void formTimes();
};

void TstClosingTimeRules::days_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("inReach");
    const QDate day(2026, 6, 12);
    QTest::newRow("entry 3 at the current minute, second 0")
        << QDateTime(day, QTime(14, 25, 0)) << 3 << 14 << 25 << "3" << true;
    QTest::newRow("23:59:59, today at 00:00: past")
        << QDateTime(day, QTime(23, 59, 59)) << 0 << 0 << 0 << "-1" << false;
    QTest::newRow("a second ago today: past, caption rounds to 0")
        << QDateTime(day, QTime(10, 0, 1)) << 0 << 10 << 0 << "0" << false;
    QTest::newRow("right now: in reach") << QDateTime(day, QTime(10, 0, 0)) << 0 << 10 << 0 << "0" << true;
    QTest::newRow("three and a half days and an hour")
        << QDateTime(day, QTime(8, 0, 0)) << 3 << 21 << 0 << "3.5417" << true;
    QTest::newRow("seconds count") << QDateTime(day, QTime(8, 0, 30)) << 1 << 8 << 0 << "0.9997" << true;
    QTest::newRow("last entry at midnight: 120 days less the time")
        << QDateTime(day, QTime(12, 0, 0)) << 120 << 0 << 0 << "119.5" << true;
    QTest::newRow("last entry, later that day: beyond reach")
        << QDateTime(day, QTime(12, 0, 0)) << 120 << 13 << 0 << "120.0417" << false;
    QTest::newRow("exactly 120 days") << QDateTime(day, QTime(12, 0, 0)) << 120 << 12 << 0 << "120" << true;
}

void TstClosingTimeRules::days()
{
    QFETCH(QDateTime, now);
    QFETCH(int, index);
    QFETCH(int, hour);
    QFETCH(int, minute);
    const double days = ClosingTimeRules::days(now, {index, hour, minute});
    QTEST(ClosingTimeRules::caption(days), "caption");
    QTEST(ClosingTimeRules::inReach(days), "inReach");
}

void TstClosingTimeRules::caption_data()
{
    QTest::addColumn<double>("days");
    QTest::addColumn<QString>("caption");
    QTest::newRow("whole") << 3.0 << "3";
    QTest::newRow("computed just below whole") << 2.9999999 << "3";
    QTest::newRow("trailing zeros dropped") << 1.25 << "1.25";
    QTest::newRow("four decimals") << 0.123456 << "0.1235";
    QTest::newRow("negative") << -0.5 << "-0.5";
    QTest::newRow("tiny negative is zero") << -0.00001 << "0";
}

void TstClosingTimeRules::caption()
{
    QFETCH(double, days);
    QTEST(ClosingTimeRules::caption(days), "caption");
}

void TstClosingTimeRules::selectionAfterDayChange_data()
{
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("next");
    QTest::newRow("the same date stays chosen") << 5 << 4;
    QTest::newRow("tomorrow becomes today") << 1 << 0;
    QTest::newRow("today jumps three days ahead") << 0 << 3;
    QTest::newRow("nothing chosen") << -1 << 3;
}

void TstClosingTimeRules::selectionAfterDayChange()
{
    QFETCH(int, previous);
    QTEST(ClosingTimeRules::selectionAfterDayChange(previous), "next");
}

void TstClosingTimeRules::formTimes_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("three days ahead")
        << QDateTime(QDate(2026, 6, 12), QTime(9, 5, 10)) << 3 << 21 << 7
        << QStringList{"12.06.26", "09:06", "15.06.26", "21:07"};
    QTest::newRow("start a minute later is tomorrow")
        << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 30)) << 1 << 0 << 0
        << QStringList{"01.01.27", "00:00", "01.01.27", "00:00"};
    QTest::newRow("over the month end") << QDateTime(QDate(2026, 1, 30), QTime(12, 0)) << 5 << 18 << 30
                                        << QStringList{"30.01.26", "12:01", "04.02.26", "18:30"};
}

void TstClosingTimeRules::formTimes()
{
    QFETCH(QDateTime, now);
    QFETCH(int, index);
    QFETCH(int, hour);
    QFETCH(int, minute);
    const ClosingFormTimes t = ClosingTimeRules::formTimes(now, {index, hour, minute});
    QTEST((QStringList{t.startDate, t.startTime, t.endDate, t.endTime}), "fields");
}

QTEST_MAIN(TstClosingTimeRules)
#include "tst_closingtimerules.moc"
