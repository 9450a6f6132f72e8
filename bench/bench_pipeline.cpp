// Figures for the browser core: the page pipeline's own DocumentComplete time
// on a 60-card result page (page load excluded), and one Document snapshot of
// all div elements of a 500-div page. Starts the fake marketplace itself.
// Run: QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 bench_pipeline
#include "benchsupport.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/pipeline/pipelinetab.h"
#include "browser/shellhost.h"
#include "browser/engine/vasaropage.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>

namespace {
class QuietShell final : public ShellHost {
public:
    QString addressText() const override { return m_address; }
    void setAddressText(const QString &text) override { m_address = text; }
    QString statusText() const override { return QString(); }
    void setStatusText(const QString &) override {}
    void pageChanged(const PageState &) override {}
    void naytapaneeli(const QString &, int) override {}
    void queueCommand(const QString &) override {}
    QString signedInUser() const override { return QString(); }

private:
    QString m_address;
};

class BenchTab final : public PipelineTab {
public:
    explicit BenchTab(VasaroPage *page) : m_page(page) {}
    TabState &tabState() override { return m_state; }
    Document &document() override { return m_page->document(); }
    QString locationUrl() const override { return m_page->LocationURL(); }
    bool isActiveTab() const override { return true; }
    int pageIndex() const override { return 0; }
    void focusBrowser() override {}

private:
    VasaroPage *m_page;
    TabState m_state;
};

bool load(VasaroPage *page, const QString &url)
{
    bool done = false;
    const auto c = QObject::connect(page, &VasaroPage::documentComplete, page, [&] { done = true; });
    page->Navigate(QUrl(url));
    const bool ok = waitFor([&] { return done; }, 20000);
    QObject::disconnect(c);
    return ok;
}

void report(const char *what, QList<double> ms, double goal)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-58s min %6.2f  median %6.2f  max %6.2f ms  (goal < %.0f ms, %d runs)\n", what, ms.first(),
                ms.at(ms.size() / 2), ms.last(), goal, int(ms.size()));
}

}

int main(int argc, char **argv)
{
    BrowserProfile::registerSchemes();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("VSSELAIN_DATA_DIR", (dir.path() + QStringLiteral("/data")).toUtf8());
    QProcess server;
    const int port = bench::startFakeMarketplace(server, dir.path());
    if (port <= 0) {
        std::fprintf(stderr, "fake marketplace did not start\n");
        return 1;
    }
    Endpoints endpoints;
    endpoints.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    endpoints.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    endpoints.set(QStringLiteral("proxy"), QStringLiteral("http://127.0.0.1:%1").arg(port));

    Settings settings;
    settings.paivitysCurrent = settings.paivitysStored = QStringLiteral("1");
    int rc = 0;
    {
        BrowserProfile profile(&settings, endpoints);
        auto *page = new VasaroPage(&profile, nullptr);
        QWebEngineView view;
        view.setPage(page);
        view.resize(1024, 700);
        view.show();
        BenchTab tab(page);
        QuietShell shell;
        ProgramClock clock;
        PagePipeline pipeline(&shell, &settings, endpoints, &clock, &profile.hostPolicy());

        const int runs = 30;
        const QString results = QStringLiteral("http://www.vasaro.test/haku/sanat/lamppu?kortit=60&mainokset=0");
        if (!load(page, results)) {
            std::fprintf(stderr, "result page did not load\n");
            rc = 1;
        } else {
            QList<double> times;
            QElapsedTimer t;
            for (int i = 0; i <= runs; ++i) {
                t.start();
                pipeline.WBDocumentComplete(tab, page->url());
                if (i > 0)   // the first call installs the document operations
                    times << t.nsecsElapsed() / 1e6;
            }
            report("DocumentComplete, 60-card result page (pipeline only)", times, 30);
            QList<double> cards;
            for (int i = 0; i < runs; ++i) {
                t.start();
                const QList<Element> divs = page->document().getElementsByTagName(
                    QStringLiteral("div"), Document::OuterHtml | Document::ClassName);
                cards << t.nsecsElapsed() / 1e6;
                if (divs.size() < 60)
                    rc = 1;
            }
            report("snapshot of the result page's divs (outer HTML, class)", cards, 30);
        }

        if (load(page, QStringLiteral("http://www.vasaro.test/testit/divit?n=500"))) {
            QList<double> times;
            QElapsedTimer t;
            int count = 0;
            double first = 0;
            for (int i = 0; i <= runs; ++i) {
                t.start();
                count = page->document().getElementsByTagName(QStringLiteral("div"), Document::OuterHtml).size();
                if (i == 0)
                    first = t.nsecsElapsed() / 1e6;
                else
                    times << t.nsecsElapsed() / 1e6;
            }
            std::printf("first snapshot on the 500-div page (installs the operations): %.2f ms, %d divs\n", first,
                        count);
            report("Document snapshot of 500 divs (outer HTML)", times, 20);
            QList<double> trips;
            for (int i = 0; i < runs; ++i) {
                t.start();
                page->document().scrollTop();
                trips << t.nsecsElapsed() / 1e6;
            }
            report("one script round trip (scrollTop)", trips, 20);
        } else {
            rc = 1;
        }
        view.setPage(nullptr);
        delete page;
    }
    server.kill();
    server.waitForFinished(3000);
    return rc;
}
