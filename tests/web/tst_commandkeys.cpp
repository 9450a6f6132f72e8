// The command rules of the assembled main window beyond the shortcuts
// themselves (tst_keys): the editor menu over a listing's text editor, the
// program's own input dialogs keeping their keys, the editing keys a page
// keeps, and the one-slot pending command. Real key and mouse events go
// where the window system sends them: keys to the focus widget of the
// active window, mouse buttons to the widget under the point.
#include "app/tform1.h"
#include "app/tform3.h"
#include "browser/engine/browserprofile.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "keypages.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "ledger/model/ledgertable.h"
#include "ledger/tform8.h"
#include "scriptedprompts.h"
#include "seller/templates/listingtemplates.h"
#include "webinput.h"
#include "stillafter.h"
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using KeyPages::pageKeys;
using KeyPages::pageTakesKeys;
using KeyPages::pageValue;
using KeyPages::showsTitle;

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kBase = QStringLiteral("http://www.vasaro.test/");

int shownTabs(TabManager &tabs)
{
    int n = 0;
    for (int i = 0; i < tabs.count(); ++i)
        n += tabs.isTabShown(i) ? 1 : 0;
    return n;
}

// The PopupMenu1 items the editor menu shows: 1-3 and 5-16; the separator
// 4 only while a template's description is held, and never item 0.
bool editorMenuItem(int index)
{
    return index != 0 && index != 4;
}

void closePopups()
{
    for (int i = 0; i < 5 && QApplication::activePopupWidget(); ++i) {
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
        waitFor([] { return !QApplication::activePopupWidget(); }, 1000);
    }
}
}

class TestCommandKeys : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    TabManager &tabs() { return m_w->tabs(); }
    TVasaroselain *active() { return tabs().activeBrowser(); }
    QTimer *timer3() { return m_w->findChild<QTimer *>(QStringLiteral("Timer3")); }
    ContextMenus *menus() { return tabs().contextMenus(); }

    // A main window shown and active on the home page; `prompts` null: the
    // program's own Qt dialogs.
    bool start(Prompts *prompts)
    {
        m_w.reset();
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), prompts);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        return QTest::qWaitForWindowActive(m_w.get()) && showsTitle(active(), QStringLiteral("Vasaro - etusivu"));
    }

    bool open(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(kBase + path);
        return showsTitle(active(), title)
            && waitFor([this] {
                   return WebTest::evaluate(active()->page(), QStringLiteral("document.readyState")).toString()
                       == QLatin1String("complete");
               }, 10000);
    }

    // The centre of an element in the view's coordinates (the page is drawn
    // at the engine's zoom factor), plus an offset in page pixels.
    QPoint elementPoint(const QString &selector, QPoint offset)
    {
        const QVariantList r = WebTest::evaluate(active()->page(), QStringLiteral(
            "(function(){var r=document.querySelector('%1').getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height];})()").arg(selector)).toList();
        if (r.size() != 4)
            return {-1, -1};
        const double f = active()->zoomFactor();
        const QPointF inPage = offset.isNull() ? QPointF(r[0].toDouble() + r[2].toDouble() / 2,
                                                         r[1].toDouble() + r[3].toDouble() / 2)
                                               : QPointF(r[0].toDouble() + offset.x(), r[1].toDouble() + offset.y());
        return (inPage * f).toPoint();
    }

    // Opens the input dialog titled `title` with `opener` and runs `drive`
    // inside the dialog's own event loop once the dialog is the active
    // window; the dialog is cancelled afterwards.
    bool whileDialogShown(const QString &title, const std::function<void()> &opener,
                          const std::function<void(QInputDialog *)> &drive)
    {
        bool driven = false;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            if (driven || !dialog || dialog->windowTitle() != title || !dialog->isActiveWindow()
                || !dialog->findChild<QLineEdit *>()->hasFocus())
                return;
            poll.stop();
            driven = true;
            drive(dialog);
            if (dialog->isVisible())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            if (dialog->isVisible())
                dialog->reject();
        });
        poll.start();
        opener();
        return waitFor([&] { return driven && !QApplication::activeModalWidget(); }, 10000);
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
    }

    void init()
    {
        m_prompts = ScriptedPrompts();
        QVERIFY(start(&m_prompts));
    }

    void cleanup()
    {
        closePopups();
        if (m_w) {
            if (TForm3 *settings = m_w->settingsDialog())
                settings->hide();
            m_w->close();
        }
        m_w.reset();
    }

    // A right click over the listing's text editor on the new-listing and
    // edit-listing forms opens the program's editor menu (items 1-3 and
    // 5-16, not "Sulje"), marked so that a snippet goes to the editor's
    // caret, also when the page is zoomed; anywhere else, or on another
    // page, the right click is the browser's own.
    void editorMenu_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<QString>("selector");
        QTest::addColumn<QPoint>("offset");   // from the element's corner; null: its centre
        QTest::addColumn<bool>("editorMenu");
        const QString edit = QStringLiteral("muokkaa-ilmoitusta/nappaimet/editori");
        QTest::newRow("new-listing form, editor") << "uusi-ilmoitus" << "Ilmoita uusi kohde" << 100
                                                  << "iframe.cke_wysiwyg_frame" << QPoint() << true;
        QTest::newRow("edit form, editor") << edit << "Editori" << 100 << "#editori" << QPoint() << true;
        // At 200 % the undivided mouse position would fall below the editor.
        QTest::newRow("edit form at 200 %, editor") << edit << "Editori" << 200 << "#editori" << QPoint(190, 90)
                                                    << true;
        QTest::newRow("edit form, table cell around an editor") << edit << "Editori" << 100 << "#solu"
                                                                << QPoint(5, 5) << false;
        QTest::newRow("edit form, paragraph") << edit << "Editori" << 100 << "#kappale" << QPoint() << false;
        QTest::newRow("item page, editor") << "nappaimet/editori" << "Editori" << 100 << "#editori" << QPoint()
                                           << false;
    }
    void editorMenu()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(int, zoom);
        QFETCH(QString, selector);
        QFETCH(QPoint, offset);
        QFETCH(bool, editorMenu);
        QVERIFY(open(path, title));
        TVasaroselain *view = active();
        if (path.startsWith(QLatin1String("uusi")))
            QVERIFY(waitFor([&] {
                return WebTest::evaluate(view->page(), QStringLiteral("!!document.querySelector('%1')").arg(selector))
                    .toBool();
            }, 15000));
        QVERIFY(view->asetaZoom(zoom));
        QTRY_COMPARE(view->zoomFactor(), zoom / 100.0);
        auto *templates = m_w->findChild<ListingTemplates *>();
        QVERIFY(templates);
        QVERIFY(!templates->editorMenuMark());
        const QPoint at = elementPoint(selector, offset);
        QVERIFY(at.x() >= 0);
        QMenu *menu = menus()->PopupMenu1();
        QVERIFY(WebTest::clickAt(view, at, Qt::RightButton));
        if (editorMenu) {
            QTRY_VERIFY(menu->isVisible());
            for (int i = 0; i <= 16; ++i)
                QVERIFY2(menus()->pageItem(i)->isVisible() == editorMenuItem(i), qPrintable(QString::number(i)));
            QVERIFY(templates->editorMenuMark());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!menu->isVisible());
        } else {
            // On the forms the browser's own menu is the form menu of the
            // browser host, without the mark that sends a snippet to the
            // editor's caret; elsewhere it has no form items at all.
            waitMs(600);
            QVERIFY(!templates->editorMenuMark());
            if (!path.contains(QLatin1String("ilmoitus")))
                QVERIFY(!menus()->pageItem(14)->isVisible());
            closePopups();
        }
        // Between uses only "Sulje" is shown.
        QVERIFY(menus()->pageItem(0)->isVisible());
        for (int i = 1; i <= 16; ++i)
            QVERIFY2(!menus()->pageItem(i)->isVisible(), qPrintable(QString::number(i)));
    }

    // "Ilmoituspohjien hakemisto" of the editor menu opens the settings page
    // that names the template folder.
    void editorMenuOpensTemplateFolderSettings()
    {
        QVERIFY(open(QStringLiteral("muokkaa-ilmoitusta/nappaimet/editori"), QStringLiteral("Editori")));
        QMenu *menu = menus()->PopupMenu1();
        QVERIFY(WebTest::clickAt(active(), elementPoint(QStringLiteral("#editori"), {}), Qt::RightButton));
        QTRY_VERIFY(menu->isVisible());
        QAction *item = menus()->pageItem(3);
        QCOMPARE(item->text(), QStringLiteral("Ilmoituspohjien hakemisto"));
        QVERIFY(WebTest::clickAt(menu, menu->actionGeometry(item).center()));
        QTRY_VERIFY(m_w->settingsDialog()->isVisible());
        QCOMPARE(m_w->settingsDialog()->windowTitle(), QStringLiteral("VS asetukset"));
        QVERIFY(!m_w->isEnabled());
        QVERIFY(!menus()->pageItem(3)->isVisible());
    }

    // Keys typed into the program's own input dialogs ("VSselain" of the
    // find command, "Suodatin" of the seller filter) reach the dialog's edit
    // unchanged, even while a result-list page is open behind it: none of
    // them becomes a command.
    void inputDialogsKeepTheirKeys_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("cursor");        // before the key, in "yksi kaksi"
        QTest::addColumn<QString>("text");      // afterwards
        QTest::addColumn<int>("cursorAfter");
        const Qt::KeyboardModifiers none;
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        const QString typed = QStringLiteral("yksi kaksi");
        for (const QString &dialog : {QStringLiteral("VSselain"), QStringLiteral("Suodatin")}) {
            const auto row = [&](const char *name, int key, Qt::KeyboardModifiers mods, int cursor,
                                 const QString &text, int after) {
                QTest::addRow("%s %s", qPrintable(dialog), name) << dialog << key << mods << cursor << text << after;
            };
            row("ctrl+left moves a word", Qt::Key_Left, ctrl, 10, typed, 5);
            row("ctrl+right moves a word", Qt::Key_Right, ctrl, 0, typed, 5);
            row("delete deletes", Qt::Key_Delete, none, 0, QStringLiteral("ksi kaksi"), 0);
            row("f11", Qt::Key_F11, none, 4, typed, 4);
            row("f3", Qt::Key_F3, none, 4, typed, 4);
            row("ctrl+t", Qt::Key_T, ctrl, 4, typed, 4);
            row("ctrl+plus", Qt::Key_Plus, ctrl, 4, typed, 4);
            row("ctrl+q", Qt::Key_Q, ctrl, 4, typed, 4);
        }
    }
    void inputDialogsKeepTheirKeys()
    {
        QFETCH(QString, dialog);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, cursor);
        QFETCH(QString, text);
        QFETCH(int, cursorAfter);
        QVERIFY(start(nullptr));
        m_w->settings().siirry = false;
        QVERIFY(open(QStringLiteral("haku/nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        const int tabsBefore = shownTabs(tabs());

        QString textAfter;
        int cursorSeen = -1;
        bool claimed = true;
        bool otherDialog = true;
        const auto drive = [&](QInputDialog *input) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("yksi kaksi"));
            auto *edit = input->findChild<QLineEdit *>();
            edit->setCursorPosition(cursor);
            // The command that opened the dialog is still on the stack; its
            // timer stops at its next tick.
            waitFor([this] { return !timer3()->isActive(); }, 1000);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
            claimed = timer3()->isActive();
            otherDialog = !stillAfter(kQuietMs, [input] { return QApplication::activeModalWidget() == input; });
            textAfter = edit->text();
            cursorSeen = edit->cursorPosition();
        };
        const auto opener = [&] {
            if (dialog == QLatin1String("VSselain"))
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::ControlModifier);
            else
                m_w->findChild<QAction *>(QStringLiteral("MenuItem35"))->trigger();
        };
        QVERIFY(whileDialogShown(dialog, opener, drive));
        QVERIFY(!claimed);
        QVERIFY(!otherDialog);
        QCOMPARE(textAfter, text);
        QCOMPARE(cursorSeen, cursorAfter);
        waitMs(300);
        QVERIFY(!timer3()->isActive());
        QCOMPARE(shownTabs(tabs()), tabsBefore);
        QCOMPARE(active(), view);
        QVERIFY(!m_w->isMaximized());
        QCOMPARE(view->zoomPercent(), 100);
        // Ctrl+F itself went to the program, not to the page.
        QCOMPARE(pageKeys(view), QStringList());
    }

    // Backspace and the arrow keys are not taken for moving between the
    // window's controls: they reach the page's field that has the focus.
    void editingKeysReachThePage_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("seen");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("caret");   // -1: the page decides
        QTest::newRow("left") << int(Qt::Key_Left) << "arrowleft" << "abc" << 0;
        QTest::newRow("right") << int(Qt::Key_Right) << "arrowright" << "abc" << 2;
        QTest::newRow("up") << int(Qt::Key_Up) << "arrowup" << "abc" << -1;
        QTest::newRow("down") << int(Qt::Key_Down) << "arrowdown" << "abc" << -1;
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << "backspace" << "bc" << 0;
    }
    void editingKeysReachThePage()
    {
        QFETCH(int, key);
        QFETCH(QString, seen);
        QFETCH(QString, value);
        QFETCH(int, caret);
        QVERIFY(open(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        pageValue(view, QStringLiteral("var k = document.getElementById('kentta');"
                                       "k.value = 'abc'; k.focus(); k.setSelectionRange(1, 1);"));
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus, Qt::Key(key));
        QVERIFY(waitFor([&] { return pageKeys(view) == QStringList{seen}; }, 2000));
        QCOMPARE(QApplication::focusWidget(), focus);
        QVERIFY(waitFor([&] {
            return pageValue(view, QStringLiteral("document.getElementById('kentta').value")).toString() == value;
        }, 2000));
        if (caret >= 0)
            QCOMPARE(pageValue(view, QStringLiteral("document.getElementById('kentta').selectionStart")).toInt(),
                     caret);
        QVERIFY(!timer3()->isActive());
        QCOMPARE(view->title(), QStringLiteral("Näppäimet 1"));
    }

    // The mouse's back and forward buttons pressed in a browser window of
    // its own travel in that window; the active tab stays where it is.
    void travelButtonsInOwnWindow_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("expected");
        QTest::newRow("back") << int(Qt::BackButton) << "Näppäimet 3";
        QTest::newRow("forward") << int(Qt::ForwardButton) << "Näppäimet 4";
    }
    void travelButtonsInOwnWindow()
    {
        QFETCH(int, button);
        QFETCH(QString, expected);
        QVERIFY(open(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        QVERIFY(open(QStringLiteral("nappaimet/2"), QStringLiteral("Näppäimet 2")));
        TVasaroselain own(&m_w->browserProfile(), &m_prompts, -1);
        own.resize(500, 400);
        own.show();
        for (int n = 3; n <= 4; ++n) {
            own.vasaroPage()->Navigate(QUrl(kBase + QStringLiteral("nappaimet/%1").arg(n)));
            QVERIFY(showsTitle(&own, QStringLiteral("Näppäimet %1").arg(n)));
        }
        if (button == Qt::ForwardButton) {
            own.vasaroPage()->GoBack();
            QVERIFY(showsTitle(&own, QStringLiteral("Näppäimet 3")));
        }
        QApplication::setActiveWindow(&own);
        QVERIFY(QTest::qWaitForWindowActive(&own));
        QVERIFY(WebTest::clickAt(&own, QPoint(50, 50), Qt::MouseButton(button)));
        QVERIFY(showsTitle(&own, expected));
        waitMs(800);
        QCOMPARE(own.title(), expected);
        QCOMPARE(active()->title(), QStringLiteral("Näppäimet 2"));
    }

    // A browser window of its own keeps the command keys: they would act on
    // the main window's active tab, which it does not show. Its page gets
    // them, and the tab behind stays open, unsaved, unzoomed.
    void ownWindowKeepsItsKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("seen");
        QTest::newRow("ctrl+q") << int(Qt::Key_Q) << "ctrl+q";
        QTest::newRow("ctrl+s") << int(Qt::Key_S) << "ctrl+s";
        QTest::newRow("ctrl+left") << int(Qt::Key_Left) << "ctrl+arrowleft";
        QTest::newRow("ctrl+plus") << int(Qt::Key_Plus) << "ctrl++";
    }
    void ownWindowKeepsItsKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, seen);
        m_w->settings().siirry = true;
        tabs().uuteenikkunaan(kBase + QStringLiteral("nappaimet/1"));
        QVERIFY(showsTitle(tabs().browser(1), QStringLiteral("Näppäimet 1")));
        QCOMPARE(tabs().activeIndex(), 1);
        TVasaroselain own(&m_w->browserProfile(), &m_prompts, -1);
        own.resize(500, 400);
        own.show();
        own.vasaroPage()->Navigate(QUrl(kBase + QStringLiteral("nappaimet/2")));
        QVERIFY(showsTitle(&own, QStringLiteral("Näppäimet 2")));
        QApplication::setActiveWindow(&own);
        QVERIFY(QTest::qWaitForWindowActive(&own));
        QVERIFY(pageTakesKeys(&own));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
        QVERIFY(!timer3()->isActive());
        QVERIFY(waitFor([&] { return pageKeys(&own).contains(seen); }, 2000));
        waitMs(300);
        QVERIFY(tabs().isTabShown(1));
        QCOMPARE(tabs().activeIndex(), 1);
        QCOMPARE(tabs().browser(1)->zoomPercent(), 100);
        QCOMPARE(m_prompts.asked, QStringList());
    }

    // The ledger window keeps its keys, even with a result-list page in the
    // main window behind it: Delete asks about the ledger's row, not the
    // seller filter, and the main window's commands stay put.
    void ledgerKeepsItsKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("delete") << int(Qt::Key_Delete) << Qt::KeyboardModifiers()
                                << QStringList{QStringLiteral("confirm: Poista kohde 11111111?")};
        QTest::newRow("ctrl+q") << int(Qt::Key_Q) << Qt::KeyboardModifiers(Qt::ControlModifier) << QStringList();
        QTest::newRow("ctrl+left") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                   << QStringList();
        QTest::newRow("f11") << int(Qt::Key_F11) << Qt::KeyboardModifiers() << QStringList();
    }
    void ledgerKeepsItsKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QStringList, asked);
        m_w->settings().siirry = true;
        tabs().uuteenikkunaan(kBase + QStringLiteral("haku/nappaimet/1"));
        QVERIFY(showsTitle(tabs().browser(1), QStringLiteral("Näppäimet 1")));
        TForm8 *ledger = m_w->ledgerWindow();
        ledger->openIfSignedIn(QStringLiteral("matti"), m_prompts);
        QVERIFY(QTest::qWaitFor([ledger] { return QApplication::activeWindow() == ledger; }));
        LedgerTable &rows = ledger->masterList();
        rows.setRowCount(2);
        rows.setRow(1, {QString(), "11111111", "Kirja", "04.03.2021 12:34:56", "10.00", QString(), QString(),
                        QString(), QString(), "matti/12"});
        ledger->listLoaded();
        auto *grid = ledger->findChild<QTableView *>(QStringLiteral("sg2"));
        QVERIFY(WebTest::clickAt(grid->viewport(), grid->visualRect(grid->model()->index(0, 2)).center()));
        QTRY_COMPARE(QApplication::focusWidget(), grid);
        m_prompts.answers.enqueue(Prompts::Answer::No);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QVERIFY(!timer3()->isActive());
        waitMs(300);
        QCOMPARE(m_prompts.asked, asked);
        QVERIFY(tabs().isTabShown(1));
        QCOMPARE(tabs().activeIndex(), 1);
        QVERIFY(!m_w->isMaximized());
        QCOMPARE(m_w->sellerFilterTool().filter().list().size(), 0);
        ledger->hide();
    }

    // Script errors of a page never open a window or a question: the
    // engine keeps running the page's scripts and the user sees nothing.
    void scriptErrorsShowNothing()
    {
        const QByteArray page = "<!DOCTYPE html><title>Virheellinen</title>"
                                "<script>throw new Error('x');</script>"
                                "<script>olematon();</script><p onclick='x(' id='p'>teksti</p>";
        QList<QWidget *> shown;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                shown << w;
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("huono/tavut?ct=text/html&hex=")
                                  + QString::fromLatin1(page.toHex()));
        QVERIFY(showsTitle(active(), QStringLiteral("Virheellinen")));
        waitMs(800);
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible() || shown.contains(w), qPrintable(w->windowTitle()));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(m_prompts.asked, QStringList());
        QVERIFY(m_w->isActiveWindow());
    }

    // The pending command holds one word: a second key before the first
    // command has run replaces it, so Ctrl+T followed at once by Ctrl+Left
    // only switches the tab.
    void laterKeyReplacesWaitingCommand()
    {
        m_w->settings().siirry = false;
        tabs().uuteenikkunaan(kBase + QStringLiteral("nappaimet/1"));
        QVERIFY(showsTitle(tabs().browser(1), QStringLiteral("Näppäimet 1")));
        tabs().pageControl()->setCurrentIndex(1);
        QVERIFY(pageTakesKeys(active()));
        const int before = shownTabs(tabs());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ControlModifier);
        QVERIFY(waitFor([this] { return tabs().activeIndex() == 0; }, 2000));
        waitMs(400);
        QCOMPARE(shownTabs(tabs()), before);
        QVERIFY(!timer3()->isActive());
    }

    // Only the words of the table run, matched exactly; any other word is
    // dropped and the timer stops.
    void commandWordsMatchExactly_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("newTabs");
        QTest::newRow("uusilehti") << "uusilehti" << 1;
        QTest::newRow("capital letter") << "Uusilehti" << 0;
        QTest::newRow("trailing blank") << "uusilehti " << 0;
        QTest::newRow("unknown word") << "tuntematon" << 0;
    }
    void commandWordsMatchExactly()
    {
        QFETCH(QString, word);
        QFETCH(int, newTabs);
        const int before = shownTabs(tabs());
        m_w->queueCommand(word);
        QVERIFY(timer3()->isActive());
        QVERIFY(waitFor([this] { return !timer3()->isActive(); }, 2000));
        waitMs(300);
        QCOMPARE(shownTabs(tabs()), before + newTabs);
    }
};

QTEST_MAIN(TestCommandKeys)
#include "tst_commandkeys.moc"
