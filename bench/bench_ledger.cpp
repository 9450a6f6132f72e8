// Ledger logic with 10 000 rows: sorting on each column, opening and saving a
// list file, exporting and reading a worksheet. Prints milliseconds.
#include "core/prompts.h"
#include "ledger/ledgerfiles.h"
#include "ledger/ledgerlistcommands.h"
#include "ledger/ledgersort.h"
#include "ledger/ledgertable.h"
#include "ledger/ledgerxls.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int kRows = 10000;
constexpr int kRepeats = 5;

class BenchHost final : public LedgerListHost {
public:
    LedgerTable table;
    LedgerTable &masterList() override { return table; }
    LedgerMode listMode() const override { return LedgerMode::Sold; }
    void switchListMode(LedgerMode) override {}
    void clearList() override { table.clearRows(); }
    void listLoaded() override {}
    void setUnsaved(bool) override {}
    bool isUnsaved() const override { return false; }
    QVector<int> viewColumnWidths() const override { return {24, 58, 280, 110, 60, 0, 50, 50, 95, 75}; }
};

class SilentPrompts final : public Prompts {
public:
    void information(const QString &t) override { std::printf("information: %s\n", qPrintable(t)); }
    void message(const QString &t) override { std::printf("message: %s\n", qPrintable(t)); }
    void error(const QString &t) override { std::printf("error: %s\n", qPrintable(t)); }
    Answer confirm(const QString &, bool) override { return Answer::Yes; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString directory(const QString &, const QString &) override { return {}; }
};

LedgerTable makeTable()
{
    QRandomGenerator rng(42);
    static const QStringList words{"tuoli", "Pöytä", "lamppu", "Äänilevy", "kirja", "Astiasto",
                                   "sohva", "Öljyväri", "taulu", "matto", "Kello", "peili"};
    static const QStringList names{"matti", "Liisa", "pekka", "Äijä", "sanna", "Olli", "ville"};
    LedgerTable t(LedgerMode::Sold);
    t.setRowCount(kRows + 1);
    for (int r = 1; r <= kRows; ++r) {
        const QString name = names.at(rng.bounded(names.size())) + QString::number(rng.bounded(800));
        const QString title = words.at(rng.bounded(words.size())) + QLatin1Char(' ')
                              + words.at(rng.bounded(words.size())) + QStringLiteral(" hyvä kunto")
                              + (rng.bounded(5) == 0 ? QStringLiteral(" (2 KPL)") : QString());
        t.setRow(r, {QString(), QString::number(3000000000LL + rng.bounded(900000000)), title,
                     QStringLiteral("%1.%2.20%3 %4:%5:%6")
                         .arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0'))
                         .arg(1 + rng.bounded(12), 2, 10, QLatin1Char('0'))
                         .arg(15 + rng.bounded(8), 2, 10, QLatin1Char('0'))
                         .arg(rng.bounded(24), 2, 10, QLatin1Char('0'))
                         .arg(rng.bounded(60), 2, 10, QLatin1Char('0'))
                         .arg(rng.bounded(60), 2, 10, QLatin1Char('0')),
                     Ledger::desimaalit(rng.bounded(100, 50000)),
                     rng.bounded(4) == 0 ? QStringLiteral("Maksaa ensi viikolla<BR>soita") : QString(),
                     rng.bounded(2) ? QStringLiteral("x") : QString(),
                     rng.bounded(3) ? QStringLiteral("5.3.2022") : QString(),
                     name + QStringLiteral(" Meikäläinen\r\n") + name
                         + QStringLiteral("@esimerkki.fi\r\nKatuosoite 12 B 4\r\n00100 Helsinki\r\n0401234567\r\n"),
                     name + QStringLiteral("/") + QString::number(100000 + rng.bounded(800000))});
    }
    return t;
}

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Median wall-clock and processor time of a few runs (the machine may be
// shared, so both are shown); `prepare` runs before each, untimed.
void measure(const char *what, double goalMs, const std::function<void()> &prepare,
             const std::function<void()> &run)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < kRepeats; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        const double c0 = cpuMs();
        run();
        cpu.push_back(cpuMs() - c0);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    const double median = wall[wall.size() / 2];
    std::printf("%-36s wall %7.2f ms (best %7.2f)  cpu %7.2f ms  goal < %.0f ms%s\n", what, median,
                wall.front(), cpu[cpu.size() / 2], goalMs, median < goalMs ? "" : "  OVER");
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const LedgerTable source = makeTable();
    std::printf("ledger: %d rows\n", kRows);

    LedgerTable work;
    for (int item = 0; item < 8; ++item) {
        const QByteArray label = QStringLiteral("sort item %1 (column %2, %3)")
                                     .arg(item).arg(LedgerSort::columnOfItem(item))
                                     .arg(LedgerSort::ascendingItem(item) ? "asc" : "desc").toLatin1();
        measure(label.constData(), 50, [&] { work = source; },
                [&] { LedgerSort::lajitteleValinnalla(work, item); });
    }
    for (int column : {5, 6, 7, 9}) {
        const QByteArray label = QStringLiteral("sort column %1 (asc)").arg(column).toLatin1();
        measure(label.constData(), 50, [&] { work = source; },
                [&] { LedgerSort::lajittele(work, column, true); });
    }

    const QString vss = dir.filePath(QStringLiteral("bench.vss"));
    const QString xls = dir.filePath(QStringLiteral("bench.xls"));
    BenchHost host;
    SilentPrompts prompts;
    LedgerListCommands commands(host, prompts, dir.path());
    const QVector<int> widths = host.viewColumnWidths();

    measure("save .vss (kirjoitalista)", 150, [] {},
            [&] { LedgerFiles::kirjoitalista(source, vss); });
    measure("open .vss (luelista)", 150, [&] { host.table = LedgerTable(); },
            [&] { commands.luelista(false, false, vss); });
    if (host.table.rowCount() != source.rowCount())
        std::printf("open .vss read %d rows\n", host.table.rowCount());
    measure("export .xls (kirjoitaxls)", 150, [] {},
            [&] { LedgerXls::kirjoitaxls(source, widths, xls); });
    measure("read .xls (luelista)", 150, [&] { host.table = LedgerTable(); },
            [&] { commands.luelista(false, true, xls); });
    if (host.table != source)
        std::printf("read .xls differs from the list written\n");
    std::printf("file sizes: .vss %lld bytes, .xls %lld bytes\n",
                QFileInfo(vss).size(), QFileInfo(xls).size());
    return 0;
}
