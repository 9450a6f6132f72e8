// The update check of the assembled main window against the maker's fake
// service: the version answers, the question, the download with its size,
// signature and program checks, "Peruuta", a read-only program folder, and
// the restart into the new program file after the settings are saved.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/tools/progresspanel.h"
#include "update/updatecheck.h"
#include "updatefixture.h"
#include "readonlyfolder.h"
#include "scriptedprompts.h"
#include "updatekeys.h"
#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>
#include "stillafter.h"
#include "testfiles.h"

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QByteArray kOldProgram = "vanha ohjelma";
const QString kFailed = QStringLiteral("information: Päivittäminen ei onnistunut! \r\n\r\n"
                                       "Päivityksen voi tehdä manuaalisesti http://www.vsselain.test");
const QString kQuestion = QStringLiteral("confirm: Uusi versio 4.10 on saatavilla.\r\n\r\nPäivitetäänkö?");
}

class TestUpdateCheck : public QObject {
    Q_OBJECT
private:
    UpdateFixture m_update;
    FakeMarketplace &m_market = m_update.market;
    ScriptedPrompts m_prompts;
    UpdateKeys m_keys;
    QTemporaryDir &m_install = m_update.install;
    const QByteArray &m_newProgram = m_update.newProgram;
    std::unique_ptr<TForm1> m_window;

    QString aboutText(QWidget *window) { return UpdateFixture::aboutText(window); }
    QString program() const { return m_install.filePath(QStringLiteral("vsselain")); }

    void serve(const QString &folder, const QByteArray &bytes, const QByteArray &signature)
    {
        QVERIFY(m_update.serve(folder, bytes, signature));
    }

    // A fresh start for each case: the old program alone in its folder.
    void reset()
    {
        m_market.clear();
        m_market.setState(QStringLiteral("ohjelmat"), m_update.served.path());
        m_prompts.asked.clear();
        m_prompts.answers.clear();
        QDir install(m_install.path());
        for (const QString &name : install.entryList(QDir::Files | QDir::Hidden))
            install.remove(name);
        QVERIFY(writeFile(program(), kOldProgram));
    }

    // Nothing in the program folder changed.
    void verifyUnchanged()
    {
        QCOMPARE(QDir(m_install.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"vsselain"}));
        QCOMPARE(readFile(program()), kOldProgram);
    }

    ProgressPanel *panel() const { return m_window->findChild<ProgressPanel *>(QStringLiteral("XiPanel8")); }

    void check(bool manual)
    {
        if (manual)
            m_window->findChild<QAction *>(QStringLiteral("Paivita1"))->trigger();
        else
            m_window->updateCheck().Paivita1Click();
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_update.start());
        serve(QStringLiteral("ok"), m_newProgram, m_keys.sign(m_newProgram));
        // A real program padded to exactly the smallest accepted size.
        QByteArray exact = readFile(QStringLiteral("/bin/true"));
        exact.append(QByteArray(int(UpdateCheck::kMinimumProgramBytes) - exact.size(), '\0'));
        serve(QStringLiteral("tasan"), exact, m_keys.sign(exact));
        serve(QStringLiteral("vaara"), m_newProgram, UpdateKeys().sign(m_newProgram));
        serve(QStringLiteral("eisig"), m_newProgram, QByteArray());
        const QByteArray text = QByteArray("Tämä ei ole ohjelma.\n").repeated(60000);
        serve(QStringLiteral("eiajettava"), text, m_keys.sign(text));

        m_window = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_window->updateCheck().setPublicKey(m_keys.publicKey);
        m_window->updateCheck().setProgramFile(program());
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    // The first marketplace page asks for the version file once; an answer
    // naming this version says nothing.
    void dailyCheckFromFirstPage()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!m_market.requests(QStringLiteral("www.vsselain.test"),
                                                    QStringLiteral("/selainversio.php")).isEmpty(), 20000);
        QVERIFY(m_market.requests(QStringLiteral("www.vsselain.test"), QStringLiteral("/selainversio.dat")).isEmpty());
        QTRY_VERIFY(!m_window->updateCheck().isRunning());   // the check read its answer
        QCOMPARE(m_prompts.asked, QStringList());
        QVERIFY(!m_window->settings().paivitysCurrent.isEmpty());
    }

    // Built without a release key, the program says in "Käytössä oleva
    // versio" that it cannot update itself.
    void aboutSaysDeveloperBuild()
    {
        const QString text = aboutText(m_window.get());
        QVERIFY2(text.contains(QStringLiteral("Versio 4.05")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Kehittäjän käännös: ohjelma ei voi päivittää itseään.")));
    }

    void answers_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QStringList>("asked");
        QTest::addColumn<QString>("download");   // host + path asked for, "" = none
        const QString latest = QStringLiteral("information: Käytössä on viimeisin versio!");
        const QString failedCheck = QStringLiteral("information: Uuden version tarkistus epäonnistui!");
        const QString ok = QStringLiteral("4.10http://www.vsselain.test/ok/\r\n");
        QTest::newRow("same version, manual") << true << "4.05\r\n" << true << QStringList{latest} << "";
        QTest::newRow("same version, daily") << false << "4.05\r\n" << true << QStringList() << "";
        QTest::newRow("older version") << true << "4.04" << true << QStringList{latest} << "";
        QTest::newRow("error page, manual") << true << "<html><body>Virhe</body></html>" << true
                                            << QStringList{failedCheck} << "";
        QTest::newRow("error page, daily") << false << "<html>Virhe</html>" << true << QStringList() << "";
        QTest::newRow("newer, cancelled") << true << ok << false << QStringList{kQuestion} << "";
        QTest::newRow("newer, daily, cancelled") << false << ok << false << QStringList{kQuestion} << "";
        QTest::newRow("base without slash: maker's address") << true << "4.10http://lataus.vsselain.test/ok" << true
                                                             << QStringList{kQuestion, kFailed}
                                                             << "www.vsselain.test/vsselain";
        QTest::newRow("1 099 999 bytes") << true << "4.10http://www.vsselain.test/lyhyt/" << true
                                         << QStringList{kQuestion, kFailed} << "www.vsselain.test/lyhyt/vsselain";
        QTest::newRow("refused by the server") << true << "4.10http://www.vsselain.test/kielletty/" << true
                                               << QStringList{kQuestion, kFailed}
                                               << "www.vsselain.test/kielletty/vsselain";
        QTest::newRow("wrong signature") << true << "4.10http://lataus.vsselain.test/vaara/" << true
                                         << QStringList{kQuestion, kFailed} << "lataus.vsselain.test/vaara/vsselain";
        QTest::newRow("no signature") << true << "4.10http://www.vsselain.test/eisig/" << true
                                      << QStringList{kQuestion, kFailed} << "www.vsselain.test/eisig/vsselain";
        QTest::newRow("signed, but not a program") << false << "4.10http://www.vsselain.test/eiajettava/" << true
                                                   << QStringList{kQuestion, kFailed}
                                                   << "www.vsselain.test/eiajettava/vsselain";
    }
    // Whatever goes wrong, the program folder is left as it was and the
    // window keeps running.
    void answers()
    {
        QFETCH(bool, manual);
        QFETCH(QString, answer);
        QFETCH(bool, ok);
        QFETCH(QStringList, asked);
        QFETCH(QString, download);
        reset();
        m_market.setState(QStringLiteral("versio"), answer);
        if (!ok)
            m_prompts.answers.enqueue(Prompts::Answer::Cancel);
        check(manual);
        QCOMPARE(m_prompts.asked, asked);
        const QString file = manual ? QStringLiteral("/selainversio.dat") : QStringLiteral("/selainversio.php");
        QCOMPARE(m_market.requests(QStringLiteral("www.vsselain.test"), file).size(), 1);
        if (download.isEmpty()) {
            QVERIFY(m_market.requests(QStringLiteral("vsselain.test"), QStringLiteral("/vsselain")).isEmpty());
        } else {
            const QString host = download.section(u'/', 0, 0);
            const QString path = u'/' + download.section(u'/', 1);
            const QList<QJsonObject> got = m_market.requests(host, path);
            QVERIFY2(!got.isEmpty(), qPrintable(download));
            QCOMPARE(got.first().value(QStringLiteral("path")).toString(), path);
            QVERIFY(got.first().value(QStringLiteral("query")).toString().startsWith(QStringLiteral("nocache=")));
        }
        verifyUnchanged();
        QVERIFY(m_window->isVisible());
        QVERIFY(!panel()->isVisible());
    }

    // No answer in 10 s: the manual check gives up with its message; the
    // panel said "Tarkistetaan.." meanwhile.
    void silentVersionServer()
    {
        reset();
        m_market.setState(QStringLiteral("versio_hiljaa"), QStringLiteral("1"));
        QString shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            if (panel()->isVisible())
                shown = panel()->findChild<QLabel *>(QStringLiteral("Label2"))->text();
        });
        watch.start(50);
        QElapsedTimer took;
        took.start();
        check(true);
        QCOMPARE(shown, QStringLiteral("Tarkistetaan.."));
        QVERIFY2(took.elapsed() >= 9500 && took.elapsed() < 14000, qPrintable(QString::number(took.elapsed())));
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("information: Uuden version tarkistus epäonnistui!")});
        verifyUnchanged();
    }

    // "Peruuta" during a download that never ends stops it; nothing changes.
    void cancelDuringDownload()
    {
        reset();
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.10http://www.vsselain.test/hiljaa/"));
        QString shown;
        QTimer clicker;
        connect(&clicker, &QTimer::timeout, this, [&] {
            if (!panel()->isVisible() || m_market.requests(QStringLiteral("vsselain.test"), QStringLiteral("/hiljaa/")).isEmpty())
                return;
            shown = panel()->findChild<QLabel *>(QStringLiteral("Label2"))->text();
            QPushButton *cancel = panel()->cancelButton();
            QTest::mouseClick(cancel, Qt::LeftButton, {}, cancel->rect().center());
        });
        clicker.start(200);
        QElapsedTimer took;
        took.start();
        check(true);
        clicker.stop();
        QCOMPARE(shown, QStringLiteral("Päivitetään.."));
        QVERIFY(took.elapsed() < 10000);
        QCOMPARE(m_prompts.asked, QStringList{kQuestion});
        verifyUnchanged();
    }

    // The smallest accepted program file is installed, the old one kept.
    void exactMinimumSizeInstalled()
    {
        reset();
        panel()->showCentred();
        QVERIFY(m_window->updateCheck().lataapaivitys(QStringLiteral("http://www.vsselain.test/tasan/vsselain?nocache=1")));
        panel()->Panelsulje();
        QCOMPARE(readFile(program()).size(), int(UpdateCheck::kMinimumProgramBytes));
        QVERIFY(QFileInfo(program()).isExecutable());
        QCOMPARE(readFile(m_install.filePath(QStringLiteral("vsselain.old"))), kOldProgram);
        QCOMPARE(m_prompts.asked, QStringList());
    }

    // A program folder this user cannot write (a packaged install): the
    // newer version is told with the way to update, nothing is downloaded,
    // nobody is asked for administrator rights, and the program keeps running.
    void readOnlyProgramFolder_data()
    {
        QTest::addColumn<bool>("manual");
        QTest::newRow("manual") << true;
        QTest::newRow("daily") << false;
    }
    void readOnlyProgramFolder()
    {
        QFETCH(bool, manual);
        reset();
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.10http://www.vsselain.test/ok/"));
        {
            ReadOnlyFolder readOnly(m_install.path());
            if (!readOnly.blocked())
                QSKIP("the folder cannot be made read-only here");
            check(manual);
        }
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("information: Uusi versio 4.10 on saatavilla.\r\n\r\n"
                                                             "Päivitä ohjelma pakettienhallinnasta.")});
        QVERIFY(m_market.requests(QStringLiteral("vsselain.test"), QStringLiteral("/ok/vsselain")).isEmpty());
        verifyUnchanged();
        QVERIFY(m_window->isVisible());
        QVERIFY(!panel()->isVisible());
    }

    // Last, as it closes the window: the new file is installed, the window
    // closes, the settings are saved and then the new program starts.
    void installsAndRestarts()
    {
        reset();
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.10http://lataus.vsselain.test/ok/"));
        const QString settings = QDir(m_market.dataDir()).filePath(QStringLiteral("VSselain.dat"));
        const QString started = QDir(m_market.dataDir()).filePath(QStringLiteral("uusi_ohjelma.txt"));
        QFile::remove(settings);
        QFile::remove(started);
        check(true);
        QCOMPARE(m_prompts.asked, QStringList{kQuestion});
        QVERIFY(!m_window->isVisible());
        QCOMPARE(readFile(program()), m_newProgram);
        QVERIFY(QFileInfo(program()).isExecutable());
        QCOMPARE(readFile(m_install.filePath(QStringLiteral("vsselain.old"))), kOldProgram);
        QVERIFY(!m_market.requests(QStringLiteral("lataus.vsselain.test"), QStringLiteral("/ok/vsselain.sig")).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 10000);
        const QByteArray note = readFile(started);
        QCOMPARE(note.left(note.indexOf('\n')), QByteArray::number(qint64(getpid())));
        const QByteArray saved = readFile(settings);
        QVERIFY(saved.contains("Paivitys:1"));
        QCOMPARE(note.mid(note.indexOf('\n') + 1), saved);
        m_window.reset();
        // The restart flag keeps the old file for the new program's close.
        QVERIFY(QFile::exists(m_install.filePath(QStringLiteral("vsselain.old"))));
    }

    // A second start on the same day of the month asks for no version file.
    void secondStartSameDayNoCheck()
    {
        reset();
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.10http://www.vsselain.test/ok/"));
        TForm1 w(Endpoints::fromEnvironment(), &m_prompts);
        w.updateCheck().setProgramFile(program());
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(!w.settings().paivitysCurrent.isEmpty(), 20000);
        QCOMPARE(w.settings().paivitysCurrent, w.settings().paivitysStored);
        quietFor(kQuietMs);   // a check would have been started by now
        QVERIFY(m_market.requests(QStringLiteral("vsselain.test"), QStringLiteral("/selainversio")).isEmpty());
        QCOMPARE(m_prompts.asked, QStringList());
        // An ordinary close removes the previous program file.
        QVERIFY(writeFile(m_install.filePath(QStringLiteral("vsselain.old")), "edellinen"));
        w.close();
        QVERIFY(!QFile::exists(m_install.filePath(QStringLiteral("vsselain.old"))));
        QCOMPARE(readFile(program()), kOldProgram);
    }

    // The daily check finds an update while the first page is being
    // handled: the window closes from inside that handling and the new
    // program starts.
    void dailyCheckInstallsAndRestarts()
    {
        reset();
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.10http://www.vsselain.test/ok/"));
        const QString started = QDir(m_market.dataDir()).filePath(QStringLiteral("uusi_ohjelma.txt"));
        QFile::remove(QDir(m_market.dataDir()).filePath(QStringLiteral("VSselain.dat")));
        QFile::remove(started);
        TForm1 w(Endpoints::fromEnvironment(), &m_prompts);
        w.updateCheck().setPublicKey(m_keys.publicKey);
        w.updateCheck().setProgramFile(program());
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 20000);
        QCOMPARE(m_prompts.asked, QStringList{kQuestion});
        QVERIFY(!m_market.requests(QStringLiteral("www.vsselain.test"), QStringLiteral("/selainversio.php")).isEmpty());
        QVERIFY(!w.isVisible());
        QCOMPARE(readFile(program()), m_newProgram);
        QCOMPARE(readFile(m_install.filePath(QStringLiteral("vsselain.old"))), kOldProgram);
    }
};

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
