#include "app/tform3.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include "core/settingsdefaults.h"
#include "scriptedprompts.h"
#include <QtTest>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTextDocumentFragment>

class TestTForm3 : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_settings = SettingsDefaults::builtIn(Endpoints(), QStringLiteral("/ohjelma/"));
        m_prompts = ScriptedPrompts();
        m_form = std::make_unique<TForm3>(m_settings, m_prompts, m_dataDir.path() + u'/', Endpoints());
        m_opened.clear();
        m_form->setUrlOpener([this](const QUrl &u) { m_opened << u; });
    }
    void cleanup() { m_form.reset(); }

    void windowShape()
    {
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Yleiset asetukset"));
        QCOMPARE(m_form->size(), QSize(450, 300));
        QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
        QVERIFY(m_form->windowFlags() & Qt::WindowStaysOnTopHint);
        // A fixed size: no maximise or minimise buttons in the title bar.
        QVERIFY(m_form->windowFlags() & Qt::CustomizeWindowHint);
        QVERIFY(m_form->windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(m_form->windowFlags() & Qt::WindowMinimizeButtonHint));
        auto *pages = find<QTabWidget>("PageControl1");
        QCOMPARE(pages->count(), 5);
        const QStringList captions{"Yleiset", "VS asetukset", "Lisäkuvien asetukset", "Kävijälaskuri", "Logo"};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(pages->tabText(i), captions[i]);
    }

    // All five tabs fit the fixed width: none hides behind scroll arrows or
    // is cut short.
    void everyTabVisible()
    {
        m_form->openPage(0);
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        auto *pages = find<QTabWidget>("PageControl1");
        QTabBar *bar = pages->tabBar();
        for (QToolButton *arrow : bar->findChildren<QToolButton *>())
            QVERIFY(!arrow->isVisible());
        const QRect shown = bar->rect().intersected(m_form->rect().translated(-bar->mapTo(m_form.get(), QPoint())));
        for (int i = 0; i < pages->count(); ++i) {
            const QRect tab = bar->tabRect(i);
            QVERIFY2(shown.contains(tab), qPrintable(pages->tabText(i)));
            QVERIFY2(tab.width() > bar->fontMetrics().horizontalAdvance(pages->tabText(i)),
                     qPrintable(pages->tabText(i)));
        }
        // The last tab is reached by a click on it.
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(4).center());
        QCOMPARE(pages->currentIndex(), 4);
        QCOMPARE(m_form->windowTitle(), QStringLiteral("Logo"));
    }

    // The logo page's two combo boxes have captions that show whole inside
    // the dialog.
    void logoComboBoxesHaveLabels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("place") << "logonpaikka" << "Paikka:";
        QTest::newRow("colour") << "Color1" << "Väri:";
    }
    void logoComboBoxesHaveLabels()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        m_form->openPage(4);
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        auto *box = find<QComboBox>(name);
        QLabel *label = nullptr;
        for (QLabel *l : m_form->findChildren<QLabel *>())
            if (l->buddy() == box)
                label = l;
        QVERIFY(label);
        QCOMPARE(label->text(), caption);
        QVERIFY(label->isVisible());
        QVERIFY(label->fontMetrics().horizontalAdvance(caption) <= label->width());
        const QRect shown(label->mapTo(m_form.get(), QPoint()), label->size());
        QVERIFY(m_form->rect().contains(shown));
        QVERIFY(shown.right() < box->mapTo(m_form.get(), QPoint()).x());
    }

    void checkBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("page");
        QTest::newRow("Activex") << "Activex" << "Salli ActiveX" << false << 0;
        QTest::newRow("skripti") << "skripti" << "Salli Javascript" << true << 0;
        QTest::newRow("siirry") << "siirry" << "Siirry välilehteen" << true << 0;
        QTest::newRow("vasaroaika") << "vasaroaika" << "Käytä vasaron aikaa" << true << 0;
        QTest::newRow("LS") << "LS" << "Lataa suodatin " << true << 0;
        QTest::newRow("muistuta") << "muistutakirjanmerkeista" << "Ilmoita muistilistan kohteista" << true << 0;
        QTest::newRow("naytakuvat") << "naytakuvat" << "Näytä kuvat" << true << 0;
        QTest::newRow("pienet_kuvat") << "pienet_kuvat" << "Pienet osastokuvat" << false << 1;
        QTest::newRow("PKK") << "PKK" << "Piilota kuvattomat kohteet" << false << 1;
        QTest::newRow("poistamainokset") << "poistamainokset" << "Poista mainokset" << true << 1;
        QTest::newRow("poistauutiset") << "poistauutiset" << "Poista HS uutisboksit" << true << 1;
        QTest::newRow("poistafb") << "poistafb" << "Poista FB / Twitter ym." << false << 1;
        QTest::newRow("suljelehti") << "suljelehti" << "Sulje välilehti (Hk uud..)" << false << 1;
        QTest::newRow("piilotapalkki") << "piilotapalkki" << "Piilota navigointipalkki" << true << 1;
        QTest::newRow("xpalkki") << "xpalkki" << "Piilota X-vierityspalkki" << true << 1;
        QTest::newRow("hkts") << "hkts" << "Tallenna salasana" << false << 2;
        QTest::newRow("aui") << "aui" << "Avaa uuteen ikkunaan" << true << 2;
        QTest::newRow("lisaalogo") << "lisaalogo" << "Lisää logoteksti kuviin" << true << 4;
    }
    void checkBoxes()
    {
        QFETCH(QString, name);
        QFETCH(int, page);
        auto *box = find<QCheckBox>(name);
        QTEST(box->text(), "caption");
        QTEST(box->isChecked(), "checked");
        auto *pages = find<QTabWidget>("PageControl1");
        QVERIFY(pages->widget(page)->isAncestorOf(box));
        // A click takes effect in the settings at once.
        const bool before = box->isChecked();
        box->click();
        Settings probe = m_settings;
        const QMap<QString, bool> now{
            {"Activex", probe.Activex}, {"skripti", probe.skripti}, {"siirry", probe.siirry},
            {"vasaroaika", probe.vasaroaika}, {"LS", probe.LS},
            {"muistutakirjanmerkeista", probe.muistutakirjanmerkeista}, {"naytakuvat", probe.naytakuvat},
            {"pienet_kuvat", probe.pienet_kuvat}, {"PKK", probe.PKK}, {"poistamainokset", probe.poistamainokset},
            {"poistauutiset", probe.poistauutiset}, {"poistafb", probe.poistafb},
            {"suljelehti", probe.suljelehti}, {"piilotapalkki", probe.piilotapalkki}, {"xpalkki", probe.xpalkki},
            {"hkts", probe.hkts}, {"aui", probe.aui}, {"lisaalogo", probe.lisaalogo}};
        QCOMPARE(now.value(name), !before);
    }

    void editsAndLists()
    {
        QCOMPARE(find<QLineEdit>("kotisivu")->text(), Endpoints().webBase());
        QCOMPARE(find<QLineEdit>("Edit5")->text(), QStringLiteral("60"));
        QCOMPARE(find<QLineEdit>("Edit5")->maxLength(), 3);
        QCOMPARE(find<QLineEdit>("ipohjat")->text(), QStringLiteral("/ohjelma/"));
        QCOMPARE(find<QLineEdit>("Edit1")->text(), QStringLiteral("800"));
        QVERIFY(!find<QLineEdit>("Edit1")->isVisibleTo(m_form.get()));
        QVERIFY(!find<QCheckBox>("muutakuva")->isVisibleTo(m_form.get()));
        QCOMPARE(find<QLineEdit>("Edit3")->text(), QStringLiteral("1024"));
        QCOMPARE(find<QLineEdit>("Edit4")->text(), QStringLiteral("1500"));
        QCOMPARE(find<QLineEdit>("hksalasana")->echoMode(), QLineEdit::Password);
        QCOMPARE(find<QLineEdit>("tekstilogo")->maxLength(), 20);
        QCOMPARE(find<QLineEdit>("fonttilogo")->text(), QStringLiteral("40"));
        QCOMPARE(find<QLineEdit>("lapinakyvyys")->text(), QStringLiteral("50"));
        QCOMPARE(find<QLineEdit>("serveri")->text(), QStringLiteral("http://laskuri1.vsselain.test/laskuri.php"));
        auto *tagit = find<QComboBox>("tagit");
        QCOMPARE(tagit->count(), 3);
        QCOMPARE(tagit->itemText(2), QStringLiteral("Ei mitään"));
        QCOMPARE(tagit->currentIndex(), 0);
        auto *place = find<QComboBox>("logonpaikka");
        QCOMPARE(place->count(), 5);
        QCOMPARE(place->currentIndex(), 1);
        QCOMPARE(find<QComboBox>("Color1")->currentText(), QStringLiteral("Black"));
        QCOMPARE(find<QComboBox>("ColorBox3")->currentText(), QStringLiteral("Red"));
        QCOMPARE(find<QComboBox>("ColorBox3")->count(), 21);
        QCOMPARE(find<QComboBox>("ColorBox3")->itemText(20), QStringLiteral("Medium Gray"));
        QCOMPARE(find<QGroupBox>("rg")->title(), QStringLiteral("Laskurin tyyppi:"));
        QVERIFY(find<QRadioButton>("rg0")->isChecked());

        // Typing goes straight into the settings.
        QLineEdit *home = find<QLineEdit>("kotisivu");
        home->clear();
        QTest::keyClicks(home, "http://koti.test/");
        QCOMPARE(m_settings.kotisivu, QStringLiteral("http://koti.test/"));
        tagit->setCurrentIndex(2);
        QCOMPARE(m_settings.tagit, 2);
        find<QRadioButton>("rg1")->click();
        QCOMPARE(m_settings.rg, 1);
    }

    void loadFromSettingsShowsValues()
    {
        m_settings.Activex = true;
        m_settings.Edit5 = QStringLiteral("90");
        m_settings.logonpaikka = 4;
        m_settings.Color1 = 13;
        m_settings.ColorBox3 = QColor(0x12, 0x34, 0x56);   // not in the list: the custom entry
        m_settings.rg = 1;
        m_form->loadFromSettings();
        QVERIFY(find<QCheckBox>("Activex")->isChecked());
        QCOMPARE(find<QLineEdit>("Edit5")->text(), QStringLiteral("90"));
        QCOMPARE(find<QComboBox>("logonpaikka")->currentIndex(), 4);
        QCOMPARE(find<QComboBox>("Color1")->currentText(), QStringLiteral("Blue"));
        QCOMPARE(find<QComboBox>("ColorBox3")->currentIndex(), 0);
        QCOMPARE(find<QComboBox>("ColorBox3")->currentData().value<QColor>(), QColor(0x12, 0x34, 0x56));
        QVERIFY(find<QRadioButton>("rg1")->isChecked());
        QCOMPARE(m_settings.ColorBox3, QColor(0x12, 0x34, 0x56));   // loading changes nothing
    }

    void colourLists()
    {
        auto *box3 = find<QComboBox>("ColorBox3");
        box3->setCurrentIndex(13);
        emit box3->activated(13);
        QCOMPARE(m_settings.ColorBox3, QColor(Qt::blue));
        QList<QColor> asked;
        m_form->setColourPicker([&](const QColor &c) {
            asked << c;
            return QColor(1, 2, 3);
        });
        box3->setCurrentIndex(0);
        emit box3->activated(0);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(m_settings.ColorBox3, QColor(1, 2, 3));
        // Cancelling the picker keeps the colour and the entry that shows it.
        m_settings.ColorBox3 = QColor(Qt::red);
        m_form->loadFromSettings();
        m_form->setColourPicker([](const QColor &) { return QColor(); });
        box3->setCurrentIndex(0);
        emit box3->activated(0);
        QCOMPARE(m_settings.ColorBox3, QColor(Qt::red));
        QCOMPARE(box3->currentText(), QStringLiteral("Red"));

        auto *color1 = find<QComboBox>("Color1");
        m_form->setColourPicker([](const QColor &) { return QColor(9, 9, 9); });
        color1->setCurrentIndex(0);
        emit color1->activated(0);
        QCOMPARE(m_settings.Color1, 0);
        QCOMPARE(m_settings.Color1Custom, QColor(9, 9, 9));
    }

    void captionFollowsPage()
    {
        const QStringList captions{"Yleiset", "VS asetukset", "Lisäkuvien asetukset", "Kävijälaskuri", "Logo"};
        for (int i = 0; i < 5; ++i) {
            m_form->openPage(i);
            QVERIFY(m_form->isVisible());
            QCOMPARE(find<QTabWidget>("PageControl1")->currentIndex(), i);
            QCOMPARE(m_form->windowTitle(), captions[i]);
        }
        find<QTabWidget>("PageControl1")->setCurrentIndex(1);   // the user clicks a tab
        QCOMPARE(m_form->windowTitle(), captions[1]);
    }

    void fieldChecksOnLeaving_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("Edit5 low") << "Edit5" << "1" << "2";
        QTest::newRow("Edit5 high") << "Edit5" << "999" << "360";
        QTest::newRow("Edit5 letters") << "Edit5" << "ab" << "60";
        QTest::newRow("Edit3 low") << "Edit3" << "100" << "500";
        QTest::newRow("Edit4 letters") << "Edit4" << "x" << "1000";
        QTest::newRow("fonttilogo high") << "fonttilogo" << "500" << "40";
        QTest::newRow("lapinakyvyys high") << "lapinakyvyys" << "101" << "50";
        QTest::newRow("lapinakyvyys ok") << "lapinakyvyys" << "75" << "75";
    }
    void fieldChecksOnLeaving()
    {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QLineEdit *edit = find<QLineEdit>(name);
        edit->setText(typed);
        QCOMPARE(edit->text(), typed);       // nothing checked while typing
        leave(edit);
        QTEST(edit->text(), "after");
        QVERIFY(m_prompts.asked.isEmpty());
    }

    void pictureSizeChecksOnEnterAndTogether()
    {
        find<QLineEdit>("Edit1")->setText(QStringLiteral("5"));   // hidden field, checked with the others
        QLineEdit *h = find<QLineEdit>("Edit4");
        h->setText(QStringLiteral("9999"));
        QTest::keyClick(h, Qt::Key_Return);
        QCOMPARE(h->text(), QStringLiteral("1500"));
        QCOMPARE(m_settings.Edit4, QStringLiteral("1500"));
        QCOMPARE(find<QLineEdit>("Edit1")->text(), QStringLiteral("800"));
        QCOMPARE(m_settings.Edit1, QStringLiteral("800"));
    }

    void realFocusMoveRunsTheCheck()
    {
        m_form->openPage(0);
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QLineEdit *days = find<QLineEdit>("Edit5");
        days->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(days->hasFocus());
        days->selectAll();
        QTest::keyClicks(days, "500");
        QCOMPARE(m_settings.Edit5, QStringLiteral("500"));   // taken at once, checked on leaving
        find<QLineEdit>("kotisivu")->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(days->text(), QStringLiteral("360"));
        QCOMPARE(m_settings.Edit5, QStringLiteral("360"));
    }

    void losingWindowActivationIsNotLeaving()
    {
        QLineEdit *days = find<QLineEdit>("Edit5");
        days->setText(QStringLiteral("1"));
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        QCoreApplication::sendEvent(days, &out);
        QCOMPARE(days->text(), QStringLiteral("1"));
    }

    // Only an address the user typed is checked; passing through the field
    // with Tab (empty, or holding what the settings gave) asks nothing (the
    // empty field once popped "Lue ohjeet …").
    void ownServerCheck_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("told");
        const QString good = QStringLiteral("http://oma.test/upload.php");
        QTest::newRow("empty, passed through") << QString() << QString() << QString() << false;
        QTest::newRow("stored, passed through") << QStringLiteral("ftp://vanha.test/up") << QString()
                                                << QStringLiteral("ftp://vanha.test/up") << false;
        QTest::newRow("typed address kept") << QString() << good << good << false;
        QTest::newRow("typed wrong address") << QString() << QStringLiteral("ftp://oma.test/upload") << QString()
                                             << true;
    }
    void ownServerCheck()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, told);
        m_settings.omapalvelin = stored;
        m_form->loadFromSettings();
        m_form->openPage(2);
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QLineEdit *own = find<QLineEdit>("omapalvelin");
        QTest::mouseClick(own, Qt::LeftButton);
        QTRY_COMPARE(QApplication::focusWidget(), own);
        if (!typed.isEmpty())
            QTest::keyClicks(QApplication::focusWidget(), typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTRY_VERIFY(!own->hasFocus());
        QTEST(own->text(), "after");
        QTEST(m_settings.omapalvelin, "after");
        QCOMPARE(m_prompts.asked, told ? QStringList{QStringLiteral("message: Lue ohjeet miten käyttää omaa palvelinta!")}
                                       : QStringList());
    }

    void templateFolderCheck()
    {
        QLineEdit *dir = find<QLineEdit>("ipohjat");
        QTemporaryDir pohjat;
        dir->setText(pohjat.path());
        leave(dir);
        QCOMPARE(dir->text(), pohjat.path() + u'/');
        dir->setText(pohjat.path() + QStringLiteral("/eiole"));
        leave(dir);
        QCOMPARE(dir->text(), m_dataDir.path() + u'/');
        QCOMPARE(m_settings.ipohjat, m_dataDir.path() + u'/');
    }

    void okOnEveryPageClosesTheDialog()
    {
        QSignalSpy closed(m_form.get(), &TForm3::dialogClosed);
        for (int i = 1; i <= 5; ++i) {
            m_form->openPage(i - 1);
            auto *ok = find<QPushButton>(QStringLiteral("XiButton%1").arg(i));
            QCOMPARE(ok->text(), QStringLiteral("OK"));
            QVERIFY(find<QTabWidget>("PageControl1")->widget(i - 1)->isAncestorOf(ok));
            ok->click();
            QVERIFY(!m_form->isVisible());
            QCOMPARE(closed.count(), i);
        }
    }

    void okAndCloseSetTheWatchListTimer()
    {
        QSignalSpy closed(m_form.get(), &TForm3::dialogClosed);
        m_form->openPage(0);
        find<QCheckBox>("muistutakirjanmerkeista")->click();   // off
        find<QPushButton>("XiButton1")->click();
        QVERIFY(!m_settings.Timer2);
        m_form->openPage(0);
        find<QCheckBox>("muistutakirjanmerkeista")->click();   // on again
        m_form->close();
        QVERIFY(!m_form->isVisible());
        QCOMPARE(closed.count(), 2);
        QVERIFY(m_settings.Timer2);
    }

    void linkLabelsOpenAddresses()
    {
        auto *help = find<QLabel>("asennusohjeet");
        QCOMPARE(QTextDocumentFragment::fromHtml(help->text()).toPlainText(), QStringLiteral("Lue asennusohjeet"));
        emit help->linkActivated(QStringLiteral("http://www.vsselain.test/omapalvelin.html"));
        auto *site = find<QLabel>("vasarokuva");
        QVERIFY(site->text().contains(QLatin1String("http://www.vasarokuva.test/")));
        QVERIFY(help->text().contains(QLatin1String("http://www.vsselain.test/omapalvelin.html")));
        emit site->linkActivated(QStringLiteral("http://www.vasarokuva.test/"));
        QCOMPARE(m_opened, (QList<QUrl>{QUrl("http://www.vsselain.test/omapalvelin.html"),
                                        QUrl("http://www.vasarokuva.test/")}));
    }

private:
    template <typename T>
    T *find(const QString &name)
    {
        T *w = m_form->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    static void leave(QWidget *w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(w, &out);
    }

    QTemporaryDir m_dataDir;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm3> m_form;
    QList<QUrl> m_opened;
};

QTEST_MAIN(TestTForm3)
#include "tst_tform3.moc"
