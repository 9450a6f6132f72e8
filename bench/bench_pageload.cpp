// A full result page's processing in the assembled main window, every
// feature on: from the engine's load event (loadFinished) of the fake
// marketplace's 60-card result page to the end of the page pipeline's last
// step (documentComplete), the waits on the page's script answers included.
// Also one script round trip as the features wait for it.
// Run: QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 bench_pageload [runs]
#include "app/tform1.h"
#include "benchsupport.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tabs/tabmanager.h"
#include "core/waitfor.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {
const char kResults[] = "http://www.vasaro.test/haku/vertailu";

void report(const char *what, QList<double> ms, double goal)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s min %6.2f  median %6.2f  max %6.2f ms  (goal <= %.0f ms, %d runs)\n", what, ms.first(),
                ms.at(ms.size() / 2), ms.last(), goal, int(ms.size()));
    std::fflush(stdout);
}

// Every feature that acts on a result page switched on.
void everyFeatureOn(Settings &s)
{
    s.pienet_kuvat = true;
    s.xpalkki = true;
    s.vasaroaika = true;
    s.Timer2 = true;
    s.poistamainokset = true;
    s.piilotapalkki = true;
    s.paivitysCurrent = s.paivitysStored = QStringLiteral("1");
}

struct Run {
    QElapsedTimer clock;
    qint64 loaded = -1;
    qint64 processed = -1;
};

// Loads the page once; load event -> processed in ms, or -1.
double loadOnce(VasaroPage *page, const QUrl &url)
{
    auto run = std::make_shared<Run>();
    run->clock.start();
    const auto l = QObject::connect(page, &QWebEnginePage::loadFinished, page, [run](bool ok) {
        if (ok && run->loaded < 0)
            run->loaded = run->clock.nsecsElapsed();
    });
    const auto d = QObject::connect(page, &VasaroPage::documentComplete, page, [run] {
        if (run->loaded >= 0 && run->processed < 0)
            run->processed = run->clock.nsecsElapsed();
    });
    page->Navigate(url);
    waitFor([run] { return run->processed >= 0; }, 30000);
    QObject::disconnect(l);
    QObject::disconnect(d);
    return run->processed < 0 ? -1 : (run->processed - run->loaded) / 1e6;
}
}

int main(int argc, char **argv)
{
    BrowserProfile::registerSchemes();
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/data");
    qputenv("VSSELAIN_DATA_DIR", data.toUtf8());
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(3, atoi(argv[1])) : 30;
    QProcess server;
    const int port = bench::startFakeMarketplace(server, dir.path());
    if (port <= 0) {
        std::fprintf(stderr, "fake marketplace did not start\n");
        return 1;
    }
    QFile endpoints(dir.filePath(QStringLiteral("endpoints.ini")));
    endpoints.open(QIODevice::WriteOnly);
    endpoints.write(QStringLiteral("web_base=http://www.vasaro.test/\ndomain=vasaro.test\n"
                                   "api_base=http://api.vasaro.test/1.1/\nproxy=http://127.0.0.1:%1\n")
                        .arg(port).toUtf8());
    endpoints.close();
    qputenv("VSSELAIN_ENDPOINTS", endpoints.fileName().toUtf8());

    int rc = 0;
    {
        bench::PrintingPrompts prompts(Prompts::Answer::No, true);
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        w.show();
        VasaroPage *page = nullptr;
        waitFor([&] { return w.tabs().activeBrowser() && !w.tabs().activeBrowser()->vasaroPage()->Busy(); }, 30000);
        everyFeatureOn(w.settings());
        page = w.tabs().activeBrowser()->vasaroPage();
        QList<double> times;
        for (int i = 0; i <= runs && rc == 0; ++i) {
            const double ms = loadOnce(page, QUrl(QLatin1String(kResults)));
            if (ms < 0)
                rc = 1;
            else if (i > 0)   // the first load fills the cache and installs the page operations
                times << ms;
        }
        if (rc == 0) {
            report("load event -> processed, 60-card result page, all features", times, 10);
            QList<double> trips;
            QElapsedTimer t;
            for (int i = 0; i < runs; ++i) {
                t.start();
                page->document().scrollTop();
                trips << t.nsecsElapsed() / 1e6;
            }
            report("one script round trip (scrollTop)", trips, 1);
            // The same steps called on the loaded page: what the pipeline and
            // the features take without the engine's report in between.
            QList<double> steps;
            TVasaroselain *tab = w.tabs().activeBrowser();
            for (int i = 0; i < runs; ++i) {
                t.start();
                w.pipeline().WBDocumentComplete(*tab, page->url());
                steps << t.nsecsElapsed() / 1e6;
            }
            report("the pipeline's steps alone on the loaded page", steps, 10);
        } else {
            std::fprintf(stderr, "the result page did not load\n");
        }
        w.close();
    }
    server.kill();
    server.waitForFinished(3000);
    return rc;
}
