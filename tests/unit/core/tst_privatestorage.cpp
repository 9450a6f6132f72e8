// What the program leaves in and around its data folder: the atomic
// writer's half-written copies of an earlier run are removed (only its own,
// only older ones), files and folders are private to the user, and Qt's own
// settings (the file dialogs' history) stay inside the data folder.
#include "core/atomicfile.h"
#include "core/privatestorage.h"
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
void touch(const QString &path, const QDateTime &when)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

int mode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}
}

class TestPrivateStorage : public QObject {
    Q_OBJECT
private slots:
    void leftoversOfTheAtomicWriter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("old");
        QTest::addColumn<bool>("removed");
        QTest::newRow("settings copy of an earlier run") << "VSselain.dat.qkXKkX" << true << true;
        QTest::newRow("filter copy of an earlier run") << "suodatin1.txt.A1b2C3" << true << true;
        QTest::newRow("copy being written now") << "VSselain.dat.qkXKkX" << false << false;
        QTest::newRow("another program's name") << "muistio.txt.qkXKkX" << true << false;
        QTest::newRow("the file itself") << "VSselain.dat" << true << false;
        QTest::newRow("not six characters") << "VSselain.dat.qkXKk" << true << false;
        QTest::newRow("not letters and digits") << "VSselain.dat.qk-KkX" << true << false;
    }
    void leftoversOfTheAtomicWriter()
    {
        QFETCH(QString, name);
        QFETCH(bool, old);
        QFETCH(bool, removed);
        QTemporaryDir dir;
        const QDateTime start = QDateTime::currentDateTime();
        touch(dir.filePath(name), old ? start.addSecs(-60) : start.addSecs(1));
        const int count = AtomicFile::removeLeftovers(
            dir.path(), {QStringLiteral("VSselain.dat"), QStringLiteral("suodatin1.txt")}, start);
        QCOMPARE(count, removed ? 1 : 0);
        QCOMPARE(QFile::exists(dir.filePath(name)), !removed);
    }

    // Earlier runs' files open to others are closed to them; a symbolic link
    // is not followed.
    void tightenMakesEverythingOwnerOnly()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(data + QStringLiteral("/selain/valimuisti")));
        touch(data + QStringLiteral("/selain/Visited Links"), QDateTime::currentDateTime());
        touch(dir.filePath(QStringLiteral("muu")), QDateTime::currentDateTime());
        QFile::setPermissions(data + QStringLiteral("/selain/Visited Links"), QFile::Permissions(0x6644));
        QFile::setPermissions(dir.filePath(QStringLiteral("muu")), QFile::Permissions(0x6644));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("muu")), data + QStringLiteral("/linkki")));
        PrivateStorage::tighten(data);
        QCOMPARE(mode(data + QStringLiteral("/selain/Visited Links")), 0600);
        QCOMPARE(mode(data + QStringLiteral("/selain")) & 077, 0);
        QCOMPARE(mode(data + QStringLiteral("/selain/valimuisti")) & 077, 0);
        QCOMPARE(mode(dir.filePath(QStringLiteral("muu"))), 0644);
    }

    // With the creation mask restricted, new files are owner-only, and a
    // file the user chooses outside the data folder still gets the usual
    // permissions.
    void newFilesArePrivate()
    {
        const mode_t before = ::umask(022);
        PrivateStorage::restrictNewFiles();
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("uusi")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QCOMPARE(mode(f.fileName()), 0600);
        QVERIFY(QDir().mkdir(dir.filePath(QStringLiteral("kansio"))));
        QCOMPARE(mode(dir.filePath(QStringLiteral("kansio"))), 0700);
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        QVERIFY(AtomicFile::write(dir.filePath(QStringLiteral("lista.xls")), "x"));
        QCOMPARE(mode(dir.filePath(QStringLiteral("lista.xls"))), 0644);
        ::umask(before);
    }

    // Qt's file dialogs keep their history in Qt's own settings file.
    void toolkitSettingsStayInTheDataFolder()
    {
        QTemporaryDir dir;
        PrivateStorage::confineToolkitSettings(dir.path() + u'/');
        QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
        QCOMPARE(qt.fileName(), dir.filePath(QStringLiteral("selain/qt/QtProject.conf")));
    }

    void xdgFoldersPointIntoTheDataFolderMeanwhile()
    {
        QTemporaryDir dir;
        qputenv("XDG_DATA_HOME", "/ennen");
        qunsetenv("XDG_CACHE_HOME");
        {
            const PrivateStorage::XdgRedirect redirect(dir.path());
            QCOMPARE(qgetenv("XDG_DATA_HOME"), QFile::encodeName(dir.filePath(QStringLiteral("selain/xdg/data"))));
            QVERIFY(qgetenv("XDG_CACHE_HOME").startsWith(QFile::encodeName(dir.path())));
        }
        QCOMPARE(qgetenv("XDG_DATA_HOME"), QByteArray("/ennen"));
        QVERIFY(!qEnvironmentVariableIsSet("XDG_CACHE_HOME"));
    }
};

QTEST_GUILESS_MAIN(TestPrivateStorage)
#include "tst_privatestorage.moc"
