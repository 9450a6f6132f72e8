// The closing-time panel over time and input: the day list moving at
// midnight, the apply button's caption and reach, automatic application,
// and the hour and minute checks typed through the window system.
#include "seller/templates/closingtimepanel.h"
#include "core/settings.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

class TstClosingTimeClock final : public QObject {
    Q_OBJECT
private slots:
    void midnightKeepsTheChosenDate();
    void todayJumpsThreeDaysAtMidnight();
    void captionAndAutomaticApply();
    void pastClosingDisablesApply();
    void typedTimeIsChecked_data();
    void typedTimeIsChecked();

private:
    // A Friday evening.
    const QDateTime m_evening{QDate(2026, 1, 2), QTime(23, 59, 50)};
};

void TstClosingTimeClock::midnightKeepsTheChosenDate()
{
    Settings settings;
    ClosingTimePanel panel(&settings);
    panel.start(m_evening);
    panel.dayList()->setCurrentIndex(5);
    QCOMPARE(panel.dayList()->currentText(), QStringLiteral("Keskiviikko  7.1"));
    QSignalSpy dayChanged(&panel, &ClosingTimePanel::dayChanged);
    panel.paivita_aukiolo(m_evening.addSecs(5));
    QCOMPARE(dayChanged.count(), 0);
    panel.paivita_aukiolo(m_evening.addSecs(15));
    QCOMPARE(dayChanged.count(), 1);
    QCOMPARE(panel.dayList()->count(), 121);
    QCOMPARE(panel.dayList()->itemText(0), QStringLiteral("Lauantai  3.1"));
    QCOMPARE(panel.dayList()->currentIndex(), 4);
    QCOMPARE(panel.dayList()->currentText(), QStringLiteral("Keskiviikko  7.1"));
    QCOMPARE(settings.sulkeutumisaika, QStringLiteral("Keskiviikko  7.1:23:59"));
    // The same day again: no new list.
    panel.paivita_aukiolo(m_evening.addSecs(60));
    QCOMPARE(dayChanged.count(), 1);
}

void TstClosingTimeClock::todayJumpsThreeDaysAtMidnight()
{
    Settings settings;
    ClosingTimePanel panel(&settings);
    panel.start(m_evening);
    panel.dayList()->setCurrentIndex(0);
    panel.paivita_aukiolo(m_evening.addSecs(15));
    QCOMPARE(panel.dayList()->currentIndex(), 3);
    QCOMPARE(panel.dayList()->currentText(), QStringLiteral("Tiistai  6.1"));
}

void TstClosingTimeClock::captionAndAutomaticApply()
{
    Settings settings;
    ClosingTimePanel panel(&settings);
    const QDateTime now(QDate(2026, 1, 2), QTime(8, 5, 0));
    panel.start(now);
    QAbstractButton *apply = panel.findChild<QAbstractButton *>(QStringLiteral("XiButton3"));
    auto *automatic = panel.findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
    QVERIFY(apply && automatic);
    QCOMPARE(apply->text(), QStringLiteral("3"));
    QVERIFY(apply->isEnabled());
    QSignalSpy applied(&panel, &ClosingTimePanel::automaticApply);
    // Without "Automaattinen" a new caption applies nothing.
    panel.paivita_aukiolo(now.addSecs(9));
    QCOMPARE(apply->text(), QStringLiteral("2.9999"));
    QCOMPARE(applied.count(), 0);
    // Switching it on applies at once.
    automatic->click();
    QCOMPARE(applied.count(), 1);
    // The same caption again applies nothing; the next one does.
    panel.paivita_aukiolo(now.addSecs(10));
    QCOMPARE(applied.count(), 1);
    panel.paivita_aukiolo(now.addSecs(18));
    QCOMPARE(apply->text(), QStringLiteral("2.9998"));
    QCOMPARE(applied.count(), 2);
    QSignalSpy clicked(&panel, &ClosingTimePanel::applyClicked);
    apply->click();
    QCOMPARE(clicked.count(), 1);
}

void TstClosingTimeClock::pastClosingDisablesApply()
{
    Settings settings;
    ClosingTimePanel panel(&settings);
    panel.start(QDateTime(QDate(2026, 1, 2), QTime(8, 5, 0)));
    panel.findChild<QCheckBox *>(QStringLiteral("CheckBox1"))->click();
    QSignalSpy applied(&panel, &ClosingTimePanel::automaticApply);
    panel.dayList()->setCurrentIndex(0);
    panel.paivita_aukiolo(QDateTime(QDate(2026, 1, 2), QTime(8, 6, 0)));
    QAbstractButton *apply = panel.applyButton();
    QCOMPARE(apply->text(), QStringLiteral("-0.0007"));
    QVERIFY(!apply->isEnabled());
    QVERIFY(!panel.openingButtonEnabled());
    QCOMPARE(applied.count(), 0);
}

void TstClosingTimeClock::typedTimeIsChecked_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("hour 7") << "e1" << "7" << "07";
    QTest::newRow("hour 99") << "e1" << "99" << "23";
    QTest::newRow("hour a letter") << "e1" << "x" << "00";
    QTest::newRow("hour 23") << "e1" << "23" << "23";
    QTest::newRow("minute 75") << "e2" << "75" << "59";
    QTest::newRow("minute 5") << "e2" << "5" << "05";
    QTest::newRow("minute minus") << "e2" << "-3" << "00";
}

void TstClosingTimeClock::typedTimeIsChecked()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    Settings settings;
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *panel = new ClosingTimePanel(&settings, &window);
    auto *other = new QLineEdit(&window);
    layout->addWidget(panel);
    layout->addWidget(other);
    panel->start(QDateTime(QDate(2026, 1, 2), QTime(8, 5, 0)));
    window.show();
    QApplication::setActiveWindow(&window);
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *edit = panel->findChild<QLineEdit *>(field);
    const QPoint at = edit->mapTo(&window, edit->rect().center());
    QWidget *target = window.childAt(at);
    QCOMPARE(target, edit);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&window, at));
    QTRY_COMPARE(QApplication::focusWidget(), edit);
    QSignalSpy checked(panel, &ClosingTimePanel::timeChecked);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), typed);
    // Editing takes the confirmation away until the field is left.
    QVERIFY(!panel->timeConfirmed());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTEST(edit->text(), "result");
    QVERIFY(panel->timeConfirmed());
    QVERIFY(checked.count() >= 1);
    QVERIFY(settings.sulkeutumisaika.endsWith(field == QLatin1String("e1")
                                                  ? u':' + edit->text() + QStringLiteral(":05")
                                                  : QStringLiteral(":08:") + edit->text()));
}

QTEST_MAIN(TstClosingTimeClock)
#include "tst_closingtimeclock.moc"
