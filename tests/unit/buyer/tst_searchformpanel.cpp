// The search panel as a user drives it: real mouse clicks on the widget under
// the point, keys to the focused widget of the active window.
#include "buyer/searchform/categorytree.h"
#include "buyer/searchform/searchformhost.h"
#include "buyer/searchform/searchformpanel.h"
#include "client/httpapi.h"
#include "client/quicksearch.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include "scriptedprompts.h"
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {
const char kCatalogue[] =
    "m1=Ajoneuvot\r\ns2=Osat\r\nc3=Lis\xe4varusteet\r\nc4=Autohifi\r\n"
    "m27=Antiikki\r\ns28=Huonekalut\r\nc29=Tuolit\r\n"
    "m448=Pelit\r\ns449=Lauta- ja korttipelit\r\nc483=Lautapelit\r\n"
    "m375=Lastentarvikkeet\r\ns376=Lelut\r\nc483=Lautapelit\r\nxxx\r\n";

Endpoints testEndpoints()
{
    Endpoints e;
    e.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    e.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    return e;
}

class FakeHost final : public SearchFormHost {
public:
    QString address;
    QStringList opened;
    QString addressText() const override { return address; }
    Document *activeDocument() override { return nullptr; }
    void aktiivisivu_navigate(const QString &url) override { opened << url; }
};

// The seller search; notes what the "HAE" button showed while it waited.
class FakeLookup final : public HttpApi {
public:
    QPushButton *button = nullptr;
    QStringList buttonDuringLookup;
    QString xmlhttpget(Object, const QString &, int) override { return {}; }
    QString xmlhttppost(Object, const QString &, const QByteArray &body, int, const QStringList &,
                        const QStringList &) override
    {
        if (button)
            buttonDuringLookup << button->text() + (button->isEnabled() ? "" : " (pois käytöstä)");
        QTest::qWait(20);   // the window stays live meanwhile
        return body.endsWith("=Testaaja") ? QStringLiteral("<a href=\"/haku/sellernro/7654321\">") : QString();
    }
};

// Presses the left button where a user would: on the widget under the point.
void clickAt(QWidget *w, QPoint local, Qt::KeyboardModifiers mods = {})
{
    const QPoint global = w->mapToGlobal(local);
    QWidget *target = QApplication::widgetAt(global);
    QVERIFY2(target, "nothing under the point");
    QTest::mouseClick(target, Qt::LeftButton, mods, target->mapFromGlobal(global));
}

void click(QWidget *w, Qt::KeyboardModifiers mods = {})
{
    clickAt(w, w->rect().center(), mods);
}
} // namespace

class TestSearchFormPanel : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;
    FakeHost m_host;
    FakeLookup m_http;
    ScriptedPrompts m_prompts;
    std::unique_ptr<UrlScheme> m_urls;
    std::unique_ptr<QuickSearch> m_quick;
    SearchFormPanel *m_panel = nullptr;

    template <class T> T *control(const char *name) const
    {
        return m_panel->findChild<T *>(QLatin1String(name));
    }
    QTreeWidgetItem *node(const QString &name) const
    {
        const auto found = m_panel->tree()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.value(0);
    }
    // Clicks a tree node (its parents expanded first, as a user would).
    void clickNode(QTreeWidgetItem *item, Qt::KeyboardModifiers mods = {})
    {
        CategoryTree *tree = m_panel->tree();
        for (QTreeWidgetItem *p = item->parent(); p; p = p->parent())
            p->setExpanded(true);
        tree->scrollToItem(item);
        QCoreApplication::processEvents();   // the expanded rows are laid out
        clickAt(tree->viewport(), tree->visualItemRect(item).center(), mods);
    }
    void typeInto(QWidget *edit, const QString &text)
    {
        click(edit);
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

private slots:
    void initTestCase()
    {
        QFile f(m_dir.filePath(QStringLiteral("osastolista")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kCatalogue);
    }

    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(790, 590);   // inside the 800 x 600 offscreen screen
        m_urls = std::make_unique<UrlScheme>(testEndpoints());
        m_quick = std::make_unique<QuickSearch>(*m_urls, m_http);
        m_panel = new SearchFormPanel(m_host, *m_urls, *m_quick, m_prompts, m_dir.path() + u'/', m_window.get());
        m_http.button = control<QPushButton>("tee_haku");
        m_host = FakeHost();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(!m_panel->isVisible());
        m_panel->HakuClick();
        QVERIFY(m_panel->isVisible());
    }

    void cleanup()
    {
        m_window.reset();
        m_http.buttonDuringLookup.clear();
        m_prompts.asked.clear();
    }

    void captionsItemsAndDefaults()
    {
        QCOMPARE(control<QPushButton>("tee_haku")->text(), QStringLiteral("HAE"));
        QCOMPARE(control<QPushButton>("tyhjenna_lomake")->text(), QStringLiteral("Tyhjennä lomake"));
        QCOMPARE(control<QPushButton>("XiButton1")->text(), QStringLiteral("Tyhjennä osasto"));
        QCOMPARE(control<QGroupBox>("sellstyle")->title(), QStringLiteral("Kauppatapa"));
        QCOMPARE(control<QRadioButton>("sellstyle_2")->text(), QStringLiteral("Osta Heti"));
        QVERIFY(control<QRadioButton>("sellstyle_0")->isChecked());
        QCOMPARE(control<QCheckBox>("kunto3")->text(), QStringLiteral("Hyvä"));
        auto *closing = control<QComboBox>("closingtime");
        QCOMPARE(closing->count(), 5);
        QCOMPARE(closing->itemText(4), QStringLiteral("Seuraavan viikon sisällä"));
        QCOMPARE(closing->currentIndex(), 0);
        QCOMPARE(control<QLineEdit>("haku_kayttaja")->placeholderText(), QStringLiteral("Anna käyttäjän tunnus"));
        // The panel sits in the middle of its window.
        QCOMPARE(m_panel->geometry().center().x(), m_window->rect().center().x());
        QCOMPARE(m_panel->tree()->topLevelItemCount(), 4);
        QCOMPARE(m_panel->tree()->selectedItems().size(), 0);
    }

    void defaultsOpenNothing()
    {
        click(control<QPushButton>("tee_haku"));
        QVERIFY(m_host.opened.isEmpty());
        QVERIFY(m_panel->isVisible());
    }

    void exampleSearchByHand()
    {
        typeInto(control<QLineEdit>("words"), QStringLiteral("vanha tuoli"));
        click(control<QRadioButton>("wordsfrom_1"));
        click(control<QCheckBox>("kunto1"));
        click(control<QCheckBox>("kunto3"));
        click(control<QRadioButton>("sellstyle_2"));
        clickNode(node(QStringLiteral("Antiikki")));
        click(control<QPushButton>("tee_haku"));
        QCOMPARE(m_host.opened, QStringList{QStringLiteral(
            "http://www.vasaro.test/haku/words/vanha+tuoli/wordsfrom/title/classification/new|good/"
            "sellstyle/buy-now/category/27/")});
        QVERIFY(!m_panel->isVisible());
    }

    void categoriesInSelectionOrder()
    {
        clickNode(node(QStringLiteral("Tuolit")));
        clickNode(node(QStringLiteral("Ajoneuvot")), Qt::ControlModifier);
        clickNode(node(QStringLiteral("Osat")), Qt::ControlModifier);
        QCOMPARE(m_panel->criteria().categories, (QStringList{"29", "1", "2"}));
        clickNode(node(QStringLiteral("Tuolit")), Qt::ControlModifier);   // off ...
        clickNode(node(QStringLiteral("Tuolit")), Qt::ControlModifier);   // ... and on again: last
        QCOMPARE(m_panel->criteria().categories, (QStringList{"1", "2", "29"}));
        clickNode(node(QStringLiteral("Huonekalut")));   // a plain click starts over
        QCOMPARE(m_panel->criteria().categories, QStringList{"28"});
    }

    void userIdsLookedUpWhileTheButtonWaits()
    {
        typeInto(control<QLineEdit>("seller"), QStringLiteral("Testaaja"));
        typeInto(control<QLineEdit>("bidder"), QStringLiteral("Tuntematon"));
        click(control<QPushButton>("tee_haku"));
        QCOMPARE(m_http.buttonDuringLookup,
                 (QStringList{"ODOTA.. (pois käytöstä)", "ODOTA.. (pois käytöstä)"}));
        QCOMPARE(control<QPushButton>("tee_haku")->text(), QStringLiteral("HAE"));
        QVERIFY(control<QPushButton>("tee_haku")->isEnabled());
        QCOMPARE(m_host.opened, QStringList{QStringLiteral("http://www.vasaro.test/haku/sellernro/7654321/")});
    }

    void readBackFromAResultAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("selected");   // node names, tree order
        QTest::addColumn<QStringList>("categories");
        QTest::newRow("leaf under two parents") << "http://www.vasaro.test/hakutulos/category/483/"
                                                << QStringList{"Lautapelit", "Lautapelit"} << QStringList{"483", "483"};
        QTest::newRow("two numbers in order") << "http://www.vasaro.test/hakutulos/category/29-1/"
                                              << QStringList{"Ajoneuvot", "Tuolit"} << QStringList{"29", "1"};
        QTest::newRow("unknown number selects nothing") << "http://www.vasaro.test/hakutulos/category/999-027/"
                                                        << QStringList() << QStringList();
        QTest::newRow("no category clears the tree") << "http://www.vasaro.test/hakutulos/words/x/"
                                                     << QStringList() << QStringList();
        QTest::newRow("not a readable result: kept") << "http://www.vasaro.test/haku/category/483/"
                                                     << QStringList{"Osat"} << QStringList{"2"};
    }
    void readBackFromAResultAddress()
    {
        QFETCH(QString, address);
        QFETCH(QStringList, selected);
        QFETCH(QStringList, categories);
        clickNode(node(QStringLiteral("Osat")));
        m_panel->hide();
        m_host.address = address;
        m_panel->HakuClick();
        QStringList names;
        for (QTreeWidgetItemIterator it(m_panel->tree(), QTreeWidgetItemIterator::Selected); *it; ++it) {
            names << (*it)->text(0);
            for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
                QVERIFY(p->isExpanded());
        }
        QCOMPARE(names, selected);
        QCOMPARE(m_panel->criteria().categories, categories);
    }

    void clearing_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("formCleared");
        QTest::newRow("Tyhjennä lomake") << "tyhjenna_lomake" << true;
        QTest::newRow("Tyhjennä osasto") << "XiButton1" << false;
    }
    void clearing()
    {
        QFETCH(QString, button);
        QFETCH(bool, formCleared);
        SearchCriteria c;
        c.words = QStringLiteral("x");
        c.wordsfrom = 1;
        c.status = 1;
        c.sellstyle = 2;
        c.seller_user_type = 1;
        c.kunto = {true, false, true, false, true};
        c.price_min = QStringLiteral("1");
        c.price_max = QStringLiteral("2");
        c.addtime = 3;
        c.closingtime = 4;
        c.area = QStringLiteral("a");
        c.seller = QStringLiteral("s");
        c.bidder = QStringLiteral("b");
        m_panel->setCriteria(c);
        typeInto(control<QLineEdit>("haku_kohde"), QStringLiteral("123"));
        clickNode(node(QStringLiteral("Tuolit")));
        click(m_panel->findChild<QPushButton *>(button));
        SearchCriteria expected;
        expected.wordsfrom = 1;
        if (!formCleared)
            expected = c;
        QVERIFY(m_panel->criteria() == expected);
        QCOMPARE(control<QLineEdit>("haku_kohde")->text(), QStringLiteral("123"));
    }

    // Several selected categories stay painted in the highlight colour when
    // the tree has lost the focus.
    void selectionVisibleWithoutFocus()
    {
        clickNode(node(QStringLiteral("Antiikki")));
        clickNode(node(QStringLiteral("Pelit")), Qt::ControlModifier);
        click(control<QLineEdit>("words"));
        QVERIFY(!m_panel->tree()->hasFocus());
        CategoryTree *tree = m_panel->tree();
        const QImage shot = tree->viewport()->grab().toImage();
        const QColor highlight = tree->palette().color(QPalette::Active, QPalette::Highlight);
        for (const char *name : {"Antiikki", "Pelit"}) {
            const QRect r = tree->visualItemRect(node(QLatin1String(name)));
            const QColor seen = shot.pixelColor(r.right() - 3, r.center().y());
            QCOMPARE(seen.rgb(), highlight.rgb());
        }
    }

    void clickOutsideCloses_data()
    {
        QTest::addColumn<bool>("outside");
        QTest::newRow("outside the panel") << true;
        QTest::newRow("inside the panel") << false;
    }
    void clickOutsideCloses()
    {
        QFETCH(bool, outside);
        struct Rule : QObject {
            SearchFormPanel *panel;
            bool eventFilter(QObject *o, QEvent *e) override
            {
                if (e->type() == QEvent::MouseButtonPress)
                    panel->closeOnOutsideClick(o, static_cast<QMouseEvent *>(e)->globalPosition());
                return false;
            }
        } rule;
        rule.panel = m_panel;
        qApp->installEventFilter(&rule);
        if (outside)
            clickAt(m_window.get(), QPoint(5, 5));
        else
            clickAt(m_panel, QPoint(m_panel->width() - 4, m_panel->height() - 4));
        QCOMPARE(m_panel->isVisible(), !outside);
        // The panel's own drop-down list is part of it, wherever it opens.
        if (!outside) {
            auto *addtime = control<QComboBox>("addtime");
            click(addtime);
            QTRY_VERIFY(addtime->view()->isVisible());
            QTest::qWait(QApplication::doubleClickInterval() + 50);   // the list ignores an early release
            QAbstractItemView *list = addtime->view();
            clickAt(list->viewport(), list->visualRect(list->model()->index(4, 0)).center());
            QTRY_COMPARE(addtime->currentIndex(), 4);
            QVERIFY(m_panel->isVisible());
        }
        qApp->removeEventFilter(&rule);
    }

    void quickFields_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("item number") << "haku_kohde" << "XiButton2" << "12345678"
                                     << "http://www.vasaro.test/kohteet/12345678" << QStringList();
        QTest::newRow("user found") << "haku_kayttaja" << "XiButton6" << "Testaaja"
                                    << "http://www.vasaro.test/kayttaja/7654321" << QStringList();
        QTest::newRow("user not found") << "haku_kayttaja" << "XiButton6" << "Kukaan" << ""
                                        << QStringList{"information: Käyttäjää ei löytynyt!"};
        QTest::newRow("empty item field") << "haku_kohde" << "XiButton2" << "" << "" << QStringList();
    }
    void quickFields()
    {
        QFETCH(QString, edit);
        QFETCH(QString, button);
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        QFETCH(QStringList, asked);
        typeInto(m_panel->findChild<QLineEdit *>(edit), typed);
        click(m_panel->findChild<QPushButton *>(button));
        QCOMPARE(m_host.opened, opened.isEmpty() ? QStringList() : QStringList{opened});
        QCOMPARE(m_prompts.asked, asked);
        QCOMPARE(m_panel->isVisible(), opened.isEmpty());
    }
};

QTEST_MAIN(TestSearchFormPanel)
#include "tst_searchformpanel.moc"
