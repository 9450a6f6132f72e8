// Quitting the program while the ledger's list is unsaved: "Lopeta" and the
// window's close button ask the ledger's close question first; a termination
// signal cannot ask and keeps the list for the next run instead.
#include "app/signalwatcher.h"
#include "app/tform1.h"
#include "core/endpoints.h"
#include "ledger/files/ledgerrecovery.h"
#include "ledger/tform8.h"
#include "scriptedprompts.h"
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace {
const QString closeQuestion = QStringLiteral("confirm: Listaa ei ole tallennettu!\r\rHaluatko tallentaa?");

// Every outside address on loopback, the proxy on a closed port.
Endpoints loopback()
{
    Endpoints e;
    e.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    e.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    e.set(QStringLiteral("api_base"), QStringLiteral("http://api.vasaro.test/1.1/"));
    e.set(QStringLiteral("proxy"), QStringLiteral("http://127.0.0.1:9"));
    return e;
}

void clickAt(QWidget *w, const QPoint &local)
{
    const QPoint global = w->mapToGlobal(local);
    QWidget *under = QApplication::widgetAt(global);
    QVERIFY2(under, "nothing under the pointer");
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFromGlobal(global));
}
}

class TestQuitLedger : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_main;

    TForm8 *ledger() const { return m_main->ledgerWindow(); }
    QString settingsFile() const { return m_data.filePath(QStringLiteral("VSselain.dat")); }
    QString recoveryFile() const { return LedgerRecovery::path(m_data.path() + u'/'); }

    void start()
    {
        m_prompts = ScriptedPrompts();
        m_main = std::make_unique<TForm1>(loopback(), &m_prompts);
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
        // Taller than the test screen: its menu bar is brought onto it.
        m_main->move(0, 0);
    }

    // The user opens the ledger with a list and deletes a row.
    void leaveLedgerUnsaved()
    {
        ledger()->openIfSignedIn(QStringLiteral("matti"), m_prompts);
        QVERIFY(QTest::qWaitFor([this] { return QApplication::activeWindow() == ledger(); }));
        LedgerTable &sg = ledger()->masterList();
        sg.setRowCount(3);
        sg.setRow(1, {QString(), "11111111", "Kirja", "04.03.2021 12:34:56", "10.00", QString(), QString(),
                      QString(), QString(), "matti/12"});
        sg.setRow(2, {QString(), "22222222", "Lamppu", "05.03.2021 10:00:00", "5.50", QString(), "x",
                      QString(), QString(), "liisa/13"});
        ledger()->listLoaded();
        auto *grid = ledger()->findChild<QTableView *>(QStringLiteral("sg2"));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(grid->model()->index(0, 2)).center());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(ledger()->isUnsaved());
        m_prompts.asked.clear();
        // Back to the main window, from where the user quits; the ledger
        // is moved off its menu bar.
        ledger()->move(m_main->geometry().left() + 40, m_main->geometry().top() + 200);
        m_main->activateWindow();
        QVERIFY(QTest::qWaitFor([this] { return QApplication::activeWindow() == m_main.get(); }));
    }

    void quit(const QString &how)
    {
        if (how == QLatin1String("Lopeta")) {
            QMenuBar *bar = m_main->menuBar();
            auto *file = bar->findChild<QMenu *>(QStringLiteral("Tiedosto1"));
            clickAt(bar, bar->actionGeometry(file->menuAction()).center());
            QTRY_VERIFY(file->isVisible());
            QAction *lopeta = nullptr;
            for (QAction *a : file->actions())
                lopeta = a->text() == QLatin1String("Lopeta") ? a : lopeta;
            QVERIFY(lopeta);
            clickAt(file, file->actionGeometry(lopeta).center());
        } else {
            // The window manager's close button.
            m_main->windowHandle()->close();
        }
    }

private slots:
    void initTestCase()
    {
        qputenv("VSSELAIN_DATA_DIR", m_data.path().toUtf8());
    }
    void cleanup()
    {
        if (m_main && ledger())
            ledger()->setUnsaved(false);
        m_main.reset();
        QFile::remove(settingsFile());
        QFile::remove(recoveryFile());
    }

    void quitAsksFirst_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("giveFile");
        QTest::addColumn<bool>("quits");
        for (const char *how : {"Lopeta", "close button"}) {
            const QString h = QString::fromLatin1(how);
            QTest::addRow("%s, Cancel keeps running", how) << h << int(Prompts::Answer::Cancel) << false << false;
            QTest::addRow("%s, No quits", how) << h << int(Prompts::Answer::No) << false << true;
            QTest::addRow("%s, Yes saves and quits", how) << h << int(Prompts::Answer::Yes) << true << true;
            QTest::addRow("%s, Yes, save cancelled", how) << h << int(Prompts::Answer::Yes) << false << false;
        }
    }
    void quitAsksFirst()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, giveFile);
        QFETCH(bool, quits);
        QTemporaryDir lists;
        const QString list = lists.filePath(QStringLiteral("myydyt.vss"));
        start();
        leaveLedgerUnsaved();
        m_prompts.answers.enqueue(Prompts::Answer(answer));
        if (giveFile)
            m_prompts.files.enqueue(list);
        quit(how);
        QTRY_COMPARE(m_prompts.asked.value(0), closeQuestion);
        QTRY_COMPARE(!m_main->isVisible(), quits);
        QCOMPARE(ledger()->isUnsaved(), !quits);
        QCOMPARE(QFile::exists(list), giveFile);
        // Shut-down ran (it saves the settings) only when quitting.
        QCOMPARE(QFile::exists(settingsFile()), quits);
        QVERIFY(!QFile::exists(recoveryFile()));
        if (!quits) {
            // The program keeps running, and quitting again asks again.
            QVERIFY(ledger()->isVisible());
            m_prompts.asked.clear();
            m_prompts.answers.enqueue(Prompts::Answer::No);
            quit(how);
            QTRY_VERIFY(!m_main->isVisible());
            QCOMPARE(m_prompts.asked, QStringList{closeQuestion});
        }
    }

    void savedListQuitsWithoutAsking()
    {
        start();
        leaveLedgerUnsaved();
        ledger()->setUnsaved(false);
        quit(QStringLiteral("Lopeta"));
        QTRY_VERIFY(!m_main->isVisible());
        QVERIFY(m_prompts.asked.isEmpty());
    }

    // SIGTERM asks nothing: the list goes to the recovery file of the data
    // folder, and the next run's ledger offers it back.
    void terminationKeepsTheListForNextRun()
    {
        start();
        SignalWatcher watcher;
        connect(&watcher, &SignalWatcher::terminationRequested, m_main.get(), &TForm1::FormTerminate);
        leaveLedgerUnsaved();
        const LedgerTable unsaved = ledger()->masterList();
        ::kill(::getpid(), SIGTERM);
        QTRY_VERIFY(!m_main->isVisible());
        QVERIFY(m_prompts.asked.isEmpty());
        QVERIFY(QFile::exists(settingsFile()));
        QVERIFY(QFile::exists(recoveryFile()));
        QCOMPARE(QFile::permissions(recoveryFile()) & 0x0077, QFileDevice::Permissions());

        m_main.reset();
        start();
        m_prompts.answers.enqueue(Prompts::Answer::Yes);
        ledger()->openIfSignedIn(QStringLiteral("matti"), m_prompts);
        QCOMPARE(m_prompts.asked.size(), 1);
        QVERIFY(m_prompts.asked.first().startsWith(QStringLiteral("confirm: Ohjelma suljettiin viime kerralla")));
        QVERIFY(ledger()->masterList() == unsaved);
        QVERIFY(ledger()->isUnsaved());
        QVERIFY(!QFile::exists(recoveryFile()));
    }
};

QTEST_MAIN(TestQuitLedger)
#include "tst_quitledger.moc"
