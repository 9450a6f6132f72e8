// Downloaded bytes are installed only when they are a program for this
// machine: an ELF executable of the running program's class, byte order and
// machine type.
#include "update/elfcheck.h"
#include <QFile>
#include <QtTest>
#include <elf.h>

namespace {
// A 64-byte header with the given fields (little- or big-endian).
QByteArray header(int elfClass, int byteOrder, int type, int machine, quint64 entry, int size = 64)
{
    QByteArray b(size, '\0');
    const QByteArray magic(ELFMAG, SELFMAG);
    b.replace(0, SELFMAG, magic);
    b[EI_CLASS] = char(elfClass);
    b[EI_DATA] = char(byteOrder);
    b[EI_VERSION] = char(EV_CURRENT);
    const bool little = byteOrder == ELFDATA2LSB;
    auto put = [&](int at, quint64 v, int n) {
        for (int i = 0; i < n && at + i < b.size(); ++i)
            b[at + (little ? i : n - 1 - i)] = char((v >> (8 * i)) & 0xff);
    };
    put(16, quint64(type), 2);
    put(18, quint64(machine), 2);
    put(24, entry, elfClass == ELFCLASS64 ? 8 : 4);
    return b;
}

QByteArray fileStart(const QString &path, qint64 bytes)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(bytes) : QByteArray();
}
}

class TestElfCheck : public QObject {
    Q_OBJECT
private slots:
    void againstReference_data()
    {
        QTest::addColumn<QByteArray>("candidate");
        QTest::addColumn<bool>("runs");
        const int le = ELFDATA2LSB;
        const int c64 = ELFCLASS64;
        QTest::newRow("position-independent executable") << header(c64, le, ET_DYN, EM_X86_64, 0x1040) << true;
        QTest::newRow("fixed-address executable") << header(c64, le, ET_EXEC, EM_X86_64, 0x401000) << true;
        QTest::newRow("shared object without entry") << header(c64, le, ET_DYN, EM_X86_64, 0) << false;
        QTest::newRow("relocatable object") << header(c64, le, ET_REL, EM_X86_64, 0) << false;
        QTest::newRow("core dump") << header(c64, le, ET_CORE, EM_X86_64, 0) << false;
        QTest::newRow("other machine") << header(c64, le, ET_DYN, EM_AARCH64, 0x1040) << false;
        QTest::newRow("32-bit") << header(ELFCLASS32, le, ET_EXEC, EM_X86_64, 0x8048000, 52) << false;
        QTest::newRow("big-endian") << header(c64, ELFDATA2MSB, ET_EXEC, EM_X86_64, 0x401000) << false;
        QTest::newRow("header cut short") << header(c64, le, ET_EXEC, EM_X86_64, 0x401000).left(40) << false;
        QTest::newRow("bad version") << header(c64, le, ET_EXEC, EM_X86_64, 0x401000).replace(EI_VERSION, 1, "\2")
                                     << false;
        QTest::newRow("shell script") << QByteArray("#!/bin/sh\necho hei\n").leftJustified(200, ' ') << false;
        QTest::newRow("html page") << QByteArray("<html><body>Päivitys</body></html>").leftJustified(200, ' ')
                                   << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void againstReference()
    {
        QFETCH(QByteArray, candidate);
        QFETCH(bool, runs);
        const QByteArray reference = header(ELFCLASS64, ELFDATA2LSB, ET_DYN, EM_X86_64, 0x1040);
        QCOMPARE(ElfCheck::runsLike(candidate, reference), runs);
    }

    void aBrokenReferenceRefusesEverything()
    {
        const QByteArray good = header(ELFCLASS64, ELFDATA2LSB, ET_DYN, EM_X86_64, 0x1040);
        QVERIFY(!ElfCheck::runsLike(good, QByteArray("not a program")));
    }

    // The machine's own programs run here; a text file does not.
    void againstTheRunningProgram()
    {
        QVERIFY(ElfCheck::runsHere(fileStart(QStringLiteral("/proc/self/exe"), 4096)));
        QVERIFY(ElfCheck::runsHere(fileStart(QStringLiteral("/bin/sh"), 4096)));
        QVERIFY(!ElfCheck::runsHere(fileStart(QStringLiteral("/etc/passwd"), 4096)));
    }
};

QTEST_GUILESS_MAIN(TestElfCheck)
#include "tst_elfcheck.moc"
