// The browser's everyday tools in the assembled main window, driven as a
// user drives them: keys to the focus widget of the active window, clicks on
// the widget under the point. Tabs (close buttons, Ctrl+W, Ctrl+Shift+T, the
// "+" button, Ctrl+T), the find bar (F3), Ctrl+F's highlights, zoom, the link
// menu, the downloads list (Ctrl+J), the history (Ctrl+Shift+H), PDF and
// printing (Ctrl+P).
#include "app/tform1.h"
#include "browser/downloads/downloadlist.h"
#include "browser/downloads/downloadswindow.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/findbar/findbar.h"
#include "browser/history/historystore.h"
#include "browser/history/historywindow.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/addressbox.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "browser/tabs/tabstrip.h"
#include "browser/tools/pageprinter.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include "stillafter.h"
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QWebEngineHistory>
#include <QWebEngineSettings>
#include <QtTest>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kBase = QStringLiteral("http://www.vasaro.test/");

// Prompts that note what the address box showed while a save dialog was open.
class WatchingPrompts final : public Prompts {
public:
    ScriptedPrompts inner;
    std::function<QString()> address;
    QStringList addressAtSave;

    void information(const QString &t) override { inner.information(t); }
    void message(const QString &t) override { inner.message(t); }
    void error(const QString &t) override { inner.error(t); }
    Answer confirm(const QString &t, bool c) override { return inner.confirm(t, c); }
    std::optional<QString> input(const QString &c, const QString &l, const QString &v) override
    { return inner.input(c, l, v); }
    QString openFileName(const QString &c, const QString &d, const QString &f) override
    { return inner.openFileName(c, d, f); }
    QStringList openFileNames(const QString &c, const QString &d, const QString &f) override
    { return inner.openFileNames(c, d, f); }
    QString saveFileName(const QString &c, const QString &d, const QString &f) override
    {
        if (address)
            addressAtSave << address();
        return inner.saveFileName(c, d, f);
    }
    SaveChoice saveFile(const QString &c, const QString &d, const QString &f) override
    { return inner.saveFile(c, d, f); }
    QString directory(const QString &c, const QString &d) override { return inner.directory(c, d); }
};

void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
}

void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

}

class TestBrowserTools : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    WatchingPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;
    QTemporaryDir m_files;

    TabManager &tabs() { return m_w->tabs(); }
    TVasaroselain *active() { return tabs().activeBrowser(); }
    TabStrip *strip() { return tabs().pageControl()->strip(); }
    QComboBox *addressBox() { return m_w->findChild<QComboBox *>(QStringLiteral("Ieaddress1")); }

    bool titled(TVasaroselain *view, const QString &title)
    {
        return waitFor([&] { return view && view->title() == title && !view->vasaroPage()->Busy(); }, 15000);
    }

    bool open(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(kBase + path);
        return titled(active(), title);
    }

    int shownTabs()
    {
        int n = 0;
        for (int i = 0; i < tabs().count(); ++i)
            n += tabs().isTabShown(i) ? 1 : 0;
        return n;
    }

    // The page must have drawn before it takes keys: focus it and wait.
    bool focusPage()
    {
        active()->setFocus();
        return waitFor([this] { return QApplication::focusWidget() == active()->focusProxy(); }, 3000);
    }

    // The centre of a page element in the view's coordinates.
    QPoint elementCentre(const QString &id)
    {
        const QVariantList r = WebTest::evaluate(active()->page(), QStringLiteral(
            "(function(){var r=document.getElementById('%1').getBoundingClientRect();"
            "return [r.left + r.width / 2, r.top + r.height / 2];})()").arg(id)).toList();
        return r.size() == 2 ? QPointF(r[0].toDouble(), r[1].toDouble()).toPoint() : QPoint(-1, -1);
    }

    bool clickInPage(const QString &id)
    {
        const QPoint at = elementCentre(id);
        return at.x() >= 0 && WebTest::clickAt(active(), at);
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
        QVERIFY(m_files.isValid());
    }

    void init()
    {
        m_prompts.inner = ScriptedPrompts();
        m_prompts.addressAtSave.clear();
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_prompts.address = [this] { return m_w->addressText(); };
        m_w->resize(1000, 760);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QVERIFY(titled(active(), QStringLiteral("Vasaro - etusivu")));
    }

    void cleanup()
    {
        if (m_w)
            m_w->close();
        m_w.reset();
    }

    // The close button of a tab closes that tab; Ctrl+W closes the active
    // one; Ctrl+Shift+T brings the last closed back at its address with its
    // history, so Back goes where it went before.
    void closeAndReopenTabs()
    {
        tabs().uuteenikkunaan(kBase + QStringLiteral("testi/selain/yksi"));
        QVERIFY(titled(active(), QStringLiteral("Selain yksi")));
        QVERIFY(clickInPage(QStringLiteral("seuraava")));
        QVERIFY(titled(active(), QStringLiteral("Selain yksi-2")));
        tabs().uuteenikkunaan(kBase + QStringLiteral("testi/selain/kaksi"));
        QVERIFY(titled(active(), QStringLiteral("Selain kaksi")));
        QCOMPARE(shownTabs(), 3);
        QVERIFY(!strip()->closeButton(0));   // the first tab never closes

        // A click on the second tab's close button: that tab, not the active third.
        QToolButton *close = strip()->closeButton(1);
        QVERIFY(close && close->isVisible());
        QVERIFY(WebTest::clickAt(close, close->rect().center()));
        QVERIFY(waitFor([this] { return !tabs().isTabShown(1); }, 5000));
        QCOMPARE(tabs().activeIndex(), 2);

        QVERIFY(focusPage());
        key(Qt::Key_W, Qt::ControlModifier);
        QVERIFY(waitFor([this] { return !tabs().isTabShown(2); }, 5000));
        QCOMPARE(tabs().activeIndex(), 0);
        QCOMPARE(shownTabs(), 1);

        // Newest closed first: "kaksi", then "yksi-2" with its way back.
        QVERIFY(focusPage());
        key(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(titled(active(), QStringLiteral("Selain kaksi")));
        QVERIFY(focusPage());
        key(Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(titled(active(), QStringLiteral("Selain yksi-2")));
        QCOMPARE(shownTabs(), 3);
        QVERIFY(waitFor([this] { return m_w->addressText() == kBase + QStringLiteral("testi/selain/yksi-2"); }, 5000));
        QVERIFY(active()->page()->history()->canGoBack());
        QVERIFY(focusPage());
        key(Qt::Key_Left, Qt::AltModifier);
        QVERIFY(titled(active(), QStringLiteral("Selain yksi")));
    }

    // A middle click and the tab menu's "Sulje" close the tab under the
    // mouse, not the active one.
    void closeTabUnderMouse()
    {
        tabs().uuteenikkunaan(kBase + QStringLiteral("testi/selain/yksi"));
        QVERIFY(titled(active(), QStringLiteral("Selain yksi")));
        tabs().uuteenikkunaan(kBase + QStringLiteral("testi/selain/kaksi"));
        QVERIFY(titled(active(), QStringLiteral("Selain kaksi")));
        QVERIFY(WebTest::clickAt(strip(), strip()->tabRect(1).center(), Qt::MiddleButton));
        QVERIFY(waitFor([this] { return !tabs().isTabShown(1); }, 5000));
        QVERIFY(tabs().isTabShown(2));
        QCOMPARE(tabs().activeIndex(), 2);
        // The first tab stays whatever is clicked.
        QVERIFY(WebTest::clickAt(strip(), strip()->tabRect(0).center(), Qt::MiddleButton));
        QVERIFY(tabs().isTabShown(0));

        // The tab menu over the second of three tabs: "Sulje" closes that one.
        tabs().uuteenikkunaan(kBase + QStringLiteral("testi/selain/kolme"));
        QVERIFY(titled(active(), QStringLiteral("Selain kolme")));
        const int under = 1;
        QCOMPARE(tabs().activeIndex(), under);   // the hidden tab was reused
        QVERIFY(tabs().isTabShown(2));
        tabs().activate(2);
        const QPoint at = strip()->tabRect(under).center();
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at, strip()->mapToGlobal(at));
        QApplication::sendEvent(strip(), &menuEvent);
        QMenu *menu = tabs().contextMenus()->PopupMenu1();
        QVERIFY(waitFor([&] { return menu->isVisible(); }, 3000));
        QAction *close = tabs().contextMenus()->pageItem(0);
        QVERIFY(close->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(close).center());
        QVERIFY(waitFor([this] { return !tabs().isTabShown(under); }, 5000));
        QVERIFY(tabs().isTabShown(2));
        QCOMPARE(tabs().activeIndex(), 2);
    }

    // Ctrl+T and the "+" button: a blank tab captioned "Uusi välilehti" with
    // an empty address box that has the focus, so typing goes there.
    void newBlankTab()
    {
        m_w->settings().siirry = true;
        QVERIFY(focusPage());
        key(Qt::Key_T, Qt::ControlModifier);
        QVERIFY(waitFor([this] { return tabs().activeIndex() == 1; }, 3000));
        QCOMPARE(tabs().caption(1), QStringLiteral("Uusi välilehti"));
        QVERIFY(waitFor([this] { return active()->vasaroPage()->ReadyState() == 4; }, 5000));
        quietFor(300);   // the blank page's own completion must not take the box back
        QCOMPARE(tabs().caption(1), QStringLiteral("Uusi välilehti"));
        QCOMPARE(m_w->addressText(), QString());
        QVERIFY(addressBox()->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == addressBox());
        type(QStringLiteral("www.vasaro.test/testi/selain/kirjoitettu"));
        key(Qt::Key_Return);
        QVERIFY(titled(active(), QStringLiteral("Selain kirjoitettu")));
        QVERIFY(waitFor([this] { return tabs().caption(1) == QStringLiteral("Selain kirjoitettu"); }, 5000));

        QToolButton *plus = strip()->newTabButton();
        QVERIFY(plus->isVisible());
        QVERIFY(plus->geometry().left() >= strip()->tabRect(1).right());
        QVERIFY(WebTest::clickAt(plus, plus->rect().center()));
        QVERIFY(waitFor([this] { return tabs().activeIndex() == 2; }, 3000));
        QCOMPARE(tabs().caption(2), QStringLiteral("Uusi välilehti"));
        QCOMPARE(m_w->addressText(), QString());
    }

    // F3 opens the find bar; typing counts the 17 matches, F3 and Enter go
    // forward, Shift+F3 and Shift+Enter back (round the end), a text not on
    // the page says "Ei löytynyt", Esc closes the bar.
    void findBar()
    {
        QVERIFY(open(QStringLiteral("testi/etsi17"), QStringLiteral("Etsintä")));
        FindBar *bar = m_w->findBar();
        QVERIFY(focusPage());
        key(Qt::Key_F3);
        QVERIFY(waitFor([&] { return bar->isVisible() && QApplication::focusWidget() == bar->field(); }, 3000));
        type(QStringLiteral("vasara"));
        QVERIFY2(waitFor([&] { return bar->countText() == QLatin1String("1/17"); }, 5000), qPrintable(bar->countText()));
        key(Qt::Key_F3);
        QVERIFY(waitFor([&] { return bar->countText() == QLatin1String("2/17"); }, 5000));
        key(Qt::Key_Return);
        QVERIFY(waitFor([&] { return bar->countText() == QLatin1String("3/17"); }, 5000));
        key(Qt::Key_F3, Qt::ShiftModifier);
        QVERIFY2(waitFor([&] { return bar->countText() == QLatin1String("2/17"); }, 5000), qPrintable(bar->countText()));
        key(Qt::Key_Return, Qt::ShiftModifier);
        QVERIFY(waitFor([&] { return bar->countText() == QLatin1String("1/17"); }, 5000));
        key(Qt::Key_F3, Qt::ShiftModifier);
        QVERIFY2(waitFor([&] { return bar->countText() == QLatin1String("17/17"); }, 5000), qPrintable(bar->countText()));

        type(QStringLiteral("xyz"));
        QVERIFY2(waitFor([&] { return bar->countText() == QStringLiteral("Ei löytynyt"); }, 5000),
                 qPrintable(bar->countText() + u'|' + bar->field()->text()));
        QVERIFY(bar->field()->palette().color(QPalette::Base) != m_w->palette().color(QPalette::Base));
        key(Qt::Key_Escape);
        QVERIFY(waitFor([&] { return !bar->isVisible(); }, 3000));
        QCOMPARE(WebTest::evaluate(active()->page(), QStringLiteral("window.getSelection().toString()")).toString(),
                 QString());
    }

    // Ctrl+F highlights; Ctrl+F again with the text emptied takes them away.
    void highlightsRemoved()
    {
        QVERIFY(open(QStringLiteral("testi/etsi17"), QStringLiteral("Etsintä")));
        const QString count = QStringLiteral(
            "document.querySelectorAll('span[style=\"background-color: Lime; font-weight: bolder;\"]').length");
        m_prompts.inner.inputs.enqueue(QStringLiteral("vasara"));
        QVERIFY(focusPage());
        key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(waitFor([&] { return WebTest::evaluate(active()->page(), count).toInt() == 17; }, 5000));
        m_prompts.inner.inputs.enqueue(QString());
        QVERIFY(focusPage());
        key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(waitFor([&] { return WebTest::evaluate(active()->page(), count).toInt() == 0; }, 5000));
        QVERIFY(WebTest::evaluate(active()->page(), QStringLiteral("document.body.innerText")).toString()
                    .contains(QStringLiteral("Viimeinen VASARA.")));
    }

    // The zoom level shows in the status line while it is not 100 %;
    // Ctrl+0 puts it back.
    void zoomResetAndShown()
    {
        QLabel *label = m_w->zoomLabel();
        QVERIFY(!label->isVisible());
        QVERIFY(focusPage());
        key(Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(waitFor([&] { return label->isVisible(); }, 3000));
        QCOMPARE(label->text(), QStringLiteral("Zoomaus 110 %"));
        QVERIFY(focusPage());
        key(Qt::Key_0, Qt::ControlModifier);
        QVERIFY(waitFor([&] { return !label->isVisible(); }, 3000));
        QCOMPARE(active()->zoomPercent(), 100);
    }

    // Every link menu offers the link's address for the clipboard.
    void copyLinkAddress()
    {
        ContextMenus *menus = tabs().contextMenus();
        QAction *copy = menus->PopupMenu2()->findChild<QAction *>(QStringLiteral("Kopioilinkinosoite1"));
        QVERIFY(copy);
        QCOMPARE(copy->text(), QStringLiteral("Kopioi linkin osoite"));
        QCOMPARE(active()->page()->action(QWebEnginePage::CopyLinkToClipboard)->text(),
                 QStringLiteral("Kopioi linkin osoite"));
        menus->setLinkAddress(kBase + QStringLiteral("kohteet/123"));
        copy->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), kBase + QStringLiteral("kohteet/123"));
    }

    // Ctrl+J lists a finished and a cancelled download; the status line
    // says when one is done; while the save dialog asks, the address box
    // keeps the page's address.
    void downloadsList()
    {
        QVERIFY(open(QStringLiteral("testi/lataukset"), QStringLiteral("Lataukset")));
        const QString done = m_files.filePath(QStringLiteral("hinnasto.csv"));
        QFile::remove(done);
        m_prompts.inner.files.enqueue(done);
        QVERIFY(clickInPage(QStringLiteral("liite")));
        QVERIFY(waitFor([&] { return QFile::exists(done); }, 10000));
        QCOMPARE(m_prompts.addressAtSave, QStringList{kBase + QStringLiteral("testi/lataukset")});
        QVERIFY(waitFor([this] { return m_w->statusText() == QLatin1String("Lataus valmis: hinnasto.csv"); }, 5000));

        const QString slow = m_files.filePath(QStringLiteral("hidas.bin"));
        m_prompts.inner.files.enqueue(slow);
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("testi/liite-hidas"));

        QVERIFY(focusPage());
        key(Qt::Key_J, Qt::ControlModifier);
        DownloadsWindow *window = m_w->downloadsWindow();
        QVERIFY(waitFor([&] { return window->isVisible(); }, 3000));
        QAbstractItemModel *model = window->table()->model();
        QVERIFY(waitFor([&] { return model->rowCount() == 2; }, 10000));
        const auto cell = [&](int row, int column) { return model->index(row, column).data().toString(); };
        QCOMPARE(cell(1, DownloadList::FileColumn), QStringLiteral("hinnasto.csv"));
        QCOMPARE(cell(1, DownloadList::StateColumn), QStringLiteral("valmis"));
        QCOMPARE(cell(1, DownloadList::SizeColumn), QStringLiteral("%1 t").arg(QFileInfo(done).size()));
        QCOMPARE(cell(0, DownloadList::FileColumn), QStringLiteral("hidas.bin"));
        QCOMPARE(cell(0, DownloadList::StateColumn), QStringLiteral("käynnissä"));

        // The running one chosen with the mouse, then "Peruuta".
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTableView *table = window->table();
        const QRect row0 = table->visualRect(model->index(0, DownloadList::FileColumn));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row0.center());
        auto *cancel = window->findChild<QPushButton *>(QStringLiteral("peruutaLataus"));
        QVERIFY(waitFor([&] { return cancel->isEnabled(); }, 3000));
        QVERIFY(!window->findChild<QPushButton *>(QStringLiteral("avaaLataus"))->isEnabled());
        QVERIFY(WebTest::clickAt(cancel, cancel->rect().center()));
        QVERIFY(waitFor([&] { return cell(0, DownloadList::StateColumn) == QLatin1String("keskeytetty"); }, 10000));
        QVERIFY(!QFile::exists(slow));

        // "Avaa" on the finished one hands its file to the desktop.
        QList<QUrl> opened;
        window->setOpener([&](const QUrl &url) { opened << url; return true; });
        const QRect row1 = table->visualRect(model->index(1, DownloadList::FileColumn));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, row1.center());
        auto *openButton = window->findChild<QPushButton *>(QStringLiteral("avaaLataus"));
        QVERIFY(waitFor([&] { return openButton->isEnabled(); }, 3000));
        QVERIFY(WebTest::clickAt(openButton, openButton->rect().center()));
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(done)});
        window->close();
    }

    // Ctrl+Shift+H lists the visited pages newest first; a typed word keeps
    // those whose title or address has it; a double click opens one.
    void historyList()
    {
        QVERIFY(open(QStringLiteral("testi/selain/omena"), QStringLiteral("Selain omena")));
        QVERIFY(open(QStringLiteral("testi/selain/paaryna"), QStringLiteral("Selain paaryna")));
        QVERIFY(open(QStringLiteral("testi/selain/omenapuu"), QStringLiteral("Selain omenapuu")));
        QVERIFY(focusPage());
        key(Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        HistoryWindow *window = m_w->historyWindow();
        QVERIFY(waitFor([&] { return window->isVisible(); }, 3000));
        QApplication::setActiveWindow(window);
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTreeWidget *list = window->list();
        QVERIFY(list->topLevelItemCount() >= 4);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Selain omenapuu"));
        QCOMPARE(QApplication::focusWidget(), window->filterField());
        type(QStringLiteral("omena"));
        QCOMPARE(list->topLevelItemCount(), 2);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("Selain omenapuu"));
        QCOMPARE(list->topLevelItem(1)->text(0), QStringLiteral("Selain omena"));
        // Words are found in addresses too.
        window->filterField()->clear();
        type(QStringLiteral("selain/paar"));
        QCOMPARE(list->topLevelItemCount(), 1);

        // A double click as the window system delivers it: press, release,
        // press with its double-click event, release.
        const QPoint at = list->visualItemRect(list->topLevelItem(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        QVERIFY(titled(active(), QStringLiteral("Selain paaryna")));
        // The file keeps the list for the next run.
        QVERIFY(m_w->historyStore()->save());
        QFile file(m_w->historyStore()->path());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("testi/selain/omenapuu\tSelain omenapuu"));
        QCOMPARE(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());

        // "Tyhjennä historia" asks first; No keeps everything.
        window->filterField()->clear();
        auto *clear = window->findChild<QPushButton *>(QStringLiteral("tyhjennaHistoria"));
        m_prompts.inner.answers.enqueue(Prompts::Answer::No);
        QVERIFY(WebTest::clickAt(clear, clear->rect().center()));
        QVERIFY(list->topLevelItemCount() >= 4);
        m_prompts.inner.answers.enqueue(Prompts::Answer::Yes);
        QVERIFY(WebTest::clickAt(clear, clear->rect().center()));
        QCOMPARE(list->topLevelItemCount(), 0);
        QCOMPARE(m_prompts.inner.asked.count(QStringLiteral("confirm: Tyhjennetäänkö koko historia?")), 2);
        window->close();
    }

    // A PDF link opens in the tab in the engine's PDF viewer.
    void pdfInTab()
    {
        QVERIFY(active()->page()->settings()->testAttribute(QWebEngineSettings::PdfViewerEnabled));
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("testi/asiakirja.pdf"));
        QVERIFY(waitFor([this] {
            return active()->url().path() == QLatin1String("/testi/asiakirja.pdf") && !active()->vasaroPage()->Busy();
        }, 15000));
        QVERIFY(waitFor([this] { return active()->title().contains(QStringLiteral("asiakirja.pdf")); }, 10000));
        quietFor(500);
        QVERIFY(m_prompts.inner.asked.filter(QStringLiteral("save:")).isEmpty());   // not a download
        QCOMPARE(m_w->downloadsWindow()->table()->model()->rowCount(), 0);

        // Ctrl+S saves the document itself.
        const QString path = m_files.filePath(QStringLiteral("tallennettu.pdf"));
        QFile::remove(path);
        m_prompts.inner.files.enqueue(path);
        QVERIFY(focusPage());
        key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(waitFor([&] { return QFileInfo(path).size() > 0; }, 10000));
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().startsWith("%PDF-1.4"));
    }

    // Ctrl+P on a PDF tab prints the document itself, byte for byte, not a
    // picture of the viewer; "Tulosta sivu.." on a web page prints the page
    // through the engine's PDF output. A cancelled dialog prints nothing; a
    // file that cannot be written is told about.
    void printPdfAndPage()
    {
        PagePrinter *printer = m_w->findChild<PagePrinter *>(QStringLiteral("sivuntulostus"));
        QVERIFY(printer);
        auto target = std::make_shared<QString>();
        auto chosen = std::make_shared<int>(0);
        printer->setPrinterChoice([target, chosen](QPrinter *p) {
            ++*chosen;
            if (target->isEmpty())
                return false;   // "Peruuta"
            p->setOutputFormat(QPrinter::PdfFormat);
            p->setOutputFileName(*target);
            return true;
        });
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("testi/asiakirja.pdf"));
        QVERIFY(waitFor([this] { return active()->title().contains(QStringLiteral("asiakirja.pdf"))
                                        && !active()->vasaroPage()->Busy(); }, 15000));

        const QStringList before = QDir(m_files.path()).entryList(QDir::Files);
        QVERIFY(focusPage());
        key(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(waitFor([chosen] { return *chosen == 1; }, 5000));
        quietFor(300);
        QCOMPARE(QDir(m_files.path()).entryList(QDir::Files), before);

        *target = m_files.filePath(QStringLiteral("asiakirja-tuloste.pdf"));
        QVERIFY(focusPage());
        key(Qt::Key_P, Qt::ControlModifier);
        QVERIFY(waitFor([target] { return QFileInfo(*target).size() > 0; }, 15000));
        QFile printed(*target);
        QVERIFY(printed.open(QIODevice::ReadOnly));
        const QByteArray bytes = printed.readAll();
        QVERIFY(bytes.startsWith("%PDF-1.4\n1 0 obj"));
        QVERIFY(bytes.contains("(Vasaro asiakirja) Tj"));
        QVERIFY(m_prompts.inner.asked.filter(QStringLiteral("error:")).isEmpty());

        // A web page, through the menu item.
        QVERIFY(open(QStringLiteral("testi/selain/tuloste"), QStringLiteral("Selain tuloste")));
        *target = m_files.filePath(QStringLiteral("sivu-tuloste.pdf"));
        QAction *item = m_w->findChild<QAction *>(QStringLiteral("Tulostasivu1"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Tulosta sivu.."));
        item->trigger();
        QVERIFY(waitFor([target] { return QFileInfo(*target).size() > 0; }, 15000));
        QFile page(*target);
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray pageBytes = page.readAll();
        QVERIFY(pageBytes.startsWith("%PDF-"));
        QVERIFY(!pageBytes.contains("(Vasaro asiakirja) Tj"));

        // Into a folder that is not there: said, nothing claimed printed.
        *target = m_files.filePath(QStringLiteral("puuttuu/tuloste.pdf"));
        QVERIFY(!printer->print(active()));
        QVERIFY(m_prompts.inner.asked.contains(QStringLiteral("error: Tiedostoa ei voitu kirjoittaa:\r\n") + *target));
    }
};

QTEST_MAIN(TestBrowserTools)
#include "tst_browsertools.moc"
