#include "app/messagepanel.h"
#include "app/tform1.h"
#include "app/windowsizing.h"
#include "scriptedprompts.h"
#include <QDir>
#include "app/tform3.h"
#include <QPushButton>
#include <QLabel>
#include "ledger/tform8.h"
#include <QAction>
#include <QFontMetrics>
#include <QApplication>
#include <QTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

class TestTForm1 : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_data;

    // Reads and closes the next modal message box.
    static void answerNextMessageBox(QString *text)
    {
        QTimer::singleShot(200, [text] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                *text = box->text();
                box->accept();
            }
        });
    }

    static QAction *findAction(QWidget *w, const QString &name)
    {
        return w->findChild<QAction *>(name);
    }

private slots:
    void initTestCase()
    {
        qputenv("VSSELAIN_DATA_DIR", m_data.path().toUtf8());
    }

    void clientSizeFollowsScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("client");
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(924, 668);
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(1136, 800);
        QTest::newRow("800x600") << QSize(800, 600) << QSize(760, 560);
        QTest::newRow("1136x800 boundary") << QSize(1136, 800) << QSize(1136, 800);
        QTest::newRow("1135x799 just below") << QSize(1135, 799) << QSize(1035, 699);
        QTest::newRow("tiny keeps design size") << QSize(640, 480) << QSize(782, 611);
    }
    void clientSizeFollowsScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, client);
        QCOMPARE(mainWindowClientSize(screen), client);
    }

    void messagePanelHidesOnThirdTick()
    {
        QWidget parent;
        parent.resize(400, 300);
        parent.show();
        MessagePanel panel(QStringLiteral("paneeli"), &parent);
        panel.naytapaneeli(QStringLiteral("Asetukset palautettu!"), 3);
        QVERIFY(panel.isVisible());
        QCOMPARE(panel.x(), parent.width() / 2 - panel.width() / 2);
        QCOMPARE(panel.y(), parent.height() / 2 - panel.height() / 2);
        panel.tick();
        QVERIFY(panel.isVisible());
        panel.tick();
        QVERIFY(panel.isVisible());
        panel.tick();
        QVERIFY(!panel.isVisible());
    }

    void captionShowsSystemTimeAtStart()
    {
        TForm1 w{Endpoints()};
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QString title = w.windowTitle();
        QVERIFY2(title.startsWith(QStringLiteral("*** Vasaro selain 4.05 *** Tänään on : ")), qPrintable(title));
        QVERIFY2(title.endsWith(QStringLiteral(" (Järjestelmän aikaa)")), qPrintable(title));
        const QString weekday = title.mid(39).section(u' ', 0, 0);
        QVERIFY2(QStringList({"maanantai", "tiistai", "keskiviikko", "torstai", "perjantai", "lauantai",
                              "sunnuntai"}).contains(weekday), qPrintable(weekday));
    }

    void menuCaptionsAndMissingFeaturesDisabled_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("Lopeta") << "MenuItem5" << "Lopeta" << true;
        QTest::newRow("about") << "About1" << "Käytössä oleva versio" << true;
        QTest::newRow("own page") << "Omasivu1" << "Omasivu" << true;
        QTest::newRow("link") << "Postinhinnat1" << "Postin hinnat" << true;
        QTest::newRow("new tab caption") << "MenuItem2" << "Uusi välilehti     Ctrl+T" << true;
        QTest::newRow("settings dialog") << "Yleisetasetukset1" << "Yleiset asetukset" << true;
        QTest::newRow("ledger") << "Myydytostetutkohteet1" << "Myydyt/ostetut kohteet" << true;
        QTest::newRow("quick user search") << "Kyttjhaku1" << "Käyttäjä haku  Ctrl + K" << true;
        QTest::newRow("seller filter") << "MenuItem35" << "Lisää myyjän kohteet suodattimeen" << true;
        QTest::newRow("update check") << "Paivita1" << "Tarkista löytyykö uudempi versio" << true;
        QTest::newRow("search form") << "Haku" << "Haku" << true;
    }
    void menuCaptionsAndMissingFeaturesDisabled()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(bool, enabled);
        TForm1 w{Endpoints()};
        w.show();
        QAction *a = findAction(&w, name);
        QVERIFY2(a, qPrintable(name));
        QCOMPARE(a->text(), caption);
        QCOMPARE(a->isEnabled(), enabled);
    }

    void aboutBoxShowsVersion()
    {
        TForm1 w{Endpoints()};
        w.show();
        QString text;
        int width = 0;
        int titleWidth = 0;
        QTimer::singleShot(200, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text = box->text();
                QFont bold = box->font();
                bold.setBold(true);
                titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
                width = box->width();
                box->accept();
            }
        });
        w.About1Click();
        QVERIFY2(text.startsWith(QStringLiteral("Vasaro selain\n\nVersio 4.05\n\n")), qPrintable(text));
        // Room for the whole caption in a bold title bar with its icon and
        // buttons (it was elided to "Vasa...lain").
        QVERIFY2(width >= titleWidth + 100, qPrintable(QStringLiteral("%1 %2").arg(width).arg(titleWidth)));
    }

    void ledgerNeedsSignIn()
    {
        TForm1 w{Endpoints()};
        w.show();
        QString text;
        answerNextMessageBox(&text);
        w.findChild<QAction *>(QStringLiteral("Myydytostetutkohteet1"))->trigger();
        QCOMPARE(text, QStringLiteral("Myydyt ja ostetut on käytettävissä vain kirjautuneena!"));
        QVERIFY(!w.ledgerWindow()->isVisible());
    }

    void settingsDialogDisablesTheMainWindow()
    {
        TForm1 w{Endpoints()};
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        findAction(&w, QStringLiteral("Laskuriasetukset"))->trigger();
        TForm3 *dialog = w.settingsDialog();
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isEnabled());
        QVERIFY(!w.isEnabled());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Kävijälaskuri"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("XiButton4"));
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(w.isEnabled());
    }

    // The reset asks first (it once acted at once): "Kyllä" resets, saves
    // and tells so; "Ei" leaves everything as it was.
    void restoreDefaultsAsksSavesAndTellsSo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("reset");
        QTest::newRow("yes") << "Kyllä" << true;
        QTest::newRow("no") << "Ei" << false;
    }
    void restoreDefaultsAsksSavesAndTellsSo()
    {
        QFETCH(QString, answer);
        QFETCH(bool, reset);
        QTemporaryDir data;
        qputenv("VSSELAIN_DATA_DIR", data.path().toUtf8());
        TForm1 w{Endpoints()};
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.settings().Edit5 = QStringLiteral("200");
        w.settings().naytakuvat = false;      // not reset by the command
        QString question;
        QTimer::singleShot(0, [&question, answer] {
            QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(QTest::qWaitForWindowExposed(box));
            question = box->text();
            for (QAbstractButton *b : box->buttons())
                if (b->text() == answer)
                    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        });
        findAction(&w, QStringLiteral("Palautaoletukset1"))->trigger();
        QCOMPARE(question, QStringLiteral("Palautetaanko oletusasetukset?"));
        QCOMPARE(w.settings().Edit5, reset ? QStringLiteral("60") : QStringLiteral("200"));
        QVERIFY(!w.settings().naytakuvat);
        auto *panel = w.findChild<QLabel *>(QStringLiteral("paneeli"));
        QVERIFY(panel);
        QCOMPARE(panel->isVisible() && panel->text() == QStringLiteral("Asetukset palautettu!"), reset);
        QFile saved(data.filePath(QStringLiteral("VSselain.dat")));
        if (reset) {
            QVERIFY(saved.open(QIODevice::ReadOnly));
            const QByteArray bytes = saved.readAll();
            QVERIFY(bytes.contains("Suodattimenkesto:60\r\n"));
            QVERIFY(bytes.contains("Naytakuvat:0\r\n"));
        }
        qputenv("VSSELAIN_DATA_DIR", m_data.path().toUtf8());
    }

    void failedSaveAtCloseIsReported()
    {
        QTemporaryDir data;
        qputenv("VSSELAIN_DATA_DIR", data.path().toUtf8());
        // A folder where the settings file should be: the save cannot succeed.
        QVERIFY(QDir(data.path()).mkdir(QStringLiteral("VSselain.dat")));
        ScriptedPrompts prompts;
        {
            TForm1 w(Endpoints(), &prompts);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            w.MenuItem5Click();
            QVERIFY(!w.isVisible());
        }
        // The message names the file, the cause and that the earlier file was kept.
        const QString told = prompts.asked.value(prompts.asked.size() - 1);
        QVERIFY2(told.startsWith(QStringLiteral("error: Asetusten tallentaminen ei onnistunut:\r") + data.path()
                                 + QStringLiteral("/VSselain.dat")),
                 qPrintable(prompts.asked.join(u'|')));
        QVERIFY2(told.contains(QStringLiteral("Tiedoston paikalla on kansio.")), qPrintable(told));
        QVERIFY2(told.endsWith(QStringLiteral("Aiempi tiedosto säilyi ennallaan.")), qPrintable(told));
        QVERIFY(QFileInfo(data.filePath(QStringLiteral("VSselain.dat"))).isDir());
        qputenv("VSSELAIN_DATA_DIR", m_data.path().toUtf8());
    }

    void lopetaClosesTheWindow()
    {
        TForm1 w{Endpoints()};
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.MenuItem5Click();
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(TestTForm1)
#include "tst_tform1.moc"
