// The program's keyboard shortcuts and mouse buttons in the assembled main
// window: real key and mouse events sent to the browser's input widget on
// pages of the fake marketplace that record every key they see.
#include "app/tform1.h"
#include "browser/findbar/findbar.h"
#include <QLineEdit>
#include "browser/tabs/addressbox.h"
#include "browser/engine/browserprofile.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "browser/tabs/typedurls.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "keypages.h"
#include "scriptedprompts.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWebEngineScript>
#include <QtTest>
#include <memory>

using KeyPages::pageKeys;
using KeyPages::pageTakesKeys;
using KeyPages::pageValue;
using KeyPages::showsTitle;

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

int shownTabs(TabManager &tabs)
{
    int n = 0;
    for (int i = 0; i < tabs.count(); ++i)
        n += tabs.isTabShown(i) ? 1 : 0;
    return n;
}
}

class TestKeys : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    QString base() const { return QStringLiteral("http://www.vasaro.test/"); }
    TabManager &tabs() { return m_w->tabs(); }
    TVasaroselain *active() { return tabs().activeBrowser(); }
    QTimer *timer3() { return m_w->findChild<QTimer *>(QStringLiteral("Timer3")); }

    // Opens a key-recording page in the active tab.
    bool openKeysPage(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(base() + path);
        return showsTitle(active(), title);
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
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_w->show();
        m_w->activateWindow();
        QVERIFY(waitFor([this] { return m_w->isActiveWindow(); }, 2000));
        QVERIFY(showsTitle(active(), QStringLiteral("Vasaro - etusivu")));
    }

    void cleanup()
    {
        m_w->close();
        m_w.reset();
    }

    // Ctrl+T opens a new tab once the key has been dealt with, and the page
    // never sees the key; sent to the browser's input widget, or to the
    // window as the windowing system delivers it.
    void ctrlTOpensTabLater_data()
    {
        QTest::addColumn<bool>("throughWindow");
        QTest::newRow("widget") << false;
        QTest::newRow("window") << true;
    }
    void ctrlTOpensTabLater()
    {
        QFETCH(bool, throughWindow);
        m_w->settings().siirry = false;   // the page stays in front to take the next key
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        const int before = shownTabs(tabs());
        QElapsedTimer clock;
        clock.start();
        if (throughWindow)
            QTest::keyClick(m_w->windowHandle(), Qt::Key_T, Qt::ControlModifier);
        else
            QTest::keyClick(view->focusProxy(), Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(shownTabs(tabs()), before);   // not yet: the command waits for Timer3
        QVERIFY(timer3()->isActive());
        QVERIFY(waitFor([&] { return shownTabs(tabs()) == before + 1; }, 2000));
        QVERIFY2(clock.elapsed() >= 90, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(!timer3()->isActive());
        // One tab only, and the page saw nothing of the key.
        waitMs(300);
        QCOMPARE(shownTabs(tabs()), before + 1);
        QCOMPARE(active(), view);
        QTest::keyClick(view->focusProxy(), Qt::Key_Y);
        QVERIFY(waitFor([&] { return !pageKeys(view).isEmpty(); }, 2000));
        QCOMPARE(pageKeys(view), QStringList{QStringLiteral("y")});
    }

    // The Ctrl keys that ask something reach their own handlers, once.
    void ctrlCommandsAsk_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("asked");
        QTest::newRow("ctrl+f find and highlight") << int(Qt::Key_F) << "input: Etsi tekstiä:";
        QTest::newRow("ctrl+h item search") << int(Qt::Key_H) << "input: Anna kohteen numero?";
        QTest::newRow("ctrl+k user search") << int(Qt::Key_K) << "input: Anna käyttäjän tunnus?";
        QTest::newRow("ctrl+s save page") << int(Qt::Key_S) << "save: Tallenna sivu";
    }
    void ctrlCommandsAsk()
    {
        QFETCH(int, key);
        QFETCH(QString, asked);
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::ControlModifier);
        QVERIFY(waitFor([this] { return !m_prompts.asked.isEmpty(); }, 2000));
        waitMs(300);
        QCOMPARE(m_prompts.asked, QStringList{asked});
        QCOMPARE(pageKeys(view), QStringList());
    }

    // Ctrl+U shows the page source in a new tab; Ctrl+Q closes the tab.
    void ctrlUAndCtrlQ()
    {
        tabs().uuteenikkunaan(base() + QStringLiteral("nappaimet/1"));
        QVERIFY(showsTitle(tabs().browser(1), QStringLiteral("Näppäimet 1")));
        tabs().pageControl()->setCurrentIndex(1);
        QTest::keyClick(active()->focusProxy(), Qt::Key_U, Qt::ControlModifier);
        QVERIFY(waitFor([this] { return tabs().count() == 3 && tabs().isTabShown(2); }, 5000));
        QVERIFY(waitFor([this] {
            return tabs().browser(2)->url().toString() == base().prepend(QStringLiteral("view-source:"))
                + QStringLiteral("nappaimet/1");
        }, 10000));
        tabs().pageControl()->setCurrentIndex(1);
        QTest::keyClick(active()->focusProxy(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(waitFor([this] { return !tabs().isTabShown(1); }, 5000));
        QCOMPARE(tabs().activeIndex(), 0);
        QVERIFY(tabs().isTabShown(2));
    }

    // Ctrl+C is the page's: it reaches the page and copies its selection.
    void ctrlCStaysWithThePage()
    {
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        QGuiApplication::clipboard()->setText(QStringLiteral("ennen"));
        pageValue(view, QStringLiteral("document.activeElement.blur();"
                                       "window.getSelection().selectAllChildren(document.getElementById('teksti'))"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QVERIFY(waitFor([&] { return pageKeys(view).contains(QStringLiteral("ctrl+c")); }, 2000));
        QVERIFY(!timer3()->isActive());
        QVERIFY(waitFor([] {
            return QGuiApplication::clipboard()->text() == QStringLiteral("Kopioitava teksti 1");
        }, 2000));
    }

    void zoomKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        const Qt::KeyboardModifiers ctrl(Qt::ControlModifier);
        const Qt::KeyboardModifiers keypad(Qt::ControlModifier | Qt::KeypadModifier);
        QTest::newRow("ctrl+plus") << int(Qt::Key_Plus) << ctrl << 100 << 110;
        QTest::newRow("ctrl+= where plus is shifted") << int(Qt::Key_Equal) << ctrl << 100 << 110;
        const Qt::KeyboardModifiers shifted(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("ctrl+shift+plus") << int(Qt::Key_Plus) << shifted << 150 << 160;
        QTest::newRow("ctrl+keypad plus") << int(Qt::Key_Plus) << keypad << 100 << 110;
        QTest::newRow("ctrl+minus") << int(Qt::Key_Minus) << ctrl << 100 << 90;
        QTest::newRow("ctrl+keypad minus") << int(Qt::Key_Minus) << keypad << 50 << 40;
        QTest::newRow("1000 + 10 is back to normal") << int(Qt::Key_Plus) << ctrl << 1000 << 100;
        QTest::newRow("10 - 10 is back to normal") << int(Qt::Key_Minus) << ctrl << 10 << 100;
    }
    void zoomKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(int, start);
        QFETCH(int, expected);
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        QVERIFY(view->asetaZoom(start));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QVERIFY(waitFor([&] { return view->zoomPercent() != start; }, 2000));
        QCOMPARE(view->zoomPercent(), expected);
        QVERIFY(qFuzzyCompare(view->zoomFactor(), expected / 100.0));
        waitMs(200);
        QCOMPARE(pageKeys(view), QStringList());
    }

    // Ctrl+Left and Ctrl+Right go to the nearest shown tab, skipping closed
    // ones, and stop at either end.
    void ctrlLeftRightSwitchTabs()
    {
        for (int n = 1; n <= 3; ++n) {
            tabs().uuteenikkunaan(base() + QStringLiteral("nappaimet/%1").arg(n));
            QVERIFY(showsTitle(tabs().browser(n), QStringLiteral("Näppäimet %1").arg(n)));
        }
        tabs().suljesivu(2);
        QVERIFY(!tabs().isTabShown(2));
        tabs().pageControl()->setCurrentIndex(3);
        QCOMPARE(tabs().activeIndex(), 3);

        const struct { Qt::Key key; int expected; } steps[] = {
            {Qt::Key_Left, 1}, {Qt::Key_Left, 0}, {Qt::Key_Left, 0},
            {Qt::Key_Right, 1}, {Qt::Key_Right, 3}, {Qt::Key_Right, 3},
        };
        for (const auto &step : steps) {
            QTest::keyClick(active()->focusProxy(), step.key, Qt::ControlModifier);
            QVERIFY(waitFor([this] { return !timer3()->isActive(); }, 2000));
            QCOMPARE(tabs().activeIndex(), step.expected);
        }
        // The switch is the user's: the address box follows the tab.
        QCOMPARE(m_w->addressText(), base() + QStringLiteral("nappaimet/3"));
    }

    // The mouse's back and forward buttons travel one step each (the
    // engine would travel again on the button's release).
    void backAndForwardButtons_data()
    {
        QTest::addColumn<bool>("throughWindow");
        QTest::newRow("widget") << false;
        QTest::newRow("window") << true;
    }
    void backAndForwardButtons()
    {
        QFETCH(bool, throughWindow);
        for (int n = 1; n <= 3; ++n)
            QVERIFY(openKeysPage(QStringLiteral("nappaimet/%1").arg(n), QStringLiteral("Näppäimet %1").arg(n)));
        TVasaroselain *view = active();
        const QPoint at(50, 50);
        const auto click = [&](Qt::MouseButton button) {
            if (throughWindow)
                QTest::mouseClick(m_w->windowHandle(), button, {}, view->focusProxy()->mapTo(m_w.get(), at));
            else
                QTest::mouseClick(view->focusProxy(), button, {}, at);
        };
        click(Qt::BackButton);
        QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 2")));
        waitMs(800);
        QCOMPARE(view->title(), QStringLiteral("Näppäimet 2"));
        click(Qt::ForwardButton);
        QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 3")));
        waitMs(800);
        QCOMPARE(view->title(), QStringLiteral("Näppäimet 3"));
    }

    // F3 and F11 need no Ctrl, and act once (the menu shows the keys but
    // does not take them as well).
    void functionKeys()
    {
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        // F3 opens the find bar at the bottom of the page, its field focused.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F3);
        QVERIFY(waitFor([this] { return m_w->findBar()->isVisible(); }, 2000));
        waitMs(300);
        QCOMPARE(QApplication::focusWidget(), m_w->findBar()->field());
        QCOMPARE(m_prompts.asked, QStringList());
        m_w->findBar()->closeBar();
        QVERIFY(!m_w->isMaximized());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F11);
        QVERIFY(waitFor([this] { return m_w->isMaximized(); }, 2000));
        QCOMPARE(pageKeys(view), QStringList());
    }

    // The browser's own keys, typed while the page has the focus: reload,
    // back and forward, Escape stopping a load (and only then taken from
    // the page), Ctrl+L into the address box.
    void browserKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("expected");
        const Qt::KeyboardModifiers none(Qt::NoModifier);
        QTest::newRow("F5 reloads") << int(Qt::Key_F5) << none << "reload";
        QTest::newRow("ctrl+r reloads") << int(Qt::Key_R) << Qt::KeyboardModifiers(Qt::ControlModifier) << "reload";
        QTest::newRow("alt+left goes back") << int(Qt::Key_Left) << Qt::KeyboardModifiers(Qt::AltModifier) << "back";
        QTest::newRow("alt+right goes forward") << int(Qt::Key_Right) << Qt::KeyboardModifiers(Qt::AltModifier)
                                                << "forward";
        QTest::newRow("escape stops a load") << int(Qt::Key_Escape) << none << "stop";
        QTest::newRow("escape on a loaded page is the page's") << int(Qt::Key_Escape) << none << "page";
        QTest::newRow("ctrl+l focuses the address box") << int(Qt::Key_L)
                                                        << Qt::KeyboardModifiers(Qt::ControlModifier) << "address";
    }
    void browserKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, expected);
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/1"), QStringLiteral("Näppäimet 1")));
        QVERIFY(openKeysPage(QStringLiteral("nappaimet/2"), QStringLiteral("Näppäimet 2")));
        TVasaroselain *view = active();
        if (expected == QLatin1String("forward")) {
            view->vasaroPage()->GoBack();
            QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 1")));
        }
        QVERIFY(pageTakesKeys(view));
        if (expected == QLatin1String("stop")) {
            m_w->aktiivisivu_navigate(base() + QStringLiteral("testi/hidas?ms=8000"));
            QVERIFY(waitFor([&] { return view->vasaroPage()->Busy(); }, 2000));
        }
        m_market.clear();
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key(key), modifiers);
        if (expected == QLatin1String("reload")) {
            QVERIFY(waitFor([this] {
                return !m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/nappaimet/2")).isEmpty();
            }, 5000));
            QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 2")));
        } else if (expected == QLatin1String("back")) {
            QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 1")));
        } else if (expected == QLatin1String("forward")) {
            QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 2")));
        } else if (expected == QLatin1String("stop")) {
            QVERIFY(waitFor([&] { return !view->vasaroPage()->Busy(); }, 3000));
            QCOMPARE(view->title(), QStringLiteral("Näppäimet 2"));
        } else if (expected == QLatin1String("page")) {
            QVERIFY(waitFor([&] { return pageKeys(view).contains(QStringLiteral("escape")); }, 2000));
        } else {
            AddressBox *box = m_w->findChild<AddressBox *>(QStringLiteral("Ieaddress1"));
            QVERIFY(waitFor([&] { return box->hasFocus(); }, 2000));
            QCOMPARE(box->lineEdit()->selectedText(), box->currentText());
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("www.vasaro.test/nappaimet/3"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(showsTitle(view, QStringLiteral("Näppäimet 3")));
        }
        QVERIFY(!timer3()->isActive());
    }

    // Away from result-list pages Delete stays with the page, so it still
    // deletes in the page's fields. On a result-list page (a search, or a
    // category's listing with two more path segments) it is the seller
    // filter's, with or without a selection (a selection of listings:
    // tst_sellerfiltergui).
    void deleteOnPages_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("claimed");
        QTest::newRow("item page") << "nappaimet/1" << false;
        QTest::newRow("category page") << "osasto/nappaimet/1" << false;
        QTest::newRow("search result page") << "haku/nappaimet/1" << true;
        QTest::newRow("category listing page") << "osasto/koti/nappaimet/1" << true;
    }
    void deleteOnPages()
    {
        QFETCH(QString, path);
        QFETCH(bool, claimed);
        QVERIFY(openKeysPage(path, QStringLiteral("Näppäimet 1")));
        TVasaroselain *view = active();
        QVERIFY(pageTakesKeys(view));
        pageValue(view, QStringLiteral("var k = document.getElementById('kentta');"
                                       "k.value = 'abc'; k.setSelectionRange(0, 0);"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(timer3()->isActive(), claimed);
        if (claimed) {
            QVERIFY(waitFor([this] { return !timer3()->isActive(); }, 2000));
            waitMs(300);
            QCOMPARE(pageKeys(view), QStringList());
            QCOMPARE(m_w->sellerFilterTool().filter().list().size(), 0);
        }
        const QString expected = claimed ? QStringLiteral("abc") : QStringLiteral("bc");
        QVERIFY(waitFor([&] {
            return pageValue(view, QStringLiteral("document.getElementById('kentta').value")).toString() == expected;
        }, 2000));
        if (!claimed)
            QCOMPARE(pageKeys(view), QStringList{QStringLiteral("delete")});
    }

    // Delete in the address box's open list removes the highlighted address
    // once (the list's own Delete handling does not run as well).
    void deleteInAddressList()
    {
        const QString file = m_w->dataFolder() + QStringLiteral("TypedURLs.txt");
        const QStringList stored{QStringLiteral("a.vasaro.test"), QStringLiteral("b.vasaro.test"),
                                 QStringLiteral("c.vasaro.test"), QStringLiteral("d.vasaro.test")};
        QVERIFY(TypedUrls(file).write(stored));
        AddressBox *box = m_w->findChild<AddressBox *>(QStringLiteral("Ieaddress1"));
        QVERIFY(box);
        box->showPopup();
        QCOMPARE(box->count(), 4);
        box->view()->setCurrentIndex(box->model()->index(1, 0));
        QVERIFY(box->listOpenWithSelection());
        // The open list has the keyboard.
        QVERIFY(waitFor([&] { return QApplication::focusWidget() == box->view(); }, 2000));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(box->count(), 4);   // the command runs from Timer3
        QVERIFY(waitFor([&] { return box->count() == 3; }, 2000));
        waitMs(300);
        QCOMPARE(box->count(), 3);
        QVERIFY(box->findText(QStringLiteral("b.vasaro.test")) < 0);
        QCOMPARE(TypedUrls(file).list(),
                 (QStringList{QStringLiteral("a.vasaro.test"), QStringLiteral("c.vasaro.test"),
                              QStringLiteral("d.vasaro.test")}));
        box->hidePopup();
    }

    // The program's own dialogs ("VSselain", "Suodatin") and other windows
    // get their keys unchanged. So does a browser window of its own: the
    // commands would act on the main window's active tab, which that window
    // does not show (Ctrl+Q would close it).
    void dialogKeys_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("browser");
        QTest::addColumn<bool>("claimed");
        QTest::newRow("VSselain") << "VSselain" << false << false;
        QTest::newRow("Suodatin") << "Suodatin" << false << false;
        QTest::newRow("ledger") << "Myydyt / ostetut kohteet" << false << false;
        QTest::newRow("browser window") << "Muu ikkuna" << true << false;
        QTest::newRow("browser window titled VSselain") << "VSselain" << true << false;
    }
    void dialogKeys()
    {
        QFETCH(QString, title);
        QFETCH(bool, browser);
        QFETCH(bool, claimed);
        std::unique_ptr<QWidget> owned;
        if (browser)
            owned = std::make_unique<TVasaroselain>(&m_w->browserProfile(), &m_prompts, -1);
        else
            owned = std::make_unique<QDialog>(m_w.get());
        QWidget &dialog = *owned;
        dialog.setWindowTitle(title);
        auto *edit = new QLineEdit(QStringLiteral("yksi kaksi"), &dialog);
        edit->setGeometry(10, 10, 200, 24);
        dialog.resize(400, 300);
        dialog.show();
        edit->raise();
        dialog.activateWindow();
        QVERIFY(waitFor([&] { return dialog.isActiveWindow(); }, 2000));
        edit->setFocus();
        edit->setCursorPosition(10);
        QTest::keyClick(edit, Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(timer3()->isActive(), claimed);
        QCOMPARE(edit->cursorPosition(), claimed ? 10 : 5);
        QTest::keyClick(edit, Qt::Key_F11);
        waitMs(300);
        QCOMPARE(m_w->isMaximized(), claimed);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
