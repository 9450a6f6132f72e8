// Start-up with restored tabs, in one process: the program's browser shell
// started as the main window starts it (first tab on its way to the home
// page, then the kept session restored), once with a session of one tab and
// once with five, alternately. Only the active tab loads; the four others
// get their tabs and wait, unloaded, until first shown. Measures the wall
// time and the GUI thread's CPU time from the start to the home page loaded,
// and the restore call alone. The thread's CPU time is the program's own
// work, whatever else the machine runs. Goal: five within 5 % of one.
// The pages come from the fake marketplace (started here): the home page is
// its 60-card result page, as in bench_coldstart.py.
//   bench_restoretabs [rounds]     (default 9)
#include "browser/browsershell.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/session/sessionfile.h"
#include "browser/session/sessionkeeper.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "benchsupport.h"
#include "widgets/qtprompts.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {
class QuietShell final : public ShellHost {
public:
    QString address;
    QString status;
    QString addressText() const override { return address; }
    void setAddressText(const QString &text) override { address = text; }
    QString statusText() const override { return status; }
    void setStatusText(const QString &text) override { status = text; }
    void pageChanged(const PageState &) override {}
    void naytapaneeli(const QString &, int) override {}
    void queueCommand(const QString &) override {}
    QString signedInUser() const override { return QString(); }
};

constexpr int kLimitMs = 30000;

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Run {
    double wallMs = -1;
    double cpuMs = 0;
    double restoreWallMs = 0;
    double restoreCpuMs = 0;
    int loaded = 0;   // tabs whose page has an address by the end
};

const QString kHome = QStringLiteral("http://www.vasaro.test/haku/vertailu");

// A fresh data folder whose kept session has `tabCount` tabs, the home page
// first and active.
Run startWith(int tabCount, const Endpoints &endpoints)
{
    QTemporaryDir folder;
    SessionState kept;
    kept.addresses << kHome;
    for (int i = 1; i < tabCount; ++i)
        kept.addresses << QStringLiteral("http://www.vasaro.test/testi/selain/odottava-%1").arg(i);
    SessionFile::write(SessionFile::path(folder.path()), kept);

    Run run;
    QElapsedTimer t;
    t.start();
    const double cpu0 = threadCpuMs();
    Settings settings;
    settings.kotisivu = kHome;
    QtPrompts prompts;
    QuietShell shell;
    ProgramClock clock;
    auto *profile = new BrowserProfile(&settings, endpoints);
    auto *window = new QWidget;
    BrowserShell::Parts parts;
    parts.settings = &settings;
    parts.endpoints = endpoints;
    parts.host = &shell;
    parts.prompts = &prompts;
    parts.clock = &clock;
    parts.dataFolder = folder.path();
    parts.profile = profile;
    TabManager *tabs = (new BrowserShell(parts, window))->tabs();
    window->resize(1000, 760);
    window->show();
    TVasaroselain *first = tabs->CreateNewTabBrowser(true);
    bool done = false;
    QObject::connect(first->vasaroPage(), &VasaroPage::documentComplete, [&done] { done = true; });

    // As the main window does once the first tab exists.
    SessionKeeper keeper(folder.path(), tabs, window);
    QElapsedTimer r;
    r.start();
    const double restoreCpu0 = threadCpuMs();
    keeper.restoreTabs();
    run.restoreWallMs = r.nsecsElapsed() / 1e6;
    run.restoreCpuMs = threadCpuMs() - restoreCpu0;

    waitFor([&done] { return done; }, kLimitMs);
    run.wallMs = done ? t.nsecsElapsed() / 1e6 : -1;
    run.cpuMs = threadCpuMs() - cpu0;
    for (int i = 0; i < tabs->count(); ++i)
        run.loaded += tabs->browser(i)->page()->url().isEmpty() ? 0 : 1;
    delete window;
    delete profile;
    return run;
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.at(v.size() / 2);
}
}

int main(int argc, char **argv)
{
    BrowserProfile::registerSchemes();
    QTemporaryDir data;
    qputenv("VSSELAIN_DATA_DIR", data.path().toUtf8());
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 9;
    QProcess server;
    const int port = bench::startFakeMarketplace(server, data.path());
    if (port <= 0) {
        std::fprintf(stderr, "fake marketplace did not start\n");
        return 1;
    }
    QFile file(data.filePath(QStringLiteral("endpoints.ini")));
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral("web_base=http://www.vasaro.test/\ndomain=vasaro.test\n"
                              "api_base=http://api.vasaro.test/1.1/\nproxy=http://127.0.0.1:%1\n")
                   .arg(port)
                   .toUtf8());
    file.close();
    qputenv("VSSELAIN_ENDPOINTS", file.fileName().toUtf8());
    const Endpoints endpoints = Endpoints::fromEnvironment();

    startWith(1, endpoints);   // warm-up: the engine's own start, the disk cache
    QList<double> wall[2], cpu[2], restoreWall[2], restoreCpu[2];
    const int counts[2] = {1, 5};
    for (int i = 0; i < rounds; ++i) {
        for (int k = 0; k < 2; ++k) {
            const Run run = startWith(counts[k], endpoints);
            wall[k] << run.wallMs;
            cpu[k] << run.cpuMs;
            restoreWall[k] << run.restoreWallMs;
            restoreCpu[k] << run.restoreCpuMs;
            std::printf("round %d, %d tab(s): start->loaded %.1f ms (GUI thread CPU %.1f ms), waiting tabs made in "
                        "%.1f ms (CPU %.1f ms), tabs with a page loaded %d\n",
                        i + 1, counts[k], run.wallMs, run.cpuMs, run.restoreWallMs, run.restoreCpuMs, run.loaded);
            std::fflush(stdout);
        }
    }
    for (int k = 0; k < 2; ++k)
        std::printf("median %d tab(s): start->loaded %.1f ms, GUI thread CPU %.1f ms, waiting tabs made in %.1f ms "
                    "(CPU %.1f ms)\n",
                    counts[k], median(wall[k]), median(cpu[k]), median(restoreWall[k]), median(restoreCpu[k]));
    std::printf("ratio five/one: start->loaded %.3f, GUI thread CPU %.3f (goal <= 1.05)\n",
                median(wall[1]) / median(wall[0]), median(cpu[1]) / median(cpu[0]));
    server.kill();
    server.waitForFinished(3000);
    return 0;
}
