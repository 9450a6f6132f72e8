// Page tools in the real browser on the fake marketplace: find and
// highlight, the engine's find, page source, save page, full screen, zoom,
// emptying the cache, the desktop launcher and the favourites menu.
#include "browser/policy/contextmenus.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tools/pagetools.h"
#include "browser/tools/progresspanel.h"
#include "fakemarketplace.h"
#include "tabsfixture.h"
#include <QApplication>
#include <QDesktopServices>
#include <QDirIterator>
#include <QMenu>
#include <QPushButton>
#include <QWebEngineFindTextResult>
#include <QWebEngineProfile>
#include <QTabBar>
#include <QtTest>

using namespace TabsTest;

// Receives "open the bookmarks folder" instead of a file manager.
class FolderOpener : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TstPageTools : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void findAndHighlight();
    void engineFind();
    void zoomRule_data();
    void zoomRule();
    void zoomPerTab();
    void pageSource();
    void savePage_data();
    void savePage();
    void fullScreenToggle();
    void cacheEmptied();
    void cacheCancelled();
    void desktopLauncher();
    void favouritesMenu();
    void favouritesAddAndDelete();
    void favouritesOrganise();
    void linkMenuOpensNewTab();
    void pageMenus();
    void nothingWithoutHtmlDocument();

private:
    TVasaroselain *open(const QString &path);
    QString base() const { return m_endpoints.webBase(); }
    QString favourites() const { return m_market.dataDir() + "/Suosikit"; }
    void writeFavourite(const QString &rel, const QString &url);

    FakeMarketplace m_market;
    Endpoints m_endpoints;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    QTemporaryDir m_xdg;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TabsWindow> m_w;
    ProgressPanel *m_panel = nullptr;
    PageTools *m_tools = nullptr;
};

void TstPageTools::initTestCase()
{
    QVERIFY(kSchemesRegistered);
    // The desktop folder comes from the XDG user directories.
    QDir().mkpath(m_xdg.filePath("config"));
    QFile dirs(m_xdg.filePath("config/user-dirs.dirs"));
    QVERIFY(dirs.open(QIODevice::WriteOnly));
    dirs.write(("XDG_DESKTOP_DIR=\"" + m_xdg.filePath("Työpöytä") + "\"\n").toUtf8());
    dirs.close();
    qputenv("XDG_CONFIG_HOME", m_xdg.filePath("config").toUtf8());
    QVERIFY(m_market.start());
    m_endpoints = Endpoints::fromEnvironment();
    m_settings.kotisivu = m_endpoints.webBase();
    m_profile = std::make_unique<BrowserProfile>(&m_settings, m_endpoints);
}

void TstPageTools::init()
{
    m_prompts.asked.clear();
    m_w = std::make_unique<TabsWindow>(m_profile.get(), &m_settings, m_endpoints, &m_prompts, m_market.dataDir());
    m_tools = m_w->browser->buildPageTools(m_w->window);
    m_panel = m_w->browser->progress();
    QVERIFY(loaded(m_w->tabs->browser(0), "www.vasaro.test/"));
}

void TstPageTools::cleanup()
{
    m_tools = nullptr;
    m_w.reset();
    QDir(favourites()).removeRecursively();
}

void TstPageTools::cleanupTestCase()
{
    m_profile.reset();
}

TVasaroselain *TstPageTools::open(const QString &path)
{
    m_w->tabs->aktiivisivu_navigate(base() + path);
    TVasaroselain *view = m_w->tabs->activeBrowser();
    return loaded(view, path) ? view : nullptr;
}

void TstPageTools::writeFavourite(const QString &rel, const QString &url)
{
    const QString path = favourites() + "/" + rel;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n");
}

void TstPageTools::findAndHighlight()
{
    TVasaroselain *view = open("testi/etsi");
    QVERIFY(view);
    m_prompts.inputs.enqueue(QStringLiteral("vasara"));
    m_tools->MenuItem8Click();
    QCOMPARE(m_prompts.asked, QStringList{"input: Etsi tekstiä:"});
    QCOMPARE(m_tools->lastSearchText(), QStringLiteral("vasara"));
    // Five occurrences in the text (the script's copy is not text), all marked,
    // the case of the page kept.
    const QVariantList spans = evaluate(view->page(),
        "Array.from(document.querySelectorAll('span')).map(function(s){"
        " return [s.textContent, s.style.backgroundColor, s.style.fontWeight]; })").toList();
    QCOMPARE(spans.size(), 5);
    for (const QVariant &s : spans)
        QCOMPARE(s.toList(), (QVariantList{"Vasara", "lime", "bolder"}));
    // The last one is in view, the first is not.
    const QVariantList inView = evaluate(view->page(),
        "Array.from(document.querySelectorAll('span')).map(function(s){"
        " var r = s.getBoundingClientRect(); return r.top >= 0 && r.bottom <= window.innerHeight; })").toList();
    QCOMPARE(inView.first().toBool(), false);
    QCOMPARE(inView.last().toBool(), true);

    // Cancel or an empty text changes nothing.
    m_tools->MenuItem8Click();
    QCOMPARE(m_tools->lastSearchText(), QStringLiteral("vasara"));
    QCOMPARE(m_tools->SearchAndHighlightText(QString()), 0);
    // A text longer than 255 characters is cut.
    m_prompts.inputs.enqueue(QString(300, u'x'));
    m_tools->MenuItem8Click();
    QCOMPARE(m_tools->lastSearchText().size(), 255);
}

void TstPageTools::engineFind()
{
    TVasaroselain *view = open("testi/etsi");
    QVERIFY(view);
    QSignalSpy found(view->page(), &QWebEnginePage::findTextFinished);
    m_prompts.inputs.enqueue(QStringLiteral("Lohko"));
    m_tools->MenuItem7Click();
    VS_TRY_COMPARE(found.count(), 1);
    auto result = found.last().first().value<QWebEngineFindTextResult>();
    QCOMPARE(result.numberOfMatches(), 5);
    QCOMPARE(result.activeMatch(), 1);
    // F3 again with the same text goes on to the next match.
    m_prompts.inputs.enqueue(QStringLiteral("Lohko"));
    m_tools->MenuItem7Click();
    VS_TRY_COMPARE(found.count(), 2);
    result = found.last().first().value<QWebEngineFindTextResult>();
    QCOMPARE(result.activeMatch(), 2);
}

void TstPageTools::zoomRule_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("factor");
    const int larger = int(ZoomRule::Step::Larger);
    const int smaller = int(ZoomRule::Step::Smaller);
    QTest::newRow("larger") << 100 << larger << 110 << 1.1;
    QTest::newRow("smaller") << 100 << smaller << 90 << 0.9;
    QTest::newRow("normal") << 300 << int(ZoomRule::Step::Normal) << 100 << 1.0;
    QTest::newRow("1000 larger -> 100") << 1000 << larger << 100 << 1.0;
    QTest::newRow("10 smaller -> 100") << 10 << smaller << 100 << 1.0;
    QTest::newRow("20 smaller: 10 %, engine at its least") << 20 << smaller << 10 << 0.25;
    QTest::newRow("600: engine at its most") << 590 << larger << 600 << 5.0;
}

void TstPageTools::zoomRule()
{
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(int, percent);
    QFETCH(double, factor);
    TVasaroselain *view = m_w->tabs->browser(0);
    QVERIFY(view->asetaZoom(start));
    m_tools->zpnClick(ZoomRule::Step(step));
    QCOMPARE(view->zoomPercent(), percent);
    QCOMPARE(view->tabState().zoom, percent);
    QVERIFY(qAbs(view->zoomFactor() - factor) < 1e-6);
}

void TstPageTools::zoomPerTab()
{
    TabManager *tabs = m_w->tabs;
    m_tools->zpnClick(ZoomRule::Step::Larger);
    m_tools->zpnClick(ZoomRule::Step::Larger);
    QCOMPARE(tabs->browser(0)->zoomPercent(), 120);
    tabs->uuteenikkunaan(base() + "testi/etsi");
    QVERIFY(loaded(tabs->browser(1), "testi/etsi"));
    QCOMPARE(tabs->browser(1)->zoomPercent(), 100);
    QCOMPARE(tabs->browser(1)->zoomFactor(), 1.0);
    m_tools->zpnClick(ZoomRule::Step::Smaller);
    QCOMPARE(tabs->browser(1)->zoomPercent(), 90);
    QCOMPARE(tabs->browser(0)->zoomPercent(), 120);
    // The zoom stays with the tab across navigation.
    tabs->activate(0);
    QVERIFY(open("testi/historia/1"));
    QVERIFY(qAbs(tabs->browser(0)->zoomFactor() - 1.2) < 1e-6);
    QCOMPARE(tabs->browser(0)->zoomPercent(), 120);
}

void TstPageTools::pageSource()
{
    QVERIFY(open("testi/etsi"));
    m_tools->MenuItem10Click();
    TabManager *tabs = m_w->tabs;
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->activeIndex(), 1);
    QVERIFY(loaded(tabs->browser(1), "view-source:http://www.vasaro.test/testi/etsi"));
    const QString text = evaluate(tabs->browser(1)->page(), "document.body.innerText").toString();
    QVERIFY2(text.contains("<title>Etsi</title>"), qPrintable(text.left(300)));
}

void TstPageTools::savePage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("web archive") << "sivu.mhtml" << QByteArray("Content-Type: multipart/related");
    QTest::newRow("html only") << "sivu.html" << QByteArray("<title>Etsi</title>");
}

void TstPageTools::savePage()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, expected);
    QVERIFY(open("testi/etsi"));
    QTemporaryDir dir;
    const QString path = dir.filePath(file);
    m_prompts.files.enqueue(path);
    QSignalSpy saved(m_tools, &PageTools::pageSaved);
    m_tools->MenuItem3Click();
    QCOMPARE(m_prompts.asked, QStringList{"save: Tallenna sivu"});
    VS_TRY_COMPARE(saved.count(), 1);
    QCOMPARE(saved.first().at(0).toString(), path);
    QVERIFY(saved.first().at(1).toBool());
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY2(bytes.contains(expected), bytes.left(200).constData());
    // Cancelling the dialog saves nothing.
    m_tools->MenuItem3Click();
    waitMs(300);
    QCOMPARE(saved.count(), 1);
}

void TstPageTools::fullScreenToggle()
{
    QWidget *window = m_w->window;
    QVERIFY(!window->isMaximized());
    m_tools->MenuItem11Click();
    VS_TRY_VERIFY(window->windowState() & Qt::WindowMaximized);
    m_tools->MenuItem11Click();
    VS_TRY_VERIFY(!(window->windowState() & Qt::WindowMaximized));
}

void TstPageTools::cacheEmptied()
{
    TVasaroselain *view = open("testi/valimuisti");
    QVERIFY(view);
    const QString cache = m_profile->profile()->cachePath();
    const auto cacheFiles = [&] {
        QStringList out;
        QDirIterator it(cache, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            out << it.next();
        return out;
    };
    VS_TRY_VERIFY(!cacheFiles().isEmpty());
    // Another tab gets the picture from the cache.
    m_market.clear();
    m_w->tabs->uuteenikkunaan(base() + "testi/valimuisti");
    QVERIFY(loaded(m_w->tabs->activeBrowser(), "valimuisti"));
    QVERIFY(m_market.requests("www.vasaro.test", "/testi/kuva.gif").isEmpty());

    // The cache's entries (its index files are kept).
    QStringList entries;
    for (const QString &file : cacheFiles())
        if (!file.contains(QLatin1String("index")))
            entries << file;
    QVERIFY(!entries.isEmpty());

    QSignalSpy done(m_tools, &PageTools::cacheEmptied);
    m_tools->MenuItem28Click();
    QVERIFY(m_panel->isVisible());
    QCOMPARE(m_panel->label(), QStringLiteral("Tyhjennetään.."));
    QCOMPARE(m_panel->pos(), QPoint(m_w->window->width() / 2 - m_panel->width() / 2,
                                    m_w->window->height() / 2 - m_panel->height() / 2));
    VS_TRY_COMPARE(done.count(), 1);
    QCOMPARE(done.first().first().toBool(), false);
    QVERIFY(!m_panel->isVisible());
    QVERIFY(m_panel->label().isEmpty());
    QCOMPARE(m_w->shell.notices, QStringList{"Tyhjennetty!/3"});

    // Every entry is gone from the disk. (A new marketplace tab may still get
    // the picture without a request: the marketplace's tabs share one
    // renderer, whose own memory keeps what its pages have shown.)
    for (const QString &file : std::as_const(entries))
        QVERIFY2(!QFile::exists(file), qPrintable(file));
}

void TstPageTools::cacheCancelled()
{
    QVERIFY(open("testi/valimuisti"));
    QSignalSpy done(m_tools, &PageTools::cacheEmptied);
    m_tools->MenuItem28Click();
    QTest::mouseClick(m_panel->cancelButton(), Qt::LeftButton);
    QVERIFY(!m_panel->isVisible());
    VS_TRY_COMPARE(done.count(), 1);
    QCOMPARE(done.first().first().toBool(), true);
    QVERIFY(m_w->shell.notices.isEmpty());
    QVERIFY(m_panel->label().isEmpty());
}

void TstPageTools::desktopLauncher()
{
    const QString desktop = m_xdg.filePath("Työpöytä");
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), desktop);
    m_tools->LuoPikakuvake1Click();
    QFile f(desktop + "/VSselain.desktop");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains(("Exec=\"" + QCoreApplication::applicationFilePath() + "\"").toUtf8()));
    QCOMPARE(m_w->shell.notices, QStringList{"Pikakuvake luotu!/3"});

    // A desktop folder that cannot be written: an error, no success notice.
    QDir(desktop).removeRecursively();
    QFile blocker(desktop);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_tools->LuoPikakuvake1Click();
    QCOMPARE(m_w->shell.notices.size(), 1);
    QCOMPARE(m_prompts.asked, QStringList{"error: Pikakuvakkeen luominen ei onnistunut!"});
    QFile::remove(desktop);
}

void TstPageTools::favouritesMenu()
{
    writeFavourite("Kansio/Sisällä.url", base() + "testi/otsikko?t=Sisalla");
    writeFavourite(QString(60, u'p') + ".url", base() + "testi/otsikko?t=Pitka");
    writeFavourite("Etusivu.url", base());
    QDir().mkpath(favourites() + "/Tyhjä");
    FavoritesMenu *menu = m_tools->favoritesMenu();
    menu->rebuild();
    const QList<QAction *> items = menu->actions();
    QStringList captions;
    for (QAction *a : items)
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions, (QStringList{"Lisää suosikkeihin", "Järjestä suosikit", "-", "Kansio", "Tyhjä", "Etusivu",
                                    QString(50, u'p') + "..."}));
    QVERIFY(items.at(3)->menu());

    // An empty sub-folder shows one greyed " (Empty) " item when opened.
    QMenu *empty = items.at(4)->menu();
    QVERIFY(empty);
    emit empty->aboutToShow();
    QCOMPARE(empty->actions().size(), 1);
    QCOMPARE(empty->actions().first()->text(), QStringLiteral(" (Empty) "));
    QVERIFY(!empty->actions().first()->isEnabled());

    // A favourite inside a sub-folder opens in the active tab.
    QMenu *folder = items.at(3)->menu();
    emit folder->aboutToShow();
    emit folder->aboutToShow();   // filled once
    QCOMPARE(folder->actions().size(), 1);
    folder->actions().first()->trigger();
    QVERIFY(loaded(m_w->tabs->activeBrowser(), "t=Sisalla"));
    items.at(6)->trigger();
    QVERIFY(loaded(m_w->tabs->activeBrowser(), "t=Pitka"));
}

void TstPageTools::favouritesAddAndDelete()
{
    FavoritesMenu *menu = m_tools->favoritesMenu();
    QVERIFY(open("testi/otsikko?t=Hyvä sivu"));
    menu->lisaaSuosikkeihin();
    QCOMPARE(FavoritesFolder::target(favourites() + "/Hyvä sivu.url"), base() + "testi/otsikko?t=Hyvä sivu");
    QCOMPARE(menu->actions().last()->text(), QStringLiteral("Hyvä sivu"));

    // A right click on a favourite asks; Cancel keeps it, OK deletes it.
    menu->popup(QPoint(10, 10));
    VS_TRY_VERIFY(menu->isVisible());
    QAction *favourite = menu->actions().last();
    m_prompts.answers.enqueue(Prompts::Answer::No);
    QTest::mouseClick(menu, Qt::RightButton, {}, menu->actionGeometry(favourite).center());
    QCOMPARE(m_prompts.asked, QStringList{"confirm: Poista suosikeista?"});
    QVERIFY(QFile::exists(favourites() + "/Hyvä sivu.url"));
    menu->popup(QPoint(10, 10));
    VS_TRY_VERIFY(menu->isVisible());
    favourite = menu->actions().last();
    QTest::mouseClick(menu, Qt::RightButton, {}, menu->actionGeometry(favourite).center());
    QVERIFY(!QFile::exists(favourites() + "/Hyvä sivu.url"));
    QCOMPARE(menu->actions().last()->text(), QStringLiteral(" (Empty) "));
    // The fixed items do not react.
    m_prompts.asked.clear();
    menu->SuosikitRightClick(menu->actions().first());
    QVERIFY(m_prompts.asked.isEmpty());
    // Without an address nothing is added.
    FavoritesFolder folder(favourites());
    FavoritesMenu noPage(&folder, &m_prompts, [] { return FavoritesMenu::Page{}; });
    noPage.lisaaSuosikkeihin();
    QCOMPARE(m_prompts.asked, QStringList{"message: Sivulla ei ole osoitetta, jota lisätä suosikkeihin."});
}

void TstPageTools::favouritesOrganise()
{
    FolderOpener opener;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "open");
    writeFavourite("Uusi.url", base());
    m_tools->favoritesMenu()->jarjestaSuosikit();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(QDir::cleanPath(favourites()))});
    QCOMPARE(m_tools->favoritesMenu()->actions().last()->text(), QStringLiteral("Uusi"));
    QVERIFY(m_prompts.asked.isEmpty());
    // Nothing can open a folder here (the offscreen platform has no desktop
    // services): the message names the folder.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        return;
    m_tools->favoritesMenu()->jarjestaSuosikit();
    QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("message: Suosikkikansiota ei voitu avata. Se on täällä:\n")
                                          + QDir::toNativeSeparators(QDir::cleanPath(favourites()))});
}

void TstPageTools::linkMenuOpensNewTab()
{
    // The link menu's "Avaa uuteen välilehteen" on a link to an item page.
    TVasaroselain *view = open("testi/otsikko?t=Linkit");
    QVERIFY(view);
    evaluate(view->page(), "document.body.innerHTML = \"<a id='k' href='/testi/kohteet/12345678'>kohde</a>\"; 1");
    ContextMenus *menus = m_w->tabs->contextMenus();
    QVERIFY(rightClickUntil(view, "k", [&] { return menus->PopupMenu2()->isVisible(); }));
    QVERIFY(menus->linkItem(0)->isVisible());
    QVERIFY(!menus->linkItem(2)->isVisible());   // not wired here: hidden
    QCOMPARE(menus->linkAddress(), base() + "testi/kohteet/12345678");
    menus->PopupMenu2()->hide();
    m_w->shell.status.clear();
    menus->linkItem(0)->trigger();
    QVERIFY(loaded(m_w->tabs->browser(1), "kohteet/12345678"));
    QCOMPARE(m_w->tabs->activeIndex(), 1);
}

void TstPageTools::pageMenus()
{
    ContextMenus *menus = m_w->tabs->contextMenus();
    QMenu *page = menus->PopupMenu1();
    const auto shownItems = [&] {
        QList<int> out;
        for (int i = 0; i < ContextMenus::kPageItems; ++i)
            if (menus->pageItem(i)->isVisible())
                out << i;
        return out;
    };
    // On the new-listing form the editor menu, with the items that are wired.
    menus->setPageItemAvailable(14, true);
    TVasaroselain *view = open("testi/ilmoita");
    QVERIFY(view);
    m_w->shell.setAddressText(view->locationUrl() + "?uusi-ilmoitus");
    QVERIFY(rightClickUntil(view, "kuvaus", [&] { return page->isVisible(); }));
    QCOMPARE(shownItems(), (QList<int>{5, 6, 7, 8, 13, 14}));
    page->hide();
    QCOMPARE(shownItems(), QList<int>{0});   // back to the between-uses state

    // The tab strip's menu closes the tab it was opened over.
    m_w->tabs->uuteenikkunaan(base() + "testi/historia/1");
    QVERIFY(loaded(m_w->tabs->browser(1), "historia/1"));
    QTabBar *strip = m_w->tabs->pageControl()->tabBar();
    emit strip->customContextMenuRequested(strip->tabRect(1).center());
    VS_TRY_VERIFY(page->isVisible());
    QCOMPARE(shownItems(), QList<int>{0});
    menus->pageItem(0)->trigger();
    page->hide();
    QVERIFY(!m_w->tabs->isTabShown(1));

    // A link that does not lead to an item page: the engine's own menu.
    TVasaroselain *plain = open("testi/ikkunat");
    QVERIFY(plain);
    QVERIFY(rightClickUntil(plain, "tavallinen", [] { return QApplication::activePopupWidget() != nullptr; }));
    QWidget *engineMenu = QApplication::activePopupWidget();
    QVERIFY(engineMenu != page && engineMenu != menus->PopupMenu2());
    engineMenu->close();
}

void TstPageTools::nothingWithoutHtmlDocument()
{
    TVasaroselain *view = open("testi/kuva.gif");
    QVERIFY(view);
    m_tools->zpnClick(ZoomRule::Step::Larger);
    QCOMPARE(view->zoomPercent(), 100);
    QCOMPARE(view->zoomFactor(), 1.0);
    m_tools->MenuItem7Click();
    m_tools->MenuItem3Click();
    m_tools->MenuItem10Click();
    QVERIFY(m_prompts.asked.isEmpty());
    QCOMPARE(m_w->tabs->count(), 1);
}

QTEST_MAIN(TstPageTools)
#include "tst_pagetools.moc"
