// Dragging tabs to a new order in the assembled main window. The mouse goes
// as the window system delivers it: press, moves and release to the window
// at window coordinates, and the application hands each to the widget under
// the point (the strip keeps the mouse from the press to the release). The
// order must change, every page must stay with its tab (caption, page, zoom,
// close button), the first tab must stay first, and what keeps tabs by place
// (the session file, Ctrl+Shift+T, the approval's tab close) must follow.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/session/sessionfile.h"
#include "browser/session/sessionkeeper.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabdrag.h"
#include "browser/tabs/tabmanager.h"
#include "browser/tabs/tabstrip.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include <QApplication>
#include <QSignalSpy>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kBase = QStringLiteral("http://www.vasaro.test/");
const QString kHome = QStringLiteral("Vasaro - etusivu");
}

class TestTabDrag : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    TabManager &tabs() { return m_w->tabs(); }
    TabStrip *strip() { return tabs().pageControl()->strip(); }

    bool titled(TVasaroselain *view, const QString &title)
    {
        return waitFor([&] { return view && view->title() == title && !view->vasaroPage()->Busy(); }, 15000);
    }

    // Opens "Selain <word>" pages in new tabs, one after another.
    bool openTabs(const QStringList &words)
    {
        for (const QString &word : words) {
            tabs().uuteenikkunaan(kBase + QStringLiteral("testi/selain/") + word);
            if (!titled(tabs().activeBrowser(), QStringLiteral("Selain ") + word))
                return false;
        }
        // Captions follow every completed page.
        return waitFor([this, words] { return tabs().caption(tabs().activeIndex()) == QStringLiteral("Selain ") + words.last(); },
                       5000);
    }

    // The shown tabs' captions in strip order.
    QStringList order()
    {
        QStringList captions;
        for (int i = 0; i < tabs().count(); ++i) {
            if (tabs().isTabShown(i))
                captions << tabs().caption(i);
        }
        return captions;
    }

    // Each shown tab's page is the one its caption names.
    bool pagesStayWithTabs()
    {
        for (int i = 0; i < tabs().count(); ++i) {
            if (tabs().isTabShown(i) && tabs().browser(i)->title() != tabs().caption(i))
                return false;
        }
        return tabs().pageControl()->currentWidget() == tabs().activeBrowser();
    }

    int placeOf(const QString &caption)
    {
        for (int i = 0; i < tabs().count(); ++i) {
            if (tabs().isTabShown(i) && tabs().caption(i) == caption)
                return i;
        }
        return -1;
    }

    // A point on a tab's caption, clear of its close button.
    QPoint grip(int index) { return strip()->tabRect(index).topLeft() + QPoint(8, strip()->tabRect(index).height() / 2); }

    // Press at `from`, moves in steps, release at `to` (strip coordinates),
    // all sent to the window.
    void drag(QPoint from, QPoint to)
    {
        QWindow *window = m_w->windowHandle();
        const auto inWindow = [this](QPoint p) { return strip()->mapTo(m_w.get(), p); };
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(from));
        constexpr int kSteps = 16;
        for (int i = 1; i <= kSteps; ++i)
            QTest::mouseMove(window, inWindow(from + (to - from) * i / kSteps));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(to));
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
        m_w->resize(1000, 760);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QVERIFY(titled(tabs().activeBrowser(), kHome));
        QVERIFY(waitFor([this] { return tabs().caption(0) == kHome; }, 5000));
    }

    void cleanup()
    {
        if (m_w)
            m_w->close();
        m_w.reset();
    }

    // The last tab dragged to the second place, then towards the first tab
    // (it stops second), then to the end again. Each page stays with its tab
    // and the dragged one stays active without a tab change being reported.
    void dragToNewOrder()
    {
        QVERIFY(openTabs({QStringLiteral("yksi"), QStringLiteral("kaksi"), QStringLiteral("kolme")}));
        TVasaroselain *first = tabs().browser(1);
        QVERIFY(first->asetaZoom(150));
        TVasaroselain *third = tabs().browser(3);
        QCOMPARE(order(), QStringList({kHome, "Selain yksi", "Selain kaksi", "Selain kolme"}));
        QSignalSpy changes(tabs().pageControl(), &QTabWidget::currentChanged);

        drag(grip(3), grip(1));
        QCOMPARE(order(), QStringList({kHome, "Selain kolme", "Selain yksi", "Selain kaksi"}));
        QVERIFY(pagesStayWithTabs());
        QCOMPARE(tabs().activeBrowser(), third);
        QCOMPARE(tabs().activeIndex(), 1);
        QCOMPARE(third->pageIndex(), 3);   // its page index is its own for the run
        QCOMPARE(tabs().indexOfPage(3), 1);
        QCOMPARE(tabs().browser(placeOf(QStringLiteral("Selain yksi")))->zoomPercent(), 150);
        QVERIFY(!strip()->drag()->dragging());

        // Towards and over the first tab: the dragged tab stops second.
        drag(grip(1), strip()->tabRect(0).topLeft() + QPoint(2, 4));
        QCOMPARE(order(), QStringList({kHome, "Selain kolme", "Selain yksi", "Selain kaksi"}));
        QCOMPARE(changes.count(), 0);

        // To the far end, past the last tab.
        const QRect last = strip()->tabRect(3);
        drag(grip(1), QPoint(last.right() + 40, last.center().y()));
        QCOMPARE(order(), QStringList({kHome, "Selain yksi", "Selain kaksi", "Selain kolme"}));
        QVERIFY(pagesStayWithTabs());
        QCOMPARE(tabs().activeBrowser(), third);
        QCOMPARE(changes.count(), 0);   // the same page stayed active all along
        QCOMPARE(tabs().browser(0)->pageIndex(), 0);
    }

    // The first tab cannot be taken along: a drag from it moves nothing and
    // leaves it active; a slight move is a click, not a drag.
    void firstTabStaysFirst()
    {
        QVERIFY(openTabs({QStringLiteral("yksi"), QStringLiteral("kaksi")}));
        const QRect last = strip()->tabRect(2);
        drag(grip(0), QPoint(last.right() - 4, last.center().y()));
        QCOMPARE(order(), QStringList({kHome, "Selain yksi", "Selain kaksi"}));
        QCOMPARE(tabs().activeIndex(), 0);
        QCOMPARE(tabs().browser(0)->pageIndex(), 0);
        QVERIFY(pagesStayWithTabs());

        drag(grip(2), grip(2) - QPoint(2, 0));
        QCOMPARE(order(), QStringList({kHome, "Selain yksi", "Selain kaksi"}));
        QCOMPARE(tabs().activeIndex(), 2);

        // The tab control itself refuses a move of or before the first tab.
        tabs().pageControl()->moveTab(2, 0);
        tabs().pageControl()->moveTab(0, 2);
        QCOMPARE(order(), QStringList({kHome, "Selain yksi", "Selain kaksi"}));
    }

    // A closed tab in between is passed over; after the drag the close
    // button, Ctrl+Shift+T, the session file and the approval's tab close
    // act on the tab that holds the page.
    void reorderedTabsKeepWorking()
    {
        QVERIFY(openTabs({QStringLiteral("yksi"), QStringLiteral("kaksi"), QStringLiteral("kolme")}));
        QToolButton *closeTwo = strip()->closeButton(2);
        QVERIFY(WebTest::clickAt(closeTwo, closeTwo->rect().center()));
        QVERIFY(waitFor([this] { return !tabs().isTabShown(2); }, 5000));
        tabs().activate(3);
        drag(grip(3), grip(1));
        QCOMPARE(order(), QStringList({kHome, "Selain kolme", "Selain yksi"}));
        QVERIFY(pagesStayWithTabs());

        // The session file keeps the strip's order and the active tab.
        QVERIFY(waitFor([this] {
            const SessionState s = SessionFile::read(m_w->session()->path());
            return s.addresses
                       == QStringList({tabs().browser(0)->locationUrl(), kBase + "testi/selain/kolme",
                                       kBase + "testi/selain/yksi"})
                && s.active == 1;
        }, 10000));

        // The close button of the moved "yksi" tab closes "yksi".
        const int yksi = placeOf(QStringLiteral("Selain yksi"));
        QToolButton *close = strip()->closeButton(yksi);
        QVERIFY(close && close->isVisible());
        QVERIFY(WebTest::clickAt(close, close->rect().center()));
        QVERIFY(waitFor([this] { return order() == QStringList({kHome, "Selain kolme"}); }, 5000));
        QVERIFY(pagesStayWithTabs());

        // Ctrl+Shift+T brings "yksi" back; its caption follows its page.
        tabs().reopenClosedTab();
        QVERIFY(titled(tabs().activeBrowser(), QStringLiteral("Selain yksi")));
        QVERIFY(waitFor([this] { return order().contains(QStringLiteral("Selain yksi")); }, 5000));
        QVERIFY(pagesStayWithTabs());

        // The approval closes a tab by its page index: the moved one.
        TVasaroselain *kolme = tabs().browser(placeOf(QStringLiteral("Selain kolme")));
        const int page = kolme->pageIndex();
        QVERIFY(page != placeOf(QStringLiteral("Selain kolme")));
        tabs().suljesivu(tabs().indexOfPage(page));
        QVERIFY(waitFor([this] { return !order().contains(QStringLiteral("Selain kolme")); }, 5000));
        QVERIFY(order().contains(QStringLiteral("Selain yksi")));
        QCOMPARE(tabs().indexOfPage(99), -1);
    }
};

QTEST_MAIN(TestTabDrag)
#include "tst_tabdrag.moc"
