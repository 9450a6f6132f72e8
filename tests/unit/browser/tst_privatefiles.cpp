// The data folder and the files the program keeps in it are the user's
// alone; files the user saves elsewhere keep the usual permissions.
#include "browser/tools/favoritesfolder.h"
#include "browser/tabs/typedurls.h"
#include "core/atomicfile.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/settingsfile.h"
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

namespace {
int mode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

int usualFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~int(mask);
}

enum Writer { SettingsWriter, SellerNames, TypedAddresses, Favourite, EarlierOpenFile };
} // namespace

class TestPrivateFiles : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_tmp = std::make_unique<QTemporaryDir>();
        QVERIFY(m_tmp->isValid());
        m_data = m_tmp->filePath(QStringLiteral("koti/VSselain"));
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(m_data));
    }
    void cleanup() { qunsetenv("VSSELAIN_DATA_DIR"); }

    void dataFolderIsCreatedOwnerOnly()
    {
        QCOMPARE(Paths::dataFolder(), m_data + u'/');
        QCOMPARE(QString::number(mode(m_data), 8), QStringLiteral("700"));
        // A folder the user named that already exists is left as it is.
        const QString shared = m_tmp->filePath(QStringLiteral("yhteinen"));
        QVERIFY(QDir().mkpath(shared));
        QVERIFY(QFile::setPermissions(shared, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                      | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(shared));
        Paths::dataFolder();
        QCOMPARE(QString::number(mode(shared), 8), QStringLiteral("755"));
    }

    void filesOfTheDataFolderAreOwnerOnly_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<QString>("file");
        QTest::newRow("settings") << int(SettingsWriter) << "VSselain.dat";
        QTest::newRow("seller names") << int(SellerNames) << "myyjasuodatin.txt";
        QTest::newRow("typed addresses") << int(TypedAddresses) << "TypedURLs.txt";
        QTest::newRow("favourite") << int(Favourite) << "Suosikit/Vasaro.url";
        QTest::newRow("a file an earlier run left readable") << int(EarlierOpenFile) << "suodatin1.txt";
    }
    void filesOfTheDataFolderAreOwnerOnly()
    {
        QFETCH(int, writer);
        QFETCH(QString, file);
        const QString data = Paths::dataFolder();
        Settings s;
        s.hkts = true;
        s.hksalasana = QStringLiteral("salasana");
        s.Suodatettavatnimimerkit = QStringList{QStringLiteral("myyja")};
        switch (Writer(writer)) {
        case SettingsWriter: QVERIFY(SettingsFile::tallenna_asetukset(s, data)); break;
        case SellerNames: QVERIFY(SettingsFile::saveSellerNames(s, data)); break;
        case TypedAddresses: QVERIFY(TypedUrls(data + file).write({QStringLiteral("www.vasaro.fi")})); break;
        case Favourite:
            QCOMPARE(FavoritesFolder(data + QStringLiteral("Suosikit")).add(QStringLiteral("http://www.vasaro.fi/"),
                                                                             QStringLiteral("Vasaro")),
                     FavoritesFolder::AddResult::Added);
            break;
        case EarlierOpenFile: {
            QFile old(data + file);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("vanha\r\n");
            old.close();
            QVERIFY(QFile::setPermissions(data + file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                           | QFile::ReadOther));
            QVERIFY(AtomicFile::write(data + file, "uusi\r\n"));
            break;
        }
        }
        QCOMPARE(QString::number(mode(data + file), 8), QStringLiteral("600"));
        // Folders the program makes there are the user's alone too.
        if (writer == Favourite)
            QCOMPARE(QString::number(mode(data + QStringLiteral("Suosikit")), 8), QStringLiteral("700"));
    }

    void filesTheUserSavesElsewhereKeepTheUsualPermissions()
    {
        Paths::dataFolder();
        const QString chosen = m_tmp->filePath(QStringLiteral("omat/lista.vss"));
        QVERIFY(QDir().mkpath(QFileInfo(chosen).absolutePath()));
        QVERIFY(AtomicFile::write(chosen, "10,2\r\n"));
        QCOMPARE(QString::number(mode(chosen), 8), QString::number(usualFileMode(), 8));
        // A folder whose name only begins like the data folder's is elsewhere too.
        const QString beside = m_data + QStringLiteral("-kopio/lista.vss");
        QVERIFY(QDir().mkpath(QFileInfo(beside).absolutePath()));
        QVERIFY(AtomicFile::write(beside, "10,2\r\n"));
        QCOMPARE(QString::number(mode(beside), 8), QString::number(usualFileMode(), 8));
    }

private:
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_data;
};

QTEST_GUILESS_MAIN(TestPrivateFiles)
#include "tst_privatefiles.moc"
