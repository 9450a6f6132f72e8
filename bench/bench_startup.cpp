// Start-up to the home page loaded: the program's browser shell (profile,
// toolbar, tab manager, page pipeline, first tab navigated to the home page)
// against a minimal Qt WebEngine program (a profile and a view loading the
// same page), measured alternately in the same run. Prints the medians and
// their ratio.
//   bench_startup [rounds] [url]     (default: 7 rounds, a local file page)
#include "browser/engine/browserprofile.h"
#include "browser/browsershell.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/endpoints.h"
#include "core/programclock.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "widgets/qtprompts.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>

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

// A minimal program: its own profile and one view loading the page.
double minimalStartup(const QUrl &url)
{
    QElapsedTimer t;
    t.start();
    auto *profile = new QWebEngineProfile;
    auto *view = new QWebEngineView(profile);
    auto *page = new QWebEnginePage(profile, view);
    view->setPage(page);
    view->resize(1000, 700);
    bool done = false;
    QObject::connect(page, &QWebEnginePage::loadFinished, [&done](bool) { done = true; });
    view->show();
    page->load(url);
    waitFor([&done] { return done; }, kLimitMs);
    const double ms = t.nsecsElapsed() / 1e6;
    delete view;
    delete profile;
    return done ? ms : -1;
}

// The program's profile and page in a bare view: what the browser core adds.
double coreStartup(const QUrl &url, const Endpoints &endpoints)
{
    QElapsedTimer t;
    t.start();
    Settings settings;
    QtPrompts prompts;
    auto *profile = new BrowserProfile(&settings, endpoints);
    auto *view = new QWebEngineView;
    auto *page = new VasaroPage(profile, &prompts, VasaroPage::Role::Tab, view);
    view->setPage(page);
    view->resize(1000, 700);
    bool done = false;
    QObject::connect(page, &VasaroPage::documentComplete, [&done] { done = true; });
    view->show();
    page->Navigate(url);
    waitFor([&done] { return done; }, kLimitMs);
    const double ms = t.nsecsElapsed() / 1e6;
    delete view;
    delete profile;
    return done ? ms : -1;
}

// The program's shell as the main window builds it at start-up.
double programStartup(const QUrl &url, const Endpoints &endpoints)
{
    QElapsedTimer t;
    t.start();
    Settings settings;
    settings.kotisivu = url.toString();
    QtPrompts prompts;
    QuietShell shell;
    ProgramClock clock;
    auto *profile = new BrowserProfile(&settings, endpoints);
    const double profileMs = t.nsecsElapsed() / 1e6;
    auto *window = new QWidget;
    BrowserShell::Parts parts;
    parts.settings = &settings;
    parts.endpoints = endpoints;
    parts.host = &shell;
    parts.prompts = &prompts;
    parts.clock = &clock;
    parts.dataFolder = qEnvironmentVariable("VSSELAIN_DATA_DIR");
    parts.profile = profile;
    TabManager *tabs = (new BrowserShell(parts, window))->tabs();
    window->resize(1000, 760);
    window->show();
    TVasaroselain *first = tabs->CreateNewTabBrowser(true);
    const double shownMs = t.nsecsElapsed() / 1e6;
    bool done = false;
    QObject::connect(first->vasaroPage(), &VasaroPage::documentComplete, [&done] { done = true; });
    waitFor([&done] { return done; }, kLimitMs);
    const double ms = t.nsecsElapsed() / 1e6;
    std::printf("  program: profile %.1f ms, window and first tab %.1f ms, page loaded %.1f ms\n", profileMs,
                shownMs - profileMs, ms - shownMs);
    delete window;
    delete profile;
    return done ? ms : -1;
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
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 7;

    QUrl url;
    if (argc > 2) {
        url = QUrl(QString::fromLocal8Bit(argv[2]));
    } else {
        QFile page(data.filePath(QStringLiteral("etusivu.html")));
        page.open(QIODevice::WriteOnly);
        page.write("<!DOCTYPE html><html><head><meta charset='utf-8'><title>Vasaro - etusivu</title></head>"
                   "<body><h1>Tervetuloa Vasaroon</h1><p>Kohteita, hakuja ja omat sivut.</p>"
                   "<a href='omasivu.html'>Oma sivu</a></body></html>");
        page.close();
        url = QUrl::fromLocalFile(page.fileName());
    }
    const Endpoints endpoints = Endpoints::fromEnvironment();

    // The engine's own start (processes, GPU thread) is paid once by whichever
    // program comes first; a warm-up load takes it out of both figures.
    minimalStartup(url);

    QList<double> minimal;
    QList<double> program;
    QList<double> core;
    for (int i = 0; i < rounds; ++i) {
        minimal << minimalStartup(url);
        core << coreStartup(url, endpoints);
        program << programStartup(url, endpoints);
        std::printf("round %d: minimal %.1f ms, profile and page only %.1f ms, program %.1f ms\n", i + 1,
                    minimal.last(), core.last(), program.last());
        std::fflush(stdout);
    }
    const double m = median(minimal);
    const double p = median(program);
    std::printf("start-up to home page loaded (median of %d): minimal %.1f ms, program %.1f ms, ratio %.2f "
                "(goal <= 1.25); the profile and page alone %.1f ms\n",
                rounds, m, p, m > 0 ? p / m : 0.0, median(core));
    // The best runs are the least disturbed by other work on the machine.
    const double bm = *std::min_element(minimal.cbegin(), minimal.cend());
    const double bp = *std::min_element(program.cbegin(), program.cend());
    std::printf("best runs: minimal %.1f ms, program %.1f ms, ratio %.2f; the profile and page alone %.1f ms\n", bm,
                bp, bm > 0 ? bp / bm : 0.0, *std::min_element(core.cbegin(), core.cend()));
    return 0;
}
