// The new program file replaces the running one only whole: the old file is
// kept as ".old", and every failure leaves the folder as it was. Signatures
// decide whether bytes may be installed at all.
#include "update/programinstaller.h"
#include "update/updatesignature.h"
#include "readonlyfolder.h"
#include "updatekeys.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include "testfiles.h"

namespace {

QStringList names(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
}

class TestProgramInstaller : public QObject {
    Q_OBJECT
private slots:
    void replacesAndKeepsOld()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("vsselain"));
        QVERIFY(writeFile(program, "vanha ohjelma"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("vsselain.old")), "edellinen päivitys"));
        ProgramInstaller installer(program);
        QVERIFY(installer.install("uusi ohjelma"));
        QCOMPARE(readFile(program), QByteArray("uusi ohjelma"));
        QCOMPARE(readFile(installer.oldFile()), QByteArray("vanha ohjelma"));
        QVERIFY(QFileInfo(program).isExecutable());
        QVERIFY(QFile::permissions(program) & QFileDevice::ExeOther);
        QCOMPARE(names(dir.path()), QStringList({"vsselain", "vsselain.old"}));
        installer.removeOld();
        QCOMPARE(names(dir.path()), QStringList({"vsselain"}));
    }

    void oldNameReplacesTheExtension()
    {
        QCOMPARE(ProgramInstaller(QStringLiteral("/opt/vs/VSselain.exe")).oldFile(), QStringLiteral("/opt/vs/VSselain.old"));
        QCOMPARE(ProgramInstaller(QStringLiteral("/opt/vs/vsselain")).oldFile(), QStringLiteral("/opt/vs/vsselain.old"));
    }

    void readOnlyFolderChangesNothing()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("vsselain"));
        QVERIFY(writeFile(program, "vanha ohjelma"));
        ProgramInstaller installer(program);
        {
            ReadOnlyFolder readOnly(dir.path());
            if (!readOnly.blocked())
                QSKIP("the folder cannot be made read-only here");
            QVERIFY(!installer.install("uusi ohjelma"));
        }
        QCOMPARE(readFile(program), QByteArray("vanha ohjelma"));
        QCOMPARE(names(dir.path()), QStringList({"vsselain"}));
    }

    // The running file has vanished (or is not ours to rename): the new
    // bytes written beside it are taken away again.
    void missingProgramLeavesNoStaging()
    {
        QTemporaryDir dir;
        ProgramInstaller installer(dir.filePath(QStringLiteral("vsselain")));
        QVERIFY(!installer.install("uusi ohjelma"));
        QVERIFY(names(dir.path()).isEmpty());
    }

    // A program already called "x.old" would rename itself onto itself.
    void programNamedOldIsRefused()
    {
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("vsselain.old"));
        QVERIFY(writeFile(program, "vanha ohjelma"));
        QVERIFY(!ProgramInstaller(program).install("uusi ohjelma"));
        QCOMPARE(readFile(program), QByteArray("vanha ohjelma"));
        QCOMPARE(names(dir.path()), QStringList({"vsselain.old"}));
    }

    void signature_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<bool>("valid");
        QTest::newRow("signed by the key") << 0 << true;
        QTest::newRow("one byte of the file changed") << 1 << false;
        QTest::newRow("one byte of the signature changed") << 2 << false;
        QTest::newRow("another key") << 3 << false;
        QTest::newRow("signature cut short") << 4 << false;
        QTest::newRow("no signature") << 5 << false;
        QTest::newRow("key cut short") << 6 << false;
    }
    void signature()
    {
        QFETCH(int, change);
        QFETCH(bool, valid);
        const UpdateKeys keys;
        QByteArray bytes(1100000, 'x');
        QByteArray sig = keys.sign(bytes);
        QByteArray key = keys.publicKey;
        switch (change) {
        case 1: bytes[700000] = 'y'; break;
        case 2: sig[10] = char(sig[10] ^ 1); break;
        case 3: key = UpdateKeys().publicKey; break;
        case 4: sig.chop(1); break;
        case 5: sig.clear(); break;
        case 6: key.chop(1); break;
        }
        QCOMPARE(UpdateSignature::verify(bytes, sig, key), valid);
    }

    // Whether the running program may replace its own file: not in the
    // package manager's folders, not where this user cannot write.
    void replaceable()
    {
        QTemporaryDir dir;
        QVERIFY(ProgramInstaller(dir.filePath(QStringLiteral("vsselain"))).replaceable());
        QVERIFY(!ProgramInstaller(QStringLiteral("/usr/bin/vsselain")).replaceable());
        QVERIFY(!ProgramInstaller(QStringLiteral("/usr/lib/vsselain/vsselain")).replaceable());
        {
            ReadOnlyFolder readOnly(dir.path());
            if (readOnly.blocked())
                QVERIFY(!ProgramInstaller(dir.filePath(QStringLiteral("vsselain"))).replaceable());
        }
        QVERIFY(ProgramInstaller(dir.filePath(QStringLiteral("vsselain"))).replaceable());
    }

    // The built-in key is a real Ed25519 public key of the right length.
    void builtInKeyIsUsable()
    {
        QCOMPARE(UpdateSignature::builtInKey().size(), UpdateSignature::kPublicKeyBytes);
        QVERIFY(!UpdateSignature::verify(QByteArray(10, 'a'), QByteArray(64, '\0'), UpdateSignature::builtInKey()));
    }
};

QTEST_GUILESS_MAIN(TestProgramInstaller)
#include "tst_programinstaller.moc"
