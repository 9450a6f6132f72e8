// The ledger's "Tilastot" with 100 000 rows: the one-pass summary alone, the
// window opened through the ledger until all four charts have been painted
// (first opening in the process, then fresh windows), and a live redraw of
// the open window. Goal for opening: under 300 ms.
//
// Run: QT_QPA_PLATFORM=offscreen bench_statistics  (or under Xvfb with DISPLAY set)
#include "benchsupport.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "ledger/model/ledgertable.h"
#include "ledger/statistics/ledgerstatistics.h"
#include "ledger/statistics/salesstatistics.h"
#include "ledger/statistics/statisticswindow.h"
#include "ledger/model/ledgerviewmodel.h"
#include "ledger/tform8.h"
#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QTableView>
#include <cstdio>
#include <memory>

namespace {
constexpr int Rows = 100000;
constexpr int Repeats = 7;

LedgerTable makeList()
{
    QRandomGenerator rng(42);
    LedgerTable sg;
    sg.setRowCount(Rows + 1);
    for (int r = 1; r <= Rows; ++r) {
        const int party = int(rng.bounded(3000));
        const QString closing = QStringLiteral("%1.%2.%3 %4:%5:%6")
                                    .arg(1 + rng.bounded(28), 2, 10, QLatin1Char('0'))
                                    .arg(1 + rng.bounded(12), 2, 10, QLatin1Char('0'))
                                    .arg(2023 + rng.bounded(4))
                                    .arg(rng.bounded(24), 2, 10, QLatin1Char('0'))
                                    .arg(rng.bounded(60), 2, 10, QLatin1Char('0'))
                                    .arg(rng.bounded(60), 2, 10, QLatin1Char('0'));
        const QString title
            = QStringLiteral("Kohde numero %1").arg(r) + (rng.bounded(5) == 0 ? QStringLiteral(" (3 KPL)") : QString());
        sg.setRow(r,
            {QString(), QString::number(10000000 + r), title, closing, Ledger::desimaalit(rng.bounded(100000)),
                QStringLiteral("Toimituskulut:5.50"), rng.bounded(2) ? QStringLiteral("x") : QString(),
                rng.bounded(3) ? QString() : QStringLiteral("5.3.2026"),
                QStringLiteral("Etunimi Sukunimi %1\r\nposti%1@example.fi\r\n").arg(party),
                QStringLiteral("Kayttaja %1/%2").arg(party).arg(1000 + party)});
    }
    return sg;
}

// Counts the first paint of every chart of a window.
class PaintWatch final : public QObject {
public:
    void watch(QWidget *window)
    {
        m_painted.clear();
        m_views = window->findChildren<QChartView *>();
        for (QChartView *v : m_views)
            v->viewport()->installEventFilter(this);
    }
    bool allPainted() const { return !m_views.isEmpty() && m_painted.size() == m_views.size(); }

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            m_painted.insert(o);
        return false;
    }

private:
    QList<QChartView *> m_views;
    QSet<QObject *> m_painted;
};

struct BenchLedger {
    Settings settings;
    bench::PrintingPrompts prompts {Prompts::Answer::No, true};
    ProgramClock clock;
    std::unique_ptr<TForm8> form;

    void make(const LedgerTable &list)
    {
        form = std::make_unique<TForm8>(settings, prompts, clock, Endpoints());
        form->masterList() = list;
        form->asetaaikavali();
        form->suodatanakyma();
    }
    LedgerStatistics *plug() const { return form->findChild<LedgerStatistics *>(); }
};

// TilastotClick, then events until every chart has been painted once.
void openAndDraw(BenchLedger &ledger, PaintWatch &paints)
{
    ledger.plug()->TilastotClick();
    paints.watch(ledger.plug()->window());
    waitFor([&] { return paints.allPainted(); }, 5000);
}
}   // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("statistics, %d rows, %s\n", Rows, qPrintable(QGuiApplication::platformName()));
    const LedgerTable list = makeList();
    const LedgerDateRange all {20070101, 20261231};

    bench::measure(
        "summary (one pass)", 100, Repeats, [] {}, [&] { (void)SalesStatistics::summarize(list, all); });

    PaintWatch paints;
    BenchLedger ledger;
    ledger.make(list);
    bench::measure(
        "first opening, painted", 300, 1, [] {}, [&] { openAndDraw(ledger, paints); });
    std::printf("  (includes loading Qt Charts and its fonts once per process)\n");
    bench::measure(
        "fresh window opened, painted", 300, Repeats, [&] { ledger.make(list); }, [&] { openAndDraw(ledger, paints); });
    // Past the redraw interval, so the change is drawn at once.
    const auto settle = [&] {
        waitMs(LedgerStatistics::RedrawIntervalMs + 20);
        paints.watch(ledger.plug()->window());
    };
    // A mark set in the ledger: its model reports changed cells, and the
    // window draws again.
    auto *model = qobject_cast<LedgerViewModel *>(ledger.form->findChild<QTableView *>(QStringLiteral("sg2"))->model());
    bench::measure("live redraw of the open window", 300, Repeats, settle, [&] {
        model->refresh();
        waitFor([&] { return paints.allPainted(); }, 5000);
    });
    // For comparison: what every fetched row costs the ledger itself.
    bench::measure(
        "(the ledger's own view rebuild)", 300, Repeats, [] {}, [&] { ledger.form->suodatanakyma(); });
    ledger.form->setUnsaved(false);
    return 0;
}
