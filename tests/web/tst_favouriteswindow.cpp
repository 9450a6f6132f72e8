// Favourite sellers and searches in the assembled main window against the
// fake marketplace: added with the tool bar button by a real mouse click,
// shown from the menu bar in the preview panel, whose links (clicked with
// the mouse) open a search or a seller's listings in the active tab and
// delete a saved search; the lists survive a restart.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "buyer/resultpage/previewpanel.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "marketwindow.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QtTest>

namespace {
using WebTest::clickAt;
using WebTest::evaluate;
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kBase = QStringLiteral("http://www.vasaro.test/");

} // namespace

class TestFavouritesWindow : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    PreviewPanel *preview() { return m_w->findChild<PreviewPanel *>(QStringLiteral("esikatselu")); }
    QToolButton *button() { return m_w->findChild<QToolButton *>(QStringLiteral("XiButton14")); }
    QString paneeli() { return m_w->findChild<QLabel *>(QStringLiteral("paneeli"))->text(); }

    void startWindow()
    {
        m_w = MarketWindow::open(&m_prompts);
        QVERIFY(m_w);
    }
    void open(const QString &path, const QString &title, const QString &caption)
    {
        m_w->aktiivisivu_navigate(kBase + path);
        QVERIFY(waitFor([&] { return active()->title() == title; }, 15000));
        const bool ok = waitFor([&] { return button()->isVisible() && button()->text() == caption; }, 10000);
        if (!ok)
            qWarning() << "button" << button()->isVisible() << button()->isVisibleTo(m_w.get()) << button()->text() << active()->url();
        QVERIFY(ok);
    }
    void clickButton()
    {
        QVERIFY(button()->isEnabled());
        QVERIFY(clickAt(button(), button()->rect().center()));
    }
    // The menu bar item, clicked where it is drawn (or picked from the list
    // behind the bar's extension button on a narrow window).
    void openOverview()
    {
        QMenuBar *bar = m_w->menuBar();
        QAction *item = m_w->findChild<QAction *>(QStringLiteral("Suosikkimyyjthaut1"));
        QVERIFY(item && item->isEnabled());
        if (bar->rect().contains(bar->actionGeometry(item))) {
            QVERIFY(clickAt(bar, bar->actionGeometry(item).center()));
        } else {
            bool picked = false;
            QTimer::singleShot(300, [&] {
                if (auto *list = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                    picked = true;
                    clickAt(list, list->actionGeometry(item).center());
                }
            });
            QVERIFY(clickAt(bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button")), {5, 5}));
            QVERIFY(waitFor([&] { return picked; }, 2000));
        }
    }
    QString overviewText()
    {
        return evaluate(preview()->WB_preview(), QStringLiteral("document.body ? document.body.innerText : ''"))
            .toString();
    }
    bool overviewShows(const QString &text)
    {
        const bool ok = waitFor([&] { return preview()->isVisible() && overviewText().contains(text); }, 10000);
        if (!ok)
            qWarning() << "overview" << preview()->isVisible() << preview()->WB_preview()->url() << overviewText();
        return ok;
    }
    // Centre of the overview's link with the given address attribute, in the
    // preview view's coordinates.
    QPoint linkCentre(const QString &href)
    {
        const QVariantList r =
            evaluate(preview()->WB_preview(),
                     QStringLiteral("(function(){var a=document.querySelector('a[href=\"%1\"]');if(!a)return [];"
                                    "var r=a.getBoundingClientRect();return [r.left+r.width/2,r.top+r.height/2];})()")
                         .arg(href))
                .toList();
        if (r.size() != 2)
            return {-1, -1};
        const qreal zoom = preview()->WB_preview()->zoomFactor();
        return QPoint(int(r.at(0).toDouble() * zoom), int(r.at(1).toDouble() * zoom));
    }
    // A real mouse click on a link of the overview: the press and release go
    // to the widget under the point, as the window system delivers them.
    void clickLink(const QString &href, const std::function<bool()> &done)
    {
        QWebEngineView *view = preview()->view();
        QVERIFY(waitFor([&] { return view->focusProxy() && linkCentre(href).x() >= 0; }, 5000));
        for (int attempt = 0; attempt < 20 && !done(); ++attempt) {
            QVERIFY(clickAt(view, linkCentre(href)));
            waitFor(done, 500);
        }
        if (!done())
            qWarning() << "link" << href << active()->url() << preview()->isVisible() << m_w->settings().suosikkihaut;
        QVERIFY(done());
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
    }

    void init()
    {
        m_market.clear();
        m_market.setState(QStringLiteral("haku_kayttaja_myyja1"), QStringLiteral("1001"));
        m_prompts = ScriptedPrompts();
        startWindow();
    }

    void cleanup()
    {
        if (m_w)
            m_w->close();
        m_w.reset();
    }

    // Twice from an item page keeps one entry and confirms both times; a
    // search is kept percent-decoded.
    void buttonAddsSellerAndSearch()
    {
        open(QStringLiteral("kohteet/kohde/12345678"), QStringLiteral("Kohde 12345678"),
             QStringLiteral("Lisää suosikkimyyjiin"));
        clickButton();
        QVERIFY(waitFor([&] { return m_w->settings().suosikkimyyjat == QStringList{"myyja1"}; }, 5000));
        QCOMPARE(paneeli(), QStringLiteral("Lisätty suosikkimyyjiin!"));

        open(QStringLiteral("haku?words=vanha+tuoli%26&category=27"), QStringLiteral("Hakutulokset"),
             QStringLiteral("Lisää suosikkihakuihin"));
        clickButton();
        QVERIFY(waitFor([&] { return !m_w->settings().suosikkihaut.isEmpty(); }, 5000));
        QCOMPARE(m_w->settings().suosikkihaut, QStringList{kBase + "haku?words=vanha tuoli&&category=27"});
        QCOMPARE(paneeli(), QStringLiteral("Lisätty suosikkihakuihin!"));

        // The same seller again: still one entry, still confirmed.
        open(QStringLiteral("kohteet/kohde/23456789"), QStringLiteral("Kohde 23456789"),
             QStringLiteral("Lisää suosikkimyyjiin"));
        clickButton();
        QVERIFY(waitFor([&] { return paneeli() == QStringLiteral("Lisätty suosikkimyyjiin!"); }, 5000));
        QCOMPARE(m_w->settings().suosikkimyyjat, QStringList{"myyja1"});
    }

    void emptyListsTellWhereToAdd()
    {
        m_w->settings().suosikkimyyjat.clear();   // an earlier window may have saved some
        m_w->settings().suosikkihaut.clear();
        openOverview();
        QVERIFY(waitFor([&] { return !m_prompts.asked.isEmpty(); }, 5000));
        QCOMPARE(m_prompts.asked, QStringList{"information: Suosikkimyyjiä tai hakuja ei löytynyt!\r\n\r\nMyyjiä voi "
                                              "lisätä kohdesivulta\r\nja hakuja hakutuloksista."});
        QVERIFY(!preview()->isVisible());
    }

    // The overview's links, clicked with the mouse.
    void overviewLinks_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<QString>("opened");
        QTest::newRow("search") << kBase + "haku/words/kirja/category/5" << "/haku/words/kirja/category/5";
        QTest::newRow("seller") << kBase + "kayttajatunnus/myyja1" << "/haku/sellernro/1001";
    }
    void overviewLinks()
    {
        QFETCH(QString, href);
        QFETCH(QString, opened);
        m_w->settings().suosikkimyyjat = QStringList{"myyja1"};
        m_w->settings().suosikkihaut = QStringList{kBase + "haku/words/kirja/category/5", kBase + "haku?words=lamppu"};
        openOverview();
        QVERIFY(overviewShows(QStringLiteral("Sanat: kirja Osastot: 5")));
        QVERIFY(overviewText().contains(QStringLiteral("Suosikkimyyjät:")));
        QVERIFY(overviewText().contains(QStringLiteral("Sanat: lamppu Osastot: Kaikki")));
        QVERIFY(!preview()->XiPanel10()->isVisible());
        clickLink(href, [&] { return !m_market.requests(QStringLiteral("www.vasaro.test"), opened).isEmpty(); });
        QVERIFY(waitFor([&] { return active()->title() != QLatin1String("Vasaro - etusivu"); }, 15000));
        QVERIFY(!preview()->isVisible());
    }

    // "X" deletes the search at its position and the page is built again
    // with the numbers of the shortened list.
    void deleteRebuildsTheOverview()
    {
        const QString first = kBase + "haku/words/aaa";
        const QString second = kBase + "haku/words/bbb";
        m_w->settings().suosikkihaut = QStringList{second, first};
        openOverview();
        QVERIFY(overviewShows(QStringLiteral("Sanat: bbb")));
        const QUrl home = active()->url();
        clickLink(QStringLiteral("poistahauista/0"), [&] { return m_w->settings().suosikkihaut.size() == 1; });
        QCOMPARE(m_w->settings().suosikkihaut, QStringList{second});
        QVERIFY(waitFor([&] { return !overviewText().contains(QStringLiteral("aaa")); }, 5000));
        QVERIFY(overviewText().contains(QStringLiteral("Sanat: bbb")));
        QVERIFY(linkCentre(QStringLiteral("poistahauista/0")).x() >= 0);
        QCOMPARE(linkCentre(QStringLiteral("poistahauista/1")).x(), -1);
        QVERIFY(preview()->isVisible());
        QCOMPARE(active()->url(), home);
    }

    // Deleting a saved search asks first; "Ei" keeps it.
    void deleteAsksFirst()
    {
        const QString only = kBase + "haku/words/ccc";
        m_w->settings().suosikkihaut = QStringList{only};
        openOverview();
        QVERIFY(overviewShows(QStringLiteral("Sanat: ccc")));
        m_prompts.answers.enqueue(Prompts::Answer::No);
        const QString question = QStringLiteral("confirm: Poistetaanko tallennettu haku?");
        clickLink(QStringLiteral("poistahauista/0"), [&] { return m_prompts.asked.contains(question); });
        waitMs(300);
        QCOMPARE(m_w->settings().suosikkihaut, QStringList{only});
        QVERIFY(preview()->isVisible());
        QCOMPARE(m_prompts.asked.count(question), 1);
    }

    // "Lisää suosikkimyyjiin" of the menu: a name that a favourite begins
    // with adds nothing and says so (it once said "Lisätty!").
    void addByNameTellsWhatHappened_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QStringList>("after");
        const QString there = QStringLiteral("Suosikkimyyjissä on jo vastaava tunnus!");
        QTest::newRow("new name") << QStringList{"myyja1"} << "Matti" << "Lisätty!" << QStringList{"Matti", "myyja1"};
        QTest::newRow("beginning of a favourite") << QStringList{"myyja12"} << "myyja1" << there
                                                  << QStringList{"myyja12"};
        QTest::newRow("same name, other case") << QStringList{"Myyja1"} << "myyja1" << there << QStringList{"Myyja1"};
    }
    void addByNameTellsWhatHappened()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, typed);
        m_w->settings().suosikkimyyjat = before;
        m_prompts.inputs.enqueue(typed);
        QAction *item = m_w->findChild<QAction *>(QStringLiteral("Lissuosikkimyyjiin1"));
        QVERIFY(item);
        item->trigger();
        QTEST(paneeli(), "told");
        QTEST(m_w->settings().suosikkimyyjat, "after");
    }

    // A click outside the panel closes it.
    void outsideClickCloses()
    {
        m_w->settings().suosikkimyyjat = QStringList{"myyja1"};
        openOverview();
        QVERIFY(overviewShows(QStringLiteral("myyja1")));
        QWidget *tabsArea = active();
        QVERIFY(clickAt(tabsArea, QPoint(5, tabsArea->height() - 5)));
        QVERIFY(waitFor([&] { return !preview()->isVisible(); }, 2000));
    }

    void listsSurviveARestart()
    {
        open(QStringLiteral("kohteet/kohde/12345678"), QStringLiteral("Kohde 12345678"),
             QStringLiteral("Lisää suosikkimyyjiin"));
        clickButton();
        QVERIFY(waitFor([&] { return !m_w->settings().suosikkimyyjat.isEmpty(); }, 5000));
        m_w->settings().suosikkihaut = QStringList{kBase + "haku/words/x"};
        m_w->close();
        m_w.reset();
        startWindow();
        QCOMPARE(m_w->settings().suosikkimyyjat, QStringList{"myyja1"});
        QCOMPARE(m_w->settings().suosikkihaut, QStringList{kBase + "haku/words/x"});
    }
};

QTEST_MAIN(TestFavouritesWindow)
#include "tst_favouriteswindow.moc"
