// Payment messages: the placeholders and sums, and the window's "Kopioi
// viesti", "Kopioi osoite" and template panel driven as a user would.
#include "core/paymenttemplates.h"
#include "core/settingsfile.h"
#include "ledger/messages/paymentmessagepanel.h"
#include "ledger/messages/trademessages.h"
#include "ledgerwindowtest.h"
#include <QAbstractItemView>
#include <QTabWidget>

using namespace LedgerRows;

namespace {
const QString address = QStringLiteral(
    "matti meikäläinen\r\nMatti.M@Example.fi\r\nkatu 1\r\n00100 helsinki\r\n0401234567\r\n");

// One buyer with three items (newest first), another with one.
QVector<QStringList> threeItemRows()
{
    return {row("11111111", "Kirja", "03.03.2022 10:00:00", "10.00", "Matti M/12", "", "", address),
            row("22222222", "Lamppu", "02.03.2022 10:00:00", "5.50", "mattim/12", "", "", address),
            row("99999999", "Muu", "01.03.2022 12:00:00", "7.00", "Liisa/13"),
            row("33333333", "Tuoli", "01.03.2022 10:00:00", "2.00", "MATTI m/12", "", "", address)};
}

const QString crlf = QStringLiteral("\r\n");
}

class TestTradeMessages : public QObject, protected LedgerWindowTest {
    Q_OBJECT
private slots:
    void init()
    {
        m_settings = Settings();
        const PaymentTemplates t = builtInPaymentTemplates();
        m_settings.myyd1 = t.myyd1;
        m_settings.myyd2 = t.myyd2;
        m_settings.osto1 = t.osto1;
        m_settings.osto2 = t.osto2;
        m_settings.tilinumero = QStringLiteral("FI12 3456");
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        if (m_form)
            closeWindow();
    }

    void placeholders_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("euroWord");
        QTest::addColumn<QString>("expected");
        QTest::newRow("every placeholder")
            << "%pk%|%tn%|%lm%|%ko%|%os%|%kn%|%sum%|%total%|%yht%" << false
            << "0.80€|FI12|3|T|N, S, P|12345678|17.50€|18.3€|18.3€";
        QTest::newRow("capitals and every occurrence")
            << "%KO% %Ko% %ko% %YHT% %Total%" << false << "T T T 18.3€ 18.3€";
        QTest::newRow("euro word replaces every euro sign")
            << "%sum% + %pk% = %yht% €" << true
            << "17.50 Euroa + 0.80 Euroa = 18.3 Euroa  Euroa";
        QTest::newRow("unknown and broken placeholders stay") << "%xx% %ko %sum" << false
                                                               << "%xx% %ko %sum";
    }
    void placeholders()
    {
        QFETCH(QString, text);
        QFETCH(bool, euroWord);
        QFETCH(QString, expected);
        TradeMessageData d;
        d.postage = QStringLiteral("0.80");
        d.account = QStringLiteral("FI12");
        d.itemCount = QStringLiteral("3");
        d.partySum = QStringLiteral("17.50€");
        d.items = QStringLiteral("T");
        d.address = QStringLiteral("N, S, P");
        d.itemNumber = QStringLiteral("12345678");
        d.euroWord = euroWord;
        QCOMPARE(TradeMessages::tayta(text, d), expected);
    }

    void total_data()
    {
        QTest::addColumn<QString>("sum");
        QTest::addColumn<QString>("postage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("example") << "17.50€" << "0.80" << "18.3€";
        QTest::newRow("trailing zeros go") << "12.50€" << "0.80" << "13.3€";
        QTest::newRow("whole euros") << "10.00€" << "0" << "10€";
        QTest::newRow("no binary noise") << "0.10€" << "0.20" << "0.3€";
        QTest::newRow("large sum") << "1234567.50€" << "0.80" << "1234568.3€";
        QTest::newRow("cents") << "0.04€" << "0.01" << "0.05€";
        QTest::newRow("comma postage") << "1.00€" << "1,25" << "2.25€";
        QTest::newRow("unreadable postage counts 0") << "17.50€" << "abc" << "17.5€";
        QTest::newRow("nothing selected") << "0€" << "0.80" << "0.8€";
        QTest::newRow("empty sum") << "" << "0.80" << "0.8€";
    }
    void total()
    {
        QFETCH(QString, sum);
        QFETCH(QString, postage);
        QFETCH(QString, expected);
        QCOMPARE(TradeMessages::yhteensa(sum, postage), expected);
    }

    void postageCheck_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("comma") << "1,20" << "1.20";
        QTest::newRow("letters") << "abc" << "0.80";
        QTest::newRow("negative") << "-1" << "0.80";
        QTest::newRow("empty") << "" << "0.80";
        QTest::newRow("zero") << "0" << "0";
        QTest::newRow("point") << "2.5" << "2.5";
    }
    void postageCheck()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QCOMPARE(TradeMessages::tarkistaPostikulut(typed), kept);
    }

    void templateChoice_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("page");
        QTest::newRow("sold, none") << 0 << 0 << 0;
        QTest::newRow("sold, one") << 0 << 1 << 0;
        QTest::newRow("sold, two") << 0 << 2 << 1;
        QTest::newRow("bought, one") << 1 << 1 << 2;
        QTest::newRow("bought, many") << 1 << 9 << 3;
    }
    void templateChoice()
    {
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(int, page);
        QCOMPARE(TradeMessages::pohja(static_cast<LedgerMode>(mode), count), page);
    }

    void addressLines_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("oneLine");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("full") << "Nimi\nn@x.fi\nKatu 1\n00100 Kaupunki\n040"
                              << "Nimi, Katu 1, 00100 Kaupunki" << "Nimi\r\nKatu 1\r\n00100 Kaupunki\r\n";
        QTest::newRow("two lines") << "Nimi\nn@x.fi" << "Nimi, , " << "Nimi\r\n\r\n\r\n";
        QTest::newRow("empty") << "" << "" << "\r\n\r\n\r\n";
    }
    void addressLines()
    {
        QFETCH(QString, box);
        QFETCH(QString, oneLine);
        QFETCH(QString, clipboard);
        QCOMPARE(TradeMessages::osoiteRivilla(box), oneLine);
        QCOMPARE(TradeMessages::osoiteLeikepoydalle(box), clipboard);
    }

    // The three items of one buyer: 10.00, 5.50 and 2.00, postage 0.80.
    void messageOfSeveralItems()
    {
        openWindow();
        load(threeItemRows());
        select(QStringLiteral("22222222"));
        QCOMPARE(w<QLabel>("Label1")->text(), QStringLiteral("3"));
        QCOMPARE(w<QLabel>("Label2")->text(), QStringLiteral("17.50€"));
        clickAt(w<QPushButton>("viestil"), w<QPushButton>("viestil")->rect().center());
        const QString expected =
            "Hei!" + crlf + crlf + "Kaupat 3 kohteesta:" + crlf
            + "Kirja 10.00" + crlf + "Lamppu 5.50" + crlf + "Tuoli 2.00" + crlf + crlf + crlf
            + "Yhteensä 17.50€ + postikulut 0.80€ = 18.3€" + crlf
            + "Tilinumero on FI12 3456. Kun summa näkyy tilillä, niin lähetän osoitteeseen: "
              "Matti Meikäläinen, Katu 1, 00100 Helsinki" + crlf + crlf + "Kiitos kaupoista!" + crlf;
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void messageOfOneItemWithEuroWord()
    {
        m_settings.valuutta = 1;   // as read from the settings file
        openWindow();
        load(threeItemRows());
        select(QStringLiteral("99999999"));
        w<QAction>("Kopioiviesti")->trigger();
        const QString expected =
            "Hei!" + crlf + crlf + "Kaupat kohteesta \"Muu\" 7.00 Euroa + postikulut 0.80 Euroa = 7.8 Euroa"
            + crlf + "Tilinumero on FI12 3456. Kun summa näkyy tilillä, niin lähetän osoitteeseen:  "
            + crlf + crlf + "Kiitos kaupoista!" + crlf;
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void boughtModeAsksForPaymentDetails()
    {
        openWindow();
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        load(threeItemRows());
        select(QStringLiteral("33333333"));
        clickAt(w<QPushButton>("viestil"), w<QPushButton>("viestil")->rect().center());
        const QString text = QGuiApplication::clipboard()->text();
        QVERIFY2(text.startsWith("Hei!" + crlf + crlf + "Kaupat 3 kohteesta:" + crlf + "Kirja 10.00"), qPrintable(text));
        QVERIFY(text.endsWith("Yhteensä 17.50€" + crlf + crlf
                              + "Ilmoitatko tilinumeron ja summan postikuluineen, niin maksan pois!" + crlf));
    }

    void messageWithNoRows()
    {
        openWindow();
        clickAt(w<QPushButton>("viestil"), w<QPushButton>("viestil")->rect().center());
        const QString expected =
            "Hei!" + crlf + crlf + "Kaupat kohteesta \"\" 0€ + postikulut 0.80€ = 0.8€" + crlf
            + "Tilinumero on FI12 3456. Kun summa näkyy tilillä, niin lähetän osoitteeseen:  " + crlf
            + crlf + "Kiitos kaupoista!" + crlf;
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void copyAddressLeavesOutEmail()
    {
        openWindow();
        load(threeItemRows());
        select(QStringLiteral("11111111"));
        clickAt(w<QPushButton>("osoitel"), w<QPushButton>("osoitel")->rect().center());
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 "Matti Meikäläinen" + crlf + "Katu 1" + crlf + "00100 Helsinki" + crlf);
        select(QStringLiteral("99999999"));   // no address: three empty lines
        w<QAction>("Kopioiosoite")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), crlf + crlf + crlf);
    }

    void panelOpensCentredWithItsPages()
    {
        openWindow();
        auto *panel = w<PaymentMessagePanel>("XiPanel4");
        QVERIFY(!panel->isVisible());
        clickAt(w<QPushButton>("viestinmuotoilu"), w<QPushButton>("viestinmuotoilu")->rect().center());
        QVERIFY(panel->isVisible());
        // At least its old size, grown to what its tabs and fields need.
        QVERIFY(panel->width() >= 409 && panel->height() >= 313);
        QCOMPARE(panel->x(), (m_form->width() - panel->width()) / 2);
        QCOMPARE(panel->y(), (m_form->height() - panel->height()) / 2 - 20);
        auto *pages = w<QTabWidget>("PageControl1");
        QCOMPARE(pages->count(), 4);
        QCOMPARE(pages->tabText(1), QStringLiteral("Myytyjä useampia"));
        QCOMPARE(pages->tabText(3), QStringLiteral("Ostettuja useampia"));
        QCOMPARE(w<QPlainTextEdit>("osto1")->toPlainText(),
                 QStringLiteral("Hei!\n\nHuusin kohteen \"%ko%\" %sum%\n"
                                "Ilmoitatko tilinumeron ja summan postikuluineen, niin maksan pois!"));
        QCOMPARE(w<QLineEdit>("Edit3")->text(), QStringLiteral("0.80"));
        for (const char *legend : {"%ko% = Kohteen/kohteiden nimi", "%yht% =  Summa kuluineen",
                                   "%os% = Huutajan osoite  ", "%pk% = Postikulut ", "Valuutta ="}) {
            bool found = false;
            for (QLabel *l : panel->findChildren<QLabel *>())
                found = found || l->text() == QString::fromUtf8(legend);
            QVERIFY2(found, legend);
        }
        clickAt(w<QPushButton>("XiButton12"), w<QPushButton>("XiButton12")->rect().center());
        QVERIFY(!panel->isVisible());
    }

    void currencyWordChosenInThePanel()
    {
        openWindow();
        load(threeItemRows());
        select(QStringLiteral("99999999"));
        w<QAction>("Viestinmuotoilu1")->trigger();
        auto *currency = w<QComboBox>("valuutta");
        QCOMPARE(currency->currentText(), QStringLiteral("€"));
        clickAt(currency, currency->rect().center());
        QTRY_VERIFY(currency->view()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_COMPARE(currency->currentText(), QStringLiteral("Euroa"));
        QCOMPARE(m_settings.valuutta, 1);
        w<QAction>("Kopioiviesti")->trigger();
        QVERIFY(QGuiApplication::clipboard()->text().contains(
            QStringLiteral("\"Muu\" 7.00 Euroa + postikulut 0.80 Euroa = 7.8 Euroa")));
    }

    void postageBoxCheckedOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("comma") << "1,20" << "1.20";
        QTest::newRow("letters") << "abc" << "0.80";
    }
    void postageBoxCheckedOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        openWindow();
        w<QAction>("Viestinmuotoilu1")->trigger();
        auto *postage = w<QLineEdit>("Edit3");
        clickAt(postage, postage->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), postage);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(postage->text(), kept);
        QCOMPARE(m_settings.postikulut, kept);
    }

    void editedTemplateIsUsedAndRestored()
    {
        m_settings.myyd1 = QStringList{QStringLiteral("Tallennettu %KN%")};   // from the settings file
        openWindow();
        load(threeItemRows());
        select(QStringLiteral("99999999"));
        w<QAction>("Kopioiviesti")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), "Tallennettu 99999999" + crlf);

        w<QAction>("Viestinmuotoilu1")->trigger();
        auto *box = w<QPlainTextEdit>("myyd1");
        clickAt(box, box->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("%lm% kpl"));
        QCOMPARE(m_settings.myyd1, (QStringList{"Tallennettu %KN%", "%lm% kpl"}));
        w<QAction>("Kopioiviesti")->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), "Tallennettu 99999999" + crlf + "1 kpl" + crlf);

        clickAt(w<QPushButton>("XiButton11"), w<QPushButton>("XiButton11")->rect().center());
        QCOMPARE(m_settings.myyd1, builtInPaymentTemplates().myyd1);
        QCOMPARE(box->toPlainText(), builtInPaymentTemplates().myyd1.join(u'\n'));
    }

    void restoreActsOnTheActivePageOnly()
    {
        m_settings.myyd2 = QStringList{QStringLiteral("oma")};
        m_settings.osto2 = QStringList{QStringLiteral("oma")};
        openWindow();
        w<QAction>("Viestinmuotoilu1")->trigger();
        auto *pages = w<QTabWidget>("PageControl1");
        pages->setCurrentIndex(3);
        clickAt(w<QPushButton>("XiButton11"), w<QPushButton>("XiButton11")->rect().center());
        QCOMPARE(m_settings.osto2, builtInPaymentTemplates().osto2);
        QCOMPARE(m_settings.myyd2, QStringList{QStringLiteral("oma")});
    }

    // What the panel holds goes through the settings file and comes back.
    void panelValuesSurviveTheSettingsFile()
    {
        openWindow();
        w<QAction>("Viestinmuotoilu1")->trigger();
        auto *account = w<QLineEdit>("Edit5");
        clickAt(account, account->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), account);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("FI99 1"));
        auto *box = w<QPlainTextEdit>("osto2");
        w<QTabWidget>("PageControl1")->setCurrentIndex(3);
        clickAt(box, box->rect().center());
        QTRY_COMPARE(QApplication::focusWidget(), box);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Moi "));
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_Adiaeresis,
                            QStringLiteral("ä"), Qt::NoModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("%sum%"));

        QTemporaryDir dir;
        QVERIFY(SettingsFile::tallenna_asetukset(m_settings, dir.path()));
        Settings read;
        read.osto2 = builtInPaymentTemplates().osto2;
        QVERIFY(SettingsFile::lataa_asetukset(read, dir.path(), dir.path()));
        QCOMPARE(read.tilinumero, QStringLiteral("FI99 1"));
        QCOMPARE(read.osto2, (QStringList{QStringLiteral("Moi ä"), QStringLiteral("%sum%")}));
        QCOMPARE(read.postikulut, QStringLiteral("0.80"));
    }
};

QTEST_MAIN(TestTradeMessages)
#include "tst_trademessages.moc"
