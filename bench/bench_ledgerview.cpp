// Ledger view figures with 10 000 rows: the view rebuild alone, the write
// back, the selection totals, and the window's whole rebuild (view, model
// reset, selection). Goal for a rebuild: under 30 ms.
//
// Run: QT_QPA_PLATFORM=offscreen bench_ledgerview
#include "benchsupport.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "ledger/model/ledgertable.h"
#include "ledger/model/ledgerview.h"
#include "ledger/tform8.h"
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int Rows = 10000;
constexpr int Rounds = 15;

void fill(LedgerTable &sg)
{
    QRandomGenerator rng(42);
    sg.clearRows();
    sg.setRowCount(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        const int party = int(rng.bounded(800));
        const QString closing = QStringLiteral("%1.%2.%3 %4:%5:%6")
                                    .arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0'))
                                    .arg(1 + rng.bounded(12), 2, 10, QLatin1Char('0'))
                                    .arg(2015 + rng.bounded(8))
                                    .arg(rng.bounded(24), 2, 10, QLatin1Char('0'))
                                    .arg(rng.bounded(60), 2, 10, QLatin1Char('0'))
                                    .arg(rng.bounded(60), 2, 10, QLatin1Char('0'));
        sg.setRow(r, {QString(), QString::number(10000000 + r), QStringLiteral("Kohde numero %1").arg(r),
                      closing, Ledger::desimaalit(rng.bounded(100000)),
                      QStringLiteral("Toimituskulut:5.50"),
                      rng.bounded(2) ? QStringLiteral("x") : QString(),
                      rng.bounded(3) ? QString() : QStringLiteral("5.3.2022"),
                      QStringLiteral("Etunimi Sukunimi %1\r\nposti%1@example.fi\r\nKatu %1\r\n00100 Helsinki\r\n0401234567\r\n").arg(party),
                      QStringLiteral("kayttaja%1/%2").arg(party).arg(1000 + party)});
    }
}

void report(const char *what, const std::function<void()> &step)
{
    std::vector<double> ms;
    for (int i = 0; i < Rounds; ++i) {
        QElapsedTimer t;
        t.start();
        step();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-46s median %7.2f ms   min %7.2f ms   max %7.2f ms\n", what, ms[ms.size() / 2],
                ms.front(), ms.back());
}
}

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::printf("ledger view, %d rows, %d rounds each\n", Rows, Rounds);

    LedgerTable sg;
    fill(sg);
    LedgerView view;
    const LedgerDateRange all{20070101, 20261231};
    const LedgerDateRange year2019{20190101, 20191231};

    report("suodatanakyma, all shown", [&] { view.suodatanakyma(sg, LedgerShow::All, all); });
    report("suodatanakyma, unpaid in 2019", [&] { view.suodatanakyma(sg, LedgerShow::Unpaid, year2019); });
    view.suodatanakyma(sg, LedgerShow::All, all);
    report("paivita2, all rows", [&] { view.paivita2(sg); });
    report("totals of a selection (sg2SelectCell)", [&] { (void)view.totals(1); });
    report("aikavali (asetaaikavali)", [&] { (void)LedgerView::aikavali(sg, 2026); });

    Settings settings;
    bench::PrintingPrompts prompts(Prompts::Answer::No, true);
    ProgramClock clock;
    TForm8 form(settings, prompts, clock, Endpoints());
    form.masterList() = sg;
    form.show();
    QApplication::processEvents();
    form.listLoaded();
    report("window rebuild (suodatanakyma + model)", [&] { form.suodatanakyma(); });
    report("window upda (rebuild, selection, totals)", [&] {
        form.upda();
        QApplication::processEvents();
    });
    auto *show = form.findChild<QComboBox *>(QStringLiteral("ComboBox1"));
    report("show choice change, painted", [&] {
        show->setCurrentIndex((show->currentIndex() + 1) % 4);
        QApplication::processEvents();
    });
    report("window sort by price (huutajaChange)", [&] {
        form.huutajaChange();
        QApplication::processEvents();
    });
    form.setUnsaved(false);
    return 0;
}
