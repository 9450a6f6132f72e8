// The ledger's Excel workbook with 10 000 rows: saving it (libxlsxwriter and
// the atomic write) and opening it again through `luelista`. Prints
// milliseconds; with a path argument the workbook is also left there.
#include "benchledgerhost.h"
#include "benchsupport.h"
#include "ledger/files/ledgerlistcommands.h"
#include "ledger/model/ledgertable.h"
#include "ledger/files/ledgerxlsx.h"
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int kRows = 10000;
constexpr int kRepeats = 5;

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

}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const LedgerTable source = makeTable();
    const QString xlsx = dir.filePath(QStringLiteral("bench.xlsx"));
    bench::LedgerHost host;
    bench::PrintingPrompts prompts(Prompts::Answer::Yes);
    LedgerListCommands commands(host, prompts, dir.path());
    const QVector<int> widths = host.viewColumnWidths();
    std::printf("ledger: %d rows\n", kRows);

    bench::measure("save .xlsx (kirjoitaxlsx)", 300, kRepeats, [] {}, [&] {
        QString error;
        if (!LedgerXlsx::kirjoitaxlsx(source, widths, xlsx, &error))
            std::printf("error: %s\n", qPrintable(error));
    });
    bench::measure("open .xlsx (luelista)", 300, kRepeats, [&] { host.table = LedgerTable(); },
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
