// The ledger fetch of 500 trades from the fake REST API (10 list pages and
// 1500 trade, item and user answers over loopback HTTP) into a shown ledger
// window. Prints the wall time, the time spent waiting for answers and the
// rest, our own work, per trade (goal: under 2 ms).
#include "benchsupport.h"
#include "client/apisession.h"
#include "client/http.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "ledger/fetch/ledgerfetch.h"
#include "ledger/tform8.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

constexpr int kTrades = 500;
constexpr int kRuns = 3;

// CPU time of the calling (window) thread: what a loaded machine's other
// processes do not add to.
qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The transport with a stopwatch around every request.
class TimedHttp final : public HttpApi {
public:
    explicit TimedHttp(Http &http) : m_http(http) {}
    qint64 waitedNs = 0;
    qint64 waitedCpuNs = 0;   // the window thread's CPU time inside requests
    int requests = 0;

    template <typename F>
    auto timed(F f)
    {
        QElapsedTimer t;
        t.start();
        const qint64 cpu = threadCpuNs();
        auto answer = f();
        waitedNs += t.nsecsElapsed();
        waitedCpuNs += threadCpuNs() - cpu;
        ++requests;
        return answer;
    }

    QString xmlhttpget(Object o, const QString &url, int t) override
    {
        return timed([&] { return m_http.xmlhttpget(o, url, t); });
    }
    QString xmlhttppost(Object o, const QString &url, const QByteArray &body, int t,
                        const QStringList &n, const QStringList &v) override
    {
        return timed([&] { return m_http.xmlhttppost(o, url, body, t, n, v); });
    }
    QByteArray xmlhttpgetBytes(const QString &url, const QStringList &n, const QStringList &v, int t) override
    {
        return timed([&] { return m_http.xmlhttpgetBytes(url, n, v, t); });
    }
    bool lastRequestFailed(Object o) const override { return m_http.lastRequestFailed(o); }

private:
    Http &m_http;
};


int countRows(const LedgerTable &sg)
{
    int n = 0;
    for (int r = 1; r < sg.rowCount(); ++r)
        n += sg.cell(LedgerColumn::Kohde, r).isEmpty() ? 0 : 1;
    return n;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QProcess server;
    const int port = bench::startFakeMarketplace(server, dir.path());
    if (port <= 0) {
        std::fprintf(stderr, "fake marketplace did not start\n");
        return 1;
    }
    Http control{Endpoints()};
    control.xmlhttppost(HttpApi::General,
                        QStringLiteral("http://127.0.0.1:%1/__state?kaupat=1&kaupat_count=%2").arg(port).arg(kTrades + 50),
                        QByteArray(), 5000, {}, {});

    Endpoints endpoints;
    endpoints.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    endpoints.set(QStringLiteral("api_base"), QStringLiteral("http://api.vasaro.test/1.1/"));
    endpoints.set(QStringLiteral("proxy"), QStringLiteral("http://127.0.0.1:%1").arg(port));
    Http http(endpoints);
    TimedHttp timed(http);
    Settings settings;
    bench::PrintingPrompts prompts;
    ProgramClock clock([] { return qint64(1000); }, QDateTime(QDate(2026, 3, 15), QTime(12, 0)));
    ApiSession session(timed, http.stopFlag(), clock, settings, endpoints.apiBase(), [] { return qint64(1000); });
    session.captureLogin("userid=Testaaja&password=salasana");
    TForm8 form(settings, prompts, clock, endpoints);
    form.attachFetch(timed, session, http.stopFlag());
    // "--hidden": the window is not shown, so nothing is painted.
    if (!app.arguments().contains(QStringLiteral("--hidden")))
        form.show();

    QList<double> ownPerTrade, cpuPerTrade;
    for (int run = 0; run < kRuns; ++run) {
        form.clearList();
        timed.waitedNs = 0;
        timed.waitedCpuNs = 0;
        timed.requests = 0;
        QElapsedTimer t;
        t.start();
        const qint64 cpu = threadCpuNs();
        form.fetch()->suoritahaku(0, kTrades);
        const double wallMs = t.nsecsElapsed() / 1e6;
        const double ownCpu = (threadCpuNs() - cpu - timed.waitedCpuNs) / 1e6 / kTrades;
        cpuPerTrade << ownCpu;
        const double waitedMs = timed.waitedNs / 1e6;
        const int rows = countRows(form.masterList());
        const double own = (wallMs - waitedMs) / kTrades;
        ownPerTrade << own;
        std::printf("run %d: %d rows, %d requests, wall %.0f ms, waiting for answers %.0f ms, "
                    "own work %.3f ms per trade (window thread's CPU outside requests %.3f ms)\n",
                    run + 1, rows, timed.requests, wallMs, waitedMs, own, ownCpu);
    }
    std::sort(ownPerTrade.begin(), ownPerTrade.end());
    std::sort(cpuPerTrade.begin(), cpuPerTrade.end());
    std::printf("ledger fetch of %d trades: own work %.3f ms per trade, of it CPU %.3f ms "
                "(medians of %d; goal < 2 ms)\n", kTrades, ownPerTrade.at(kRuns / 2),
                cpuPerTrade.at(kRuns / 2), kRuns);
    server.kill();
    server.waitForFinished(3000);
    return 0;
}
