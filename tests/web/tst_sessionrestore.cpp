// Tabs and window kept between runs. The first run is a process of its own
// (this program started with "--ensimmainen-ajo"): it opens three tabs, makes
// the second active, sets the window's geometry and is then ended with
// SIGKILL, as a crash or `kill -9` ends it, with no shut-down of any kind.
// The second run, here, must come back with the three tabs, the active one
// and the geometry, load only the active tab's page, and leave the
// settings file alone.
#include "app/tform1.h"
#include "app/tform3.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/session/sessionfile.h"
#include "browser/session/sessionkeeper.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>
#include <cstdio>

namespace {
const QString kWww = QStringLiteral("http://www.vasaro.test/");
const char kFirstRun[] = "--ensimmainen-ajo";
const QRect kGeometry(40, 30, 900, 700);

QString sessionPath()
{
    return SessionFile::path(qEnvironmentVariable("VSSELAIN_DATA_DIR"));
}

bool titled(TVasaroselain *view, const QString &title)
{
    return waitFor([&] { return view && view->title() == title && !view->vasaroPage()->Busy(); }, 15000);
}

// The first run: three tabs, the second active, a geometry of its own. It
// says "valmis" once the session file holds all that and waits to be killed.
int firstRun()
{
    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    w.show();
    if (!titled(w.tabs().activeBrowser(), QStringLiteral("Vasaro - etusivu")))
        return 2;
    w.session()->setRestoreEnabled(true);
    w.setGeometry(kGeometry);
    w.tabs().uuteenikkunaan(kWww + QStringLiteral("testi/selain/yksi"));
    if (!titled(w.tabs().activeBrowser(), QStringLiteral("Selain yksi")))
        return 3;
    w.tabs().uuteenikkunaan(kWww + QStringLiteral("testi/selain/kaksi"));
    if (!titled(w.tabs().activeBrowser(), QStringLiteral("Selain kaksi")))
        return 4;
    w.tabs().pageControl()->setCurrentIndex(1);   // as a click on the tab does
    const bool saved = waitFor([] {
        const SessionState s = SessionFile::read(sessionPath());
        return s.addresses.size() == 3 && s.active == 1 && s.geometry == kGeometry;
    }, 20000);
    if (!saved)
        return 5;
    std::printf("valmis\n");
    std::fflush(stdout);
    waitFor([] { return false; }, 120000);
    return 6;
}
}

class TestSessionRestore : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;

private slots:
    void initTestCase()
    {
        QVERIFY(m_market.start());
    }

    void restoredAfterKill()
    {
        const QString settingsFile = QDir(m_market.dataDir()).filePath(QStringLiteral("VSselain.dat"));
        QFile::remove(settingsFile);
        QProcess first;
        first.setProcessChannelMode(QProcess::SeparateChannels);
        first.setReadChannel(QProcess::StandardOutput);
        first.start(QCoreApplication::applicationFilePath(), {QLatin1String(kFirstRun)});
        QVERIFY(first.waitForStarted());
        QByteArray said;
        QVERIFY2(waitFor([&] {
                     said += first.readAllStandardOutput();
                     return said.contains("valmis") || first.state() == QProcess::NotRunning;
                 }, 90000)
                     && first.state() == QProcess::Running,
                 qPrintable(QStringLiteral("first run ended: %1 %2").arg(first.exitCode())
                                .arg(QString::fromLocal8Bit(first.readAllStandardError().right(2000)))));
        first.kill();   // SIGKILL: nothing of the program's own shut-down runs
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);

        QFile session(sessionPath());
        QVERIFY(session.exists());
        QCOMPARE(session.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup
                                          | QFileDevice::WriteOther), QFileDevice::Permissions());
        QVERIFY(!QFile::exists(settingsFile));   // killed: the settings were never saved
        m_market.clear();

        // The second start.
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        TabManager &tabs = w.tabs();
        QCOMPARE(tabs.count(), 3);
        QCOMPARE(tabs.activeIndex(), 1);
        QCOMPARE(w.geometry(), kGeometry);
        QVERIFY(titled(tabs.activeBrowser(), QStringLiteral("Selain yksi")));
        QCOMPARE(w.addressText(), kWww + QStringLiteral("testi/selain/yksi"));
        QVERIFY(titled(tabs.browser(0), QStringLiteral("Vasaro - etusivu")));
        // The third tab loads only when it is first shown.
        QVERIFY(m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/testi/selain/kaksi")).isEmpty());
        QCOMPARE(tabs.browser(2)->url(), QUrl());
        QCOMPARE(tabs.caption(2), QStringLiteral("www.vasaro.test/testi/sel.."));
        tabs.pageControl()->setCurrentIndex(2);
        QVERIFY(titled(tabs.browser(2), QStringLiteral("Selain kaksi")));
        QCOMPARE(w.addressText(), kWww + QStringLiteral("testi/selain/kaksi"));

        // The choice is on the settings dialog's first page; it lives in the
        // session file, so the settings file does not change for it.
        w.settingsDialog()->openPage(0);
        auto *restore = w.settingsDialog()->findChild<QCheckBox *>(QStringLiteral("palautavalilehdet"));
        QVERIFY(restore && restore->isChecked());
        QCOMPARE(restore->text(), QStringLiteral("Palauta välilehdet käynnistettäessä"));
        restore->click();
        QVERIFY(!SessionFile::read(sessionPath()).restoreTabs);
        w.settingsDialog()->hide();
        w.MenuItem5Click();
        QFile settings(settingsFile);
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QByteArray bytes = settings.readAll();
        QVERIFY(!bytes.contains("testi/selain"));
        QVERIFY(!bytes.contains("Palauta"));
        // Closed in order: the last state is kept, restoring now off.
        const SessionState last = SessionFile::read(sessionPath());
        QCOMPARE(last.addresses.size(), 3);
        QCOMPARE(last.active, 2);
        QVERIFY(!last.restoreTabs);
    }

    // With restoring off, a new start shows the home page alone, in the
    // window size the screen gives.
    void restoringOff()
    {
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        QCOMPARE(w.tabs().count(), 1);
        QVERIFY(w.geometry() != kGeometry);
        QVERIFY(titled(w.tabs().activeBrowser(), QStringLiteral("Vasaro - etusivu")));
        w.MenuItem5Click();
    }

    // The file's lines as the keeper writes and reads them; damaged lines
    // are skipped, addresses that cannot be loaded again are not kept.
    void fileLines()
    {
        SessionState s;
        s.geometry = QRect(-5, 10, 800, 600);
        s.maximised = true;
        s.active = 1;
        s.addresses = {kWww, kWww + QStringLiteral("haku?q=a%20b")};
        QCOMPARE(SessionFile::decode(SessionFile::encode(s)), s);
        const SessionState d = SessionFile::decode(
            "VSselain-istunto 1\nikkuna=1,2,x,4\naktiivinen=7\nvalilehti=about:blank\n"
            "valilehti=javascript:alert(1)\nvalilehti=file:///etc/passwd\nvalilehti=http://www.vasaro.test/a\n"
            "roskaa\n");
        QVERIFY(!d.geometry.isValid());
        QCOMPARE(d.addresses, QStringList{QStringLiteral("http://www.vasaro.test/a")});
        QCOMPARE(d.active, 0);
        QCOMPARE(SessionFile::decode("jotain muuta\nvalilehti=http://a/\n"), SessionState());
    }
};

int main(int argc, char **argv)
{
    BrowserProfile::registerSchemes();
    QApplication app(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], kFirstRun) == 0)
        return firstRun();
    TestSessionRestore test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sessionrestore.moc"
