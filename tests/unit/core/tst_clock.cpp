#include "core/clockformat.h"
#include "core/programclock.h"
#include <QtTest>

class TestClock : public QObject {
    Q_OBJECT
private slots:
    void clockAdvancesFromItsBase()
    {
        qint64 tick = 1000;
        ProgramClock clock([&tick] { return tick; }, QDateTime(QDate(2022, 3, 4), QTime(12, 34, 56)));
        tick += 61500;
        QCOMPARE(clock.kellonaika(), QDateTime(QDate(2022, 3, 4), QTime(12, 35, 57, 500)));
        clock.asetakello(QDateTime(QDate(2023, 1, 1), QTime(0, 0)));
        tick += 1000;
        QCOMPARE(clock.kellonaika(), QDateTime(QDate(2023, 1, 1), QTime(0, 0, 1)));
    }

    void suffixTurnsOnceAndStays()
    {
        qint64 tick = 0;
        ProgramClock clock([&tick] { return tick; });
        QCOMPARE(clock.sourceSuffix(), QStringLiteral(" (Järjestelmän aikaa)"));
        clock.setFromMarketplace(QDateTime());        // invalid: nothing changes
        QCOMPARE(clock.sourceSuffix(), QStringLiteral(" (Järjestelmän aikaa)"));
        clock.setFromMarketplace(QDateTime(QDate(2022, 3, 4), QTime(12, 34, 56)));
        QCOMPARE(clock.sourceSuffix(), QStringLiteral(" (Vasaron aikaa)"));
        clock.asetakello(QDateTime(QDate(2022, 3, 5), QTime(1, 0)));
        QCOMPARE(clock.sourceSuffix(), QStringLiteral(" (Vasaron aikaa)"));
    }

    void caption_data()
    {
        QTest::addColumn<QDateTime>("dt");
        QTest::addColumn<QString>("text");
        QTest::newRow("friday") << QDateTime(QDate(2022, 3, 4), QTime(12, 34, 56))
                                << QStringLiteral("perjantai 4.3. 12:34:56");
        QTest::newRow("morning, no leading zeros in date")
            << QDateTime(QDate(2026, 2, 2), QTime(9, 5, 7)) << QStringLiteral("maanantai 2.2. 9:05:07");
        QTest::newRow("sunday midnight") << QDateTime(QDate(2026, 12, 13), QTime(0, 0, 0))
                                         << QStringLiteral("sunnuntai 13.12. 0:00:00");
    }
    void caption()
    {
        QFETCH(QDateTime, dt);
        QFETCH(QString, text);
        QCOMPARE(ClockFormat::caption(QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : "), dt,
                                      QStringLiteral(" (Järjestelmän aikaa)")),
                 QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : ") + text
                     + QStringLiteral(" (Järjestelmän aikaa)"));
    }

    void formStrings_data()
    {
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::newRow("plain") << QDateTime(QDate(2022, 3, 5), QTime(10, 0, 0)) << "05.03.22" << "10:01";
        QTest::newRow("just before midnight gives next day")
            << QDateTime(QDate(2022, 12, 31), QTime(23, 59, 30)) << "01.01.23" << "00:00";
    }
    void formStrings()
    {
        QFETCH(QDateTime, now);
        QFETCH(QString, date);
        QFETCH(QString, time);
        QCOMPARE(ClockFormat::wwwdatenow(now), date);
        QCOMPARE(ClockFormat::wwwtimenow(now), time);
    }

    void wwwModeTwoSetsTimeThenAddsOffsets()
    {
        const QDateTime now(QDate(2022, 3, 5), QTime(22, 47, 13, 250));
        QCOMPARE(ClockFormat::wwwtime(now, 86400, 0, 5, 9, 2), QStringLiteral("09:05"));
        QCOMPARE(ClockFormat::wwwdate(now, 86400, 0, 5, 9, 2), QStringLiteral("06.03.22"));
        // Any other mode keeps the clock's time.
        QCOMPARE(ClockFormat::wwwtime(now, 0, 120, 5, 9, 0), QStringLiteral("22:49"));
    }

    void dayStampRoundsToNearestDay_data()
    {
        QTest::addColumn<QDateTime>("dt");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("morning") << QDateTime(QDate(2022, 3, 4), QTime(9, 0)) << ":44624";
        QTest::newRow("after noon is tomorrow") << QDateTime(QDate(2022, 3, 4), QTime(12, 0, 1)) << ":44625";
        QTest::newRow("noon of an even day stays") << QDateTime(QDate(2022, 3, 4), QTime(12, 0)) << ":44624";
        QTest::newRow("noon of an odd day goes up") << QDateTime(QDate(2022, 3, 5), QTime(12, 0)) << ":44626";
        QTest::newRow("epoch") << QDateTime(QDate(1899, 12, 30), QTime(0, 0)) << ":0";
    }
    void dayStampRoundsToNearestDay()
    {
        QFETCH(QDateTime, dt);
        QFETCH(QString, stamp);
        QCOMPARE(ClockFormat::dayStamp(dt), stamp);
    }

    void dayItem()
    {
        QCOMPARE(ClockFormat::dayItem(QDate(2022, 3, 7)), QStringLiteral("Maanantai  7.3"));
        QCOMPARE(ClockFormat::dayItem(QDate(2022, 12, 25)), QStringLiteral("Sunnuntai  25.12"));
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
