// The ledger window driven as a user would: the view, its marks, notes,
// sorting and the calendar. Saving and closing: tst_ledgersaving.cpp.
#include "layoutfit.h"
#include "ledgerwindowtest.h"
#include <QDir>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QToolButton>

using namespace LedgerRows;

namespace {
// A 1280 × 1024 screen for the offscreen platform, set before the
// application starts: the window is tried at that size too.
const bool kScreen = [] {
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/vss-screen-XXXXXX.json"));
    if (config.open()) {
        config.write(R"({"screens": [{"name": "s1", "x": 0, "y": 0, "width": 1280, "height": 1024,
                         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        config.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }
    return true;
}();
}

class TestTForm8 : public QObject, protected LedgerWindowTest {
    Q_OBJECT
private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void createdWithItsControls()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Myydyt / ostetut kohteet"));
        QCOMPARE(w<QLineEdit>("Edit1")->text(), QStringLiteral("0"));
        QCOMPARE(w<QLineEdit>("Edit1")->maxLength(), 5);
        QCOMPARE(w<QLineEdit>("Edit2")->text(), QStringLiteral("10"));
        QCOMPARE(w<QLineEdit>("Edit2")->maxLength(), 4);
        QCOMPARE(w<QPushButton>("suoritahaku")->text(), QStringLiteral("Hae myytyjä kohteita"));
        QCOMPARE(w<QComboBox>("huutaja")->currentIndex(), 2);
        QCOMPARE(w<QComboBox>("huutaja")->itemText(1), QStringLiteral("Ostaja Z > A"));
        QCOMPARE(w<QComboBox>("ComboBox2")->currentText(), QStringLiteral("01"));
        QCOMPARE(w<QComboBox>("ComboBox3")->currentText(), QStringLiteral("01"));
        QCOMPARE(w<QComboBox>("ComboBox5")->currentText(), QStringLiteral("31"));
        QCOMPARE(w<QComboBox>("ComboBox6")->currentText(), QStringLiteral("12"));
        // The year lists run from 2007 to the program clock's year.
        for (const char *name : {"ComboBox4", "ComboBox7"}) {
            auto *years = w<QComboBox>(name);
            QCOMPARE(years->count(), 2026 - 2007 + 1);
            QCOMPARE(years->itemText(years->count() - 1), QStringLiteral("2026"));
        }
        QCOMPARE(w<QComboBox>("ComboBox4")->currentText(), QStringLiteral("2007"));
        QCOMPARE(w<QComboBox>("ComboBox7")->currentText(), QStringLiteral("2026"));
        auto *calendar = w<QCalendarWidget>("MonthCalendar1");
        QVERIFY(!calendar->isVisible());
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
        QCOMPARE(calendar->selectedDate(), QDate(2026, 3, 15));
        QCOMPARE(w<QPlainTextEdit>("Memo4")->toolTip(), QStringLiteral("Tähän voi kirjoittaa lisätietoja.."));
        QVERIFY(w<QPlainTextEdit>("Memo1")->isReadOnly());
        QCOMPARE(w<QAction>("Poistarivi")->text(), QStringLiteral("Poista rivi              Delete"));
        QCOMPARE(w<QAction>("lisaa")->text(), QStringLiteral("Lisää listaan"));
        // The fetch needs the marketplace's API attached; until then its
        // button is disabled. Messages and printing are always there.
        QVERIFY(!w<QPushButton>("suoritahaku")->isEnabled());
        QVERIFY(w<QPushButton>("Tulostus")->isEnabled());
        QVERIFY(w<QPushButton>("viestil")->isEnabled());

        QCOMPARE(model()->columnCount(), 11);
        QCOMPARE(model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Lähetetty"));
        QVERIFY(grid()->isColumnHidden(5));
        QVERIFY(grid()->isColumnHidden(10));
        QCOMPARE(grid()->columnWidth(2), 280);
        QCOMPARE(grid()->verticalHeader()->defaultSectionSize(), 18);
        QCOMPARE(m_form->view().cell(10, 1), QStringLiteral("1"));
        QCOMPARE(m_form->minimumSize(), QSize(780, 550));
    }

    void showChoices_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("all") << 0 << QStringList{"44444444", "55555555", "33333333", "22222222", "11111111"};
        QTest::newRow("unpaid") << 1 << QStringList{"44444444", "55555555", "11111111"};
        QTest::newRow("unsent") << 2 << QStringList{"55555555", "33333333", "22222222", "11111111"};
        QTest::newRow("paid, not sent (sent is a space)") << 3 << QStringList{"33333333", "22222222"};
    }
    void showChoices()
    {
        QFETCH(int, choice);
        QFETCH(QStringList, shown);
        load(sampleRows());
        w<QComboBox>("ComboBox1")->setCurrentIndex(choice);
        QCOMPARE(shownItems(), shown);   // the 10-character closing time is never shown
        for (int r = 1; r < m_form->view().rowCount(); ++r)
            QCOMPARE(masterCell(1, m_form->view().cell(1, r)),
                     m_form->masterList().cell(1, m_form->view().link(r)));
    }

    void dateRangeFollowsListAndCombos()
    {
        load(sampleRows());
        // asetaaikavali: earliest and latest closing dates of the list.
        QCOMPARE(w<QComboBox>("ComboBox2")->currentText(), QStringLiteral("01"));
        QCOMPARE(w<QComboBox>("ComboBox3")->currentText(), QStringLiteral("01"));
        QCOMPARE(w<QComboBox>("ComboBox4")->currentText(), QStringLiteral("2021"));
        QCOMPARE(w<QComboBox>("ComboBox5")->currentText(), QStringLiteral("01"));
        QCOMPARE(w<QComboBox>("ComboBox6")->currentText(), QStringLiteral("02"));
        QCOMPARE(w<QComboBox>("ComboBox7")->currentText(), QStringLiteral("2022"));
        w<QComboBox>("ComboBox4")->setCurrentText(QStringLiteral("2022"));
        QCOMPARE(shownItems(), QStringList({"44444444", "55555555", "33333333"}));
        w<QComboBox>("ComboBox5")->setCurrentText(QStringLiteral("10"));
        w<QComboBox>("ComboBox6")->setCurrentText(QStringLiteral("01"));
        QCOMPARE(shownItems(), QStringList({"33333333"}));   // both bounds inclusive
        w<QComboBox>("ComboBox2")->setCurrentText(QStringLiteral("11"));
        QCOMPARE(m_form->view().rowCount(), 2);
        QCOMPARE(m_form->view().cell(1, 1), QString());
        QVERIFY(m_prompts.asked.isEmpty());   // a loaded list gives no hint
    }

    void emptyListHintOncePerRun()
    {
        QCOMPARE(m_form->view().rowCount(), 2);
        w<QComboBox>("ComboBox2")->setCurrentIndex(4);
        w<QComboBox>("ComboBox1")->setCurrentIndex(1);
        w<QComboBox>("ComboBox7")->setCurrentIndex(3);
        QCOMPARE(m_prompts.asked,
                 QStringList{QStringLiteral("information: Avaa ensin lista tai tee haku määrän perusteella."
                                            "\r\n\r\nTämän jälkeen tuloksia voi rajata sulkeutumisajan mukaan.")});
        QCOMPARE(m_form->view().rowCount(), 2);
    }

    void marksByMouse_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("alsoChanged");
        QTest::newRow("right on empty writes x") << 6 << "11111111" << int(Qt::RightButton) << false << "x" << QStringList();
        QTest::newRow("right on x empties") << 6 << "22222222" << int(Qt::RightButton) << false << "" << QStringList();
        QTest::newRow("left on x empties") << 6 << "22222222" << int(Qt::LeftButton) << false << "" << QStringList();
        QTest::newRow("left on set sent mark empties") << 7 << "44444444" << int(Qt::LeftButton) << false << "" << QStringList();
        QTest::newRow("middle empties") << 7 << "44444444" << int(Qt::MiddleButton) << false << "" << QStringList();
        QTest::newRow("right on space writes x") << 7 << "33333333" << int(Qt::RightButton) << false << "x" << QStringList();
        QTest::newRow("shift reaches the counterparty") << 7 << "11111111" << int(Qt::RightButton) << true << "x"
                                                        << QStringList{"22222222"};
        QTest::newRow("shift, other spelling of the name") << 6 << "55555555" << int(Qt::RightButton) << true << "x"
                                            << QStringList{"44444444"};
    }
    void marksByMouse()
    {
        QFETCH(int, column);
        QFETCH(QString, item);
        QFETCH(int, button);
        QFETCH(bool, shift);
        QFETCH(QString, value);
        QFETCH(QStringList, alsoChanged);
        load(sampleRows());
        const LedgerTable before = m_form->masterList();
        click(viewRow(item), column, Qt::MouseButton(button), shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(masterCell(column, item), value);
        QCOMPARE(m_form->view().cell(column, viewRow(item)), value);
        for (const QString &other : alsoChanged)
            QCOMPARE(masterCell(column, other), value);
        // Nothing else changed, and marks leave the list "saved".
        LedgerTable expected = before;
        for (int r = 1; r < expected.rowCount(); ++r) {
            if (expected.cell(1, r) == item || alsoChanged.contains(expected.cell(1, r)))
                expected.setCell(column, r, value);
        }
        QVERIFY(m_form->masterList() == expected);
        QVERIFY(!m_form->isUnsaved());
        QVERIFY(!w<QCalendarWidget>("MonthCalendar1")->isVisible());
    }

    void leftClickOnClearMarkPicksDate_data()
    {
        QTest::addColumn<bool>("shift");
        QTest::addColumn<QStringList>("dated");
        QTest::newRow("one row") << false << QStringList{"11111111"};
        QTest::newRow("whole counterparty") << true << QStringList{"11111111", "22222222"};
    }
    void leftClickOnClearMarkPicksDate()
    {
        QFETCH(bool, shift);
        QFETCH(QStringList, dated);
        load(sampleRows());
        click(viewRow("11111111"), 7, Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier);
        auto *calendar = w<QCalendarWidget>("MonthCalendar1");
        QVERIFY(calendar->isVisible());
        QCOMPARE(masterCell(7, "11111111"), QString());   // nothing until a date is picked
        emit calendar->clicked(QDate(2022, 3, 5));
        QVERIFY(!calendar->isVisible());
        for (const QString &item : dated)
            QCOMPARE(masterCell(7, item), QStringLiteral("5.3.2022"));
        if (!shift)
            QCOMPARE(masterCell(7, "22222222"), QString());
        QVERIFY(!m_form->isUnsaved());
    }

    void calendarClosedByRebuild()
    {
        load(sampleRows());
        click(viewRow("11111111"), 6);
        QVERIFY(w<QCalendarWidget>("MonthCalendar1")->isVisible());
        w<QComboBox>("ComboBox1")->setCurrentIndex(2);
        QVERIFY(!w<QCalendarWidget>("MonthCalendar1")->isVisible());
    }

    void rightClickElsewhereOpensPopup()
    {
        load(sampleRows());
        click(viewRow("33333333"), 2, Qt::RightButton);
        auto *popup = w<QMenu>("PopupMenu1");
        QVERIFY(popup->isVisible());
        popup->hide();
        QCOMPARE(m_form->selectedRow(), viewRow("33333333"));
        QCOMPARE(masterCell(6, "33333333"), QStringLiteral("x"));
    }

    void markingAndClosingAsksNothing()
    {
        load(sampleRows());
        click(viewRow("11111111"), 6, Qt::RightButton);
        QSignalSpy closed(m_form.get(), &TForm8::formClosed);
        w<QAction>("Sulje1")->trigger();
        QVERIFY(!m_form->isVisible());
        QCOMPARE(closed.count(), 1);
        QVERIFY(m_prompts.asked.isEmpty());
        // Closing only hides: the list is still there.
        QCOMPARE(masterCell(6, "11111111"), QStringLiteral("x"));
    }

    void selectionShowsTotalsAndAddress()
    {
        load(sampleRows());
        select("11111111");
        QCOMPARE(w<QLabel>("Label5")->text(), QStringLiteral("5kpl yht. 42.60€"));
        QCOMPARE(w<QLabel>("Label1")->text(), QStringLiteral("2"));
        QCOMPARE(w<QLabel>("Label2")->text(), QStringLiteral("15.50€"));
        QCOMPARE(w<QPlainTextEdit>("Memo1")->toPlainText(),
                 QStringLiteral("Matti Meikäläinen\nmatti@x.fi\nKatu 1\n00100 Helsinki\n0401234567"));
        QCOMPARE(w<QPlainTextEdit>("Memo4")->toPlainText(), QStringLiteral("Lisätiedot, kirjoita tähän"));
        // The selected counterparty's rows are drawn highlighted.
        const QColor highlight(0xA6, 0xCA, 0xF0);
        QCOMPARE(model()->index(viewRow("22222222") - 1, 2).data(Qt::BackgroundRole).value<QColor>(), highlight);
        QVERIFY(model()->index(viewRow("33333333") - 1, 2).data(Qt::BackgroundRole).value<QColor>() != highlight);
        QCOMPARE(model()->index(0, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(model()->index(viewRow("11111111") - 1, 9).data().toString(), QStringLiteral("mattim"));
    }

    void gridPaintsTheLedgerColours()
    {
        load(sampleRows());
        select("11111111");
        const QImage image = grid()->viewport()->grab().toImage();
        const auto background = [&](const QString &item, int column) {
            const QRect r = grid()->visualRect(model()->index(viewRow(item) - 1, column));
            return QColor(image.pixel(r.right() - 2, r.bottom() - 1));
        };
        // The selected counterparty stands out in its own colour, the
        // selection itself draws no highlight of its own.
        QCOMPARE(background("11111111", 2), QColor(0xA6, 0xCA, 0xF0));
        QCOMPARE(background("22222222", 2), QColor(0xA6, 0xCA, 0xF0));
        QCOMPARE(background("44444444", 2), QColor(0xEC, 0xF3, 0xFF));   // row 1, odd
        QCOMPARE(background("55555555", 2), QColor(0xFE, 0xFE, 0xFE));   // row 2, even
        // Marks are green.
        const QRect mark = grid()->visualRect(model()->index(viewRow("33333333") - 1, 6));
        bool green = false;
        for (int x = mark.left(); x < mark.right() && !green; ++x) {
            for (int y = mark.top(); y < mark.bottom() && !green; ++y)
                green = QColor(image.pixel(x, y)).green() > 0x60 && QColor(image.pixel(x, y)).red() < 0x40;
        }
        QVERIFY(green);
    }

    void notesWrittenOnLeaving()
    {
        load(sampleRows());
        select("33333333");
        auto *memo = w<QPlainTextEdit>("Memo4");
        memo->setFocus();
        QVERIFY(memo->hasFocus());
        QCOMPARE(memo->toPlainText(), QString());   // the placeholder went away
        QTest::keyClicks(memo, QStringLiteral("soita"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("ensin"));
        grid()->setFocus();
        QCOMPARE(masterCell(5, "33333333"), QStringLiteral("soita<BR>ensin"));
        QVERIFY(m_form->isUnsaved());
        select("22222222");
        QCOMPARE(memo->toPlainText(), QStringLiteral("Lisätiedot, kirjoita tähän"));
        select("33333333");
        QCOMPARE(memo->toPlainText(), QStringLiteral("soita\nensin"));

        // Leaving with the placeholder stores an empty cell.
        memo->setFocus();
        memo->setPlainText(QStringLiteral("Lisätiedot, kirjoita tähän"));
        grid()->setFocus();
        QCOMPARE(masterCell(5, "33333333"), QString());
    }

    // The window system may activate the window only after the click that
    // put the focus into the notes box: the placeholder goes all the same.
    void placeholderGoesWhenTheBoxIsEnteredDuringActivation()
    {
        load(sampleRows());
        select("22222222");
        auto *memo = w<QPlainTextEdit>("Memo4");
        QCOMPARE(memo->toPlainText(), QStringLiteral("Lisätiedot, kirjoita tähän"));
        QApplication::setActiveWindow(nullptr);
        QTest::mouseClick(memo->viewport(), Qt::LeftButton, {}, memo->viewport()->rect().center());
        QApplication::setActiveWindow(m_form.get());   // the activation arrives
        QTRY_COMPARE(QApplication::focusWidget(), memo);
        QCOMPARE(memo->toPlainText(), QString());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("nouto"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("nouto"));
    }

    void notesLimitedTo255()
    {
        auto *memo = w<QPlainTextEdit>("Memo4");
        memo->setFocus();
        QTest::keyClicks(memo, QString(300, u'a'));
        QCOMPARE(memo->toPlainText().size(), 255);
    }

    void deleteRow_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("deleted");
        QTest::newRow("yes") << int(Prompts::Answer::Yes) << true;
        QTest::newRow("no") << int(Prompts::Answer::No) << false;
    }
    void deleteRow()
    {
        QFETCH(int, answer);
        QFETCH(bool, deleted);
        load(sampleRows());
        select("33333333");
        m_prompts.answers.enqueue(Prompts::Answer(answer));
        QTest::keyClick(grid(), Qt::Key_Delete);
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("confirm: Poista kohde 33333333?")});
        QCOMPARE(viewRow("33333333") < 0, deleted);
        QCOMPARE(m_form->masterList().rowCount(), deleted ? 6 : 7);
        QCOMPARE(m_form->isUnsaved(), deleted);
        if (deleted) {
            QCOMPARE(shownItems(), QStringList({"44444444", "55555555", "22222222", "11111111"}));
            QCOMPARE(w<QLabel>("Label5")->text(), QStringLiteral("4kpl yht. 40.60€"));
        }
    }

    void deleteByCtrlXAndLastRow()
    {
        load({row("11111111", "Kirja", "04.03.2021 12:34:56", "10.00", "matti/12")});
        select("11111111");
        QTest::keyClick(grid(), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(m_form->masterList().rowCount(), 2);
        QCOMPARE(m_form->masterList().cell(1, 1), QString());
        QCOMPARE(m_form->view().rowCount(), 2);
    }

    void copyCounterpartyRows()
    {
        load(sampleRows());
        select("44444444");
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        QTest::keyClick(grid(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("44444444\tPöytä\t01.02.2022 08:00:00\t12.59\tPekka/14\t\r\n"
                                "55555555\tMatto\t01.02.2022 08:00:00\t12.51\tpekka/14\t\r\n"));
        select("11111111");
        w<QAction>("Kopioirivileikepydlle1")->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().startsWith(
            QStringLiteral("22222222\tLamppu\t05.03.2021 10:00:00\t5.50\tmattim/12\t\r\n11111111\tKirja\t")));
    }

    void headerClicksSort()
    {
        load(sampleRows());
        QHeaderView *header = grid()->horizontalHeader();
        const auto clickHeader = [header](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, 5));
        };
        auto *sort = w<QComboBox>("huutaja");
        clickHeader(4);
        QCOMPARE(sort->currentIndex(), 3);
        // Only the first decimal counts: 12.59 and 12.51 keep their order.
        QCOMPARE(shownItems(), QStringList({"44444444", "55555555", "11111111", "22222222", "33333333"}));
        clickHeader(4);
        QCOMPARE(sort->currentIndex(), 4);
        QCOMPARE(shownItems(), QStringList({"33333333", "22222222", "11111111", "44444444", "55555555"}));
        clickHeader(1);
        QCOMPARE(sort->currentIndex(), 7);
        QCOMPARE(shownItems().first(), QStringLiteral("55555555"));
        clickHeader(8);
        QCOMPARE(sort->currentIndex(), 0);
        clickHeader(8);
        QCOMPARE(sort->currentIndex(), 1);
        clickHeader(0);
        QCOMPARE(sort->currentIndex(), 1);   // "Nro" does not sort
        sort->setCurrentIndex(5);
        QCOMPARE(shownItems(), QStringList({"11111111", "22222222", "55555555", "44444444", "33333333"}));
    }

    void doubleClickOpensPages()
    {
        load(sampleRows());
        QString asked;
        m_form->setUserIdLookup([&asked](const QString &name) {
            asked = name;
            return name == QLatin1String("pekka") ? QStringLiteral("777") : QString();
        });
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(viewRow("44444444"), 2));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(viewRow("44444444"), 9));
        QCOMPARE(asked, QStringLiteral("pekka"));
        // A name the lookup does not know falls back to the id stored with it.
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(viewRow("11111111"), 9));
        QCOMPARE(asked, QStringLiteral("mattim"));
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellCentre(viewRow("11111111"), 3));
        QCOMPARE(m_opened, QStringList({"https://www.vasaro.test/kohteet/44444444",
                                        "https://www.vasaro.test/kayttaja/777",
                                        "https://www.vasaro.test/kayttaja/12"}));
    }

    void modeSwitch()
    {
        load(sampleRows());
        auto *sort = w<QComboBox>("huutaja");
        auto *show = w<QComboBox>("ComboBox1");
        sort->setCurrentIndex(4);
        show->setCurrentIndex(2);
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        QCOMPARE(m_form->listMode(), LedgerMode::Bought);
        QCOMPARE(m_form->masterList().rowCount(), 2);
        QCOMPARE(m_form->view().rowCount(), 2);
        QCOMPARE(m_form->view().cell(10, 1), QStringLiteral("1"));
        QCOMPARE(w<QLabel>("Label5")->text(), QString());
        QCOMPARE(w<QPushButton>("suoritahaku")->text(), QStringLiteral("Hae ostettuja kohteita"));
        QCOMPARE(model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Saatu"));
        QCOMPARE(model()->headerData(8, Qt::Horizontal).toString(), QStringLiteral("Myyjä"));
        QCOMPARE(m_form->masterList().cell(8, 0), QStringLiteral("Myyjä"));
        QCOMPARE(sort->currentIndex(), 0);
        QCOMPARE(sort->itemText(0), QStringLiteral("Myyjä A > Z"));
        QCOMPARE(sort->itemText(1), QStringLiteral("Myyjä Z < A"));
        QCOMPARE(show->currentIndex(), 0);
        QCOMPARE(show->itemText(2), QStringLiteral("Vain saamattomat"));
        QCOMPARE(show->itemText(3), QStringLiteral("Maksetut, ei saadut"));
        QVERIFY(m_prompts.asked.isEmpty());

        w<QComboBox>("hakutapa")->setCurrentIndex(0);
        QCOMPARE(sort->itemText(1), QStringLiteral("Ostaja Z < A"));
        QCOMPARE(show->itemText(3), QStringLiteral("Maksetut, ei lähetetyt"));
        QCOMPARE(model()->headerData(7, Qt::Horizontal).toString(), QStringLiteral("Lähetetty"));
    }

    void modeSwitchOffersToSaveUnsavedList()
    {
        load(sampleRows());
        m_form->setUnsaved(true);
        m_prompts.answers.enqueue(Prompts::Answer::Cancel);
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("confirm: Listaa ei ole tallennettu!\r\rHaluatko tallentaa?")});
        QCOMPARE(w<QComboBox>("hakutapa")->currentIndex(), 0);
        QCOMPARE(shownItems().size(), 5);
        m_prompts.answers.enqueue(Prompts::Answer::No);
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        QCOMPARE(m_form->listMode(), LedgerMode::Bought);
        QCOMPARE(m_form->view().cell(1, 1), QString());
        QVERIFY(!m_form->isUnsaved());
    }

    void clearButtons()
    {
        load(sampleRows());
        select("11111111");
        m_form->setUnsaved(true);
        w<QPushButton>("XiButton5")->click();
        QCOMPARE(w<QLabel>("Label1")->text(), QStringLiteral("0"));
        QCOMPARE(w<QLabel>("Label2")->text(), QStringLiteral("0€"));
        QCOMPARE(m_form->masterList().rowCount(), 2);
        QCOMPARE(m_form->view().rowCount(), 2);
        QCOMPARE(m_form->view().cell(10, 1), QStringLiteral("1"));
        QVERIFY(!m_form->isUnsaved());

        load(sampleRows());
        select("11111111");
        w<QAction>("Tyhjennlista")->trigger();
        QCOMPARE(m_form->view().rowCount(), 2);
        QCOMPARE(w<QLabel>("Label1")->text(), QStringLiteral("2"));   // totals kept
    }

    // Clearing the list forgets the last buyer too (it once left the address
    // and note in their boxes): nothing is selected, "Kopioi osoite" and
    // "Kopioi viesti" carry no address of a buyer no longer listed, and a
    // note typed afterwards is stored nowhere.
    void clearingForgetsTheLastBuyer_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::newRow("Tyhjennä") << false;
        QTest::newRow("Tyhjennä lista") << true;
    }
    void clearingForgetsTheLastBuyer()
    {
        QFETCH(bool, fromMenu);
        load(sampleRows());
        select("11111111");
        QVERIFY(!w<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
        if (fromMenu)
            chooseFromFileMenu("Tyhjennlista");
        else
            clickAt(w<QPushButton>("XiButton5"), w<QPushButton>("XiButton5")->rect().center());
        QCOMPARE(m_form->view().rowCount(), 2);
        QCOMPARE(w<QPlainTextEdit>("Memo1")->toPlainText(), QString());
        QCOMPARE(w<QPlainTextEdit>("Memo4")->toPlainText(), QStringLiteral("Lisätiedot, kirjoita tähän"));
        QVERIFY(!grid()->currentIndex().isValid());
        QVERIFY(!grid()->selectionModel()->hasSelection());
        for (const char *copy : {"osoitel", "viestil"}) {
            QGuiApplication::clipboard()->setText(QStringLiteral("old"));
            clickAt(w<QPushButton>(copy), w<QPushButton>(copy)->rect().center());
            QVERIFY2(!QGuiApplication::clipboard()->text().contains(QLatin1String("Matti"), Qt::CaseInsensitive), copy);
            QVERIFY2(!QGuiApplication::clipboard()->text().contains(QLatin1String("Katu")), copy);
        }
        auto *memo = w<QPlainTextEdit>("Memo4");
        clickAt(memo->viewport(), memo->viewport()->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), memo);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("muista"));
        clickAt(w<QLineEdit>("Edit2"), w<QLineEdit>("Edit2")->rect().center());
        QTRY_VERIFY(!memo->hasFocus());
        QVERIFY(m_form->masterList().isEmpty());
        QVERIFY(m_form->view().cell(5, 1).isEmpty());
    }

    // "Viestien muotoilu" at the ledger's usual sizes and its minimum: every
    // caption and all four template tabs whole (no scroll arrows), and the
    // account box shows a 34-character IBAN whole (it was 25 pixels wide).
    void paymentMessagePanelFits_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1280x1024") << QSize(1280, 1024);
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("minimum") << QSize();
    }
    void paymentMessagePanelFits()
    {
        QFETCH(QSize, size);
        QVERIFY(kScreen);
        m_form->move(0, 0);
        m_form->resize(size.isEmpty() ? m_form->minimumSize() : size);
        QTRY_COMPARE(m_form->size(), size.isEmpty() ? m_form->minimumSize() : size);
        auto *open = w<QPushButton>("viestinmuotoilu");
        clickAt(open, open->rect().center());
        auto *panel = w<QWidget>("XiPanel4");
        QTRY_VERIFY(panel->isVisible());
        const QStringList faults = LayoutFit::check(panel);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        for (QToolButton *arrow : w<QTabWidget>("PageControl1")->tabBar()->findChildren<QToolButton *>())
            QVERIFY(!arrow->isVisible());
        auto *account = w<QLineEdit>("Edit5");
        clickAt(account, account->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), account);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        const QString iban = QStringLiteral("MT84MALT011000012345MTLCAST001SWWW");
        QCOMPARE(iban.size(), 34);
        QTest::keyClicks(QApplication::focusWidget(), iban);
        QCOMPARE(account->text(), iban);
        QCOMPARE(m_settings.tilinumero, iban);
        QVERIFY2(account->fontMetrics().horizontalAdvance(iban) + 8 <= account->width(),
                 qPrintable(QString::number(account->width())));
        clickAt(w<QPushButton>("XiButton12"), w<QPushButton>("XiButton12")->rect().center());
        QTRY_VERIFY(!panel->isVisible());
    }

    void pickedDateGivesFocusBackToTheList()
    {
        load(sampleRows());
        select("11111111");
        click(viewRow("11111111"), 6);
        auto *calendar = w<QCalendarWidget>("MonthCalendar1");
        QVERIFY(calendar->isVisible());
        // The user clicks the 5th day of the shown month.
        auto *days = calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(days);
        QModelIndex fifth;
        for (int r = 1; r < days->model()->rowCount() && !fifth.isValid(); ++r) {
            for (int c = 0; c < days->model()->columnCount(); ++c) {
                const QModelIndex i = days->model()->index(r, c);
                if (i.data().toString() == QLatin1String("5") && r < 3) {
                    fifth = i;
                    break;
                }
            }
        }
        QVERIFY(fifth.isValid());
        clickAt(days->viewport(), days->visualRect(fifth).center());
        QTRY_VERIFY(!calendar->isVisible());
        QCOMPARE(masterCell(6, "11111111"), QStringLiteral("5.3.2026"));
        QCOMPARE(QApplication::focusWidget(), grid());
        // Delete now acts on the list, not on "Alkaen:".
        m_prompts.answers.enqueue(Prompts::Answer::No);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(w<QLineEdit>("Edit1")->text(), QStringLiteral("0"));
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("confirm: Poista kohde 11111111?")});
    }

    void currentRowIsFramed()
    {
        load(sampleRows());
        select("11111111");
        const QColor frame = LedgerGrid::currentRowFrame();
        QImage image = grid()->viewport()->grab().toImage();
        QCOMPARE(topEdge(image, "11111111", 2), frame);
        // The other row of the same counterparty has the same colour but no frame.
        QCOMPARE(topEdge(image, "22222222", 2), QColor(0xA6, 0xCA, 0xF0));
        // Down moves the current row, and the frame with it.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
        QCOMPARE(m_form->selectedRow(), viewRow("22222222"));
        image = grid()->viewport()->grab().toImage();
        QCOMPARE(topEdge(image, "22222222", 2), frame);
        QVERIFY(topEdge(image, "11111111", 2) != frame);
    }

    void calendarOnALowRowIsWhole()
    {
        QVector<QStringList> many;
        for (int i = 0; i < 60; ++i)
            many << row(QString::number(70000000 + i), QStringLiteral("Kohde"), QStringLiteral("01.02.2022 08:00:00"),
                        QStringLiteral("1.00"), QStringLiteral("u%1/%1").arg(i));
        load(many);
        // The lowest row the grid shows.
        const QModelIndex low = grid()->indexAt(QPoint(5, grid()->viewport()->height() - 3));
        QVERIFY(low.isValid());
        const QPoint at = grid()->visualRect(model()->index(low.row(), 6)).center();
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, at);
        auto *calendar = w<QCalendarWidget>("MonthCalendar1");
        QVERIFY(calendar->isVisible());
        const QRect shown(calendar->mapToGlobal(QPoint(0, 0)), calendar->size());
        const QRect screen = calendar->screen()->availableGeometry();
        QVERIFY2(screen.contains(shown), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                      .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())));
        // Every day of the month grid is inside the calendar.
        auto *days = calendar->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        const QModelIndex last = days->model()->index(days->model()->rowCount() - 1,
                                                      days->model()->columnCount() - 1);
        QVERIFY(days->viewport()->rect().contains(days->visualRect(last)));
        // A corner at the pointer: below and right of it, or above it where the screen ends.
        const QPoint pointer = grid()->viewport()->mapToGlobal(at);
        // (The test platform reports the pointer a frame's width apart.)
        const auto near = [](int a, int b) { return qAbs(a - b) <= 3; };
        QVERIFY(near(shown.left(), pointer.x()) || near(shown.right() + 1, pointer.x()));
        QVERIFY(near(shown.top(), pointer.y()) || near(shown.bottom() + 1, pointer.y()));
    }

    void openOnlyWhenSignedIn()
    {
        m_form->hide();
        ScriptedPrompts mainPrompts;
        m_form->openIfSignedIn(QString(), mainPrompts);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(mainPrompts.asked,
                 QStringList{QStringLiteral("information: Myydyt ja ostetut on käytettävissä vain kirjautuneena!")});
        m_form->openIfSignedIn(QStringLiteral("matti"), mainPrompts);
        QVERIFY(m_form->isVisible());
        QCOMPARE(mainPrompts.asked.size(), 1);
    }
};

QTEST_MAIN(TestTForm8)
#include "tst_tform8.moc"
