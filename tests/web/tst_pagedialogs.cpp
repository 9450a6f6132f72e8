// Hostile pages against the program's dialogs, with the real Qt dialogs: a
// page's alert, confirm and prompt show its text as plain text (never its
// markup or a live link) and name the page's host; a page looping alerts is
// stopped with the dialog's check box (or Ctrl+Q); the main window closes
// while a page's dialog is up.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/tabmanager.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineScript>
#include <QtTest>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

const QString kRich = QStringLiteral("<h1>VSselain</h1><b>Istunto vanhentui</b><br>"
                                     "<a href='file:///etc/passwd'>Kirjaudu uudelleen</a>");

// The page dialog shown now, if any.
QDialog *pageDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("PageDialog") && w->isVisible())
            return qobject_cast<QDialog *>(w);
    }
    return nullptr;
}

QAbstractButton *button(QWidget *dialog, const QString &text)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
        if (b->text() == text && b->isVisible())
            return b;
    return nullptr;
}

void click(QWidget *w)
{
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// A check that nothing happens waits this long.
void quietPeriod()
{
    QTest::qWait(1500);
}
} // namespace

class TestPageDialogs : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    std::unique_ptr<TForm1> m_w;

    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    bool showsTitle(const QString &title, int limitMs = 15000)
    {
        return waitFor([&] { return active() && active()->title() == title; }, limitMs);
    }
    bool openPage(const QString &path, const QString &title)
    {
        m_w->aktiivisivu_navigate(QStringLiteral("http://hyokkaaja.test/dialogit/") + path);
        return showsTitle(title);
    }
    // The page's button is clicked from a timer of the page, so that the
    // script call returns before the page's first dialog opens.
    void pressPageButton()
    {
        active()->page()->runJavaScript(
            QStringLiteral("setTimeout(function () { document.getElementById('nappi').click(); }, 50)"),
            QWebEngineScript::MainWorld);
    }
    QDialog *nextDialog(QDialog *previous = nullptr)
    {
        QDialog *d = nullptr;
        waitFor([&] { return (d = pageDialog()) && d != previous; }, 10000);
        return d != previous ? d : nullptr;
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
    }

    void init()
    {
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment());   // the real Qt dialogs
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QVERIFY(showsTitle(QStringLiteral("Vasaro - etusivu")));
    }

    void cleanup()
    {
        if (QDialog *d = pageDialog())
            d->reject();
        m_w->close();
        m_w.reset();
    }

    void alertIsPlainTextNamingTheHost()
    {
        QVERIFY(openPage(QStringLiteral("rikas"), QStringLiteral("Rikas")));
        pressPageButton();
        QDialog *dialog = nextDialog();
        QVERIFY(dialog);
        QVERIFY2(dialog->windowTitle().contains(QLatin1String("hyokkaaja.test")), qPrintable(dialog->windowTitle()));
        QVERIFY(!dialog->windowTitle().contains(QLatin1String("VSselain")));
        // Every text of the dialog is plain: the page's markup shows as typed.
        bool shown = false;
        for (QLabel *label : dialog->findChildren<QLabel *>()) {
            QCOMPARE(label->textFormat(), Qt::PlainText);
            QVERIFY(!label->openExternalLinks());
            QVERIFY(!(label->textInteractionFlags() & Qt::LinksAccessibleByMouse));
            shown = shown || label->text() == kRich;
        }
        QVERIFY(shown);
        // The first dialog of a page offers no blocking.
        QVERIFY(dialog->findChildren<QCheckBox *>().isEmpty());
        QAbstractButton *ok = button(dialog, QStringLiteral("OK"));
        QVERIFY(ok);
        click(ok);
        QVERIFY(showsTitle(QStringLiteral("hyvaksytty"), 5000));
    }

    void confirmAndPromptArePlainText()
    {
        QVERIFY(openPage(QStringLiteral("kysy"), QStringLiteral("Kysy")));
        pressPageButton();
        QDialog *confirm = nextDialog();
        QVERIFY(confirm);
        QVERIFY(confirm->windowTitle().contains(QLatin1String("hyokkaaja.test")));
        for (QLabel *label : confirm->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        QVERIFY(button(confirm, QStringLiteral("Peruuta")));
        click(button(confirm, QStringLiteral("OK")));

        QDialog *prompt = nextDialog(confirm);
        QVERIFY(prompt);
        for (QLabel *label : prompt->findChildren<QLabel *>())
            QCOMPARE(label->textFormat(), Qt::PlainText);
        auto *edit = prompt->findChild<QLineEdit *>();
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("<i>oletus</i>"));
        // The page's second dialog offers to block the rest.
        auto *block = prompt->findChild<QCheckBox *>();
        QVERIFY(block);
        QCOMPARE(block->text(), QStringLiteral("Estä tämän sivun lisäikkunat"));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("vastaus"));
        click(button(prompt, QStringLiteral("OK")));
        QVERIFY(showsTitle(QStringLiteral("vastaus:true|vastaus"), 5000));
    }

    // An endless alert loop: from its second dialog on the check box blocks
    // the page's dialogs (or Ctrl+Q closes the dialog and blocks them); then
    // no dialog comes back and the program closes as "Lopeta" does.
    void alertLoopIsStopped_data()
    {
        QTest::addColumn<bool>("ctrlQ");
        QTest::newRow("check box") << false;
        QTest::newRow("Ctrl+Q") << true;
    }
    void alertLoopIsStopped()
    {
        QFETCH(bool, ctrlQ);
        QVERIFY(openPage(QStringLiteral("silmukka"), QStringLiteral("Silmukka")));
        pressPageButton();
        QDialog *first = nextDialog();
        QVERIFY(first);
        QVERIFY(first->findChildren<QCheckBox *>().isEmpty());
        click(button(first, QStringLiteral("OK")));
        QDialog *second = nextDialog(first);
        QVERIFY(second);
        if (ctrlQ) {
            second->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(second));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : second, Qt::Key_Q,
                            Qt::ControlModifier);
        } else {
            auto *block = second->findChild<QCheckBox *>();
            QVERIFY(block);
            click(block);
            QVERIFY(block->isChecked());
            click(button(second, QStringLiteral("OK")));
        }
        QVERIFY(waitFor([] { return !pageDialog(); }, 3000));
        quietPeriod();
        QVERIFY(!pageDialog());
        m_w->MenuItem5Click();   // "Lopeta"
        QVERIFY(waitFor([&] { return !m_w->isVisible(); }, 10000));
    }

    // The page's dialog holds no other window modally: the window system's
    // close button reaches the main window, which then closes the dialog
    // and itself.
    void mainWindowClosesUnderAPageDialog()
    {
        QVERIFY(openPage(QStringLiteral("silmukka"), QStringLiteral("Silmukka")));
        pressPageButton();
        QVERIFY(nextDialog());
        QVERIFY(!QGuiApplication::modalWindow());
        QVERIFY(!QApplication::activeModalWidget());
        m_w->close();
        QVERIFY(waitFor([&] { return !m_w->isVisible(); }, 10000));
        QVERIFY(!pageDialog());
        quietPeriod();
        QVERIFY(!pageDialog());
    }
};

QTEST_MAIN(TestPageDialogs)
#include "tst_pagedialogs.moc"
