// Tabs and navigation in the real browser on the fake marketplace: tabs
// created, reused and closed with stable indices, captions, new windows,
// refused window closing, the toolbar, the travel-log menu and the address box.
#include "browser/tools/favoritesfolder.h"
#include "browser/tabs/tabstrip.h"
#include "browser/tabs/typedurls.h"
#include "core/paths.h"
#include "fakemarketplace.h"
#include "tabsfixture.h"
#include <QAbstractItemView>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QWebEngineHistory>
#include <QtTest>

using namespace TabsTest;

class TstTabs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void firstTabOnHomePage();
    void captions_data();
    void captions();
    void closedTabIsHiddenAndReused();
    void closingActiveGoesLeftSkippingHidden();
    void firstTabNeverCloses();
    void middleClickClosesTabUnderMouse();
    void newWindowBecomesTab_data();
    void newWindowBecomesTab();
    void newWindowTakesBusyHiddenTab();
    void windowCloseRefused();
    void ownWindowWhenAsked();
    void newBlankTab_data();
    void newBlankTab();
    void openLinkInNewTab();
    void userTabChangeRunsVaihto();
    void backForwardAndTravelLog();
    void refreshRule();
    void homeAndWatchList();
    void addressBoxEnterAndHistory();
    void addressBoxDeleteAndCap();
    void enterSubmitsPageForm();
    void stripDrawing();
    void shutdownBlanksTabs();

private:
    TVasaroselain *openTab(const QString &path);
    QString base() const { return m_endpoints.webBase(); }

    FakeMarketplace m_market;
    Endpoints m_endpoints;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TabsWindow> m_w;
};

void TstTabs::initTestCase()
{
    QVERIFY(kSchemesRegistered);
    QVERIFY(m_market.start());
    m_endpoints = Endpoints::fromEnvironment();
    m_settings.kotisivu = m_endpoints.webBase();
    m_profile = std::make_unique<BrowserProfile>(&m_settings, m_endpoints);
}

void TstTabs::init()
{
    m_settings.siirry = true;
    QFile::remove(m_market.dataDir() + "/TypedURLs.txt");
    m_w = std::make_unique<TabsWindow>(m_profile.get(), &m_settings, m_endpoints, &m_prompts, m_market.dataDir());
    QVERIFY(loaded(m_w->tabs->browser(0), "www.vasaro.test/"));
}

void TstTabs::cleanup()
{
    m_w.reset();
}

void TstTabs::cleanupTestCase()
{
    m_profile.reset();
}

TVasaroselain *TstTabs::openTab(const QString &path)
{
    return openInNewTab(*m_w, base(), path);
}

void TstTabs::firstTabOnHomePage()
{
    TabManager *tabs = m_w->tabs;
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->activeIndex(), 0);
    VS_TRY_COMPARE(tabs->caption(0), QStringLiteral("Vasaro - etusivu"));
    QCOMPARE(tabs->aktiivisivu_locationurl(), base());
    QCOMPARE(tabs->aktiivisivu_locationname(), QStringLiteral("Vasaro - etusivu"));
    QCOMPARE(tabs->browser(0)->zoomPercent(), 100);
    QCOMPARE(tabs->browser(0)->pageIndex(), 0);
}

void TstTabs::captions_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("caption");
    QTest::newRow("27 whole") << "testi/otsikko?t=" + QString(27, u'a') << QString(27, u'a');
    QTest::newRow("28 cut") << "testi/otsikko?t=" + QString(27, u'a') + "b" << QString(25, u'a') + "..";
    QTest::newRow("new listing") << "testi/ilmoita" << "Uusi kohde..";
    // Without a title the engine names the page by its address.
    QTest::newRow("no title") << "testi/otsikko?t=" << "www.vasaro.test/testi/ots..";
    // A blank tab waits for an address: it is new, not loading.
    QTest::newRow("blank") << "about:blank" << "Uusi välilehti";
}

void TstTabs::captions()
{
    QFETCH(QString, path);
    QFETCH(QString, caption);
    const QString url = path.startsWith("about:") ? path : base() + path;
    m_w->tabs->uuteenikkunaan(url);
    QVERIFY(loaded(m_w->tabs->activeBrowser(), path));
    QCOMPARE(m_w->tabs->activeIndex(), 1);
    VS_TRY_COMPARE(m_w->tabs->caption(1), caption);
}

void TstTabs::closedTabIsHiddenAndReused()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *one = openTab("testi/historia/1");
    QVERIFY(one);
    QVERIFY(clickElement(one, "seuraava"));
    QVERIFY(loaded(one, "historia/2"));
    QVERIFY(one->vasaroPage()->history()->canGoBack());
    one->tabState().approval = QStringLiteral("Hyvaksy");
    QVERIFY(openTab("testi/otsikko?t=Kaksi"));
    QCOMPARE(tabs->count(), 3);

    tabs->suljesivu(1);
    QVERIFY(!tabs->isTabShown(1));
    QCOMPARE(one->vasaroPage()->LocationURL(), QStringLiteral("about:blank"));
    QVERIFY(one->tabState().approval.isEmpty());
    QVERIFY(!one->vasaroPage()->history()->canGoBack());
    QCOMPARE(tabs->activeIndex(), 2);      // closing a background tab keeps the active one

    // The hidden tab is taken again: same index, same browser object.
    tabs->uuteenikkunaan(base() + "testi/otsikko?t=Uudelleen");
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->activeIndex(), 1);
    QCOMPARE(tabs->browser(1), one);
    QVERIFY(tabs->isTabShown(1));
    QCOMPARE(tabs->caption(1), QStringLiteral("Avataan.."));
    QVERIFY(loaded(one, "Uudelleen"));
    VS_TRY_COMPARE(tabs->caption(1), QStringLiteral("Uudelleen"));
}

void TstTabs::closingActiveGoesLeftSkippingHidden()
{
    TabManager *tabs = m_w->tabs;
    QVERIFY(openTab("testi/otsikko?t=Toinen"));
    QVERIFY(openTab("testi/otsikko?t=Kolmas"));
    tabs->suljesivu(1);
    tabs->activate(2);
    tabs->suljesivu(2);
    QCOMPARE(tabs->activeIndex(), 0);
    QVERIFY(!tabs->isTabShown(2));
    // The tab change ran: the address box shows the first tab's page.
    QCOMPARE(m_w->shell.addressText(), base());
}

void TstTabs::firstTabNeverCloses()
{
    TabManager *tabs = m_w->tabs;
    tabs->Suljepois();
    tabs->suljesivu(0);
    QVERIFY(tabs->isTabShown(0));
    QCOMPARE(tabs->browser(0)->vasaroPage()->LocationURL(), base());
}

// The tab under the mouse closes, not the active one (which may be the page
// the user still wants); over the first tab nothing closes.
void TstTabs::middleClickClosesTabUnderMouse()
{
    TabManager *tabs = m_w->tabs;
    QVERIFY(openTab("testi/otsikko?t=Toinen"));
    QVERIFY(openTab("testi/otsikko?t=Kolmas"));
    TabStrip *strip = tabs->pageControl()->strip();
    QTest::mouseClick(strip, Qt::MiddleButton, {}, strip->tabRect(1).center());
    VS_TRY_VERIFY(!tabs->isTabShown(1));
    QVERIFY(tabs->isTabShown(2));
    QCOMPARE(tabs->activeIndex(), 2);
    QTest::mouseClick(strip, Qt::MiddleButton, {}, strip->tabRect(0).center());
    QVERIFY(tabs->isTabShown(0));
    QVERIFY(tabs->isTabShown(2));
}

void TstTabs::newWindowBecomesTab_data()
{
    QTest::addColumn<QString>("element");
    QTest::addColumn<bool>("siirry");
    QTest::addColumn<QString>("title");
    QTest::newRow("target=_blank") << "blank" << true << "Uusi sivu";
    QTest::newRow("target=_blank, siirry off") << "blank" << false << "Uusi sivu";
    QTest::newRow("window.open") << "avaa" << true << "Avattu";
    QTest::newRow("window.open, siirry off") << "avaa" << false << "Avattu";
}

void TstTabs::newWindowBecomesTab()
{
    QFETCH(QString, element);
    QFETCH(bool, siirry);
    QFETCH(QString, title);
    TabManager *tabs = m_w->tabs;
    m_settings.siirry = siirry;
    TVasaroselain *page = openTab("testi/ikkunat");
    QVERIFY(page);
    QCOMPARE(m_w->shell.addressText(), base() + "testi/ikkunat");
    QVERIFY(clickElement(page, element));
    VS_TRY_COMPARE(tabs->count(), 3);
    TVasaroselain *opened = tabs->browser(2);
    QVERIFY(loaded(opened, "otsikko"));
    VS_TRY_COMPARE(tabs->caption(2), title);
    QVERIFY(tabs->isTabShown(2));
    if (siirry) {
        QCOMPARE(tabs->activeIndex(), 2);
        VS_TRY_VERIFY(m_w->shell.addressText().contains("otsikko"));
    } else {
        // The new tab loads in the background; the address box keeps the current page.
        QCOMPARE(tabs->activeIndex(), 1);
        QCOMPARE(m_w->shell.addressText(), base() + "testi/ikkunat");
    }
    QCOMPARE(page->vasaroPage()->LocationURL(), base() + "testi/ikkunat");
}

void TstTabs::newWindowTakesBusyHiddenTab()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *one = openTab("testi/ikkunat");
    QVERIFY(one);
    QVERIFY(openTab("testi/ikkunat"));
    tabs->suljesivu(1);
    // The hidden tab is still loading a page: an address opened from the
    // program skips it...
    one->vasaroPage()->Navigate(QUrl(base() + "testi/hidas?ms=3000"));
    QVERIFY(one->vasaroPage()->ReadyState() != 4);
    tabs->uuteenikkunaan(base() + "testi/otsikko?t=Uusi");
    QCOMPARE(tabs->count(), 4);
    QCOMPARE(tabs->activeIndex(), 3);
    QVERIFY(!tabs->isTabShown(1));
    // ... but a page's new window takes it.
    TVasaroselain *two = tabs->browser(2);
    tabs->activate(2);
    QVERIFY(clickElement(two, "blank"));
    VS_TRY_VERIFY(tabs->isTabShown(1));
    QCOMPARE(tabs->count(), 4);
    QVERIFY(loaded(one, "otsikko?t=Uusi"));
}

void TstTabs::windowCloseRefused()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *page = openTab("testi/ikkunat");
    QVERIFY(page);
    QSignalSpy closeAsked(page->vasaroPage(), &QWebEnginePage::windowCloseRequested);
    QVERIFY(clickElement(page, "sulje"));
    VS_TRY_COMPARE(closeAsked.count(), 1);
    waitMs(200);
    QVERIFY(tabs->isTabShown(1));
    QCOMPARE(tabs->activeIndex(), 1);
    QCOMPARE(page->vasaroPage()->LocationURL(), base() + "testi/ikkunat");
}

void TstTabs::ownWindowWhenAsked()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *page = openTab("testi/ikkunat");
    QVERIFY(page);
    // A "javascript:...newwindow" navigation asks for a window of its own.
    NavigationArgs args;
    args.url = QUrl(QStringLiteral("javascript:newwindow('x')"));
    m_w->pipeline.WBBeforeNavigate2(*page, args);
    QVERIFY(m_w->pipeline.openInOwnWindow());
    QVERIFY(clickElement(page, "blank"));
    TVasaroselain *window = nullptr;
    VS_TRY_VERIFY(window = [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *v = qobject_cast<TVasaroselain *>(w); v && v->isVisible())
                return v;
        return static_cast<TVasaroselain *>(nullptr);
    }());
    VS_TRY_VERIFY(window->vasaroPage()->ReadyState() == 4 && window->locationUrl().contains("otsikko"));
    QCOMPARE(tabs->count(), 2);
    QVERIFY(!m_w->pipeline.openInOwnWindow());   // one window only
    // The next new window is a tab again.
    QVERIFY(clickElement(page, "blank"));
    VS_TRY_COMPARE(tabs->count(), 3);
    window->close();
}

void TstTabs::newBlankTab_data()
{
    QTest::addColumn<bool>("siirry");
    QTest::newRow("siirry on") << true;
    QTest::newRow("siirry off") << false;
}

void TstTabs::newBlankTab()
{
    QFETCH(bool, siirry);
    m_settings.siirry = siirry;
    TabManager *tabs = m_w->tabs;
    tabs->MenuItem2Click();
    QCOMPARE(tabs->count(), 2);
    QVERIFY(loaded(tabs->browser(1), "about:blank"));
    VS_TRY_COMPARE(tabs->caption(1), QStringLiteral("Uusi välilehti"));
    QCOMPARE(tabs->activeIndex(), siirry ? 1 : 0);
    // Shown, it waits for an address: the box is empty and has the focus.
    QCOMPARE(m_w->shell.addressText(), siirry ? QString() : base());
    if (siirry) {
        QWidget *box = m_w->bar->addressBox();
        QVERIFY(QApplication::focusWidget() == box || box->isAncestorOf(QApplication::focusWidget()));
    }
}

void TstTabs::openLinkInNewTab()
{
    TabManager *tabs = m_w->tabs;
    // The status-bar text wins when it holds a "/".
    m_w->shell.status = base() + "testi/otsikko?t=Tilarivi";
    tabs->setLinkAddress(base() + "testi/otsikko?t=Linkki");
    tabs->Avaauuteenikkunaan1Click();
    QVERIFY(loaded(tabs->browser(1), "Tilarivi"));
    QVERIFY(tabs->linkAddress().isEmpty());
    // Otherwise the remembered link address, in the background with siirry off.
    m_settings.siirry = false;
    m_w->shell.status = QStringLiteral("Valmis");
    tabs->setLinkAddress(base() + "testi/otsikko?t=Linkki");
    tabs->Avaauuteenikkunaan1Click();
    QVERIFY(loaded(tabs->browser(2), "Linkki"));
    QCOMPARE(tabs->activeIndex(), 1);
    QCOMPARE(m_w->shell.addressText(), base() + "testi/otsikko?t=Tilarivi");
}

void TstTabs::userTabChangeRunsVaihto()
{
    TabManager *tabs = m_w->tabs;
    bool previewClosed = false;
    int formShown = 0;
    FeatureStubs &stubs = m_w->stubs;
    stubs.preview = true;
    stubs.onClosePreview = [&] { previewClosed = true; };
    stubs.signedIn = true;
    stubs.onVakiopohjat = [&] { ++formShown; };
    tabs->features() = stubs.tabFeatures();
    QVERIFY(openTab("testi/kohteet/12345678"));
    QVERIFY(openTab("testi/haku"));
    QVERIFY(openTab("testi/ilmoita?uusi-ilmoitus"));
    TabStrip *strip = tabs->pageControl()->strip();
    FakeShellHost &shell = m_w->shell;

    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(1).center());
    QCOMPARE(tabs->activeIndex(), 1);
    QVERIFY(previewClosed);
    QCOMPARE(shell.addressText(), base() + "testi/kohteet/12345678");
    QVERIFY(shell.visible.value("XiButton14"));
    QCOMPARE(shell.captions.value("XiButton14"), QStringLiteral("Lisää suosikkimyyjiin"));
    QVERIFY(shell.visible.value("postia"));
    QVERIFY(!shell.visible.value("aukiolopaneeli"));

    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(2).center());
    QCOMPARE(shell.captions.value("XiButton14"), QStringLiteral("Lisää suosikkihakuihin"));
    QVERIFY(!shell.visible.value("postia"));

    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(3).center());
    QVERIFY(!shell.visible.value("XiButton14"));
    QVERIFY(shell.visible.value("aukiolopaneeli"));
    QVERIFY(shell.visible.value("ppohjat"));
    QCOMPARE(formShown, 1);

    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(0).center());
    QVERIFY(!shell.visible.value("aukiolopaneeli"));
    QCOMPARE(shell.addressText(), base());
}

void TstTabs::backForwardAndTravelLog()
{
    TabManager *tabs = m_w->tabs;
    // Back without history: nothing happens.
    tabs->Selain_taakseClick();
    tabs->Selain_eteenClick();
    waitMs(100);
    QCOMPARE(tabs->aktiivisivu_locationurl(), base());

    TVasaroselain *view = tabs->browser(0);
    for (int n = 1; n <= 13; ++n) {
        tabs->aktiivisivu_navigate(base() + QStringLiteral("testi/historia/%1").arg(n));
        QVERIFY(loaded(view, QStringLiteral("historia/%1").arg(n)));
    }
    tabs->Selain_taakseClick();
    QVERIFY(loaded(view, "historia/12"));

    // Right mouse button on the back button: the nearest 10 entries behind.
    QToolButton *back = m_w->bar->backButton();
    QTest::mousePress(back, Qt::RightButton);
    QMenu *menu = tabs->historyMenu();
    VS_TRY_VERIFY(menu->isVisible());
    QList<QAction *> items = menu->actions();
    QCOMPARE(items.size(), 10);
    QCOMPARE(items.first()->text(), QStringLiteral("Sivu 11"));
    QCOMPARE(items.last()->text(), QStringLiteral("Sivu 2"));
    QCOMPARE(items.first()->toolTip(), base() + "testi/historia/11");
    items.at(2)->trigger();   // three entries back
    menu->hide();
    QVERIFY(loaded(view, "historia/9"));

    // Middle button on forward: the entries ahead, nearest first.
    QTest::mousePress(m_w->bar->forwardButton(), Qt::MiddleButton);
    VS_TRY_VERIFY(menu->isVisible());
    items = menu->actions();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items.first()->text(), QStringLiteral("Sivu 10"));
    QCOMPARE(items.last()->text(), QStringLiteral("Sivu 13"));
    items.at(1)->trigger();
    menu->hide();
    QVERIFY(loaded(view, "historia/11"));

    tabs->Selain_eteenClick();
    QVERIFY(loaded(view, "historia/12"));
}

void TstTabs::refreshRule()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *view = openTab("testi/otsikko?t=Ensin");
    QVERIFY(view);
    // A marketplace address in the box is navigated to, not the page reloaded.
    m_w->shell.setAddressText(base() + "testi/otsikko?t=Laatikosta");
    tabs->Selain_refreshClick();
    QVERIFY(loaded(view, "Laatikosta"));

    // Any other text reloads the page shown.
    m_market.clear();
    m_w->shell.setAddressText(QStringLiteral("http://muu.test/jotain"));
    tabs->Selain_refreshClick();
    QCOMPARE(requestsSeen(m_market, "www.vasaro.test", "/testi/otsikko", 1), 1);
    QVERIFY(m_market.requests("muu.test").isEmpty());
    QVERIFY(loaded(view, "Laatikosta"));
}

void TstTabs::homeAndWatchList()
{
    TabManager *tabs = m_w->tabs;
    TVasaroselain *view = openTab("testi/otsikko?t=Jossain");
    m_settings.kotisivu = base() + "testi/otsikko?t=Kotisivu";
    tabs->Selain_kirjanmerkitClick();
    QVERIFY(loaded(view, "omasivu/muistilista"));
    tabs->Selain_kotiinClick();   // the marketplace, not the configured home page
    QVERIFY(waitFor([&] { return view->vasaroPage()->LocationURL() == base() && !view->vasaroPage()->Busy(); },
                            10000));
    m_settings.kotisivu = base();
}

void TstTabs::addressBoxEnterAndHistory()
{
    const QString file = m_market.dataDir() + "/TypedURLs.txt";
    AddressBox *box = m_w->bar->addressBox();
    TVasaroselain *view = m_w->tabs->browser(0);

    // A bare host name with a dot: navigated and added.
    box->setFocus();
    box->setEditText(QStringLiteral("www.vasaro.test/testi/otsikko?t=Kirjoitettu"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    // The focus moves to the toolbar panel (until the page takes it when done).
    QCOMPARE(m_w->window->focusWidget(), m_w->bar);
    QVERIFY(loaded(view, "Kirjoitettu"));
    QCOMPARE(TypedUrls(file).list(), QStringList{"www.vasaro.test/testi/otsikko?t=Kirjoitettu"});

    // A full address with a scheme: navigated, not added.
    box->setEditText(base() + "testi/historia/3");
    QTest::keyClick(box->lineEdit(), Qt::Key_Enter);
    QVERIFY(loaded(view, "historia/3"));
    QCOMPARE(TypedUrls(file).list().size(), 1);

    // The same text again takes no second slot.
    box->setEditText(QStringLiteral("www.vasaro.test/testi/otsikko?t=Kirjoitettu"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QVERIFY(loaded(view, "Kirjoitettu"));
    QCOMPARE(TypedUrls(file).values().size(), 1);

    // Choosing a list item navigates to it.
    box->showPopup();
    QCOMPARE(box->count(), 1);
    box->hidePopup();
    m_w->tabs->aktiivisivu_navigate(base() + "testi/historia/4");
    QVERIFY(loaded(view, "historia/4"));
    // (a click on the entry in the opened list; the box's own activation,
    // which the wheel and the arrow keys also give, does not navigate)
    box->showPopup();
    const QRect entry = box->view()->visualRect(box->model()->index(0, 0));
    QTest::mousePress(box->view()->viewport(), Qt::LeftButton, {}, entry.center());
    QTest::mouseRelease(box->view()->viewport(), Qt::LeftButton, {}, entry.center());
    QVERIFY(loaded(view, "Kirjoitettu"));
}

void TstTabs::addressBoxDeleteAndCap()
{
    const QString file = m_market.dataDir() + "/TypedURLs.txt";
    QStringList stored;
    for (int i = 1; i <= 24; ++i)
        stored << QStringLiteral("s%1.vasaro.test").arg(i);
    stored << QString() << QStringLiteral("s1.vasaro.test");   // blank and repeat dropped on reading
    QVERIFY(TypedUrls(file).write(stored));
    AddressBox *box = m_w->bar->addressBox();
    box->showPopup();
    QCOMPARE(box->count(), 24);

    // Delete in the open list removes the highlighted entry from list and file.
    box->view()->setCurrentIndex(box->model()->index(2, 0));
    QVERIFY(box->listOpenWithSelection());
    QTest::keyClick(box->view(), Qt::Key_Delete);
    QCOMPARE(box->count(), 23);
    QVERIFY(box->findText("s3.vasaro.test") < 0);
    QVERIFY(!TypedUrls(file).values().values().contains("s3.vasaro.test"));
    box->hidePopup();

    // Room for two more, then the history is full.
    for (const char *host : {"uusi1.vasaro.test", "uusi2.vasaro.test", "uusi3.vasaro.test"}) {
        box->setEditText(QString::fromLatin1(host));
        QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    }
    const QStringList list = TypedUrls(file).list();
    QCOMPARE(list.size(), 25);
    QVERIFY(list.contains("uusi1.vasaro.test"));
    QVERIFY(list.contains("uusi2.vasaro.test"));
    QVERIFY(!list.contains("uusi3.vasaro.test"));
}

void TstTabs::enterSubmitsPageForm()
{
    TVasaroselain *view = openTab("testi/lomake");
    QVERIFY(view);
    QVERIFY(clickElement(view, "q"));
    QTest::keyClicks(view->focusProxy(), QStringLiteral("vasara"));
    QTest::keyClick(view->focusProxy(), Qt::Key_Return);
    QVERIFY(loaded(view, "tulos?q=vasara"));
    VS_TRY_COMPARE(m_w->tabs->caption(1), QStringLiteral("Tulos vasara"));
}

void TstTabs::stripDrawing()
{
    TabManager *tabs = m_w->tabs;
    QVERIFY(openTab("testi/otsikko?t=Sama"));
    QVERIFY(openTab("testi/otsikko?t=Sama"));
    VS_TRY_COMPARE(tabs->caption(1), QStringLiteral("Sama"));
    VS_TRY_COMPARE(tabs->caption(2), QStringLiteral("Sama"));
    TabStrip *strip = tabs->pageControl()->strip();
    QCOMPARE(TabStrip::tabColour(), QColor(0xA6, 0xCA, 0xF0));
    QImage image(strip->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    strip->render(&image);
    const auto darkPixels = [&](int index) {
        const QRect r = strip->tabRect(index);
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += qGray(image.pixel(x, y)) < 100;
        return n;
    };
    const QRect r1 = strip->tabRect(1);
    QCOMPARE(QColor(image.pixel(r1.left() + 2, r1.bottom() - 1)), TabStrip::tabColour());
    // The same caption is drawn bold on the active tab.
    QVERIFY2(darkPixels(2) > darkPixels(1) * 11 / 10,
             qPrintable(QStringLiteral("%1 vs %2").arg(darkPixels(2)).arg(darkPixels(1))));
    // A hidden tab is not drawn.
    tabs->suljesivu(1);
    QVERIFY(!strip->tabRect(1).isValid() || !strip->isTabVisible(1));
}

void TstTabs::shutdownBlanksTabs()
{
    TabManager *tabs = m_w->tabs;
    QVERIFY(openTab("testi/otsikko?t=Toinen"));
    QVERIFY(openTab("testi/otsikko?t=Kolmas"));
    tabs->suljesivu(1);
    TVasaroselain *hidden = tabs->browser(1);
    hidden->vasaroPage()->Navigate(QUrl(base() + "testi/otsikko?t=Piilossa"));
    QVERIFY(loaded(hidden, "Piilossa"));
    tabs->suljeKaikkiSivut();
    QCOMPARE(tabs->browser(0)->vasaroPage()->LocationURL(), QStringLiteral("about:blank"));
    QCOMPARE(tabs->browser(2)->vasaroPage()->LocationURL(), QStringLiteral("about:blank"));
    QVERIFY(hidden->vasaroPage()->LocationURL().contains("Piilossa"));   // closed tabs are left alone
}

QTEST_MAIN(TstTabs)
#include "tst_tabs.moc"
