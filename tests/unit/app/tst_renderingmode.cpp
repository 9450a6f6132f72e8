// Pages are drawn in software only on a machine without a GPU render node,
// and never against the user's own choice in Qt's variables.
#include "app/renderingmode.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestRenderingMode : public QObject {
    Q_OBJECT
private slots:
    void choice_data()
    {
        QTest::addColumn<bool>("quickBackendSet");
        QTest::addColumn<bool>("rhiBackendSet");
        QTest::addColumn<bool>("renderNode");
        QTest::addColumn<bool>("software");
        QTest::newRow("no GPU, nothing set") << false << false << false << true;
        QTest::newRow("GPU, nothing set") << false << false << true << false;
        QTest::newRow("no GPU, user chose a Quick backend") << true << false << false << false;
        QTest::newRow("no GPU, user chose an RHI backend") << false << true << false << false;
        QTest::newRow("GPU, user chose software") << true << false << true << false;
    }
    void choice()
    {
        QFETCH(bool, quickBackendSet);
        QFETCH(bool, rhiBackendSet);
        QFETCH(bool, renderNode);
        QFETCH(bool, software);
        QCOMPARE(RenderingMode::softwareWanted(quickBackendSet, rhiBackendSet, renderNode), software);
    }

    // Display-only DRM devices (card0 of a virtual display) give no GPU.
    void renderNode_data()
    {
        QTest::addColumn<bool>("folder");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("found");
        QTest::newRow("no folder") << false << QStringList{} << false;
        QTest::newRow("empty folder") << true << QStringList{} << false;
        QTest::newRow("display device only") << true << QStringList{QStringLiteral("card0")} << false;
        QTest::newRow("render node") << true << QStringList{QStringLiteral("card0"), QStringLiteral("renderD128")}
                                     << true;
        QTest::newRow("by-path links only") << true << QStringList{QStringLiteral("by-path/")} << false;
    }
    void renderNode()
    {
        QFETCH(bool, folder);
        QFETCH(QStringList, entries);
        QFETCH(bool, found);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QDir dri(root.filePath(QStringLiteral("dri")));
        if (folder)
            QVERIFY(QDir().mkpath(dri.path()));
        for (const QString &entry : entries) {
            if (entry.endsWith(u'/')) {
                QVERIFY(dri.mkpath(entry));
                continue;
            }
            QFile f(dri.filePath(entry));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        QCOMPARE(RenderingMode::hasRenderNode(dri.path()), found);
    }
};

QTEST_GUILESS_MAIN(TestRenderingMode)
#include "tst_renderingmode.moc"
