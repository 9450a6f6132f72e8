// The engine's flags: one renderer per site (with site isolation and no
// spare renderer) is added to what the user set,
// in the variable or on the command line, unless the user chose a process
// model; the user's own flags are never lost.
#include "browser/engine/processmodel.h"
#include <QtTest>

namespace {
// What the program adds: one renderer per site, site isolation, no spare renderer.
const QByteArray kAdded("--disable-features=SpareRendererForSitePerProcess --process-per-site --site-per-process");
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
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("nothing set") << QByteArray("-") << QByteArray("vsselain") << kAdded;
        QTest::newRow("empty variable") << QByteArray("") << QByteArray("vsselain") << kAdded;
        QTest::newRow("user's flags kept as written")
            << QByteArray("--disable-gpu  --lang=\"fi FI\"") << QByteArray("vsselain")
            << withAdded("--disable-gpu  --lang=\"fi FI\"");
        QTest::newRow("user's disabled features get the spare renderer")
            << QByteArray("--disable-features=A,B --disable-gpu") << QByteArray("vsselain")
            << QByteArray("--disable-features=A,B,SpareRendererForSitePerProcess --disable-gpu"
                          " --process-per-site --site-per-process");
        QTest::newRow("user chose one renderer per tab")
            << QByteArray("--process-per-tab") << QByteArray("vsselain") << QByteArray("--process-per-tab");
        QTest::newRow("user chose a single process")
            << QByteArray("--no-sandbox --single-process") << QByteArray("vsselain")
            << QByteArray("--no-sandbox --single-process");
        QTest::newRow("user chose no site isolation")
            << QByteArray("--disable-site-isolation-trials") << QByteArray("vsselain")
            << QByteArray("--disable-site-isolation-trials");
        QTest::newRow("already there") << QByteArray("--process-per-site") << QByteArray("vsselain")
                                       << QByteArray("--process-per-site");
        QTest::newRow("a flag that only starts like one")
            << QByteArray("--process-per-site-x") << QByteArray("vsselain")
            << withAdded("--process-per-site-x");
        // The engine ignores the command line once the variable is set: the
        // engine arguments move into it.
        QTest::newRow("command-line engine arguments")
            << QByteArray("-") << QByteArray("vsselain -platform xcb --webEngineArgs --disable-gpu")
            << withAdded("--disable-gpu");
        QTest::newRow("program arguments alone are not the engine's")
            << QByteArray("-") << QByteArray("vsselain --disable-gpu") << kAdded;
        QTest::newRow("variable wins over the command line")
            << QByteArray("--disable-gpu") << QByteArray("vsselain --webEngineArgs --single-process")
            << withAdded("--disable-gpu");
    }
    void flags()
    {
        QFETCH(QByteArray, env);
        QFETCH(QByteArray, arguments);
        QFETCH(QByteArray, expected);
        const bool set = env != "-";
        QCOMPARE(ProcessModel::engineFlags(set ? env : QByteArray(), set, arguments.split(' ')), expected);
    }
};

QTEST_GUILESS_MAIN(TestProcessModel)
#include "tst_processmodel.moc"
