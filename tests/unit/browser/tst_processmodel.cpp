// The engine's flags: one renderer per site and the marketplace's origins
// isolated are added to what the user set, in the variable or on the command
// line, unless the user chose a process model; the user's own flags are
// never lost.
#include "browser/engine/processmodel.h"
#include <QtTest>

namespace {
const QByteArray kOrigins("http://www.vasaro.test,http://api.vasaro.test");
const QByteArray kAdded("--process-per-site --isolate-origins=http://www.vasaro.test,http://api.vasaro.test");
QByteArray withAdded(const char *flags)
{
    return QByteArray(flags) + ' ' + kAdded;
}
}

class TestProcessModel : public QObject {
    Q_OBJECT
private slots:
    void flags_data()
    {
        QTest::addColumn<QByteArray>("env");       // "-" = not set
        QTest::addColumn<QByteArray>("arguments"); // space-separated command line
        QTest::addColumn<QByteArray>("origins");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("nothing set") << QByteArray("-") << QByteArray("vsselain") << kOrigins << kAdded;
        QTest::newRow("empty variable") << QByteArray("") << QByteArray("vsselain") << kOrigins << kAdded;
        QTest::newRow("no origins known") << QByteArray("-") << QByteArray("vsselain") << QByteArray()
                                          << QByteArray("--process-per-site");
        QTest::newRow("user's flags kept as written")
            << QByteArray("--disable-gpu  --lang=\"fi FI\"") << QByteArray("vsselain") << kOrigins
            << withAdded("--disable-gpu  --lang=\"fi FI\"");
        QTest::newRow("user chose one renderer per tab")
            << QByteArray("--process-per-tab") << QByteArray("vsselain") << kOrigins << QByteArray("--process-per-tab");
        QTest::newRow("user chose a single process")
            << QByteArray("--no-sandbox --single-process") << QByteArray("vsselain") << kOrigins
            << QByteArray("--no-sandbox --single-process");
        QTest::newRow("user isolates origins")
            << QByteArray("--isolate-origins=https://a.example") << QByteArray("vsselain") << kOrigins
            << QByteArray("--isolate-origins=https://a.example");
        QTest::newRow("user chose no site isolation")
            << QByteArray("--disable-site-isolation-trials") << QByteArray("vsselain") << kOrigins
            << QByteArray("--disable-site-isolation-trials");
        QTest::newRow("already there") << QByteArray("--process-per-site") << QByteArray("vsselain") << kOrigins
                                       << QByteArray("--process-per-site");
        QTest::newRow("a flag that only starts like one")
            << QByteArray("--process-per-site-x") << QByteArray("vsselain") << kOrigins
            << withAdded("--process-per-site-x");
        // The engine ignores the command line once the variable is set: the
        // engine arguments move into it.
        QTest::newRow("command-line engine arguments")
            << QByteArray("-") << QByteArray("vsselain -platform xcb --webEngineArgs --disable-gpu") << kOrigins
            << withAdded("--disable-gpu");
        QTest::newRow("program arguments alone are not the engine's")
            << QByteArray("-") << QByteArray("vsselain --disable-gpu") << kOrigins << kAdded;
        QTest::newRow("variable wins over the command line")
            << QByteArray("--disable-gpu") << QByteArray("vsselain --webEngineArgs --single-process") << kOrigins
            << withAdded("--disable-gpu");
    }
    void flags()
    {
        QFETCH(QByteArray, env);
        QFETCH(QByteArray, arguments);
        QFETCH(QByteArray, origins);
        QFETCH(QByteArray, expected);
        const bool set = env != "-";
        QCOMPARE(ProcessModel::engineFlags(set ? env : QByteArray(), set, arguments.split(' '), origins), expected);
    }
};

QTEST_GUILESS_MAIN(TestProcessModel)
#include "tst_processmodel.moc"
