// Root cannot run the web engine's sandbox: the program must switch it off
// for root (and say so), and leave it alone for everyone else.
#include "app/rootsandbox.h"
#include <QtTest>

class TestRootSandbox : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        qunsetenv("QTWEBENGINE_DISABLE_SANDBOX");
        qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    }

    void sandboxFollowsTheUser_data()
    {
        QTest::addColumn<uint>("uid");
        QTest::addColumn<QByteArray>("disableBefore");   // "-" = not set
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<QByteArray>("disableAfter");
        QTest::addColumn<bool>("warned");
        QTest::newRow("root, nothing set") << 0u << QByteArray("-") << QByteArray() << QByteArray("1") << true;
        QTest::newRow("root, flags without the switch")
            << 0u << QByteArray("-") << QByteArray("--disable-gpu") << QByteArray("1") << true;
        QTest::newRow("root, already switched off")
            << 0u << QByteArray("1") << QByteArray() << QByteArray("1") << false;
        QTest::newRow("root, switched off by flag")
            << 0u << QByteArray("-") << QByteArray("--disable-gpu --no-sandbox") << QByteArray("-") << false;
        QTest::newRow("user keeps the sandbox") << 1000u << QByteArray("-") << QByteArray() << QByteArray("-") << false;
        QTest::newRow("user with uid 1") << 1u << QByteArray("-") << QByteArray() << QByteArray("-") << false;
    }
    void sandboxFollowsTheUser()
    {
        QFETCH(uint, uid);
        QFETCH(QByteArray, disableBefore);
        QFETCH(QByteArray, flags);
        QFETCH(QByteArray, disableAfter);
        QFETCH(bool, warned);
        if (disableBefore != "-")
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", disableBefore);
        if (!flags.isEmpty())
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);

        const QByteArray warning = RootSandbox::apply(uid);

        const QByteArray after = qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")
                                     ? qgetenv("QTWEBENGINE_DISABLE_SANDBOX")
                                     : QByteArray("-");
        QCOMPARE(after, disableAfter);
        QCOMPARE(!warning.isEmpty(), warned);
        if (warned) {
            // One line on stderr, in Finnish and English.
            QCOMPARE(warning.count('\n'), 1);
            QVERIFY(warning.endsWith('\n'));
            QVERIFY(warning.contains("hiekkalaatikko"));
            QVERIFY(warning.contains("sandbox"));
        }
        QCOMPARE(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"), flags);
    }
};

QTEST_GUILESS_MAIN(TestRootSandbox)
#include "tst_rootsandbox.moc"
