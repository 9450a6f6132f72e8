// The address box of the assembled main window, used as a user uses it: a
// click into the box, typed text and keys sent to the focused widget of the
// active window, the mouse on the widget under the pointer.
#include "app/tform1.h"
#include "browser/tabs/addressbox.h"
#include "browser/engine/browserprofile.h"
#include "browser/tabs/tabmanager.h"
#include "browser/tabs/typedurls.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/paths.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

// The mouse where a user clicks: on the widget under the point `at` of `window`.
void clickAt(QWidget *window, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *target = window->childAt(at);
    if (!target)
        target = window;
    QTest::mouseClick(target, button, {}, target->mapFrom(window, at));
}

QWidget *focused()
{
    return QApplication::focusWidget();
}
}

class TestAddressBox : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    QString base() const { return QStringLiteral("http://www.vasaro.test/"); }
    AddressBox *box() { return m_w->findChild<AddressBox *>(QStringLiteral("Ieaddress1")); }
    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    QString historyFile() const { return m_w->dataFolder() + QStringLiteral("TypedURLs.txt"); }

    bool showsTitle(const QString &title, int limitMs = 15000)
    {
        return waitFor([&] { return active() && active()->title() == title && !active()->vasaroPage()->Busy(); },
                       limitMs);
    }
    // Requests for /testi/otsikko with this query so far.
    int titleRequests(const QString &query)
    {
        int n = 0;
        for (const QJsonObject &r : m_market.requests(QStringLiteral("www.vasaro.test"), QStringLiteral("/testi/otsikko")))
            n += r.value(QStringLiteral("query")).toString() == query;
        return n;
    }
    QPoint inWindow(QWidget *w, const QPoint &local) { return w->mapTo(m_w.get(), local); }

    // A click into the box's text, the old text selected and replaced by typing.
    void typeIntoBox(const QString &text)
    {
        clickAt(m_w.get(), inWindow(box()->lineEdit(), QPoint(10, box()->lineEdit()->height() / 2)));
        QVERIFY(waitFor([this] { return box()->hasFocus(); }, 2000));
        QTest::keyClick(focused(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(focused(), text);
    }
    // The main window, shown and active, with these typed addresses stored.
    bool start(const QStringList &history = {})
    {
        const QString file = Paths::dataFolder() + QStringLiteral("TypedURLs.txt");
        QFile::remove(file);
        if (!history.isEmpty() && !TypedUrls(file).write(history))
            return false;
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        if (!QTest::qWaitForWindowActive(m_w.get()) || !showsTitle(QStringLiteral("Vasaro - etusivu")))
            return false;
        m_market.clear();
        return true;
    }

    // Opens a page and waits until the page is done with the window (it
    // shows its address in the box and takes the focus).
    bool openPage(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(base() + path);
        return showsTitle(title)
            && waitFor([&] { return box()->currentText() == base() + path && active()->hasFocus(); }, 5000);
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
    }

    void cleanup()
    {
        if (m_w)
            m_w->close();
        m_w.reset();
    }

    // Return or keypad Enter in the box opens the typed text; a bare host
    // name with a dot joins the typed-address history, a full address does
    // not, and a text that is already there is opened once and not doubled.
    void typedTextNavigates_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("history");
        const QString bare = QStringLiteral("www.vasaro.test/testi/otsikko?t=Kirjoitettu");
        QTest::newRow("bare host, Return") << QStringList() << bare << false << "Kirjoitettu" << QStringList{bare};
        QTest::newRow("bare host, keypad Enter") << QStringList() << bare << true << "Kirjoitettu" << QStringList{bare};
        QTest::newRow("full address") << QStringList() << "http://www.vasaro.test/testi/otsikko?t=Kokonainen" << false
                                      << "Kokonainen" << QStringList();
        QTest::newRow("an address of the history") << QStringList{bare} << bare << false << "Kirjoitettu"
                                                   << QStringList{bare};
    }
    void typedTextNavigates()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, typed);
        QFETCH(bool, keypad);
        QFETCH(QString, title);
        QFETCH(QStringList, history);
        QVERIFY(start(stored));
        typeIntoBox(typed);
        QCOMPARE(box()->currentText(), typed);
        QTest::keyClick(focused(), keypad ? Qt::Key_Enter : Qt::Key_Return, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QVERIFY(showsTitle(title));
        QCOMPARE(TypedUrls(historyFile()).list(), history);
        waitMs(500);
        QCOMPARE(titleRequests(QStringLiteral("t=") + QUrl::toPercentEncoding(title)), 1);
    }

    // The wheel over a box the user is not in, and the arrow keys in the
    // box, leave the page where it is.
    void wheelAndArrowsDoNotNavigate_data()
    {
        QTest::addColumn<QString>("input");
        QTest::newRow("wheel down over the box") << "wheel-";
        QTest::newRow("wheel up over the box") << "wheel+";
        QTest::newRow("down in the box") << "down";
        QTest::newRow("up in the box") << "up";
        QTest::newRow("page down in the box") << "pagedown";
    }
    void wheelAndArrowsDoNotNavigate()
    {
        QFETCH(QString, input);
        QVERIFY(start({QStringLiteral("www.vasaro.test/testi/otsikko?t=Eka"),
                       QStringLiteral("www.vasaro.test/testi/otsikko?t=Toka")}));
        QVERIFY(openPage(QStringLiteral("testi/otsikko?t=Alku"), QStringLiteral("Alku")));
        const QString shown = box()->currentText();
        if (input.startsWith(QLatin1String("wheel"))) {
            active()->setFocus();
            const QPoint at = inWindow(box(), QPoint(box()->width() / 2, box()->height() / 2));
            QWidget *target = m_w->childAt(at);
            const QPoint local = target->mapFrom(m_w.get(), at);
            const int delta = input.endsWith(u'-') ? -120 : 120;
            QWheelEvent wheel(local, target->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &wheel);
            QCOMPARE(box()->currentText(), shown);
            QVERIFY(!box()->hasFocus());
        } else {
            clickAt(m_w.get(), inWindow(box()->lineEdit(), QPoint(10, box()->lineEdit()->height() / 2)));
            QVERIFY(waitFor([this] { return box()->hasFocus(); }, 2000));
            const Qt::Key key = input == QLatin1String("down") ? Qt::Key_Down
                : input == QLatin1String("up")                 ? Qt::Key_Up
                                                               : Qt::Key_PageDown;
            QTest::keyClick(focused(), key);
            QTest::keyClick(focused(), key);
        }
        waitMs(1000);
        QCOMPARE(active()->title(), QStringLiteral("Alku"));
        QCOMPARE(titleRequests(QStringLiteral("t=Eka")) + titleRequests(QStringLiteral("t=Toka")), 0);
    }

    // An entry chosen from the opened list, by a click or by Enter on it,
    // opens once; Escape closes the list without opening anything.
    void listChoiceNavigates_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("title");
        QTest::newRow("click on the second entry") << "click" << "Toka";
        QTest::newRow("down and enter") << "enter" << "Toka";
        QTest::newRow("escape") << "escape" << "Alku";
    }
    void listChoiceNavigates()
    {
        QFETCH(QString, how);
        QFETCH(QString, title);
        QVERIFY(start({QStringLiteral("www.vasaro.test/testi/otsikko?t=Eka"),
                       QStringLiteral("www.vasaro.test/testi/otsikko?t=Toka")}));
        QVERIFY(openPage(QStringLiteral("testi/otsikko?t=Alku"), QStringLiteral("Alku")));
        // The list opens from the arrow at the box's right end.
        clickAt(m_w.get(), inWindow(box(), QPoint(box()->width() - 6, box()->height() / 2)));
        QAbstractItemView *list = box()->view();
        QVERIFY(waitFor([&] { return list->isVisible(); }, 2000));
        QCOMPARE(box()->count(), 2);
        if (how == QLatin1String("click")) {
            const QRect item = list->visualRect(list->model()->index(1, 0));
            QWidget *popup = list->window();
            clickAt(popup, list->viewport()->mapTo(popup, item.center()));
        } else {
            QWidget *keys = QApplication::focusWidget();
            QVERIFY(keys);
            if (how == QLatin1String("enter")) {
                list->setCurrentIndex(list->model()->index(0, 0));
                QTest::keyClick(keys, Qt::Key_Down);
                QTest::keyClick(keys, Qt::Key_Return);
            } else {
                QTest::keyClick(keys, Qt::Key_Escape);
            }
        }
        QVERIFY(waitFor([&] { return !list->isVisible(); }, 2000));
        QVERIFY(showsTitle(title));
        waitMs(500);
        QCOMPARE(titleRequests(QStringLiteral("t=Toka")), title == QLatin1String("Toka") ? 1 : 0);
        QCOMPARE(titleRequests(QStringLiteral("t=Eka")), 0);
    }

    // The box shows the page's own address, capitals included, and the
    // refresh button opens that address again.
    void realAddressShownAndRefreshed()
    {
        QVERIFY(start());
        const QString address = base() + QStringLiteral("testi/otsikko?t=IsoKirjain&Q=ABC");
        m_w->aktiivisivu_navigate(address);
        QVERIFY(showsTitle(QStringLiteral("IsoKirjain")));
        QCOMPARE(box()->currentText(), address);
        auto *refresh = m_w->findChild<QToolButton *>(QStringLiteral("Selain_refresh"));
        QVERIFY(refresh);
        m_market.clear();
        clickAt(m_w.get(), inWindow(refresh, refresh->rect().center()));
        QVERIFY(waitFor([this] { return titleRequests(QStringLiteral("t=IsoKirjain&Q=ABC")) == 1; }, 10000));
        QVERIFY(showsTitle(QStringLiteral("IsoKirjain")));
        QCOMPARE(titleRequests(QStringLiteral("t=isokirjain&q=abc")), 0);
        QCOMPARE(box()->currentText(), address);
    }
};

QTEST_MAIN(TestAddressBox)
#include "tst_addressbox.moc"
