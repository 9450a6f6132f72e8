// Ledger logic with 10 000 rows: sorting on each column, opening and saving a
// list file, exporting and reading a worksheet. Prints milliseconds.
#include "benchledgerhost.h"
#include "benchsupport.h"
#include "ledger/files/ledgerfiles.h"
#include "ledger/files/ledgerlistcommands.h"
#include "ledger/model/ledgersort.h"
#include "ledger/model/ledgertable.h"
#include "ledger/files/ledgerxls.h"
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRepeats = 5;

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
        bench::measure(label.constData(), 50, kRepeats, [&] { work = source; },
                [&] { LedgerSort::lajitteleValinnalla(work, item); });
    }
    for (int column : {5, 6, 7, 9}) {
        const QByteArray label = QStringLiteral("sort column %1 (asc)").arg(column).toLatin1();
        bench::measure(label.constData(), 50, kRepeats, [&] { work = source; },
                [&] { LedgerSort::lajittele(work, column, true); });
    }

    const QString vss = dir.filePath(QStringLiteral("bench.vss"));
    const QString xls = dir.filePath(QStringLiteral("bench.xls"));
    bench::LedgerHost host;
    bench::PrintingPrompts prompts(Prompts::Answer::Yes);
    LedgerListCommands commands(host, prompts, dir.path());
    const QVector<int> widths = host.viewColumnWidths();

    bench::measure("save .vss (kirjoitalista)", 150, kRepeats, [] {},
            [&] { LedgerFiles::kirjoitalista(source, vss); });
    bench::measure("open .vss (luelista)", 150, kRepeats, [&] { host.table = LedgerTable(); },
            [&] { commands.luelista(false, false, vss); });
    if (host.table.rowCount() != source.rowCount())
        std::printf("open .vss read %d rows\n", host.table.rowCount());
    bench::measure("export .xls (kirjoitaxls)", 150, kRepeats, [] {},
            [&] { LedgerXls::kirjoitaxls(source, widths, xls); });
    bench::measure("read .xls (luelista)", 150, kRepeats, [&] { host.table = LedgerTable(); },
            [&] { commands.luelista(false, true, xls); });
    if (host.table != source)
        std::printf("read .xls differs from the list written\n");
    std::printf("file sizes: .vss %lld bytes, .xls %lld bytes\n",
                QFileInfo(vss).size(), QFileInfo(xls).size());
    return 0;
}
