// A page that hangs its renderer in the assembled main window. Marketplace
// tabs share one renderer, so the hung page stalls the marketplace's other
// tabs too; the window itself stays responsive: the caption clock ticks, a
// tab of another site loads, and the bar "Sivu ei vastaa" offers "Sulje"
// (end the renderer, close the tab, reload the tabs that shared it) and
// "Odota".
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/hungpagebar.h"
#include "browser/tabs/tabmanager.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include <QPushButton>
#include <QWebEngineScript>
#include <QtTest>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kBase = QStringLiteral("http://www.vasaro.test/");
const QString kOtherSite = QStringLiteral("http://vieras.test/testi/otsikko?t=Vieras");
constexpr int kHangNoticedMs = HangWatch::kDefaultLimitMs + 12000;

// The page answers a script within `ms`. The answer may come after the test
// has stopped waiting, so it lands in shared state.
bool answers(QWebEnginePage *page, int ms)
{
    auto answered = std::make_shared<bool>(false);
    page->runJavaScript(QStringLiteral("1"), QWebEngineScript::ApplicationWorld,
                        [answered](const QVariant &) { *answered = true; });
    return waitFor([answered] { return *answered; }, ms);
}

HungPageBar *bar(TForm1 &w)
{
    return w.findChild<HungPageBar *>(QStringLiteral("hungPageBar"));
}

void click(TForm1 &w, const char *button)
{
    auto *b = bar(w)->findChild<QPushButton *>(QLatin1String(button));
    QVERIFY(b && b->isVisible());
    QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
}

bool shows(TVasaroselain *view, const QString &title, int ms = 15000)
{
    return waitFor([view, title] { return view->title() == title && !view->vasaroPage()->Busy(); }, ms);
}
}

class TestHungPage : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;

    // The window on the home page, then a second tab on the hanging page.
    std::unique_ptr<TForm1> windowWithHungTab(int &hungIndex)
    {
        auto w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        w->show();
        if (!shows(w->tabs().activeBrowser(), QStringLiteral("Vasaro - etusivu")))
            return nullptr;
        w->tabs().uuteenikkunaan(kBase + QStringLiteral("testi/jumittaa"));
        hungIndex = w->tabs().activeIndex();
        return w;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(kSchemes);
        QVERIFY(m_market.start());
    }

    void windowStaysResponsive()
    {
        int hungIndex = -1;
        std::unique_ptr<TForm1> w = windowWithHungTab(hungIndex);
        QVERIFY(w);
        QCOMPARE(hungIndex, 1);
        TVasaroselain *first = w->tabs().browser(0);
        TVasaroselain *hung = w->tabs().browser(hungIndex);
        QVERIFY(shows(hung, QStringLiteral("Jumittaa")));
        QVERIFY(waitFor([&] { return bar(*w)->isVisible(); }, kHangNoticedMs));

        // The marketplace's tabs share the hung renderer, and stall with it.
        QVERIFY(hung->page()->renderProcessPid() > 0);
        QCOMPARE(first->page()->renderProcessPid(), hung->page()->renderProcessPid());
        QVERIFY(!answers(first->page(), 1500));

        // The caption clock ticks.
        for (int tick = 0; tick < 2; ++tick) {
            const QString caption = w->windowTitle();
            QVERIFY(waitFor([&] { return w->windowTitle() != caption; }, 8000));
        }
        // Another site loads in a tab (and a renderer) of its own.
        w->tabs().uuteenikkunaan(kOtherSite);
        TVasaroselain *other = w->tabs().activeBrowser();
        QCOMPARE(w->tabs().activeIndex(), 2);
        QVERIFY2(shows(other, QStringLiteral("Vieras")),
                 qPrintable(other->url().toString() + u' ' + other->title() + u' '
                            + QString::number(other->vasaroPage()->Busy())));
        QVERIFY(answers(other->page(), 5000));
        QVERIFY(other->page()->renderProcessPid() != hung->page()->renderProcessPid());
        QVERIFY(!bar(*w)->isVisible());   // the bar belongs to the hung tab

        // Back on the hung tab the bar comes again; "Sulje" ends the renderer.
        w->tabs().activate(hungIndex);
        QVERIFY(waitFor([&] { return bar(*w)->isVisible(); }, kHangNoticedMs));
        const qint64 otherPid = other->page()->renderProcessPid();
        click(*w, "hungPageClose");
        QVERIFY(waitFor([&] { return !w->tabs().isTabShown(hungIndex); }, 15000));
        QVERIFY(!bar(*w)->isVisible());
        // The first tab shared the renderer: it loads its page again and answers.
        QVERIFY(shows(first, QStringLiteral("Vasaro - etusivu")));
        QVERIFY(waitFor([&] { return answers(first->page(), 1000); }, 15000));
        // The other site's tab was not touched.
        QCOMPARE(other->page()->renderProcessPid(), otherPid);
        QVERIFY(answers(other->page(), 5000));
        w->close();
    }

    void waitKeepsThePageAndAsksAgain()
    {
        int hungIndex = -1;
        std::unique_ptr<TForm1> w = windowWithHungTab(hungIndex);
        QVERIFY(w);
        QVERIFY(waitFor([&] { return bar(*w)->isVisible(); }, kHangNoticedMs));
        click(*w, "hungPageWait");
        QVERIFY(!bar(*w)->isVisible());
        QVERIFY(w->tabs().isTabShown(hungIndex));
        QVERIFY(waitFor([&] { return bar(*w)->isVisible(); }, kHangNoticedMs));
        click(*w, "hungPageClose");
        QVERIFY(waitFor([&] { return !w->tabs().isTabShown(hungIndex); }, 15000));
        w->close();
    }

    // The first tab is never closed: "Sulje" leaves it blank.
    void firstTabGoesBlank()
    {
        auto w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        w->show();
        TVasaroselain *first = w->tabs().activeBrowser();
        QVERIFY(shows(first, QStringLiteral("Vasaro - etusivu")));
        first->vasaroPage()->Navigate(QUrl(kBase + QStringLiteral("testi/jumittaa")));
        QVERIFY(waitFor([&] { return bar(*w)->isVisible(); }, kHangNoticedMs));
        click(*w, "hungPageClose");
        QVERIFY(waitFor([&] { return first->url() == QUrl(QStringLiteral("about:blank")); }, 15000));
        QVERIFY(w->tabs().isTabShown(0));
        QVERIFY(waitFor([&] { return answers(first->page(), 1000); }, 15000));
        QVERIFY(!bar(*w)->isVisible());
        w->close();
    }
};

QTEST_MAIN(TestHungPage)
#include "tst_hungpage.moc"
