// The program started by an update waits for the old one to end before it
// opens the browser profile, but never for ever and never for itself.
#include "update/programrestart.h"
#include <QElapsedTimer>
#include <QtTest>
#include <csignal>
#include <unistd.h>

class TestProgramRestart : public QObject {
    Q_OBJECT
    // Far beyond what any of these waits takes, so that only a wait that
    // runs to its limit reaches it.
    static constexpr int kLimitMs = 30000;
private slots:
    void waitsForTheOldProgram()
    {
        // Ended children vanish at once, as the old program does for its successor.
        std::signal(SIGCHLD, SIG_IGN);
        const pid_t old = fork();
        QVERIFY(old >= 0);
        if (old == 0) {
            usleep(600 * 1000);
            _exit(0);
        }
        qputenv("VSSELAIN_WAIT_PID", QByteArray::number(qint64(old)));
        QElapsedTimer took;
        took.start();
        ProgramRestart::waitForPrevious(kLimitMs);
        // It ended the wait because the old program was gone, well before the limit.
        QVERIFY2(took.elapsed() >= 500 && took.elapsed() < kLimitMs, qPrintable(QString::number(took.elapsed())));
        QVERIFY(::kill(old, 0) != 0);
        QVERIFY(!qEnvironmentVariableIsSet("VSSELAIN_WAIT_PID"));
        std::signal(SIGCHLD, SIG_DFL);
    }

    void givesUpAtTheLimit()
    {
        qputenv("VSSELAIN_WAIT_PID", QByteArray::number(qint64(getppid())));
        QElapsedTimer took;
        took.start();
        ProgramRestart::waitForPrevious(300);
        // Its parent never ends: the wait ends at the limit, not with it.
        QVERIFY2(took.elapsed() >= 250 && took.elapsed() < kLimitMs, qPrintable(QString::number(took.elapsed())));
    }

    void nothingToWaitFor_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::newRow("not set") << QByteArray();
        QTest::newRow("not a number") << QByteArray("vanha");
        QTest::newRow("itself") << QByteArray::number(qint64(getpid()));
        QTest::newRow("init") << QByteArray("1");
    }
    void nothingToWaitFor()
    {
        QFETCH(QByteArray, value);
        if (value.isNull())
            qunsetenv("VSSELAIN_WAIT_PID");
        else
            qputenv("VSSELAIN_WAIT_PID", value);
        QElapsedTimer took;
        took.start();
        // Nothing waited for: done long before the limit (a loaded machine
        // may still take a moment to get there).
        ProgramRestart::waitForPrevious(kLimitMs);
        QVERIFY2(took.elapsed() < kLimitMs / 2, qPrintable(QString::number(took.elapsed())));
    }
};

QTEST_GUILESS_MAIN(TestProgramRestart)
#include "tst_programrestart.moc"
