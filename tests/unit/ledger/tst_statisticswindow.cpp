// The ledger's "Tilastot" window on a list opened from a file through the
// ledger window: opened by its button and by Ctrl+Shift+S, the month bars and
// the best counterparties read back, a click on a counterparty selecting its
// rows in the ledger, the picture and the table exports, and the live
// updates with their pace.
#include "ledger/statistics/ledgerstatistics.h"
#include "ledger/statistics/statisticswindow.h"
#include "ledgerwindowtest.h"
#include "stillafter.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QTableWidget>

namespace {
QString fixtureList()
{
    return QStringLiteral(VS_SOURCE_DIR "/tests/unit/ledger/data/tilastot.vss");
}

template <typename Series> Series *seriesOf(QChartView *view)
{
    for (QAbstractSeries *s : view->chart()->series()) {
        if (auto *found = qobject_cast<Series *>(s))
            return found;
    }
    return nullptr;
}

QStringList categories(QChartView *view)
{
    const auto axes = view->chart()->axes(Qt::Horizontal);
    for (QAbstractAxis *a : axes) {
        if (auto *c = qobject_cast<QBarCategoryAxis *>(a))
            return c->categories();
    }
    return {};
}

QList<qreal> values(QBarSet *set)
{
    QList<qreal> out;
    for (int i = 0; i < set->count(); ++i)
        out << set->at(i);
    return out;
}

QStringList tableRow(QTableWidget *t, int row)
{
    QStringList out;
    for (int c = 0; c < t->columnCount(); ++c)
        out << (t->item(row, c) ? t->item(row, c)->text() : QString());
    return out;
}
}   // namespace

class TestStatisticsWindow : public QObject, protected LedgerWindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        openWindow();
        // "Avaa lista" by mouse, the fixture file chosen in the dialog.
        m_prompts.files << fixtureList();
        clickAt(w<QPushButton>("XiButton2"), w<QPushButton>("XiButton2")->rect().center());
        QCOMPARE(shownItems().size(), 7);   // not the row with no time of day
    }
    void cleanup() { closeWindow(); }

    void buttonOpensTheFiguresOfTheList()
    {
        StatisticsWindow *stats = openByButton();
        QCOMPARE(stats->windowTitle(), QStringLiteral("Tilastot"));
        auto *months = stats->findChild<QChartView *>(QStringLiteral("kuukaudet"));
        QCOMPARE(categories(months), QStringList({"joulu 2025", "tammi 2026", "helmi 2026", "maalis 2026"}));
        QBarSeries *bars = seriesOf<QBarSeries>(months);
        QVERIFY(bars);
        QCOMPARE(values(bars->barSets().at(0)), QList<qreal>({0.30, 0.0, 52.50, 7.25}));
        QLineSeries *counts = seriesOf<QLineSeries>(months);
        QCOMPARE(counts->count(), 4);
        QCOMPARE(counts->at(0).y(), 2.0);
        QCOMPARE(counts->at(2).y(), 2.0);
        QCOMPARE(counts->at(3).y(), 1.0);

        auto *parties = stats->findChild<QTableWidget *>(QStringLiteral("parhaat"));
        QCOMPARE(parties->horizontalHeaderItem(0)->text(), QStringLiteral("Ostaja"));
        QCOMPARE(parties->rowCount(), 3);
        QCOMPARE(tableRow(parties, 0), QStringList({"pekka", "1", "40.00 €"}));
        QCOMPARE(tableRow(parties, 1), QStringList({"liisa", "2", "19.75 €"}));
        QCOMPARE(tableRow(parties, 2), QStringList({"mattim", "2", "0.30 €"}));

        // No item number, price "abc", a closing time without the time.
        QCOMPARE(stats->findChild<QLabel *>(QStringLiteral("ohitetut"))->text(), QStringLiteral("3 riviä ohitettiin"));
        QCOMPARE(stats->findChild<QLabel *>(QStringLiteral("yhteenveto"))->text(),
            QStringLiteral("Myydyt kohteet 1.1.2021–5.3.2026: 5 kauppaa, 7 kpl, yhteensä 60.05 €"));
        QCOMPARE(stats->findChild<QLabel *>(QStringLiteral("maksutiedot"))->text(),
            QStringLiteral("Maksettu 52.60 €, maksamatta 7.45 € · lähetetty 0.30 €, lähettämättä 59.75 €"));
        auto *weekdays = stats->findChild<QChartView *>(QStringLiteral("viikonpaivat"));
        QCOMPARE(values(seriesOf<QBarSeries>(weekdays)->barSets().at(0)), QList<qreal>({1, 1, 0, 0, 0, 2, 1}));
        auto *hours = stats->findChild<QChartView *>(QStringLiteral("tunnit"));
        QCOMPARE(seriesOf<QBarSeries>(hours)->barSets().at(0)->at(20), 2.0);
    }

    void ctrlShiftSInTheLedger()
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        auto *stats = m_form->findChild<StatisticsWindow *>();
        QVERIFY(stats);
        QTRY_VERIFY(stats->isVisible());
        // From the menu "Toiminnot" too, and Escape closes the window.
        QVERIFY(w<QMenu>("Toiminnot1")->actions().contains(w<QAction>("Tilastot1")));
        // (A window over its parent counts as active as soon as the parent
        // is: wait for the application's own answer.)
        QTRY_COMPARE(QApplication::activeWindow(), stats);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!stats->isVisible());
    }

    // The figures belong to the ledger: closing it closes them.
    void closingTheLedgerClosesTheWindow()
    {
        StatisticsWindow *stats = openByButton();
        QVERIFY(m_form->close());
        QTRY_VERIFY(!stats->isVisible());
    }

    void counterpartyClickSelectsTheirRows()
    {
        StatisticsWindow *stats = openByButton();
        auto *parties = stats->findChild<QTableWidget *>(QStringLiteral("parhaat"));
        const QRect liisa = parties->visualItemRect(parties->item(1, 0));
        clickAt(parties->viewport(), liisa.center());
        QStringList selected;
        for (const QModelIndex &i : grid()->selectionModel()->selectedRows())
            selected << m_form->view().cell(1, i.row() + 1);
        selected.sort();
        QCOMPARE(selected, QStringList({"1003", "1005"}));
        QVERIFY(selected.contains(m_form->view().cell(1, m_form->selectedRow())));
        // The ledger shows the counterparty's totals as for a selected row.
        QCOMPARE(w<QLabel>("Label1")->text(), QStringLiteral("2"));
        QCOMPARE(w<QLabel>("Label2")->text(), QStringLiteral("19.75€"));
    }

    void pictureOfTheCharts()
    {
        StatisticsWindow *stats = openByButton();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kuva"));
        m_prompts.files << path;
        clickAt(stats->findChild<QPushButton *>(QStringLiteral("tallennakuvana")),
            stats->findChild<QPushButton *>(QStringLiteral("tallennakuvana"))->rect().center());
        QImage image;
        QVERIFY(image.load(path + QStringLiteral(".png"), "PNG"));   // the extension is added
        QWidget *charts = stats->findChild<QWidget *>(QStringLiteral("kaaviot"));
        QCOMPARE(image.size(), charts->size() * charts->devicePixelRatio());
        QVERIFY(image.width() > 300 && image.height() > 200);
        // Drawn, not blank: plenty of pixels other than the white ground, and
        // the bars' blue among them.
        int coloured = 0;
        bool barBlue = false;
        for (int y = 0; y < image.height(); y += 2) {
            for (int x = 0; x < image.width(); x += 2) {
                const QColor c = image.pixelColor(x, y);
                coloured += c != QColor(Qt::white);
                barBlue = barBlue || c == QColor(0x4A, 0x6F, 0xA5);
            }
        }
        QVERIFY2(coloured > image.width() * image.height() / 4 / 50, qPrintable(QString::number(coloured)));
        QVERIFY(barBlue);

        // Saving over it asks first; No keeps the file.
        const qint64 size = QFileInfo(path + QStringLiteral(".png")).size();
        m_prompts.files << path + QStringLiteral(".png");
        m_prompts.answers << Prompts::Answer::No;
        stats->tallennakuvanaClick();
        QVERIFY(m_prompts.asked.last().startsWith(QStringLiteral("confirm: Tiedosto on jo olemassa!")));
        QCOMPARE(QFileInfo(path + QStringLiteral(".png")).size(), size);
    }

    void tableToTheClipboard()
    {
        StatisticsWindow *stats = openByButton();
        clickAt(stats->findChild<QPushButton *>(QStringLiteral("kopioitaulukko")),
            stats->findChild<QPushButton *>(QStringLiteral("kopioitaulukko"))->rect().center());
        QCOMPARE(QGuiApplication::clipboard()->text(),
            QStringLiteral("Kuukausi\tKauppoja\tKpl\tYhteensä €\r\n"
                           "joulu 2025\t2\t4\t0,30\r\n"
                           "tammi 2026\t0\t0\t0,00\r\n"
                           "helmi 2026\t2\t2\t52,50\r\n"
                           "maalis 2026\t1\t1\t7,25\r\n"
                           "Yhteensä\t5\t7\t60,05\r\n"));
        auto *monthTable = stats->findChild<QTableWidget *>(QStringLiteral("kuukausitaulukko"));
        QCOMPARE(monthTable->rowCount(), 4);
        QCOMPARE(tableRow(monthTable, 2), QStringList({"helmi 2026", "2", "2", "52.50 €"}));
    }

    // A row deleted in the ledger, the date range narrowed: the window
    // follows without being asked.
    void followsTheLedger()
    {
        StatisticsWindow *stats = openByButton();
        m_form->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), m_form.get());
        select(QStringLiteral("1004"));
        m_prompts.answers << Prompts::Answer::Yes;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(viewRow(QStringLiteral("1004")), -1);
        auto *parties = stats->findChild<QTableWidget *>(QStringLiteral("parhaat"));
        QTRY_COMPARE(tableRow(parties, 0), QStringList({"liisa", "2", "19.75 €"}));
        QCOMPARE(stats->summary().total.cents, qint64(2005));

        w<QComboBox>("ComboBox4")->setCurrentText(QStringLiteral("2026"));
        QTRY_COMPARE(stats->summary().total.trades, 2);
        QCOMPARE(
            categories(stats->findChild<QChartView *>(QStringLiteral("kuukaudet"))), QStringList({"helmi 2026", "maalis 2026"}));
    }

    // However fast the list changes, at most four drawings a second.
    void redrawsAreCoalesced()
    {
        openByButton();
        auto *plug = m_form->findChild<LedgerStatistics *>();
        QVERIFY(plug);
        const int before = plug->drawCount();
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 1100) {
            m_form->suodatanakyma();   // what every fetched row does
            QTest::qWait(5);
        }
        quietFor(LedgerStatistics::RedrawIntervalMs + 50);
        const int draws = plug->drawCount() - before;
        QVERIFY2(draws >= 3 && draws <= 6, qPrintable(QString::number(draws)));
        // Hidden, it does not draw at all.
        plug->window()->close();
        const int hidden = plug->drawCount();
        m_form->suodatanakyma();
        quietFor(LedgerStatistics::RedrawIntervalMs + 50);
        QCOMPARE(plug->drawCount(), hidden);
    }

    void boughtModeCaptions()
    {
        StatisticsWindow *stats = openByButton();
        m_form->switchListMode(LedgerMode::Bought);
        auto *parties = stats->findChild<QTableWidget *>(QStringLiteral("parhaat"));
        QTRY_COMPARE(parties->horizontalHeaderItem(0)->text(), QStringLiteral("Myyjä"));
        QCOMPARE(parties->rowCount(), 0);   // the mode switch clears the list
        QCOMPARE(
            stats->findChild<QChartView *>(QStringLiteral("kuukaudet"))->chart()->title(), QStringLiteral("Ostot kuukausittain"));
    }

private:
    StatisticsWindow *openByButton()
    {
        auto *button = w<QPushButton>("Tilastot");
        clickAt(button, button->rect().center());
        auto *stats = m_form->findChild<StatisticsWindow *>();
        if (!stats)
            qFatal("no statistics window");
        if (!QTest::qWaitForWindowExposed(stats))
            qFatal("statistics window not shown");
        return stats;
    }
};

QTEST_MAIN(TestStatisticsWindow)
#include "tst_statisticswindow.moc"
