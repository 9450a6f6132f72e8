// The ledger's Excel workbook with 10 000 rows: saving it (libxlsxwriter and
// the atomic write) and opening it again through `luelista`. Prints
// milliseconds; with a path argument the workbook is also left there.
#include "core/prompts.h"
#include "ledger/ledgerlistcommands.h"
#include "ledger/ledgertable.h"
#include "ledger/ledgerxlsx.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

class LoudPrompts final : public Prompts {
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

// A sold list of realistic rows: every row its own title, address and key.
LedgerTable makeTable()
{
    QRandomGenerator rng(7);
    static const QStringList words{"tuoli", "Pöytä", "lamppu", "Äänilevy", "kirja", "Astiasto",
                                   "sohva", "Öljyväri", "taulu", "matto", "Kello", "peili"};
    static const QStringList names{"matti", "Liisa", "pekka", "Äijä", "sanna", "Olli", "ville"};
    LedgerTable t(LedgerMode::Sold);
    t.setRowCount(kRows + 1);
    for (int r = 1; r <= kRows; ++r) {
        const QString name = names.at(rng.bounded(names.size())) + QString::number(rng.bounded(800));
        const QString title = words.at(rng.bounded(words.size())) + QLatin1Char(' ')
                              + words.at(rng.bounded(words.size())) + QStringLiteral(" \"hyvä\" kunto ")
                              + QString::number(r);
        t.setRow(r, {QString(), QString::number(3000000000LL + rng.bounded(900000000)), title,
                     QStringLiteral("%1.03.2022 12:%2:00").arg(1 + rng.bounded(28)).arg(rng.bounded(60)),
                     Ledger::desimaalit(rng.bounded(100, 50000)),
                     rng.bounded(4) == 0 ? QStringLiteral("Maksaa ensi viikolla<BR>soita") : QString(),
                     rng.bounded(2) ? QStringLiteral("x") : QString(),
                     rng.bounded(3) ? QStringLiteral("5.3.2022") : QString(),
                     name + QStringLiteral(" Meikäläinen\r\nKatuosoite ") + QString::number(r)
                         + QStringLiteral(" B 4\r\n00100 Helsinki\r\n0401234567\r\n"),
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

// Median wall-clock and processor time of a few runs; `prepare` is untimed.
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
    std::printf("%-34s wall %7.2f ms (best %7.2f)  cpu %7.2f ms  goal < %.0f ms%s\n", what, median,
                wall.front(), cpu[cpu.size() / 2], goalMs, median < goalMs ? "" : "  OVER");
}

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const LedgerTable source = makeTable();
    const QString xlsx = dir.filePath(QStringLiteral("bench.xlsx"));
    BenchHost host;
    LoudPrompts prompts;
    LedgerListCommands commands(host, prompts, dir.path());
    const QVector<int> widths = host.viewColumnWidths();
    std::printf("ledger: %d rows\n", kRows);

    measure("save .xlsx (kirjoitaxlsx)", 300, [] {}, [&] {
        QString error;
        if (!LedgerXlsx::kirjoitaxlsx(source, widths, xlsx, &error))
            std::printf("error: %s\n", qPrintable(error));
    });
    measure("open .xlsx (luelista)", 300, [&] { host.table = LedgerTable(); },
            [&] { commands.luelista(false, true, xlsx); });
    if (host.table != source)
        std::printf("read .xlsx differs from the list written\n");
    std::printf("file size: .xlsx %lld bytes\n", QFileInfo(xlsx).size());
    if (argc > 1) {
        QFile::remove(QString::fromLocal8Bit(argv[1]));
        QFile::copy(xlsx, QString::fromLocal8Bit(argv[1]));
    }
    return 0;
}
