// Memory of the browser's tabs: the sum of PSS over this process and the
// engine's processes with one tab on a page, with five, and after four of
// them were closed the way the tab menu closes them. Run by
// bench_coldstart.py with the fake marketplace's endpoints.
//   bench_coldstart_tabs <url>
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
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <cstdio>
#include <unistd.h>

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

QSet<qint64> processTree()
{
    QHash<qint64, qint64> parentOf;
    for (const QString &name : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(name));
        if (name.toLongLong() <= 0 || !stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        const QList<QByteArray> rest = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1)
            parentOf.insert(name.toLongLong(), rest.at(1).toLongLong());
    }
    QSet<qint64> tree{getpid()};
    for (bool grew = true; grew;) {
        grew = false;
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it) {
            if (tree.contains(it.value()) && !tree.contains(it.key())) {
                tree.insert(it.key());
                grew = true;
            }
        }
    }
    return tree;
}

qint64 pssKb(qint64 pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : rollup.readAll().split('\n')) {
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

// Σ PSS of the tree; with VSS_BENCH_DETAIL set, every process on stderr.
double pssMiB()
{
    qint64 kb = 0;
    const bool detail = qEnvironmentVariableIsSet("VSS_BENCH_DETAIL");
    for (qint64 pid : processTree()) {
        const qint64 own = pssKb(pid);
        kb += own;
        if (detail)
            std::fprintf(stderr, "  pid %lld: %.1f MiB\n", pid, own / 1024.0);
    }
    return kb / 1024.0;
}

bool loaded(TVasaroselain *view, const QUrl &url)
{
    VasaroPage *page = view->vasaroPage();
    return waitFor([&] { return page->ReadyState() == 4 && !page->Busy() && page->url() == url; }, 30000);
}

double settledPss()
{
    waitMs(5000);
    return pssMiB();
}
}

int main(int argc, char **argv)
{
    BrowserProfile::registerSchemes();
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QUrl url(QString::fromLocal8Bit(argv[1]));
    const Endpoints endpoints = Endpoints::fromEnvironment();
    Settings settings;
    settings.kotisivu = url.toString();
    settings.siirry = true;
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
    parts.dataFolder = qEnvironmentVariable("VSSELAIN_DATA_DIR");
    parts.profile = profile;
    TabManager *tabs = (new BrowserShell(parts, window))->tabs();
    window->resize(1136, 800);
    window->show();
    if (!loaded(tabs->CreateNewTabBrowser(true), url))
        return 1;
    const double one = settledPss();
    for (int i = 1; i < 5; ++i) {
        tabs->uuteenikkunaan(url.toString());
        if (!loaded(tabs->activeBrowser(), url))
            return 1;
    }
    const double five = settledPss();
    for (int i = 1; i < 5; ++i)
        tabs->Suljepois();
    const double closed = settledPss();
    std::printf("tabs: one %.1f MiB, five %.1f MiB, five opened and four closed %.1f MiB (%.3f of one tab)\n", one,
                five, closed, closed / one);
    delete window;
    delete profile;
    return 0;
}
