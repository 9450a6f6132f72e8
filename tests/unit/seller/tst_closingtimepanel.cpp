// The closing-time panel: its day list from the program clock's day, and the
// stored closing choice restored at start-up.
#include "seller/templates/closingtimepanel.h"
#include "core/settings.h"
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

class TstClosingTimePanel final : public QObject {
    Q_OBJECT
private slots:
    void startFillsDaysAndTime();
    void restoreStored_data();
    void restoreStored();

private:
    // A Friday morning.
    const QDateTime m_now{QDate(2026, 1, 2), QTime(8, 5)};
};

void TstClosingTimePanel::startFillsDaysAndTime()
{
    Settings settings;
    ClosingTimePanel panel(&settings);
    panel.start(m_now);
    QComboBox *days = panel.findChild<QComboBox *>(QStringLiteral("Cb"));
    QVERIFY(days);
    QCOMPARE(days->count(), 121);
    QCOMPARE(days->itemText(0), QStringLiteral("Perjantai  2.1"));
    QCOMPARE(days->itemText(120), QStringLiteral("Lauantai  2.5"));
    QCOMPARE(days->currentIndex(), 3);
    QCOMPARE(panel.findChild<QLineEdit *>(QStringLiteral("e1"))->text(), QStringLiteral("08"));
    QCOMPARE(panel.findChild<QLineEdit *>(QStringLiteral("e2"))->text(), QStringLiteral("05"));
    QCOMPARE(settings.sulkeutumisaika, QStringLiteral("Maanantai  5.1:08:05"));
}

void TstClosingTimePanel::restoreStored_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("result");
    QTest::newRow("listed day") << "Keskiviikko  7.1:07:30" << 5 << "Keskiviikko  7.1:07:30";
    QTest::newRow("today is not restored") << "Perjantai  2.1:10:00" << 3 << "Maanantai  5.1:10:00";
    QTest::newRow("beyond the 13th day") << "Perjantai  16.1:12:00" << 3 << "Maanantai  5.1:12:00";
    QTest::newRow("too large: capped") << "Lauantai  3.1:99:75" << 1 << "Lauantai  3.1:23:59";
    QTest::newRow("not numbers: zero") << "Lauantai  3.1:ab:-1" << 1 << "Lauantai  3.1:00:00";
    QTest::newRow("empty") << "" << 3 << "Maanantai  5.1:00:00";
}

void TstClosingTimePanel::restoreStored()
{
    QFETCH(QString, stored);
    QFETCH(int, day);
    QFETCH(QString, result);
    Settings settings;
    ClosingTimePanel panel(&settings);
    panel.start(m_now);
    settings.sulkeutumisaika = stored;
    panel.restoreStored();
    QCOMPARE(panel.dayList()->currentIndex(), day);
    QCOMPARE(settings.sulkeutumisaika, result);
}

QTEST_MAIN(TstClosingTimePanel)
#include "tst_closingtimepanel.moc"
