// Figures for the seller filter: the hiding pass on a 60-card result page
// with a 10 000-entry filter in the real browser (read, keys, search, hide
// and the clean-up), the clean-up of 50 000 entries, and loading and
// expiring a 50 000-line filter file. Starts the fake marketplace itself.
// Run: QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 bench_sellerfilter
#include "benchsupport.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/vasaropage.h"
#include "buyer/sellerfilter/filterfile.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/filterlist.h"
#include "buyer/sellerfilter/listingcards.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "core/endpoints.h"
#include "core/prompts.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>

namespace {
class QuietHost final : public FilterHost {
public:
    void naytapaneeli(const QString &, int) override {}
    void statusNotice(const QString &, int) override {}
    void Edit5Changed() override {}
};

void report(const char *what, QList<double> ms, double goal)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-62s min %7.2f  median %7.2f  max %7.2f ms  (goal < %.0f ms, %d runs)\n", what, ms.first(),
                ms.at(ms.size() / 2), ms.last(), goal, int(ms.size()));
}

// Keys shaped like the marketplace's: a title slug and a price.
QString randomEntry(QRandomGenerator &random, int day)
{
    static const char *words[] = {"vanha", "tuoli", "lamppu", "kirja", "puinen", "iso", "pieni", "sininen",
                                  "kello", "taulu", "matto", "pyora", "levy", "kangas", "posliini", "lasi"};
    QString slug;
    const int n = 2 + int(random.bounded(3));
    for (int i = 0; i < n; ++i)
        slug += QLatin1String(words[random.bounded(16)]) + u'-';
    slug += QString::number(random.bounded(100000));
    return slug + QString::number(random.bounded(500)) + QStringLiteral(",") + QString::number(random.bounded(10))
           + QStringLiteral("0:") + QString::number(day);
}


void cleanUpAndLoad(const QString &dir)
{
    QRandomGenerator random(7);
    QStringList entries;
    for (int i = 0; i < 40000; ++i)
        entries << randomEntry(random, 46000 + int(random.bounded(60)));
    for (int i = 0; i < 10000; ++i)   // the same keys met again later
        entries << entries.at(i).left(entries.at(i).lastIndexOf(u':')) + QStringLiteral(":46070");
    QList<double> cleanUps;
    for (int run = 0; run < 10; ++run) {
        FilterList list;
        list.replace(entries);
        QElapsedTimer t;
        t.start();
        list.removeDuplicates();
        cleanUps << t.nsecsElapsed() / 1e6;
    }
    report("jarjestasuodatin, 50 000 entries (10 000 duplicates)", cleanUps, 100);

    const QString path = dir + QStringLiteral("/suodatin1.txt");
    FilterFile::write(path, entries);
    Settings settings;
    bench::PrintingPrompts prompts;
    QuietHost host;
    ProgramClock clock([] { return qint64(0); }, QDateTime(QDate(2026, 1, 2), QTime(8, 0)));   // day 46024
    QList<double> loads;
    for (int run = 0; run < 10; ++run) {
        SellerFilter filter(settings, clock, prompts, host);
        QElapsedTimer t;
        t.start();
        filter.lataasuodatin(path);
        loads << t.nsecsElapsed() / 1e6;
    }
    report("load + expire, 50 000-line filter file", loads, 200);
}

bool hidingPass(const QString &proxy)
{
    Endpoints endpoints;
    endpoints.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    endpoints.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    endpoints.set(QStringLiteral("proxy"), proxy);
    Settings settings;
    BrowserProfile profile(&settings, endpoints);
    auto *page = new VasaroPage(&profile, nullptr);
    QWebEngineView view;
    view.setPage(page);
    view.resize(1024, 700);
    view.show();
    bool done = false;
    QObject::connect(page, &VasaroPage::documentComplete, page, [&] { done = true; });
    page->Navigate(QUrl(QStringLiteral("http://www.vasaro.test/haku/suodatintesti/iso?kortit=60&mainokset=0")));
    const bool ok = waitFor([&] { return done; }, 20000);
    if (ok) {
        bench::PrintingPrompts prompts;
        QuietHost host;
        ProgramClock clock([] { return qint64(0); }, QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
        QRandomGenerator random(11);
        QStringList entries;
        for (int i = 0; i < 9970; ++i)
            entries << randomEntry(random, 46000);
        for (int k = 1; k <= 30; ++k)   // the 30 cards of one seller on the page
            entries << QStringLiteral("myyja321-esine-%1%2:46000")
                           .arg(k)
                           .arg(k % 3 == 0 ? QStringLiteral("%1,50").arg(k)
                                           : k % 3 == 1 ? QStringLiteral("%1,00").arg(k) : QString());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("suodatin.txt"));
        FilterFile::write(path, entries);
        QList<double> times;
        int hidden = 0;
        for (int run = 0; run <= 20; ++run) {
            SellerFilter filter(settings, clock, prompts, host);
            filter.lataasuodatin(path);
            page->document().evaluate(QStringLiteral(
                "Array.prototype.forEach.call(document.getElementsByTagName('div'),"
                " function (d) { d.style.display = ''; }), 0"));
            waitMs(100);   // the page settles, as after its load
            QElapsedTimer t;
            t.start();
            DocumentCards cards(page->document());
            hidden = filter.WBsuodata(cards);
            if (run > 0)   // the first pass also compiles the script
                times << t.nsecsElapsed() / 1e6;
        }
        report("hiding pass, 60-card page, 10 000-entry filter", times, 15);
        std::printf("cards hidden per pass: %d\n", hidden);
        QList<double> reads, trips;
        for (int run = 0; run < 20; ++run) {
            DocumentCards cards(page->document());
            QElapsedTimer t;
            t.start();
            cards.read();
            reads << t.nsecsElapsed() / 1e6;
            t.start();
            page->document().evaluate(QStringLiteral("1"));
            trips << t.nsecsElapsed() / 1e6;
        }
        report("  of which: reading the cards (one script call)", reads, 15);
        report("  one script round trip", trips, 15);
    }
    view.setPage(nullptr);
    delete page;
    return ok;
}
}

int main(int argc, char **argv)
{
    BrowserProfile::registerSchemes();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("VSSELAIN_DATA_DIR", (dir.path() + QStringLiteral("/data")).toUtf8());
    cleanUpAndLoad(dir.path());
    QProcess server;
    const int port = bench::startFakeMarketplace(server, dir.path());
    if (port <= 0) {
        std::fprintf(stderr, "fake marketplace did not start\n");
        return 1;
    }
    const bool ok = hidingPass(QStringLiteral("http://127.0.0.1:%1").arg(port));
    if (!ok)
        std::fprintf(stderr, "result page did not load\n");
    server.kill();
    server.waitForFinished(3000);
    return ok ? 0 : 1;
}
