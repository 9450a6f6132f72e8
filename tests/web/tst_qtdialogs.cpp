// The assembled main window with its real Qt dialogs, on a 1280 × 1024
// screen: the window's client area, input dialogs wide enough for their
// captions, the favourites' delete question and the clock while a page's
// script alert is open. Dialogs are answered with the mouse on the button
// under the pointer, while they are open.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>
#include <QWebEngineScript>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

// A 1280 × 1024 screen for the offscreen platform, set before the
// application starts.
const bool kScreen = [] {
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/vss-screen-XXXXXX.json"));
    if (config.open()) {
        config.write(R"({"screens": [{"name": "s1", "x": 0, "y": 0, "width": 1280, "height": 1024,
                         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        config.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }
    return true;
}();

void clickAt(QWidget *window, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QWidget *target = window->childAt(at);
    if (!target)
        target = window;
    QTest::mouseClick(target, button, {}, target->mapFrom(window, at));
}

void clickButton(QWidget *dialog, const QString &text)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>()) {
        if (b->text() == text && b->isVisible()) {
            clickAt(dialog, b->mapTo(dialog, b->rect().center()));
            return;
        }
    }
}

// Runs `handle` on the first modal dialog of type T that opens; the dialog's
// own event loop runs meanwhile, so it is handled from a timer.
template <typename T>
class DialogWatch {
public:
    explicit DialogWatch(std::function<void(T *)> handle) : m_handle(std::move(handle))
    {
        m_poll.setInterval(20);
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            m_poll.stop();
            seen = true;
            m_handle(dialog);
        });
        m_poll.start();
    }
    bool seen = false;

private:
    std::function<void(T *)> m_handle;
    QTimer m_poll;
};
}

class TestQtDialogs : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    std::unique_ptr<TForm1> m_w;

    QString base() const { return QStringLiteral("http://www.vasaro.test/"); }
    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    bool showsTitle(const QString &title)
    {
        return waitFor([&] { return active() && active()->title() == title && !active()->vasaroPage()->Busy(); },
                       15000);
    }
    bool openPage(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(base() + path);
        return showsTitle(title);
    }
    QWidget *pageFocus()
    {
        active()->setFocus();
        return QApplication::focusWidget();
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        Q_UNUSED(kScreen);
        QVERIFY(m_market.start());
    }

    void init()
    {
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment());   // the real Qt dialogs
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QVERIFY(showsTitle(QStringLiteral("Vasaro - etusivu")));
    }

    void cleanup()
    {
        m_w->close();
        m_w.reset();
    }

    // A screen 1024 high or more gives a client area of 800 (below the
    // menu bar: toolbar, tabs and the 19-pixel bottom panel) and 1136 wide.
    void clientAreaOnALargeScreen()
    {
        QCOMPARE(m_w->screen()->size(), QSize(1280, 1024));
        QCOMPARE(m_w->width(), 1136);
        QCOMPARE(m_w->height() - m_w->menuBar()->height(), 800);
        QWidget *panel1 = m_w->findChild<QWidget *>(QStringLiteral("Panel1"));
        QVERIFY(panel1 && panel1->isVisible());
        QCOMPARE(panel1->height(), 19);
        QCOMPARE(panel1->mapTo(m_w.get(), QPoint(0, panel1->height())).y(), m_w->height());
        QWidget *toolbar = m_w->findChild<QWidget *>(QStringLiteral("XiPanel9"));
        QCOMPARE(toolbar->mapTo(m_w.get(), QPoint()).y(), m_w->menuBar()->height());
        QCOMPARE(toolbar->height(), 33);
    }

    // The program's input dialogs are wide enough for their caption in a
    // bold title bar with its buttons, and for their prompt.
    void inputDialogsFitTheirText_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("caption");
        QTest::newRow("item search") << int(Qt::Key_H) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                     << "Kohdenumerolla haku";
        QTest::newRow("user search") << int(Qt::Key_K) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                     << "Käyttäjähaku";
        QTest::newRow("find and highlight") << int(Qt::Key_F) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                            << "VSselain";
    }
    void inputDialogsFitTheirText()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, caption);
        QString title;
        int width = 0;
        int needed = 0;
        DialogWatch<QInputDialog> watch([&](QInputDialog *dialog) {
            title = dialog->windowTitle();
            width = dialog->width();
            QFont bold = dialog->font();
            bold.setBold(true);
            needed = QFontMetrics(bold).horizontalAdvance(title) + 100;
            for (QLabel *label : dialog->findChildren<QLabel *>())
                needed = qMax(needed, label->sizeHint().width());
            clickButton(dialog, QStringLiteral("Peruuta"));
        });
        QTest::keyClick(pageFocus(), Qt::Key(key), modifiers);
        QVERIFY(waitFor([&] { return watch.seen && !QApplication::activeModalWidget(); }, 5000));
        QCOMPARE(title, caption);
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
    }

    // A right click on a favourite asks "Poista suosikeista?" with OK and
    // Cancel; OK deletes it, Cancel keeps it.
    void deleteFavouriteAsksOkCancel_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("kept");
        QTest::newRow("OK") << "OK" << false;
        QTest::newRow("Cancel") << "Peruuta" << true;
    }
    void deleteFavouriteAsksOkCancel()
    {
        QFETCH(QString, answer);
        QFETCH(bool, kept);
        QVERIFY(openPage(QStringLiteral("testi/otsikko?t=Suosikkisivu"), QStringLiteral("Suosikkisivu")));
        auto *menu = m_w->findChild<FavoritesMenu *>();
        QVERIFY(menu);
        QAction *open = nullptr;
        for (QAction *a : m_w->menuBar()->actions())
            open = a->objectName() == QLatin1String("Suosikit1") ? a : open;
        QVERIFY(open);
        const auto openMenu = [&] {
            clickAt(m_w.get(), m_w->menuBar()->mapTo(m_w.get(), m_w->menuBar()->actionGeometry(open).center()));
            return waitFor([&] { return menu->isVisible(); }, 2000);
        };
        QVERIFY(openMenu());
        clickAt(menu, menu->actionGeometry(menu->actions().first()).center());   // "Lisää suosikkeihin"
        const QString file = m_w->dataFolder() + QStringLiteral("Suosikit/Suosikkisivu.url");
        QVERIFY(waitFor([&] { return QFile::exists(file); }, 2000));

        QStringList buttons;
        QString text;
        DialogWatch<QMessageBox> watch([&](QMessageBox *box) {
            text = box->text();
            for (QAbstractButton *b : box->buttons())
                buttons << b->text();
            clickButton(box, answer);
        });
        QVERIFY(openMenu());
        QCOMPARE(menu->actions().last()->text(), QStringLiteral("Suosikkisivu"));
        clickAt(menu, menu->actionGeometry(menu->actions().last()).center(), Qt::RightButton);
        QVERIFY(waitFor([&] { return watch.seen && !QApplication::activeModalWidget(); }, 5000));
        QCOMPARE(text, QStringLiteral("Poista suosikeista?"));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Peruuta")}));
        QCOMPARE(QFile::exists(file), kept);
        QFile::remove(file);
    }

    // While a page's script alert is open the caption's clock ticks every
    // second (the tick does not wait for the page), and goes on after it.
    // The alert, like every message box, shows its caption whole.
    void clockTicksUnderAScriptAlert()
    {
        QVERIFY(openPage(QStringLiteral("haku/nappaimet/1"), QStringLiteral("Näppäimet 1")));
        QSignalSpy captions(m_w.get(), &QWidget::windowTitleChanged);
        int ticksWhileOpen = -1;
        bool closed = false;
        QString alertText;
        int width = 0;
        int needed = 0;
        // A page's dialog is not modal (the main window can still be closed
        // under it): it is found among the top-level windows.
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, this, [&] {
            QDialog *box = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("PageDialog") && w->isVisible())
                    box = qobject_cast<QDialog *>(w);
            if (!box)
                return;
            poll.stop();
            if (auto *text = box->findChild<QLabel *>(QStringLiteral("PageDialogText")))
                alertText = text->text();
            width = box->width();
            QFont bold = box->font();
            bold.setBold(true);
            needed = QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100;
            const int before = captions.count();
            // Six seconds: a stalled tick (one caption every ~6 s) gives at most
            // one change, a live one five or six even on a loaded machine.
            QTimer::singleShot(6000, box, [&, box, before] {
                ticksWhileOpen = captions.count() - before;
                clickButton(box, QStringLiteral("OK"));
                closed = true;
            });
        });
        poll.start();
        active()->page()->runJavaScript(QStringLiteral("setTimeout(function () { alert('Hei'); }, 50)"),
                                        QWebEngineScript::MainWorld);
        QVERIFY(waitFor([&] { return closed && !QApplication::activeModalWidget(); }, 20000));
        QCOMPARE(alertText, QStringLiteral("Hei"));
        // The alert, too, is wide enough for its caption.
        QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
        QVERIFY2(ticksWhileOpen >= 3, qPrintable(QString::number(ticksWhileOpen)));
        const int after = captions.count();
        QVERIFY(waitFor([&] { return captions.count() > after; }, 1500));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
