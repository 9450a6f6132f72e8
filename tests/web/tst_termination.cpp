// The real program, started as a child process against the fake
// marketplace, is told to end by a real signal while a question or a
// message is up at start, or while a page's alert is open: it ends within
// five seconds without asking, the settings are on disk (written anew), a
// changed filter is kept for the next start, nothing in the data folder is
// open to others, and HOME gets nothing. A data folder that cannot be
// written to is told about once at start, in Finnish.
#include "app/signalwatcher.h"
#include "app/tform1.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "core/cp1252.h"
#include "fakemarketplace.h"
#include "readonlyfolder.h"
#include "scriptedprompts.h"
#include "stillafter.h"
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>
#include <unistd.h>
#include "testfiles.h"

namespace {

QByteArray lines(const QStringList &list)
{
    QByteArray bytes;
    for (const QString &l : list)
        bytes += Cp1252::encode(l) + "\r\n";
    return bytes;
}

// Paths under `root` that others may read, write or enter (find -perm /077).
QStringList openToOthers(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISLNK(st.st_mode) && (st.st_mode & 077))
            found << path + QStringLiteral(" ") + QString::number(st.st_mode & 0777, 8);
    }
    return found;
}

// Every file and folder under `root`.
QStringList everything(const QString &root)
{
    QStringList found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << it.next();
    return found;
}
} // namespace

class TestTermination : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;

    // Starts the program with its own data folder and HOME, waits until it
    // asked for `page` and a moment more (its start-up question or the
    // page's alert is up then), sends `sig` and waits for its end.
    // Returns the milliseconds from the signal to the end, -1 when it did not end.
    qint64 runAndSignal(const QString &data, const QString &home, const QString &host, const QString &page, int sig)
    {
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VSSELAIN_DATA_DIR"), data);
        env.insert(QStringLiteral("HOME"), home);
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
            env.remove(QLatin1String(name));
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_market.clear();
        app.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vsselain"), {});
        if (!app.waitForStarted(10000))
            return -1;
        const bool asked = QTest::qWaitFor([&] { return !m_market.requests(host, page).isEmpty(); }, 30000);
        // The program shows its question or the page's alert a moment after
        // the page was asked for.
        QTest::qWait(1500);
        if (!asked || app.state() != QProcess::Running) {
            app.kill();
            app.waitForFinished();
            return -1;
        }
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(app.processId()), sig);
        if (!app.waitForFinished(20000)) {
            app.kill();
            app.waitForFinished();
            return -1;
        }
        return app.exitStatus() == QProcess::NormalExit ? clock.elapsed() : -1;
    }

private slots:
    void initTestCase() { QVERIFY(m_market.start()); }

    // Whatever is up, the signal ends the program in order.
    void endsWithAnythingOpen_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<int>("sig");
        QTest::newRow("start-up message: filter file too big, SIGTERM") << "bigfilter" << int(SIGTERM);
        QTest::newRow("start-up question: kept filter, SIGHUP") << "recovery" << int(SIGHUP);
        QTest::newRow("page alert, SIGTERM") << "alert" << int(SIGTERM);
        QTest::newRow("page alert, SIGINT") << "alert" << int(SIGINT);
    }
    void endsWithAnythingOpen()
    {
        QFETCH(QString, situation);
        QFETCH(int, sig);
        QTemporaryDir data;
        QTemporaryDir home;
        const QString dat = data.filePath(QStringLiteral("VSselain.dat"));
        QStringList settings{QStringLiteral("Kotisivu:http://www.vasaro.test/"), QStringLiteral("Muistuta:0")};
        QString host = QStringLiteral("www.vasaro.test");
        QString page = QStringLiteral("/");
        const QString filter = data.filePath(QStringLiteral("iso.txt"));
        const QString recovery = SellerFilter::recoveryPath(data.path() + u'/');
        if (situation == QLatin1String("bigfilter")) {
            QFile f(filter);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(65 * 1024 * 1024));
            settings << QStringLiteral("Lataasuodatin:1") << QStringLiteral("Suodatin:") + filter;
        } else if (situation == QLatin1String("recovery")) {
            QVERIFY(writeFile(recovery, "tuoli-a1,00:46000\r\n"));
        } else {
            settings[0] = QStringLiteral("Kotisivu:http://hyokkaaja.test/dialogit/yksi");
            host = QStringLiteral("hyokkaaja.test");
            page = QStringLiteral("/dialogit/yksi");
        }
        // An unknown line is dropped by the writer: its absence proves the file was written anew.
        QVERIFY(writeFile(dat, lines(settings) + "Tuntematon:1\r\n"));
        const qint64 ms = runAndSignal(data.path(), home.path(), host, page, sig);
        QVERIFY2(ms >= 0, "the program did not end in order");
        QVERIFY2(ms < 5000, qPrintable(QString::number(ms)));
        const QByteArray saved = readFile(dat);
        QVERIFY2(saved.contains("Muistuta:0\r\n") && !saved.contains("Tuntematon"), saved.constData());
        if (situation == QLatin1String("bigfilter")) {
            QCOMPARE(QFileInfo(filter).size(), qint64(65 * 1024 * 1024));   // the refused file stays
            QVERIFY(saved.contains("Suodatin:" + QFile::encodeName(filter)));
        }
        if (situation == QLatin1String("recovery")) {
            // Nobody answered: the kept filter is offered again next time.
            QCOMPARE(readFile(recovery), QByteArray("tuoli-a1,00:46000\r\n"));
        }
        const QStringList open = openToOthers(data.path());
        QVERIFY2(open.isEmpty(), qPrintable(open.join(u'\n')));
        const QStringList inHome = everything(home.path());
        QVERIFY2(inHome.isEmpty(), qPrintable(inHome.join(u'\n')));
    }

    // A changed filter is never asked about at a signal: it goes to its own
    // file when it has one, else to the recovery file, which the next start
    // offers back.
    void changedFilterIsKept_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::newRow("filter with its file") << true;
        QTest::newRow("filter without a file") << false;
    }
    void changedFilterIsKept()
    {
        QFETCH(bool, hasFile);
        QTemporaryDir data;
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(data.path()));
        const QString folder = data.path() + u'/';
        const QString own = folder + QStringLiteral("oma.txt");
        QVERIFY(writeFile(own, "vanha-a1,00:46000\r\n"));
        {
            ScriptedPrompts prompts;
            TForm1 w(Endpoints::fromEnvironment(), &prompts);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            SignalWatcher watcher;
            connect(&watcher, &SignalWatcher::terminationRequested, &w, &TForm1::FormTerminate);
            SellerFilter &filter = w.sellerFilterTool().filter();
            if (hasFile)
                QVERIFY(filter.lataasuodatin(own));
            filter.yhjennsuodatin1Click();   // "Tyhjennä suodatin" (the scripted answer is Yes)
            prompts.asked.clear();
            ::kill(::getpid(), SIGTERM);
            QTRY_VERIFY(!w.isVisible());
            QCOMPARE(prompts.asked, QStringList());
        }
        const QString recovery = SellerFilter::recoveryPath(folder);
        if (hasFile) {
            QCOMPARE(readFile(own), QByteArray());   // the emptied filter
            QVERIFY(!QFile::exists(recovery));
            return;
        }
        QVERIFY(QFile::exists(recovery));
        QCOMPARE(readFile(own), QByteArray("vanha-a1,00:46000\r\n"));
        ScriptedPrompts prompts;
        prompts.answers.enqueue(Prompts::Answer::Yes);
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(!prompts.asked.isEmpty());
        QVERIFY2(prompts.asked.first().startsWith(QStringLiteral("confirm: Ohjelma suljettiin viime kerralla")),
                 qPrintable(prompts.asked.join(u'|')));
        QVERIFY(!w.sellerFilterTool().filter().unchanged());
        QVERIFY(!QFile::exists(recovery));
        w.sellerFilterTool().filter().markChanged();
        prompts.answers.enqueue(Prompts::Answer::No);
        w.close();
    }

    // "Lopeta" with a changed filter asks Kyllä / Ei / Peruuta; Peruuta
    // keeps the program open.
    void quitQuestionCanBeCancelled()
    {
        QTemporaryDir data;
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(data.path()));
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.sellerFilterTool().filter().markChanged();
        prompts.answers.enqueue(Prompts::Answer::Cancel);
        w.MenuItem5Click();
        QCOMPARE(prompts.asked, QStringList{QStringLiteral("confirm: Suodattimen sisältö on muuttunut, tallennetaanko?")});
        QVERIFY(w.isVisible());
        prompts.answers.enqueue(Prompts::Answer::No);
        w.MenuItem5Click();
        QVERIFY(!w.isVisible());
    }

    void readOnlyDataFolderIsToldOnce()
    {
        QTemporaryDir data;
        const QString folder = data.path() + u'/';
        const QByteArray stored = "Tagit:2\r\n";
        QVERIFY(writeFile(folder + QStringLiteral("VSselain.dat"), stored));
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(data.path()));
        const ReadOnlyFolder readOnly(data.path());
        if (!readOnly.blocked())
            QSKIP("the folder cannot be made read-only here");
        ScriptedPrompts prompts;
        {
            TForm1 w(Endpoints::fromEnvironment(), &prompts);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QTRY_VERIFY(!prompts.asked.isEmpty());
            quietFor(kQuietPeriodMs);   // the rest of the start asks nothing more
            QCOMPARE(prompts.asked.size(), 1);
            const QString told = prompts.asked.first();
            QVERIFY2(told.startsWith(QStringLiteral("error: Tietokansioon ei voi kirjoittaa:\r") + folder), qPrintable(told));
            QVERIFY(told.contains(QStringLiteral("ei voida tallentaa")));
            // The favourites menu is built without a message of its own.
            w.settings().tagit = 1;
            w.close();
        }
        for (const QString &asked : std::as_const(prompts.asked))
            QVERIFY2(!asked.contains(QLatin1String("Failed")), qPrintable(asked));
        QCOMPARE(prompts.asked.size(), 2);
        QVERIFY2(prompts.asked.last().contains(QStringLiteral("Aiempi tiedosto säilyi ennallaan.")),
                 qPrintable(prompts.asked.last()));
        QCOMPARE(readFile(folder + QStringLiteral("VSselain.dat")), stored);
    }
};

QTEST_MAIN(TestTermination)
#include "tst_termination.moc"
