// Closed tabs give their engine memory back: a hidden tab's renderer process
// ends, and the tab comes back with its index and state when it is reused.
// The marketplace's tabs share one renderer; another site gets its own.
#include "browser/policy/contextmenus.h"
#include "browser/tabs/tabstrip.h"
#include "fakemarketplace.h"
#include "tabsfixture.h"
#include <QAction>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QtTest>
#include <unistd.h>

using namespace TabsTest;

namespace {
// The engine's renderer processes in this test's own process tree (with the
// sandbox off they are forked by the zygote, a child of this process).
QSet<qint64> rendererPids()
{
    QHash<qint64, qint64> parentOf;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &name : pids) {
        bool ok = false;
        const qint64 pid = name.toLongLong(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray text = stat.readAll();
        // "pid (comm) state ppid ..." where comm may hold spaces.
        const QList<QByteArray> rest = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 1)
            parentOf.insert(pid, rest.at(1).toLongLong());
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
    const auto typeOf = [](qint64 pid) {
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly))
            return QByteArray();
        const QByteArray text = cmdline.readAll();
        const int at = text.indexOf("--type=");
        return at < 0 ? QByteArray() : text.mid(at + 7, text.indexOf('\0', at) - at - 7);
    };
    // The zygote forks renderers without a new command line, so a renderer
    // is a zygote's child that still reads "--type=zygote".
    QSet<qint64> renderers;
    for (qint64 pid : tree) {
        const QByteArray type = typeOf(pid);
        if (type == "renderer" || (type == "zygote" && typeOf(parentOf.value(pid)) == "zygote"))
            renderers.insert(pid);
    }
    return renderers;
}

int rendererProcesses()
{
    return int(rendererPids().size());
}

bool rendererCountBecomes(int expected, int ms = 10000)
{
    return waitFor([expected] { return rendererProcesses() == expected; }, ms);
}
}

class TstTabMemory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void closedTabsEndTheirRenderers_data();
    void closedTabsEndTheirRenderers();
    void reusedTabComesBack();
    void newWindowTakesDiscardedTab();
    void homePageLoadsInRendererStartedFirst();
    void marketplaceTabsShareOneRenderer();

private:
    TVasaroselain *openTab(const QString &path);
    TVasaroselain *openOtherSiteTab(const QString &title);
    void closeActive(const QString &how);
    QString base() const { return m_endpoints.webBase(); }

    FakeMarketplace m_market;
    Endpoints m_endpoints;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TabsWindow> m_w;
};

void TstTabMemory::initTestCase()
{
    QVERIFY(kSchemesRegistered);
    QVERIFY(m_market.start());
    m_endpoints = Endpoints::fromEnvironment();
    m_settings.kotisivu = m_endpoints.webBase();
    m_settings.siirry = true;
    m_profile = std::make_unique<BrowserProfile>(&m_settings, m_endpoints);
}

void TstTabMemory::init()
{
    m_w = std::make_unique<TabsWindow>(m_profile.get(), &m_settings, m_endpoints, &m_prompts, m_market.dataDir());
    QVERIFY(loaded(m_w->tabs->browser(0), "www.vasaro.test/"));
    // Only this window's pages hold renderers.
    QVERIFY2(rendererCountBecomes(1), qPrintable(QString::number(rendererProcesses())));
}

void TstTabMemory::cleanup()
{
    m_w.reset();
}

void TstTabMemory::cleanupTestCase()
{
    m_profile.reset();
}

TVasaroselain *TstTabMemory::openTab(const QString &path)
{
    return openInNewTab(*m_w, base(), path);
}

// A tab of another site (its own renderer process).
TVasaroselain *TstTabMemory::openOtherSiteTab(const QString &title)
{
    return openInNewTab(*m_w, QStringLiteral("http://vieras.test/"), QStringLiteral("testi/otsikko?t=") + title);
}

// Closes the active tab the way the user does.
void TstTabMemory::closeActive(const QString &how)
{
    TabManager *tabs = m_w->tabs;
    if (how == QLatin1String("middle click")) {
        TabStrip *strip = tabs->pageControl()->strip();
        QTest::mouseClick(strip, Qt::MiddleButton, {}, strip->tabRect(tabs->activeIndex()).center());
    } else {
        tabs->contextMenus()->pageItem(0)->trigger();   // "Sulje   Ctrl+Q"
    }
}

void TstTabMemory::closedTabsEndTheirRenderers_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("tab menu") << "menu";
    QTest::newRow("middle click on the strip") << "middle click";
}

void TstTabMemory::closedTabsEndTheirRenderers()
{
    QFETCH(QString, how);
    TabManager *tabs = m_w->tabs;
    // The other site's four tabs share one renderer (and the marketplace's
    // first tab has its own).
    for (int i = 1; i <= 4; ++i)
        QVERIFY(openOtherSiteTab(QStringLiteral("Sivu%1").arg(i)));
    QCOMPARE(tabs->count(), 5);
    QVERIFY2(rendererCountBecomes(2), qPrintable(QString::number(rendererProcesses())));

    for (int closed = 1; closed <= 4; ++closed) {
        closeActive(how);
        VS_TRY_COMPARE(tabs->activeIndex(), 4 - closed);
    }
    for (int i = 1; i <= 4; ++i)
        QVERIFY(!tabs->isTabShown(i));
    QVERIFY2(rendererCountBecomes(1), qPrintable(QString::number(rendererProcesses())));
    // The first tab is untouched.
    QCOMPARE(tabs->browser(0)->vasaroPage()->LocationURL(), base());
}

void TstTabMemory::reusedTabComesBack()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *one = openOtherSiteTab("Yksi");
    QVERIFY(one);
    QVERIFY(one->asetaZoom(150));
    QVERIFY(rendererCountBecomes(2));
    tabs->suljesivu(1);
    QVERIFY(rendererCountBecomes(1));
    QCOMPARE(one->vasaroPage()->LocationURL(), QStringLiteral("about:blank"));

    tabs->uuteenikkunaan("http://vieras.test/testi/otsikko?t=Taas");
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->browser(1), one);
    QCOMPARE(one->pageIndex(), 1);
    QCOMPARE(tabs->activeIndex(), 1);
    QVERIFY(loaded(one, "otsikko?t=Taas"));
    VS_TRY_COMPARE(tabs->caption(1), QStringLiteral("Taas"));
    QCOMPARE(one->vasaroPage()->LocationName(), QStringLiteral("Taas"));
    QCOMPARE(rendererProcesses(), 2);
    // The tab's zoom level is still its own, in the engine too.
    QCOMPARE(one->zoomPercent(), 150);
    QCOMPARE(one->zoomFactor(), 1.5);
    // The page answers scripts again.
    QCOMPARE(evaluate(one->page(), QStringLiteral("document.title")).toString(), QStringLiteral("Taas"));
}

void TstTabMemory::newWindowTakesDiscardedTab()
{
    TabManager *tabs = m_w->tabs;
    QVERIFY(openTab("testi/otsikko?t=Kiinni"));
    tabs->suljesivu(1);
    QVERIFY(rendererCountBecomes(1));
    tabs->activate(0);
    TVasaroselain *first = tabs->browser(0);
    first->vasaroPage()->Navigate(QUrl(base() + "testi/ikkunat"));
    QVERIFY(loaded(first, "testi/ikkunat"));
    // A page's new window lands in the discarded tab and loads there.
    QVERIFY(clickElement(first, "blank"));
    VS_TRY_VERIFY(tabs->isTabShown(1));
    QCOMPARE(tabs->count(), 2);
    QVERIFY(loaded(tabs->browser(1), "otsikko"));
    VS_TRY_COMPARE(tabs->caption(1), QStringLiteral("Uusi sivu"));
}

// The first tab's page starts its renderer while the window is still being
// built; the home page then loads in that same process.
void TstTabMemory::homePageLoadsInRendererStartedFirst()
{
    m_w.reset();
    QVERIFY2(rendererCountBecomes(0), qPrintable(QString::number(rendererProcesses())));
    FakeShellHost host;
    ProgramClock clock;
    QWidget window;
    BrowserShell::Parts parts;
    parts.settings = &m_settings;
    parts.endpoints = m_endpoints;
    parts.host = &host;
    parts.prompts = &m_prompts;
    parts.clock = &clock;
    parts.dataFolder = m_market.dataDir();
    parts.profile = m_profile.get();
    auto *shell = new BrowserShell(parts, &window);
    host.box = shell->toolbar()->addressBox();
    QVERIFY2(rendererCountBecomes(1), qPrintable(QString::number(rendererProcesses())));
    const QSet<qint64> early = rendererPids();

    window.resize(1000, 760);
    window.show();
    TVasaroselain *first = shell->tabs()->CreateNewTabBrowser(true);
    VasaroPage *page = first->vasaroPage();
    connect(page, &VasaroPage::documentComplete, page, [page](VasaroPage *, const QUrl &url) {
        page->setProperty("vsCompleted", url.toString());
    });
    QVERIFY(loaded(first, "www.vasaro.test/"));
    QCOMPARE(shell->tabs()->count(), 1);
    QCOMPARE(first->pageIndex(), 0);
    QCOMPARE(rendererPids(), early);
}

// Five tabs of the marketplace run in one renderer process; a page of
// another site gets one of its own.
void TstTabMemory::marketplaceTabsShareOneRenderer()
{
    const QSet<qint64> marketplace = rendererPids();
    QCOMPARE(marketplace.size(), 1);
    for (int i = 1; i <= 4; ++i)
        QVERIFY(openTab(QStringLiteral("testi/otsikko?t=Sivu%1").arg(i)));
    QCOMPARE(m_w->tabs->count(), 5);
    QVERIFY(rendererCountBecomes(1));
    QCOMPARE(rendererPids(), marketplace);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(m_w->tabs->browser(i)->page()->renderProcessPid(), *marketplace.cbegin());
    QVERIFY(openOtherSiteTab(QStringLiteral("Vieras")));
    QVERIFY2(rendererCountBecomes(2), qPrintable(QString::number(rendererProcesses())));
    QVERIFY(rendererPids().contains(marketplace));
}

QTEST_MAIN(TstTabMemory)
#include "tst_tabmemory.moc"
