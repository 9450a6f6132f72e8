// Cache emptying (to the end and cancelled) and the desktop launcher file.
#include "browser/tools/cachecleaner.h"
#include "browser/tools/desktopshortcut.h"
#include <QtTest>

class TstPageToolFiles : public QObject {
    Q_OBJECT
private slots:
    void cacheEmptied();
    void cacheCancelled_data();
    void cacheCancelled();
    void cacheMissingFolder_data();
    void cacheMissingFolder();
    void launcher();
    void launcherReplacesAndFails();
};

namespace {
void makeFiles(const QString &root, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString path = root + QStringLiteral("/d%1/f%2").arg(i % 3).arg(i);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("x");
    }
}

int countFiles(const QString &root)
{
    int n = 0;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}
}

void TstPageToolFiles::cacheEmptied()
{
    QTemporaryDir dir;
    makeFiles(dir.path(), 40);
    CacheCleaner cleaner;
    QSignalSpy done(&cleaner, &CacheCleaner::finished);
    QVERIFY(cleaner.start(dir.path(), [] { return true; }));
    QVERIFY(!cleaner.start(dir.path(), [] { return true; }));   // one run at a time
    QVERIFY(done.wait(5000));
    QCOMPARE(done.first().first().toBool(), false);
    QCOMPARE(cleaner.removed(), 40);
    QCOMPARE(countFiles(dir.path()), 0);
    QVERIFY(QDir(dir.path() + "/d0").exists());   // folders stay for the engine
}

void TstPageToolFiles::cacheCancelled_data()
{
    QTest::addColumn<int>("allowed");
    QTest::newRow("before first") << 0;
    QTest::newRow("after 7") << 7;
}

void TstPageToolFiles::cacheCancelled()
{
    QFETCH(int, allowed);
    QTemporaryDir dir;
    makeFiles(dir.path(), 30);
    CacheCleaner cleaner;
    QSignalSpy done(&cleaner, &CacheCleaner::finished);
    int asked = 0;
    cleaner.start(dir.path(), [&] { return asked++ < allowed; });
    QVERIFY(done.wait(5000));
    QCOMPARE(done.first().first().toBool(), true);
    QCOMPARE(cleaner.removed(), allowed);
    QCOMPARE(countFiles(dir.path()), 30 - allowed);
}

void TstPageToolFiles::cacheMissingFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("missing") << "/no/such/cache/folder";
    QTest::newRow("empty name") << "";       // an engine without a disk cache
    QTest::newRow("relative") << "cache";
}

void TstPageToolFiles::cacheMissingFolder()
{
    QFETCH(QString, folder);
    // The working folder holds files that must survive.
    QTemporaryDir work;
    makeFiles(work.path(), 3);
    makeFiles(work.path() + "/cache", 3);
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    CacheCleaner cleaner;
    QSignalSpy done(&cleaner, &CacheCleaner::finished);
    cleaner.start(folder, [] { return true; });
    QVERIFY(done.wait(5000));
    QDir::setCurrent(previous);
    QCOMPARE(done.first().first().toBool(), false);
    QCOMPARE(cleaner.removed(), 0);
    QCOMPARE(countFiles(work.path()), 6);
}

void TstPageToolFiles::launcher()
{
    QTemporaryDir dir;
    const QString desktop = dir.filePath("Työpöytä");
    QVERIFY(DesktopShortcut::create(desktop, "/opt/vs selain/vsselain"));
    QFile f(desktop + "/VSselain.desktop");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(f.readAll());
    QVERIFY(text.startsWith("[Desktop Entry]\n"));
    QVERIFY(text.contains("\nType=Application\n"));
    QVERIFY(text.contains("\nExec=\"/opt/vs selain/vsselain\"\n"));
    QVERIFY(text.contains("\nPath=/opt/vs selain\n"));
    QVERIFY(f.permissions() & QFileDevice::ExeOwner);
}

void TstPageToolFiles::launcherReplacesAndFails()
{
    QTemporaryDir dir;
    QFile old(dir.filePath("VSselain.desktop"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    QVERIFY(DesktopShortcut::create(dir.path(), "/usr/bin/vsselain"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    QVERIFY(old.readAll().contains("Exec=\"/usr/bin/vsselain\""));
    // A file where the folder should be: nothing can be written.
    QVERIFY(!DesktopShortcut::create(dir.filePath("VSselain.desktop"), "/usr/bin/vsselain"));
    QVERIFY(!DesktopShortcut::create(QString(), "/usr/bin/vsselain"));
}

QTEST_GUILESS_MAIN(TstPageToolFiles)
#include "tst_pagetoolfiles.moc"
