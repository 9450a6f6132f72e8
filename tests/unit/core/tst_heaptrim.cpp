#include "core/heaptrim.h"
#include "stillafter.h"
#include <QFile>
#include <QTest>
#include <memory>
#include <vector>

namespace {
// Resident pages of this process, in kB (second field of statm, in pages).
qint64 residentKb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * 4 : -1;
}
}

class TestHeapTrim : public QObject {
    Q_OBJECT
private slots:
    void freedPagesGoBackToTheSystem();
    void trimWaitsForQuiet();
};

// Blocks freed in the middle of the heap stay resident until trimmed: the
// block kept at the top stops the library's own trimming of the end.
void TestHeapTrim::freedPagesGoBackToTheSystem()
{
    const int kBlocks = 8000;   // 8000 x 4 KiB = about 31 MiB, below the mmap size
    std::vector<std::unique_ptr<char[]>> blocks;
    blocks.reserve(kBlocks);
    for (int i = 0; i < kBlocks; ++i) {
        blocks.emplace_back(new char[4000]);
        std::fill_n(blocks.back().get(), 4000, char(i));
    }
    for (int i = 0; i + 1 < kBlocks; ++i)
        blocks[i].reset();
    const qint64 before = residentKb();
    QVERIFY(HeapTrim::releaseFreedPages());
    const qint64 after = residentKb();
    QVERIFY2(before - after > 20 * 1024, qPrintable(QStringLiteral("%1 kB -> %2 kB").arg(before).arg(after)));
}

// Work that keeps coming postpones the trim; one trim follows the burst.
void TestHeapTrim::trimWaitsForQuiet()
{
    auto trims = std::make_shared<int>(0);
    HeapTrim trim([trims] { ++*trims; }, 200);
    for (int i = 0; i < 5; ++i) {
        trim.workDone();
        QVERIFY(stillAfter(50, [trims] { return *trims == 0; }));
    }
    QTRY_COMPARE_WITH_TIMEOUT(*trims, 1, 5000);
    QVERIFY(stillAfter(kQuietMs, [trims] { return *trims == 1; }));
}

QTEST_MAIN(TestHeapTrim)
#include "tst_heaptrim.moc"
