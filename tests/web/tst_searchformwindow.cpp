// The search form in the assembled main window against the fake marketplace:
// filled in by mouse and keys, the search opens in the active tab, and the
// form reads the result page back; the marketplace's advanced-search link
// opens it instead; a click elsewhere closes it.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "buyer/searchform/categorytree.h"
#include "buyer/searchform/searchformpanel.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "stillafter.h"
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kBase = QStringLiteral("http://www.vasaro.test/");

void clickAt(QWidget *w, QPoint local, Qt::KeyboardModifiers mods = {})
{
    const QPoint global = w->mapToGlobal(local);
    QWidget *target = QApplication::widgetAt(global);
    QVERIFY2(target, "nothing under the point");
    QTest::mouseClick(target, Qt::LeftButton, mods, target->mapFromGlobal(global));
}

void click(QWidget *w)
{
    QVERIFY2(w, "no such control");
    clickAt(w, w->rect().center());
}
} // namespace

class TestSearchFormWindow : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    SearchFormPanel *panel() const { return m_w->findChild<SearchFormPanel *>(QStringLiteral("hakulomake")); }
    template <class T> T *control(const QString &name) const { return panel()->findChild<T *>(name); }
    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    bool showsTitle(const QString &title)
    {
        return waitFor([&] { return active() && active()->title() == title; }, 15000);
    }
    // The menu bar's "Haku", clicked where it is drawn: on a narrow window
    // it sits in the list behind the menu bar's extension button.
    void openFromMenu()
    {
        QMenuBar *bar = m_w->menuBar();
        QAction *haku = m_w->findChild<QAction *>(QStringLiteral("Haku"));
        QVERIFY(haku && haku->isEnabled());
        if (bar->rect().contains(bar->actionGeometry(haku))) {
            clickAt(bar, bar->actionGeometry(haku).center());
        } else {
            // The list runs its own loop while it is open: pick from it then.
            bool picked = false;
            QTimer::singleShot(300, [&] {
                auto *list = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                if (!list)
                    return;
                picked = true;
                clickAt(list, list->actionGeometry(haku).center());
            });
            click(bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button")));
            QVERIFY(waitFor([&] { return picked; }, 2000));
        }
        QVERIFY(waitFor([&] { return panel()->isVisible(); }, 5000));
    }
    void clickNode(const QString &name)
    {
        CategoryTree *tree = panel()->tree();
        const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY2(!found.isEmpty(), qPrintable(name));
        for (QTreeWidgetItem *p = found.first()->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->scrollToItem(found.first());
        QCoreApplication::processEvents();
        clickAt(tree->viewport(), tree->visualItemRect(found.first()).center(), Qt::ControlModifier);
    }
    void typeInto(const QString &name, const QString &text)
    {
        auto *edit = control<QLineEdit>(name);
        click(edit);
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    QStringList structuredSearches()
    {
        QStringList paths;
        for (const QJsonObject &r : m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/haku/")))
            paths << QUrl::fromPercentEncoding(r.value(QStringLiteral("path")).toString().toLatin1());
        return paths;
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
        m_prompts = ScriptedPrompts();
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_w->show();
        m_w->activateWindow();
        QVERIFY(waitFor([this] { return m_w->isActiveWindow(); }, 2000));
        QVERIFY(showsTitle(QStringLiteral("Vasaro - etusivu")));
    }

    void cleanup()
    {
        m_w->close();
        m_w.reset();
    }

    void searchOpensInTheActiveTabAndReadsBack_data()
    {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("seller");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QStringList>("nodes");
        QTest::addColumn<QString>("path");
        QTest::newRow("example") << "vanha tuoli" << ""
                                 << QStringList{"wordsfrom_1", "kunto1", "kunto3", "sellstyle_2"}
                                 << QStringList{"Antiikki"}
                                 << "haku/words/vanha+tuoli/wordsfrom/title/classification/new|good/sellstyle/"
                                    "buy-now/category/27/";
        QTest::newRow("seller looked up, two categories")
            << "lamppu" << "Testaaja" << QStringList{"kunto2"} << QStringList{"Valaisimet", "Antiikki"}
            << "haku/words/lamppu/classification/like-new/sellernro/7654321/category/875-27/";
    }
    void searchOpensInTheActiveTabAndReadsBack()
    {
        QFETCH(QString, words);
        QFETCH(QString, seller);
        QFETCH(QStringList, clicks);
        QFETCH(QStringList, nodes);
        QFETCH(QString, path);
        openFromMenu();
        typeInto(QStringLiteral("words"), words);
        if (!seller.isEmpty())
            typeInto(QStringLiteral("seller"), seller);
        for (const QString &name : clicks)
            click(panel()->findChild<QAbstractButton *>(name));
        for (const QString &name : nodes)
            clickNode(name);
        TVasaroselain *tab = active();
        const int tabIndex = m_w->tabs().activeIndex();
        click(control<QPushButton>(QStringLiteral("tee_haku")));
        QVERIFY(showsTitle(QStringLiteral("Hakutulos - Vasaro")));
        QCOMPARE(active(), tab);
        QCOMPARE(m_w->tabs().activeIndex(), tabIndex);
        QVERIFY(!panel()->isVisible());
        QCOMPARE(structuredSearches(), QStringList{u'/' + path});
        QVERIFY(waitFor([&] { return m_w->addressText().contains(QLatin1String("hakutulos")); }, 5000));

        // The form, emptied and opened again on the result page, is filled
        // back; the seller's name comes from the page's form field.
        const SearchCriteria sent = panel()->criteria();
        click(control<QPushButton>(QStringLiteral("tyhjenna_lomake")));
        panel()->hide();
        openFromMenu();
        QVERIFY(panel()->criteria() == sent);
        QCOMPARE(control<QLineEdit>(QStringLiteral("seller"))->text(), seller);
        QVERIFY(!control<QCheckBox>(QStringLiteral("kunto5"))->isChecked());
    }

    // Enter in a text field of the form searches as "HAE" does (it once did
    // nothing); the quick item field runs its own arrow.
    void enterSearches_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("request");
        QTest::newRow("Hakusanat") << "words" << "lamppu" << "Hakutulos - Vasaro" << "/haku/words/lamppu/";
        QTest::newRow("Tuotteen sijainti") << "area" << "Espoo" << "Hakutulos - Vasaro" << "/haku/";
        QTest::newRow("Hinta nyt") << "price_max" << "20" << "Hakutulos - Vasaro" << "/haku/";
        QTest::newRow("Kohdehaku") << "haku_kohde" << "12345678" << "Kohde 12345678" << "/kohteet/12345678";
    }
    void enterSearches()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, title);
        QFETCH(QString, request);
        openFromMenu();
        typeInto(field, text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY2(showsTitle(title), qPrintable(active()->title()));
        QVERIFY(!panel()->isVisible());
        QVERIFY(!m_market.requests(QStringLiteral("www.vasaro.test"), request).isEmpty());
    }

    // A category listed under two parents is selected in both places.
    void resultPageWithSellerAndBidder()
    {
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("hakutulos/words/noppa/sellernro/23456789/biddernro/"
                                                         "7654321/category/483/"));
        QVERIFY(showsTitle(QStringLiteral("Hakutulos - Vasaro")));
        QVERIFY(waitFor([&] { return m_w->addressText().contains(QLatin1String("hakutulos")); }, 5000));
        openFromMenu();
        QCOMPARE(control<QLineEdit>(QStringLiteral("words"))->text(), QStringLiteral("noppa"));
        QCOMPARE(control<QLineEdit>(QStringLiteral("seller"))->text(), QStringLiteral("Matti Myyjä"));
        QCOMPARE(control<QLineEdit>(QStringLiteral("bidder"))->text(), QStringLiteral("Testaaja"));
        const QList<QTreeWidgetItem *> selected = panel()->tree()->selectedItems();
        QCOMPARE(selected.size(), 2);
        QVERIFY(selected.at(0)->parent() != selected.at(1)->parent());
        for (QTreeWidgetItem *item : selected)
            QCOMPARE(CategoryTree::number(item), 483);
    }

    // The marketplace's own advanced search is replaced by the form: the
    // page stays, the form opens filled from it.
    void advancedSearchLinkOpensTheForm()
    {
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("hakutulos/words/kello/status/closed/"));
        QVERIFY(showsTitle(QStringLiteral("Hakutulos - Vasaro")));
        QVERIFY(waitFor([&] { return m_w->addressText().contains(QLatin1String("hakutulos")); }, 5000));
        const QUrl page = active()->url();
        active()->page()->runJavaScript(QStringLiteral("document.getElementById('tarkennettu').click()"));
        QVERIFY(waitFor([&] { return panel()->isVisible(); }, 5000));
        QCOMPARE(control<QLineEdit>(QStringLiteral("words"))->text(), QStringLiteral("kello"));
        QVERIFY(control<QRadioButton>(QStringLiteral("status_1"))->isChecked());
        QVERIFY(stillAfter(kQuietMs, [&] {
            return active()->url() == page
                && m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/advanced")).isEmpty();
        }));
    }

    // On a result page Delete filters the selected listings, but in the
    // form's fields it still deletes text.
    void deleteEditsTheFormOnAResultPage()
    {
        m_w->aktiivisivu_navigate(kBase + QStringLiteral("hakutulos/status/closed/"));
        QVERIFY(showsTitle(QStringLiteral("Hakutulos - Vasaro")));
        QVERIFY(waitFor([&] { return m_w->addressText().contains(QLatin1String("hakutulos")); }, 5000));
        openFromMenu();
        typeInto(QStringLiteral("words"), QStringLiteral("xtuoli"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Home);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(control<QLineEdit>(QStringLiteral("words"))->text(), QStringLiteral("tuoli"));
        // a command word would have run by now
        QVERIFY(stillAfter(kQuietMs, [&] { return m_prompts.asked.isEmpty() && panel()->isVisible(); }));
    }

    void clickElsewhereCloses_data()
    {
        QTest::addColumn<bool>("onPage");
        QTest::newRow("on the page") << true;
        QTest::newRow("on the panel") << false;
    }
    void clickElsewhereCloses()
    {
        QFETCH(bool, onPage);
        openFromMenu();
        QWidget *view = active();
        const QRect panelArea(panel()->mapTo(m_w.get(), QPoint(0, 0)), panel()->size());
        const QPoint viewCorner = view->mapTo(m_w.get(), QPoint(2, 2));
        QVERIFY2(!panelArea.contains(viewCorner), "the panel covers the page");
        if (onPage)
            clickAt(view, QPoint(2, 2));
        else
            clickAt(panel(), QPoint(panel()->width() - 3, panel()->height() - 3));
        QCOMPARE(panel()->isVisible(), !onPage);
    }
};

QTEST_MAIN(TestSearchFormWindow)
#include "tst_searchformwindow.moc"
